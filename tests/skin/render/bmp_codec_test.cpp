#include "skin/render/bmp_codec.h"
#include "skin/render/skin_error.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <map>

namespace {

void Put16(QByteArray& b, int at, quint16 v) {
  qToLittleEndian(v, b.data() + at);
}
void Put32(QByteArray& b, int at, quint32 v) {
  qToLittleEndian(v, b.data() + at);
}

struct BmpLayout {
  BmpLayout(int b, quint32 c = 0, std::vector<quint32> m = {})
      : bpp(b), compression(c), masks(std::move(m)) {}
  int bpp;
  quint32 compression;
  std::vector<quint32> masks; // written after a 40-byte header
  bool topDown = false;
};

// Encodes `img` independently of the reader: palette built from the distinct
// colours, 16 bits as 5-5-5 (or the masks given), 32 bits with a zero fourth byte.
QByteArray Encode(const QImage& img, const BmpLayout& layout) {
  const int w = img.width(), h = img.height();
  std::vector<quint32> palette;
  std::map<quint32, int> index;
  if (layout.bpp <= 8) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const quint32 c = img.pixel(x, y) & 0xFFFFFF;
        if (!index.count(c)) {
          index[c] = int(palette.size());
          palette.push_back(c);
        }
      }
  }
  const int stride = ((w * layout.bpp + 31) / 32) * 4;
  const int headers = 14 + 40 + int(layout.masks.size()) * 4 + int(palette.size()) * 4;
  QByteArray b(headers + stride * h, '\0');
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, b.size());
  Put32(b, 10, headers);
  Put32(b, 14, 40);
  Put32(b, 18, w);
  Put32(b, 22, layout.topDown ? -h : h);
  Put16(b, 26, 1);
  Put16(b, 28, layout.bpp);
  Put32(b, 30, layout.compression);
  Put32(b, 46, quint32(palette.size()));
  int at = 54;
  for (quint32 m : layout.masks) Put32(b, (at += 4) - 4, m);
  for (quint32 c : palette) Put32(b, (at += 4) - 4, c);
  for (int y = 0; y < h; ++y) {
    auto* row =
        reinterpret_cast<uchar*>(b.data()) + headers + (layout.topDown ? y : h - 1 - y) * stride;
    for (int x = 0; x < w; ++x) {
      const quint32 c = img.pixel(x, y) & 0xFFFFFF;
      switch (layout.bpp) {
      case 1:
        row[x / 8] |= index[c] << (7 - x % 8);
        break;
      case 4:
        row[x / 2] |= index[c] << (x % 2 ? 0 : 4);
        break;
      case 8:
        row[x] = uchar(index[c]);
        break;
      case 16: {
        const quint16 v =
            layout.masks.empty()
                ? quint16(((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | (c >> 3 & 31))
                : quint16(((c >> 19) & 31) << 11 | ((c >> 10) & 63) << 5 | (c >> 3 & 31));
        qToLittleEndian(v, row + 2 * x);
        break;
      }
      case 24:
        row[3 * x] = uchar(c);
        row[3 * x + 1] = uchar(c >> 8);
        row[3 * x + 2] = uchar(c >> 16);
        break;
      default:
        qToLittleEndian(c, row + 4 * x);
        break;
      }
    }
  }
  return b;
}

// Colours whose channels are 0 or 255 survive every depth exactly.
QImage Sample(int w, int h, int colours) {
  static const quint32 kColours[] = {0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00,
                                     0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, kColours[(x + 3 * y) % colours]);
  return img;
}

TEST(BmpCodec, ReadsEveryDepthInBothRowOrders) {
  struct Case {
    BmpLayout layout;
    int colours;
  };
  const Case cases[] = {
      {{1}, 2},
      {{4}, 8},
      {{8}, 8},
      {{16}, 8},
      {{24}, 8},
      {{32}, 8},
      {{16, 3, {0xF800, 0x07E0, 0x001F}}, 8},
      {{32, 3, {0xFF0000, 0xFF00, 0xFF}}, 8},
  };
  for (const Case& c : cases) {
    for (bool topDown : {false, true}) {
      // Widths that leave a partial byte and row padding.
      const QImage expected = Sample(11, 5, c.colours);
      BmpLayout layout = c.layout;
      layout.topDown = topDown;
      const QImage got = ReadBmp(Encode(expected, layout));
      SCOPED_TRACE(testing::Message() << "bpp " << layout.bpp << " topDown " << topDown
                                      << " compression " << layout.compression);
      EXPECT_EQ(got.format(), QImage::Format_RGB32);
      EXPECT_EQ(got, expected);
    }
  }
}

TEST(BmpCodec, KeepsAlphaOnlyWhenSomePixelHasIt) {
  QImage img = Sample(3, 2, 8);
  QByteArray plain = Encode(img, {32});
  EXPECT_EQ(ReadBmp(plain).format(), QImage::Format_RGB32);

  QByteArray withAlpha = plain;
  withAlpha[54 + 3] = char(0x80); // fourth byte of the first stored pixel (bottom-left)
  const QImage got = ReadBmp(withAlpha);
  ASSERT_EQ(got.format(), QImage::Format_ARGB32);
  EXPECT_EQ(qAlpha(got.pixel(0, 1)), 0x80);
  EXPECT_EQ(qAlpha(got.pixel(1, 1)), 0);
  EXPECT_EQ(got.pixel(0, 1) & 0xFFFFFF, img.pixel(0, 1) & 0xFFFFFF);
}

TEST(BmpCodec, ToleratesBadPaletteIndicesAndOversizedColourCounts) {
  QImage img = Sample(4, 2, 2);
  QByteArray b = Encode(img, {8});
  // Claim only one table entry: index 1 now points past the table and reads black.
  Put32(b, 46, 1);
  QImage got = ReadBmp(b);
  EXPECT_EQ(got.pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(got.pixel(1, 0), 0xFF000000u);
  // A count larger than the room before the pixels is cut at the pixels.
  Put32(b, 46, 200);
  EXPECT_NO_THROW(ReadBmp(b));
}

TEST(BmpCodec, RefusesMalformedFiles) {
  const QByteArray good = Encode(Sample(4, 3, 8), {24});
  auto patched = [&](int at, quint32 v, int bytes = 4) {
    QByteArray b = good;
    bytes == 2 ? Put16(b, at, quint16(v)) : Put32(b, at, v);
    return b;
  };
  const std::pair<const char*, QByteArray> cases[] = {
      {"empty", QByteArray()},
      {"signature only", QByteArray("BM")},
      {"wrong signature", QByteArray(good).replace(0, 2, "XX")},
      {"truncated header", good.left(30)},
      {"zero width", patched(18, 0)},
      {"negative width", patched(18, quint32(-5))},
      {"width too large", patched(18, 40000)},
      {"zero height", patched(22, 0)},
      {"height INT_MIN", patched(22, 0x80000000u)},
      {"huge dimensions, tiny file", patched(22, 30000)},
      {"too many pixels",
       [&] {
         auto b = patched(18, 32768);
         Put32(b, 22, 32768);
         return b;
       }()},
      {"pixel offset past the end", patched(10, 100000)},
      {"pixel offset inside headers", patched(10, 20)},
      {"last row cut short", good.left(good.size() - 3)},
      {"bits per pixel 7", patched(28, 7, 2)},
      {"run-length compression", patched(30, 1)},
      {"bit fields on 24 bits", patched(30, 3)},
      {"unknown header size", patched(14, 99)},
      {"info header past the end", good.left(40)},
      {"colour table past the end",
       [] {
         QByteArray b = Encode(Sample(2, 2, 2), {8});
         Put32(b, 10, 2000); // no pixel data bound, so the claimed table stays 256 entries
         Put32(b, 46, 0);
         return b.left(70);
       }()},
  };
  for (const auto& [name, data] : cases) {
    SCOPED_TRACE(name);
    EXPECT_THROW(ReadBmp(data), EInvalidGraphic);
  }
}

TEST(BmpCodec, WriteProducesStandardBottomUpFileThatReadsBack) {
  QImage img(7, 3, QImage::Format_RGB32); // 21 bytes per row: 3 bytes of padding
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) img.setPixel(x, y, qRgb(x * 30, y * 80, 255 - x * 10));
  const QByteArray b = WriteBmp24(img);
  ASSERT_EQ(b.size(), 54 + 24 * 3);
  EXPECT_EQ(b.left(2), "BM");
  EXPECT_EQ(qFromLittleEndian<quint32>(b.constData() + 2), quint32(b.size()));
  EXPECT_EQ(qFromLittleEndian<quint32>(b.constData() + 10), 54u);
  EXPECT_EQ(qFromLittleEndian<quint32>(b.constData() + 14), 40u);
  EXPECT_EQ(qFromLittleEndian<qint32>(b.constData() + 22), 3); // bottom-up
  EXPECT_EQ(qFromLittleEndian<quint16>(b.constData() + 28), 24);
  // The first stored row is the bottom one, blue first.
  EXPECT_EQ(uchar(b[54]), 255);
  EXPECT_EQ(uchar(b[55]), 160);
  EXPECT_EQ(ReadBmp(b), img);

  EXPECT_EQ(ReadBmp(WriteBmp24(img.convertToFormat(QImage::Format_RGB888))), img);
  EXPECT_THROW(WriteBmp24(QImage()), EWriteError);
}

TEST(BmpCodec, FilesRoundTripAndReportOpenFailures) {
  QTemporaryDir dir;
  const QString path = dir.filePath("p.bmp");
  const QImage img = Sample(5, 4, 8);
  WriteBmpFile(img, path);
  EXPECT_EQ(ReadBmpFile(path), img);
  EXPECT_THROW(ReadBmpFile(dir.filePath("missing.bmp")), EReadError);
  EXPECT_THROW(WriteBmpFile(img, dir.filePath("no/such/dir/p.bmp")), EWriteError);
}

// A device that cannot tell its size, like a decompressing stream.
class TrickleDevice : public QIODevice {
public:
  explicit TrickleDevice(QByteArray data) : data_(std::move(data)) { open(ReadOnly); }
  bool isSequential() const override { return true; }

protected:
  qint64 readData(char* out, qint64 max) override {
    const qint64 n = std::min<qint64>({max, 7, data_.size() - pos_});
    std::memcpy(out, data_.constData() + pos_, size_t(n));
    pos_ += n;
    return n;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

private:
  QByteArray data_;
  qint64 pos_ = 0;
};

TEST(BmpCodec, StreamReadsExactlyTheSizeFieldBytes) {
  const QImage a = Sample(3, 3, 8), b = Sample(6, 2, 2);
  const QByteArray first = WriteBmp24(a), second = Encode(b, {1});
  QByteArray all = first + second + "tail";
  QBuffer buf(&all);
  buf.open(QIODevice::ReadOnly);
  EXPECT_EQ(ReadBmpFromStream(buf), a);
  EXPECT_EQ(buf.pos(), first.size());
  EXPECT_EQ(ReadBmpFromStream(buf), b);
  EXPECT_EQ(buf.pos(), first.size() + second.size());

  TrickleDevice trickle(first + second);
  EXPECT_EQ(ReadBmpFromStream(trickle), a);
  EXPECT_EQ(ReadBmpFromStream(trickle), b);
}

TEST(BmpCodec, StreamErrorsAndConsumption) {
  const QByteArray pic = WriteBmp24(Sample(3, 3, 8));
  auto withSize = [&](quint32 size) {
    QByteArray b = pic;
    Put32(b, 2, size);
    return b;
  };
  struct Case {
    const char* name;
    QByteArray data;
    bool sequential;
    bool readError;
  };
  const Case cases[] = {
      {"header cut", pic.left(10), false, true},
      {"size below headers", withSize(53), false, false},
      {"size beyond the stream", withSize(pic.size() + 1), false, false},
      {"sequential stream ends early", withSize(pic.size() + 100), true, true},
      {"not a picture", QByteArray(64, 'x'), false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QByteArray data = c.data;
    QBuffer buf(&data);
    buf.open(QIODevice::ReadOnly);
    TrickleDevice trickle(data);
    QIODevice& dev = c.sequential ? static_cast<QIODevice&>(trickle) : buf;
    if (c.readError) {
      EXPECT_THROW(ReadBmpFromStream(dev), EReadError);
    } else {
      EXPECT_THROW(ReadBmpFromStream(dev), EInvalidGraphic);
    }
  }

  // A corrupt picture inside a package still consumes its declared length,
  // so the picture after it stays readable.
  QByteArray bad = pic;
  Put32(bad, 22, 0); // zero height
  QByteArray all = bad + pic;
  QBuffer buf(&all);
  buf.open(QIODevice::ReadOnly);
  EXPECT_THROW(ReadBmpFromStream(buf), EInvalidGraphic);
  EXPECT_EQ(buf.pos(), bad.size());
  EXPECT_NO_THROW(ReadBmpFromStream(buf));
}

} // namespace
