#include "app/login_page.h"

#include "app/form_builder.h"
#include "app/main_form.h"
#include "skin/controls/button.h"
#include "skin/controls/edit.h"
#include "skin/controls/password_edit.h"

// Skeleton: only the controls that start-up uses exist so far.
TLoginPage::TLoginPage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form), FSheet(sheet) {
  TspSkinData* skin = form.spSkinForm;
  edtLLogin = NewControl<TspSkinEdit>(sheet, "edtLLogin", {300, 200, 200, 19}, skin);
  edtLPassword = NewControl<TspSkinPasswordEdit>(sheet, "edtLPassword", {300, 230, 200, 19}, skin);
  btnLogInDocs = NewControl<TspSkinButton>(sheet, "btnLogInDocs", {300, 260, 100, 25}, skin);
  btnLogInDocs->SetCaption(QStringLiteral("Documentation"));
  btnLogInDocs->setVisible(false);
}

void TLoginPage::btnLLoginClick() {}

void TLoginPage::edtLLoginKeyUp(int) {}

void TLoginPage::btnLRegisterClick() {}

void TLoginPage::btnLogInDocsClick() {}
