#pragma once
// The two registries of a skin description: [SKINOBJECTS] and [SKINCONTROLS] list entries
// "name:type"; the type picks the record kind and the name is the section the record
// reads. Types are compared exactly, letter case included.

#include "skin/data/control_records.h"
#include "skin/data/object_records.h"

#include <QStringList>
#include <memory>
#include <optional>

// A new record of the kind that `type` selects, or nullptr for a type not in the table
// ("appmenu", for one, names no kind).
std::unique_ptr<TspDataSkinObject> CreateObjectRecord(QStringView type);
std::unique_ptr<TspDataSkinControl> CreateControlRecord(QStringView type);

// The registered types, in table order.
QStringList ObjectRecordTypes();
QStringList ControlRecordTypes();

struct TspRegistryEntry {
  QString Name;
  QString Type;
};
// Splits an entry at its FIRST ":" (a type never holds one, a name might not either); an
// entry without ":" gives nothing.
std::optional<TspRegistryEntry> SplitRegistryEntry(QStringView entry);

// The entries "0" to count-1 of a registry section, count from its "count" key; missing
// entries read as empty texts. Throws EConvertError for a count above kMaxSkinItemCount.
QStringList ReadSkinRegistry(const TspIniText& ini, const QString& section);
