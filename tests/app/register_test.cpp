// Registration: the e-mail rule, the page's rows, each refusal with its code and focus in
// the order of the checks, the stored row with its hashed password and untouched phone, the
// new member's login, Enter in every field, Back, and the e-mail indicator.
#include "account_steps.h"

#include "app/email_rule.h"
#include "app/image_control.h"
#include "app/profile_page.h"
#include "app/register_page.h"
#include "app/shape.h"
#include "platform/password_hash.h"
#include "skin/controls/button.h"
#include "skin/controls/mask_edit.h"
#include "skin/controls/panel.h"

namespace {

TEST(IsValidEmail, NeedsAnAtAndADotSomewhereAfterIt) {
  const struct {
    const char* Text;
    bool Valid;
  } cases[] = {
      {"ann@vorns.org", true}, {"@.", true},  {"a@b@c.d", true},
      {"a@.b", true},          {"", false},   {"ann@vorns", false},
      {"ann.b@c", false},      {".@", false}, {"ann.vorns.org", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidEmail(QString::fromLatin1(c.Text)), c.Valid) << c.Text;
    EXPECT_EQ(EmailIndicatorColor(QString::fromLatin1(c.Text)), !*c.Text  ? kEmailIndicatorEmpty
                                                                : c.Valid ? kEmailIndicatorValid
                                                                          : kEmailIndicatorInvalid)
        << c.Text;
  }
}

// What a visitor types; an empty text leaves its field untouched.
struct TRegistration {
  QString Username, Password, Verify, FullName, Email, Phone, Address;
};

const TRegistration kNewcomer{"newbie",        "Abc1234",    "Abc1234", "New Bie",
                              "new@vorns.org", "0123456789", "4 New St"};

class RegisterTest : public TAccountTest {
protected:
  void SetUp() override {
    TAccountTest::SetUp();
    static const QString samHash = HashPassword(QStringLiteral("HappyPaws7"));
    MakeDatabase({{"sam", samHash, "Sam Paws", "sam@vorns.org", "(012)111-2222", "1 Paw Rd",
                   "Default", false, false}},
                 {});
  }

  // The window started and the Register page reached through "Register".
  TRegisterPage& OpenRegister() {
    StartForm();
    Click(Form->LoginPage().btnLRegister);
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsRegister);
    return Form->RegisterPage();
  }

  void Fill(const TRegistration& r) {
    TRegisterPage& page = Form->RegisterPage();
    const std::pair<QWidget*, QString> fields[] = {
        {page.edtRegisterUsername, r.Username}, {page.edtRegisterPassword, r.Password},
        {page.edtRegisterVerify, r.Verify},     {page.edtRegisterName, r.FullName},
        {page.edtRegisterEmail, r.Email},       {page.edtRegisterPhone, r.Phone},
        {page.edtRegisterAddress, r.Address}};
    for (const auto& [field, text] : fields) {
      if (text.isEmpty()) continue;
      // The mask fills from the caret: a user starts the phone number at the front.
      if (field == page.edtRegisterPhone) {
        Type(field, {});
        QTest::keyClick(Typing(field), Qt::Key_Home);
      }
      Type(field, text);
    }
  }

  // The fields' texts, in the page's order.
  QStringList Fields() const {
    const TRegisterPage& page = Form->RegisterPage();
    return {page.edtRegisterUsername->Text(), page.edtRegisterPassword->Text(),
            page.edtRegisterVerify->Text(),   page.edtRegisterName->Text(),
            page.edtRegisterEmail->Text(),    page.edtRegisterPhone->Text(),
            page.edtRegisterAddress->Text()};
  }

  QColor IndicatorColor() const { return Form->RegisterPage().shpRegisterEmail->BrushColor(); }
};

TEST_F(RegisterTest, ThePageHoldsItsRowsHintsAndIndicator) {
  TRegisterPage& page = OpenRegister();
  const QWidget* panel = page.pnlRegLayout;
  EXPECT_EQ(panel->size(), QSize(393, 321));
  const QRect sheet = Form->tbsRegister->rect();
  EXPECT_LE(std::abs(panel->geometry().center().x() - sheet.center().x()), 1);
  EXPECT_LE(std::abs(panel->geometry().center().y() - sheet.center().y()), 1);
  EXPECT_EQ(page.lblRegisterHeader->Caption(), "Register");
  EXPECT_FALSE(page.imgRegister->Picture().isNull());

  ExpectFieldRows(
      panel, page.imgRegister->geometry().bottom(),
      {
          {"lblRegisterUsername", "Username", page.edtRegisterUsername, "Username"},
          {"lblRegisterPassword", "Password", page.edtRegisterPassword, "Password"},
          {"lblRegisterVerify", "Verify Password", page.edtRegisterVerify, "Verify Password"},
          {"lblRegisterName", "Full Name", page.edtRegisterName, "Full Name"},
          {"lblRegisterEmail", "Email Address", page.edtRegisterEmail,
           "Email Address (Must Contain At Symbol Followed By A .)"},
          {"lblRegisterPhone", "Phone Number", page.edtRegisterPhone, "Phone Number (Use a zero)"},
          {"lblRegisterAddress", "Home Address", page.edtRegisterAddress, "Your Home Address"},
      });

  // The indicator: 17 by 19, just right of the e-mail edit, grey inside and out.
  const TShape* indicator = page.shpRegisterEmail;
  EXPECT_EQ(indicator->size(), QSize(17, 19));
  EXPECT_GT(indicator->x(), page.edtRegisterEmail->geometry().right());
  EXPECT_LT(indicator->x() - page.edtRegisterEmail->geometry().right(), 8);
  EXPECT_LE(
      std::abs(indicator->geometry().center().y() - page.edtRegisterEmail->geometry().center().y()),
      2);
  EXPECT_TRUE(panel->rect().contains(indicator->geometry()));
  EXPECT_EQ(indicator->BrushColor(), kEmailIndicatorEmpty);
  EXPECT_EQ(indicator->PenColor(), kEmailIndicatorEmpty);

  EXPECT_EQ(page.edtRegisterPhone->EditMask(), "(999\\)000-0000;1;_");
  EXPECT_EQ(page.edtRegisterPhone->MaxLength(), 13);
  EXPECT_EQ(page.edtRegisterPhone->Text(), "(   )   -    ");

  // Back at the left, Register at the right, both below the rows.
  EXPECT_EQ(page.btnRegBack->Caption(), "Back");
  EXPECT_EQ(page.btnRegBack->toolTip(), "Back To Login");
  EXPECT_EQ(page.btnRegFinal->Caption(), "Register");
  EXPECT_EQ(page.btnRegFinal->toolTip(), "Register Account");
  EXPECT_EQ(page.btnRegBack->y(), page.btnRegFinal->y());
  EXPECT_LT(page.btnRegBack->geometry().right(), page.btnRegFinal->x());
  EXPECT_GT(page.btnRegBack->y(), page.edtRegisterAddress->geometry().bottom());
  EXPECT_TRUE(panel->rect().contains(page.btnRegFinal->geometry()));
}

TEST_F(RegisterTest, EachRefusalReportsItsCodeAndFocusAndKeepsEverything) {
  const auto with = [](auto change) {
    TRegistration r = kNewcomer;
    change(r);
    return r;
  };
  const struct {
    const char* Name;
    TRegistration Input;
    int Code;
    const char* Focus;
  } cases[] = {
      // The focus stays where Enter was pressed for the empty fields and the e-mail.
      {"all empty", {}, 426, "edtRegisterAddress"},
      {"address empty", with([](auto& r) { r.Address.clear(); }), 426, "edtRegisterAddress"},
      {"verify empty", with([](auto& r) { r.Verify.clear(); }), 426, "edtRegisterAddress"},
      {"no dot after the at", with([](auto& r) { r.Email = "new.bie@vorns"; }), 425,
       "edtRegisterAddress"},
      // The e-mail is tested before the passwords.
      {"bad e-mail and passwords differing", with([](auto& r) {
         r.Email = "new@vorns";
         r.Verify = "Xyz9876";
       }),
       425, "edtRegisterAddress"},
      {"passwords differing in case", with([](auto& r) { r.Verify = "abc1234"; }), 498,
       "edtRegisterPassword"},
      // Differing is tested before the length.
      {"short and differing", with([](auto& r) {
         r.Password = "abc";
         r.Verify = "abd";
       }),
       498, "edtRegisterPassword"},
      {"six characters", with([](auto& r) {
         r.Password = "Abc123";
         r.Verify = "Abc123";
       }),
       499, "edtRegisterPassword"},
      {"a name differing only in case", with([](auto& r) { r.Username = "SAM"; }), 521,
       "edtRegisterUsername"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TRegisterPage& page = OpenRegister();
    const QStringList users = TableText("Users");
    Fill(c.Input);
    const QStringList typed = Fields();
    Type(page.edtRegisterAddress, {});
    QTest::keyClick(Typing(page.edtRegisterAddress), Qt::Key_Return);
    EXPECT_EQ(BannerCode(), QString::number(c.Code));
    EXPECT_TRUE(ConsoleLines().last().startsWith(QStringLiteral("ERROR(%1):").arg(c.Code)));
    EXPECT_EQ(QApplication::focusWidget(), Typing(Find<QWidget>(c.Focus)));
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsRegister);
    EXPECT_EQ(Fields(), typed);
    EXPECT_EQ(TableText("Users"), users);
    CloseForm();
  }
}

TEST_F(RegisterTest, WithoutTheDatabaseTheFirstRefusalIs493) {
  RemoveDatabase();
  OpenRegister();
  Click(Form->RegisterPage().btnRegFinal);
  EXPECT_EQ(BannerCode(), "493");
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsRegister);
}

TEST_F(RegisterTest, ARegistrationStoresTheHashAndTheNewMemberLogsIn) {
  TRegisterPage& page = OpenRegister();
  // Seven characters pass; the phone is left untouched.
  TRegistration r = kNewcomer;
  r.Phone.clear();
  Fill(r);
  Click(page.btnRegFinal);
  EXPECT_TRUE(BannerCode().isEmpty()) << BannerCode().toStdString();
  const QStringList lines = ConsoleLines();
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(lines.mid(lines.size() - 2),
            QStringList({"Began Inserting Data into Users table",
                         "newbie Successfully Inserted Into Users table"}));

  const auto rows = Query(QStringLiteral("SELECT * FROM \"Users\" WHERE \"Username\" = 'newbie'"));
  ASSERT_EQ(rows.size(), 1u);
  const QSqlRecord& row = rows[0];
  const QString stored = row.value("Password").toString();
  EXPECT_TRUE(IsPasswordHash(stored)) << stored.toStdString();
  EXPECT_TRUE(VerifyPassword(stored, QStringLiteral("Abc1234")));
  EXPECT_EQ(row.value("FullName").toString(), "New Bie");
  EXPECT_EQ(row.value("Email").toString(), "new@vorns.org");
  EXPECT_EQ(row.value("Phone").toString(), "(   )   -    ");
  EXPECT_EQ(row.value("Address").toString(), "4 New St");
  EXPECT_EQ(row.value("Picture").toString(), "Default");
  EXPECT_FALSE(row.value("Admin").toBool());
  EXPECT_FALSE(row.value("Employee").toBool());
  EXPECT_EQ(Form->ADOUsers.FieldByName("Username").toString(), "newbie");

  // Back on Log In with the name filled in, the focus in the password edit, which keeps its
  // text; the Register page is empty again.
  TLoginPage& login = Form->LoginPage();
  EXPECT_EQ(VisibleTabs(), QStringList({"tbsLogIn", "tbsConfig", "tbsConsole"}));
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsLogIn);
  EXPECT_EQ(login.edtLLogin->Text(), "newbie");
  EXPECT_TRUE(login.edtLPassword->hasFocus());
  EXPECT_EQ(login.edtLPassword->Text(), "8150");
  EXPECT_EQ(Fields(), QStringList({"", "", "", "", "", "(   )   -    ", ""}));

  QTest::keyClick(login.edtLPassword, Qt::Key_End);
  for (int i = 0; i < 4; ++i) QTest::keyClick(login.edtLPassword, Qt::Key_Backspace);
  QTest::keyClicks(login.edtLPassword, QStringLiteral("Abc1234"));
  QTest::keyClick(login.edtLPassword, Qt::Key_Return);
  EXPECT_EQ(Form->CurrentUser, "newbie");
  EXPECT_EQ(VisibleTabs(), QStringList({"tbsProfile", "tbsAdopt", "tbsConfig", "tbsConsole"}));
  EXPECT_EQ(Form->ProfilePage().lblProfileTelephone->Caption(), "(   )   -    ");
}

TEST_F(RegisterTest, EnterInEveryFieldRegisters) {
  TRegisterPage& page = OpenRegister();
  QWidget* const fields[] = {page.edtRegisterUsername, page.edtRegisterPassword,
                             page.edtRegisterVerify,   page.edtRegisterName,
                             page.edtRegisterEmail,    page.edtRegisterPhone,
                             page.edtRegisterAddress};
  // With nothing typed each Enter is one refusal of the empty fields; other keys are none.
  for (QWidget* field : fields) {
    SCOPED_TRACE(field->objectName().toStdString());
    const int before = ConsoleLines().filter(QStringLiteral("ERROR(426)")).size();
    Typing(field)->setFocus();
    QTest::keyClick(Typing(field), Qt::Key_Shift);
    QTest::keyClick(Typing(field), Qt::Key_Return);
    EXPECT_EQ(ConsoleLines().filter(QStringLiteral("ERROR(426)")).size(), before + 1);
  }
  // Filled in, Enter in Home Address registers.
  Fill(kNewcomer);
  QTest::keyClick(Typing(page.edtRegisterAddress), Qt::Key_Return);
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsLogIn);
  EXPECT_EQ(Form->LoginPage().edtLLogin->Text(), "newbie");
  const auto rows =
      Query(QStringLiteral("SELECT \"Phone\" FROM \"Users\" WHERE \"Username\" = 'newbie'"));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].value(0).toString(), "(012)345-6789");
}

TEST_F(RegisterTest, TheIndicatorFollowsEveryKeyRelease) {
  TRegisterPage& page = OpenRegister();
  QWidget* email = Typing(page.edtRegisterEmail);
  email->setFocus();
  const struct {
    Qt::Key Key;
    char Char;
    QColor Color;
  } steps[] = {
      {Qt::Key_A, 'a', kEmailIndicatorInvalid},
      {Qt::Key_At, '@', kEmailIndicatorInvalid},
      {Qt::Key_B, 'b', kEmailIndicatorInvalid},
      {Qt::Key_Period, '.', kEmailIndicatorValid},
      {Qt::Key_C, 'c', kEmailIndicatorValid},
      {Qt::Key_Backspace, 0, kEmailIndicatorValid},
      {Qt::Key_Backspace, 0, kEmailIndicatorInvalid},
      {Qt::Key_Backspace, 0, kEmailIndicatorInvalid},
      {Qt::Key_Backspace, 0, kEmailIndicatorInvalid},
      {Qt::Key_Backspace, 0, kEmailIndicatorEmpty},
  };
  for (const auto& step : steps) {
    if (step.Char)
      QTest::keyClick(email, step.Char);
    else
      QTest::keyClick(email, step.Key);
    SCOPED_TRACE(page.edtRegisterEmail->Text().toStdString());
    EXPECT_EQ(IndicatorColor(), step.Color);
    // The indicator paints its colour.
    const QImage shown = page.shpRegisterEmail->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(shown.rect().center())), step.Color);
  }
  // The outline stays grey.
  EXPECT_EQ(page.shpRegisterEmail->PenColor(), kEmailIndicatorEmpty);

  // Back leaves the colour; a key in any other field recolours from the e-mail field.
  Type(page.edtRegisterEmail, QStringLiteral("x@y"));
  EXPECT_EQ(IndicatorColor(), kEmailIndicatorInvalid);
  Click(page.btnRegBack);
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsLogIn);
  EXPECT_EQ(Fields(), QStringList({"", "", "", "", "", "(   )   -    ", ""}));
  EXPECT_EQ(IndicatorColor(), kEmailIndicatorInvalid);
  Click(Form->LoginPage().btnLRegister);
  Type(page.edtRegisterVerify, QStringLiteral("z"));
  EXPECT_EQ(IndicatorColor(), kEmailIndicatorEmpty);
}

} // namespace
