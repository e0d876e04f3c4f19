#include "skin/controls/popup_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>

TspPopupListBox::TspPopupListBox(QWidget* owner) : TspSkinListBox(owner) {
  setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_X11NetWmWindowTypeCombo);
  // The keys stay with the owner: nothing in the pop-up takes the focus.
  setFocusPolicy(Qt::NoFocus);
  setFocusProxy(nullptr);
  ListBox()->setFocusPolicy(Qt::NoFocus);
  ListBox()->HotTrack = true;
  ListBox()->setMouseTracking(true);
  hide();
}

TspPopupListBox::~TspPopupListBox() {
  KeyPress = nullptr;
  Hidden = nullptr;
  SwallowPress = nullptr;
}

void TspPopupListBox::keyPressEvent(QKeyEvent* e) {
  if (KeyPress)
    KeyPress(e);
  else
    TspSkinListBox::keyPressEvent(e);
}

void TspPopupListBox::mousePressEvent(QMouseEvent* e) {
  const bool outside = !rect().contains(e->position().toPoint());
  setAttribute(Qt::WA_NoMouseReplay,
               outside && SwallowPress && SwallowPress(e->globalPosition().toPoint()));
  // A pop-up closes itself on a press outside it.
  TspSkinListBox::mousePressEvent(e);
}

void TspPopupListBox::hideEvent(QHideEvent* e) {
  TspSkinListBox::hideEvent(e);
  if (Hidden) Hidden();
}
