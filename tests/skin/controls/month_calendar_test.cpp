// The month calendar on a real form: where the days stand, the month and year steps with
// their limits, the keys, clicks on days, ISO week numbers and what it paints in a skin and
// in the plain look, and a skin switch.

#include "form_fixture.h"
#include "grab_checks.h"
#include "skin/controls/button.h"
#include "skin/controls/month_calendar.h"
#include "skin/controls/plain_look.h"
#include "skin/controls/skin_tree.h"
#include "skin/data/control_records.h"

#include <QFontMetrics>
#include <QPainter>
#include <vector>

namespace {

class MonthCalendarTest : public SkinnedFormTest {
protected:
  void SetUp() override { NewForm(400, 300); }

  TspSkinMonthCalendar* Add(const QDate& date, bool skinned = false) {
    auto* c = new TspSkinMonthCalendar(form.get());
    if (skinned) c->SetSkinData(data);
    c->move(20, 20);
    c->SetDate(date);
    c->OnNumberClick = [this](QObject*) { ++numberClicks; };
    c->OnClick = [this](QObject*) { ++clicks; };
    return c;
  }

  // Row and column of day `day` in the grid.
  static QPoint CellOf(TspSkinMonthCalendar* c, int day) {
    const TspCalendarGeometry g = c->CalendarGeometry();
    for (int row = 0; row <= 6; ++row)
      for (int column = 0; column < 7; ++column)
        if (TspSkinMonthCalendar::DayNumber(g, row, column) == day) return {column, row};
    return {-1, -1};
  }

  template <class R> const R* Record(const char* name) {
    const int i = data->FindControlData(QString::fromLatin1(name));
    return i < 0 ? nullptr : dynamic_cast<const R*>(data->ControlList[size_t(i)].get());
  }

  int numberClicks = 0, clicks = 0;
};

TEST_F(MonthCalendarTest, DaysStandInTheColumnOfTheirWeekday) {
  struct Case {
    QDate date;
    TspDaysOfWeek first;
    int day;
    QPoint cell; // column, row
  } cases[] = {
      {{2015, 6, 10}, TspDaysOfWeek::Sun, 1, {1, 1}}, // a Monday
      {{2015, 6, 10}, TspDaysOfWeek::Sun, 30, {2, 5}},
      {{2015, 8, 1}, TspDaysOfWeek::Sun, 1, {6, 1}}, // begins on a Saturday
      {{2015, 8, 1}, TspDaysOfWeek::Sun, 2, {0, 2}},
      {{2015, 8, 1}, TspDaysOfWeek::Sun, 31, {1, 6}},
      {{2015, 11, 1}, TspDaysOfWeek::Sun, 1, {0, 1}}, // begins on a Sunday
      {{2015, 11, 1}, TspDaysOfWeek::Mon, 1, {6, 1}},
      {{2015, 6, 10}, TspDaysOfWeek::Mon, 1, {0, 1}},
  };
  TspSkinMonthCalendar* c = Add(QDate(2015, 6, 10));
  for (const Case& k : cases) {
    c->SetDate(k.date);
    c->SetFirstDayOfWeek(k.first);
    EXPECT_EQ(CellOf(c, k.day), k.cell) << k.date.toString().toStdString() << " day " << k.day;
  }
  // Row 0 never holds a day.
  const TspCalendarGeometry g = c->CalendarGeometry();
  for (int column = 0; column < 7; ++column)
    EXPECT_LE(TspSkinMonthCalendar::DayNumber(g, 0, column), 0);
}

TEST_F(MonthCalendarTest, TheApplicationsCalendarSharesItsHeightAmongSixRows) {
  TspSkinMonthCalendar* c = Add(QDate(2015, 6, 10));
  ASSERT_EQ(c->size(), QSize(200, 150));
  const QRect client = c->ClientRect();
  const TspCalendarGeometry g = c->CalendarGeometry();
  EXPECT_EQ(g.NamesTop, client.top() + 33);
  EXPECT_EQ(g.GridTop, g.NamesTop + QFontMetrics(c->DefaultFont()).height() + 1);
  EXPECT_EQ(g.CellWidth, (client.width() - 2) / 7);
  EXPECT_EQ(g.RowHeight, (client.bottom() + 1 - g.GridTop - 4) / 6);
  EXPECT_GT(g.RowHeight, 0);
  EXPECT_LE(c->CellRect(g, 6, 6).bottom(), client.bottom());

  // Week numbers take an eighth of the width at the left, the today line its height below.
  c->SetWeekNumbers(true);
  c->SetShowToday(true);
  const TspCalendarGeometry w = c->CalendarGeometry();
  EXPECT_EQ(w.Left, client.left() + 200 / 8);
  EXPECT_EQ(w.TodayHeight, QFontMetrics(c->DefaultFont()).height() + 5);
  EXPECT_EQ(w.Bottom, client.bottom() + 1 - w.TodayHeight);
}

TEST_F(MonthCalendarTest, StepsKeepTheDayWithinTheMonthAndStayInsideTheYearRange) {
  struct Case {
    QDate from;
    bool year;
    int delta;
    QDate to;
  } cases[] = {
      {{2015, 3, 31}, false, 1, {2015, 4, 30}},
      {{2016, 2, 29}, true, -1, {2015, 2, 28}},
      {{2015, 12, 15}, false, 1, {2016, 1, 15}},
      {{2016, 1, 31}, false, -1, {2015, 12, 31}},
      // The whole step is refused at the ends of the range, the month included.
      {{1761, 1, 20}, false, -1, {1761, 1, 20}},
      {{9999, 12, 20}, false, 1, {9999, 12, 20}},
      {{1761, 6, 20}, true, -1, {1761, 6, 20}},
      {{9999, 6, 20}, true, 1, {9999, 6, 20}},
      {{1762, 1, 20}, true, -1, {1761, 1, 20}},
  };
  TspSkinMonthCalendar* c = Add(QDate(2015, 6, 10));
  for (const Case& k : cases) {
    c->SetDate(k.from);
    k.year ? c->StepYear(k.delta) : c->StepMonth(k.delta);
    EXPECT_EQ(c->Date(), k.to) << k.from.toString().toStdString();
  }
}

TEST_F(MonthCalendarTest, EachButtonStepsOnceAndFiresOnClick) {
  ShowForm();
  TspSkinMonthCalendar* c = Add(QDate(2015, 3, 31));
  c->show();
  struct Case {
    TspSkinSpeedButton* button;
    QDate to;
  } cases[] = {
      {c->NextMonthButton(), {2015, 4, 30}},
      {c->NextYearButton(), {2016, 4, 30}},
      {c->PriorMonthButton(), {2016, 3, 30}},
      {c->PriorYearButton(), {2015, 3, 30}},
  };
  int expectedClicks = 0;
  for (const Case& k : cases) {
    QTest::mouseClick(k.button, Qt::LeftButton, {}, QPoint(11, 11));
    EXPECT_EQ(c->Date(), k.to);
    EXPECT_EQ(clicks, ++expectedClicks);
  }
  EXPECT_EQ(numberClicks, 0);
  // The buttons: 23 x 23, repeating, at the corners of the client area.
  const QRect client = c->ClientRect();
  EXPECT_EQ(c->PriorYearButton()->geometry(), QRect(client.left() + 1, client.top() + 1, 23, 23));
  EXPECT_EQ(c->PriorMonthButton()->x(), client.left() + 25);
  EXPECT_EQ(c->NextYearButton()->x(), client.right() + 1 - 24);
  EXPECT_EQ(c->NextMonthButton()->x(), client.right() + 1 - 48);
  // They follow the client area when the panel takes a caption bar.
  c->SetCaptionMode(true);
  EXPECT_EQ(c->PriorYearButton()->y(), c->ClientRect().top() + 1);
  EXPECT_GT(c->PriorYearButton()->y(), client.top() + 1);
  EXPECT_TRUE(c->NextMonthButton()->RepeatMode());
  EXPECT_EQ(c->NextMonthButton()->RepeatInterval(), 250);
  EXPECT_EQ(c->NextYearButton()->RepeatInterval(), 100);
}

TEST_F(MonthCalendarTest, KeysMoveTheDayAndPageTheMonth) {
  ShowForm();
  TspSkinMonthCalendar* c = Add(QDate(2015, 3, 1));
  c->show();
  c->setFocus();
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QDate to;
  } cases[] = {
      {Qt::Key_Left, {}, {2015, 2, 28}},
      {Qt::Key_Right, {}, {2015, 3, 1}},
      {Qt::Key_Down, {}, {2015, 3, 8}},
      {Qt::Key_Up, {}, {2015, 3, 1}},
      {Qt::Key_End, {}, {2015, 3, 31}},
      {Qt::Key_PageDown, {}, {2015, 4, 30}},
      {Qt::Key_PageUp, {}, {2015, 3, 30}},
      {Qt::Key_Home, {}, {2015, 3, 1}},
      {Qt::Key_PageDown, Qt::ControlModifier, {2016, 3, 1}},
      {Qt::Key_PageUp, Qt::ControlModifier, {2015, 3, 1}},
  };
  for (const Case& k : cases) {
    QTest::keyClick(form->windowHandle(), k.key, k.modifiers);
    EXPECT_EQ(c->Date(), k.to) << int(k.key);
  }
  EXPECT_EQ(numberClicks, 0);
  QTest::keyClick(form->windowHandle(), Qt::Key_Return);
  EXPECT_EQ(numberClicks, 1);
  // No key leaves the year range.
  c->SetDate(QDate(1761, 1, 1));
  QTest::keyClick(form->windowHandle(), Qt::Key_Left);
  EXPECT_EQ(c->Date(), QDate(1761, 1, 1));
}

TEST_F(MonthCalendarTest, AClickOnADaySelectsItAndOnlyDaysCount) {
  ShowForm();
  TspSkinMonthCalendar* c = Add(QDate(2015, 6, 10));
  c->show();
  const TspCalendarGeometry g = c->CalendarGeometry();
  const QPoint at17 = CellOf(c, 17);
  QTest::mouseClick(c, Qt::LeftButton, {}, c->CellRect(g, at17.y(), at17.x()).center());
  EXPECT_EQ(c->Date(), QDate(2015, 6, 17));
  EXPECT_EQ(numberClicks, 1);
  // An empty cell, the weekday names, the title and a right click select nothing.
  const QPoint at30 = CellOf(c, 30);
  const QPoint misses[] = {c->CellRect(g, at30.y(), at30.x() + 1).center(),
                           QPoint(c->width() / 2, g.NamesTop + 2), QPoint(c->width() / 2, 5)};
  for (const QPoint& p : misses) {
    QTest::mouseClick(c, Qt::LeftButton, {}, p);
    EXPECT_EQ(c->Date(), QDate(2015, 6, 17));
  }
  QTest::mouseClick(c, Qt::RightButton, {}, c->CellRect(g, at17.y(), at17.x() + 1).center());
  EXPECT_EQ(c->Date(), QDate(2015, 6, 17));
  EXPECT_EQ(numberClicks, 1);

  // The today line selects today.
  c->SetShowToday(true);
  const TspCalendarGeometry t = c->CalendarGeometry();
  QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(t.Left + 5, t.Bottom + 3));
  EXPECT_EQ(c->Date(), QDate::currentDate());
  EXPECT_EQ(numberClicks, 2);
}

TEST_F(MonthCalendarTest, ATinyCalendarHitsNoDay) {
  ShowForm();
  TspSkinMonthCalendar* c = Add(QDate(2015, 6, 10));
  for (const QSize size : {QSize(1, 1), QSize(8, 60), QSize(40, 40), QSize(200, 45)}) {
    c->resize(size);
    for (int y = 0; y < size.height(); y += 3)
      for (int x = 0; x < size.width(); x += 3) EXPECT_EQ(c->DayAt(QPoint(x, y)), 0);
    EXPECT_FALSE(c->PaintImage().isNull());
  }
}

TEST_F(MonthCalendarTest, WeekNumbersFollowIso8601AcrossTheYearsEnd) {
  struct Case {
    QDate month;
    TspDaysOfWeek first;
    std::vector<int> weeks; // rows 1 to 6, 0 for a row without a day
  } cases[] = {
      {{2016, 1, 1}, TspDaysOfWeek::Sun, {53, 1, 2, 3, 4, 5}},
      {{2015, 12, 1}, TspDaysOfWeek::Sun, {49, 50, 51, 52, 53, 0}},
      {{2018, 12, 1}, TspDaysOfWeek::Mon, {48, 49, 50, 51, 52, 1}},
      {{2020, 12, 1}, TspDaysOfWeek::Sun, {49, 50, 51, 52, 53, 0}},
      {{2021, 1, 1}, TspDaysOfWeek::Mon, {53, 1, 2, 3, 4, 0}},
  };
  TspSkinMonthCalendar* c = Add(QDate(2015, 6, 10));
  c->SetWeekNumbers(true);
  for (const Case& k : cases) {
    c->SetDate(k.month);
    c->SetFirstDayOfWeek(k.first);
    const TspCalendarGeometry g = c->CalendarGeometry();
    std::vector<int> weeks;
    for (int row = 1; row <= 6; ++row) weeks.push_back(c->WeekOfRow(g, row));
    EXPECT_EQ(weeks, k.weeks) << k.month.toString().toStdString();
  }
}

TEST_F(MonthCalendarTest, PaintsTheSelectedDaysBoxAndTheTitleInTheSkinsColours) {
  LoadBuiltinSkin();
  TspSkinMonthCalendar* c = Add(QDate(2015, 6, 17), true);
  ASSERT_NE(c->RecordIndex(), -1);
  const auto* label = Record<TspDataSkinStdLabelControl>("stdlabel");
  const auto* box = Record<TspDataSkinButtonControl>("resizebutton");
  ASSERT_TRUE(label && box);
  EXPECT_EQ(c->TitleColor(), SkinColor(label->fontcolor));
  EXPECT_EQ(c->HeaderColor(), SkinColor(label->activefontcolor));

  const QImage image = c->PaintImage();
  const TspCalendarGeometry g = c->CalendarGeometry();
  const QPoint at = CellOf(c, 17);
  const QRect cell = c->CellRect(g, at.y(), at.x());
  // The box's corners are the corners of the button's pressed image.
  const QImage& picture = data->ActivePictures[size_t(box->pictureindex)];
  const TspRect s = box->downskinrect.IsEmpty() ? box->skinrect : box->downskinrect;
  EXPECT_EQ(image.pixel(cell.topLeft()), picture.pixel(s.Left, s.Top));
  EXPECT_EQ(image.pixel(cell.bottomRight()), picture.pixel(s.Right - 1, s.Bottom - 1));
  // The title is written in the title colour.
  const QRect title(0, g.Top + 2, c->width(), QFontMetrics(c->DefaultFont()).height());
  EXPECT_GT(CountColour(image, c->TitleColor().rgb(), title), 0);
}

TEST_F(MonthCalendarTest, ThePlainLookOutlinesTheSelectedDayInTheFontColour) {
  const QColor ink(10, 120, 30);
  form = ColouredForm({400, 300}, {{QPalette::WindowText, ink}, {QPalette::Button, Qt::white}});
  TspSkinMonthCalendar* c = Add(QDate(2015, 6, 17));
  const QImage image = c->PaintImage();
  const TspCalendarGeometry g = c->CalendarGeometry();
  const QPoint at = CellOf(c, 17);
  const QRect cell = c->CellRect(g, at.y(), at.x());
  // The outline: all four sides of the cell.
  for (const QPoint& p : {cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight(),
                          QPoint(cell.center().x(), cell.top())})
    EXPECT_EQ(QColor(image.pixel(p)), ink);
  const QRect title(0, g.Top + 2, c->width(), QFontMetrics(c->DefaultFont()).height());
  EXPECT_GT(CountColour(image, ink.rgb(), title), 0);
  // Another day has no outline.
  const QPoint at3 = CellOf(c, 3);
  EXPECT_NE(QColor(image.pixel(c->CellRect(g, at3.y(), at3.x()).topLeft())), ink);
  // The fading line under the names: solid in the middle, fading to nothing at its ends.
  EXPECT_EQ(QColor(image.pixel((g.Left + g.Right) / 2, g.GridTop)), ink);
  EXPECT_EQ(QColor(image.pixel(g.Left, g.GridTop)), QColor(Qt::white));
}

TEST_F(MonthCalendarTest, FollowsASkinSwitchWithItsButtons) {
  LoadBuiltinSkin();
  new TspSkinnedFormHook(form.get());
  TspSkinMonthCalendar* c = Add(QDate(2015, 6, 17), true);
  const QImage blue = c->PaintImage();
  data->SetSkinIndex(2);
  const auto* label = Record<TspDataSkinStdLabelControl>("stdlabel");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(c->TitleColor(), SkinColor(label->fontcolor));
  EXPECT_NE(c->PaintImage(), blue);
  EXPECT_EQ(c->RecordIndex(), data->FindControlData("panel"));
  EXPECT_EQ(c->NextYearButton()->RecordIndex(), data->FindControlData("resizebutton"));
  EXPECT_NE(c->NextYearButton()->RecordIndex(), -1);
}

} // namespace
