// Any bytes as a decompressed skin payload (pictures and description), so the fuzzer works
// on what lies past zlib: read directly, then packed into a stored skin and loaded into a
// skin data object. Readers may throw ESkinError, never crash, leak or over-allocate.
#include "skin/data/skin_data.h"
#include "skin/data/skin_payload.h"
#include "skin/data/stored_skin.h"
#include "skin/render/skin_error.h"

#include <QApplication>
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <zlib.h>

namespace {

// Level 1: the deflate effort is not what is under test, and level 9 would slow each run.
QByteArray Compress(const uint8_t* data, size_t size) {
  uLongf length = compressBound(uLong(size));
  QByteArray out(qsizetype(length), Qt::Uninitialized);
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &length, data, uLong(size), 1) != Z_OK)
    return {};
  out.resize(qsizetype(length));
  return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Skin data looks at the application's palette and top-level forms.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "payload_fuzz";
  static char* argv[] = {name, nullptr};
  static const auto app = std::make_unique<QApplication>(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray payload(reinterpret_cast<const char*>(data), qsizetype(size));
  try {
    const TspSkinPayload read = ReadSkinPayload(payload);
    (void)read;
  } catch (const ESkinError&) {
  }

  TspCompressedStoredSkin stored;
  stored.SetCompressedStream(Compress(data, size));
  TspSkinData skin;
  try {
    skin.LoadCompressedStoredSkin(&stored);
  } catch (const ESkinError&) {
  }
  return 0;
}
