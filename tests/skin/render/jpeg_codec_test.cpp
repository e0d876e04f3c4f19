#include "skin/render/jpeg_codec.h"
#include "skin/render/skin_error.h"

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

#include <jpeglib.h>

namespace {

QImage Gradient(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
  return img;
}

int MaxDifference(const QImage& a, const QImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                        std::abs(qBlue(p) - qBlue(q))});
    }
  return worst;
}

// Other colour spaces than the writer's own, encoded with libjpeg's defaults
// (CMYK gets an Adobe marker and is stored inverted, as Adobe's tools do).
QByteArray EncodeRaw(J_COLOR_SPACE space, int components, int w, int h,
                     const std::vector<JSAMPLE>& pixel) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buf, &size);
  cinfo.image_width = w;
  cinfo.image_height = h;
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row;
  for (int x = 0; x < w; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  QByteArray out(reinterpret_cast<const char*>(buf), qsizetype(size));
  std::free(buf);
  return out;
}

TEST(JpegCodec, WriteThenReadKeepsSizeAndColours) {
  const QImage img = Gradient(37, 21);
  const QImage back = ReadJpeg(WriteJpeg(img, 95));
  ASSERT_EQ(back.size(), img.size());
  EXPECT_EQ(back.format(), QImage::Format_RGB32);
  EXPECT_LE(MaxDifference(img, back), 12);
  // Lower quality is smaller; out-of-range qualities are clamped, not refused.
  EXPECT_LT(WriteJpeg(img, 10).size(), WriteJpeg(img, 95).size());
  EXPECT_NO_THROW(ReadJpeg(WriteJpeg(img, 0)));
  EXPECT_NO_THROW(ReadJpeg(WriteJpeg(img, 500)));
  EXPECT_EQ(ReadJpeg(WriteJpeg(img.convertToFormat(QImage::Format_RGB888), 95)).size(), img.size());
  EXPECT_THROW(WriteJpeg(QImage(), 90), EWriteError);
}

TEST(JpegCodec, ReadsGreyAndCmyk) {
  struct Case {
    const char* name;
    J_COLOR_SPACE space;
    std::vector<JSAMPLE> pixel;
    QRgb expected;
  };
  const Case cases[] = {
      {"grey", JCS_GRAYSCALE, {200}, qRgb(200, 200, 200)},
      // Inverted CMYK: 255 means no ink; no cyan, full magenta and yellow = red.
      {"cmyk red", JCS_CMYK, {255, 0, 0, 255}, qRgb(255, 0, 0)},
      {"cmyk half black", JCS_CMYK, {255, 255, 255, 128}, qRgb(128, 128, 128)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QImage img = ReadJpeg(EncodeRaw(c.space, int(c.pixel.size()), 16, 8, c.pixel));
    ASSERT_EQ(img.size(), QSize(16, 8));
    QImage expected(16, 8, QImage::Format_RGB32);
    expected.fill(c.expected);
    EXPECT_LE(MaxDifference(img, expected), 3);
  }
}

TEST(JpegCodec, RefusesCorruptTruncatedAndHugePictures) {
  const QByteArray good = WriteJpeg(Gradient(64, 64), 90);
  QByteArray huge = good;
  const int sof = huge.indexOf("\xFF\xC0");
  ASSERT_GT(sof, 0);
  // Height and width of the frame header, big-endian: 60000 x 60000.
  huge[sof + 5] = char(0xEA);
  huge[sof + 6] = char(0x60);
  huge[sof + 7] = char(0xEA);
  huge[sof + 8] = char(0x60);
  const std::pair<const char*, QByteArray> cases[] = {
      {"empty", QByteArray()},        {"not a JPEG", QByteArray(200, 'x')},
      {"header only", good.left(20)}, {"cut in the middle of the scan", good.left(good.size() / 2)},
      {"huge dimensions", huge},
  };
  for (const auto& [name, data] : cases) {
    SCOPED_TRACE(name);
    EXPECT_THROW(ReadJpeg(data), EInvalidGraphic);
  }
}

TEST(JpegCodec, ReadFileReportsOpenFailure) {
  QTemporaryDir dir;
  EXPECT_THROW(ReadJpegFile(dir.filePath("missing.jpg")), EReadError);
  QFile f(dir.filePath("a.jpg"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(WriteJpeg(Gradient(8, 8), 90));
  f.close();
  EXPECT_EQ(ReadJpegFile(f.fileName()).size(), QSize(8, 8));
}

} // namespace
