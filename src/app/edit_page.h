#pragma once
// The Edit page, shown without a tab: editing the account's row. It holds the account's
// picture now (the login loads it); its form comes with profile editing.

class TfrmMain;
class TImage;
class TspSkinPanel;
class TspSkinStdLabel;
class TspSkinTabSheet;

class TEditPage {
public:
  TEditPage(TfrmMain& form, TspSkinTabSheet* sheet);

  TspSkinStdLabel* lblEditHeader = nullptr;
  TspSkinPanel* pnlEditAlign = nullptr;
  TImage* imgEdit = nullptr;
};
