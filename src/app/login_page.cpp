#include "app/login_page.h"

#include "app/app_fonts.h"
#include "app/edit_page.h"
#include "app/error_codes.h"
#include "app/form_builder.h"
#include "app/image_control.h"
#include "app/ini_config.h"
#include "app/key_up_watcher.h"
#include "app/main_form.h"
#include "app/picture_files.h"
#include "app/profile_page.h"
#include "app/web_host.h"
#include "platform/password_hash.h"
#include "skin/controls/button.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/password_edit.h"
#include "skin/render/jpeg_codec.h"
#include "store/field_text.h"

#include <QPainter>
#include <QPainterPath>

namespace {
// The contents' panel and the column of controls centred in it.
constexpr int kPanelWidth = 513;
constexpr int kPanelHeight = 257;
constexpr int kColumnLeft = 132;
constexpr int kColumnWidth = 249;
constexpr int kRowHeight = 25;

// The logo above the login: a paw print in the shelter's colours, drawn once.
QImage LoginLogo() {
  constexpr int kSize = 128;
  QImage logo(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
  logo.fill(Qt::transparent);
  QPainter p(&logo);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(109, 111, 150));
  // The pad, a rounded heart-like shape, and four toes around its top.
  QPainterPath pad;
  pad.moveTo(64, 62);
  pad.cubicTo(92, 62, 108, 96, 100, 108);
  pad.cubicTo(92, 120, 76, 110, 64, 110);
  pad.cubicTo(52, 110, 36, 120, 28, 108);
  pad.cubicTo(20, 96, 36, 62, 64, 62);
  p.drawPath(pad);
  p.drawEllipse(QRectF(10, 40, 22, 28));
  p.drawEllipse(QRectF(34, 14, 24, 32));
  p.drawEllipse(QRectF(70, 14, 24, 32));
  p.drawEllipse(QRectF(96, 40, 22, 28));
  p.end();
  return logo;
}

// One decoded picture for the profile and the profile-editing page.
void ShowPicture(const QImage& picture, TImage* profile, TImage* edit) {
  profile->SetPicture(picture);
  edit->SetPicture(picture);
}
} // namespace

TLoginPage::TLoginPage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form) {
  TspSkinData* skin = form.spSkinForm;
  pnlLoginContents =
      NewControl<TspSkinPanel>(sheet, "pnlLoginContents", {0, 0, kPanelWidth, kPanelHeight}, skin);
  KeepCentred(pnlLoginContents);
  QWidget* panel = pnlLoginContents;

  imgLogInIcon = NewControl<TImage>(panel, "imgLogInIcon", {8, 6, kPanelWidth - 16, 72}, skin);
  imgLogInIcon->SetTransparent(true);
  imgLogInIcon->SetCenter(true);
  imgLogInIcon->SetProportional(true);
  imgLogInIcon->SetStretch(true);
  imgLogInIcon->SetPicture(LoginLogo());

  lblLogin = NewLabel(panel, "lblLogin", {8, 80, kPanelWidth - 16, 34}, skin,
                      QStringLiteral("Log In"), AppFont(kSegoeUILight, 24));
  lblLogin->SetAlignment(TspAlignment::taCenter);
  lblLogin->SetLayout(TspTextLayout::tlCenter);

  edtLLogin = NewControl<TspSkinEdit>(panel, "edtLLogin",
                                      {kColumnLeft, 120, kColumnWidth, kRowHeight}, skin);
  edtLLogin->SetUseSkinFont(false);
  edtLLogin->SetDefaultFont(AppFont(kTahoma, 12));
  edtLLogin->SetAlignment(TspTextAlignment::taCenter);
  edtLLogin->setToolTip(QStringLiteral("Username"));

  edtLPassword = NewControl<TspSkinPasswordEdit>(
      panel, "edtLPassword", {kColumnLeft, 152, kColumnWidth, kRowHeight}, skin);
  edtLPassword->SetText(QStringLiteral("8150"));
  edtLPassword->setToolTip(QStringLiteral("Password"));

  btnLLogin = NewControl<TspSkinButton>(panel, "btnLLogin",
                                        {kColumnLeft, 186, kColumnWidth, kRowHeight}, skin);
  btnLLogin->SetCaption(QStringLiteral("Login"));
  btnLLogin->setToolTip(QStringLiteral("Login"));

  const int halfWidth = (kColumnWidth - 5) / 2;
  btnLRegister = NewControl<TspSkinButton>(panel, "btnLRegister",
                                           {kColumnLeft, 218, halfWidth, kRowHeight}, skin);
  btnLRegister->SetCaption(QStringLiteral("Register"));
  btnLRegister->setToolTip(QStringLiteral("Register"));
  btnLogInDocs = NewControl<TspSkinButton>(
      panel, "btnLogInDocs", {kColumnLeft + kColumnWidth - halfWidth, 218, halfWidth, kRowHeight},
      skin);
  btnLogInDocs->SetCaption(QStringLiteral("Documentation"));
  btnLogInDocs->setToolTip(QStringLiteral("Opens The Documentation Files"));
  // Start-up shows it.
  btnLogInDocs->setVisible(false);

  btnLLogin->OnClick = [this](QObject*) { btnLLoginClick(); };
  btnLRegister->OnClick = [this](QObject*) { btnLRegisterClick(); };
  btnLogInDocs->OnClick = [this](QObject*) { btnLogInDocsClick(); };
  // The name edit types in its inner line edit; the password edit in itself.
  WatchKeyUp(edtLLogin->Editor(), [this](int key) { edtLLoginKeyUp(key); });
  WatchKeyUp(edtLPassword, [this](int key) { edtLLoginKeyUp(key); });
}

void TLoginPage::btnLLoginClick() {
  // 1. A name is needed.
  const QString userName = edtLLogin->Text();
  if (userName.isEmpty()) {
    FForm.ShowError(ErrorCodes::NoUserName);
    // Hiding every tab takes the focus off the page: it goes to the edit once the Log In
    // page shows again.
    FForm.ShowTabs(QStringLiteral("Login"));
    edtLLogin->setFocus(Qt::OtherFocusReason);
    return;
  }
  // 2. Every attempt with a name becomes the name to remember, successful or not.
  FForm.CurrentUser = userName;
  if (FForm.Config) FForm.Config->SetUserName(userName);
  // 3. A password is needed.
  const QString password = edtLPassword->Text();
  if (password.isEmpty()) {
    FForm.ShowError(ErrorCodes::NoPassword);
    edtLPassword->setFocus(Qt::OtherFocusReason);
    return;
  }
  // 4. The account, found without regard to case.
  TTableCursor& users = FForm.ADOUsers;
  FForm.OpenTable(users, QStringLiteral("Users"));
  if (!users.Locate(QStringLiteral("Username"), userName)) {
    FForm.ShowError(ErrorCodes::UsernameNotFound);
    edtLLogin->setFocus(Qt::OtherFocusReason);
    return;
  }
  // 5. The password: a hash is verified, a legacy clear-text one compared exactly. A row
  // without a password matches nothing.
  const QVariant stored = users.FieldByName(QStringLiteral("Password"));
  const QString storedText = stored.isNull() ? QString() : FieldAsString(stored);
  if (stored.isNull() || !VerifyPassword(storedText, password)) {
    FForm.ShowError(ErrorCodes::PasswordIncorrect);
    edtLPassword->setFocus(Qt::OtherFocusReason);
    return;
  }
  // 6. The profile; a null field ends the login here with the conversion error.
  TProfilePage& profile = FForm.ProfilePage();
  profile.ShowAccountDetails(users);
  // 7. The role's screens and picture.
  QString role;
  if (FieldAsBoolean(users.FieldByName(QStringLiteral("Admin")))) {
    FForm.ShowTabs(QStringLiteral("Admin"));
    role = QStringLiteral("Admin");
  } else if (FieldAsBoolean(users.FieldByName(QStringLiteral("Employee")))) {
    FForm.ShowTabs(QStringLiteral("Employee"));
    role = QStringLiteral("Employee");
  } else {
    FForm.ShowTabs(QStringLiteral("User"));
    role = QStringLiteral("Member");
  }
  TImage* editPicture = FForm.EditPage().imgEdit;
  const QString rolePicture = PictureFile(role);
  if (!rolePicture.isEmpty()) {
    ShowPicture(ReadJpegFile(rolePicture), profile.imgProfilePic, editPicture);
    profile.imgProfilePic->setVisible(true);
  }
  // 8. The account's own picture replaces the role's.
  const QVariant picture = users.FieldByName(QStringLiteral("Picture"));
  if (!picture.isNull()) {
    const QString pictureName = FieldAsString(picture);
    const QString ownPicture = PictureFile(QStringLiteral("usr/") + pictureName);
    if (!pictureName.isEmpty() && pictureName != QLatin1String("Default") &&
        !ownPicture.isEmpty()) {
      ShowPicture(ReadJpegFile(ownPicture), profile.imgProfilePic, editPicture);
    }
  }
  // 9.
  FForm.LogMessage(QStringLiteral("User ") + FForm.CurrentUser + QStringLiteral(" logged in"));
  // A password still kept in clear is replaced by its hash now that it has proved right.
  // The cursor stays on the account's row.
  if (!IsPasswordHash(storedText)) {
    users.Edit();
    users.SetField(QStringLiteral("Password"), HashPassword(password));
    users.Post();
  }
}

void TLoginPage::edtLLoginKeyUp(int key) {
  if (key == kEnterKey) btnLLoginClick();
}

void TLoginPage::btnLRegisterClick() {
  FForm.ShowTabs(QStringLiteral("Register"));
}

void TLoginPage::btnLogInDocsClick() {
  FForm.OpenUrl(DocumentationUrl());
}
