#include "app/edit_page.h"

#include "app/form_builder.h"
#include "app/image_control.h"
#include "app/main_form.h"
#include "app/profile_page.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"

TEditPage::TEditPage(TfrmMain& form, TspSkinTabSheet* sheet) {
  TspSkinData* skin = form.spSkinForm;
  lblEditHeader = AddPageHeader(sheet, "lblEditHeader", QStringLiteral("Edit Details"), skin);
  pnlEditAlign = NewControl<TspSkinPanel>(sheet, "pnlEditAlign", {0, 0, 393, 321}, skin);
  KeepCentred(pnlEditAlign);
  imgEdit = NewControl<TImage>(pnlEditAlign, "imgEdit", {112, 8, 169, 65}, skin);
  imgEdit->SetCenter(true);
  imgEdit->SetProportional(true);
  // The profile's picture until the login loads a role or own one into both.
  imgEdit->SetPicture(BuiltInProfilePicture());
}
