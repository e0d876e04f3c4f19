#include "skin/builtin/required_records.h"

const std::vector<TspRequiredRecord>& RequiredBuiltinRecords() {
  using enum TspRecordList;
  static const std::vector<TspRequiredRecord> records = {
      // The frame: caption, caption buttons, and the items of popup menus.
      {"caption", "TspDataSkinCaption", Objects},
      {"closebutton", "TspDataSkinStdButton", Objects},
      {"maxbutton", "TspDataSkinStdButton", Objects},
      {"minbutton", "TspDataSkinStdButton", Objects},
      {"sysmenubutton", "TspDataSkinStdButton", Objects},
      {"menuitem", "TspDataSkinMenuItem", Objects},

      // Buttons: push buttons, the month calendar's steppers and selected day, speed
      // buttons, the page control's tab scroller.
      {"button", "TspDataSkinButtonControl", Controls},
      {"resizebutton", "TspDataSkinButtonControl", Controls},
      {"toolbutton", "TspDataSkinButtonControl", Controls},
      {"updown", "TspDataSkinUpDownControl", Controls},
      // Text fields: edits and password edits, the date edit, the spin edit.
      {"edit", "TspDataSkinEditControl", Controls},
      {"buttonedit", "TspDataSkinEditControl", Controls},
      {"spinedit", "TspDataSkinSpinEditControl", Controls},
      // Lists: list boxes (also a combo box's drop-down list and the grid's pick list),
      // combo boxes, the data grid with its check marks for boolean cells.
      {"listbox", "TspDataSkinListBox", Controls},
      {"combobox", "TspDataSkinComboBox", Controls},
      {"grid", "TspDataSkinGridControl", Controls},
      {"checkbox", "TspDataSkinCheckRadioControl", Controls},
      {"radiobox", "TspDataSkinCheckRadioControl", Controls},
      // Scroll bars, alone and sharing a corner.
      {"vscrollbar", "TspDataSkinScrollBarControl", Controls},
      {"hscrollbar", "TspDataSkinScrollBarControl", Controls},
      {"bothhscrollbar", "TspDataSkinScrollBarControl", Controls},
      // Containers and texts: panels (also the month calendar), the radio group's group
      // box, labels, standard labels (also the wave label and the calendar's colours),
      // the status bar and its panels, the scroll box, the rich edit.
      {"panel", "TspDataSkinPanelControl", Controls},
      {"groupbox", "TspDataSkinPanelControl", Controls},
      {"label", "TspDataSkinLabelControl", Controls},
      {"stdlabel", "TspDataSkinStdLabelControl", Controls},
      {"statusbar", "TspDataSkinPanelControl", Controls},
      {"statuspanel", "TspDataSkinLabelControl", Controls},
      {"scrollbox", "TspDataSkinScrollBoxControl", Controls},
      {"richedit", "TspDataSkinRichEdit", Controls},
      // The page control and the gauges (the vertical one draws upwards from its own pictures).
      {"tab", "TspDataSkinTabControl", Controls},
      {"gauge", "TspDataSkinGaugeControl", Controls},
      {"vgauge", "TspDataSkinGaugeControl", Controls},
  };
  return records;
}
