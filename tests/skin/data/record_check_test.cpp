#include "skin/data/record_check.h"

#include <climits>
#include <gtest/gtest.h>

namespace {
QImage Picture(int w, int h) {
  QImage p(w, h, QImage::Format_RGB32);
  p.fill(Qt::gray);
  return p;
}
} // namespace

TEST(RecordCheck, PictureHoldsOnlyRectanglesWhollyInside) {
  const QImage picture = Picture(40, 30);
  struct Case {
    TspRect Rect;
    bool Held;
  } cases[] = {
      {{0, 0, 40, 30}, true},
      {{39, 29, 40, 30}, true},
      {{0, 0, 41, 30}, false},
      {{-1, 0, 10, 10}, false},
      {{10, 10, 10, 20}, false},
      {{20, 20, 10, 10}, false},
      {{0, 25, 40000, 40048}, false},
      {{INT_MIN, 0, INT_MAX, 10}, false},
      {{INT_MAX - 1, 0, INT_MAX, 1}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Rect.Left << "," << c.Rect.Top << "," << c.Rect.Right
                                    << "," << c.Rect.Bottom);
    EXPECT_EQ(PictureHolds(picture, c.Rect), c.Held);
  }
  EXPECT_FALSE(PictureHolds(QImage(), {0, 0, 1, 1}));
}

TEST(RecordCheck, RecordDrawableNeedsItsPictureAndPointsInItsSkin) {
  const std::vector<QImage> pictures = {Picture(40, 30), QImage()};
  const auto record = [](auto&& change) {
    auto r = std::make_unique<TspDataSkinButtonControl>();
    r->pictureindex = 0;
    r->skinrect = {0, 0, 20, 23};
    r->lefttoppoint = {4, 11};
    r->righttoppoint = {15, 11};
    r->clientrect = {3, 2, 17, 21};
    change(*r);
    return r;
  };
  struct Case {
    const char* Name;
    std::unique_ptr<TspDataSkinButtonControl> Rec;
    bool Drawable;
  } cases[] = {
      {"as drawn", record([](auto&) {}), true},
      {"no skin rectangle", record([](auto& r) { r.skinrect = {}; }), true},
      {"picture missing", record([](auto& r) { r.pictureindex = 7; }), false},
      {"picture empty", record([](auto& r) { r.pictureindex = 1; }), false},
      {"skin larger than picture", record([](auto& r) {
         r.skinrect = {0, 0, 41, 23};
       }),
       false},
      {"corner outside the skin", record([](auto& r) {
         r.righttoppoint = {21, 11};
       }),
       false},
      {"negative corner", record([](auto& r) {
         r.lefttoppoint = {-1, 11};
       }),
       false},
      {"client outside the skin", record([](auto& r) {
         r.clientrect = {3, 2, 17, 24};
       }),
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(RecordDrawable(*c.Rec, pictures), c.Drawable);
    // Info names a reason for every record the controls will not draw.
    if (!c.Drawable) {
      EXPECT_FALSE(RecordRefusals(*c.Rec, pictures).isEmpty());
    }
  }
  // A state rectangle out of its picture is named.
  const auto bad = record([](auto& r) { r.activeskinrect = {0, 25, 40000, 40048}; });
  EXPECT_EQ(RecordRefusals(*bad, pictures),
            QStringList{"activeskinrect 0,25,40000,40048 lies outside picture 0 (40x30)"});
}
