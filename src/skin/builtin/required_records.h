#pragma once
// The records every built-in skin must hold: the frame objects and menu item that the
// form controller looks up, and a control record for every record name the
// application's skinned controls look up, each with the record kind it must have.
// The skin generator checks its output against this list, and so do the tests.

#include <vector>

enum class TspRecordList { Objects, Controls };

struct TspRequiredRecord {
  const char* Name;      // the section name, looked up exactly
  const char* ClassName; // the record kind, e.g. "TspDataSkinButtonControl"
  TspRecordList List;
};

const std::vector<TspRequiredRecord>& RequiredBuiltinRecords();
