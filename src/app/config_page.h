#pragma once
// The Configuration page: the settings of the record TiniConfig on screen, the skin list
// that switches the whole interface, and loading and saving cfg/config.ini.

#include <QString>

class TfrmMain;
class TspSkinButton;
class TspSkinCheckRadioBox;
class TspSkinEdit;
class TspSkinListBox;
class TspSkinScrollBar;
class TspSkinScrollBox;
class TspSkinSpinEdit;
class TspSkinStdLabel;
class TspSkinTabSheet;

class TConfigPage {
public:
  TConfigPage(TfrmMain& form, TspSkinTabSheet* sheet);

  // Opens the settings file at `path` (creating it with defaults when missing), reads the
  // record and applies it to the window and the page.
  void LoadConfig(const QString& path);
  // Writes the record to the settings file (shutdown).
  void SaveConfig();

  void btnConfigApplyClick();
  void lbxConfigSkinsListBoxClick();

  TspSkinStdLabel* lblConfigHeader = nullptr;
  TspSkinScrollBox* sbConfig = nullptr;
  TspSkinScrollBar* scbConfig = nullptr;
  TspSkinStdLabel* lblSkinColor = nullptr;
  TspSkinListBox* lbxConfigSkins = nullptr;
  TspSkinStdLabel* lblDatabaseLocation = nullptr;
  TspSkinEdit* edtConfigDB = nullptr;
  TspSkinStdLabel* lblConfigLocation = nullptr;
  TspSkinEdit* edtConfigFolder = nullptr;
  TspSkinStdLabel* lblConfigError = nullptr;
  TspSkinSpinEdit* spnConfigDuration = nullptr;
  TspSkinCheckRadioBox* cbxConfigDimen = nullptr;
  TspSkinCheckRadioBox* cbxConfigUsername = nullptr;
  TspSkinCheckRadioBox* cbxConfigValidate = nullptr;
  TspSkinCheckRadioBox* cbxConfigLog = nullptr;
  TspSkinCheckRadioBox* cbxConfigUpdate = nullptr;
  TspSkinButton* btnConfigApply = nullptr;

private:
  TfrmMain& FForm;
};
