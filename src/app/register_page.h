#pragma once
// The Register page: a visitor's new account. Seven fields checked in a fixed order, the
// row inserted into Users with its password hashed, and the way back to Log In with the new
// name filled in. The indicator beside the e-mail field follows every key release.

#include <QImage>
#include <array>

class TfrmMain;
class TImage;
class TShape;
class TspSkinButton;
class TspSkinCustomEdit;
class TspSkinEdit;
class TspSkinMaskEdit;
class TspSkinPanel;
class TspSkinPasswordEdit;
class TspSkinStdLabel;
class TspSkinTabSheet;

// The picture at the top of the form: a figure with a plus badge, transparent around it.
QImage BuiltInRegisterPicture();

class TRegisterPage {
public:
  TRegisterPage(TfrmMain& form, TspSkinTabSheet* sheet);

  // "Register": the checks, then the new row, then back to Log In.
  void btnRegFinalClick();
  // "Back": the fields emptied, Log In shown.
  void btnRegBackClick();
  // Key release in any of the seven fields: Enter (key code 13) registers; every key
  // recolours the e-mail indicator.
  void edtRegisterAddressKeyUp(int key);

  TspSkinStdLabel* lblRegisterHeader = nullptr;
  TspSkinPanel* pnlRegLayout = nullptr;
  TImage* imgRegister = nullptr;
  TspSkinEdit* edtRegisterUsername = nullptr;
  TspSkinPasswordEdit* edtRegisterPassword = nullptr;
  TspSkinPasswordEdit* edtRegisterVerify = nullptr;
  TspSkinEdit* edtRegisterName = nullptr;
  TspSkinEdit* edtRegisterEmail = nullptr;
  TShape* shpRegisterEmail = nullptr;
  TspSkinMaskEdit* edtRegisterPhone = nullptr;
  TspSkinEdit* edtRegisterAddress = nullptr;
  TspSkinButton* btnRegBack = nullptr;
  TspSkinButton* btnRegFinal = nullptr;

private:
  // The fields that type in an inner line edit (all but the two password edits).
  std::array<TspSkinCustomEdit*, 5> TextFields() const;

  TfrmMain& FForm;
};
