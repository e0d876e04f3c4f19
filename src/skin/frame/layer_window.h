#pragma once
// TspFormLayerWindow: one band of the layered border around a form. A borderless,
// translucent tool window with no parent that never takes the focus or the activation:
// should the platform give it the focus, it hands the activation back to its form. With an
// empty borderrect it lets the mouse through to what lies beneath.

#include "skin/render/layered_window.h"

#include <QPointer>
#include <QWidget>

class TspFormLayerWindow : public TspLayerWindow {
public:
  TspFormLayerWindow(QWidget* hostForm, bool topmost, bool inputTransparent);

  QWidget* HostForm() const { return FHostForm; }

protected:
  void focusInEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

private:
  QPointer<QWidget> FHostForm;
};
