#pragma once
// The Admin page: either table in a read-only grid over the shared cursor, sorted by any
// column either way, with the selected row's values and picture, Delete and, for accounts,
// Promote/Demote (member -> employee -> administrator -> employee).

class TfrmMain;
class TImage;
class TspSkinButton;
class TspSkinComboBox;
class TspSkinDBGrid;
class TspSkinPanel;
class TspSkinScrollBar;
class TspSkinStdLabel;
class TspSkinTabSheet;
class TspSkinTextLabel;
class TTableCursor;

class TAdminPage {
public:
  TAdminPage(TfrmMain& form, TspSkinTabSheet* sheet);

  // The table chooser changed: the cursor on that table, its fields in the sort list, the
  // details emptied and the buttons fitted to the table.
  void cbxAdminDBChange();
  // Either sort list changed: the cursor sorted by the field and the direction shown.
  void cbxAdminDBFieldChange();
  // A cell clicked or a key released in the grid: the current row's values and picture.
  void dbgAdminCellClick();
  void dbgAdminKeyUp();
  // Deletes the current row at once.
  void btnAdminDeleteClick();
  // Promotes or demotes the current account; never the administrator's own.
  void btnAdminPromoteClick();

  TspSkinStdLabel* lblAdminHeader = nullptr;
  TspSkinPanel* pnlAdminAlign = nullptr;
  TImage* imgAdminDB = nullptr;
  TspSkinTextLabel* lblAdminDB = nullptr;
  TspSkinButton* btnAdminDelete = nullptr;
  TspSkinButton* btnAdminPromote = nullptr;
  TspSkinPanel* pnlAdminDB = nullptr;
  TspSkinComboBox* cbxAdminDB = nullptr;
  TspSkinStdLabel* lblAdminDBSort = nullptr;
  TspSkinComboBox* cbxAdminDBField = nullptr;
  TspSkinComboBox* cbxAdminDBType = nullptr;
  TspSkinDBGrid* dbgAdmin = nullptr;
  TspSkinScrollBar* scbAdminDB = nullptr;
  TspSkinScrollBar* scbAdminDBH = nullptr;

private:
  // The details and the picture of the cursor's current row.
  void ShowCurrentRow();
  // The role's picture and the button's caption for the current account.
  void ShowAccountPicture(const TTableCursor& users);
  // The kind's picture for the current animal; code 492 without one.
  void ShowAnimalPicture(const TTableCursor& animals);
  // Whether the cursor has a current row to act on: an empty table has none.
  bool HasCurrentRow() const;

  TfrmMain& FForm;
};
