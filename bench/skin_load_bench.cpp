// Loading a built-in skin as the Configuration page does (SkinIndex), and its pieces on
// their own: inflating the package, reading its pictures, parsing the description and
// reading the records. A skin switch should take well under 10 ms.
#include "skin/builtin/builtin_skins.h"
#include "skin/data/ini_text.h"
#include "skin/data/record_registry.h"
#include "skin/data/skin_area.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"
#include "skin/data/skin_payload.h"

#include <QBuffer>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kSkins = 4;

TspCompressedSkinList& BuiltinList() {
  static const std::unique_ptr<TspCompressedSkinList> list(CreateBuiltinSkinList(nullptr));
  return *list;
}

const TspCompressedStoredSkin& StoredSkin(int index) {
  return BuiltinList().Skins()[index].StoredSkin();
}

const QByteArray& Payload(int index) {
  static QByteArray payloads[kSkins];
  if (payloads[index].isEmpty()) payloads[index] = StoredSkin(index).Decompress();
  return payloads[index];
}

const QByteArray& DescriptionText(int index) {
  static QByteArray texts[kSkins];
  if (texts[index].isEmpty()) texts[index] = ReadSkinPayload(Payload(index)).DescriptionText;
  return texts[index];
}

void Label(benchmark::State& state, int index) {
  state.SetLabel(BuiltinList().Skins()[index].Name().toStdString());
}

// The whole switch: inflate, pictures, description, records, layer borders, button images
// and the skin messages. The switch away to the next skin is not timed.
void BM_SwitchToBuiltinSkin(benchmark::State& state) {
  const int index = int(state.range(0));
  TspSkinData skin;
  skin.SetSkinIndex((index + 1) % kSkins);
  skin.SetSkinList(&BuiltinList());
  for (auto _ : state) {
    skin.SetSkinIndex(index);
    benchmark::DoNotOptimize(skin.ControlList.data());
    state.PauseTiming();
    skin.SetSkinIndex((index + 1) % kSkins);
    state.ResumeTiming();
  }
  if (skin.IsEmpty()) state.SkipWithError("the skin did not load");
  Label(state, index);
}
BENCHMARK(BM_SwitchToBuiltinSkin)->DenseRange(0, kSkins - 1)->Unit(benchmark::kMillisecond);

void BM_Inflate(benchmark::State& state) {
  const int index = int(state.range(0));
  for (auto _ : state) {
    const QByteArray payload = StoredSkin(index).Decompress();
    benchmark::DoNotOptimize(payload.constData());
  }
  state.SetBytesProcessed(state.iterations() * Payload(index).size());
  Label(state, index);
}
BENCHMARK(BM_Inflate)->DenseRange(0, kSkins - 1)->Unit(benchmark::kMillisecond);

// The picture slots and the active pictures (BMP decoding) of an inflated payload.
void BM_ReadPictures(benchmark::State& state) {
  const int index = int(state.range(0));
  QByteArray payload = Payload(index);
  for (auto _ : state) {
    QBuffer buffer(&payload);
    buffer.open(QIODevice::ReadOnly);
    TspPayloadReader reader(buffer);
    const int version = reader.ReadVersion();
    std::vector<QImage> pictures;
    for (size_t i = 0; i < PayloadSlots(version).size(); ++i) pictures.push_back(reader.ReadSlot());
    const int count = reader.ReadActiveCount();
    for (int i = 0; i < count; ++i) pictures.push_back(reader.ReadPicture());
    benchmark::DoNotOptimize(pictures.data());
  }
  Label(state, index);
}
BENCHMARK(BM_ReadPictures)->DenseRange(0, kSkins - 1)->Unit(benchmark::kMillisecond);

void BM_ParseDescription(benchmark::State& state) {
  const int index = int(state.range(0));
  const QByteArray& text = DescriptionText(index);
  for (auto _ : state) {
    const TspIniText ini = TspIniText::ParseBytes(text);
    benchmark::DoNotOptimize(&ini);
  }
  state.SetBytesProcessed(state.iterations() * text.size());
  Label(state, index);
}
BENCHMARK(BM_ParseDescription)->DenseRange(0, kSkins - 1)->Unit(benchmark::kMillisecond);

// The parse and every record read from it, as the skin data object reads them, without the
// images that button records cut from the pictures.
void BM_ParseDescriptionAndRecords(benchmark::State& state) {
  const int index = int(state.range(0));
  const QByteArray& text = DescriptionText(index);
  for (auto _ : state) {
    const TspIniText ini = TspIniText::ParseBytes(text);
    TspFormInfo formInfo;
    TspDataSkinPopupWindow popup;
    TspDataSkinLayerFrame layer;
    TspDataSkinHintWindow hint;
    TspSkinColors colors;
    for (TspSkinRecord* r :
         std::initializer_list<TspSkinRecord*>{&formInfo, &popup, &layer, &hint, &colors})
      r->LoadFromIni(ini);
    std::vector<std::unique_ptr<TspDataSkinArea>> areas;
    for (const QString& entry : ReadSkinRegistry(ini, "SKINAREAS"))
      if (auto area = ParseSkinAreaEntry(entry)) areas.push_back(std::move(area));
    std::vector<std::unique_ptr<TspSkinRecord>> records;
    for (const QString& entry : ReadSkinRegistry(ini, "SKINOBJECTS"))
      if (const auto e = SplitRegistryEntry(entry))
        if (auto record = CreateObjectRecord(e->Type)) {
          record->IDName = e->Name;
          record->LoadFromIni(ini);
          records.push_back(std::move(record));
        }
    for (const QString& entry : ReadSkinRegistry(ini, "SKINCONTROLS"))
      if (const auto e = SplitRegistryEntry(entry))
        if (auto record = CreateControlRecord(e->Type)) {
          record->IDName = e->Name;
          record->LoadFromIni(ini);
          records.push_back(std::move(record));
        }
    benchmark::DoNotOptimize(records.data());
  }
  Label(state, index);
}
BENCHMARK(BM_ParseDescriptionAndRecords)->DenseRange(0, kSkins - 1)->Unit(benchmark::kMillisecond);

} // namespace
