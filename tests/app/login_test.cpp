// The login: the order of its checks with their codes and focus, the role's tabs, the
// profile and its pictures, Enter in either edit, the remembered name across a restart and
// the replacement of a clear-text password by its hash.
#include "app_fixture.h"

#include "app/config_page.h"
#include "app/edit_page.h"
#include "app/error_banner.h"
#include "app/image_control.h"
#include "app/ini_config.h"
#include "app/login_page.h"
#include "app/profile_page.h"
#include "app/web_host.h"
#include "platform/password_hash.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/password_edit.h"
#include "store/store_error.h"

namespace {
const QColor kAdminColor(200, 40, 40);
const QColor kEmployeeColor(40, 40, 200);
const QColor kMemberColor(40, 160, 40);
const QColor kOwnColor(230, 200, 20);

// The hashes are made once: each costs the password library's work factor.
const QString& AdminHash() {
  static const QString hash = HashPassword(QStringLiteral("Admin#2024"));
  return hash;
}
const QString& EmployeeHash() {
  static const QString hash = HashPassword(QStringLiteral("Keeper!77"));
  return hash;
}

bool Near(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
         std::abs(a.blue() - b.blue()) < 12;
}

class LoginTest : public TAppTest {
protected:
  void SetUp() override {
    TAppTest::SetUp();
    MakeFolder(QStringLiteral("img/usr"));
    MakePicture(QStringLiteral("img/Admin.jpg"), kAdminColor);
    MakePicture(QStringLiteral("img/Employee.jpg"), kEmployeeColor);
    MakePicture(QStringLiteral("img/Member.jpg"), kMemberColor);
    MakePicture(QStringLiteral("img/usr/Default.jpg"), kOwnColor);
    MakePicture(QStringLiteral("img/usr/ella.jpg"), kOwnColor);
  }

  void MakeShelter() {
    MakeDatabase({{"boss", AdminHash(), "Bo Ss", "boss@vorns.org", "(012) 345-6789", "1 High St",
                   "Default", true, true},
                  {"ella", EmployeeHash(), "Ella Keeper", "ella@vorns.org", "(012) 111-2222",
                   "2 Low St", "ella", false, true},
                  {"milo", "Member123", "Milo Member", "milo@vorns.org", "(012) 333-4444",
                   "3 Mid St", "Default", false, false},
                  {"ghost", "Ghost123", QVariant(), "ghost@vorns.org", "0", "nowhere", "Default",
                   false, false}},
                 {Animal("Rex", "Dog")});
  }

  TLoginPage& Login() const { return Form->LoginPage(); }

  void Type(const QString& name, const QString& password) {
    Login().edtLLogin->SetText(name);
    Login().edtLPassword->SetText(password);
  }

  QString LastLine() const { return ConsoleLines().value(ConsoleLines().size() - 1); }

  // The stored password of an account, read past the window.
  QString StoredPassword(const QString& user) {
    auto connection = OpenDatabase();
    QSqlQuery query(connection->Database());
    query.prepare(QStringLiteral("SELECT \"Password\" FROM \"Users\" WHERE \"Username\" = ?"));
    query.addBindValue(user);
    EXPECT_TRUE(query.exec() && query.next());
    return query.value(0).toString();
  }

  QColor ProfilePictureColor() const {
    const QImage& picture = Form->ProfilePage().imgProfilePic->Picture();
    return picture.isNull() ? QColor() : picture.pixelColor(picture.rect().center());
  }
};
} // namespace

TEST_F(LoginTest, EachRoleSeesExactlyItsTabsItsProfileAndItsPicture) {
  MakeShelter();
  const struct {
    const char* Name;
    QString Password;
    QStringList Tabs;
    const char* FullName;
    QColor Picture;
  } cases[] = {
      {"boss",
       "Admin#2024",
       {"tbsProfile", "tbsEmployee", "tbsAdopt", "tbsAdmin", "tbsConfig", "tbsConsole"},
       "Bo Ss",
       kAdminColor},
      // Ella's own picture replaces her role's.
      {"ella",
       "Keeper!77",
       {"tbsProfile", "tbsEmployee", "tbsAdopt", "tbsConfig", "tbsConsole"},
       "Ella Keeper",
       kOwnColor},
      // "Default" keeps the role picture although img/usr/Default.jpg exists.
      {"milo",
       "Member123",
       {"tbsProfile", "tbsAdopt", "tbsConfig", "tbsConsole"},
       "Milo Member",
       kMemberColor},
  };
  for (const auto& c : cases) {
    StartForm();
    Type(c.Name, c.Password);
    QTest::mouseClick(Login().btnLLogin, Qt::LeftButton);
    EXPECT_EQ(VisibleTabs(), c.Tabs) << c.Name;
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile) << c.Name;
    EXPECT_EQ(Form->CurrentUser, c.Name);
    EXPECT_EQ(Form->ProfilePage().lblProfileName->Caption(), c.FullName);
    EXPECT_TRUE(Near(ProfilePictureColor(), c.Picture)) << c.Name;
    EXPECT_EQ(Form->EditPage().imgEdit->Picture(), Form->ProfilePage().imgProfilePic->Picture());
    EXPECT_TRUE(Form->ProfilePage().imgProfilePic->isVisibleTo(Form->tbsProfile));
    EXPECT_EQ(LastLine(), QStringLiteral("User %1 logged in").arg(c.Name));
    // The cursor stays on the account's row; the password edit keeps its text.
    EXPECT_EQ(Form->ADOUsers.TableName(), "Users");
    EXPECT_EQ(Form->ADOUsers.FieldByName("Username").toString(), c.Name);
    EXPECT_EQ(Login().edtLPassword->Text(), c.Password);
    EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
    CloseForm();
  }
}

TEST_F(LoginTest, TheProfileShowsTheAccountsDetails) {
  MakeShelter();
  StartForm();
  Type(QStringLiteral("boss"), QStringLiteral("Admin#2024"));
  Login().btnLLoginClick();
  const TProfilePage& profile = Form->ProfilePage();
  EXPECT_EQ(profile.lblProfileEmail->Caption(), "boss@vorns.org");
  EXPECT_EQ(profile.lblProfileTelephone->Caption(), "(012) 345-6789");
  EXPECT_EQ(profile.lblProfileHomeAddress->Caption(), "1 High St");
}

TEST_F(LoginTest, EachFailureReportsItsCodeAndFocusesItsEdit) {
  MakeShelter();
  const struct {
    QString Name;
    QString Password;
    int Code;
    const char* Focus;
    const char* RememberedName;
  } cases[] = {
      {"", "whatever", 427, "edtLLogin", ""},
      {"milo", "", 428, "edtLPassword", "milo"},
      {"nobody", "Member123", 491, "edtLLogin", "nobody"},
      // Passwords are compared in their exact case, hashed or not.
      {"milo", "member123", 494, "edtLPassword", "milo"},
      {"boss", "admin#2024", 494, "edtLPassword", "boss"},
      // A typed hash string is no password.
      {"boss", AdminHash(), 494, "edtLPassword", "boss"},
  };
  for (const auto& c : cases) {
    StartForm();
    Type(c.Name, c.Password);
    QTest::mouseClick(Login().btnLLogin, Qt::LeftButton);
    EXPECT_EQ(Form->ErrorBanner().lblErrorCode->Caption(), QString::number(c.Code)) << c.Code;
    EXPECT_TRUE(LastLine().startsWith(QStringLiteral("ERROR(%1):").arg(c.Code))) << c.Code;
    QWidget* focus = Find<QWidget>(c.Focus);
    EXPECT_TRUE(focus && focus->hasFocus()) << c.Code;
    EXPECT_EQ(VisibleTabs(), QStringList({"tbsLogIn", "tbsConfig", "tbsConsole"})) << c.Code;
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsLogIn) << c.Code;
    EXPECT_EQ(Form->CurrentUser, c.RememberedName) << c.Code;
    EXPECT_EQ(Form->Config->UserName(), c.RememberedName) << c.Code;
    EXPECT_TRUE(Reports.isEmpty()) << c.Code;
    CloseForm();
  }
}

TEST_F(LoginTest, EnterInEitherEditLogsInAndOtherKeysDoNot) {
  MakeShelter();
  for (const char* edit : {"edtLLogin", "edtLPassword"}) {
    StartForm();
    Type(QStringLiteral("milo"), QStringLiteral("Member123"));
    QWidget* target = Find<QWidget>(edit);
    // Keys go to the widget that types: the name edit's inner line edit.
    QWidget* typing = target->focusProxy() ? target->focusProxy() : target;
    typing->setFocus();
    QTest::keyClick(typing, Qt::Key_Shift);
    EXPECT_TRUE(Form->CurrentUser.isEmpty()) << edit;
    QTest::keyClick(typing, Qt::Key_Return);
    EXPECT_EQ(Form->CurrentUser, "milo") << edit;
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile) << edit;
    CloseForm();
  }
  // The keypad's Enter is Enter too.
  StartForm();
  Type(QStringLiteral("milo"), QStringLiteral("Member123"));
  QTest::keyClick(Login().edtLPassword, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
}

TEST_F(LoginTest, ANameInCapitalsFindsTheAccountAndIsLoggedAsTyped) {
  MakeShelter();
  StartForm();
  Type(QStringLiteral("MILO"), QStringLiteral("Member123"));
  Login().btnLLoginClick();
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  EXPECT_EQ(Form->CurrentUser, "MILO");
  EXPECT_EQ(LastLine(), "User MILO logged in");
}

TEST_F(LoginTest, AClearTextPasswordIsReplacedByItsHashAfterASuccessfulLogin) {
  MakeShelter();
  StartForm();
  // A failed attempt leaves it as it is.
  Type(QStringLiteral("milo"), QStringLiteral("wrong"));
  Login().btnLLoginClick();
  EXPECT_EQ(StoredPassword("milo"), "Member123");

  Type(QStringLiteral("milo"), QStringLiteral("Member123"));
  Login().btnLLoginClick();
  const QString stored = StoredPassword("milo");
  EXPECT_TRUE(IsPasswordHash(stored)) << stored.toStdString();
  EXPECT_TRUE(VerifyPassword(stored, QStringLiteral("Member123")));
  EXPECT_EQ(Form->ADOUsers.FieldByName("Username").toString(), "milo");
  // A hashed password is left alone.
  EXPECT_EQ(StoredPassword("boss"), AdminHash());
  CloseForm();

  // The hash logs in next time, and the old clear text compared as text no longer does.
  StartForm();
  Type(QStringLiteral("milo"), QStringLiteral("Member123"));
  Login().btnLLoginClick();
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  EXPECT_EQ(StoredPassword("milo"), stored);
  CloseForm();
  StartForm();
  Type(QStringLiteral("milo"), stored);
  Login().btnLLoginClick();
  EXPECT_EQ(Form->ErrorBanner().lblErrorCode->Caption(), "494");
}

TEST_F(LoginTest, TheRememberedNameReturnsAfterARestartWithTheFocusInThePassword) {
  MakeShelter();
  StartForm();
  Form->pctMain->SetActivePage(Form->tbsConfig);
  QTest::mouseClick(Form->ConfigPage().cbxConfigUsername, Qt::LeftButton);
  QTest::mouseClick(Form->ConfigPage().btnConfigApply, Qt::LeftButton);
  // A failed attempt is remembered as well.
  Type(QStringLiteral("Nobody"), QStringLiteral("x1234567"));
  Login().btnLLoginClick();
  EXPECT_EQ(Form->ErrorBanner().lblErrorCode->Caption(), "491");
  CloseForm();

  StartForm();
  EXPECT_EQ(Login().edtLLogin->Text(), "Nobody");
  EXPECT_TRUE(Login().edtLPassword->hasFocus());
  CloseForm();
}

TEST_F(LoginTest, WithoutTheMembersPictureTheBuiltInOneStays) {
  MakeShelter();
  ASSERT_TRUE(QFile::remove(Path(QStringLiteral("img/Member.jpg"))));
  StartForm();
  const QImage builtIn = Form->ProfilePage().imgProfilePic->Picture();
  EXPECT_EQ(builtIn, BuiltInProfilePicture());
  EXPECT_EQ(Form->EditPage().imgEdit->Picture(), builtIn);
  Type(QStringLiteral("milo"), QStringLiteral("Member123"));
  Login().btnLLoginClick();
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsProfile);
  EXPECT_EQ(Form->ProfilePage().imgProfilePic->Picture(), builtIn);
  EXPECT_EQ(Form->EditPage().imgEdit->Picture(), builtIn);
  EXPECT_TRUE(Form->ProfilePage().imgProfilePic->isVisibleTo(Form->tbsProfile));
}

TEST_F(LoginTest, ANullDetailEndsTheLoginWithTheConversionErrorBeforeTheRolesTabs) {
  MakeShelter();
  StartForm();
  Type(QStringLiteral("ghost"), QStringLiteral("Ghost123"));
  RunReported([&] { Login().btnLLoginClick(); });
  ASSERT_EQ(Reports.size(), 1);
  EXPECT_TRUE(Reports[0].contains(QLatin1String("Null"))) << Reports[0].toStdString();
  EXPECT_EQ(Form->CurrentUser, "ghost");
  EXPECT_EQ(VisibleTabs(), QStringList({"tbsLogIn", "tbsConfig", "tbsConsole"}));
  // Not logged in: the clear-text password stays as it was.
  EXPECT_EQ(StoredPassword("ghost"), "Ghost123");
}

TEST_F(LoginTest, WithoutADatabaseTheLookupsErrorIsReportedAndTheWindowStays) {
  StartForm();
  Reports.clear();
  Type(QStringLiteral("milo"), QStringLiteral("Member123"));
  RunReported([&] { Login().btnLLoginClick(); });
  EXPECT_EQ(Reports.size(), 1);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsLogIn);
}

TEST_F(LoginTest, RegisterAndDocumentationButtons) {
  StartForm();
  EXPECT_TRUE(Login().btnLogInDocs->isVisible());
  QTest::mouseClick(Login().btnLogInDocs, Qt::LeftButton);
  EXPECT_EQ(OpenedUrls, QStringList({DocumentationUrl()}));
  EXPECT_TRUE(OpenedUrls[0].endsWith(QLatin1String("/qor/docs.html")));
  QTest::mouseClick(Login().btnLRegister, Qt::LeftButton);
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsRegister);
}

TEST_F(LoginTest, ThePageHoldsItsControlsCentredTopToBottom) {
  StartForm();
  TLoginPage& page = Login();
  const QWidget* panel = page.pnlLoginContents;
  EXPECT_EQ(panel->size(), QSize(513, 257));
  const QRect sheet = Form->tbsLogIn->rect();
  EXPECT_LE(std::abs(panel->geometry().center().x() - sheet.center().x()), 1);
  EXPECT_LE(std::abs(panel->geometry().center().y() - sheet.center().y()), 1);
  // Still centred after the window grows.
  Form->resize(1200, 800);
  QApplication::processEvents();
  EXPECT_LE(std::abs(panel->geometry().center().x() - Form->tbsLogIn->rect().center().x()), 1);

  const std::vector<QWidget*> rows{page.imgLogInIcon, page.lblLogin,  page.edtLLogin,
                                   page.edtLPassword, page.btnLLogin, page.btnLRegister};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_TRUE(rows[i]->isVisible()) << i;
    EXPECT_TRUE(panel->rect().contains(rows[i]->geometry())) << i;
    if (i > 0) {
      EXPECT_GT(rows[i]->y(), rows[i - 1]->y()) << i;
    }
  }
  EXPECT_EQ(page.btnLogInDocs->y(), page.btnLRegister->y());
  EXPECT_FALSE(page.imgLogInIcon->Picture().isNull());
  EXPECT_EQ(page.lblLogin->Caption(), "Log In");
  EXPECT_EQ(page.edtLPassword->Text(), "8150");
  EXPECT_EQ(page.edtLLogin->toolTip(), "Username");
  EXPECT_EQ(page.btnLogInDocs->toolTip(), "Opens The Documentation Files");
}
