#include "app/profile_page.h"

#include "app/app_fonts.h"
#include "app/form_builder.h"
#include "app/image_control.h"
#include "app/main_form.h"
#include "skin/controls/button.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"

namespace {
TspSkinStdLabel* DetailLabel(QWidget* parent, const char* name, int y, TspSkinData* skin) {
  auto* label = NewControl<TspSkinStdLabel>(parent, name, {8, y, 169, 18}, skin);
  label->SetAutoSize(false);
  label->SetAlignment(TspAlignment::taCenter);
  return label;
}
} // namespace

TProfilePage::TProfilePage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form) {
  TspSkinData* skin = form.spSkinForm;
  lblProfileHeader = AddPageHeader(sheet, "lblProfileHeader", QStringLiteral("Profile"), skin);
  pnlProfileAlign = NewControl<TspSkinPanel>(sheet, "pnlProfileAlign", {0, 0, 393, 321}, skin);
  KeepCentred(pnlProfileAlign);
  QWidget* panel = pnlProfileAlign;

  imgProfilePic = NewControl<TImage>(panel, "imgProfilePic", {8, 8, 169, 65}, skin);
  imgProfilePic->SetTransparent(true);
  imgProfilePic->SetCenter(true);
  imgProfilePic->SetProportional(true);
  lblProfileName = DetailLabel(panel, "lblProfileName", 80, skin);
  lblProfileEmail = DetailLabel(panel, "lblProfileEmail", 102, skin);
  lblProfileTelephone = DetailLabel(panel, "lblProfileTelephone", 124, skin);
  lblProfileHomeAddress = DetailLabel(panel, "lblProfileHomeAddress", 146, skin);

  btnProfileDonate = NewControl<TspSkinButton>(panel, "btnProfileDonate", {184, 8, 201, 81}, skin);
  btnProfileDonate->SetUseSkinSize(false);
  btnProfileDonate->SetCaption(QStringLiteral("Donate"));
  btnProfileAdopt = NewControl<TspSkinButton>(panel, "btnProfileAdopt", {184, 93, 201, 80}, skin);
  btnProfileAdopt->SetUseSkinSize(false);
  btnProfileAdopt->SetCaption(QStringLiteral("Adopt A Pet"));
  btnProfileEdit = NewControl<TspSkinButton>(panel, "btnProfileEdit", {8, 180, 377, 25}, skin);
  btnProfileEdit->SetUseSkinSize(false);
  btnProfileEdit->SetCaption(QStringLiteral("Edit Profile Details"));

  pnlProfileFeatured =
      NewControl<TspSkinPanel>(panel, "pnlProfileFeatured", {8, 210, 377, 105}, skin);
  QWidget* featured = pnlProfileFeatured;
  lblProfileFeature =
      NewControl<TspSkinStdLabel>(featured, "lblProfileFeature", {8, 6, 140, 20}, skin);
  lblProfileFeature->SetUseSkinFont(false);
  lblProfileFeature->setFont(AppFont(kSegoeUI, 16, true));
  lblProfileFeature->SetCaption(QStringLiteral("Featured Pet"));
  imgProfileFeature = NewControl<TImage>(featured, "imgProfileFeature", {8, 28, 96, 70}, skin);
  imgProfileFeature->SetCenter(true);
  imgProfileFeature->SetProportional(true);
  imgProfileFeature->SetStretch(true);
  imgProfileFeature->setVisible(false);
  lblProfileFeatureName =
      NewControl<TspSkinStdLabel>(featured, "lblProfileFeatureName", {114, 32, 160, 22}, skin);
  lblProfileFeatureName->SetAutoSize(false);
  lblProfileFeatureName->SetUseSkinFont(false);
  lblProfileFeatureName->setFont(AppFont(kSegoeUI, 16, true));
  lblProfileFeatureName->SetEllipsType(TspStdEllipsType::spetEndEllips);
  lblAdoptType = NewControl<TspSkinStdLabel>(featured, "lblAdoptType", {114, 58, 160, 18}, skin);
  lblAdoptType->SetAutoSize(false);
  btnProfileAdoptFeatured =
      NewControl<TspSkinButton>(featured, "btnProfileAdoptFeatured", {290, 70, 75, 25}, skin);
  btnProfileAdoptFeatured->SetCaption(QStringLiteral("View"));
}
