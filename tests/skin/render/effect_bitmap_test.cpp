#include "skin/render/effect_bitmap.h"
#include "skin/render/skin_error.h"
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

using u32 = std::uint32_t;

// One row of grey levels (blue = green = red = v).
TspEffectBmp GreyRow(const std::vector<int>& levels) {
  TspEffectBmp b(int(levels.size()), 1);
  for (int x = 0; x < int(levels.size()); ++x) b.SetPixel(x, 0, u32(levels[size_t(x)]) * 0x010101u);
  return b;
}

// The blue channel of every pixel, row by row.
std::vector<int> Blues(const TspEffectBmp& b) {
  std::vector<int> v;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) v.push_back(int(b.Pixel(x, y) & 0xFF));
  return v;
}

TspEffectBmp Filled(int w, int h, u32 rgb) {
  TspEffectBmp b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, rgb);
  return b;
}

} // namespace

TEST(EffectBmp, LayoutAndConversions) {
  const int rowLengths[] = {0, 4, 8, 12, 12, 16, 20};
  for (int w = 1; w <= 6; ++w) EXPECT_EQ(TspEffectBmp(w, 2).RowLength(), rowLengths[w]) << w;

  QImage img(3, 2, QImage::Format_ARGB32);
  img.fill(0x40112233);
  img.setPixel(2, 1, 0xFFA0B0C0);
  TspEffectBmp b(img);
  EXPECT_EQ(b.Pixel(0, 0), 0x112233u); // alpha dropped
  EXPECT_EQ(b.Pixel(2, 1), 0xA0B0C0u);
  EXPECT_EQ(b.ScanLine(1)[6], 0xC0); // blue, green, red
  EXPECT_EQ(b.ScanLine(1)[8], 0xA0);
  const QImage back = b.ToImage();
  EXPECT_EQ(back.format(), QImage::Format_RGB32);
  EXPECT_EQ(back.pixel(2, 1), 0xFFA0B0C0u);
  EXPECT_EQ(back.pixel(0, 0), 0xFF112233u);
  EXPECT_EQ(TspEffectBmp(img.convertToFormat(QImage::Format_RGB888)).Pixel(2, 1), 0xA0B0C0u);

  QImage target(5, 3, QImage::Format_RGB32);
  target.fill(0xFF000000);
  {
    QPainter p(&target);
    b.Draw(p, 2, 1);
  }
  EXPECT_EQ(target.pixel(4, 2), 0xFFA0B0C0u);
  EXPECT_EQ(target.pixel(2, 1), 0xFF112233u);
  EXPECT_EQ(target.pixel(1, 1), 0xFF000000u);

  EXPECT_THROW(TspEffectBmp(1 << 15, 1 << 14), EOutOfResources);
  EXPECT_EQ(TspEffectBmp(-4, 3).Width(), 0);
}

TEST(EffectBmp, InactiveEffects) {
  struct Case {
    const char* name;
    std::function<void(TspEffectBmp&)> effect;
    u32 in, out;
  };
  const Case cases[] = {
      {"brighten black", [](auto& b) { b.Brighten(0.5); }, 0x000000, 0x808080}, // 127.5 -> 128
      {"brighten white", [](auto& b) { b.Brighten(0.5); }, 0xFFFFFF, 0xFFFFFF},
      {"brighten past 1", [](auto& b) { b.Brighten(7); }, 0x102030, 0xFFFFFF},
      {"darken", [](auto& b) { b.Darken(0.3); }, 0xC8C8C8, 0x8C8C8C},        // 200 -> 140
      {"darken halves", [](auto& b) { b.Darken(0.3); }, 0x2D0F55, 0x200A3C}, // 31.5 10.5 59.5
      {"darken below 0", [](auto& b) { b.Darken(-1); }, 0x2D0F55, 0x2D0F55},
      {"grey of red", [](auto& b) { b.Grayscale(); }, 0xFF0000, 0x4C4C4C},    // 76.5 -> 76
      {"grey of green", [](auto& b) { b.Grayscale(); }, 0x00FF00, 0x969696},  // 150.45
      {"grey of blue", [](auto& b) { b.Grayscale(); }, 0x0000FF, 0x1C1C1C},   // 28.05
      {"grey of a half", [](auto& b) { b.Grayscale(); }, 0x050000, 0x020202}, // 1.5 -> 2
      {"invert", [](auto& b) { b.Invert(); }, 0x0A141E, 0xF5EBE1},
      {"no noise", [](auto& b) { b.Noise(0); }, 0x0A141E, 0x0A141E},
      {"no split blur", [](auto& b) { b.SplitBlur(0); }, 0x0A141E, 0x0A141E},
  };
  for (const auto& c : cases) {
    TspEffectBmp b = Filled(2, 2, c.in);
    c.effect(b);
    EXPECT_EQ(b.Pixel(1, 1), c.out) << c.name;
    EXPECT_EQ(b.Pixel(0, 0), c.out) << c.name;
  }
}

TEST(EffectBmp, NoiseAddsOneOffsetPerPixelInRange) {
  TspEffectBmp b = Filled(64, 64, 0x646464);
  b.Noise(50); // n from 0 to 49, minus 25
  std::set<int> seen;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const u32 p = b.Pixel(x, y);
      const int blue = int(p & 0xFF);
      EXPECT_EQ(p, u32(blue) * 0x010101u);
      seen.insert(blue - 100);
    }
  EXPECT_EQ(*seen.begin(), -25);
  EXPECT_EQ(*seen.rbegin(), 24);

  TspEffectBmp edges = GreyRow({0, 255});
  for (int i = 0; i < 50; ++i) edges.Noise(1000);
  EXPECT_LE(Blues(edges)[0], 255); // clamped, never wrapped
}

TEST(EffectBmp, SplitBlurReadsTheRowAboveAfterItIsBlurred) {
  // Neighbours at distance 1; at the right edge W - x, at the bottom H - y.
  TspEffectBmp b(3, 2);
  const int levels[2][3] = {{0, 40, 80}, {120, 160, 200}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) b.SetPixel(x, y, u32(levels[y][x]));
  b.SplitBlur(1);
  EXPECT_EQ(Blues(b), (std::vector<int>{80, 100, 100, 115, 125, 130}));

  // Below 0 the position itself, not the edge: x = 1 reads columns 1 and 3.
  TspEffectBmp row = GreyRow({0, 40, 80, 120});
  row.SplitBlur(2);
  EXPECT_EQ(Blues(row), (std::vector<int>{40, 80, 40, 40}));

  // Edge positions that would leave the image are kept inside it.
  TspEffectBmp narrow = GreyRow({0, 100});
  narrow.SplitBlur(5);
  EXPECT_EQ(Blues(narrow), (std::vector<int>{50, 100}));
  TspEffectBmp dot = GreyRow({77});
  dot.SplitBlur(1);
  EXPECT_EQ(Blues(dot), (std::vector<int>{77}));
}

TEST(EffectBmp, Morphs) {
  // Old image black, new image 200 (or distinct columns for the moving kinds).
  const std::vector<int> black(10, 0), grey(10, 200);
  const std::vector<int> cols = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
  const std::vector<int> olds = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  struct Case {
    const char* name;
    std::vector<int> before, after;
    std::function<void(TspEffectBmp&, const TspEffectBmp&)> morph;
    std::vector<int> want;
  };
  const Case cases[] = {
      {"fade",
       {0, 10, 255},
       {255, 21, 0},
       [](auto& b, auto& n) { b.MorphFade(n, 0.5); },
       {128, 16, 128}},
      {"fade past 1", {0, 10}, {255, 21}, [](auto& b, auto& n) { b.MorphFade(n, 3); }, {255, 21}},
      {"gradient",
       black,
       grey,
       [](auto& b, auto& n) { b.MorphGradient(n, 0.4); },
       {0, 67, 133, 200, 200, 200, 200, 200, 133, 67}},
      {"left gradient",
       black,
       grey,
       [](auto& b, auto& n) { b.MorphLeftGradient(n, 0.4); },
       {200, 150, 100, 50, 0, 0, 0, 0, 0, 0}},
      {"right gradient",
       black,
       grey,
       [](auto& b, auto& n) { b.MorphRightGradient(n, 0.4); },
       {0, 0, 0, 0, 0, 0, 50, 100, 150, 200}},
      {"left slide at 0",
       olds,
       cols,
       [](auto& b, auto& n) { b.MorphLeftSlide(n, 0); },
       {19, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"left slide",
       olds,
       cols,
       [](auto& b, auto& n) { b.MorphLeftSlide(n, 0.34); },
       {17, 18, 19, 3, 4, 5, 6, 7, 8, 9}},
      {"left slide at 1",
       olds,
       cols,
       [](auto& b, auto& n) { b.MorphLeftSlide(n, 1); },
       {11, 12, 13, 14, 15, 16, 17, 18, 19, 9}},
      {"right slide",
       olds,
       cols,
       [](auto& b, auto& n) { b.MorphRightSlide(n, 0.34); },
       {0, 1, 2, 3, 4, 5, 6, 10, 11, 12}},
      {"push at 0",
       olds,
       cols,
       [](auto& b, auto& n) { b.MorphPush(n, 0); },
       {19, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"push",
       olds,
       cols,
       [](auto& b, auto& n) { b.MorphPush(n, 0.25); }, // a = round(2.5) = 2
       {17, 18, 19, 0, 1, 2, 3, 4, 5, 6}},
      {"unequal sizes", olds, {1, 2}, [](auto& b, auto& n) { b.MorphPush(n, 0.5); }, olds},
      // One pixel wide: every kind stays inside and shows the new column.
      {"narrow left gradient",
       {5},
       {9},
       [](auto& b, auto& n) { b.MorphLeftGradient(n, 0.5); },
       {9}},
      {"narrow left slide", {5}, {9}, [](auto& b, auto& n) { b.MorphLeftSlide(n, 0.5); }, {9}},
      {"narrow right slide", {5}, {9}, [](auto& b, auto& n) { b.MorphRightSlide(n, 0.5); }, {9}},
      {"narrow push", {5}, {9}, [](auto& b, auto& n) { b.MorphPush(n, 1); }, {9}},
      {"narrow right gradient",
       {5},
       {9},
       [](auto& b, auto& n) { b.MorphRightGradient(n, 1); },
       {9}},
  };
  for (const auto& c : cases) {
    TspEffectBmp b = GreyRow(c.before);
    c.morph(b, GreyRow(c.after));
    EXPECT_EQ(Blues(b), c.want) << c.name;
  }

  // A large fade (worked through a table of every pair) agrees with fading pixels one by one.
  TspEffectBmp large(512, 200), largeNext(512, 200);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 512; ++x) {
      large.SetPixel(x, y, u32(x * 131 + y * 7) & 0xFFFFFF);
      largeNext.SetPixel(x, y, u32(y * 977 + x * 3) & 0xFFFFFF);
    }
  const TspEffectBmp largeBefore = large;
  large.MorphFade(largeNext, 0.3);
  for (int y = 0; y < 200; y += 7)
    for (int x = 0; x < 512; x += 5) {
      TspEffectBmp one(1, 1), oneNext(1, 1);
      one.SetPixel(0, 0, largeBefore.Pixel(x, y));
      oneNext.SetPixel(0, 0, largeNext.Pixel(x, y));
      one.MorphFade(oneNext, 0.3);
      ASSERT_EQ(large.Pixel(x, y), one.Pixel(0, 0)) << x << "," << y;
    }

  // Taller than wide: the gradient runs along the rows, its step 1 / ((H - a - 1) div 2).
  TspEffectBmp tall(1, 10), next = Filled(1, 10, 0xC8C8C8);
  tall.MorphGradient(next, 0.4);
  EXPECT_EQ(Blues(tall), (std::vector<int>{0, 0, 100, 200, 200, 200, 200, 200, 100, 0}));
  TspEffectBmp nearlyDone(1, 10); // (H - a - 1) div 2 = 0: step 0, every row new
  nearlyDone.MorphGradient(next, 0.9);
  EXPECT_EQ(Blues(nearlyDone), std::vector<int>(10, 200));
}

TEST(EffectBmp, WaveLabelEffects) {
  // Pixel (x, y) holds x + 10 y.
  TspEffectBmp b(4, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 4; ++x) b.SetPixel(x, y, u32(x + 10 * y));
  const std::vector<int> original = Blues(b);
  b.Wave(3, 1, 0);
  EXPECT_EQ(Blues(b), original);
  b.Wave(0, 1, 5);
  EXPECT_EQ(Blues(b), original);
  // Rows shift by round(sin y): 0, 1, 1, 0, -1; columns barely move (xdiv huge).
  b.Wave(1000000, 1, 1);
  EXPECT_EQ(Blues(b), (std::vector<int>{0,  1,  2,  3,  11, 12, 13, 13, 21, 22,
                                        23, 23, 30, 31, 32, 33, 40, 40, 41, 42}));
  // Columns shift their rows by round(sin x): 0, 1, 1, 0.
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 4; ++x) b.SetPixel(x, y, u32(x + 10 * y));
  b.Wave(1, 1000000, 1);
  EXPECT_EQ(Blues(b), (std::vector<int>{0,  11, 12, 3,  10, 21, 22, 13, 20, 31,
                                        32, 23, 30, 41, 42, 33, 40, 41, 42, 43}));

  // Tint where the mask is not white; red in a colour is its low byte.
  TspEffectBmp img = Filled(5, 1, 0x000000);
  TspEffectBmp mask = Filled(5, 2, 0x000000);
  const u32 maskRow[] = {0x000000, 0xFFFFFF, 0xFEFFFF, 0xFFFEFF, 0xFFFFFE};
  for (int x = 0; x < 5; ++x) mask.SetPixel(x, 0, maskRow[x]);
  img.Tint(mask, 0x0000FF, 0.5);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(img.Pixel(x, 0), x == 1 ? 0u : 0x800000u) << x;
  img.Tint(Filled(4, 1, 0), 0x0000FF, 1); // mask of another width: nothing
  EXPECT_EQ(img.Pixel(0, 0), 0x800000u);

  // Smoothing only where a diagonal neighbour of the mask is white.
  TspEffectBmp text = GreyRow({0, 40, 100});
  text.SmoothEdges(GreyRow({0, 0, 255}), 1);
  EXPECT_EQ(Blues(text), (std::vector<int>{0, 50, 100}));
  TspEffectBmp dot = GreyRow({77});
  dot.SmoothEdges(GreyRow({0}), 3);
  EXPECT_EQ(Blues(dot), (std::vector<int>{77}));
}

TEST(EffectBmp, Rotations) {
  // 3 x 2: 1 2 3 / 4 5 6.
  TspEffectBmp b(3, 2);
  for (int i = 0; i < 6; ++i) b.SetPixel(i % 3, i / 3, u32(i + 1));
  TspEffectBmp left(2, 3), right(2, 3), flip(3, 2), wrong(3, 3);
  b.RotateLeft(left);
  EXPECT_EQ(Blues(left), (std::vector<int>{3, 6, 2, 5, 1, 4}));
  b.RotateRight(right);
  EXPECT_EQ(Blues(right), (std::vector<int>{4, 1, 5, 2, 6, 3}));
  b.FlipVertical(flip);
  EXPECT_EQ(Blues(flip), (std::vector<int>{4, 5, 6, 1, 2, 3}));
  b.RotateLeft(wrong);
  EXPECT_EQ(Blues(wrong), std::vector<int>(9, 0));

  TspEffectBmp square(2, 2); // 1 2 / 3 4, turned in place
  for (int i = 0; i < 4; ++i) square.SetPixel(i % 2, i / 2, u32(i + 1));
  square.RotateLeft(square);
  EXPECT_EQ(Blues(square), (std::vector<int>{2, 4, 1, 3}));
  square.FlipVertical(square);
  EXPECT_EQ(Blues(square), (std::vector<int>{1, 3, 2, 4}));
}
