// A kind byte and any bytes as a skin description: the chosen record kinds read the first
// sections, write themselves back and read that again; the window records read theirs. Readers may
// throw ESkinError, never crash or over-allocate.
#include "skin/data/record_registry.h"
#include "skin/data/skin_area.h"
#include "skin/data/skin_colors.h"
#include "skin/data/window_records.h"
#include "skin/render/skin_error.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <memory>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const TspIniText ini = TspIniText::ParseBytes(
      QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
  // The first byte picks the record kind that reads the first section (the next kinds read
  // the next ones): one kind per section keeps a run fast enough to matter, and the fuzzer
  // still reaches every kind through that byte.
  static const QStringList objectKinds = ObjectRecordTypes();
  static const QStringList controlKinds = ControlRecordTypes();
  const qsizetype kinds = objectKinds.size() + controlKinds.size();
  const QStringList sections = ini.SectionNames().mid(0, 3);
  for (qsizetype i = 0; i < sections.size(); ++i) {
    const qsizetype kind = (data[0] + i) % kinds;
    std::unique_ptr<TspSkinRecord> record;
    if (kind < objectKinds.size())
      record = CreateObjectRecord(objectKinds[kind]);
    else
      record = CreateControlRecord(controlKinds[kind - objectKinds.size()]);
    record->IDName = sections[i];
    ReadWriteRead(*record, ini);
  }
  TspFormInfo form;
  TspDataSkinPopupWindow popup;
  TspDataSkinHintWindow hint;
  TspDataSkinLayerFrame layer;
  TspSkinColors colors;
  for (TspSkinRecord* r : {static_cast<TspSkinRecord*>(&form), static_cast<TspSkinRecord*>(&popup),
                           static_cast<TspSkinRecord*>(&hint), static_cast<TspSkinRecord*>(&layer),
                           static_cast<TspSkinRecord*>(&colors)})
    ReadWriteRead(*r, ini);
  try {
    for (const QString& entry : ReadSkinRegistry(ini, "SKINAREAS")) (void)ParseSkinAreaEntry(entry);
    for (const QString& entry : ReadSkinRegistry(ini, "SKINCONTROLS"))
      if (const auto e = SplitRegistryEntry(entry)) (void)CreateControlRecord(e->Type);
    (void)ReadSkinList(ini, "PICTURES", "activepictures");
  } catch (const ESkinError&) {
  }
  return 0;
}
