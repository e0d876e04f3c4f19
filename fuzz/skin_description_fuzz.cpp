// A kind byte and any bytes as a skin description: the record kinds the byte picks (frame
// objects, controls and window records) read the first sections, write themselves back and
// read that again. Readers may
// throw ESkinError, never crash or over-allocate.
#include "skin/data/record_registry.h"
#include "skin/data/skin_area.h"
#include "skin/data/skin_colors.h"
#include "skin/data/window_records.h"
#include "skin/render/skin_error.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace {

void ReadWriteRead(TspSkinRecord& record, const TspIniText& ini) {
  try {
    record.LoadFromIni(ini);
    TspIniText saved;
    record.SaveToIni(saved);
    record.LoadFromIni(saved);
  } catch (const ESkinError&) {
  }
}

using RecordMaker = std::function<std::unique_ptr<TspSkinRecord>()>;

// Every record kind a description feeds: frame objects, controls and the window records.
const std::vector<RecordMaker>& RecordKinds() {
  static const std::vector<RecordMaker> kinds = [] {
    std::vector<RecordMaker> all;
    for (const QString& type : ObjectRecordTypes())
      all.push_back([type] { return std::unique_ptr<TspSkinRecord>(CreateObjectRecord(type)); });
    for (const QString& type : ControlRecordTypes())
      all.push_back([type] { return std::unique_ptr<TspSkinRecord>(CreateControlRecord(type)); });
    all.push_back([] { return std::make_unique<TspFormInfo>(); });
    all.push_back([] { return std::make_unique<TspDataSkinPopupWindow>(); });
    all.push_back([] { return std::make_unique<TspDataSkinHintWindow>(); });
    all.push_back([] { return std::make_unique<TspDataSkinLayerFrame>(); });
    all.push_back([] { return std::make_unique<TspSkinColors>(); });
    return all;
  }();
  return kinds;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const TspIniText ini = TspIniText::ParseBytes(
      QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
  // The first byte picks the record kind that reads the first section (the next kinds read
  // the next ones): one kind per section keeps a run fast enough to matter, and the fuzzer
  // still reaches every kind through that byte.
  const std::vector<RecordMaker>& kinds = RecordKinds();
  const QStringList sections = ini.SectionNames().mid(0, 3);
  for (qsizetype i = 0; i < sections.size(); ++i) {
    const auto record = kinds[size_t(data[0] + i) % kinds.size()]();
    record->IDName = sections[i];
    ReadWriteRead(*record, ini);
  }
  try {
    for (const QString& entry : ReadSkinRegistry(ini, "SKINAREAS")) (void)ParseSkinAreaEntry(entry);
    for (const QString& entry : ReadSkinRegistry(ini, "SKINCONTROLS"))
      if (const auto e = SplitRegistryEntry(entry)) (void)CreateControlRecord(e->Type);
    (void)ReadSkinList(ini, "PICTURES", "activepictures");
  } catch (const ESkinError&) {
  }
  return 0;
}
