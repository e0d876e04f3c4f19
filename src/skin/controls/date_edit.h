#pragma once
// The date field: a button edit with a date mask whose button drops a month calendar
// down under it. It reads and writes the date its text forms; a day chosen in the
// calendar becomes its text.

#include "skin/controls/edit.h"
#include "skin/controls/month_calendar.h"

#include <QDate>
#include <QTimer>
#include <functional>

class TspPopupCalendar;

class TspSkinDateEdit : public TspSkinCustomEdit {
public:
  // Record "buttonedit", a button at the right, the mask "!9999/99/99;1; " (year, month,
  // day) and at most 10 characters.
  explicit TspSkinDateEdit(QWidget* parent = nullptr);
  ~TspSkinDateEdit() override;

  using TspSkinCustomEdit::EditMask;
  using TspSkinCustomEdit::EditText;
  using TspSkinCustomEdit::IsValidEdit;
  using TspSkinCustomEdit::Modified;
  using TspSkinCustomEdit::SetEditMask;
  using TspSkinCustomEdit::SetEditText;

  // The date the text forms: three numbers parted by separators, in the field's order
  // (year first when the mask's first part holds four digits, else the locale's short-date
  // order); a year of one or two digits lies within 50 years of today. Null when the text
  // forms no date (empty, incomplete, month 13...).
  QDate Date() const;
  // Writes the date into the text in the field's order, zero-padded; a null date empties it.
  void SetDate(const QDate& value);
  // The field's own validity test.
  bool IsValidDate() const { return Date().isValid(); }
  // When set, the text becomes today's date.
  bool TodayDefault() const { return FTodayDefault; }
  void SetTodayDefault(bool value);
  // After a day chosen in the calendar has been written into the text.
  std::function<void(QObject*)> OnDateChange;

  // --- The calendar -----------------------------------------------------------------------
  int CalendarWidth() const { return FCalendarWidth; }
  void SetCalendarWidth(int value);
  int CalendarHeight() const { return FCalendarHeight; }
  void SetCalendarHeight(int value);
  // Record of the calendar's panel ("panel").
  QString CalendarSkinDataName() const;
  void SetCalendarSkinDataName(const QString& value);
  const QFont& CalendarFont() const;
  void SetCalendarFont(const QFont& value);
  bool CalendarUseSkinFont() const;
  void SetCalendarUseSkinFont(bool value);
  bool CalendarBoldDays() const;
  void SetCalendarBoldDays(bool value);
  TspDaysOfWeek FirstDayOfWeek() const;
  void SetFirstDayOfWeek(TspDaysOfWeek value);
  bool WeekNumbers() const;
  void SetWeekNumbers(bool value);
  bool ShowToday() const;
  void SetShowToday(bool value);
  // The calendar blended over what lies behind it, at CalendarAlphaBlendValue (0..255).
  bool CalendarAlphaBlend() const { return FCalendarAlphaBlend; }
  void SetCalendarAlphaBlend(bool value) { FCalendarAlphaBlend = value; }
  int CalendarAlphaBlendValue() const { return FCalendarAlphaBlendValue; }
  void SetCalendarAlphaBlendValue(int value);
  // Fade the calendar in when it opens (with CalendarAlphaBlend).
  bool CalendarAlphaBlendAnimation() const { return FCalendarAlphaBlendAnimation; }
  void SetCalendarAlphaBlendAnimation(bool value) { FCalendarAlphaBlendAnimation = value; }

  TspPopupCalendar* Calendar() const { return FPopup; }
  bool DroppedDown() const { return FDropped; }
  // Opens the calendar under the field (above it where the screen ends) on the field's
  // date, or today when the text forms none.
  void DropDown();
  // Closes it; accepting writes its date into the text and fires OnDateChange, otherwise
  // the calendar goes back to the date it opened on. The field takes the focus.
  void CloseUp(bool accept);
  // The fade-in's tick: the opacity rises by a fifteenth of CalendarAlphaBlendValue.
  static constexpr int FadeInterval = 10; // ms
  void FadeStep();

  void DropSkinRecord() override;
  void ApplySkin() override;

protected:
  bool EditorKeyPress(QKeyEvent* e) override;
  void EditorFocusOut(QFocusEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  // Once the form that holds it is built (its first polish), TodayDefault makes the date
  // today, whatever was set before.
  bool event(QEvent* e) override;

private:
  // Closing because the focus went elsewhere leaves it there.
  void Close(bool accept, bool takeFocus);
  enum class TOrder { YMD, DMY, MDY };
  TOrder Order() const;
  QChar Separator() const;
  bool FTodayDefault = false;
  bool FLoaded = false;
  TspPopupCalendar* FPopup;
  QDate FOldDate;
  bool FDropped = false;
  int FCalendarWidth = 200;
  int FCalendarHeight = 150;
  int FFadeAlpha = 0;
  bool FCalendarAlphaBlend = false;
  int FCalendarAlphaBlendValue = 200;
  bool FCalendarAlphaBlendAnimation = false;
  QTimer FFadeTimer;
};
