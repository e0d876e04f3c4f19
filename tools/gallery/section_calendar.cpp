// The month calendar as the application sets it up (Sunday first, nothing extra), the same
// with week numbers, the today line and bold days from Monday, and the date edit whose
// button drops the application's calendar down.
#include "gallery_context.h"
#include "skin/controls/date_edit.h"
#include "skin/controls/month_calendar.h"

#include <QDate>

namespace {
constexpr int kLeft = 12;
constexpr int kCalendarW = 200;
constexpr int kCalendarH = 150;
constexpr int kGap = 24;
constexpr int kHeadingH = 17;
} // namespace

void BuildCalendarSection(TGalleryContext& c, QWidget* section) {
  const int top = kSectionTop + 4;
  const int secondLeft = kLeft + kCalendarW + kGap;
  AddColumnLabel(c, section, Tr("As the application uses it"), {kLeft, top, kCalendarW, kHeadingH});
  auto* plain = Bind(c, new TspSkinMonthCalendar(section),
                     {kLeft, top + kHeadingH + 4, kCalendarW, kCalendarH});
  plain->SetDate(QDate(2015, 6, 17));

  AddColumnLabel(c, section, Tr("Week numbers, today, bold"),
                 {secondLeft, top, kCalendarW + 40, kHeadingH});
  auto* full = Bind(c, new TspSkinMonthCalendar(section),
                    {secondLeft, top + kHeadingH + 4, kCalendarW + 40, kCalendarH + 30});
  full->SetFirstDayOfWeek(TspDaysOfWeek::Mon);
  full->SetWeekNumbers(true);
  full->SetShowToday(true);
  full->SetBoldDays(true);
  full->SetDate(QDate(2016, 1, 12));

  const int editTop = top + kHeadingH + 4 + kCalendarH + 30 + 16;
  AddRowLabel(c, section, Tr("Date edit"), editTop);
  auto* date = Bind(c, new TspSkinDateEdit(section), {kLeft + 74, editTop + 2, 130, 21});
  date->SetCalendarWidth(kCalendarW);
  date->SetCalendarHeight(kCalendarH);
  date->SetCalendarSkinDataName(QStringLiteral("panel"));
  date->SetFirstDayOfWeek(TspDaysOfWeek::Sun);
  date->SetDate(QDate(2024, 5, 17));
  StdLabel(c, section, Tr("Its button drops the calendar down."), {kLeft + 214, editTop, 260, 25},
           TspTextLayout::tlCenter);
}
