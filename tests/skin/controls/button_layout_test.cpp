// The widget-free decisions of the push button: glyph and caption placement, glyph cells,
// the image a state shows, hover animation frames and morph steps.

#include "skin/controls/button_animation.h"
#include "skin/controls/button_layout.h"
#include "skin/controls/skin_fonts.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using L = TspButtonLayout;

struct PlacementCase {
  const char* name;
  TspRect content;
  QSize glyph, text;
  L layout;
  int margin, spacing;
  TspPoint glyphAt, captionAt;
};

TEST(ButtonLayout, PlacesGlyphAndCaption) {
  // Content (0,0,100,20): cx 50, cy 10; glyph 16 x 16, caption 30 x 13.
  const TspRect wide{0, 0, 100, 20};
  const TspRect tall{0, 0, 60, 60}; // cx 30, cy 30
  const QSize g(16, 16), t(30, 13);
  const PlacementCase cases[] = {
      // Centred group: (16 + 30 + 1) / 2 = 23.
      {"left centred", wide, g, t, L::blGlyphLeft, -1, 1, {27, 2}, {43, 4}},
      {"right centred", wide, g, t, L::blGlyphRight, -1, 1, {57, 2}, {27, 4}},
      // (13 + 16 + 1) / 2 = 15.
      {"top centred", tall, g, t, L::blGlyphTop, -1, 1, {22, 15}, {15, 32}},
      {"bottom centred", tall, g, t, L::blGlyphBottom, -1, 1, {22, 29}, {15, 15}},
      {"left margin", wide, g, t, L::blGlyphLeft, 4, 1, {4, 2}, {21, 4}},
      {"right margin", wide, g, t, L::blGlyphRight, 4, 1, {80, 2}, {49, 4}},
      {"top margin", tall, g, t, L::blGlyphTop, 4, 1, {22, 4}, {15, 21}},
      {"bottom margin", tall, g, t, L::blGlyphBottom, 4, 1, {22, 40}, {15, 26}},
      // Without a glyph the spacing counts as 0: (0 + 30 + 0) / 2 = 15.
      {"no glyph", wide, QSize(0, 0), t, L::blGlyphLeft, -1, 5, {35, 10}, {35, 4}},
      // Margins below -1 centre like -1.
      {"margin below -1", wide, g, t, L::blGlyphLeft, -7, 1, {27, 2}, {43, 4}},
      // The content rectangle's own origin counts: (3,2,23,21): cx 13, cy 11.
      {"offset content",
       {3, 2, 23, 21},
       QSize(0, 0),
       QSize(11, 13),
       L::blGlyphLeft,
       -1,
       1,
       {8, 11},
       {7, 5}},
      // An odd group width truncates: (15 + 30 + 0) / 2 = 22.
      {"odd group", wide, QSize(15, 16), t, L::blGlyphLeft, -1, 0, {28, 2}, {42, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto p = PlaceGlyphAndCaption(c.content, c.glyph, c.text, c.layout, c.margin, c.spacing);
    EXPECT_EQ(p.Glyph, c.glyphAt);
    EXPECT_EQ(p.Caption, c.captionAt);
  }
}

TEST(ButtonLayout, CaptionBoxLosesTheGlyphAlongTheLayoutAxis) {
  const TspRect content{3, 2, 103, 42};
  EXPECT_EQ(CaptionMeasureBox(content, QSize(16, 12), L::blGlyphLeft), QSize(84, 40));
  EXPECT_EQ(CaptionMeasureBox(content, QSize(16, 12), L::blGlyphRight), QSize(84, 40));
  EXPECT_EQ(CaptionMeasureBox(content, QSize(16, 12), L::blGlyphTop), QSize(100, 28));
  EXPECT_EQ(CaptionMeasureBox(content, QSize(16, 12), L::blGlyphBottom), QSize(100, 28));
}

TEST(ButtonLayout, GlyphCellForEachStateAndStripLength) {
  struct Case {
    bool active, down, enabled;
    int n, cell;
  };
  const Case cases[] = {
      {true, true, true, 4, 3},
      {true, true, true, 3, 3},
      {true, true, true, 2, 1},
      {true, false, true, 4, 4},
      {true, false, true, 3, 1},
      {false, false, true, 4, 1},
      {false, false, false, 4, 2},
      {false, false, false, 2, 2},
      {false, false, false, 1, 1},
      // A hot disabled button with four cells shows the hot cell, as the table orders it.
      {true, false, false, 4, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.active << c.down << c.enabled << " n=" << c.n);
    EXPECT_EQ(GlyphCellToDraw(c.active, c.down, c.enabled, c.n), c.cell);
  }
}

TEST(ButtonLayout, GlyphCellsOfShortOrEmptyStrips) {
  EXPECT_EQ(GlyphCellSize(QImage(), 1), QSize(0, 0));
  EXPECT_EQ(GlyphCellSize(QImage(64, 16, QImage::Format_RGB32), 4), QSize(16, 16));
  // Narrower than its cell count: zero-width cells, nothing drawn.
  EXPECT_EQ(GlyphCellSize(QImage(3, 16, QImage::Format_RGB32), 4), QSize(0, 0));
}

TEST(ButtonLayout, CaptionWrapsInItsBoxAndOddFontHeightsSitOnePixelHigher) {
  RegisterSkinFonts();
  QFont font("Tahoma");
  font.setPixelSize(13);
  EXPECT_EQ(MeasureCaption(font, QString(), QSize(80, 20)), QSize(0, 0));
  const QSize oneLine = MeasureCaption(font, "Log in now", QSize(200, 20));
  const QSize wrapped = MeasureCaption(font, "Log in now", QSize(30, 20));
  EXPECT_GT(oneLine.height(), 0);
  EXPECT_GT(wrapped.height(), oneLine.height());
  EXPECT_LE(wrapped.width(), oneLine.width());

  // Where the ink of a caption drawn at (0, 8) starts, against a plain drawText.
  const auto firstInkRow = [](const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) != qRgb(255, 255, 255)) return y;
    return -1;
  };
  for (int px : {13, 14}) {
    SCOPED_TRACE(px);
    font.setPixelSize(px);
    const QSize t = MeasureCaption(font, "Hello", QSize(200, 40));
    QImage ours(60, 40, QImage::Format_RGB32), plain(60, 40, QImage::Format_RGB32);
    ours.fill(Qt::white);
    plain.fill(Qt::white);
    {
      QPainter p(&ours);
      p.setPen(Qt::black);
      DrawCaption(p, font, "Hello", {0, 8}, t);
    }
    {
      QPainter p(&plain);
      p.setPen(Qt::black);
      p.setFont(font);
      p.drawText(QRect(0, 8, t.width() + 2, t.height()), CaptionTextFlags(), "Hello");
    }
    EXPECT_EQ(firstInkRow(plain) - firstInkRow(ours), px % 2);
  }
}

TEST(ButtonLook, ImageChosenByTheFirstMatchingRow) {
  using I = TspButtonImage;
  struct Case {
    const char* name;
    TspButtonLook look;
    TspButtonImageChoice choice;
  };
  const auto look = [](auto f) {
    TspButtonLook l;
    l.HasDisabledRect = true;
    l.HasFocusedRect = true;
    f(l);
    return l;
  };
  const Case cases[] = {
      {"normal", look([](auto&) {}), {I::Normal, false, false}},
      {"hot", look([](auto& l) { l.MouseIn = true; }), {I::Active, true, false}},
      {"pressed inside",
       look([](auto& l) { l.Down = l.MouseIn = l.MousePressed = true; }),
       {I::Down, true, true}},
      // Dragged out while held: a lone button no longer looks pressed.
      {"pressed, mouse out",
       look([](auto& l) { l.Down = l.MousePressed = true; }),
       {I::Normal, false, false}},
      {"down by keyboard",
       look([](auto& l) { l.Down = l.FocusedLook = true; }),
       {I::Down, true, true}},
      {"focused, dragged out",
       look([](auto& l) { l.Down = l.FocusedLook = l.MousePressed = true; }),
       {I::Focused, true, false}},
      {"group down, mouse away",
       look([](auto& l) { l.Down = true, l.GroupIndex = 2; }),
       {I::Down, true, true}},
      {"focused", look([](auto& l) { l.FocusedLook = true; }), {I::Focused, true, false}},
      {"focused while animating",
       look([](auto& l) { l.FocusedLook = l.FrameAnimationRunning = true; }),
       {I::Active, true, false}},
      {"focused, no focus image",
       look([](auto& l) { l.FocusedLook = true, l.HasFocusedRect = false; }),
       {I::Active, true, false}},
      {"disabled",
       look([](auto& l) { l.Enabled = false, l.MouseIn = l.Down = true; }),
       {I::Disabled, false, false}},
      {"disabled, no image",
       look([](auto& l) { l.Enabled = false, l.HasDisabledRect = false; }),
       {I::Normal, false, false}},
      {"morphing half way",
       look([](auto& l) { l.Morphing = true, l.MorphValue = 0.4, l.MouseIn = true; }),
       {I::Morph, false, false}},
      {"morph finished, mouse gone",
       look([](auto& l) { l.Morphing = true, l.MorphValue = 1; }),
       {I::Active, true, false}},
      {"morph value without morphing",
       look([](auto& l) { l.MorphValue = 1; }),
       {I::Normal, false, false}},
      {"disabled while morphing",
       look([](auto& l) { l.Enabled = false, l.Morphing = true, l.MorphValue = 0.4; }),
       {I::Disabled, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ChooseButtonImage(c.look), c.choice);
  }
}

TEST(ButtonLook, AnimationFramesOfWideAndTallStrips) {
  const TspRect skin{0, 0, 20, 23};
  EXPECT_EQ(AnimationFrameRect({100, 0, 160, 23}, skin, 3, 2), (TspRect{120, 0, 140, 23}));
  EXPECT_EQ(AnimationFrameRect({0, 50, 20, 119}, skin, 3, 3), (TspRect{0, 96, 20, 119}));
  EXPECT_TRUE(AnimationFrameRect({0, 50, 20, 119}, skin, 3, 0).IsEmpty());
  EXPECT_TRUE(AnimationFrameRect({0, 50, 20, 119}, skin, 3, 4).IsEmpty());
  EXPECT_TRUE(AnimationFrameRect({0, 50, 20, 119}, skin, 0, 1).IsEmpty());
  EXPECT_TRUE(AnimationFrameRect({}, skin, 3, 1).IsEmpty());
}

TEST(ButtonLook, AnimationRunsThroughItsFramesAndRestsAtZero) {
  int frame = 1;
  std::vector<int> seen;
  while (FrameAnimationTick(frame, true, 3)) seen.push_back(frame);
  EXPECT_EQ(seen, (std::vector<int>{2, 3}));
  EXPECT_EQ(frame, 0);

  frame = 3;
  seen.clear();
  while (FrameAnimationTick(frame, false, 3)) seen.push_back(frame);
  EXPECT_EQ(seen, (std::vector<int>{2, 1}));
  EXPECT_EQ(frame, 0);
}

TEST(ButtonLook, MorphReachesItsEndsExactlyInFiveSteps) {
  double v = 0;
  for (int i = 0; i < 4; ++i) {
    v = NextMorphValue(v, true);
    EXPECT_GT(v, 0);
    EXPECT_LT(v, 1);
  }
  EXPECT_EQ(NextMorphValue(v, true), 1.0);
  EXPECT_EQ(NextMorphValue(1, true), 1.0);
  v = 1;
  for (int i = 0; i < 4; ++i) v = NextMorphValue(v, false);
  EXPECT_EQ(NextMorphValue(v, false), 0.0);
  EXPECT_EQ(NextMorphValue(0, false), 0.0);
}

} // namespace
