// Any bytes as a skin description: every record kind reads every section, writes itself
// back and reads that again. Readers may throw ESkinError, never crash or over-allocate.
#include "skin/data/record_registry.h"
#include "skin/data/skin_area.h"
#include "skin/data/skin_colors.h"
#include "skin/data/window_records.h"
#include "skin/render/skin_error.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

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
  const TspIniText ini =
      TspIniText::ParseBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  // A few sections are enough: every kind reads each of them.
  const QStringList sections = ini.SectionNames().mid(0, 3);
  for (const QString& section : sections) {
    for (const QString& type : ObjectRecordTypes()) {
      auto record = CreateObjectRecord(type);
      record->IDName = section;
      ReadWriteRead(*record, ini);
    }
    for (const QString& type : ControlRecordTypes()) {
      auto record = CreateControlRecord(type);
      record->IDName = section;
      ReadWriteRead(*record, ini);
    }
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
