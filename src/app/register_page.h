#pragma once
// The Register page: a new account. Its form comes with registration.

class TfrmMain;
class TspSkinTabSheet;
class TspSkinStdLabel;

class TRegisterPage {
public:
  TRegisterPage(TfrmMain& form, TspSkinTabSheet* sheet);

  TspSkinStdLabel* lblRegisterHeader = nullptr;
};
