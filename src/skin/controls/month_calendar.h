#pragma once
// TspSkinMonthCalendar: one month as a grid of day numbers under a title and a row of
// weekday names, painted over a skinned panel, with four repeating buttons that step the
// month and the year, optional ISO week numbers and an optional line with today's date.
// A click on a day, or the keys, select it.

#include "skin/controls/panel.h"

#include <QDate>
#include <QImage>
#include <functional>

class TspSkinSpeedButton;

// Weekday of the grid's first column.
enum class TspDaysOfWeek { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

// Where the calendar's parts lie for its current size, font and settings. Rectangles are
// exclusive at the right and bottom, as the formulas want them.
struct TspCalendarGeometry {
  int Left = 0, Top = 0, Right = 0, Bottom = 0; // the day grid's area R
  int CellWidth = 0;
  int RowHeight = 0;
  int NamesTop = 0;    // y of the weekday names
  int GridTop = 0;     // y of the fading line; day rows start 3 pixels below
  int TodayHeight = 0; // height of the today line, 0 without it
  int Start = 0;       // the number in row 0, column 0 plus 7 (see DayNumber)
  int DaysInMonth = 0;
};

class TspSkinMonthCalendar : public TspSkinPanel {
  Q_OBJECT
public:
  explicit TspSkinMonthCalendar(QWidget* parent = nullptr);
  ~TspSkinMonthCalendar() override;

  // --- Published properties ----------------------------------------------------------------
  // The shown and selected day. A null date shows today's month with no day selected.
  QDate Date() const { return FDate; }
  void SetDate(const QDate& value);
  TspDaysOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
  void SetFirstDayOfWeek(TspDaysOfWeek value);
  // A column of ISO 8601 week numbers at the left.
  bool WeekNumbers() const { return FWeekNumbers; }
  void SetWeekNumbers(bool value);
  // A line with today's date under the grid; a click on it selects today.
  bool ShowToday() const { return FShowToday; }
  void SetShowToday(bool value);
  // Setting it selects today; Loaded() does the same while it is on.
  bool TodayDefault() const { return FTodayDefault; }
  void SetTodayDefault(bool value);
  bool BoldDays() const { return FBoldDays; }
  void SetBoldDays(bool value);
  // After a click (or Enter) has set Date.
  std::function<void(QObject*)> OnNumberClick;
  // After each step of a navigation button.
  std::function<void(QObject*)> OnClick;

  // The stored layout has been read: with TodayDefault on, Date becomes today.
  void Loaded();

  // --- Navigation ----------------------------------------------------------------------------
  // Steps by months or years, keeping the day where the new month has it (else its last
  // day). A step that would leave the years 1761 to 9999 changes nothing.
  void StepMonth(int delta);
  void StepYear(int delta);
  static constexpr int kFirstYear = 1761;
  static constexpr int kLastYear = 9999;

  // --- Geometry ------------------------------------------------------------------------------
  TspCalendarGeometry CalendarGeometry();
  // Row 0 to 6 and column 0 to 6 of the grid; row 0 is never a day.
  QRect CellRect(const TspCalendarGeometry& g, int row, int column) const;
  // The number a cell holds: a day of the month when 1 to DaysInMonth.
  static int DayNumber(const TspCalendarGeometry& g, int row, int column) {
    return g.Start + column + 7 * row - 7;
  }
  // The ISO 8601 week number shown for a row, 0 for a row without a day of the month: the
  // week the row's Thursday falls in, so consecutive rows show consecutive weeks.
  int WeekOfRow(const TspCalendarGeometry& g, int row) const;
  // The day of the shown month under `pos`, 0 when none.
  int DayAt(QPoint pos);
  // The month shown: Date's, or today's without a date.
  QDate ShownMonth() const;

  // --- Parts ---------------------------------------------------------------------------------
  TspSkinSpeedButton* PriorYearButton() const { return FButtons[0]; }
  TspSkinSpeedButton* PriorMonthButton() const { return FButtons[1]; }
  TspSkinSpeedButton* NextMonthButton() const { return FButtons[2]; }
  TspSkinSpeedButton* NextYearButton() const { return FButtons[3]; }
  // The colours of the title and day numbers, and of the weekday names and week numbers,
  // as the skin's "stdlabel" record gave them.
  QColor TitleColor() const { return FTitleColor; }
  QColor HeaderColor() const { return FHeaderColor; }
  // The title as drawn, for example "June, 2015".
  QString TitleText() const;

  void SetSkinData(TspSkinData* value) override;
  void ApplySkin() override;
  void DropSkinRecord() override;
  void DrawSkinImage(QImage& image) override;
  void DrawDefaultImage(QImage& image) override;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

  // The navigation keys; true when the key was used.
  bool HandleKey(QKeyEvent* event);

private:
  void LayoutButtons();
  void UpdateGlyphs();
  // Sets Date to `value` unless it lies outside the years the steps allow.
  bool MoveTo(const QDate& value);
  // The calendar over the panel's image; `skinned`: the calendar has a record.
  void DrawCalendar(QImage& image, bool skinned);
  void DrawFadingLine(QPainter& p, int x, int y, int length, bool vertical, const QColor& colour);
  void DrawSelectionBox(QPainter& p, const QRect& cell, bool skinned, QColor& textColour);

  QDate FDate;
  TspDaysOfWeek FFirstDayOfWeek = TspDaysOfWeek::Sun;
  bool FWeekNumbers = false;
  bool FShowToday = false;
  bool FTodayDefault = false;
  bool FBoldDays = false;
  QColor FTitleColor = Qt::black;
  QColor FHeaderColor = Qt::black;
  TspSkinSpeedButton* FButtons[4] = {};
  QColor FGlyphColour;
  // The fading line per length, colour and direction; the selection box per cell size
  // and skin picture.
  struct FadeEntry {
    int Length = 0;
    bool Vertical = false;
    QRgb Colour = 0;
    QImage Image;
  };
  FadeEntry FFades[2];
  QImage FSelectionBox;
  qint64 FSelectionKey = 0;
};
