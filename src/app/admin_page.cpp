#include "app/admin_page.h"

#include "app/form_builder.h"
#include "app/main_form.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"

TAdminPage::TAdminPage(TfrmMain& form, TspSkinTabSheet* sheet) {
  TspSkinData* skin = form.spSkinForm;
  lblAdminHeader = AddPageHeader(sheet, "lblAdminHeader", QStringLiteral("Administration"), skin);
  pnlAdminAlign = NewControl<TspSkinPanel>(sheet, "pnlAdminAlign", {0, 0, 393, 321}, skin);
  KeepCentred(pnlAdminAlign);
  pnlAdminDB = NewControl<TspSkinPanel>(pnlAdminAlign, "pnlAdminDB", {144, 8, 241, 305}, skin);
  cbxAdminDB = NewControl<TspSkinComboBox>(pnlAdminDB, "cbxAdminDB", {8, 8, 225, 21}, skin);
  cbxAdminDB->SetStyle(TspComboBoxStyle::spcbFixedStyle);
  cbxAdminDB->SetItems({QStringLiteral("Users"), QStringLiteral("Animals")});
  cbxAdminDB->SetItemIndex(0);
  lblAdminDBSort =
      NewLabel(pnlAdminDB, "lblAdminDBSort", {8, 38, 30, 17}, skin, QStringLiteral("Sort"));
  cbxAdminDBField =
      NewControl<TspSkinComboBox>(pnlAdminDB, "cbxAdminDBField", {40, 36, 110, 21}, skin);
  cbxAdminDBField->SetStyle(TspComboBoxStyle::spcbFixedStyle);
}
