#include "skin/controls/focus_on_press.h"

#include <QApplication>
#include <QWidget>

namespace {

// Whether an application-modal window other than the control's own (or one of its owners)
// has input. Popups opened over the modal window stay usable; a window-modal dialog blocks
// only its own parent, which receives no presses then.
bool BlockedByModal(const QWidget* control) {
  const QWidget* modal = QApplication::activeModalWidget();
  if (!modal || modal->windowModality() != Qt::ApplicationModal) return false;
  for (const QWidget* w = control; w; w = w->parentWidget()) {
    if (w == modal) return false;
    if (w->isWindow() && w->windowType() == Qt::Popup) return false;
  }
  return true;
}

} // namespace

bool TakeFocusOnPress(QWidget* control) {
  if (BlockedByModal(control)) return false;
  if (!control->hasFocus()) control->setFocus(Qt::MouseFocusReason);
  // The window's focus widget, not hasFocus(): a window that is not active yet keeps its
  // focus widget and gives it the focus when it becomes active.
  return control->window()->focusWidget() == control;
}
