#include "app/profile_page.h"

#include "app/app_fonts.h"
#include "app/browse_page.h"
#include "app/edit_page.h"
#include "app/form_builder.h"
#include "app/image_control.h"
#include "app/main_form.h"
#include "app/web_host.h"
#include "skin/controls/button.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "store/field_text.h"

#include <QPainter>
#include <QPainterPath>

namespace {
TspSkinStdLabel* DetailLabel(QWidget* parent, const char* name, int y, TspSkinData* skin) {
  auto* label = NewLabel(parent, name, {8, y, 169, 18}, skin);
  label->SetAlignment(TspAlignment::taCenter);
  return label;
}

// A button of any size: its skin image stretches around its client part.
TspSkinButton* BigButton(QWidget* parent, const char* name, const QRect& r, TspSkinData* skin,
                         const char* caption) {
  auto* button = new TspSkinButton(parent);
  button->SetUseSkinSize(false);
  button->SetCaption(QString::fromLatin1(caption));
  return PlaceControl(button, name, r, skin);
}
} // namespace

QImage BuiltInProfilePicture() {
  constexpr int kSide = 130;
  QImage picture(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(222, 224, 236));
  p.drawEllipse(QRectF(1, 1, kSide - 2, kSide - 2));
  // The figure stays inside the disc: the shoulders are cut off by it.
  QPainterPath disc;
  disc.addEllipse(QRectF(1, 1, kSide - 2, kSide - 2));
  p.setClipPath(disc);
  p.setBrush(QColor(109, 111, 150));
  p.drawEllipse(QRectF(41, 22, 48, 52));
  p.drawEllipse(QRectF(17, 80, 96, 90));
  p.end();
  return picture;
}

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
  imgProfilePic->SetPicture(BuiltInProfilePicture());
  lblProfileName = DetailLabel(panel, "lblProfileName", 80, skin);
  lblProfileEmail = DetailLabel(panel, "lblProfileEmail", 102, skin);
  lblProfileTelephone = DetailLabel(panel, "lblProfileTelephone", 124, skin);
  lblProfileHomeAddress = DetailLabel(panel, "lblProfileHomeAddress", 146, skin);

  btnProfileDonate = BigButton(panel, "btnProfileDonate", {184, 8, 201, 81}, skin, "Donate");
  btnProfileAdopt = BigButton(panel, "btnProfileAdopt", {184, 93, 201, 80}, skin, "Adopt A Pet");
  btnProfileEdit =
      BigButton(panel, "btnProfileEdit", {8, 180, 377, 25}, skin, "Edit Profile Details");
  btnProfileAdopt->OnClick = [this](QObject*) { btnProfileAdoptClick(); };
  btnProfileDonate->OnClick = [this](QObject*) { btnProfileDonateClick(); };
  btnProfileEdit->OnClick = [this](QObject*) { btnProfileEditClick(); };

  pnlProfileFeatured =
      NewControl<TspSkinPanel>(panel, "pnlProfileFeatured", {8, 210, 377, 105}, skin);
  QWidget* featured = pnlProfileFeatured;
  lblProfileFeature = NewLabel(featured, "lblProfileFeature", {8, 6, 140, 20}, skin,
                               QStringLiteral("Featured Pet"), AppFont(kSegoeUI, 16, true));
  imgProfileFeature = NewControl<TImage>(featured, "imgProfileFeature", {8, 28, 96, 70}, skin);
  imgProfileFeature->SetCenter(true);
  imgProfileFeature->SetProportional(true);
  imgProfileFeature->SetStretch(true);
  imgProfileFeature->setVisible(false);
  lblProfileFeatureName = NewLabel(featured, "lblProfileFeatureName", {114, 32, 160, 22}, skin, {},
                                   AppFont(kSegoeUI, 16, true));
  lblProfileFeatureName->SetEllipsType(TspStdEllipsType::spetEndEllips);
  lblAdoptType = NewLabel(featured, "lblAdoptType", {114, 58, 160, 18}, skin);
  btnProfileAdoptFeatured =
      NewControl<TspSkinButton>(featured, "btnProfileAdoptFeatured", {290, 70, 75, 25}, skin);
  btnProfileAdoptFeatured->SetCaption(QStringLiteral("View"));
  btnProfileAdoptFeatured->OnClick = [this](QObject*) { btnProfileAdoptFeaturedClick(); };
}

void TProfilePage::btnProfileAdoptClick() {
  // The results list keeps its last contents.
  FForm.OpenTable(FForm.ADOUsers, QStringLiteral("Animals"));
  FForm.pctMain->SetActivePage(FForm.tbsAdopt);
}

void TProfilePage::btnProfileAdoptFeaturedClick() {
  btnProfileAdoptClick();
  TBrowsePage& browse = FForm.BrowsePage();
  // Item 1 is AnimalName; a change of the shown text searches once with the old text.
  browse.cbxBrowseField->SetItemIndex(1);
  browse.edtBrowseSearch->SetText(lblProfileFeatureName->Caption());
  browse.btnBrowseSearchClick();
}

void TProfilePage::btnProfileDonateClick() {
  FForm.OpenUrl(DonationUrl());
}

void TProfilePage::btnProfileEditClick() {
  // The row first: without it the page stays as it is and no other row is read.
  if (!FForm.LocateCurrentUser()) return;
  // Shown before filling: a null field ends the filling with the Edit page shown.
  FForm.pctMain->SetActivePage(FForm.tbsEdit);
  FForm.EditPage().LoadAccount(FForm.ADOUsers);
}

void TProfilePage::ShowAccountDetails(const TTableCursor& users) {
  lblProfileName->SetCaption(FieldAsString(users.FieldByName(QStringLiteral("FullName"))));
  lblProfileEmail->SetCaption(FieldAsString(users.FieldByName(QStringLiteral("Email"))));
  lblProfileTelephone->SetCaption(FieldAsString(users.FieldByName(QStringLiteral("Phone"))));
  lblProfileHomeAddress->SetCaption(FieldAsString(users.FieldByName(QStringLiteral("Address"))));
}
