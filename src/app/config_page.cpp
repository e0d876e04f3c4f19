#include "app/config_page.h"

#include "app/form_builder.h"
#include "app/main_form.h"
#include "skin/controls/edit.h"

// Skeleton: only the two path edits that start-up fills exist so far.
TConfigPage::TConfigPage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form), FSheet(sheet) {
  edtConfigDB = NewControl<TspSkinEdit>(sheet, "edtConfigDB", {160, 120, 300, 19}, form.spSkinForm);
  edtConfigDB->SetReadOnly(true);
  edtConfigFolder =
      NewControl<TspSkinEdit>(sheet, "edtConfigFolder", {160, 150, 300, 19}, form.spSkinForm);
  edtConfigFolder->SetReadOnly(true);
}

void TConfigPage::LoadConfig(const QString&) {}

void TConfigPage::SaveConfig() {}

void TConfigPage::btnConfigApplyClick() {}

void TConfigPage::lbxConfigSkinsListBoxClick() {}
