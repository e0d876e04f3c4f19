#include "skin/controls/control_image.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
std::unique_ptr<TspDataSkinButtonControl> Record(TspRect skinrect, TspPoint lt, TspPoint rt,
                                                 TspPoint lb, TspPoint rb) {
  auto r = std::make_unique<TspDataSkinButtonControl>();
  r->skinrect = skinrect;
  r->lefttoppoint = lt;
  r->righttoppoint = rt;
  r->leftbottompoint = lb;
  r->rightbottompoint = rb;
  r->clientrect = {lt.X, lt.Y, std::max(rt.X, lt.X), std::max(lb.Y, lt.Y)};
  return r;
}
} // namespace

TEST(ControlImage, FitSizeKeepsWhatTheKindFixes) {
  struct Case {
    const char* Name;
    std::unique_ptr<TspDataSkinButtonControl> Rec;
    QSize Asked, Fitted;
    int Mode;
  } cases[] = {
      {"fixed", Record({0, 0, 20, 23}, {}, {}, {}, {}), {100, 50}, {20, 23}, kCompositionFixed},
      {"horizontal",
       Record({0, 0, 20, 23}, {4, 11}, {15, 10}, {}, {}),
       {50, 40},
       {50, 23},
       kCompositionHorizontal},
      {"vertical",
       Record({0, 0, 14, 30}, {0, 4}, {}, {0, 26}, {}),
       {80, 90},
       {14, 90},
       kCompositionVertical},
      {"nine-part",
       Record({0, 0, 30, 30}, {5, 5}, {25, 5}, {5, 25}, {25, 25}),
       {77, 41},
       {77, 41},
       kCompositionNinePart},
      {"empty",
       Record({0, 0, 0, 23}, {4, 11}, {15, 10}, {}, {}),
       {77, 41},
       {77, 41},
       kCompositionNone},
      {"beyond any picture",
       Record({0, 0, 60000, 60000}, {}, {}, {}, {}),
       {10, 10},
       {10, 10},
       kCompositionNone},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TspControlGeometry g = ControlGeometry(*c.Rec);
    EXPECT_EQ(g.Mode, c.Mode);
    EXPECT_EQ(FitSizeToSkin(g, c.Asked), c.Fitted);
  }
}

TEST(ControlImage, NinePartFittingMovesTheFarPointsAndClient) {
  TspControlGeometry g =
      ControlGeometry(*Record({0, 0, 30, 30}, {5, 5}, {25, 5}, {5, 25}, {25, 25}));
  FitSizeToSkin(g, {50, 40});
  EXPECT_EQ(g.Fitted.LT, (TspPoint{5, 5}));
  EXPECT_EQ(g.Fitted.RT, (TspPoint{45, 5}));
  EXPECT_EQ(g.Fitted.LB, (TspPoint{5, 35}));
  EXPECT_EQ(g.Fitted.RB, (TspPoint{45, 35}));
  EXPECT_EQ(g.Fitted.ClientRect, (TspRect{5, 5, 45, 35}));
}

TEST(ControlImage, ComposesTheStateRectangleAtTheFittedSize) {
  // Two states side by side in one picture: normal at x 0..20, hot at x 20..40.
  QImage picture(40, 23, QImage::Format_RGB32);
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 23; ++y) picture.setPixel(x, y, qRgb(x, y, x < 20 ? 0 : 255));
  const auto owned = Record({0, 0, 20, 23}, {4, 11}, {15, 10}, {}, {});
  TspDataSkinButtonControl& rec = *owned;
  rec.pictureindex = 0;
  const std::vector<QImage> pictures{picture};
  ASSERT_EQ(RecordPicture(rec, pictures), &pictures[0]);
  rec.pictureindex = 1;
  EXPECT_EQ(RecordPicture(rec, pictures), nullptr);

  TspControlGeometry g = ControlGeometry(rec);
  const QSize size = FitSizeToSkin(g, {50, 99});
  QImage hot;
  ComposeControlImage(hot, picture, g, {20, 0, 40, 23}, size);
  ASSERT_EQ(hot.size(), QSize(50, 23));
  EXPECT_EQ(hot.pixel(0, 5), picture.pixel(20, 5));  // left end kept
  EXPECT_EQ(hot.pixel(49, 7), picture.pixel(39, 7)); // right end kept
  EXPECT_EQ(hot.pixel(4, 3), picture.pixel(24, 3));  // first tile of the middle
  EXPECT_EQ(hot.pixel(15, 3), picture.pixel(24, 3)); // second tile starts again
}

TEST(ControlImage, AStateRectangleOutOfItsPictureComposesToNothing) {
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::gray);
  const auto owned = Record({0, 0, 20, 23}, {4, 11}, {15, 11}, {}, {});
  owned->activeskinrect = {0, 25, 40000, 40048};
  TspControlGeometry g = ControlGeometry(*owned);
  const QSize size = FitSizeToSkin(g, {90, 23});
  QImage image;
  ComposeControlImage(image, picture, g, owned->activeskinrect, size);
  EXPECT_TRUE(image.isNull());
  ComposeControlImage(image, picture, g, owned->skinrect, size);
  EXPECT_EQ(image.size(), size);
}
