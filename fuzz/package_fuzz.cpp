// Any bytes as a skin package file (container version, length, zlib stream): the stored
// skin reads it and a skin data object loads it. Readers may throw ESkinError, never crash,
// leak or over-allocate.
#include "skin/data/skin_data.h"
#include "skin/data/stored_skin.h"
#include "skin/render/skin_error.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Skin data looks at the application's palette and top-level forms.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "package_fuzz";
  static char* argv[] = {name, nullptr};
  static const auto app = std::make_unique<QApplication>(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QBuffer file;
  file.setData(reinterpret_cast<const char*>(data), qsizetype(size));
  file.open(QIODevice::ReadOnly);
  TspCompressedStoredSkin stored;
  TspSkinData skin;
  try {
    stored.LoadFromPackageStream(file);
    skin.LoadCompressedStoredSkin(&stored);
  } catch (const ESkinError&) {
  }
  return 0;
}
