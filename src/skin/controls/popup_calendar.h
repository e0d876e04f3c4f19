#pragma once
// TspPopupCalendar: the month calendar in a pop-up window that leaves the activation and
// the focus with the field that opened it. A press outside it or Esc closes it; the keys
// that reach it while it is open move the day, and the others go back to its owner.

#include "skin/controls/month_calendar.h"

#include <functional>

class TspPopupCalendar : public TspSkinMonthCalendar {
  Q_OBJECT
public:
  explicit TspPopupCalendar(QWidget* owner);
  ~TspPopupCalendar() override;

  // Keys the calendar does not use (Esc among them) while it is open.
  std::function<void(QKeyEvent*)> KeyPress;
  // The window was hidden (by the owner, or by a press outside it).
  std::function<void()> Hidden;
  // Whether a press at this global point, outside the pop-up, closes it without reaching
  // what lies under it (the owner's drop button, which would open it again).
  std::function<bool(QPoint)> SwallowPress;

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void hideEvent(QHideEvent* e) override;
};
