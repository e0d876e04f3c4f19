#pragma once
// The Browse page: finding animals. It holds the field selector now, filled at start-up;
// the search comes with browsing.

class TfrmMain;
class TspSkinComboBox;
class TspSkinPanel;
class TspSkinStdLabel;
class TspSkinTabSheet;

class TBrowsePage {
public:
  TBrowsePage(TfrmMain& form, TspSkinTabSheet* sheet);

  TspSkinStdLabel* lblBrowseHeader = nullptr;
  TspSkinPanel* pnlBrowse = nullptr;
  TspSkinComboBox* cbxBrowseField = nullptr;
};
