// The date edit's calendar pop-up on a real form: opening on the field's date, choosing a
// day, the ways it closes without choosing, its place near the screen's bottom, the focus
// staying in the field, the fade-in and a skin switch reaching the pop-up.

#include "form_fixture.h"
#include "skin/controls/button.h"
#include "skin/controls/date_edit.h"
#include "skin/controls/popup_calendar.h"
#include "skin/controls/skin_tree.h"

#include <QScreen>
#include <functional>

namespace {

class DateEditPopupTest : public FieldFormTest {
protected:
  void SetUp() override {
    FieldFormTest::SetUp();
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    form->move(work.left() + 100, work.top() + 100);
    edit = new TspSkinDateEdit(form.get());
    edit->setGeometry(20, 20, 130, 21);
    edit->SetCalendarWidth(200);
    edit->SetCalendarHeight(150);
    edit->SetFirstDayOfWeek(TspDaysOfWeek::Sun);
    edit->OnDateChange = [this](QObject*) { ++dateChanges; };
    popup = edit->Calendar();
  }

  void ShowAndFocus() {
    ShowForm();
    edit->setFocus();
    ASSERT_TRUE(edit->Editor()->hasFocus());
  }

  // Input as the platform delivers it: to the active window, which hands it to an open
  // pop-up.
  void Key(Qt::Key key) { QTest::keyClick(form->windowHandle(), key); }
  void ClickButton() {
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                      edit->mapTo(form.get(), edit->ButtonRect().center()));
  }
  QPoint DayCentre(int day) {
    const TspCalendarGeometry g = popup->CalendarGeometry();
    for (int row = 1; row <= 6; ++row)
      for (int column = 0; column < 7; ++column)
        if (TspSkinMonthCalendar::DayNumber(g, row, column) == day)
          return popup->CellRect(g, row, column).center();
    return {};
  }

  TspSkinDateEdit* edit = nullptr;
  TspPopupCalendar* popup = nullptr;
  int dateChanges = 0;
};

TEST_F(DateEditPopupTest, TheButtonOpensTheCalendarUnderTheFieldOnItsDateAndLeavesTheFocus) {
  ShowAndFocus();
  edit->SetDate(QDate(2015, 6, 10));
  ClickButton();
  ASSERT_TRUE(popup->isVisible());
  EXPECT_TRUE(edit->DroppedDown());
  EXPECT_TRUE(popup->isWindow());
  EXPECT_TRUE(popup->windowFlags().testFlag(Qt::Popup));
  EXPECT_EQ(popup->size(), QSize(200, 150));
  EXPECT_EQ(popup->geometry().topLeft(), edit->mapToGlobal(QPoint(0, edit->height())));
  EXPECT_EQ(popup->Date(), QDate(2015, 6, 10));
  // The form keeps the activation and the field the focus.
  EXPECT_TRUE(form->isActiveWindow());
  EXPECT_EQ(QApplication::focusWidget(), edit->Editor());
  EXPECT_EQ(popup->focusPolicy(), Qt::NoFocus);
  // The button again closes it, and the press does not open it anew.
  ClickButton();
  EXPECT_FALSE(popup->isVisible());
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->Text(), "2015/06/10");
  EXPECT_EQ(dateChanges, 0);
}

TEST_F(DateEditPopupTest, AFieldWithoutADateOpensOnToday) {
  ShowAndFocus();
  ASSERT_FALSE(edit->Date().isValid());
  edit->DropDown();
  EXPECT_EQ(popup->Date(), QDate::currentDate());
  edit->CloseUp(false);
  // Typing a date the text completes moves the calendar to it.
  edit->Editor()->setCursorPosition(0);
  QTest::keyClicks(edit->Editor(), "20240229");
  EXPECT_EQ(edit->Date(), QDate(2024, 2, 29));
  EXPECT_EQ(popup->Date(), QDate(2024, 2, 29));
}

TEST_F(DateEditPopupTest, AClickOnADayWritesItIntoTheFieldAndCloses) {
  ShowAndFocus();
  edit->SetDate(QDate(2015, 6, 10));
  int numberClicks = 0;
  const auto accept = popup->OnNumberClick;
  popup->OnNumberClick = [&](QObject* s) {
    ++numberClicks;
    accept(s);
  };
  edit->DropDown();
  QTest::mouseClick(popup, Qt::LeftButton, {}, DayCentre(17));
  EXPECT_EQ(numberClicks, 1);
  EXPECT_EQ(edit->Text(), "2015/06/17");
  EXPECT_EQ(dateChanges, 1);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), edit->Editor());
}

TEST_F(DateEditPopupTest, KeysOpenTheCalendarMoveTheDayAndEnterTakesIt) {
  ShowAndFocus();
  edit->SetDate(QDate(2015, 6, 10));
  QTest::keyClick(form->windowHandle(), Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(popup->isVisible());
  QTest::keyClick(form->windowHandle(), Qt::Key_Up, Qt::AltModifier);
  EXPECT_FALSE(popup->isVisible());
  Key(Qt::Key_F4);
  ASSERT_TRUE(popup->isVisible());
  Key(Qt::Key_Right);
  Key(Qt::Key_Down);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(popup->Date(), QDate(2015, 7, 18));
  EXPECT_EQ(edit->Text(), "2015/06/10");
  Key(Qt::Key_Return);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(edit->Text(), "2015/07/18");
  EXPECT_EQ(dateChanges, 1);
}

TEST_F(DateEditPopupTest, ClosingWithoutChoosingKeepsTheTextAndTheCalendarsOldDate) {
  ShowAndFocus();
  edit->SetDate(QDate(2015, 6, 10));
  // Esc, a key in the field, a press elsewhere on the form, the focus going to another
  // control: each closes, the moved day forgotten.
  const std::function<void()> closers[] = {
      [&] { Key(Qt::Key_Escape); },
      [&] { QTest::keyClick(edit->Editor(), Qt::Key_Home); },
      [&] { QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, QPoint(300, 100)); },
      [&] { other->setFocus(); },
  };
  int n = 0;
  for (const auto& close : closers) {
    edit->setFocus();
    edit->DropDown();
    ASSERT_TRUE(popup->isVisible());
    Key(Qt::Key_Right);
    ASSERT_EQ(popup->Date(), QDate(2015, 6, 11));
    close();
    EXPECT_FALSE(popup->isVisible()) << n;
    EXPECT_FALSE(edit->DroppedDown()) << n;
    EXPECT_EQ(edit->Text(), "2015/06/10") << n;
    EXPECT_EQ(popup->Date(), QDate(2015, 6, 10)) << n;
    ++n;
  }
  EXPECT_EQ(dateChanges, 0);
  // Focus that left stays where it went.
  EXPECT_EQ(QApplication::focusWidget(), other);
}

TEST_F(DateEditPopupTest, AKeyTypedWhileOpenGoesIntoTheField) {
  ShowAndFocus();
  edit->DropDown();
  Key(Qt::Key_2);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(edit->Text().left(1), "2");
  EXPECT_EQ(dateChanges, 0);
}

TEST_F(DateEditPopupTest, NearTheBottomOfTheScreenTheCalendarOpensAbove) {
  ShowForm();
  const QRect work = form->screen()->availableGeometry();
  form->move(form->x(), work.bottom() - 80);
  QCoreApplication::processEvents();
  edit->DropDown();
  const QPoint top = edit->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(popup->geometry().bottom() + 1, top.y());
  EXPECT_EQ(popup->x(), top.x());
  edit->CloseUp(false);
}

TEST_F(DateEditPopupTest, TheFadeInRisesInFifteenStepsAndACutFadeLeavesNoGhost) {
  ShowAndFocus();
  edit->SetCalendarAlphaBlend(true);
  edit->SetCalendarAlphaBlendValue(240);
  edit->SetCalendarAlphaBlendAnimation(true);
  edit->DropDown();
  EXPECT_EQ(popup->windowOpacity(), 0.0);
  for (int i = 0; i < 14; ++i) edit->FadeStep();
  EXPECT_NEAR(popup->windowOpacity(), 224 / 255.0, 0.01);
  edit->FadeStep();
  EXPECT_NEAR(popup->windowOpacity(), 240 / 255.0, 0.01);
  edit->CloseUp(false);

  // Closed halfway: the next opening without the animation is at full strength.
  edit->DropDown();
  edit->FadeStep();
  edit->CloseUp(false);
  edit->SetCalendarAlphaBlendAnimation(false);
  edit->DropDown();
  EXPECT_NEAR(popup->windowOpacity(), 240 / 255.0, 0.01);
  edit->CloseUp(false);
  edit->SetCalendarAlphaBlend(false);
  edit->DropDown();
  EXPECT_EQ(popup->windowOpacity(), 1.0);
  edit->CloseUp(false);
}

TEST_F(DateEditPopupTest, ASkinSwitchReachesThePopup) {
  LoadBuiltinSkin();
  new TspSkinnedFormHook(form.get());
  edit->SetSkinData(data);
  edit->SetCalendarSkinDataName(QStringLiteral("panel"));
  ShowAndFocus();
  edit->DropDown();
  EXPECT_EQ(popup->SkinData(), data);
  EXPECT_NE(popup->RecordIndex(), -1);
  const QImage before = popup->PaintImage();
  edit->CloseUp(false);
  data->SetSkinIndex(2);
  EXPECT_EQ(popup->RecordIndex(), data->FindControlData("panel"));
  EXPECT_EQ(popup->NextMonthButton()->RecordIndex(), data->FindControlData("resizebutton"));
  EXPECT_NE(popup->PaintImage(), before);
}

} // namespace

namespace {

// TodayDefault set while the form is built wins over a date given after it: once the form
// is shown the date is today.
TEST_F(DateEditPopupTest, TodayDefaultMakesTheDateTodayOnceTheFormIsBuilt) {
  edit->SetTodayDefault(true);
  edit->SetDate(QDate(2001, 2, 3));
  EXPECT_EQ(edit->Date(), QDate(2001, 2, 3));
  ShowForm();
  EXPECT_EQ(edit->Date(), QDate::currentDate());
  // Later dates stand.
  edit->SetDate(QDate(2001, 2, 3));
  form->hide();
  ShowForm();
  EXPECT_EQ(edit->Date(), QDate(2001, 2, 3));
}

} // namespace
