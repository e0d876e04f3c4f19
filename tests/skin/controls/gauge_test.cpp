#include "form_fixture.h"
#include "grab_checks.h"
#include "pattern_skin.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/gauge.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_fixtures.h"
#include "skin/data/skin_list.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

QRect InkBounds(const QImage& img, QRgb ink) {
  QRect r;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) == ink) r |= QRect(x, y, 1, 1);
  return r;
}

// Text in blue over white, smoothed: bluish pixels are ink (not the grey frame).
bool IsInk(QRgb pixel) {
  return qRed(pixel) < 128 && qBlue(pixel) > 180;
}

QRect TextBounds(const QImage& img) {
  QRect r;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (IsInk(img.pixel(x, y))) r |= QRect(x, y, 1, 1);
  return r;
}

// The pattern skin's gauge text is red (fontcolor 255), far redder than any pixel of the
// pattern: the number of pixels it tints.
int CountRedText(const QImage& img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += qRed(img.pixel(x, y)) > 150;
  return n;
}

// Gauge records over a picture whose every pixel differs, so a tile taken from the wrong
// column or stacked the wrong way shows. "gauge" and "vgauge" tile a progress image of 12
// (begin 2, end 3) along an area of 36; "flat" has a progress image of end pieces only;
// "animated" has three frames of its progress image stacked below it.
std::unique_ptr<TspSkinData> PatternGaugeSkin() {
  return OnePictureSkin(
      "gauges", PatternImage(100, 100, 7),
      "[SKINCONTROLS]\r\ncount=4\r\n0=gauge:gauge\r\n1=vgauge:gauge\r\n2=flat:gauge\r\n"
      "3=animated:gauge\r\n"
      "[gauge]\r\npictureindex=0\r\nskinrect=0,0,40,12\r\nprogressarea=2,1,38,11\r\n"
      "progressrect=0,30,12,40\r\nbeginoffset=2\r\nendoffset=3\r\nprogressstretch=0\r\n"
      "fontheight=11\r\nfontcolor=255\r\n"
      "[vgauge]\r\npictureindex=0\r\nskinrect=0,0,12,40\r\nprogressarea=1,2,11,38\r\n"
      "progressrect=50,0,60,12\r\nbeginoffset=2\r\nendoffset=3\r\nvertical=1\r\n"
      "[flat]\r\npictureindex=0\r\nskinrect=0,0,40,12\r\nprogressarea=2,1,38,11\r\n"
      "progressrect=0,30,12,40\r\nbeginoffset=6\r\nendoffset=6\r\n"
      "[animated]\r\npictureindex=0\r\nskinrect=0,0,40,12\r\nprogressarea=2,1,38,11\r\n"
      "progressrect=0,30,12,40\r\nbeginoffset=2\r\nendoffset=3\r\n"
      "progressanimationskinrect=0,60,12,90\r\nprogressanimationcountframes=3\r\n"
      "progressanimationtimerinterval=20\r\n");
}

class GaugeTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }
  void SetUp() override {
    form = ColouredForm({300, 300}, {{QPalette::Base, QColor(255, 255, 255)},
                                     {QPalette::Dark, QColor(100, 100, 100)},
                                     {QPalette::WindowText, QColor(0, 0, 255)}});
  }
  std::unique_ptr<QWidget> form;
};

TEST_F(GaugeTest, ValueSettersClampToTheRange) {
  TspSkinGauge gauge(form.get());
  EXPECT_EQ(gauge.Value(), 50);
  gauge.SetValue(150);
  EXPECT_EQ(gauge.Value(), 100);
  gauge.SetValue(-5);
  EXPECT_EQ(gauge.Value(), 0);
  gauge.SetValue(50);
  gauge.SetMaxValue(40);
  EXPECT_EQ(gauge.Value(), 40);
  gauge.SetMinValue(45);
  EXPECT_EQ(gauge.Value(), 45);
  // Neither bound is checked against the other.
  gauge.SetMinValue(60);
  EXPECT_EQ(gauge.MinValue(), 60);
  EXPECT_EQ(gauge.MaxValue(), 40);
}

TEST_F(GaugeTest, ProgressRectangleAndPercentage) {
  struct Case {
    int min, max, value;
    bool vertical;
    TspRect area;
    TspRect progress;
    const char* percent;
  };
  const Case cases[] = {
      {0, 100, 50, false, {0, 0, 100, 20}, {0, 0, 50, 20}, "50%"},
      {0, 100, 33, false, {5, 2, 75, 18}, {5, 2, 28, 18}, "33%"}, // Trunc(0.33 x 70) = 23
      {0, 100, 100, false, {1, 1, 99, 19}, {1, 1, 99, 19}, "100%"},
      {0, 100, 0, false, {1, 1, 99, 19}, {1, 1, 1, 19}, "0%"},
      {0, 3, 2, false, {0, 0, 30, 10}, {0, 0, 20, 10}, "66%"},   // truncated, not rounded
      {0, 100, 29, false, {0, 0, 100, 5}, {0, 0, 29, 5}, "29%"}, // exact, no 28.999...
      {0, 100, 57, false, {0, 0, 100, 5}, {0, 0, 57, 5}, "57%"},
      {10, 20, 15, false, {0, 0, 40, 5}, {0, 0, 20, 5}, "50%"},
      {-50, 50, 0, false, {0, 0, 10, 5}, {0, 0, 5, 5}, "50%"},
      {7, 7, 7, false, {0, 0, 40, 5}, {0, 0, 0, 5}, "0%"},        // empty range: no progress
      {0, 100, 25, true, {1, 1, 19, 99}, {1, 75, 19, 99}, "25%"}, // grows from the bottom
      {0, 100, 100, true, {1, 1, 19, 99}, {1, 1, 19, 99}, "100%"},
  };
  for (const Case& c : cases) {
    TspSkinGauge gauge(form.get());
    gauge.SetMaxValue(c.max);
    gauge.SetMinValue(c.min);
    gauge.SetValue(c.value);
    gauge.SetVertical(c.vertical);
    gauge.SetShowPercent(true);
    EXPECT_EQ(gauge.ProgressRect(c.area), c.progress) << c.min << ".." << c.max << " " << c.value;
    EXPECT_EQ(gauge.GaugeText(), QString::fromLatin1(c.percent)) << c.value;
  }
}

TEST_F(GaugeTest, TextJoinsProgressTextAndPercentage) {
  TspSkinGauge gauge(form.get());
  EXPECT_EQ(gauge.GaugeText(), QString());
  gauge.SetProgressText(QStringLiteral("Loading "));
  EXPECT_EQ(gauge.GaugeText(), QString()); // not shown yet
  gauge.SetShowProgressText(true);
  EXPECT_EQ(gauge.GaugeText(), QStringLiteral("Loading "));
  gauge.SetShowPercent(true);
  EXPECT_EQ(gauge.GaugeText(), QStringLiteral("Loading 50%"));
}

TEST_F(GaugeTest, PlainLookFillsFromTheLeftOrFromTheBottom) {
  const QRgb green = qRgb(0, 178, 19);
  TspSkinGauge gauge(form.get());
  gauge.setGeometry(0, 0, 100, 20);
  gauge.SetValue(50);
  QImage img = Grab(gauge);
  // Area (1, 1, 99, 19): 49 of its 98 columns.
  EXPECT_EQ(InkBounds(img, green), QRect(1, 1, 49, 18));
  EXPECT_EQ(img.pixel(0, 10), qRgb(100, 100, 100)); // the frame
  EXPECT_EQ(img.pixel(60, 10), qRgb(255, 255, 255));

  gauge.SetVertical(true);
  gauge.setGeometry(0, 0, 20, 100);
  gauge.SetValue(25);
  img = Grab(gauge);
  EXPECT_EQ(InkBounds(img, green), QRect(1, 99 - 24, 18, 24));

  gauge.SetValue(0);
  EXPECT_TRUE(InkBounds(Grab(gauge), green).isNull());
}

TEST_F(GaugeTest, VerticalTextReadsUpwards) {
  TspSkinGauge gauge(form.get());
  gauge.SetValue(0);
  gauge.SetProgressText(QStringLiteral("TTTT"));
  gauge.SetShowProgressText(true);
  gauge.setGeometry(0, 0, 200, 40);
  const QRect flat = TextBounds(Grab(gauge));
  ASSERT_FALSE(flat.isNull());
  EXPECT_GT(flat.width(), flat.height());

  gauge.SetVertical(true);
  gauge.setGeometry(0, 0, 40, 200);
  const QImage img = Grab(gauge);
  const QRect tall = TextBounds(img);
  ASSERT_FALSE(tall.isNull());
  EXPECT_GT(tall.height(), tall.width());
  EXPECT_NEAR(tall.height(), flat.width(), 3);
  // Centred in the gauge.
  EXPECT_NEAR(tall.center().y(), 100, 3);
  EXPECT_NEAR(tall.center().x(), 20, 3);
  // The bars of the Ts (the tops of the letters) face left: the text is turned a quarter
  // anticlockwise, so it reads from the bottom upwards.
  auto inkInColumn = [&](int x) {
    int n = 0;
    for (int y = tall.top(); y <= tall.bottom(); ++y) n += IsInk(img.pixel(x, y));
    return n;
  };
  EXPECT_GT(inkInColumn(tall.left()), 3 * inkInColumn(tall.right()));
}

TEST_F(GaugeTest, TilesTheProgressMiddleAndCutsTheLastTile) {
  const auto skin = PatternGaugeSkin();
  const QImage& pic = skin->ActivePictures[0];
  for (const bool vertical : {false, true}) {
    TspSkinGauge gauge(form.get());
    gauge.SetSkinDataName(vertical ? QStringLiteral("vgauge") : QStringLiteral("gauge"));
    gauge.SetSkinData(skin.get());
    gauge.SetValue(100);
    EXPECT_EQ(gauge.Vertical(), vertical); // the record decides
    EXPECT_EQ(gauge.size(), vertical ? QSize(12, 40) : QSize(40, 12));
    const QImage img = Grab(gauge);
    // The progress fills the whole 36-long area: begin 2, middle 31 of tiles of 7 (the
    // fifth cut to 3), end 3.
    for (int along = 0; along < 36; ++along) {
      int source;
      if (along < 2)
        source = along;
      else if (along >= 33)
        source = 12 - (36 - along);
      else if (!vertical)
        source = 2 + (along - 2) % 7;
      else
        source = 8 - (32 - along) % 7; // stacked upwards from the bottom of the middle
      for (int across = 0; across < 10; ++across) {
        const QPoint at = vertical ? QPoint(1 + across, 2 + along) : QPoint(2 + along, 1 + across);
        const QPoint from = vertical ? QPoint(50 + across, source) : QPoint(source, 30 + across);
        ASSERT_EQ(img.pixel(at), pic.pixel(from))
            << (vertical ? "vertical " : "horizontal ") << along << "," << across;
      }
    }
    // Outside the area the skin image shows.
    EXPECT_EQ(img.pixel(0, 0), pic.pixel(0, 0));
  }
}

TEST_F(GaugeTest, ProgressImageWithoutMiddleDrawsNeitherProgressNorText) {
  const auto skin = PatternGaugeSkin();
  TspSkinGauge gauge(form.get());
  gauge.SetSkinDataName(QStringLiteral("flat"));
  gauge.SetSkinData(skin.get());
  gauge.SetShowPercent(true);
  gauge.SetValue(100);
  EXPECT_TRUE(SamePixels(Grab(gauge), skin->ActivePictures[0].copy(0, 0, 40, 12)));
}

TEST_F(GaugeTest, SkinSizeFitsTheRecordAndWidensTheProgressArea) {
  const auto skin = std::make_unique<TspSkinData>();
  skin->SetSkinList(CreateBuiltinSkinList(skin.get()));
  skin->SetSkinIndex(0);
  const int index = skin->FindControlData("gauge");
  ASSERT_GE(index, 0);
  const auto& rec = dynamic_cast<const TspDataSkinGaugeControl&>(*skin->ControlList[size_t(index)]);
  const int skinW = rec.skinrect.Width(), skinH = rec.skinrect.Height();

  TspSkinGauge gauge(form.get());
  gauge.SetSkinData(skin.get());
  gauge.SetBounds(0, 0, 150, 40);
  EXPECT_EQ(gauge.size(), QSize(150, skinH));
  TspRect widened = rec.progressarea;
  widened.Right += 150 - skinW;
  EXPECT_EQ(gauge.FittedProgressArea(), widened);

  // Off: any size, the skin image stretched over it, and no window shape.
  gauge.SetUseSkinSize(false);
  gauge.SetBounds(0, 0, 150, 40);
  EXPECT_EQ(gauge.size(), QSize(150, 40));
  EXPECT_EQ(Grab(gauge).size(), QSize(150, 40));
}

TEST_F(GaugeTest, TranslucentTextAtZeroOpacityLeavesTheGaugeAsIs) {
  const auto skin = PatternGaugeSkin();
  TspSkinGauge gauge(form.get());
  gauge.SetSkinData(skin.get());
  gauge.SetValue(60);
  const QImage bare = Grab(gauge);
  gauge.SetShowPercent(true);
  const QImage text = Grab(gauge);
  EXPECT_FALSE(SamePixels(bare, text));
  EXPECT_EQ(CountRedText(bare), 0);
  EXPECT_GT(CountRedText(text), 10);
  gauge.SetTextAlphaBlend(true);
  gauge.SetTextAlphaBlendValue(0);
  EXPECT_TRUE(SamePixels(Grab(gauge), bare));
  gauge.SetTextAlphaBlendValue(255);
  EXPECT_TRUE(SamePixels(Grab(gauge), text));
}

TEST_F(GaugeTest, GaugePaintEventReplacesProgressAndText) {
  const auto skin = PatternGaugeSkin();
  TspSkinGauge gauge(form.get());
  gauge.SetSkinData(skin.get());
  gauge.SetShowPercent(true);
  gauge.SetValue(50);
  TspRect area, progress;
  gauge.OnGaugePaint = [&](QObject* sender, QPainter& canvas, const TspRect& a, const TspRect& p) {
    EXPECT_EQ(sender, &gauge);
    area = a;
    progress = p;
    canvas.fillRect(p.ToQRect(), Qt::black);
  };
  const QImage img = Grab(gauge);
  EXPECT_EQ(area, (TspRect{2, 1, 38, 11}));
  EXPECT_EQ(progress, (TspRect{2, 1, 20, 11}));
  EXPECT_EQ(InkBounds(img, qRgb(0, 0, 0)), QRect(2, 1, 18, 10));
  EXPECT_EQ(CountRedText(img), 0);
}

TEST_F(GaugeTest, AnimationFrameRectangles) {
  const auto skin = PatternGaugeSkin();
  TspSkinGauge gauge(form.get());
  gauge.SetSkinDataName(QStringLiteral("animated"));
  gauge.SetSkinData(skin.get());
  // Progress image 12 wide, frames 12 x 30: stacked, 10 high each.
  EXPECT_EQ(gauge.AnimationFrameRect(1), (TspRect{0, 60, 12, 70}));
  EXPECT_EQ(gauge.AnimationFrameRect(3), (TspRect{0, 80, 12, 90}));
  EXPECT_EQ(gauge.AnimationFrameRect(0), TspRect());
  EXPECT_EQ(gauge.AnimationFrameRect(4), TspRect());
}

TEST_F(GaugeTest, AnimationRunsFramesThenPausesAndFollowsSkinChanges) {
  const auto skin = PatternGaugeSkin();
  const QImage& pic = skin->ActivePictures[0];
  TspSkinGauge plain(form.get());
  plain.SetSkinData(skin.get());
  plain.StartProgressAnimation(); // "gauge" has no frames: nothing starts
  EXPECT_FALSE(plain.ProgressAnimationRunning());

  TspSkinGauge gauge(form.get());
  gauge.SetSkinDataName(QStringLiteral("animated"));
  gauge.SetSkinData(skin.get());
  gauge.SetValue(100);
  gauge.SetProgressAnimationPause(40);
  gauge.SetProgressAnimationPause(-1); // ignored
  EXPECT_EQ(gauge.ProgressAnimationPause(), 40);
  gauge.StartProgressAnimation();
  ASSERT_TRUE(gauge.ProgressAnimationRunning());
  EXPECT_EQ(gauge.FrameNumber(), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return gauge.FrameNumber() == 2; }, 5000));
  // Frame 2's middle (7 columns from 2) stretched over the gauge's middle (31 columns).
  const QImage img = Grab(gauge);
  EXPECT_EQ(img.pixel(2 + 2, 1 + 4), pic.pixel(2, 70 + 4));
  EXPECT_EQ(img.pixel(2 + 32, 1 + 4), pic.pixel(8, 70 + 4));
  // After the last frame the pause shows the plain progress image, then frames again.
  ASSERT_TRUE(QTest::qWaitFor([&] { return gauge.FrameNumber() == 3; }, 5000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return gauge.FrameNumber() == 0; }, 5000));
  EXPECT_EQ(Grab(gauge).pixel(2 + 2, 1 + 4), pic.pixel(2, 30 + 4));
  ASSERT_TRUE(QTest::qWaitFor([&] { return gauge.FrameNumber() == 1; }, 5000));

  // A skin change keeps it running; a record without frames stops it.
  gauge.ApplySkin();
  EXPECT_TRUE(gauge.ProgressAnimationRunning());
  gauge.SetSkinDataName(QStringLiteral("gauge"));
  gauge.ApplySkin();
  EXPECT_FALSE(gauge.ProgressAnimationRunning());
  EXPECT_EQ(gauge.FrameNumber(), 0);
}

} // namespace
