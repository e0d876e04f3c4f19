#include "form_fixture.h"
#include "grab_checks.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/label.h"
#include "skin/controls/skin_fonts.h"
#include "skin/controls/status_bar.h"
#include "skin/controls/status_panel.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Blue text over the plain panel's grey, smoothed: bluish pixels are ink.
QRect TextBounds(const QImage& img, QRect in) {
  QRect r;
  for (int y = in.top(); y <= in.bottom(); ++y)
    for (int x = in.left(); x <= in.right(); ++x) {
      const QRgb px = img.pixel(x, y);
      if (qRed(px) < 100 && qBlue(px) > 150) r |= QRect(x, y, 1, 1);
    }
  return r;
}

std::unique_ptr<TspSkinData> BuiltinSkin() {
  auto data = std::make_unique<TspSkinData>();
  data->SetSkinList(CreateBuiltinSkinList(data.get()));
  data->SetSkinIndex(0);
  return data;
}

// A strip of two 10 x 10 cells: the first all `enabled`, the second all `disabled`, each
// with the bottom-left pixel in the colour the strip leaves out.
QImage TwoCellGlyph(QRgb enabled, QRgb disabled) {
  QImage img(20, 10, QImage::Format_RGB32);
  img.fill(enabled);
  for (int y = 0; y < 10; ++y)
    for (int x = 10; x < 20; ++x) img.setPixel(x, y, disabled);
  img.setPixel(0, 9, qRgb(1, 2, 3));
  img.setPixel(10, 9, qRgb(1, 2, 3));
  return img;
}

const QRgb kFace = qRgb(200, 200, 200);
const QRgb kLight = qRgb(255, 255, 255);
const QRgb kDark = qRgb(100, 100, 100);

class StatusBarTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterSkinFonts(); }
  void SetUp() override {
    form = ColouredForm({200, 100}, {{QPalette::Button, QColor(kFace)},
                                     {QPalette::Light, QColor(kLight)},
                                     {QPalette::Dark, QColor(kDark)},
                                     {QPalette::WindowText, QColor(0, 0, 255)}});
  }
  std::unique_ptr<QWidget> form;
};

TEST_F(StatusBarTest, DocksAtTheBottomOfItsParent) {
  TspSkinStatusBar bar(form.get());
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  EXPECT_EQ(bar.geometry(), QRect(0, 79, 200, 21));
  form->resize(260, 150);
  EXPECT_EQ(bar.geometry(), QRect(0, 129, 260, 21));
  bar.SetAlign(TspStatusBarAlign::alNone);
  bar.setGeometry(5, 5, 100, 21);
  form->resize(300, 150);
  EXPECT_EQ(bar.geometry(), QRect(5, 5, 100, 21));
}

TEST_F(StatusBarTest, PlainGripTakesTheClientsRightEndAndDrawsFourLinePairs) {
  const int w = 200;
  TspSkinStatusBar bar(form.get());
  EXPECT_FALSE(bar.SizeGrip());
  EXPECT_EQ(bar.ClientRect(), QRect(0, 0, w, 21));
  EXPECT_EQ(bar.GripRect(), QRect());
  EXPECT_EQ(bar.HitTest({w - 5, 15}), kHitClient);

  bar.SetSizeGrip(true);
  EXPECT_EQ(bar.ClientRect(), QRect(0, 0, w - 21, 21));
  EXPECT_EQ(bar.contentsRect(), bar.ClientRect()); // where layouts put the children
  EXPECT_EQ(bar.GripRect(), QRect(w - 19, 0, 19, 19));
  EXPECT_EQ(bar.HitTest({w - 5, 15}), kHitBottomRight);
  EXPECT_EQ(bar.HitTest({w - 19, 0}), kHitBottomRight);
  EXPECT_EQ(bar.HitTest({w - 20, 15}), kHitClient);
  EXPECT_EQ(bar.HitTest({w - 5, 19}), kHitClient);

  // Lines for b = 4, 7, 10, 13 in the grip shrunk by 2, (w - 17, 2, w - 2, 17), without
  // their end points: shadow 11 + 8 + 5 + 2 pixels, highlight 10 + 7 + 4 + 1.
  const QImage img = Grab(bar);
  EXPECT_EQ(CountColour(img, kDark), 26);
  EXPECT_EQ(CountColour(img, kLight), 22);
  EXPECT_EQ(img.pixel(w - 13, 17), kDark);  // first shadow line starts at (G.Left + 4, G.Bottom)
  EXPECT_EQ(img.pixel(w - 12, 17), kLight); // its highlight one to the right
  EXPECT_EQ(img.pixel(w - 3, 7), kDark);    // and ends just before (G.Right, G.Top + 4)
  EXPECT_EQ(img.pixel(w - 2, 6), kFace);

  // The second switch: no grip, full client width, hit test as any control.
  bar.SetGripAllowed(false);
  EXPECT_EQ(bar.ClientRect(), QRect(0, 0, w, 21));
  EXPECT_EQ(bar.contentsRect(), QRect(0, 0, w, 21));
  EXPECT_EQ(bar.HitTest({w - 5, 15}), kHitClient);
  EXPECT_EQ(CountColour(Grab(bar), kDark), 0);
}

TEST_F(StatusBarTest, SkinnedGripIsTheRecordsPieceAtTheClientsBottomRight) {
  const auto skin = BuiltinSkin();
  const auto& rec = dynamic_cast<const TspDataSkinPanelControl&>(
      *skin->ControlList[size_t(skin->FindControlData("statusbar"))]);
  ASSERT_FALSE(rec.gripperrect.IsEmpty());
  TspSkinStatusBar bar(form.get());
  bar.SetSizeGrip(true);
  bar.SetSkinData(skin.get());
  EXPECT_EQ(bar.height(), rec.skinrect.Height());
  EXPECT_EQ(bar.y() + bar.height(), form->height()); // docked again at the skin's height

  const TspRect client{rec.clientrect.Left, rec.clientrect.Top,
                       rec.clientrect.Right + bar.width() - rec.skinrect.Width() -
                           rec.gripperrect.Width(),
                       rec.clientrect.Bottom};
  EXPECT_EQ(bar.ClientRect(), client.ToQRect());
  const int gw = rec.gripperrect.Width(), gh = rec.gripperrect.Height();
  const QRect grip(client.Right, client.Bottom - gh, gw, gh);
  EXPECT_EQ(bar.GripRect(), grip);
  const QImage& picture = skin->ActivePictures[size_t(rec.pictureindex)];
  EXPECT_EQ(Grab(bar).copy(grip), picture.copy(rec.gripperrect.ToQRect()));
}

TEST_F(StatusBarTest, SkinDataReachesWindowedSkinnedChildren) {
  const auto skin = BuiltinSkin();
  TspSkinStatusBar bar(form.get());
  auto* panel = new TspSkinStatusPanel(&bar);
  auto* std = new TspSkinStdLabel(&bar);
  bar.SetSkinData(skin.get());
  EXPECT_EQ(panel->SkinData(), skin.get());
  EXPECT_EQ(panel->RecordIndex(), skin->FindControlData("statuspanel"));
  EXPECT_EQ(std->SkinData(), nullptr);
}

TEST_F(StatusBarTest, PressOnTheGripSizesTheWindowByFollowingTheMouse) {
  form->resize(300, 200);
  TspSkinStatusBar bar(form.get());
  bar.SetSizeGrip(true);
  auto* layout = new QHBoxLayout(&bar);
  auto* panel = new TspSkinStatusPanel;
  layout->addWidget(panel);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));

  const QPoint press = bar.GripRect().center();
  const QPoint start = bar.mapToGlobal(press);
  QTest::mousePress(&bar, Qt::LeftButton, {}, press);
  // The offscreen platform refuses to size windows itself.
  ASSERT_TRUE(bar.ManualSizing());
  QTest::mouseMove(&bar, bar.mapFromGlobal(start + QPoint(40, 25)));
  EXPECT_EQ(form->size(), QSize(340, 225));
  QTest::mouseMove(&bar, bar.mapFromGlobal(start + QPoint(-20, 10)));
  EXPECT_EQ(form->size(), QSize(280, 210));
  QTest::mouseRelease(&bar, Qt::LeftButton, {}, bar.mapFromGlobal(start + QPoint(-20, 10)));
  EXPECT_FALSE(bar.ManualSizing());
  // The bar followed the window, and its children keep off the grip.
  EXPECT_EQ(bar.geometry(), QRect(0, 210 - 21, 280, 21));
  QCoreApplication::sendPostedEvents(); // the layout settles
  EXPECT_LE(panel->geometry().right(), bar.ClientRect().right());

  // Moves after the release size nothing; a press beside the grip starts nothing.
  QTest::mouseMove(&bar, bar.mapFromGlobal(start + QPoint(60, 60)));
  EXPECT_EQ(form->size(), QSize(280, 210));
  QTest::mousePress(&bar, Qt::LeftButton, {}, {5, 5});
  EXPECT_FALSE(bar.ManualSizing());
  QTest::mouseRelease(&bar, Qt::LeftButton, {}, {5, 5});
}

TEST_F(StatusBarTest, PanelImageAndTextLayout) {
  const QRgb on = qRgb(0, 200, 0), off = qRgb(200, 0, 200), listed = qRgb(250, 120, 0);
  TspImageList list;
  QImage picture(12, 8, QImage::Format_RGB32);
  picture.fill(listed);
  list.Images.push_back(picture);

  struct Case {
    const char* what;
    bool glyph;
    bool listSet;
    int index;
    bool enabled;
    QRgb shows; // 0: no image
    int imageWidth;
  };
  const Case cases[] = {
      {"no image", false, false, -1, true, 0, 0},
      {"list picture", false, true, 0, true, listed, 12},
      {"glyph over the list", true, true, 0, true, on, 10},
      {"index -1 falls back to the glyph", true, true, -1, true, on, 10},
      {"index past the list", true, true, 1, true, on, 10},
      {"index past the list, no glyph", false, true, 1, true, 0, 0},
      {"disabled glyph cell", true, false, -1, false, off, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TspSkinStatusPanel panel(form.get());
    panel.setGeometry(0, 0, 120, 21);
    panel.SetCaption(QStringLiteral("Ready"));
    panel.SetAlignment(TspAlignment::taRightJustify);
    if (c.glyph) {
      panel.SetGlyph(TwoCellGlyph(on, off));
      panel.SetNumGlyphs(2);
    }
    if (c.listSet) panel.SetImageList(&list);
    panel.SetImageIndex(c.index);
    panel.setEnabled(c.enabled);
    const QImage img = Grab(panel);
    // The plain look: a shadow line at the left, the image at x = 3, the text after it.
    EXPECT_EQ(img.pixel(0, 10), kDark);
    EXPECT_EQ(img.pixel(0, 1), kFace);
    const QRect content = panel.ContentRect();
    EXPECT_EQ(content.left(), c.imageWidth ? 3 + c.imageWidth + 2 : 3);
    if (c.shows) {
      EXPECT_EQ(img.pixel(3, 10), c.shows);
      EXPECT_EQ(img.pixel(3 + c.imageWidth - 1, 9), c.shows);
      EXPECT_NE(img.pixel(3 + c.imageWidth, 9), c.shows);
    }
    // Right-aligned text ends at the content's right edge, 3 pixels in.
    const QRect text = TextBounds(img, QRect(content.left(), 0, 120 - content.left(), 21));
    ASSERT_FALSE(text.isNull());
    EXPECT_NEAR(text.right(), 116, 2);
  }
}

TEST_F(StatusBarTest, PanelAlignmentAndAutoSize) {
  TspSkinStatusPanel panel(form.get());
  panel.setGeometry(0, 0, 120, 21);
  panel.SetCaption(QStringLiteral("Ready"));
  const int textWidth = TextBounds(Grab(panel), panel.rect()).width();
  const std::pair<TspAlignment, int> cases[] = {{TspAlignment::taLeftJustify, 3},
                                                {TspAlignment::taCenter, (120 - textWidth) / 2},
                                                {TspAlignment::taRightJustify, 117 - textWidth}};
  for (const auto& [alignment, left] : cases) {
    panel.SetAlignment(alignment);
    EXPECT_NEAR(TextBounds(Grab(panel), panel.rect()).left(), left, 2) << int(alignment);
  }

  // Auto-size makes room for the image and the caption.
  panel.SetAlignment(TspAlignment::taLeftJustify);
  panel.resize(20, 21);
  panel.SetGlyph(TwoCellGlyph(qRgb(0, 200, 0), qRgb(200, 0, 200)));
  panel.SetNumGlyphs(2);
  panel.SetAutoSize(true);
  EXPECT_GE(panel.width(), 3 + 10 + 2 + textWidth);
  const QRect text = TextBounds(Grab(panel), panel.rect());
  EXPECT_GE(text.left(), 15);
  EXPECT_LT(text.right(), panel.width());

  // With a skin the record's client rectangle takes the image and the caption.
  const auto skin = BuiltinSkin();
  panel.SetSkinData(skin.get());
  ASSERT_NE(panel.RecordIndex(), -1);
  const int skinTextWidth =
      QFontMetrics(panel.TextFont(), &panel).horizontalAdvance(QStringLiteral("Ready"));
  EXPECT_EQ(panel.FittedClientRect().Width(), 10 + 3 + skinTextWidth);
}

TEST_F(StatusBarTest, SkinnedPanelCaptionHasTheLabelsShadowAndDisabledLook) {
  const auto skin = BuiltinSkin();
  TspSkinStatusPanel panel(form.get());
  panel.SetSkinData(skin.get());
  panel.setGeometry(0, 0, 120, 19);
  ASSERT_NE(panel.RecordIndex(), -1);
  const QImage blank = Grab(panel);
  panel.SetCaption(QStringLiteral("Ready"));
  const QImage plain = Grab(panel);
  const QRgb ink = panel.TextColor().rgb();
  auto count = [](const QImage& img, auto&& pick) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) n += pick(x, y) ? 1 : 0;
    return n;
  };
  auto inked = [&](const QImage& img) {
    return count(img, [&](int x, int y) { return img.pixel(x, y) == ink; });
  };
  ASSERT_GT(inked(plain), inked(blank));

  // A shadow darkens pixels around the caption that the plain caption leaves alone.
  panel.SetShadowEffect(true);
  panel.SetShadowOffset(2);
  const QImage shadowed = Grab(panel);
  const int darker = count(shadowed, [&](int x, int y) {
    const QRgb a = shadowed.pixel(x, y), b = plain.pixel(x, y);
    return qGray(a) + 20 < qGray(b);
  });
  EXPECT_GT(darker, 10);
  panel.SetShadowEffect(false);

  // Disabled, the caption is still drawn, faded: no pixel keeps the enabled colour.
  panel.setEnabled(false);
  const QImage disabled = Grab(panel);
  EXPECT_EQ(inked(disabled), inked(blank));
  EXPECT_NE(disabled, blank);
}

} // namespace
