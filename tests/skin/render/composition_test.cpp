#include "skin/render/composition.h"
#include "skin/render/skin_error.h"

#include <QPoint>
#include <climits>
#include <gtest/gtest.h>

namespace {

// Every pixel names its own coordinates, so a composed pixel tells where it came from.
QImage CoordPicture(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, 0xFF000000u | (x << 12) | y);
  return img;
}
QPoint From(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return {int((p >> 12) & 0xFFF), int(p & 0xFFF)};
}
constexpr QRgb kUntouched = 0xFF000000u; // never a coordinate: (0,0) is drawn as such too,
                                         // so fixtures keep S away from the origin.

// A literal rendition of the tiling rules with plain per-pixel copies: tiles
// with their cuts, in the documented order, later pieces over earlier ones.
void RefCopy(QImage& t, int tx, int ty, const QImage& p, int sx, int sy, int w, int h) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (QRect(0, 0, t.width(), t.height()).contains(tx + i, ty + j) &&
          QRect(0, 0, p.width(), p.height()).contains(sx + i, sy + j))
        t.setPixel(tx + i, ty + j, p.pixel(sx + i, sy + j));
}

QImage ReferenceTiled(const QImage& P, const TspRect& S, const TspNinePartGeometry& g, int w,
                      int h) {
  QImage T(w, h, QImage::Format_RGB32);
  T.fill(kUntouched);
  const TspNinePartGeometry d = TargetGeometry(g, S.Width(), S.Height(), w, h);
  const int W = S.Width(), H = S.Height();
  const TspRect c = g.ClientRect, dc = d.ClientRect;
  auto copy = [&](int sx, int sy, int tw, int th, int tx, int ty) {
    RefCopy(T, tx, ty, P, S.Left + sx, S.Top + sy, tw, th);
  };
  auto tileX = [&](int sx, int sy, int t, int depth, int from, int to, int ty) {
    if (t <= 0 || (to - from) / t < 0) return;
    for (int k = 0; k <= (to - from) / t; ++k) {
      const int start = from + k * t, cut = std::max(0, start + t - to);
      copy(sx, sy, t - cut, depth, start, ty);
    }
  };
  auto tileY = [&](int sx, int sy, int t, int depth, int from, int to, int tx) {
    if (t <= 0 || (to - from) / t < 0) return;
    for (int k = 0; k <= (to - from) / t; ++k) {
      const int start = from + k * t, cut = std::max(0, start + t - to);
      copy(sx, sy, depth, t - cut, tx, start);
    }
  };
  tileX(g.LT.X, 0, g.RT.X - g.LT.X, c.Top, d.LT.X, d.RT.X, 0);
  tileX(g.LB.X, c.Bottom, g.RB.X - g.LB.X, H - c.Bottom, d.LB.X, d.RB.X, dc.Bottom);
  tileY(0, g.LT.Y, g.LB.Y - g.LT.Y, c.Left, d.LT.Y, d.LB.Y, 0);
  tileY(c.Right, g.RT.Y, g.RB.Y - g.RT.Y, W - c.Right, d.RT.Y, d.RB.Y, dc.Right);
  copy(0, 0, g.LT.X, c.Top, 0, 0);
  copy(0, c.Top, c.Left, g.LT.Y - c.Top, 0, dc.Top);
  copy(g.RT.X, 0, W - g.RT.X, c.Top, d.RT.X, 0);
  copy(c.Right, c.Top, W - c.Right, g.RT.Y - c.Top, dc.Right, dc.Top);
  copy(0, g.LB.Y, c.Left, H - g.LB.Y, 0, d.LB.Y);
  copy(c.Left, c.Bottom, g.LB.X - c.Left, H - c.Bottom, dc.Left, dc.Bottom);
  copy(g.RB.X, c.Bottom, W - g.RB.X, H - c.Bottom, d.RB.X, dc.Bottom);
  copy(c.Right, g.RB.Y, W - c.Right, c.Bottom - g.RB.Y, dc.Right, d.RB.Y);
  const int tw = c.Width(), th = c.Height(), cw = dc.Width(), ch = dc.Height();
  if (cw / tw >= 0)
    for (int i = 0; i <= cw / tw; ++i)
      for (int j = 0; j <= ch / th; ++j) {
        const int cx = std::max(0, (i + 1) * tw - cw), cy = std::max(0, (j + 1) * th - ch);
        copy(c.Left, c.Top, tw - cx, th - cy, dc.Left + i * tw, dc.Top + j * th);
      }
  return T;
}

// An irregular frame: corner points off the client corners, sides of different lengths.
const TspRect kS{3, 2, 23, 20}; // 20 x 18
const TspNinePartGeometry kGeometry{{4, 3, 15, 14}, {6, 5}, {13, 4}, {5, 12}, {14, 13}};

TEST(Composition, ChooseCompositionByCornerPoints) {
  const TspRect skin{0, 0, 20, 23};
  struct Case {
    TspRect rect;
    TspPoint rt, lb, rb;
    int kind;
  };
  const Case cases[] = {
      {{5, 5, 5, 9}, {1, 1}, {1, 1}, {1, 1}, kCompositionNone},
      {{0, 0, 20, -1}, {}, {}, {}, kCompositionNone},
      {skin, {15, 10}, {4, 12}, {15, 12}, kCompositionNinePart},
      {skin, {15, 10}, {}, {15, 0}, kCompositionHorizontal}, // RB needs both coordinates
      {skin, {0, 3}, {}, {}, kCompositionHorizontal},
      {skin, {}, {0, 12}, {}, kCompositionVertical},
      {skin, {}, {}, {}, kCompositionFixed},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseComposition(c.rect, {{}, {4, 11}, c.rt, c.lb, c.rb}), c.kind)
        << c.rect.Left << "," << c.rect.Top << "," << c.rect.Right << "," << c.rect.Bottom;
  }
}

TEST(Composition, TargetGeometryMovesRightAndLowerParts) {
  const TspNinePartGeometry d = TargetGeometry(kGeometry, 20, 18, 50, 10);
  EXPECT_EQ(d, (TspNinePartGeometry{{4, 3, 45, 6}, {6, 5}, {43, 4}, {5, 4}, {44, 5}}));
}

TEST(Composition, NinePartTilingFollowsTheTileRulesAtEverySize) {
  const QImage P = CoordPicture(40, 40);
  // Includes sizes below the fixed parts (overlap), exact multiples of the
  // tiles (an empty last tile) and the skin size itself.
  for (int w : {1, 5, 9, 13, 20, 21, 27, 33, 41, 57})
    for (int h : {1, 4, 11, 18, 19, 25, 29, 44}) {
      QImage target;
      ComposeNinePartImage(target, P, kS, kGeometry, w, h, TargetGeometry(kGeometry, 20, 18, w, h),
                           TspStretchFlags{}, true);
      ASSERT_EQ(target.size(), QSize(w, h));
      ASSERT_EQ(target, ReferenceTiled(P, kS, kGeometry, w, h)) << w << " x " << h;
    }
}

TEST(Composition, NinePartAtSkinSizeReproducesTheSkinRectangle) {
  const QImage P = CoordPicture(40, 40);
  const QImage skin = P.copy(kS.ToQRect());
  for (int mask = 0; mask < 32; ++mask)
    for (int type = 0; type <= 2; ++type) {
      const TspStretchFlags f{bool(mask & 1), bool(mask & 2),  bool(mask & 4),
                              bool(mask & 8), bool(mask & 16), type};
      QImage target;
      ComposeNinePartImage(target, P, kS, kGeometry, 20, 18,
                           TargetGeometry(kGeometry, 20, 18, 20, 18), f, true);
      ASSERT_EQ(target, skin) << "flags " << mask << " type " << type;
      // The second entry point takes the flags after the draw-centre flag.
      QImage second;
      ComposeNinePartImage(second, P, kS, kGeometry, 20, 18,
                           TargetGeometry(kGeometry, 20, 18, 20, 18), true, f);
      ASSERT_EQ(second, skin);
    }
}

TEST(Composition, StretchedSidesRepeatRowsAndColumns) {
  const QImage P = CoordPicture(40, 40);
  const int w = 20 + 7, h = 18 + 7; // top side 7 -> 14, left side 7 -> 14: every pixel twice
  QImage t;
  ComposeNinePartImage(t, P, kS, kGeometry, w, h, TargetGeometry(kGeometry, 20, 18, w, h),
                       TspStretchFlags{true, true, true, true, true, kStretchFull}, false);
  for (int x = 6; x < 20; ++x) EXPECT_EQ(From(t, x, 1), QPoint(kS.Left + 6 + (x - 6) / 2, 3));
  for (int y = 5; y < 19; ++y) EXPECT_EQ(From(t, 1, y), QPoint(4, kS.Top + 5 + (y - 5) / 2));
  // Without the draw-centre flag the client rectangle keeps what the target had.
  EXPECT_EQ(t.pixel(10, 10), kUntouched);
}

TEST(Composition, StretchTypesOneAndTwoRepeatTheScaledCentre) {
  // A 10 x 10 centre inside a 2-pixel frame, drawn into a 25 x 30 client rectangle.
  const QImage P = CoordPicture(30, 30);
  const TspRect S{5, 5, 19, 19};
  const TspNinePartGeometry g{{2, 2, 12, 12}, {2, 2}, {12, 2}, {2, 12}, {12, 12}};
  const int w = 14 + 15, h = 14 + 20;
  QImage t;
  ComposeNinePartImage(t, P, S, g, w, h, TargetGeometry(g, 14, 14, w, h),
                       TspStretchFlags{false, false, false, false, true, kStretchVertical}, true);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 25; ++x)
      ASSERT_EQ(From(t, 2 + x, 2 + y), QPoint(7 + x % 10, 7 + y / 3)) << x << "," << y;
  EXPECT_EQ(From(t, 27, 10).x(), 5 + 12); // the right side, not a sixth centre column

  ComposeNinePartImage(t, P, S, g, w, h, TargetGeometry(g, 14, 14, w, h),
                       TspStretchFlags{false, false, false, false, true, kStretchHorizontal}, true);
  EXPECT_EQ(From(t, 2 + 24, 2 + 0), QPoint(7 + 24 * 10 / 25, 7)); // (2*24+1)*10/50 = 9
  EXPECT_EQ(From(t, 2 + 0, 2 + 25), QPoint(7, 7 + 5));            // repeated downwards
}

TEST(Composition, StretchTypeGivesTheTileSizeAndAxisFills) {
  // A 10 x 6 piece covering a 40 x 30 area.
  const QSize piece(10, 6), area(40, 30);
  constexpr auto Scale = TspAxisFill::Scale, Tile = TspAxisFill::Tile;
  const struct {
    bool stretcheffect;
    int stretchtype;
    TspCentreFill fill;
    QSize tile; // empty: the piece repeated as it is
  } cases[] = {
      {false, kStretchFull, {Tile, Tile}, QSize()},
      {false, kStretchVertical, {Tile, Tile}, QSize()},
      {false, kStretchHorizontal, {Tile, Tile}, QSize()},
      {true, kStretchFull, {Scale, Scale}, QSize(40, 30)},
      {true, kStretchVertical, {Tile, Scale}, QSize(10, 30)},
      {true, kStretchHorizontal, {Scale, Tile}, QSize(40, 6)},
      {true, 7, {Scale, Scale}, QSize(40, 30)}, // an unknown type stretches whole
  };
  for (const auto& c : cases) {
    const TspCentreFill fill = CentreFill(c.stretcheffect, c.stretchtype);
    EXPECT_EQ(fill.Columns, c.fill.Columns) << c.stretcheffect << " " << c.stretchtype;
    EXPECT_EQ(fill.Rows, c.fill.Rows) << c.stretcheffect << " " << c.stretchtype;
    EXPECT_EQ(StretchTileSize(c.stretcheffect, c.stretchtype, piece, area), c.tile)
        << c.stretcheffect << " " << c.stretchtype;
    const TspStretchFlags flags{false, false, false, false, c.stretcheffect, c.stretchtype};
    EXPECT_EQ(StretchTileSize(flags, piece, area), c.tile);
  }
}

TEST(Composition, HorizontalButtonFiftyWide) {
  // The built-in button: skinrect 0,0,20,23, lefttoppoint 4,11, righttoppoint 15,10.
  const QImage P = CoordPicture(30, 30);
  const TspRect S{6, 4, 26, 27};
  QImage t;
  ComposeHorizontalImage(t, P, S, 4, 20 - 15, false, 50);
  ASSERT_EQ(t.size(), QSize(50, 23));
  for (int x = 0; x < 50; ++x) {
    const int expected = x < 4 ? x : x >= 45 ? 15 + (x - 45) : 4 + (x - 4) % 11;
    ASSERT_EQ(From(t, x, 7), QPoint(6 + expected, 4 + 7)) << x;
  }
  EXPECT_EQ(From(t, 44, 22), QPoint(6 + 4 + 7, 4 + 22)); // fourth tile cut after 8 columns

  ComposeHorizontalImage(t, P, S, 4, 5, true, 4 + 22 + 5); // middle 11 -> 22
  EXPECT_EQ(From(t, 4 + 21, 0).x(), 6 + 4 + 10);
  EXPECT_EQ(From(t, 4 + 22, 0).x(), 6 + 15);

  ComposeVerticalImage(t, P, S, 3, 4, false, 40);
  ASSERT_EQ(t.size(), QSize(20, 40));
  EXPECT_EQ(From(t, 0, 2), QPoint(6, 4 + 2));
  EXPECT_EQ(From(t, 0, 3 + 16), QPoint(6, 4 + 3)); // middle of 16 rows repeats
  EXPECT_EQ(From(t, 0, 39), QPoint(6, 4 + 22));

  // Narrower than the fixed parts: the right part covers the left one.
  ComposeHorizontalImage(t, P, S, 4, 5, false, 6);
  EXPECT_EQ(From(t, 0, 0).x(), 6 + 0);
  EXPECT_EQ(From(t, 1, 0).x(), 6 + 15);
}

TEST(Composition, StretchedImageKeepsCornersAndStretchesTheRest) {
  const QImage P = CoordPicture(40, 40);
  QImage t(40, 36, QImage::Format_RGB32);
  t.fill(kUntouched);
  ComposeStretchedImage(t, P, kS, kGeometry.ClientRect, true);
  ASSERT_EQ(t.size(), QSize(40, 36));
  EXPECT_EQ(From(t, 0, 0), QPoint(kS.Left, kS.Top));
  EXPECT_EQ(From(t, 39, 35), QPoint(kS.Right - 1, kS.Bottom - 1));
  // Client 11 x 11 stretched to 31 x 29; its first and last pixels come from its corners.
  EXPECT_EQ(From(t, 4, 3), QPoint(kS.Left + 4, kS.Top + 3));
  EXPECT_EQ(From(t, 34, 31), QPoint(kS.Left + 14, kS.Top + 13));
  QImage none;
  ComposeStretchedImage(none, P, kS, kGeometry.ClientRect, true);
  EXPECT_TRUE(none.isNull());
}

TEST(Composition, BorderStripsTileFromTheirOwnStart) {
  const QImage P = CoordPicture(40, 40);
  const int w = 41, h = 29;
  const TspNinePartGeometry d = TargetGeometry(kGeometry, 20, 18, w, h);
  const TspBorderStrips s = ComposeBorderStrips(P, kS, kGeometry, w, h, d, TspStretchFlags{});
  ASSERT_EQ(s.Top.size(), QSize(41, 3));
  ASSERT_EQ(s.Bottom.size(), QSize(41, 4));
  ASSERT_EQ(s.Left.size(), QSize(4, 29 - 3 - 4));
  ASSERT_EQ(s.Right.size(), QSize(5, 22));
  // Top: fixed ends, and between them tiles phased from column 0 (tile 7).
  EXPECT_EQ(From(s.Top, 5, 1), QPoint(kS.Left + 5, kS.Top + 1));
  EXPECT_EQ(From(s.Top, 20, 1), QPoint(kS.Left + 6 + 20 % 7, kS.Top + 1));
  EXPECT_EQ(From(s.Top, 40, 0), QPoint(kS.Left + 19, kS.Top));
  // Left: rows ct..LT.y first, then tiles phased from row 0 (tile 7), rows LB.y..cb last.
  EXPECT_EQ(From(s.Left, 0, 0), QPoint(kS.Left, kS.Top + 3));
  EXPECT_EQ(From(s.Left, 0, 10), QPoint(kS.Left, kS.Top + 5 + 10 % 7));
  EXPECT_EQ(From(s.Left, 0, 21), QPoint(kS.Left, kS.Top + 13));
  // Right: the right columns of S.
  EXPECT_EQ(From(s.Right, 4, 0), QPoint(kS.Left + 19, kS.Top + 3));

  // A side without length leaves its strip unmade.
  TspNinePartGeometry flat = kGeometry;
  flat.RT.X = flat.LT.X;
  const TspBorderStrips f = ComposeBorderStrips(P, kS, flat, w, h, d, TspStretchFlags{});
  EXPECT_TRUE(f.Top.isNull());
  EXPECT_FALSE(f.Bottom.isNull());
}

TEST(Composition, NothingDrawnWithoutPictureOrWithDegenerateCorners) {
  QImage t;
  ComposeNinePartImage(t, QImage(), kS, kGeometry, 30, 20, kGeometry, TspStretchFlags{}, true);
  ASSERT_EQ(t.size(), QSize(30, 20));
  EXPECT_EQ(t.pixel(5, 5), kUntouched);

  // A target already of the size keeps its pixels.
  t.fill(0xFF123456u);
  TspNinePartGeometry g = kGeometry;
  g.RB.X = g.LT.X;
  ComposeNinePartImage(t, CoordPicture(40, 40), kS, g, 30, 20, g, TspStretchFlags{}, true);
  EXPECT_EQ(t.pixel(0, 0), 0xFF123456u);

  ComposeNinePartImage(t, CoordPicture(40, 40), kS, kGeometry, 0, 20, kGeometry, TspStretchFlags{},
                       true);
  EXPECT_TRUE(t.isNull());
}

TEST(Composition, SkinRectanglesOutsideThePictureDrawOnlyWhatExists) {
  const QImage P = CoordPicture(20, 20);
  struct Case {
    const char* name;
    TspRect S;
    TspNinePartGeometry g;
  };
  const TspNinePartGeometry huge{{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                                 {INT_MAX, INT_MIN},
                                 {INT_MIN, 3},
                                 {5, INT_MAX},
                                 {INT_MAX, INT_MAX}};
  const Case cases[] = {
      {"overlapping the edge", {-10, -10, 10, 8}, kGeometry},
      {"far outside", {500, 500, 520, 518}, kGeometry},
      {"points beyond S", {3, 2, 23, 20}, {{4, 3, 60, 70}, {90, 5}, {-40, 4}, {5, 80}, {99, 99}}},
      {"extreme values", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, huge},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int stretch : {0, 1}) {
      const TspStretchFlags f{bool(stretch), bool(stretch), bool(stretch),
                              bool(stretch), bool(stretch), 1};
      QImage t;
      ComposeNinePartImage(t, P, c.S, c.g, 60, 50, TargetGeometry(c.g, 20, 18, 60, 50), f, true);
      ASSERT_EQ(t.size(), QSize(60, 50));
      for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x)
          if (t.pixel(x, y) != kUntouched) {
            ASSERT_TRUE(QRect(0, 0, 20, 20).contains(From(t, x, y)));
          }
      ComposeBorderStrips(P, c.S, c.g, 60, 50, TargetGeometry(c.g, 20, 18, 60, 50), f);
      if (c.S.Top != INT_MIN) ComposeHorizontalImage(t, P, c.S, 4, 5, bool(stretch), 60);
    }
  }
  // A part taller or wider than its picture gives no image, never one of the size it names.
  QImage tall(5, 5, QImage::Format_RGB32), wide(5, 5, QImage::Format_RGB32);
  ComposeHorizontalImage(tall, P, {0, 0, 20, 100000}, 4, 5, false, 60);
  ComposeVerticalImage(wide, P, {0, 0, 100000, 18}, 4, 5, false, 60);
  EXPECT_TRUE(tall.isNull());
  EXPECT_TRUE(wide.isNull());

  // Where S overlaps the picture, the overlapping part is drawn exactly.
  QImage t;
  ComposeNinePartImage(t, P, {-10, -10, 10, 8}, kGeometry, 20, 18,
                       TargetGeometry(kGeometry, 20, 18, 20, 18), TspStretchFlags{}, true);
  EXPECT_EQ(From(t, 15, 12), QPoint(5, 2));
  EXPECT_EQ(t.pixel(3, 3), kUntouched);
}

} // namespace
