// Profile editing: the Edit page's rows, its filling (never with the stored hash), Apply with
// its refusals (empty fields, a name another account has, the account gone), the stored row
// with the kept or newly hashed password, Back, and the e-mail indicator.
#include "account_steps.h"

#include "app/edit_page.h"
#include "app/email_rule.h"
#include "app/image_control.h"
#include "app/ini_config.h"
#include "app/profile_page.h"
#include "app/shape.h"
#include "platform/password_hash.h"
#include "skin/controls/button.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/mask_edit.h"
#include "skin/controls/panel.h"

namespace {

const QString& SamHash() {
  static const QString hash = HashPassword(QStringLiteral("HappyPaws7"));
  return hash;
}

class ProfileEditTest : public TAccountTest {
protected:
  void SetUp() override {
    TAccountTest::SetUp();
    MakeDatabase({{"sam", SamHash(), "Sam Paws", "sam@vorns.org", "(012)111-2222", "1 Paw Rd",
                   "Default", false, false},
                  {"ella", "Keeper!77", "Ella Keeper", "ella@vorns.org", "(012)333-4444",
                   "2 Low St", "Default", false, true}},
                 {});
    StartForm();
    LogIn(QStringLiteral("sam"), QStringLiteral("HappyPaws7"));
    ASSERT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  }

  TEditPage& Edit() const { return Form->EditPage(); }

  // "Edit Profile Details" clicked on the Profile page.
  TEditPage& OpenEdit() {
    Click(Form->ProfilePage().btnProfileEdit);
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsEdit);
    return Edit();
  }

  void Retype(QWidget* field, const QString& text) {
    Clear(field);
    Type(field, text);
  }

  QSqlRecord StoredRow(int id) const {
    const auto rows = Query(QStringLiteral("SELECT * FROM \"Users\" WHERE \"ID\" = ?"), {id});
    return rows.empty() ? QSqlRecord() : rows[0];
  }
};

TEST_F(ProfileEditTest, ThePageHoldsItsRowsWithoutATab) {
  TEditPage& page = OpenEdit();
  EXPECT_FALSE(Form->tbsEdit->TabVisible());
  EXPECT_EQ(page.lblEditHeader->Caption(), "Edit Details");
  EXPECT_EQ(page.pnlEditAlign->size(), QSize(393, 321));
  ExpectFieldRows(
      page.pnlEditAlign, page.imgEdit->geometry().bottom(),
      {
          {"lblEditPicture", "Picture", page.cbxEditPicture, ""},
          {"lblEditUsername", "Username", page.edtEditUsername, "Username"},
          {"lblEditPassword", "Password", page.edtEditPassword, "Password"},
          {"lblEditFullName", "Full Name", page.edtEditFullName, "Full Name"},
          {"lblEditEmail", "Email Address", page.edtEditEmail,
           "Email Address (Must Contain At Symbol Followed By A .)"},
          {"lblEditPhone", "Phone Number", page.edtEditPhone, "Phone Number (Use a zero)"},
          {"lblEditAddress", "Home Address", page.edtEditAddress, "Your Home Address"},
      });
  EXPECT_EQ(page.cbxEditPicture->Items(), QStringList({"Default"}));
  EXPECT_EQ(page.cbxEditPicture->Style(), TspComboBoxStyle::spcbFixedStyle);
  EXPECT_EQ(page.edtEditPhone->EditMask(), "(999\\)000-0000;1;_");
  EXPECT_EQ(page.edtEditPhone->MaxLength(), 13);
  EXPECT_EQ(page.shpEditEmail->size(), QSize(17, 19));
  EXPECT_GT(page.shpEditEmail->x(), page.edtEditEmail->geometry().right());
  EXPECT_EQ(page.btnEditBack->Caption(), "Back");
  EXPECT_EQ(page.btnEditApply->Caption(), "Apply");
  EXPECT_EQ(page.btnEditBack->y(), page.btnEditApply->y());
  EXPECT_LT(page.btnEditBack->x(), page.btnEditApply->x());
  EXPECT_GT(page.btnEditBack->y(), page.edtEditAddress->geometry().bottom());
}

TEST_F(ProfileEditTest, EditProfileDetailsFillsThePageButNeverWithTheStoredHash) {
  TEditPage& page = OpenEdit();
  EXPECT_EQ(page.edtEditUsername->Text(), "sam");
  EXPECT_EQ(page.edtEditFullName->Text(), "Sam Paws");
  EXPECT_EQ(page.edtEditEmail->Text(), "sam@vorns.org");
  EXPECT_EQ(page.edtEditPhone->Text(), "(012)111-2222");
  EXPECT_EQ(page.edtEditAddress->Text(), "1 Paw Rd");
  EXPECT_EQ(page.cbxEditPicture->ItemIndex(), 0);
  EXPECT_EQ(page.cbxEditPicture->Text(), "Default");
  const QString shown = page.edtEditPassword->Text();
  EXPECT_FALSE(shown.isEmpty());
  EXPECT_NE(shown, SamHash());
  EXPECT_FALSE(SamHash().contains(shown));
  EXPECT_TRUE(page.PasswordUnchanged());
  // The indicator waits for a key in the e-mail field.
  EXPECT_EQ(page.shpEditEmail->BrushColor(), kEmailIndicatorEmpty);
  EXPECT_EQ(page.imgEdit->Picture(), Form->ProfilePage().imgProfilePic->Picture());
}

TEST_F(ProfileEditTest, ApplyStoresTheChangesKeepsTheHashAndFollowsTheNewName) {
  TEditPage& page = OpenEdit();
  Retype(page.edtEditUsername, QStringLiteral("Samuel"));
  Retype(page.edtEditFullName, QStringLiteral("Samuel Paws"));
  // Apply tests only for empty fields: an address the indicator marks is stored.
  Retype(page.edtEditEmail, QStringLiteral("samuel-at-home"));
  EXPECT_EQ(page.shpEditEmail->BrushColor(), kEmailIndicatorInvalid);
  Retype(page.edtEditPhone, QStringLiteral("0987654321"));
  Click(page.btnEditApply);

  EXPECT_TRUE(BannerCode().isEmpty()) << BannerCode().toStdString();
  const QSqlRecord row = StoredRow(1);
  EXPECT_EQ(row.value("Username").toString(), "Samuel");
  EXPECT_EQ(row.value("Password").toString(), SamHash());
  EXPECT_EQ(row.value("FullName").toString(), "Samuel Paws");
  EXPECT_EQ(row.value("Email").toString(), "samuel-at-home");
  EXPECT_EQ(row.value("Phone").toString(), "(098)765-4321");
  EXPECT_EQ(row.value("Address").toString(), "1 Paw Rd");
  EXPECT_EQ(row.value("Picture").toString(), "Default");
  EXPECT_EQ(StoredRow(2).value("Username").toString(), "ella");

  EXPECT_EQ(Form->CurrentUser, "Samuel");
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  const TProfilePage& profile = Form->ProfilePage();
  EXPECT_EQ(profile.lblProfileName->Caption(), "Samuel Paws");
  EXPECT_EQ(profile.lblProfileEmail->Caption(), "samuel-at-home");
  EXPECT_EQ(profile.lblProfileTelephone->Caption(), "(098)765-4321");
  EXPECT_EQ(profile.lblProfileHomeAddress->Caption(), "1 Paw Rd");
  // The remembered login name is not changed.
  EXPECT_EQ(Form->Config->UserName(), "sam");

  // A second opening finds the row under its new name.
  OpenEdit();
  EXPECT_EQ(page.edtEditUsername->Text(), "Samuel");
  EXPECT_TRUE(page.PasswordUnchanged());
  CloseForm();

  // The kept hash still logs in, under the new name.
  StartForm();
  LogIn(QStringLiteral("Samuel"), QStringLiteral("HappyPaws7"));
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
}

TEST_F(ProfileEditTest, APasswordTypedOnThePageIsStoredAsItsHash) {
  TEditPage& page = OpenEdit();
  // One character is enough: Apply does not apply the registration's password rules.
  Retype(page.edtEditPassword, QStringLiteral("x"));
  EXPECT_FALSE(page.PasswordUnchanged());
  Click(page.btnEditApply);
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  const QString stored = StoredRow(1).value("Password").toString();
  EXPECT_TRUE(IsPasswordHash(stored)) << stored.toStdString();
  EXPECT_TRUE(VerifyPassword(stored, QStringLiteral("x")));
  EXPECT_FALSE(VerifyPassword(stored, QStringLiteral("HappyPaws7")));
}

TEST_F(ProfileEditTest, ApplyRefusesANameAnotherAccountHasButNotTheAccountsOwn) {
  TEditPage& page = OpenEdit();
  const QStringList before = TableText("Users");
  for (const char* taken : {"ella", "ELLA", "eLLa"}) {
    SCOPED_TRACE(taken);
    Retype(page.edtEditUsername, QString::fromLatin1(taken));
    Retype(page.edtEditFullName, QStringLiteral("Changed Name"));
    Click(page.btnEditApply);
    EXPECT_EQ(BannerCode(), "521");
    EXPECT_TRUE(ConsoleLines().last().startsWith(
        QStringLiteral("ERROR(521):Username Exists:Username Taken, choose another.")));
    EXPECT_EQ(QApplication::focusWidget(), Typing(page.edtEditUsername));
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsEdit);
    EXPECT_EQ(Form->CurrentUser, "sam");
    EXPECT_EQ(TableText("Users"), before);
  }
  // The account's own name in other letters is its own.
  Retype(page.edtEditUsername, QStringLiteral("SAM"));
  Click(page.btnEditApply);
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  EXPECT_EQ(StoredRow(1).value("Username").toString(), "SAM");
  EXPECT_EQ(StoredRow(1).value("FullName").toString(), "Changed Name");
  EXPECT_EQ(Form->CurrentUser, "SAM");
}

TEST_F(ProfileEditTest, AnEmptyFieldIsRefusedWithTheFocusInTheUserName) {
  TEditPage& page = Edit();
  const QStringList before = TableText("Users");
  QWidget* const fields[] = {page.edtEditUsername, page.edtEditPassword, page.edtEditFullName,
                             page.edtEditEmail, page.edtEditAddress};
  for (QWidget* field : fields) {
    SCOPED_TRACE(field->objectName().toStdString());
    OpenEdit();
    Clear(field);
    Click(page.btnEditApply);
    EXPECT_EQ(BannerCode(), "426");
    EXPECT_TRUE(ConsoleLines().last().startsWith(
        QStringLiteral("ERROR(426):No Text In Fields:Text not found in fields.")));
    EXPECT_EQ(QApplication::focusWidget(), Typing(page.edtEditUsername));
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsEdit);
    EXPECT_EQ(TableText("Users"), before);
    Click(page.btnEditBack);
  }
}

TEST_F(ProfileEditTest, EditProfileDetailsReadsNoOtherRowWhenTheAccountIsGone) {
  // Deleted (as on the Admin page) while the profile shows.
  Execute(QStringLiteral("DELETE FROM \"Users\" WHERE \"Username\" = 'sam'"));
  Click(Form->ProfilePage().btnProfileEdit);
  EXPECT_EQ(BannerCode(), "491");
  EXPECT_TRUE(ConsoleLines().last().startsWith(
      QStringLiteral("ERROR(491):Username Not Found:The username you entered does not exist.")));
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  EXPECT_TRUE(Edit().edtEditUsername->Text().isEmpty());
  EXPECT_TRUE(Edit().edtEditFullName->Text().isEmpty());
}

TEST_F(ProfileEditTest, ApplyWritesNoOtherRowWhenTheAccountIsGone) {
  TEditPage& page = OpenEdit();
  Execute(QStringLiteral("DELETE FROM \"Users\" WHERE \"Username\" = 'sam'"));
  const QStringList remaining = TableText("Users");
  Retype(page.edtEditUsername, QStringLiteral("Samuel"));
  Retype(page.edtEditFullName, QStringLiteral("Samuel Paws"));
  Click(page.btnEditApply);
  EXPECT_EQ(BannerCode(), "491");
  EXPECT_EQ(TableText("Users"), remaining);
  EXPECT_EQ(Form->CurrentUser, "sam");
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsEdit);
  EXPECT_EQ(Form->ProfilePage().lblProfileName->Caption(), "Sam Paws");
}

TEST_F(ProfileEditTest, BackEmptiesTheEditsAndStoresNothing) {
  TEditPage& page = OpenEdit();
  const QStringList before = TableText("Users");
  Retype(page.edtEditUsername, QStringLiteral("Other"));
  Click(page.btnEditBack);
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  EXPECT_EQ(TableText("Users"), before);
  EXPECT_EQ(Form->CurrentUser, "sam");
  for (TspSkinCustomEdit* edit : {static_cast<TspSkinCustomEdit*>(page.edtEditUsername),
                                  static_cast<TspSkinCustomEdit*>(page.edtEditFullName),
                                  static_cast<TspSkinCustomEdit*>(page.edtEditEmail),
                                  static_cast<TspSkinCustomEdit*>(page.edtEditAddress)})
    EXPECT_TRUE(edit->Text().isEmpty()) << edit->objectName().toStdString();
  EXPECT_TRUE(page.edtEditPassword->Text().isEmpty());
  EXPECT_EQ(page.edtEditPhone->Text(), "(   )   -    ");
  EXPECT_EQ(page.cbxEditPicture->Text(), "Default");
}

TEST_F(ProfileEditTest, TheEmailIndicatorFollowsKeysAndEnterDoesNotApply) {
  TEditPage& page = OpenEdit();
  const QStringList before = TableText("Users");
  Clear(page.edtEditEmail);
  EXPECT_EQ(page.shpEditEmail->BrushColor(), kEmailIndicatorEmpty);
  Type(page.edtEditEmail, QStringLiteral("a@b"));
  EXPECT_EQ(page.shpEditEmail->BrushColor(), kEmailIndicatorInvalid);
  Type(page.edtEditEmail, QStringLiteral("."));
  EXPECT_EQ(page.shpEditEmail->BrushColor(), kEmailIndicatorValid);

  QTest::keyClick(Typing(page.edtEditEmail), Qt::Key_Return);
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsEdit);
  EXPECT_EQ(TableText("Users"), before);
}

} // namespace
