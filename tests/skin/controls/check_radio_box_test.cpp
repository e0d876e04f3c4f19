// Check boxes and radio buttons under real input: toggling by mouse, Space and accelerator,
// the grayed cycle, exclusivity by GroupIndex, and the images each state paints.

#include "form_fixture.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/check_radio_box.h"
#include "skin/controls/control_image.h"
#include "skin/controls/panel.h"
#include "skin/controls/plain_look.h"
#include "skin/controls/skin_fonts.h"
#include "skin/controls/skin_tree.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_list.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

class CheckBoxTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    NewForm(360, 220);
    ASSERT_NO_FATAL_FAILURE(LoadBuiltinSkin());
    new TspSkinnedFormHook(form.get());
  }

  TspSkinCheckRadioBox* AddBox(QWidget* parent, int x, int y, const QString& caption,
                               bool skinned = true) {
    auto* b = new TspSkinCheckRadioBox(parent);
    b->SetCaption(caption);
    if (skinned) b->SetSkinData(data);
    b->setGeometry(x, y, 150, 25);
    b->OnClick = [this, b](QObject* sender) {
      EXPECT_EQ(sender, b);
      ++clicks[b];
    };
    return b;
  }
  TspSkinCheckRadioBox* AddBox(int x, int y, const QString& caption = "Box") {
    return AddBox(form.get(), x, y, caption);
  }

  static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 12)); }

  const TspDataSkinCheckRadioControl& Record(const QString& name) {
    return dynamic_cast<const TspDataSkinCheckRadioControl&>(
        *data->ControlList[size_t(data->FindControlData(name))]);
  }
  const QImage& Picture(const QString& name) {
    return *RecordPicture(Record(name), data->ActivePictures);
  }

  // Every pixel of the skin's `rect` (but its transparent colour) that falls inside the box
  // is where the box paints its check image; `pale` expects the colours mixed half-way
  // towards white.
  void ExpectCheckImage(TspSkinCheckRadioBox* b, const QString& record, const TspRect& rect,
                        bool pale = false, int atLeast = 20) {
    ASSERT_FALSE(rect.IsEmpty());
    const QImage painted = b->PaintImage();
    const QImage piece = Picture(record).copy(rect.ToQRect()).convertToFormat(QImage::Format_RGB32);
    const QPoint at = b->CheckImageRect().topLeft();
    const QRgb key = piece.pixel(0, piece.height() - 1);
    int compared = 0;
    for (int y = 0; y < piece.height(); ++y)
      for (int x = 0; x < piece.width(); ++x) {
        const QRgb c = piece.pixel(x, y);
        if (c == key || !painted.rect().contains(at + QPoint(x, y))) continue;
        const QRgb p = painted.pixel(at + QPoint(x, y));
        const auto half = [](int v) { return (v + 255 + 1) / 2; };
        const QRgb want = pale ? qRgb(half(qRed(c)), half(qGreen(c)), half(qBlue(c))) : c;
        ASSERT_LE(std::abs(qRed(p) - qRed(want)) + std::abs(qBlue(p) - qBlue(want)) +
                      std::abs(qGreen(p) - qGreen(want)),
                  3)
            << "pixel " << x << "," << y;
        ++compared;
      }
    EXPECT_GT(compared, atLeast);
  }

  std::map<QObject*, int> clicks;
};

// --- Input -------------------------------------------------------------------------------------

TEST_F(CheckBoxTest, MouseClickTogglesAndFiresOnce) {
  TspSkinCheckRadioBox* box = AddBox(10, 10, "Remember me");
  TspSkinCheckRadioBox* radio = AddBox(10, 50, "Male");
  radio->SetRadio(true);
  EXPECT_EQ(radio->SkinDataName(), "radiobox");
  ShowForm();

  Click(box);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);
  EXPECT_EQ(clicks[box], 1);
  Click(box);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks[box], 2);

  // A radio clicked twice stays checked, and the second click changes nothing.
  Click(radio);
  Click(radio);
  EXPECT_TRUE(radio->Checked());
  EXPECT_EQ(clicks[radio], 1);

  // A right click does nothing; neither does a release after the pointer left.
  QTest::mouseClick(box, Qt::RightButton);
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(8, 12));
  EXPECT_TRUE(box->MouseIn());
  QTest::mouseMove(box, QPoint(200, 12));
  EXPECT_FALSE(box->MouseIn());
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(200, 12));
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks[box], 2);
}

TEST_F(CheckBoxTest, AllowGrayedCyclesThroughThreeStates) {
  TspSkinCheckRadioBox* box = AddBox(10, 10);
  box->SetAllowGrayed(true);
  ShowForm();
  const TCheckBoxState cycle[] = {TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked,
                                  TCheckBoxState::cbUnchecked, TCheckBoxState::cbGrayed};
  int n = 0;
  for (TCheckBoxState want : cycle) {
    Click(box);
    EXPECT_EQ(box->State(), want) << "after click " << n + 1;
    EXPECT_EQ(box->Checked(), want == TCheckBoxState::cbChecked);
    EXPECT_EQ(clicks[box], ++n);
  }
  // Unchecking a grayed box in code keeps it grayed; checking it replaces the grayed state.
  box->SetChecked(false);
  EXPECT_EQ(box->State(), TCheckBoxState::cbGrayed);
  EXPECT_EQ(clicks[box], n);
  box->SetChecked(true);
  EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);
}

TEST_F(CheckBoxTest, SpaceAndAcceleratorToggleAFocusableBox) {
  TspSkinCheckRadioBox* box = AddBox(10, 10, "&Validate");
  TspSkinCheckRadioBox* other = AddBox(10, 50, "Other");
  box->SetCanFocused(true);
  other->SetCanFocused(true);
  ShowForm();

  box->setFocus();
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks[box], 1);
  // A Space release whose press went elsewhere does nothing.
  QTest::keyRelease(box, Qt::Key_Space);
  EXPECT_TRUE(box->Checked());

  // The accelerator focuses and toggles.
  other->setFocus();
  QTest::keyClick(form.get(), Qt::Key_V, Qt::AltModifier);
  EXPECT_TRUE(box->hasFocus());
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks[box], 2);

  // Without CanFocused the box takes no focus and no keys, but still the mouse.
  box->SetCanFocused(false);
  EXPECT_FALSE(box->hasFocus());
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_FALSE(box->Checked());
  Click(box);
  EXPECT_TRUE(box->Checked());
  EXPECT_FALSE(box->hasFocus());
}

TEST_F(CheckBoxTest, GroupIndexMakesBoxesOfOneParentExclusive) {
  auto* panel = new TspSkinPanel(form.get());
  panel->setGeometry(0, 0, 360, 220);
  TspSkinCheckRadioBox* a = AddBox(panel, 10, 10, "A");
  TspSkinCheckRadioBox* b = AddBox(panel, 10, 40, "B");
  TspSkinCheckRadioBox* free1 = AddBox(panel, 10, 70, "Free 1");
  TspSkinCheckRadioBox* free2 = AddBox(panel, 10, 100, "Free 2");
  TspSkinCheckRadioBox* elsewhere = AddBox(form.get(), 200, 10, "Other parent");
  a->SetGroupIndex(3);
  b->SetGroupIndex(3);
  elsewhere->SetGroupIndex(3);
  ShowForm();

  Click(a);
  Click(elsewhere);
  Click(b);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(elsewhere->Checked()); // another parent
  // Unchecking a (non-radio) box by its neighbour is a change it reports.
  EXPECT_EQ(clicks[a], 2);
  EXPECT_EQ(clicks[b], 1);

  Click(free1);
  Click(free2);
  EXPECT_TRUE(free1->Checked());
  EXPECT_TRUE(free2->Checked());
}

// --- Painting ----------------------------------------------------------------------------------

TEST_F(CheckBoxTest, FlatBoxPaintsTheRecordImageOfItsState) {
  TspSkinCheckRadioBox* box = AddBox(10, 10, "Remember me");
  TspSkinCheckRadioBox* radio = AddBox(10, 50, "Male");
  radio->SetRadio(true);
  ShowForm();
  const TspDataSkinCheckRadioControl& c = Record("checkbox");
  const TspDataSkinCheckRadioControl& r = Record("radiobox");

  EXPECT_EQ(box->CheckImageRect(), QRect(3, (25 - c.checkimagerect.Height()) / 2,
                                         c.checkimagerect.Width(), c.checkimagerect.Height()));
  ExpectCheckImage(box, "checkbox", c.uncheckimagerect);
  box->SetChecked(true);
  ExpectCheckImage(box, "checkbox", c.checkimagerect);
  box->SetState(TCheckBoxState::cbGrayed);
  ExpectCheckImage(box, "checkbox", c.grayedcheckimagerect);
  box->SetChecked(true);
  QTest::mouseMove(box, QPoint(8, 12));
  ASSERT_TRUE(box->MouseIn());
  ExpectCheckImage(box, "checkbox", c.activecheckimagerect);
  box->setEnabled(false);
  ExpectCheckImage(box, "checkbox", c.unenabledcheckimagerect);

  // The radio record has no grayed image: the checked one stands in, paled.
  radio->SetState(TCheckBoxState::cbGrayed);
  ASSERT_TRUE(r.grayedcheckimagerect.IsEmpty());
  ExpectCheckImage(radio, "radiobox", r.checkimagerect, true);

  // After a skin switch the image comes from the new skin.
  data->SetSkinIndex(2);
  ASSERT_FALSE(data->IsEmpty());
  box->setEnabled(true);
  box->SetChecked(true);
  QTest::mouseMove(form.get(), QPoint(300, 200));
  ExpectCheckImage(box, "checkbox", Record("checkbox").checkimagerect);
}

// A box smaller than its check image shows the part that fits, keyed by the whole image's
// transparent colour.
TEST_F(CheckBoxTest, BoxSmallerThanItsCheckImageShowsThePartThatFits) {
  TspSkinCheckRadioBox* box = AddBox(10, 10, QString());
  box->SetChecked(true);
  ShowForm();
  const TspDataSkinCheckRadioControl& c = Record("checkbox");
  const int w = c.checkimagerect.Width(), h = c.checkimagerect.Height();
  ASSERT_GT(h, 6);
  box->resize(w, h - 4); // the image's bottom rows, with its transparent colour, are cut off
  ASSERT_LT(box->CheckImageRect().top(), 0);
  ExpectCheckImage(box, "checkbox", c.checkimagerect, false, 5);
}

TEST_F(CheckBoxTest, FocusedBoxSurroundsItsCaptionWithDots) {
  TspSkinCheckRadioBox* box = AddBox(10, 10, "Focus me");
  TspSkinCheckRadioBox* other = AddBox(10, 50, "Other");
  ShowForm();
  const QRgb ink = SkinColor(Record("checkbox").framefontcolor).rgb();
  // The dotted rectangle's left edge lies two pixels left of the caption, in the gap
  // between check image and caption where nothing else is drawn.
  const int x = box->CheckImageRect().width() + 7 - 2;
  const auto dots = [&] {
    const QImage image = box->PaintImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) n += image.pixel(x, y) == ink;
    return n;
  };
  EXPECT_EQ(dots(), 0);
  Click(box); // a click focuses it
  ASSERT_TRUE(box->hasFocus());
  EXPECT_GE(dots(), 4);
  other->setFocus();
  EXPECT_EQ(dots(), 0);
}

TEST_F(CheckBoxTest, FramedBoxComposesItsFaceAndFollowsTheMouse) {
  TspSkinCheckRadioBox* box = AddBox(10, 10, "Framed");
  box->SetFlat(false);
  box->setGeometry(10, 10, 150, 40);
  ShowForm();
  const TspDataSkinCheckRadioControl& c = Record("checkbox");
  // The record stretches horizontally only: the height is the record's.
  EXPECT_EQ(box->size(), QSize(150, c.skinrect.Height()));

  TspControlGeometry g = ControlGeometry(c);
  const auto face = [&](const TspRect& rect) {
    QImage target;
    ComposeControlImage(target, Picture("checkbox"), g, rect, FitSizeToSkin(g, box->size()));
    return target;
  };
  const QPoint corner(box->width() - 1, 0);
  EXPECT_EQ(box->PaintImage().pixel(corner), face(c.skinrect).pixel(corner));
  ExpectCheckImage(box, "checkbox", c.uncheckimagerect);
  QTest::mouseMove(box, QPoint(8, 12));
  EXPECT_EQ(box->PaintImage().pixel(corner), face(c.activeskinrect).pixel(corner));
  ExpectCheckImage(box, "checkbox", c.activeuncheckimagerect);
}

TEST_F(CheckBoxTest, PlainLookDrawsBoxMarkAndDot) {
  TspSkinCheckRadioBox* box = AddBox(form.get(), 10, 10, "Plain", false);
  TspSkinCheckRadioBox* radio = AddBox(form.get(), 10, 50, "Plain radio", false);
  radio->SetRadio(true);
  ShowForm();
  const int y = 25 / 2 - 4;
  const QColor window = box->palette().color(QPalette::Base);
  // The mark's first stroke starts at (7, y + 5); the box is filled with the window colour.
  EXPECT_EQ(box->PaintImage().pixelColor(7, y + 5), window);
  box->SetChecked(true);
  QImage checked = box->PaintImage();
  EXPECT_EQ(checked.pixelColor(7, y + 5), QColor(Qt::black));
  EXPECT_EQ(checked.pixelColor(13, y + 5 + 2 - 4), QColor(Qt::black));
  EXPECT_EQ(checked.pixelColor(14, y + 5 + 2 - 5), window); // the end point is left out
  box->SetState(TCheckBoxState::cbGrayed);
  EXPECT_EQ(box->PaintImage().pixelColor(7, y + 5),
            box->palette().color(QPalette::Disabled, QPalette::Text));

  EXPECT_EQ(radio->PaintImage().pixelColor(9, 25 / 2), window);
  radio->SetChecked(true);
  const QImage dot = radio->PaintImage();
  EXPECT_EQ(dot.pixelColor(7, 25 / 2 - 3), QColor(Qt::black));
  EXPECT_EQ(dot.pixelColor(12, 25 / 2 + 2), QColor(Qt::black));
  EXPECT_EQ(dot.pixelColor(13, 25 / 2 + 3), window);
}

} // namespace
