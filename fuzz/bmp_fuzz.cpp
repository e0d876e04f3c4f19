// Any bytes as a BMP file: the reader must return a picture or throw, never crash.
#include "skin/render/bmp_codec.h"
#include "skin/render/skin_error.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const QImage image = ReadBmp(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    (void)image;
  } catch (const ESkinError&) {
  }
  return 0;
}
