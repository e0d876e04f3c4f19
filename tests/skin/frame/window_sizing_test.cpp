// The sizes and places a framed window may take.

#include "skin/data/window_records.h"
#include "skin/frame/window_sizing.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowSizing, TrackingSizesFromSkinAndLimits) {
  TspFormInfo info;
  info.clientrect = {4, 30, 196, 116};
  info.formminwidth = 200;
  info.formminheight = 0;
  struct Case {
    bool skinned;
    int minW, minH;
    bool rolledUp;
    QSize expected;
  } cases[] = {
      {true, 0, 0, false, {200, 34}},    // the built-in skins
      {true, 300, 50, false, {300, 50}}, // limits above the skin's
      {true, 0, 50, true, {200, 34}},    // rolled up: the frame alone
      {false, 0, 0, false, {130, 25}},   // no skin: 130 and the caption with its borders
      {false, 150, 40, false, {150, 40}},
  };
  for (const Case& c : cases) {
    TspTrackingInput in;
    in.Skinned = c.skinned;
    in.Info = &info;
    in.PictureWidth = 200;
    in.PictureHeight = 120;
    in.MinWidth = c.minW;
    in.MinHeight = c.minH;
    in.RolledUp = c.rolledUp;
    EXPECT_EQ(MinTrackingSize(in), c.expected) << c.skinned << " " << c.minW << " " << c.minH;
  }
  TspTrackingInput in;
  in.MaximumArea = {1920, 1040};
  EXPECT_EQ(MaxTrackingSize(in), QSize(1920, 1040));
  in.MaxWidth = 800;
  EXPECT_EQ(MaxTrackingSize(in), QSize(800, 1040));
}

TEST(WindowSizing, MaximisedBoundsLeaveAHiddenTaskBarReachable) {
  const QRect monitor(0, 0, 1920, 1080);
  EXPECT_EQ(MaximizedBounds(monitor, QRect(0, 0, 1920, 1040), true, false),
            QRect(0, 0, 1920, 1040));
  EXPECT_EQ(MaximizedBounds(monitor, monitor, true, false), QRect(1, 1, 1918, 1078));
  // A second monitor whose work area is all of it is not the task bar's.
  const QRect second(1920, 0, 1280, 1024);
  EXPECT_EQ(MaximizedBounds(second, second, false, false), second);
  EXPECT_EQ(MaximizedBounds(monitor, QRect(0, 0, 1920, 1040), true, true), monitor);
}

TEST(WindowSizing, AStoredPositionOffEveryScreenComesBackWithItsWholeCaption) {
  const QList<QRect> screens{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)};
  const TspRect caption{0, 0, 978, 30};
  const QSize size(978, 705);
  struct Case {
    QPoint stored, expected;
  } cases[] = {
      {{100, 50}, {100, 50}},          // on a screen: kept as stored
      {{2000, 100}, {2000, 100}},      // on the second screen: kept
      {{-99999, 99999999}, {0, 1010}}, // far off: onto the nearest work area
      {{1500, -20}, {1920, 0}},        // across two screens and above them
      {{4000, 300}, {2222, 300}},      // right of everything
  };
  for (const Case& c : cases)
    EXPECT_EQ(KeepCaptionReachable(QRect(c.stored, size), caption, screens).topLeft(), c.expected)
        << c.stored.x() << "," << c.stored.y();
  // Half the caption on the screen is enough to take hold of; less is brought back, a
  // caption wider than the screen spanning it.
  const QList<QRect> small{QRect(0, 0, 800, 800)};
  EXPECT_EQ(KeepCaptionReachable(QRect(QPoint(-300, 10), size), caption, small).topLeft(),
            QPoint(-300, 10));
  EXPECT_EQ(KeepCaptionReachable(QRect(QPoint(-600, 10), size), caption, small).topLeft(),
            QPoint(-178, 10));
  EXPECT_EQ(KeepCaptionReachable(QRect(QPoint(500, 10), QSize(400, 300)), {0, 0, 400, 30}, small)
                .topLeft(),
            QPoint(500, 10));
}

} // namespace
