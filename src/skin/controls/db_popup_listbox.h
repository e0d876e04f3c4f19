#pragma once
// The data grid editor's pick list: a skinned list box in a pop-up window that leaves the
// activation (and the keys) with the grid's form. Its keys go to the editor; a press outside
// it closes it as a cancel.

#include "skin/controls/list_box.h"

#include <functional>

class TspDBPopupListbox : public TspSkinListBox {
  Q_OBJECT
public:
  explicit TspDBPopupListbox(QWidget* owner);
  ~TspDBPopupListbox() override;

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
