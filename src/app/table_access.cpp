// The screens' access to the shared table cursor.
#include "app/main_form.h"
#include "skin/controls/combo_box.h"

void TfrmMain::OpenTable(TTableCursor& cursor, const QString& tableName) {
  // Always reopens: the first row becomes current and any sort order goes.
  cursor.Close();
  cursor.SetTableName(tableName);
  cursor.Open();
}

void TfrmMain::FillFieldList(TspSkinComboBox& comboBox, const TTableCursor& cursor) {
  comboBox.ClearItems();
  for (const QString& name : cursor.FieldNames()) comboBox.AddItem(name);
  // A change of the shown text runs the combo box's change handler, as a user's pick would.
  comboBox.SetItemIndex(0);
}
