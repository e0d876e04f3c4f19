#include "app/edit_page.h"

#include "app/email_rule.h"
#include "app/error_codes.h"
#include "app/field_rows.h"
#include "app/form_builder.h"
#include "app/image_control.h"
#include "app/key_up_watcher.h"
#include "app/main_form.h"
#include "app/profile_page.h"
#include "app/shape.h"
#include "platform/password_hash.h"
#include "skin/controls/button.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/mask_edit.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/password_edit.h"
#include "store/field_text.h"
#include "store/store_error.h"
#include "store/store_transaction.h"

namespace {
// What the password edit shows for the stored password: eight dots, whatever is stored.
const QString kPasswordPlaceholder = QStringLiteral("********");

// Whether a row other than the current one holds `name`, compared as the login finds
// accounts: the whole value, without regard to case.
bool NameTakenByOther(const TTableCursor& users, const QString& name) {
  const int own = users.RecNo() - 1;
  const int field = users.FieldIndex(QStringLiteral("Username"));
  for (int row = 0; row < users.RecordCount(); ++row) {
    if (row == own) continue;
    const QVariant value = users.FieldAtRow(row, field);
    if (!value.isNull() && FieldAsString(value).compare(name, Qt::CaseInsensitive) == 0)
      return true;
  }
  return false;
}
} // namespace

TEditPage::TEditPage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form) {
  TspSkinData* skin = form.spSkinForm;
  lblEditHeader = AddPageHeader(sheet, "lblEditHeader", QStringLiteral("Edit Details"), skin);
  pnlEditAlign = NewControl<TspSkinPanel>(sheet, "pnlEditAlign",
                                          {0, 0, kAccountPanelWidth, kAccountPanelHeight}, skin);
  KeepCentred(pnlEditAlign);
  QWidget* panel = pnlEditAlign;
  imgEdit = NewControl<TImage>(panel, "imgEdit", {112, 8, 169, 65}, skin);
  imgEdit->SetCenter(true);
  imgEdit->SetProportional(true);
  // The profile's picture until the login loads a role or own one into both.
  imgEdit->SetPicture(BuiltInProfilePicture());

  cbxEditPicture = NewFieldRow<TspSkinComboBox>(panel, "lblEditPicture", QStringLiteral("Picture"),
                                                "cbxEditPicture", AccountRowTop(0), skin);
  cbxEditPicture->SetStyle(TspComboBoxStyle::spcbFixedStyle);
  cbxEditPicture->SetItems({QStringLiteral("Default")});
  edtEditUsername = NewFieldRow<TspSkinEdit>(panel, "lblEditUsername", QStringLiteral("Username"),
                                             "edtEditUsername", AccountRowTop(1), skin,
                                             QStringLiteral("Username"));
  edtEditPassword = NewFieldRow<TspSkinPasswordEdit>(
      panel, "lblEditPassword", QStringLiteral("Password"), "edtEditPassword", AccountRowTop(2),
      skin, QStringLiteral("Password"));
  edtEditFullName = NewFieldRow<TspSkinEdit>(panel, "lblEditFullName", QStringLiteral("Full Name"),
                                             "edtEditFullName", AccountRowTop(3), skin,
                                             QStringLiteral("Full Name"));
  edtEditEmail = NewFieldRow<TspSkinEdit>(
      panel, "lblEditEmail", QStringLiteral("Email Address"), "edtEditEmail", AccountRowTop(4),
      skin, QStringLiteral("Email Address (Must Contain At Symbol Followed By A .)"));
  shpEditEmail = NewEmailIndicator(panel, "shpEditEmail", AccountRowTop(4), skin);
  edtEditPhone = NewPhoneRow(panel, "lblEditPhone", "edtEditPhone", AccountRowTop(5), skin);
  edtEditAddress = NewFieldRow<TspSkinEdit>(panel, "lblEditAddress", QStringLiteral("Home Address"),
                                            "edtEditAddress", AccountRowTop(6), skin,
                                            QStringLiteral("Your Home Address"));

  btnEditBack = NewControl<TspSkinButton>(panel, "btnEditBack", kAccountBackBounds, skin);
  btnEditBack->SetCaption(QStringLiteral("Back"));
  btnEditApply = NewControl<TspSkinButton>(panel, "btnEditApply", kAccountActionBounds, skin);
  btnEditApply->SetCaption(QStringLiteral("Apply"));

  btnEditBack->OnClick = [this](QObject*) { btnEditBackClick(); };
  btnEditApply->OnClick = [this](QObject*) { btnEditApplyClick(); };
  edtEditPassword->OnChange = [this](QObject*) { FPasswordUnchanged = false; };
  WatchKeyUp(edtEditEmail->Editor(), [this](int key) { edtEditEmailKeyUp(key); });
}

std::array<TspSkinCustomEdit*, 5> TEditPage::TextFields() const {
  return {edtEditUsername, edtEditFullName, edtEditEmail, edtEditPhone, edtEditAddress};
}

void TEditPage::LoadAccount(const TTableCursor& users) {
  const auto text = [&users](const char* field) {
    return FieldAsString(users.FieldByName(QString::fromLatin1(field)));
  };
  edtEditUsername->SetText(text("Username"));
  // The stored hash stays in the database; the placeholder stands for it.
  edtEditPassword->SetText(kPasswordPlaceholder);
  FPasswordUnchanged = true;
  edtEditFullName->SetText(text("FullName"));
  edtEditEmail->SetText(text("Email"));
  edtEditPhone->SetText(text("Phone"));
  edtEditAddress->SetText(text("Address"));
  cbxEditPicture->SetItemIndex(0);
}

void TEditPage::btnEditApplyClick() {
  const QString userName = edtEditUsername->Text();
  const QString password = edtEditPassword->Text();
  const QString fullName = edtEditFullName->Text();
  const QString email = edtEditEmail->Text();
  const QString phone = edtEditPhone->Text();
  const QString picture = cbxEditPicture->Text();
  const QString address = edtEditAddress->Text();
  // 1. Only emptiness is tested: the e-mail and password rules are the registration's.
  for (const QString* field : {&userName, &password, &fullName, &email, &phone, &picture, &address})
    if (field->isEmpty()) {
      FForm.ShowError(ErrorCodes::NoTextInProfileFields);
      edtEditUsername->setFocus(Qt::OtherFocusReason);
      return;
    }
  // 2. The account's own row, or nothing at all: when it is gone no other row takes the
  // page's values. The check of the name and the update are one step for every workstation
  // on the database; the store's unique index refuses what slips past.
  // The hash is made before the edit starts, so that its failure leaves the row untouched.
  const QString passwordHash = FPasswordUnchanged ? QString() : HashPassword(password);
  TTableCursor& users = FForm.ADOUsers;
  bool found = false;
  bool taken = false;
  try {
    RunExclusiveWrite(users.ConnectionName(), QStringLiteral("Users"), [&] {
      if (!FForm.LocateCurrentUser()) return;
      found = true;
      // Two accounts of one name would leave the login to reach whichever comes first.
      if (NameTakenByOther(users, userName)) {
        taken = true;
        return;
      }
      users.Edit();
      users.SetField(QStringLiteral("Username"), userName);
      if (!FPasswordUnchanged) users.SetField(QStringLiteral("Password"), passwordHash);
      users.SetField(QStringLiteral("FullName"), fullName);
      users.SetField(QStringLiteral("Email"), email);
      users.SetField(QStringLiteral("Phone"), phone);
      users.SetField(QStringLiteral("Picture"), picture);
      users.SetField(QStringLiteral("Address"), address);
      users.Post();
    });
  } catch (const EUniqueViolation&) {
    users.Cancel();
    taken = true;
  } catch (...) {
    users.Cancel();
    throw;
  }
  if (!found) return;
  if (taken) {
    FForm.ShowError(ErrorCodes::UsernameExists);
    edtEditUsername->setFocus(Qt::OtherFocusReason);
    return;
  }
  // 3. to 5. The pictures and the remembered login name stay as they are.
  FForm.CurrentUser = userName;
  FForm.ProfilePage().ShowAccountDetails(users);
  FForm.pctMain->SetActivePage(FForm.tbsProfile);
}

void TEditPage::btnEditBackClick() {
  // The phone field returns to its empty mask text; the picture list keeps its choice.
  for (TspSkinCustomEdit* edit : TextFields()) edit->SetText(QString());
  edtEditPassword->SetText(QString());
  FForm.pctMain->SetActivePage(FForm.tbsProfile);
}

void TEditPage::edtEditEmailKeyUp(int) {
  shpEditEmail->SetBrushColor(EmailIndicatorColor(edtEditEmail->Text()));
}
