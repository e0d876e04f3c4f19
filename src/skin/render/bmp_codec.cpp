#include "skin/render/bmp_codec.h"

#include "skin/render/skin_error.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiBitfields = 3;
constexpr quint32 kBiAlphaBitfields = 6;
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
// Headers, masks and a full colour table come on top of the pixels.
constexpr qint64 kMaxBmpFileSize = kMaxPicturePixels * 4 + 65536;

[[noreturn]] void Fail(const char* what) {
  throw EInvalidGraphic(std::string("BMP: ") + what);
}

// Bounds-checked little-endian reads from the whole file.
class Bytes {
public:
  explicit Bytes(const QByteArray& data)
      : p_(reinterpret_cast<const uchar*>(data.constData())), n_(data.size()) {}
  qint64 Size() const { return n_; }
  const uchar* At(qint64 offset, qint64 length) const {
    if (offset < 0 || length < 0 || offset > n_ || length > n_ - offset) Fail("file is truncated");
    return p_ + offset;
  }
  quint16 U16(qint64 offset) const { return qFromLittleEndian<quint16>(At(offset, 2)); }
  quint32 U32(qint64 offset) const { return qFromLittleEndian<quint32>(At(offset, 4)); }
  qint32 I32(qint64 offset) const { return qFromLittleEndian<qint32>(At(offset, 4)); }

private:
  const uchar* p_;
  qint64 n_;
};

// One channel of a BI_BITFIELDS mask, scaled to 8 bits.
struct Channel {
  quint32 mask = 0;
  int shift = 0;
  quint64 max = 0;

  explicit Channel(quint32 m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = quint64(m >> shift);
  }
  quint32 Get(quint32 v) const {
    if (mask == 0) return 0;
    return quint32(((quint64(v & mask) >> shift) * 255 + max / 2) / max);
  }
};

struct Header {
  int width = 0;
  int height = 0; // always positive; topDown tells the row order
  bool topDown = false;
  int bpp = 0;
  quint32 compression = kBiRgb;
  quint32 masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
  bool hasMasks = false;
  qint64 tableOffset = 0;
  int tableEntries = 0;
  int tableEntrySize = 4;
  qint64 pixelOffset = 0;
};

Header ParseHeader(const Bytes& b) {
  if (b.Size() < kFileHeaderSize + 4) Fail("file is too short for its headers");
  const uchar* sig = b.At(0, 2);
  if (sig[0] != 'B' || sig[1] != 'M') Fail("no BM signature");
  Header h;
  h.pixelOffset = b.U32(10);
  const quint32 infoSize = b.U32(kFileHeaderSize);
  const qint64 info = kFileHeaderSize;
  qint64 afterHeader = 0;
  if (infoSize == 12) {
    // The old core header: 16-bit sizes, bottom-up only, 3-byte colour entries.
    h.width = b.U16(info + 4);
    h.height = b.U16(info + 6);
    h.bpp = b.U16(info + 10);
    h.tableEntrySize = 3;
    afterHeader = info + 12;
  } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 64 ||
             infoSize == 108 || infoSize == 124) {
    b.At(info, infoSize);
    const qint32 w = b.I32(info + 4);
    const qint32 hh = b.I32(info + 8);
    h.bpp = b.U16(info + 14);
    h.compression = b.U32(info + 16);
    const quint32 colorsUsed = b.U32(info + 32);
    if (w <= 0 || w > kMaxPictureSide) Fail("width out of range");
    if (hh == 0 || hh < -kMaxPictureSide || hh > kMaxPictureSide) Fail("height out of range");
    h.width = w;
    h.height = hh < 0 ? -hh : hh;
    h.topDown = hh < 0;
    afterHeader = info + infoSize;
    if (infoSize == 64 && h.compression != kBiRgb) Fail("unsupported OS/2 compression");
    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
      if (h.bpp != 16 && h.bpp != 32) Fail("bit fields need 16 or 32 bits per pixel");
      const int count = h.compression == kBiAlphaBitfields ? 4 : 3;
      // A plain info header is followed by the masks; larger ones hold them.
      const qint64 at = info + kInfoHeaderSize;
      for (int i = 0; i < count; ++i) h.masks[i] = b.U32(at + 4 * i);
      if (infoSize >= 56 && count == 3) h.masks[3] = b.U32(info + 52);
      if (infoSize == 40) afterHeader += 4 * count;
      h.hasMasks = true;
    } else if (h.compression != kBiRgb) {
      Fail("unsupported compression (only BI_RGB and BI_BITFIELDS)");
    }
    if (h.bpp <= 8) {
      const int full = 1 << h.bpp;
      h.tableEntries = colorsUsed == 0 || colorsUsed > quint32(full) ? full : int(colorsUsed);
    }
  } else {
    Fail("unknown info header size");
  }
  if (h.width <= 0 || h.width > kMaxPictureSide || h.height <= 0 || h.height > kMaxPictureSide)
    Fail("dimensions out of range");
  if (qint64(h.width) * h.height > kMaxPicturePixels) Fail("picture is too large");
  switch (h.bpp) {
  case 1:
  case 4:
  case 8:
    if (infoSize == 12) h.tableEntries = 1 << h.bpp;
    break;
  case 16:
  case 24:
  case 32:
    break;
  default:
    Fail("unsupported bits per pixel");
  }
  if (h.tableEntries > 0) {
    h.tableOffset = afterHeader;
    // A table that claims more entries than fit before the pixels is cut there.
    if (h.pixelOffset >= h.tableOffset) {
      const qint64 room = (h.pixelOffset - h.tableOffset) / h.tableEntrySize;
      h.tableEntries = int(std::min<qint64>(h.tableEntries, room));
    }
    b.At(h.tableOffset, qint64(h.tableEntries) * h.tableEntrySize);
  }
  if (h.pixelOffset < afterHeader) Fail("pixel data overlaps the headers");
  return h;
}

QImage Allocate(int w, int h, QImage::Format format) {
  QImage image(w, h, format);
  if (image.isNull()) throw EOutOfResources("BMP: cannot allocate the picture");
  return image;
}

void DecodeIndexed(const Bytes& b, const Header& h, qint64 stride, QImage& out) {
  std::array<quint32, 256> palette;
  palette.fill(0xFF000000u);
  for (int i = 0; i < h.tableEntries; ++i) {
    const uchar* e = b.At(h.tableOffset + qint64(i) * h.tableEntrySize, 3);
    palette[i] = 0xFF000000u | (quint32(e[2]) << 16) | (quint32(e[1]) << 8) | e[0];
  }
  const int w = h.width;
  for (int row = 0; row < h.height; ++row) {
    const uchar* src = b.At(h.pixelOffset + row * stride, (qint64(w) * h.bpp + 7) / 8);
    auto* dst = reinterpret_cast<quint32*>(out.scanLine(h.topDown ? row : h.height - 1 - row));
    switch (h.bpp) {
    case 8:
      for (int x = 0; x < w; ++x) dst[x] = palette[src[x]];
      break;
    case 4:
      for (int x = 0; x < w; ++x) dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
      break;
    default: // 1
      for (int x = 0; x < w; ++x) dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    }
  }
}

QImage Decode(const QByteArray& file) {
  const Bytes b(file);
  const Header h = ParseHeader(b);
  const qint64 rowBytes = (qint64(h.width) * h.bpp + 7) / 8;
  const qint64 stride = ((qint64(h.width) * h.bpp + 31) / 32) * 4;
  // The last row may lack its padding; everything else must be in the file.
  b.At(h.pixelOffset, stride * (h.height - 1) + rowBytes);

  const int w = h.width;
  auto rowOf = [&](int row) { return h.topDown ? row : h.height - 1 - row; };

  if (h.bpp <= 8) {
    QImage out = Allocate(w, h.height, QImage::Format_RGB32);
    DecodeIndexed(b, h, stride, out);
    return out;
  }

  if (h.bpp == 24) {
    QImage out = Allocate(w, h.height, QImage::Format_RGB32);
    for (int row = 0; row < h.height; ++row) {
      const uchar* src = b.At(h.pixelOffset + row * stride, rowBytes);
      auto* dst = reinterpret_cast<quint32*>(out.scanLine(rowOf(row)));
      for (int x = 0; x < w; ++x, src += 3)
        dst[x] = 0xFF000000u | (quint32(src[2]) << 16) | (quint32(src[1]) << 8) | src[0];
    }
    return out;
  }

  const bool standard32 =
      h.bpp == 32 && (!h.hasMasks || (h.masks[0] == 0x00FF0000u && h.masks[1] == 0x0000FF00u &&
                                      h.masks[2] == 0x000000FFu &&
                                      (h.masks[3] == 0 || h.masks[3] == 0xFF000000u)));
  if (standard32) {
    // With bit fields the fourth byte is alpha only when a mask says so.
    const bool alphaByte = !h.hasMasks || h.masks[3] == 0xFF000000u;
    QImage out = Allocate(w, h.height, QImage::Format_ARGB32);
    quint32 alphaSeen = 0;
    for (int row = 0; row < h.height; ++row) {
      const uchar* src = b.At(h.pixelOffset + row * stride, rowBytes);
      auto* dst = reinterpret_cast<quint32*>(out.scanLine(rowOf(row)));
      if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        std::memcpy(dst, src, size_t(w) * 4);
      } else {
        for (int x = 0; x < w; ++x) dst[x] = qFromLittleEndian<quint32>(src + 4 * x);
      }
      if (alphaByte) {
        for (int x = 0; x < w; ++x) alphaSeen |= dst[x];
      }
    }
    if (alphaByte && (alphaSeen & 0xFF000000u) != 0) return out;
    for (int y = 0; y < h.height; ++y) {
      auto* line = reinterpret_cast<quint32*>(out.scanLine(y));
      for (int x = 0; x < w; ++x) line[x] |= 0xFF000000u;
    }
    out.reinterpretAsFormat(QImage::Format_RGB32);
    return out;
  }

  // 16 bits, or 32 bits with unusual masks: scale each channel through its mask.
  quint32 masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
  if (!h.hasMasks) { // 16-bit BI_RGB is 5-5-5
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
    masks[3] = 0;
  }
  const Channel r(masks[0]), g(masks[1]), bl(masks[2]), a(masks[3]);
  QImage out = Allocate(w, h.height, a.mask ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  quint32 alphaSeen = 0;
  const int bytesPerPixel = h.bpp / 8;
  for (int row = 0; row < h.height; ++row) {
    const uchar* src = b.At(h.pixelOffset + row * stride, rowBytes);
    auto* dst = reinterpret_cast<quint32*>(out.scanLine(rowOf(row)));
    for (int x = 0; x < w; ++x, src += bytesPerPixel) {
      const quint32 v =
          bytesPerPixel == 2 ? qFromLittleEndian<quint16>(src) : qFromLittleEndian<quint32>(src);
      const quint32 alpha = a.mask ? a.Get(v) : 0xFF;
      alphaSeen |= alpha;
      dst[x] = (alpha << 24) | (r.Get(v) << 16) | (g.Get(v) << 8) | bl.Get(v);
    }
  }
  if (a.mask && alphaSeen == 0) {
    for (int y = 0; y < h.height; ++y) {
      auto* line = reinterpret_cast<quint32*>(out.scanLine(y));
      for (int x = 0; x < w; ++x) line[x] |= 0xFF000000u;
    }
    out.reinterpretAsFormat(QImage::Format_RGB32);
  }
  return out;
}

// Reads in bounded chunks, so that a lying size field on a sequential device
// cannot make us allocate more than the device actually delivers; sequential
// devices may also hand out fewer bytes per call than asked.
bool AppendExactly(QIODevice& in, QByteArray& data, qint64 want) {
  while (want > 0) {
    const qint64 chunk = std::min<qint64>(want, 1 << 20);
    const qint64 old = data.size();
    data.resize(old + chunk);
    const qint64 got = in.read(data.data() + old, chunk);
    data.resize(old + std::max<qint64>(got, 0));
    if (got <= 0) return false;
    want -= got;
  }
  return true;
}

} // namespace

QImage ReadBmp(const QByteArray& file) {
  return Decode(file);
}

QImage ReadBmpFromStream(QIODevice& in) {
  QByteArray data;
  if (!AppendExactly(in, data, kFileHeaderSize))
    throw EReadError("BMP: stream ends inside the file header");
  if (data[0] != 'B' || data[1] != 'M') Fail("no BM signature");
  const quint32 size = qFromLittleEndian<quint32>(data.constData() + 2);
  if (size < quint32(kFileHeaderSize + kInfoHeaderSize)) Fail("size field is below the headers");
  if (size > kMaxBmpFileSize) Fail("size field is out of range");
  const qint64 want = qint64(size) - kFileHeaderSize;
  if (!in.isSequential()) {
    if (want > in.size() - in.pos()) Fail("size field is larger than the rest of the stream");
    data.reserve(size);
  }
  if (!AppendExactly(in, data, want)) throw EReadError("BMP: stream ends inside the picture");
  return Decode(data);
}

QImage ReadBmpFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    throw EReadError("BMP: cannot open " + path.toStdString() + ": " +
                     f.errorString().toStdString());
  if (f.size() > kMaxBmpFileSize) Fail("file is too large");
  const QByteArray data = f.readAll();
  if (f.error() != QFileDevice::NoError)
    throw EReadError("BMP: cannot read " + path.toStdString() + ": " +
                     f.errorString().toStdString());
  return Decode(data);
}

QByteArray WriteBmp24(const QImage& image) {
  if (image.isNull()) throw EWriteError("BMP: cannot write an empty picture");
  const QImage src =
      image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
          ? image
          : image.convertToFormat(QImage::Format_RGB32);
  const int w = src.width();
  const int h = src.height();
  const qint64 stride = (qint64(w) * 3 + 3) & ~qint64(3);
  const qint64 imageSize = stride * h;
  const qint64 total = kFileHeaderSize + kInfoHeaderSize + imageSize;
  if (total > 0xFFFFFFFFll) throw EWriteError("BMP: picture is too large for the format");

  QByteArray out(total, '\0');
  auto* p = reinterpret_cast<uchar*>(out.data());
  p[0] = 'B';
  p[1] = 'M';
  qToLittleEndian<quint32>(quint32(total), p + 2);
  qToLittleEndian<quint32>(kFileHeaderSize + kInfoHeaderSize, p + 10);
  uchar* info = p + kFileHeaderSize;
  qToLittleEndian<quint32>(kInfoHeaderSize, info);
  qToLittleEndian<qint32>(w, info + 4);
  qToLittleEndian<qint32>(h, info + 8); // positive: bottom-up
  qToLittleEndian<quint16>(1, info + 12);
  qToLittleEndian<quint16>(24, info + 14);
  qToLittleEndian<quint32>(kBiRgb, info + 16);
  qToLittleEndian<quint32>(quint32(imageSize), info + 20);
  uchar* pixels = info + kInfoHeaderSize;
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const quint32*>(src.constScanLine(h - 1 - y));
    uchar* d = pixels + y * stride;
    for (int x = 0; x < w; ++x, d += 3) {
      const quint32 c = line[x];
      d[0] = uchar(c);
      d[1] = uchar(c >> 8);
      d[2] = uchar(c >> 16);
    }
  }
  return out;
}

void WriteBmpFile(const QImage& image, const QString& path) {
  const QByteArray data = WriteBmp24(image);
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit())
    throw EWriteError("BMP: cannot write " + path.toStdString() + ": " +
                      f.errorString().toStdString());
}
