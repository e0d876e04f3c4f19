#include "app/browse_page.h"

#include "app/form_builder.h"
#include "app/main_form.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"

TBrowsePage::TBrowsePage(TfrmMain& form, TspSkinTabSheet* sheet) {
  TspSkinData* skin = form.spSkinForm;
  lblBrowseHeader = AddPageHeader(sheet, "lblBrowseHeader", QStringLiteral("Browse Pets"), skin);
  pnlBrowse = NewControl<TspSkinPanel>(sheet, "pnlBrowse", {0, 0, 393, 321}, skin);
  KeepCentred(pnlBrowse);
  cbxBrowseField = NewControl<TspSkinComboBox>(pnlBrowse, "cbxBrowseField", {8, 112, 89, 21}, skin);
  cbxBrowseField->SetStyle(TspComboBoxStyle::spcbFixedStyle);
}
