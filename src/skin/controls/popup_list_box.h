#pragma once
// A skinned list box in a pop-up window that leaves the activation (and the keys) with the
// form of the control that opened it: the drop-down list of combo boxes and of the data
// grid editor's pick list. Its keys go to the owner; a press outside it closes it.

#include "skin/controls/list_box.h"

#include <functional>

class TspPopupListBox : public TspSkinListBox {
  Q_OBJECT
public:
  explicit TspPopupListBox(QWidget* owner);
  ~TspPopupListBox() override;

  // Keys that reach the pop-up while it is open.
  std::function<void(QKeyEvent*)> KeyPress;
  // The window was hidden (by the owner, or by a press outside it).
  std::function<void()> Hidden;
  // A press outside that should not reach what lies under it (the button that opened the
  // list: the press closes the list and must not open it again).
  std::function<bool(QPoint global)> SwallowPress;

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void hideEvent(QHideEvent* e) override;
};
