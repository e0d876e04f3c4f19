#include "skin/controls/db_popup_listbox.h"

#include <QKeyEvent>
#include <QMouseEvent>

TspDBPopupListbox::TspDBPopupListbox(QWidget* owner) : TspSkinListBox(owner) {
  setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_X11NetWmWindowTypeCombo);
  // The keys stay with the editor: nothing in the pop-up takes the focus.
  setFocusPolicy(Qt::NoFocus);
  setFocusProxy(nullptr);
  ListBox()->setFocusPolicy(Qt::NoFocus);
  ListBox()->HotTrack = true;
  ListBox()->setMouseTracking(true);
  hide();
}

TspDBPopupListbox::~TspDBPopupListbox() {
  KeyPress = nullptr;
  Hidden = nullptr;
  SwallowPress = nullptr;
}

void TspDBPopupListbox::keyPressEvent(QKeyEvent* e) {
  if (KeyPress)
    KeyPress(e);
  else
    TspSkinListBox::keyPressEvent(e);
}

void TspDBPopupListbox::mousePressEvent(QMouseEvent* e) {
  const bool outside = !rect().contains(e->position().toPoint());
  setAttribute(Qt::WA_NoMouseReplay,
               outside && SwallowPress && SwallowPress(e->globalPosition().toPoint()));
  // A pop-up closes itself on a press outside it.
  TspSkinListBox::mousePressEvent(e);
}

void TspDBPopupListbox::hideEvent(QHideEvent* e) {
  TspSkinListBox::hideEvent(e);
  if (Hidden) Hidden();
}
