// The screens' access to the shared table cursor.
#include "app/error_codes.h"
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

bool TfrmMain::LocateCurrentUser() {
  OpenTable(ADOUsers, QStringLiteral("Users"));
  if (ADOUsers.Locate(QStringLiteral("Username"), CurrentUser)) return true;
  ShowError(ErrorCodes::UsernameNotFound);
  return false;
}
