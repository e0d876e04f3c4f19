#include "grab_checks.h"
#include "pattern_skin.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/paint_parent_background.h"
#include "skin/controls/panel.h"
#include "skin/controls/skin_fonts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_fixtures.h"
#include "skin/data/skin_list.h"
#include "skin/render/composition.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// A panel record over a picture whose every pixel differs, with a client rectangle that
// does not lie on the corner points, so a shifted strip or tile shows.
std::unique_ptr<TspSkinData> PatternSkin() {
  return OnePictureSkin("panels", PatternImage(40, 40, 5),
                        "[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n"
                        "[panel]\r\npictureindex=0\r\nmaskpictureindex=-1\r\nskinrect=2,3,32,33\r\n"
                        "lefttoppoint=6,6\r\nrighttoppoint=24,6\r\nleftbottompoint=6,24\r\n"
                        "rightbottompoint=24,24\r\nclientrect=3,4,27,25\r\nbgpictureindex=-1\r\n");
}

std::unique_ptr<TspSkinData> BuiltinSkin(int index = 0) {
  auto data = std::make_unique<TspSkinData>();
  data->SetSkinList(CreateBuiltinSkinList(data.get()));
  data->SetSkinIndex(index);
  return data;
}

const TspDataSkinPanelControl& PanelRecord(const TspSkinData& data, const char* name) {
  return dynamic_cast<const TspDataSkinPanelControl&>(
      *data.ControlList[size_t(data.FindControlData(name))]);
}

class PanelTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }
  void SetUp() override {
    form = std::make_unique<QWidget>();
    form->resize(400, 300);
  }
  std::unique_ptr<QWidget> form;
};

TEST_F(PanelTest, PaintsTheFrameStripsAndTilesTheClientPiece) {
  const auto data = PatternSkin();
  const TspDataSkinPanelControl& rec = PanelRecord(*data, "panel");
  const QImage& picture = data->ActivePictures[0];
  TspSkinPanel panel(form.get());
  panel.SetSkinData(data.get());
  panel.SetBounds(0, 0, 97, 61);
  form->show();
  ASSERT_EQ(panel.size(), QSize(97, 61));

  // The frame as four strips of the record, the client piece tiled inside the fitted client
  // rectangle from its corner.
  TspNinePartGeometry g{rec.clientrect, rec.lefttoppoint, rec.righttoppoint, rec.leftbottompoint,
                        rec.rightbottompoint};
  const TspNinePartGeometry fitted = TargetGeometry(g, 30, 30, 97, 61);
  TspStretchFlags flags;
  const TspBorderStrips strips =
      ComposeBorderStrips(picture, rec.skinrect, g, 97, 61, fitted, flags);
  QImage expected(97, 61, QImage::Format_RGB32);
  QPainter p(&expected);
  const QImage piece =
      picture.copy(rec.skinrect.Left + rec.clientrect.Left, rec.skinrect.Top + rec.clientrect.Top,
                   rec.clientrect.Width(), rec.clientrect.Height());
  for (int y = fitted.ClientRect.Top; y < fitted.ClientRect.Bottom; y += piece.height())
    for (int x = fitted.ClientRect.Left; x < fitted.ClientRect.Right; x += piece.width())
      p.drawImage(x, y, piece);
  p.drawImage(0, 0, strips.Top);
  p.drawImage(0, rec.clientrect.Top, strips.Left);
  p.drawImage(97 - strips.Right.width(), rec.clientrect.Top, strips.Right);
  p.drawImage(0, 61 - strips.Bottom.height(), strips.Bottom);
  p.end();
  EXPECT_TRUE(SamePixels(Grab(panel), expected));
  // Children go into the fitted client rectangle.
  EXPECT_EQ(panel.ClientRect(), fitted.ClientRect.ToQRect());
  EXPECT_EQ(panel.contentsRect(), fitted.ClientRect.ToQRect());

  // Without a frame the client piece is tiled over the whole panel from its corner.
  panel.SetBorderStyle(TspSkinBorderStyle::bvNone);
  const QImage none = Grab(panel);
  for (const QPoint at : {QPoint(0, 0), QPoint(30, 20), QPoint(96, 60)})
    EXPECT_EQ(none.pixel(at), piece.pixel(at.x() % piece.width(), at.y() % piece.height()));
  EXPECT_EQ(panel.ClientRect(), panel.rect());
}

TEST_F(PanelTest, BuiltinPanelWithoutBorderShowsOnlyItsTexture) {
  const auto data = BuiltinSkin();
  TspSkinPanel panel(form.get());
  panel.SetSkinData(data.get());
  panel.SetBounds(0, 0, 150, 90);
  const QImage framed = Grab(panel);
  const QRgb texture = framed.pixel(75, 45);
  EXPECT_NE(framed.pixel(0, 45), texture); // the edge
  panel.SetBorderStyle(TspSkinBorderStyle::bvNone);
  const QImage bare = Grab(panel);
  for (int y = 0; y < bare.height(); ++y)
    for (int x = 0; x < bare.width(); ++x) ASSERT_EQ(bare.pixel(x, y), texture) << x << "," << y;
}

TEST_F(PanelTest, PlainLookFramesByBorderStyle) {
  TspSkinPanel panel(form.get());
  // Layouts place children inside the frame from the start.
  EXPECT_EQ(panel.contentsRect(), QRect(1, 1, 148, 148));
  QPalette pal = panel.palette();
  pal.setColor(QPalette::Button, QColor(10, 20, 30));
  pal.setColor(QPalette::Light, QColor(200, 210, 220));
  pal.setColor(QPalette::Dark, QColor(90, 80, 70));
  panel.setPalette(pal);
  const QRgb face = qRgb(10, 20, 30), light = qRgb(200, 210, 220), dark = qRgb(90, 80, 70);
  struct Case {
    TspSkinBorderStyle Style;
    QRgb TopLeft, BottomRight;
    QRect Client;
  } cases[] = {{TspSkinBorderStyle::bvFrame, dark, dark, QRect(1, 1, 148, 148)},
               {TspSkinBorderStyle::bvRaised, light, dark, QRect(1, 1, 148, 148)},
               {TspSkinBorderStyle::bvLowered, dark, light, QRect(1, 1, 148, 148)},
               {TspSkinBorderStyle::bvNone, face, face, QRect(0, 0, 150, 150)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.Style));
    panel.SetBorderStyle(c.Style);
    const QImage img = Grab(panel);
    EXPECT_EQ(img.pixel(0, 70), c.TopLeft);
    EXPECT_EQ(img.pixel(70, 0), c.TopLeft);
    EXPECT_EQ(img.pixel(149, 70), c.BottomRight);
    EXPECT_EQ(img.pixel(70, 149), c.BottomRight);
    EXPECT_EQ(img.pixel(70, 70), face);
    EXPECT_EQ(panel.ClientRect(), c.Client);
  }
  // A caption bar takes the top of the client area (the bottom in ribbon style).
  panel.SetBorderStyle(TspSkinBorderStyle::bvFrame);
  panel.SetCaptionMode(true);
  EXPECT_EQ(panel.ClientRect(), QRect(1, 23, 148, 126));
  EXPECT_EQ(Grab(panel).pixel(70, 5), dark);
  panel.SetRibbonStyle(true);
  EXPECT_EQ(panel.ClientRect(), QRect(1, 1, 148, 126));
  EXPECT_EQ(Grab(panel).pixel(70, 140), dark);
  // The caption image: a glyph cell, or a picture of the caption image list in its place.
  panel.SetRibbonStyle(false);
  panel.SetDefaultAlignment(TspAlignment::taCenter);
  QImage strip = SolidImage(20, 8, qRgb(0, 0, 255));
  strip.setPixel(0, 7, qRgb(1, 1, 1)); // each cell's bottom-left colour is left out
  strip.setPixel(10, 7, qRgb(1, 1, 1));
  panel.SetGlyph(strip);
  panel.SetNumGlyphs(2);
  auto count = [&](QRgb c) {
    const QImage img = Grab(panel);
    int n = 0;
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 150; ++x) n += img.pixel(x, y) == c;
    return n;
  };
  EXPECT_EQ(count(qRgb(0, 0, 255)), 10 * 8 - 1);
  auto list = std::make_unique<TspImageList>();
  list->Images = {SolidImage(6, 6, qRgb(255, 0, 0))};
  panel.SetCaptionImageList(list.get());
  panel.SetCaptionImageIndex(0);
  EXPECT_EQ(count(qRgb(0, 0, 255)), 0);
  EXPECT_EQ(count(qRgb(255, 0, 0)), 36);
  list.reset();
  EXPECT_EQ(count(qRgb(0, 0, 255)), 10 * 8 - 1);
}

// The group box's caption sits in its frame's caption strip; the panel's, over the top of
// its client area, which the caption does not shrink.
TEST_F(PanelTest, CaptionIsDrawnInTheRecordsCaptionRectangle) {
  const auto data = BuiltinSkin();
  for (const char* name : {"groupbox", "panel"}) {
    SCOPED_TRACE(name);
    const TspDataSkinPanelControl& rec = PanelRecord(*data, name);
    ASSERT_FALSE(rec.captionrect.IsEmpty());
    const std::unique_ptr<TspSkinPanel> box = std::string(name) == "panel"
                                                  ? std::make_unique<TspSkinPanel>(form.get())
                                                  : std::make_unique<TspSkinGroupBox>(form.get());
    box->SetSkinData(data.get());
    box->SetBounds(0, 0, 180, 100);
    const QImage empty = Grab(*box);
    box->SetCaption("Gender");
    const QImage captioned = Grab(*box);
    const QRect caption = box->CaptionRect();
    // The caption rectangle's right end moves with the width.
    EXPECT_EQ(caption, QRect(rec.captionrect.Left, rec.captionrect.Top,
                             rec.captionrect.Width() + 180 - rec.skinrect.Width(),
                             rec.captionrect.Height()));
    int inside = 0, outside = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 180; ++x)
        if (captioned.pixel(x, y) != empty.pixel(x, y))
          ++(caption.contains(x, y) ? inside : outside);
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
    // Text pixels in the record's colour.
    bool recordColour = false;
    for (int x = caption.left(); x <= caption.right() && !recordColour; ++x)
      for (int y = caption.top(); y <= caption.bottom(); ++y)
        recordColour |= captioned.pixel(x, y) == ColorToQColor(rec.fontcolor).rgb();
    EXPECT_TRUE(recordColour);
    EXPECT_EQ(box->ClientRect(), box->FittedClientRect().ToQRect());
  }
}

TEST_F(PanelTest, RollsUpToItsCaptionAndBackWithEveryChildShown) {
  for (const bool skinned : {false, true}) {
    SCOPED_TRACE(skinned);
    const auto data = BuiltinSkin();
    form->show();
    TspSkinGroupBox box(form.get());
    if (skinned) box.SetSkinData(data.get());
    box.SetBounds(10, 10, 180, 120);
    box.show();
    QWidget shown(&box), hidden(&box);
    shown.show();
    hidden.hide();
    int changes = 0;
    box.OnChangeRollUpState = [&](QObject*) { ++changes; };
    const QPoint caption = box.CaptionRect().center();
    QTest::mouseClick(&box, Qt::LeftButton, {}, caption);
    EXPECT_FALSE(box.RollUpState()); // not in roll-up mode
    box.SetRollUpMode(true);
    // Rolled up, only the frame around the client area is left (the plain caption bar).
    const int rolled = skinned ? 120 - box.FittedClientRect().Height() : 23;
    QTest::mouseClick(&box, Qt::LeftButton, {}, caption);
    ASSERT_TRUE(box.RollUpState());
    EXPECT_EQ(box.RealHeight(), 120);
    EXPECT_EQ(box.height(), rolled);
    EXPECT_FALSE(shown.isVisibleTo(&box));
    // A skin change keeps it rolled up.
    if (skinned) {
      data->SetSkinIndex(2);
      box.ApplySkin();
      EXPECT_EQ(box.height(), rolled);
    }
    QTest::mouseClick(&box, Qt::LeftButton, {}, box.CaptionRect().center());
    EXPECT_FALSE(box.RollUpState());
    EXPECT_EQ(box.height(), 120);
    EXPECT_EQ(box.RealHeight(), -1);
    EXPECT_TRUE(shown.isVisibleTo(&box));
    EXPECT_TRUE(hidden.isVisibleTo(&box));
    EXPECT_EQ(changes, 2);
    // A click below the caption does nothing.
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(90, 100));
    EXPECT_FALSE(box.RollUpState());
  }
}

TEST_F(PanelTest, ChildrenSeeThePanelBehindThem) {
  const auto data = PatternSkin();
  TspSkinPanel panel(form.get());
  panel.SetSkinData(data.get());
  panel.SetBounds(0, 0, 120, 80);
  const QImage look = Grab(panel);
  QWidget child(&panel);
  child.setGeometry(2, 1, 40, 30); // across the frame and the client area
  child.hide();
  QImage behind;
  PaintParentBackground(&child, behind);
  EXPECT_TRUE(SamePixels(behind, look.copy(child.geometry())));

  // The panel's own painting lies behind them too: a child over the caption sees its text.
  const auto builtin = BuiltinSkin();
  TspSkinGroupBox box(form.get());
  box.SetSkinData(builtin.get());
  box.SetBounds(0, 0, 180, 100);
  box.SetCaption("Gender");
  QWidget overCaption(&box);
  overCaption.setGeometry(box.CaptionRect());
  overCaption.hide();
  PaintParentBackground(&overCaption, behind);
  EXPECT_TRUE(SamePixels(behind, Grab(box).copy(box.CaptionRect())));

  // In transparent mode the panel shows what lies behind it, edged in the skin's shadow.
  QPalette pal = form->palette();
  pal.setColor(QPalette::Window, QColor(1, 200, 3));
  form->setPalette(pal);
  panel.SetTransparentMode(true);
  const QImage transparent = Grab(panel);
  EXPECT_EQ(transparent.pixel(60, 40), qRgb(1, 200, 3));
  EXPECT_EQ(transparent.pixel(0, 40), ColorToQColor(data->SkinColors.cbtnshadow).rgb());
  EXPECT_EQ(panel.ClientRect(), QRect(2, 2, 116, 76));
}

} // namespace
