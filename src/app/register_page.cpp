#include "app/register_page.h"

#include "app/email_rule.h"
#include "app/error_codes.h"
#include "app/field_rows.h"
#include "app/form_builder.h"
#include "app/image_control.h"
#include "app/key_up_watcher.h"
#include "app/login_page.h"
#include "app/main_form.h"
#include "app/profile_page.h"
#include "app/shape.h"
#include "platform/password_hash.h"
#include "skin/controls/button.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/mask_edit.h"
#include "skin/controls/panel.h"
#include "skin/controls/password_edit.h"
#include "store/store_error.h"
#include "store/store_transaction.h"

#include <QPainter>

QImage BuiltInRegisterPicture() {
  // The profile's figure with a badge: a plus on a green disc at the lower right.
  QImage picture = BuiltInProfilePicture();
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(35, 147, 90));
  p.drawEllipse(QRectF(82, 80, 42, 42));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(100, 89, 6, 24));
  p.drawRect(QRectF(91, 98, 24, 6));
  p.end();
  return picture;
}

TRegisterPage::TRegisterPage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form) {
  TspSkinData* skin = form.spSkinForm;
  lblRegisterHeader = AddPageHeader(sheet, "lblRegisterHeader", QStringLiteral("Register"), skin);
  pnlRegLayout = NewControl<TspSkinPanel>(sheet, "pnlRegLayout",
                                          {0, 0, kAccountPanelWidth, kAccountPanelHeight}, skin);
  KeepCentred(pnlRegLayout);
  QWidget* panel = pnlRegLayout;

  imgRegister = NewControl<TImage>(panel, "imgRegister", {8, 8, kAccountPanelWidth - 16, 62}, skin);
  imgRegister->SetTransparent(true);
  imgRegister->SetCenter(true);
  imgRegister->SetProportional(true);
  imgRegister->SetStretch(true);
  imgRegister->SetPicture(BuiltInRegisterPicture());

  edtRegisterUsername = NewFieldRow<TspSkinEdit>(
      panel, "lblRegisterUsername", QStringLiteral("Username"), "edtRegisterUsername",
      AccountRowTop(0), skin, QStringLiteral("Username"));
  edtRegisterPassword = NewFieldRow<TspSkinPasswordEdit>(
      panel, "lblRegisterPassword", QStringLiteral("Password"), "edtRegisterPassword",
      AccountRowTop(1), skin, QStringLiteral("Password"));
  edtRegisterVerify = NewFieldRow<TspSkinPasswordEdit>(
      panel, "lblRegisterVerify", QStringLiteral("Verify Password"), "edtRegisterVerify",
      AccountRowTop(2), skin, QStringLiteral("Verify Password"));
  edtRegisterName = NewFieldRow<TspSkinEdit>(panel, "lblRegisterName", QStringLiteral("Full Name"),
                                             "edtRegisterName", AccountRowTop(3), skin,
                                             QStringLiteral("Full Name"));
  edtRegisterEmail = NewFieldRow<TspSkinEdit>(
      panel, "lblRegisterEmail", QStringLiteral("Email Address"), "edtRegisterEmail",
      AccountRowTop(4), skin,
      QStringLiteral("Email Address (Must Contain At Symbol Followed By A .)"));
  shpRegisterEmail = NewEmailIndicator(panel, "shpRegisterEmail", AccountRowTop(4), skin);
  edtRegisterPhone =
      NewPhoneRow(panel, "lblRegisterPhone", "edtRegisterPhone", AccountRowTop(5), skin);
  edtRegisterAddress = NewFieldRow<TspSkinEdit>(
      panel, "lblRegisterAddress", QStringLiteral("Home Address"), "edtRegisterAddress",
      AccountRowTop(6), skin, QStringLiteral("Your Home Address"));

  btnRegBack = NewControl<TspSkinButton>(panel, "btnRegBack", kAccountBackBounds, skin);
  btnRegBack->SetCaption(QStringLiteral("Back"));
  btnRegBack->setToolTip(QStringLiteral("Back To Login"));
  btnRegFinal = NewControl<TspSkinButton>(panel, "btnRegFinal", kAccountActionBounds, skin);
  btnRegFinal->SetCaption(QStringLiteral("Register"));
  btnRegFinal->setToolTip(QStringLiteral("Register Account"));

  btnRegBack->OnClick = [this](QObject*) { btnRegBackClick(); };
  btnRegFinal->OnClick = [this](QObject*) { btnRegFinalClick(); };
  // The text edits type in their inner line edits; the password edits in themselves.
  const auto keyUp = [this](int key) { edtRegisterAddressKeyUp(key); };
  for (TspSkinCustomEdit* edit : TextFields()) WatchKeyUp(edit->Editor(), keyUp);
  WatchKeyUp(edtRegisterPassword, keyUp);
  WatchKeyUp(edtRegisterVerify, keyUp);
}

std::array<TspSkinCustomEdit*, 5> TRegisterPage::TextFields() const {
  return {edtRegisterUsername, edtRegisterName, edtRegisterEmail, edtRegisterPhone,
          edtRegisterAddress};
}

void TRegisterPage::btnRegFinalClick() {
  // 1.
  if (!FForm.DatabaseFound) {
    FForm.ShowError(ErrorCodes::DatabaseNotFound);
    return;
  }
  const QString userName = edtRegisterUsername->Text();
  const QString password = edtRegisterPassword->Text();
  const QString verify = edtRegisterVerify->Text();
  const QString fullName = edtRegisterName->Text();
  const QString email = edtRegisterEmail->Text();
  // With its literals: an untouched phone field is "(   )   -    ", never empty.
  const QString phone = edtRegisterPhone->Text();
  const QString address = edtRegisterAddress->Text();
  // 2. Every field; the focus stays where it is.
  for (const QString* field : {&userName, &password, &verify, &fullName, &email, &phone, &address})
    if (field->isEmpty()) {
      FForm.ShowError(ErrorCodes::NoValueInEdit);
      return;
    }
  // 3.
  if (!IsValidEmail(email)) {
    FForm.ShowError(ErrorCodes::EmailIncorrect);
    return;
  }
  // 4. Exact comparison, letter case included.
  if (password != verify) {
    edtRegisterPassword->setFocus(Qt::OtherFocusReason);
    FForm.ShowError(ErrorCodes::PasswordsDontMatch);
    return;
  }
  // 5. Seven characters are enough.
  if (password.size() <= 6) {
    edtRegisterPassword->setFocus(Qt::OtherFocusReason);
    FForm.ShowError(ErrorCodes::PasswordTooShort);
    return;
  }
  // 6. and 7. One account per name, whatever its letter case: the check and the insert are
  // one step for every workstation on the database, and the store's unique index refuses
  // what slips past (a name that differs only in capitals the index folds).
  // The password is stored only as its hash, made before the row starts so that a failure
  // of the hash leaves no row half-begun. No role flag is written: both read false.
  const QString passwordHash = HashPassword(password);
  TTableCursor& users = FForm.ADOUsers;
  bool taken = false;
  try {
    RunExclusiveWrite(users.ConnectionName(), QStringLiteral("Users"), [&] {
      FForm.OpenTable(users, QStringLiteral("Users"));
      if (users.Locate(QStringLiteral("Username"), userName)) {
        taken = true;
        return;
      }
      users.Append();
      FForm.LogMessage(QStringLiteral("Began Inserting Data into Users table"));
      users.SetField(QStringLiteral("Username"), userName);
      users.SetField(QStringLiteral("Password"), passwordHash);
      users.SetField(QStringLiteral("FullName"), fullName);
      users.SetField(QStringLiteral("Email"), email);
      users.SetField(QStringLiteral("Phone"), phone);
      users.SetField(QStringLiteral("Address"), address);
      users.SetField(QStringLiteral("Picture"), QStringLiteral("Default"));
      users.Post();
    });
  } catch (const EUniqueViolation&) {
    users.Cancel();
    taken = true;
  } catch (...) {
    // The transaction is rolled back: nothing of the row stays in the cursor either.
    users.Cancel();
    throw;
  }
  if (taken) {
    FForm.ShowError(ErrorCodes::UsernameExists);
    edtRegisterUsername->setFocus(Qt::OtherFocusReason);
    return;
  }
  // 8.
  FForm.LogMessage(userName + QStringLiteral(" Successfully Inserted Into Users table"));
  // 9. to 11. Log In with the new name; the password edit keeps what it held.
  TLoginPage& login = FForm.LoginPage();
  login.edtLLogin->SetText(userName);
  btnRegBackClick();
  login.edtLPassword->setFocus(Qt::OtherFocusReason);
}

void TRegisterPage::btnRegBackClick() {
  // The phone field returns to its empty mask text; the indicator keeps its colour.
  for (TspSkinCustomEdit* edit : TextFields()) edit->SetText(QString());
  edtRegisterPassword->SetText(QString());
  edtRegisterVerify->SetText(QString());
  FForm.ShowTabs(QStringLiteral("Login"));
}

void TRegisterPage::edtRegisterAddressKeyUp(int key) {
  if (key == kEnterKey) btnRegFinalClick();
  shpRegisterEmail->SetBrushColor(EmailIndicatorColor(edtRegisterEmail->Text()));
}
