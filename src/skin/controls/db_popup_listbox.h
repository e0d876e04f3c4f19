#pragma once
// The data grid editor's pick list: the pop-up list box of the combo boxes, skinned by the
// grid's PickListBoxSkinDataName. Its keys go to the editor; a press outside it closes it as
// a cancel.

#include "skin/controls/popup_list_box.h"

class TspDBPopupListbox : public TspPopupListBox {
public:
  using TspPopupListBox::TspPopupListBox;
};
