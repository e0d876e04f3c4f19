#include "skin/render/regions.h"

#include <gtest/gtest.h>

namespace {

// Black where the art has '#', white elsewhere.
QImage MaskFromArt(const std::vector<const char*>& rows) {
  QImage img(int(strlen(rows[0])), int(rows.size()), QImage::Format_RGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      img.setPixel(x, y, rows[y][x] == '#' ? 0xFF000000u : 0xFFFFFFFFu);
  return img;
}

// A solid black mask of w x h with its four corner pixels white.
QImage RoundedMask(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(0xFF000000u);
  for (QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
    img.setPixel(p, 0xFFFFFFFFu);
  return img;
}

void ExpectRoundedWindow(const QRegion& r, int w, int h) {
  for (int y = -1; y <= h; ++y)
    for (int x = -1; x <= w; ++x) {
      const bool inside = x >= 0 && y >= 0 && x < w && y < h;
      const bool corner = (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
      ASSERT_EQ(r.contains(QPoint(x, y)), inside && !corner) << x << "," << y;
    }
}

TEST(Regions, MaskRegionIsTheBlackRunsOfEachRow) {
  const QImage mask = MaskFromArt({
      "...#....",
      "..###...",
      ".#####..",
      "##.#.###",
  });
  const std::optional<QRegion> r = CreateMaskRegion(mask, 10, 20);
  ASSERT_TRUE(r);
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      EXPECT_EQ(r->contains(QPoint(10 + x, 20 + y)), mask.pixel(x, y) == 0xFF000000u);
  EXPECT_EQ(r->boundingRect(), QRect(10, 20, 8, 4));

  // One run per row: one rectangle per row.
  const QImage triangle = MaskFromArt({"#...", "##..", "###.", "####"});
  EXPECT_EQ(CreateMaskRegion(triangle, 0, 0)->rectCount(), 4);

  // Only exactly black counts; alpha is ignored.
  QImage nearly(2, 1, QImage::Format_ARGB32);
  nearly.setPixel(0, 0, 0x00000000u);
  nearly.setPixel(1, 0, 0xFF000001u);
  EXPECT_EQ(*CreateMaskRegion(nearly, 0, 0), QRegion(0, 0, 1, 1));
  EXPECT_TRUE(CreateMaskRegion(QImage(), 0, 0)->isEmpty());
}

TEST(Regions, MaskNeedingTooManyRectanglesHasNoRegion) {
  // A checkerboard row of width 2n holds n runs.
  auto checker = [](int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) img.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u);
    return img;
  };
  const std::optional<QRegion> atLimit = CreateMaskRegion(checker(2 * 10001, 1), 0, 0);
  ASSERT_TRUE(atLimit);
  EXPECT_EQ(atLimit->rectCount(), 10001);
  EXPECT_FALSE(CreateMaskRegion(checker(2 * 10001 + 2, 1), 0, 0));
  EXPECT_FALSE(CreateMaskRegion(checker(200, 200), 0, 0));
}

TEST(Regions, ComposedMaskRegionForEachKind) {
  // Nine parts: a 20 x 20 mask with rounded corners grown to 50 x 40.
  const TspNinePartGeometry nine{{4, 4, 16, 16}, {4, 4}, {16, 4}, {4, 16}, {16, 16}};
  std::optional<QRegion> r = CreateComposedMaskRegion(RoundedMask(20, 20), nine, 50, 40,
                                                      TargetGeometry(nine, 20, 20, 50, 40), 1);
  ASSERT_TRUE(r);
  ExpectRoundedWindow(*r, 50, 40);

  // Horizontal three parts: lower points are zero and follow the upper ones.
  const TspNinePartGeometry horizontal{{2, 2, 18, 8}, {5, 4}, {15, 4}, {}, {}};
  r = CreateComposedMaskRegion(RoundedMask(20, 10), horizontal, 45, 10,
                               TargetGeometry(horizontal, 20, 10, 45, 10), 2);
  ASSERT_TRUE(r);
  ExpectRoundedWindow(*r, 45, 10);

  // Vertical three parts: right points are zero and follow the left ones.
  const TspNinePartGeometry vertical{{2, 3, 8, 17}, {4, 5}, {}, {4, 15}, {}};
  r = CreateComposedMaskRegion(RoundedMask(10, 20), vertical, 10, 47,
                               TargetGeometry(vertical, 10, 20, 10, 47), 3);
  ASSERT_TRUE(r);
  ExpectRoundedWindow(*r, 10, 47);
}

TEST(Regions, ComposedMaskRegionTilesNotchesAlongTheSides) {
  // A notch in the middle of the top side repeats with the side's tiles.
  const QImage mask = MaskFromArt({
      "########",
      "###.####",
      "########",
      "########",
      "########",
      "########",
  });
  const TspNinePartGeometry g{{2, 2, 6, 4}, {2, 2}, {5, 2}, {2, 4}, {5, 4}};
  const std::optional<QRegion> r =
      CreateComposedMaskRegion(mask, g, 14, 6, TargetGeometry(g, 8, 6, 14, 6), 1);
  ASSERT_TRUE(r);
  // The top side is columns 2..5 (tile 3) drawn over columns 2..11: notches at 3, 6, 9.
  for (int x = 0; x < 14; ++x)
    EXPECT_EQ(r->contains(QPoint(x, 1)), x != 3 && x != 6 && x != 9) << x;
}

TEST(Regions, NoComposedRegionWhenTooSmallOrEmpty) {
  const TspNinePartGeometry nine{{4, 4, 16, 16}, {4, 4}, {16, 4}, {4, 16}, {16, 16}};
  const QImage mask = RoundedMask(20, 20);
  // Narrower than the two fixed parts of the top band.
  EXPECT_FALSE(CreateComposedMaskRegion(mask, nine, 6, 40, TargetGeometry(nine, 20, 20, 6, 40), 1));
  // Lower than the fixed parts of the left band.
  EXPECT_FALSE(CreateComposedMaskRegion(mask, nine, 40, 6, TargetGeometry(nine, 20, 20, 40, 6), 1));
  // An empty client rectangle.
  const TspNinePartGeometry flat{{4, 4, 4, 16}, {4, 4}, {4, 4}, {4, 16}, {4, 16}};
  EXPECT_FALSE(
      CreateComposedMaskRegion(mask, flat, 20, 20, TargetGeometry(flat, 20, 20, 20, 20), 1));
  EXPECT_FALSE(CreateComposedMaskRegion(QImage(), nine, 20, 20, nine, 1));
  // Geometry beyond the mask reads nothing outside it.
  const TspNinePartGeometry wild{{4, 4, 16, 16}, {-50, 4}, {900, 4}, {4, 700}, {16, 800}};
  EXPECT_NO_THROW(
      CreateComposedMaskRegion(mask, wild, 60, 60, TargetGeometry(wild, 20, 20, 60, 60), 1));
}

} // namespace
