#include "skin/render/jpeg_codec.h"

#include "skin/render/bmp_codec.h"
#include "skin/render/skin_error.h"

#include <QFile>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_BGRA; // bytes B,G,R,A = 0xAARRGGBB
#else
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_ARGB;
#endif

// libjpeg reports fatal errors through error_exit, which must not return; we jump
// back to the call site and turn the message into an exception there. The
// functions that call setjmp hold no C++ objects, so the jump skips no destructor.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings stay silent, except a stream that ends early: libjpeg would pad the
// picture with grey and call it a success.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level == -1) {
    cinfo->err->num_warnings++;
    if (cinfo->err->msg_code == JWRN_JPEG_EOF) OnError(cinfo);
  }
}

void InitErrors(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  err.message[0] = '\0';
}

enum class DecodeResult { Ok, Corrupt, TooLarge, NoMemory };

// The caller owns the image, so nothing with a destructor lives in this frame.
DecodeResult Decode(const uchar* data, unsigned long size, QImage* image, ErrorManager* err) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  InitErrors(*err);
  cinfo.err = &err->pub;
  if (setjmp(err->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return DecodeResult::Corrupt;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.image_width == 0 || cinfo.image_height == 0 ||
      cinfo.image_width > unsigned(kMaxPictureSide) ||
      cinfo.image_height > unsigned(kMaxPictureSide) ||
      qint64(cinfo.image_width) * cinfo.image_height > kMaxPicturePixels) {
    jpeg_destroy_decompress(&cinfo);
    return DecodeResult::TooLarge;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
  cinfo.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&cinfo);
  const int w = int(cinfo.output_width);
  const int h = int(cinfo.output_height);
  *image = QImage(w, h, QImage::Format_RGB32);
  if (image->isNull()) {
    jpeg_destroy_decompress(&cinfo);
    return DecodeResult::NoMemory;
  }
  JSAMPARRAY cmykRow = nullptr;
  if (cmyk)
    cmykRow = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                         JDIMENSION(w) * 4, 1);
  // Adobe writes CMYK inverted (0 = full ink); others write it straight.
  const bool inverted = cinfo.saw_Adobe_marker;
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = int(cinfo.output_scanline);
    if (!cmyk) {
      JSAMPROW row = image->scanLine(y);
      jpeg_read_scanlines(&cinfo, &row, 1);
      continue;
    }
    jpeg_read_scanlines(&cinfo, cmykRow, 1);
    const JSAMPLE* s = cmykRow[0];
    auto* d = reinterpret_cast<quint32*>(image->scanLine(y));
    for (int x = 0; x < w; ++x, s += 4) {
      unsigned c = s[0], m = s[1], yy = s[2], k = s[3];
      if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        yy = 255 - yy;
        k = 255 - k;
      }
      d[x] = 0xFF000000u | ((c * k / 255) << 16) | ((m * k / 255) << 8) | (yy * k / 255);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return DecodeResult::Ok;
}

// The encoder's output buffer is libjpeg's (malloc); the caller frees it.
bool Encode(const QImage* src, int quality, uchar** out, unsigned long* outSize,
            ErrorManager* err) {
  jpeg_compress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  InitErrors(*err);
  cinfo.err = &err->pub;
  if (setjmp(err->jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, outSize);
  cinfo.image_width = JDIMENSION(src->width());
  cinfo.image_height = JDIMENSION(src->height());
  cinfo.input_components = 4;
  cinfo.in_color_space = kRgb32Space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    // libjpeg does not write through the row pointer.
    JSAMPROW row = const_cast<JSAMPLE*>(src->constScanLine(int(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

} // namespace

QImage ReadJpeg(const QByteArray& data) {
  if (data.isEmpty()) throw EInvalidGraphic("JPEG: empty data");
  QImage image;
  ErrorManager err;
  switch (Decode(reinterpret_cast<const uchar*>(data.constData()), (unsigned long)data.size(),
                 &image, &err)) {
  case DecodeResult::Ok:
    return image;
  case DecodeResult::TooLarge:
    throw EInvalidGraphic("JPEG: dimensions out of range");
  case DecodeResult::NoMemory:
    throw EOutOfResources("JPEG: cannot allocate the picture");
  case DecodeResult::Corrupt:
    break;
  }
  throw EInvalidGraphic(std::string("JPEG: ") + err.message);
}

QImage ReadJpegFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    throw EReadError("JPEG: cannot open " + path.toStdString() + ": " +
                     f.errorString().toStdString());
  if (f.size() > kMaxPicturePixels * 4) throw EInvalidGraphic("JPEG: file is too large");
  const QByteArray data = f.readAll();
  if (f.error() != QFileDevice::NoError)
    throw EReadError("JPEG: cannot read " + path.toStdString() + ": " +
                     f.errorString().toStdString());
  return ReadJpeg(data);
}

QByteArray WriteJpeg(const QImage& image, int quality) {
  if (image.isNull()) throw EWriteError("JPEG: cannot write an empty picture");
  const QImage src =
      image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
          ? image
          : image.convertToFormat(QImage::Format_RGB32);
  uchar* buffer = nullptr;
  unsigned long size = 0;
  ErrorManager err;
  const bool ok = Encode(&src, std::clamp(quality, 1, 100), &buffer, &size, &err);
  QByteArray out;
  if (ok) out = QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size));
  std::free(buffer);
  if (!ok) throw EWriteError(std::string("JPEG: ") + err.message);
  return out;
}
