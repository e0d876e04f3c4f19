#pragma once
// The Log In page: the user name and password, the login with its checks, and the ways to
// registration and to the documentation.

class TfrmMain;
class TImage;
class TspSkinButton;
class TspSkinEdit;
class TspSkinPanel;
class TspSkinPasswordEdit;
class TspSkinStdLabel;
class TspSkinTabSheet;

class TLoginPage {
public:
  TLoginPage(TfrmMain& form, TspSkinTabSheet* sheet);

  void btnLLoginClick();
  // Key release in either edit: Enter (key code 13) runs the login.
  void edtLLoginKeyUp(int key);
  void btnLRegisterClick();
  void btnLogInDocsClick();

  TspSkinPanel* pnlLoginContents = nullptr;
  TImage* imgLogInIcon = nullptr;
  TspSkinStdLabel* lblLogin = nullptr;
  TspSkinEdit* edtLLogin = nullptr;
  TspSkinPasswordEdit* edtLPassword = nullptr;
  TspSkinButton* btnLLogin = nullptr;
  TspSkinButton* btnLRegister = nullptr;
  TspSkinButton* btnLogInDocs = nullptr;

private:
  TfrmMain& FForm;
};
