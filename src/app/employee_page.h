#pragma once
// The Employee page: adding an animal to Animals. Every field must be filled and the
// check-in date valid; the row is inserted and the Profile page shown. The fields keep their
// contents after adding.

class TfrmMain;
class TspSkinButton;
class TspSkinCheckRadioBox;
class TspSkinComboBox;
class TspSkinDateEdit;
class TspSkinEdit;
class TspSkinPanel;
class TspSkinRadioGroup;
class TspSkinStdLabel;
class TspSkinTabSheet;

class TEmployeePage {
public:
  TEmployeePage(TfrmMain& form, TspSkinTabSheet* sheet);

  // "Add": the checks, the new row, "Added successfully!" and the Profile page.
  void btnEmployeeAddClick();

  TspSkinStdLabel* lblEmployeeHeader = nullptr;
  TspSkinPanel* pnlEmployeeAdd = nullptr;
  TspSkinEdit* edtAddName = nullptr;
  TspSkinComboBox* cbxAddType = nullptr;
  TspSkinEdit* edtAddColour = nullptr;
  TspSkinEdit* edtAddBreed = nullptr;
  TspSkinDateEdit* edtAddCheckIn = nullptr;
  TspSkinEdit* edtAddKennel = nullptr;
  TspSkinRadioGroup* rgpAddSex = nullptr;
  TspSkinCheckRadioBox* cbxEmployeeAdopt = nullptr;
  TspSkinButton* btnEmployeeAdd = nullptr;

private:
  TfrmMain& FForm;
};
