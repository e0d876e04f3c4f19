// The scroll box on real widgets: its frame outside the client area in the skinned and
// the plain look, and its children scrolled by the attached bars: shown only while the
// content does not fit, moved by the bar's position difference, the view kept filled when
// the content shrinks.

#include "form_fixture.h"
#include "grab_checks.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/scroll_box.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class ScrollBoxTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    NewForm(400, 400);
    LoadBuiltinSkin();
    box = new TspSkinScrollBox(form.get());
    box->setGeometry(10, 10, 150, 150); // plain: client 148 x 148 at (1, 1)
    vbar = new TspSkinScrollBar(form.get());
    vbar->SetKind(TspScrollBarKind::sbVertical);
    vbar->SetSkinData(data);
    vbar->setGeometry(160, 10, 19, 150);
  }

  QWidget* AddChild(int y, int h) {
    auto* w = new QWidget(box->Client());
    w->setGeometry(5, y, 60, h);
    w->show();
    return w;
  }

  TspSkinScrollBox* box = nullptr;
  TspSkinScrollBar* vbar = nullptr;
};

TEST_F(ScrollBoxTest, AttachingABarHidesItUntilTheContentOutgrowsTheView) {
  vbar->SetCanFocused(true);
  vbar->setEnabled(false);
  ShowForm();
  box->SetVScrollBar(vbar);
  EXPECT_FALSE(vbar->CanFocused());
  EXPECT_TRUE(vbar->isEnabled());
  EXPECT_TRUE(vbar->isHidden()); // nothing in the box yet

  QWidget* child = AddChild(0, 148); // exactly the view
  EXPECT_TRUE(vbar->isHidden());
  child->resize(60, 149);
  ASSERT_FALSE(vbar->isHidden());
  EXPECT_EQ(vbar->Min(), 0);
  EXPECT_EQ(vbar->Max(), 148);
  EXPECT_EQ(vbar->PageSize(), 148);
  EXPECT_EQ(vbar->Position(), 0);

  // A hidden child does not count.
  child->hide();
  EXPECT_TRUE(vbar->isHidden());
  EXPECT_EQ(vbar->Max(), 0);
  EXPECT_EQ(vbar->PageSize(), 0);
  child->show();
  EXPECT_FALSE(vbar->isHidden());

  // The bar goes and comes with the box.
  box->hide();
  EXPECT_TRUE(vbar->isHidden());
  box->show();
  EXPECT_FALSE(vbar->isHidden());
}

TEST_F(ScrollBoxTest, ChildrenMoveByTheBarsPositionDifference) {
  ShowForm();
  box->SetVScrollBar(vbar);
  QWidget* top = AddChild(0, 40);
  QWidget* middle = AddChild(100, 40);
  QWidget* bottom = AddChild(200, 40); // content 240 high in a 148-high view
  ASSERT_FALSE(vbar->isHidden());
  EXPECT_EQ(vbar->Max(), 239);
  EXPECT_EQ(vbar->PageSize(), 148);

  vbar->SetPosition(50);
  EXPECT_EQ(top->y(), -50);
  EXPECT_EQ(middle->y(), 50);
  EXPECT_EQ(bottom->y(), 150);
  vbar->SetPosition(30);
  EXPECT_EQ(top->y(), -30);
  EXPECT_EQ(bottom->y(), 170);

  // Real input: the far arrow steps one, a click after the thumb pages by LargeChange.
  vbar->UpdateLayout();
  QTest::mouseClick(vbar, Qt::LeftButton, {},
                    vbar->Part(TspSkinScrollBar::UpButtonPart).Rect.center());
  EXPECT_EQ(vbar->Position(), 31);
  EXPECT_EQ(top->y(), -31);
  vbar->SetLargeChange(20);
  vbar->UpdateLayout();
  const QRect track = vbar->TrackRect();
  QTest::mouseClick(vbar, Qt::LeftButton, {}, QPoint(track.center().x(), track.bottom() - 1));
  EXPECT_EQ(vbar->Position(), 51);
  EXPECT_EQ(middle->y(), 49);

  // The end of the range shows the content's end at the view's bottom.
  vbar->SetPosition(vbar->Max());
  EXPECT_EQ(vbar->Position(), 240 - 148);
  EXPECT_EQ(bottom->geometry().bottom() + 1, 148);

  // A child added while scrolled lies where it is put, in the view's coordinates.
  QWidget* late = AddChild(148, 100);
  EXPECT_EQ(vbar->Max(), 92 + 248 - 1);
  vbar->SetPosition(vbar->Max());
  EXPECT_EQ(late->geometry().bottom() + 1, 148);
}

TEST_F(ScrollBoxTest, ContentThatFitsAgainScrollsBackToTheTop) {
  ShowForm();
  box->SetVScrollBar(vbar);
  QWidget* top = AddChild(0, 40);
  QWidget* bottom = AddChild(200, 40);
  vbar->SetPosition(60);
  ASSERT_EQ(top->y(), -60);
  bottom->hide();
  EXPECT_TRUE(vbar->isHidden());
  EXPECT_EQ(vbar->Position(), 0);
  EXPECT_EQ(top->y(), 0);
  EXPECT_EQ(bottom->y(), 200); // hidden children move along
}

TEST_F(ScrollBoxTest, ShrinkingContentOrAGrowingViewKeepsTheViewFilled) {
  ShowForm();
  box->SetVScrollBar(vbar);
  QWidget* top = AddChild(0, 40);
  QWidget* bottom = AddChild(200, 40);
  vbar->SetPosition(vbar->Max()); // 92: the bottom child ends at the view's bottom
  ASSERT_EQ(top->y(), -92);

  // The last child loses 30 pixels: the content scrolls down by them.
  bottom->resize(60, 10);
  EXPECT_EQ(bottom->geometry().bottom() + 1, 148);
  EXPECT_EQ(top->y(), -62);
  EXPECT_EQ(vbar->Position(), 62);
  EXPECT_EQ(vbar->Max(), 62 + 148 - 1);
  EXPECT_FALSE(vbar->isHidden());

  // The box grows by 40: the same rule.
  box->resize(150, 190);
  EXPECT_EQ(box->Client()->height(), 188);
  EXPECT_EQ(bottom->geometry().bottom() + 1, 188);
  EXPECT_EQ(top->y(), -22);
  EXPECT_EQ(vbar->Position(), 22);
  EXPECT_EQ(vbar->PageSize(), 188);
}

TEST_F(ScrollBoxTest, HorizontalBarScrollsSidewaysAndSharesTheCorner) {
  auto* hbar = new TspSkinScrollBar(form.get());
  hbar->SetSkinData(data);
  hbar->setGeometry(10, 160, 150, 19);
  ShowForm();
  box->SetVScrollBar(vbar);
  box->SetHScrollBar(hbar);
  QWidget* wide = new QWidget(box->Client());
  wide->setGeometry(0, 0, 300, 40);
  wide->show();
  EXPECT_FALSE(hbar->isHidden());
  EXPECT_TRUE(vbar->isHidden());
  EXPECT_FALSE(hbar->Both());
  EXPECT_EQ(hbar->Max(), 299);
  hbar->SetPosition(100);
  EXPECT_EQ(wide->x(), -100);

  // Once the vertical bar shows too, the horizontal one leaves it the corner.
  AddChild(100, 100);
  EXPECT_FALSE(vbar->isHidden());
  EXPECT_TRUE(hbar->Both());
  EXPECT_EQ(hbar->SkinDataName(), hbar->BothSkinDataName());
  vbar->SetPosition(20);
  EXPECT_EQ(wide->pos(), QPoint(-100, -20));
}

TEST_F(ScrollBoxTest, BuiltinSkinFrameLiesOutsideTheClientArea) {
  box->SetSkinData(data);
  ShowForm();
  // A one-pixel frame: the client area is the box inset by 1.
  EXPECT_EQ(box->ClientRect(), QRect(1, 1, 148, 148));
  EXPECT_EQ(box->Client()->geometry(), QRect(1, 1, 148, 148));
  const QImage framed = Grab(*box);
  const QRgb inside = framed.pixel(75, 75);
  for (const QPoint at : {QPoint(0, 75), QPoint(75, 0), QPoint(149, 75), QPoint(75, 149)})
    EXPECT_NE(framed.pixel(at), inside) << at.x() << "," << at.y();
  EXPECT_EQ(framed.pixel(1, 1), inside);

  // Without a frame the client piece covers the whole box.
  box->SetBorderStyle(TspSkinBorderStyle::bvNone);
  EXPECT_EQ(box->Client()->geometry(), box->rect());
  const QImage bare = Grab(*box);
  for (int y = 0; y < bare.height(); ++y)
    for (int x = 0; x < bare.width(); ++x) ASSERT_EQ(bare.pixel(x, y), inside) << x << "," << y;

  // Children are clipped to the client area, not drawn over the frame.
  box->SetBorderStyle(TspSkinBorderStyle::bvFrame);
  auto* child = new QWidget(box->Client());
  child->setAutoFillBackground(true);
  QPalette pal = child->palette();
  pal.setColor(QPalette::Window, Qt::red);
  child->setPalette(pal);
  child->setGeometry(-5, -5, 40, 40);
  child->show();
  const QImage clipped = Grab(*box);
  EXPECT_EQ(clipped.pixel(0, 0), framed.pixel(0, 0));
  EXPECT_EQ(clipped.pixel(1, 1), qRgb(255, 0, 0));
}

TEST_F(ScrollBoxTest, PlainFramesAreThePanelsTurnedRoundAndFollowSkinChanges) {
  ShowForm();
  const QRgb dark = box->palette().color(QPalette::Dark).rgb();
  const QRgb light = box->palette().color(QPalette::Light).rgb();
  struct Case {
    TspSkinBorderStyle style;
    QRgb topLeft, bottomRight;
  } cases[] = {{TspSkinBorderStyle::bvFrame, dark, dark},
               {TspSkinBorderStyle::bvRaised, dark, light},
               {TspSkinBorderStyle::bvLowered, light, dark}};
  for (const Case& c : cases) {
    box->SetBorderStyle(c.style);
    const QImage image = Grab(*box);
    EXPECT_EQ(image.pixel(0, 50), c.topLeft);
    EXPECT_EQ(image.pixel(50, 0), c.topLeft);
    EXPECT_EQ(image.pixel(149, 50), c.bottomRight);
    EXPECT_EQ(image.pixel(50, 149), c.bottomRight);
    EXPECT_EQ(image.pixel(50, 50), box->Color().rgb());
    EXPECT_EQ(box->ClientRect(), QRect(1, 1, 148, 148));
  }
  box->SetBorderStyle(TspSkinBorderStyle::bvNone);
  EXPECT_EQ(box->ClientRect(), box->rect());

  // The skin comes and goes: the client area follows the frame.
  box->SetBorderStyle(TspSkinBorderStyle::bvFrame);
  box->SetVScrollBar(vbar);
  AddChild(0, 148);
  EXPECT_TRUE(vbar->isHidden());
  box->SetSkinData(data);
  EXPECT_NE(box->RecordIndex(), -1);
  EXPECT_EQ(box->BgPictureIndex(), -1);
  EXPECT_EQ(box->Client()->geometry(), QRect(1, 1, 148, 148));
  data->SetSkinIndex(2);
  box->ApplySkin();
  EXPECT_EQ(box->Client()->geometry(), QRect(1, 1, 148, 148));
  box->SetSkinData(nullptr);
  EXPECT_EQ(box->RecordIndex(), -1);
}

} // namespace
