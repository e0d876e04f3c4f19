#pragma once
// The Employee page: adding animals. Its form comes with that screen.

class TfrmMain;
class TspSkinTabSheet;
class TspSkinStdLabel;

class TEmployeePage {
public:
  TEmployeePage(TfrmMain& form, TspSkinTabSheet* sheet);

  TspSkinStdLabel* lblEmployeeHeader = nullptr;
};
