#pragma once
// The Admin page: the tables in a grid. It holds the table chooser and the sort-field list
// now (the page changes fill them); the grid and its actions come with administration.

class TfrmMain;
class TspSkinComboBox;
class TspSkinPanel;
class TspSkinStdLabel;
class TspSkinTabSheet;

class TAdminPage {
public:
  TAdminPage(TfrmMain& form, TspSkinTabSheet* sheet);

  TspSkinStdLabel* lblAdminHeader = nullptr;
  TspSkinPanel* pnlAdminAlign = nullptr;
  TspSkinPanel* pnlAdminDB = nullptr;
  TspSkinComboBox* cbxAdminDB = nullptr;
  TspSkinStdLabel* lblAdminDBSort = nullptr;
  TspSkinComboBox* cbxAdminDBField = nullptr;
};
