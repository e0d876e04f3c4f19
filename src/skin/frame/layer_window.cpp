#include "skin/frame/layer_window.h"

#include <QMouseEvent>

TspFormLayerWindow::TspFormLayerWindow(QWidget* hostForm, bool topmost, bool inputTransparent)
    : TspLayerWindow(topmost, inputTransparent), FHostForm(hostForm) {
  setObjectName(QStringLiteral("TspFormLayerWindow"));
  // A window manager's frame around the band would take the clicks meant to pass through;
  // the border restacks its bands with the form instead (StackWindowAbove).
  if (inputTransparent) setFlags(flags() | Qt::X11BypassWindowManagerHint);
  // Kept with its form by the window manager (above it, minimised with it).
  if (hostForm && hostForm->window()->windowHandle())
    setTransientParent(hostForm->window()->windowHandle());
}

void TspFormLayerWindow::focusInEvent(QFocusEvent* e) {
  e->accept();
  if (FHostForm) FHostForm->window()->activateWindow();
}

void TspFormLayerWindow::mousePressEvent(QMouseEvent* e) {
  // Handled here, so a press never activates the border.
  e->accept();
}
