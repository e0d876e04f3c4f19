#include "app/register_page.h"

#include "app/form_builder.h"
#include "app/main_form.h"

TRegisterPage::TRegisterPage(TfrmMain& form, TspSkinTabSheet* sheet) {
  lblRegisterHeader =
      AddPageHeader(sheet, "lblRegisterHeader", QStringLiteral("Register"), form.spSkinForm);
}
