#include "skin/controls/popup_calendar.h"

#include <QKeyEvent>
#include <QMouseEvent>

TspPopupCalendar::TspPopupCalendar(QWidget* owner) : TspSkinMonthCalendar(owner) {
  setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_X11NetWmWindowTypeCombo);
  // The keys stay with the owner's field: nothing in the pop-up takes the focus.
  setFocusPolicy(Qt::NoFocus);
  for (QWidget* b : findChildren<QWidget*>()) b->setFocusPolicy(Qt::NoFocus);
}

TspPopupCalendar::~TspPopupCalendar() {
  KeyPress = nullptr;
  Hidden = nullptr;
  SwallowPress = nullptr;
}

void TspPopupCalendar::keyPressEvent(QKeyEvent* e) {
  if (HandleKey(e)) {
    e->accept();
    return;
  }
  if (KeyPress) {
    KeyPress(e);
    return;
  }
  TspSkinMonthCalendar::keyPressEvent(e);
}

void TspPopupCalendar::mousePressEvent(QMouseEvent* e) {
  const bool outside = !rect().contains(e->position().toPoint());
  setAttribute(Qt::WA_NoMouseReplay,
               outside && SwallowPress && SwallowPress(e->globalPosition().toPoint()));
  // A pop-up closes itself on a press outside it.
  TspSkinMonthCalendar::mousePressEvent(e);
}

void TspPopupCalendar::hideEvent(QHideEvent* e) {
  TspSkinMonthCalendar::hideEvent(e);
  if (Hidden) Hidden();
}
