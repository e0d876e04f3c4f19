// The spin edit on a real widget: the value rule through its inner edit, the buttons
// with hold-to-repeat, the keys and what it paints.

#include "form_fixture.h"
#include "skin/controls/control_image.h"
#include "skin/controls/spin_edit.h"

#include <QElapsedTimer>

namespace {

class SpinEditTest : public FieldFormTest {
protected:
  void SetUp() override {
    FieldFormTest::SetUp();
    spin = new TspSkinSpinEdit(form.get());
    spin->move(10, 10);
    // As the settings page has it: the error banner's duration.
    spin->SetMinValue(1);
    spin->SetMaxValue(2000);
    spin->SetValue(200);
    spin->SetIncrement(25);
    spin->OnChange = [this](QObject*) { ++changes; };
    spin->OnUpButtonClick = [this](QObject*) { ++ups; };
    spin->OnDownButtonClick = [this](QObject*) { ++downs; };
    spin->AlertSound = [this] { ++alerts; };
    ASSERT_NO_FATAL_FAILURE(ShowForm());
    changes = 0;
  }

  void UseBuiltinSkin() {
    ASSERT_NO_FATAL_FAILURE(LoadBuiltinSkin());
    spin->SetSkinData(data);
  }

  TspSkinSpinEdit* spin = nullptr;
  int changes = 0, ups = 0, downs = 0, alerts = 0;
};

TEST_F(SpinEditTest, ValueRuleThroughTheInnerEdit) {
  EXPECT_EQ(spin->Editor()->text(), "200");
  spin->SetValue(5000);
  EXPECT_EQ(spin->Value(), 2000);
  EXPECT_EQ(spin->Editor()->text(), "2000");
  spin->SetValue(-3);
  EXPECT_EQ(spin->Value(), 1);
  EXPECT_EQ(changes, 2);
  spin->SetValue(1); // unchanged: no change event
  EXPECT_EQ(changes, 2);

  // Typed texts become values only when they are numbers in range.
  spin->Editor()->setFocus();
  spin->Editor()->selectAll();
  QTest::keyClicks(spin->Editor(), "150");
  EXPECT_EQ(spin->Value(), 150);
  QTest::keyClicks(spin->Editor(), "0"); // 1500
  EXPECT_EQ(spin->Value(), 1500);
  QTest::keyClicks(spin->Editor(), "0"); // 15000: out of range
  EXPECT_EQ(spin->Value(), 1500);
  EXPECT_EQ(spin->Editor()->text(), "15000");
  // Leaving puts the value's text back.
  other->setFocus();
  EXPECT_EQ(spin->Editor()->text(), "1500");
}

TEST_F(SpinEditTest, RefusedCharactersSoundTheAlert) {
  spin->Editor()->setFocus();
  spin->Editor()->setCursorPosition(1);
  QTest::keyClicks(spin->Editor(), "-"); // in the middle
  EXPECT_EQ(spin->Editor()->text(), "200");
  EXPECT_EQ(alerts, 1);
  QTest::keyClicks(spin->Editor(), "x.");
  EXPECT_EQ(spin->Editor()->text(), "200");
  EXPECT_EQ(alerts, 3);
  spin->Editor()->setCursorPosition(0);
  QTest::keyClicks(spin->Editor(), "-");
  EXPECT_EQ(spin->Editor()->text(), "-200"); // at the start it is taken
  EXPECT_EQ(spin->Value(), 200);             // though no value in range
  EXPECT_EQ(alerts, 3);

  // With the editor off only the arrows change the value.
  other->setFocus();
  spin->SetEditorEnabled(false);
  spin->Editor()->setFocus();
  QTest::keyClicks(spin->Editor(), "5");
  QTest::keyClick(spin->Editor(), Qt::Key_Backspace);
  QTest::keyClick(spin->Editor(), Qt::Key_Delete);
  EXPECT_EQ(spin->Editor()->text(), "200");
  EXPECT_EQ(alerts, 5);
  QTest::keyClick(spin->Editor(), Qt::Key_Up);
  EXPECT_EQ(spin->Value(), 225);
  QTest::keyClick(spin->Editor(), Qt::Key_Down);
  QTest::keyClick(spin->Editor(), Qt::Key_Down);
  EXPECT_EQ(spin->Value(), 175);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(downs, 2);
}

TEST_F(SpinEditTest, AClickStepsOnceOnRelease) {
  const QPoint up = spin->UpButtonRect().center();
  const QPoint down = spin->DownButtonRect().center();
  QTest::mouseClick(spin, Qt::LeftButton, {}, up);
  EXPECT_EQ(spin->Value(), 225);
  EXPECT_EQ(ups, 1);
  QTest::mouseClick(spin, Qt::LeftButton, {}, down);
  QTest::mouseClick(spin, Qt::LeftButton, {}, down);
  EXPECT_EQ(spin->Value(), 175);
  EXPECT_EQ(downs, 2);
  // Pressed, moved off, released off: nothing.
  QTest::mousePress(spin, Qt::LeftButton, {}, up);
  QTest::mouseMove(spin, QPoint(5, 5));
  EXPECT_FALSE(spin->UpButtonHot());
  QTest::qWait(700); // past the first repeat delay: the timer stopped when the pointer left
  QTest::mouseRelease(spin, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(spin->Value(), 175);
  EXPECT_EQ(ups, 1);
}

TEST_F(SpinEditTest, HoldingUpRepeatsToTheLimit) {
  spin->SetValue(1990);
  const QPoint up = spin->UpButtonRect().center();
  QElapsedTimer clock;
  clock.start();
  QTest::mousePress(spin, Qt::LeftButton, {}, up);
  EXPECT_TRUE(spin->UpButtonDown());
  EXPECT_EQ(spin->Value(), 1990); // a press alone does not step
  ASSERT_TRUE(QTest::qWaitFor([&] { return spin->Value() == 2000; }, 5000));
  EXPECT_GE(clock.elapsed(), 500); // not before the first repeat delay
  QTest::qWait(400);
  EXPECT_EQ(spin->Value(), 2000); // and never past the limit
  QTest::mouseRelease(spin, Qt::LeftButton, {}, up);
  EXPECT_EQ(spin->Value(), 2000);
  EXPECT_EQ(ups, 1);

  // Down from the bottom.
  spin->SetValue(60);
  const QPoint down = spin->DownButtonRect().center();
  QTest::mousePress(spin, Qt::LeftButton, {}, down);
  ASSERT_TRUE(QTest::qWaitFor([&] { return spin->Value() == 1; }, 5000));
  QTest::mouseRelease(spin, Qt::LeftButton, {}, down);
  EXPECT_EQ(spin->Value(), 1);
}

TEST_F(SpinEditTest, WheelStepsLikeTheButtons) {
  QWheelEvent up(QPointF(5, 5), spin->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                 Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(spin->Editor(), &up);
  EXPECT_EQ(spin->Value(), 225);
  QWheelEvent down(QPointF(5, 5), spin->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(spin, &down);
  EXPECT_EQ(spin->Value(), 200);
}

TEST_F(SpinEditTest, FloatValuesUseTheSeparatorAndDecimals) {
  spin->SetValueType(TspValueType::vtFloat);
  spin->SetDecimalSeparator(u',');
  spin->SetDecimal(1);
  spin->SetIncrement(0.25);
  spin->SetValue(2.5);
  EXPECT_EQ(spin->Editor()->text(), "2,5");
  spin->Editor()->setFocus();
  spin->Editor()->selectAll();
  QTest::keyClicks(spin->Editor(), "3,75,");
  EXPECT_EQ(spin->Editor()->text(), "3,75"); // one separator only
  EXPECT_EQ(spin->Value(), 3.75);
  EXPECT_EQ(alerts, 1);
}

TEST_F(SpinEditTest, SkinnedFrameAndButtonStates) {
  UseBuiltinSkin();
  const auto* rec = dynamic_cast<const TspDataSkinSpinEditControl*>(
      data->ControlList[size_t(data->FindControlData("spinedit"))].get());
  ASSERT_NE(rec, nullptr);
  spin->resize(120, 40);
  ASSERT_EQ(spin->height(), rec->skinrect.Height());
  const int dW = 120 - rec->skinrect.Width();
  EXPECT_EQ(spin->UpButtonRect(), rec->upbuttonrect.ToQRect().translated(dW, 0));
  EXPECT_EQ(spin->DownButtonRect(), rec->downbuttonrect.ToQRect().translated(dW, 0));
  EXPECT_EQ(spin->Editor()->geometry(), spin->TextRect());

  const QImage picture = data->ActivePictures[size_t(rec->pictureindex)];
  TspControlGeometry g = ControlGeometry(*rec);
  const QSize size = FitSizeToSkin(g, spin->size());
  QImage normal;
  ComposeControlImage(normal, picture, g, rec->skinrect, size);
  QTest::mouseMove(form.get(), QPoint(395, 195));
  EXPECT_EQ(spin->PaintImage(), normal);

  const QRect up = spin->UpButtonRect();
  QTest::mouseMove(spin, up.center());
  EXPECT_TRUE(spin->UpButtonHot());
  EXPECT_EQ(spin->PaintImage().copy(up), picture.copy(rec->activeupbuttonrect.ToQRect()));
  QTest::mousePress(spin, Qt::LeftButton, {}, up.center());
  EXPECT_EQ(spin->PaintImage().copy(up), picture.copy(rec->downupbuttonrect.ToQRect()));
  QTest::mouseRelease(spin, Qt::LeftButton, {}, up.center());
  EXPECT_EQ(spin->Value(), 225);
  // Hot or focused, the inner edit writes in the active colour.
  EXPECT_EQ(spin->Editor()->palette().color(QPalette::Active, QPalette::Text),
            ColorToQColor(rec->activefontcolor));
}

TEST_F(SpinEditTest, WithoutSkinSizeTheFrameStretchesToTheHeight) {
  UseBuiltinSkin();
  const auto* rec = dynamic_cast<const TspDataSkinSpinEditControl*>(
      data->ControlList[size_t(data->FindControlData("spinedit"))].get());
  const int skinH = rec->skinrect.Height();
  spin->SetUseSkinSize(false);
  spin->resize(120, skinH * 2);
  ASSERT_EQ(spin->height(), skinH * 2);
  const TspRect up = rec->upbuttonrect;
  EXPECT_EQ(spin->UpButtonRect().top(), up.Top * 2);
  EXPECT_EQ(spin->UpButtonRect().height(), up.Height() * 2);
  EXPECT_EQ(spin->TextRect().height(), rec->clientrect.Height() + skinH);
  // Each row of the frame is a row of the composed frame.
  TspControlGeometry g = ControlGeometry(*rec);
  QImage normal;
  ComposeControlImage(normal, data->ActivePictures[size_t(rec->pictureindex)], g, rec->skinrect,
                      FitSizeToSkin(g, QSize(120, skinH)));
  QTest::mouseMove(form.get(), QPoint(395, 195));
  const QImage img = spin->PaintImage();
  for (int y = 0; y < img.height(); ++y)
    ASSERT_EQ(img.pixel(3, y), normal.pixel(3, y / 2))
        << y << " over " << spin->MouseOver() << " focus " << spin->Editor()->hasFocus();
}

TEST_F(SpinEditTest, PlainLookHasTwoButtonsAtTheRight) {
  ASSERT_EQ(spin->size(), QSize(120, 20));
  EXPECT_EQ(spin->UpButtonRect(), QRect(103, 2, 15, 8));
  EXPECT_EQ(spin->DownButtonRect(), QRect(103, 10, 15, 8));
  EXPECT_EQ(spin->TextRect().right(), 101);
  const QImage img = spin->PaintImage();
  EXPECT_EQ(img.pixel(0, 0), spin->palette().color(QPalette::Dark).rgb());
  EXPECT_EQ(img.pixel(50, 10), spin->DefaultColor().rgb());
}

} // namespace
