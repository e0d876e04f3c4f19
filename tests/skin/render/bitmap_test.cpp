#include "skin/render/bitmap.h"
#include "skin/render/skin_error.h"
#include <QPainter>
#include <QWidget>
#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using u32 = std::uint32_t;

// A bitmap of the given rows of pixels.
void Fill(TspBitmap& b, const std::vector<std::vector<u32>>& rows) {
  b.SetSize(int(rows[0].size()), int(rows.size()));
  for (int y = 0; y < int(rows.size()); ++y)
    for (int x = 0; x < int(rows[0].size()); ++x) b.SetPixel(x, y, rows[size_t(y)][size_t(x)]);
}

std::vector<u32> Row(const TspBitmap& b, int y) {
  return std::vector<u32>(b.ScanLine(y), b.ScanLine(y) + b.Width());
}

std::vector<u32> ImageRow(const QImage& img, int y) {
  const u32* p = reinterpret_cast<const u32*>(img.constScanLine(y));
  return std::vector<u32>(p, p + img.width());
}

} // namespace

// ---------------------------------------------------------------------------------------
// The blend

struct BlendCase {
  u32 target, source, main, portable;
};
const BlendCase blendCases[] = {
    {0xFF204060, 0x00FFFFFF, 0xFF204060, 0xFF204060}, // alpha 0: target unchanged
    {0x11223344, 0xFF808080, 0xFF808080, 0xFF808080}, // alpha 255: replaced
    {0xFF000000, 0x80FFFFFF, 0xBF7F7F7F, 0xFF7F7F7F}, // alpha blended too in the main form
    {0xFFFFFFFF, 0x01000000, 0xFEFEFEFE, 0xFFFDFDFD},
    {0x80402010, 0xFE102030, 0xFD10202F, 0xFF101F2F},
};

TEST(Blend, PixelFormulas) {
  for (const auto& c : blendCases) {
    EXPECT_EQ(BlendPixel(c.target, c.source), c.main) << std::hex << c.source;
    EXPECT_EQ(BlendPixelPortable(c.target, c.source), c.portable) << std::hex << c.source;
  }
}

TEST(Blend, LinesMatchThePixelFormulasAtEveryOffset) {
  // 11 pixels: whole groups of four and a tail, with every case at every position.
  for (int shift = 0; shift < 5; ++shift) {
    std::vector<u32> targetMain, targetPortable, source, wantMain, wantPortable;
    for (int i = 0; i < 11; ++i) {
      const auto& c = blendCases[(i + shift) % 5];
      targetMain.push_back(c.target);
      source.push_back(c.source);
      wantMain.push_back(c.main);
      wantPortable.push_back(c.portable);
    }
    targetPortable = targetMain;
    BlendLineQuad(targetMain.data(), source.data(), 11);
    BlendLinePortable(targetPortable.data(), source.data(), 11);
    EXPECT_EQ(targetMain, wantMain);
    EXPECT_EQ(targetPortable, wantPortable);
  }
  // Random pixels against the pixel formula.
  std::mt19937 rng(7);
  std::vector<u32> t(1000), s(1000);
  for (auto& v : t) v = rng();
  for (auto& v : s) v = rng();
  std::vector<u32> want = t;
  for (size_t i = 0; i < t.size(); ++i) want[i] = BlendPixel(t[i], s[i]);
  BlendLineQuad(t.data(), s.data(), int(t.size()));
  EXPECT_EQ(t, want);
#if defined(__x86_64__)
  EXPECT_EQ(SelectedLineBlend(), &BlendLineQuad);
#endif
}

// ---------------------------------------------------------------------------------------
// Size, pixels, list

TEST(Bitmap, SetSize) {
  TspBitmap b;
  EXPECT_TRUE(b.IsEmpty());
  b.SetSize(-3, 2);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.Pixel(2, 1), 0u); // new pixels are zero
  b.SetPixel(1, 1, 0x12345678);
  b.SetSize(3, -2); // unchanged size keeps the pixels
  b.SetSize(0, 9);  // a zero side changes nothing
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Pixel(1, 1), 0x12345678u);
  b.SetPixel(3, 0, 1); // outside: ignored
  b.SetPixel(-1, 0, 1);
  EXPECT_EQ(b.Pixel(3, 0), 0u);
  EXPECT_EQ(b.ScanLine(2), nullptr);

  for (const auto& [w, h] : {std::pair{1 << 15, 1 << 14}, {INT_MIN, 1}, {INT_MAX, INT_MAX}}) {
    TspBitmap big;
    big.SetSize(2, 2);
    try {
      big.SetSize(w, h);
      FAIL() << w << "x" << h;
    } catch (const EOutOfResources& e) {
      EXPECT_STREQ(e.what(), "Can't allocate the DIB handle");
    }
    EXPECT_TRUE(big.IsEmpty());
    EXPECT_EQ(big.Width(), 0);
  }
}

TEST(Bitmap, ImageWrapsThePixelsAndTheListFindsThem) {
  auto b = std::make_unique<TspBitmap>();
  EXPECT_EQ(TspBitmap::FindByDevice(nullptr), nullptr);
  b->SetSize(4, 3);
  QImage view = b->Image();
  EXPECT_EQ(view.format(), QImage::Format_ARGB32);
  EXPECT_EQ(TspBitmap::FindByDevice(&view), b.get());
  {
    QPainter p(&view);
    p.fillRect(1, 1, 2, 1, QColor(10, 20, 30));
  }
  EXPECT_EQ(b->Pixel(1, 1), 0xFF0A141Eu);
  EXPECT_EQ(b->Pixel(0, 0), 0u);

  b->SetSize(5, 5); // a resize stays listed
  QImage resized = b->Image();
  EXPECT_EQ(TspBitmap::FindByDevice(&resized), b.get());
  QImage copy = resized.copy(); // other pixels: not a listed bitmap
  EXPECT_EQ(TspBitmap::FindByDevice(&copy), nullptr);
  b.reset();
  EXPECT_EQ(TspBitmap::FindByDevice(&resized), nullptr);
}

TEST(Bitmap, AssignFromBitmapAndImage) {
  TspBitmap src;
  Fill(src, {{0x80102030, 0xFF405060}});
  src.Name = "glow";
  src.HasAlpha = true;
  src.HasKeyColor = true;
  TspBitmap dst;
  dst.Assign(src);
  EXPECT_EQ(Row(dst, 0), Row(src, 0));
  EXPECT_EQ(dst.Name, "glow");
  EXPECT_TRUE(dst.HasAlpha);
  EXPECT_TRUE(dst.HasKeyColor);

  struct Case {
    QImage::Format format;
    u32 pixel;
    u32 want;
    bool hasAlpha;
  };
  const Case cases[] = {
      {QImage::Format_ARGB32, 0x80112233, 0x80112233, true},  // as it is
      {QImage::Format_ARGB32, 0x00112233, 0x00112233, false}, // only 0 and 255: opaque
      {QImage::Format_ARGB32_Premultiplied, 0x80102030, 0x80102030, true},
      {QImage::Format_RGB32, 0xFF112233, 0xFF112233, false},
      {QImage::Format_RGB888, 0xFF112233, 0xFF112233, false},
      {QImage::Format_RGB16, 0xFF0000FF, 0xFF0000FF, false},
  };
  for (const auto& c : cases) {
    QImage img(3, 2, c.format);
    img.fill(QColor::fromRgba(c.pixel));
    if (c.format == QImage::Format_ARGB32_Premultiplied) img.fill(c.pixel); // raw value
    dst.Assign(img);
    EXPECT_EQ(dst.Width(), 3);
    EXPECT_EQ(dst.Height(), 2);
    EXPECT_EQ(dst.Pixel(2, 1), c.want) << c.format;
    EXPECT_EQ(dst.HasAlpha, c.hasAlpha) << c.format;
    EXPECT_FALSE(dst.HasKeyColor);
  }
  dst.Assign(QImage());
  EXPECT_TRUE(dst.IsEmpty());
}

// ---------------------------------------------------------------------------------------
// Pixel operations

TEST(Bitmap, PerPixelOperations) {
  TspBitmap b;
  // c * a / 255 with fractions just under and over a half.
  Fill(b, {{0x7F010101, 0x80010101, 0x80FF4020, 0x00FFFFFF}});
  b.Premultiply();
  EXPECT_EQ(Row(b, 0), (std::vector<u32>{0x7F000000, 0x80010101, 0x80802010, 0x00000000}));

  Fill(b, {{0x40FF2030, 0xFF102030}});
  b.ClampToAlpha();
  EXPECT_EQ(Row(b, 0), (std::vector<u32>{0x40402030, 0xFF102030}));
  b.SetAlpha(0x12);
  EXPECT_EQ(Row(b, 0), (std::vector<u32>{0x12402030, 0x12102030}));

  Fill(b, {{0x00000000, 0xFFFFFFFF, 0xFF123456}});
  b.HasAlpha = true;
  b.CheckAlpha();
  EXPECT_FALSE(b.HasAlpha); // alphas only 0 and 255 draw opaque
  b.SetPixel(0, 0, 0x01000000);
  b.CheckAlpha();
  EXPECT_TRUE(b.HasAlpha);
}

TEST(Bitmap, MarkKeyColor) {
  TspBitmap b;
  // Red 250, green 5, blue 255 is within 5 of magenta; green 6 is not.
  Fill(b, {{0xFFFA05FF, 0xFFFA06FF, 0x80FF00FF, 0xFF00FF00}});
  b.MarkKeyColor(0xFF00FF);
  EXPECT_EQ(Row(b, 0), (std::vector<u32>{0x007F007F, 0xFFFA06FF, 0x007F007F, 0xFF00FF00}));
  EXPECT_TRUE(b.HasKeyColor);

  Fill(b, {{0xFF000000}});
  b.HasKeyColor = false;
  b.MarkKeyColor(0xFF00FF);
  EXPECT_FALSE(b.HasKeyColor);
}

TEST(Bitmap, FillRectClipsAndBlendsWithAlpha) {
  TspBitmap b;
  Fill(b, {{1, 1, 1}, {1, 1, 1}});
  b.FillRect({-5, 1, 2, 9}, 0x80FFFFFF);
  EXPECT_EQ(Row(b, 0), (std::vector<u32>{1, 1, 1}));
  EXPECT_EQ(Row(b, 1), (std::vector<u32>{0x80FFFFFF, 0x80FFFFFF, 1}));

  Fill(b, {{0xFF000000, 0xFF000000}});
  b.HasAlpha = true;
  b.FillRect({1, 0, 2, 1}, 0x80FFFFFF);
  EXPECT_EQ(Row(b, 0), (std::vector<u32>{0xFF000000, BlendPixel(0xFF000000, 0x80FFFFFF)}));
}

// ---------------------------------------------------------------------------------------
// Drawing onto bitmaps

TEST(Bitmap, DrawToInTheThreeModesAndClipped) {
  TspBitmap src;
  Fill(src, {{0x80FFFFFF, 0x007F007F}, {0xFF112233, 0x00445566}});
  TspBitmap dst;
  const auto reset = [&] {
    Fill(dst, {{0xFF000000, 0xFF000000, 0xFF000000}, {0xFF000000, 0xFF000000, 0xFF000000}});
  };

  reset(); // plain copy, alpha bytes and all
  src.DrawTo(dst, 1, 0);
  EXPECT_EQ(Row(dst, 0), (std::vector<u32>{0xFF000000, 0x80FFFFFF, 0x007F007F}));
  EXPECT_EQ(Row(dst, 1), (std::vector<u32>{0xFF000000, 0xFF112233, 0x00445566}));

  reset(); // key colour left out
  src.HasKeyColor = true;
  src.DrawTo(dst, 1, 0);
  EXPECT_EQ(Row(dst, 0), (std::vector<u32>{0xFF000000, 0x80FFFFFF, 0xFF000000}));

  reset(); // blend wins over the key colour; clipped at the top left
  src.HasAlpha = true;
  src.DrawTo(dst, -1, -1);
  EXPECT_EQ(Row(dst, 0), (std::vector<u32>{0xFF000000, 0xFF000000, 0xFF000000}));
  src.DrawTo(dst, 0, 0);
  EXPECT_EQ(Row(dst, 0), (std::vector<u32>{0xBF7F7F7F, 0xFF000000, 0xFF000000}));
  EXPECT_EQ(Row(dst, 1), (std::vector<u32>{0xFF112233, 0xFF000000, 0xFF000000}));

  // Far outside, or with a source rectangle reaching beyond the source: only real pixels.
  reset();
  src.HasAlpha = src.HasKeyColor = false;
  src.DrawTo(dst, INT_MAX, INT_MIN);
  src.DrawTo(dst, TspRect{0, 0, 3, 2}, TspRect{-1, 0, 2, 2});
  EXPECT_EQ(Row(dst, 0), (std::vector<u32>{0xFF000000, 0x80FFFFFF, 0x007F007F}));

  // Onto itself: reads the pixels as they were.
  src.DrawTo(src, 1, 0);
  EXPECT_EQ(Row(src, 0), (std::vector<u32>{0x80FFFFFF, 0x80FFFFFF}));
}

TEST(Bitmap, DrawToScalesByNearestNeighbour) {
  // Source column for target column t: round(t * (sw - 1) / (tw - 1)), halves to even; the
  // middle column for a one-pixel target.
  struct Case {
    int sourceWidth, targetWidth;
    std::vector<u32> columns;
  };
  const Case cases[] = {
      {5, 3, {0, 2, 4}},
      {4, 3, {0, 2, 3}},             // 1.5 -> 2
      {4, 7, {0, 0, 1, 2, 2, 2, 3}}, // 0.5 -> 0, 1.5 -> 2, 2.5 -> 2
      {4, 1, {2}},
      {5, 1, {2}},
      {1, 3, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    TspBitmap src, dst;
    src.SetSize(c.sourceWidth + 2, 1);
    for (int x = 0; x < src.Width(); ++x) src.SetPixel(x, 0, u32(x) - 1); // source left is 1
    dst.SetSize(c.targetWidth, 1);
    src.DrawTo(dst, TspRect{0, 0, c.targetWidth, 1}, TspRect{1, 0, 1 + c.sourceWidth, 1});
    EXPECT_EQ(Row(dst, 0), c.columns) << c.sourceWidth << " -> " << c.targetWidth;
  }
  // Rows follow the same rule.
  TspBitmap src, dst;
  Fill(src, {{10}, {11}, {12}, {13}});
  dst.SetSize(1, 3);
  src.DrawTo(dst, TspRect{0, 0, 1, 3}, TspRect{0, 0, 1, 4});
  EXPECT_EQ(dst.Pixel(0, 0), 10u);
  EXPECT_EQ(dst.Pixel(0, 1), 12u);
  EXPECT_EQ(dst.Pixel(0, 2), 13u);
}

// ---------------------------------------------------------------------------------------
// Drawing onto painters

TEST(Bitmap, DrawOntoAPainterOfAListedBitmapIsDrawTo) {
  TspBitmap src, dst, want;
  Fill(src, {{0x80FFFFFF, 0x40FF0000}});
  src.HasAlpha = true;
  Fill(dst, {{0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000}});
  want.Assign(dst);
  src.DrawTo(want, 2, 0);
  QImage view = dst.Image();
  QPainter p(&view);
  p.translate(1, 0); // the window origin
  src.Draw(p, 1, 0);
  p.end();
  EXPECT_EQ(Row(dst, 0), Row(want, 0)); // exact formula, alpha channel included
}

TEST(Bitmap, DrawOntoOtherImages) {
  TspBitmap src;
  Fill(src, {{0x80FFFFFF, 0x007F007F, 0x00123456}});

  // Blend: our formula on the colour; the device keeps its own alpha.
  for (auto format :
       {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied}) {
    QImage img(4, 1, format);
    img.fill(QColor(0, 0, 0));
    src.HasAlpha = true;
    QPainter p(&img);
    p.translate(-1, 0);
    src.Draw(p, 2, 0);
    p.end();
    EXPECT_EQ(ImageRow(img, 0), (std::vector<u32>{0xFF000000, 0xFF7F7F7F, 0xFF000000, 0xFF000000}))
        << format;
  }

  // Key colour left out; every other pixel opaque. Then a plain copy, scaled.
  QImage img(3, 1, QImage::Format_RGB32);
  img.fill(QColor(1, 2, 3));
  src.HasAlpha = false;
  src.HasKeyColor = true;
  {
    QPainter p(&img);
    src.Draw(p, 0, 0);
  }
  EXPECT_EQ(ImageRow(img, 0), (std::vector<u32>{0xFFFFFFFF, 0xFF010203, 0xFF123456}));
  src.HasKeyColor = false;
  {
    QPainter p(&img);
    src.DrawRect(p, TspRect{0, 0, 3, 1}, TspRect{1, 0, 3, 1});
  }
  // Two source columns over three: 0, round(0.5) = 0, 1.
  EXPECT_EQ(ImageRow(img, 0), (std::vector<u32>{0xFF7F007F, 0xFF7F007F, 0xFF123456}));

  // A destination far larger than the device costs no more than the device.
  {
    QPainter p(&img);
    src.DrawRect(p, TspRect{-1000000000, 0, 1000000000, 1}, TspRect{0, 0, 3, 1});
  }
  EXPECT_EQ(ImageRow(img, 0), (std::vector<u32>{0xFF7F007F, 0xFF7F007F, 0xFF7F007F}));
}

TEST(Bitmap, DrawOntoAWidgetBlendsAtItsPlaceInTheWindow) {
  // A child widget paints into the window's image at an offset; the blend must read and
  // write the pixels under the child, not those at the window's corner.
  struct Child : QWidget {
    TspBitmap glow;
    void paintEvent(QPaintEvent*) override {
      QPainter p(this);
      p.fillRect(rect(), QColor(0, 0, 0));
      glow.Draw(p, 1, 1);
    }
  };
  QWidget top;
  top.resize(20, 20);
  QPalette pal;
  pal.setColor(QPalette::Window, QColor(0, 0, 255));
  top.setPalette(pal);
  top.setAutoFillBackground(true);
  auto* child = new Child;
  child->setParent(&top);
  child->setGeometry(5, 6, 4, 4);
  Fill(child->glow, {{0x80FFFFFF, 0x00FFFFFF}});
  child->glow.HasAlpha = true;
  const QImage shot = top.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shot.pixel(6, 7), 0xFF7F7F7Fu);
  EXPECT_EQ(shot.pixel(7, 7), 0xFF000000u);
  EXPECT_EQ(shot.pixel(1, 1), 0xFF0000FFu);
}

// ---------------------------------------------------------------------------------------
// Free functions

TEST(Bitmap, AlphaFromMask) {
  TspBitmap b, mask;
  Fill(b, {{0x00FF8040, 0x00102030}});
  Fill(mask, {{0xFF030303, 0xFF0A0000, 0xFFFFFFFF}, {0, 0, 0}});
  AlphaFromMask(b, mask);
  EXPECT_EQ(Row(b, 0), (std::vector<u32>{0x03FF8040, 0x03102030})); // 10 / 3 = 3

  Fill(b, {{0x00FF8040, 0x00102030}});
  Fill(mask, {{0xFF808080, 0xFFFFFFFF}});
  AlphaFromMaskPremultiplied(b, mask);
  EXPECT_EQ(Row(b, 0), (std::vector<u32>{0x80804020, 0xFF102030}));

  TspBitmap small; // a mask smaller than the bitmap leaves it alone
  Fill(small, {{0xFFFFFFFF}});
  AlphaFromMask(b, small);
  EXPECT_EQ(Row(b, 0), (std::vector<u32>{0x80804020, 0xFF102030}));
}

namespace {
// The blur as written: weights r + 1 - |k|, positions clamped, per channel, rows then columns.
void ReferenceBlur(std::vector<std::vector<u32>>& px, int r) {
  const int h = int(px.size()), w = int(px[0].size());
  const auto line = [r](std::vector<u32> in) {
    const int n = int(in.size());
    std::vector<u32> out(in.size());
    for (int i = 0; i < n; ++i) {
      u32 v = 0xFF000000;
      for (int c = 0; c < 3; ++c) {
        long long s = 0;
        for (int k = -r; k <= r; ++k)
          s +=
              (r + 1 - std::abs(k)) * ((in[size_t(std::clamp(i + k, 0, n - 1))] >> (8 * c)) & 0xFF);
        v |= u32(s / ((r + 1) * (r + 1))) << (8 * c);
      }
      out[size_t(i)] = v;
    }
    return out;
  };
  for (auto& row : px) row = line(row);
  for (int x = 0; x < w; ++x) {
    std::vector<u32> col;
    for (int y = 0; y < h; ++y) col.push_back(px[size_t(y)][size_t(x)]);
    col = line(col);
    for (int y = 0; y < h; ++y) px[size_t(y)][size_t(x)] = col[size_t(y)];
  }
}
} // namespace

TEST(Bitmap, Blur) {
  TspBitmap b;
  Fill(b, {{0, 0, 0x00FF0000, 0, 0}});
  Blur(b, 1); // weights 1 2 1 over 4; a single row keeps its values down the columns
  EXPECT_EQ(Row(b, 0),
            (std::vector<u32>{0xFF000000, 0xFF3F0000, 0xFF7F0000, 0xFF3F0000, 0xFF000000}));

  Fill(b, {{0x10203040}});
  Blur(b, 0);
  EXPECT_EQ(b.Pixel(0, 0), 0x10203040u); // r <= 0 does nothing

  std::mt19937 rng(3);
  for (int r : {1, 2, 6, 40}) { // radii beyond the image size too
    std::vector<std::vector<u32>> px(5, std::vector<u32>(7));
    for (auto& row : px)
      for (auto& v : row) v = rng();
    Fill(b, px);
    Blur(b, r);
    ReferenceBlur(px, r);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(Row(b, y), px[size_t(y)]) << "r " << r << " row " << y;
  }
}
