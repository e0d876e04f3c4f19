// Several workstations on one database (with VORNS_TEST_STORE=postgresql the shared
// server), and a server named in the settings that cannot be reached.
#include "account_steps.h"
#include "browse_fixture.h"

#include "app/config_page.h"
#include "app/register_page.h"
#include "app/shape.h"
#include "platform/password_hash.h"
#include "skin/controls/button.h"
#include "skin/controls/mask_edit.h"
#include "skin/controls/page_control.h"

#include <QFile>

namespace {

class SharedStoreTest : public TAccountTest {
protected:
  // A second workstation's window on the same working directory and so the same database.
  std::unique_ptr<TfrmMain> StartSecond() {
    TfrmMainServices services;
    services.IsConnected = [] { return true; };
    services.OpenUrl = [](const QString&) {};
    auto form = std::make_unique<TfrmMain>(services);
    form->show();
    return form;
  }

  // Registers through the window's Register page, as a user types it.
  static void Register(TfrmMain& form, const QString& name) {
    QTest::mouseClick(form.LoginPage().btnLRegister, Qt::LeftButton);
    TRegisterPage& page = form.RegisterPage();
    Type(page.edtRegisterUsername, name);
    Type(page.edtRegisterPassword, "Abc12345");
    Type(page.edtRegisterVerify, "Abc12345");
    Type(page.edtRegisterName, "New Comer");
    Type(page.edtRegisterEmail, "new@vorns.org");
    Type(page.edtRegisterPhone, {});
    QTest::keyClick(Typing(page.edtRegisterPhone), Qt::Key_Home);
    Type(page.edtRegisterPhone, "0123456789");
    Type(page.edtRegisterAddress, "4 New St");
    QTest::mouseClick(page.btnRegFinal, Qt::LeftButton);
  }

  static QString Code(const TfrmMain& form) { return form.ErrorBanner().lblErrorCode->Caption(); }

  int AccountsNamed(const QString& name) const {
    int count = 0;
    for (const QSqlRecord& row : Query(QStringLiteral("SELECT \"Username\" FROM \"Users\"")))
      count += row.value(0).toString().compare(name, Qt::CaseInsensitive) == 0;
    return count;
  }
};

TEST_F(SharedStoreTest, TwoWorkstationsSeeEachOthersAccountsAndAnimalsAndANameIsTakenOnce) {
  MakeDatabase({}, {Animal("Rex", "Dog")});
  StartForm();
  std::unique_ptr<TfrmMain> desk = StartSecond();
  ASSERT_TRUE(Form->DatabaseFound && desk->DatabaseFound);

  // The front desk registers; the back office cannot take the name in other capitals.
  Register(*Form, "Newbie");
  EXPECT_TRUE(Code(*Form).isEmpty()) << Code(*Form).toStdString();
  Register(*desk, "nEWBIE");
  EXPECT_EQ(Code(*desk), "521");
  EXPECT_EQ(AccountsNamed("newbie"), 1);
  // The account registered on one logs in on the other.
  TLoginPage& login = desk->LoginPage();
  QTest::mouseClick(desk->RegisterPage().btnRegBack, Qt::LeftButton);
  login.edtLLogin->SetText("NEWBIE");
  login.edtLPassword->SetText("Abc12345");
  QTest::keyClick(login.edtLPassword, Qt::Key_Return);
  EXPECT_EQ(desk->pctMain->ActivePage(), desk->tbsProfile);

  // An animal stored through one window's cursor is found by the other's next search.
  TTableCursor& cursor = Form->ADOUsers;
  Form->OpenTable(cursor, "Animals");
  cursor.Append();
  cursor.SetField("AnimalName", "Biscuit");
  cursor.SetField("Type", "Rabbit");
  cursor.Post();
  desk->ShowTabs("User");
  desk->pctMain->SetActivePage(desk->tbsAdopt);
  desk->BrowsePage().cbxBrowseField->SetItemIndex(1); // AnimalName
  desk->BrowsePage().edtBrowseSearch->SetText("biscuit");
  QTest::mouseClick(desk->BrowsePage().btnBrowseSearch, Qt::LeftButton);
  EXPECT_EQ(desk->BrowsePage().lbxBrowseResults->Items(), QStringList({"Biscuit"}));
  desk.reset();
}

TEST_F(SharedStoreTest, AnUnreachableServerIsAMissingDatabaseShownWithoutItsPassword) {
  MakeFolder("cfg");
  TProfileFile ini(Path("cfg/config.ini"));
  WriteConfigDefaults(ini, TConfigCreation());
  // Nothing listens there.
  const QString section = "[Database]\n; the shelter's shared server\nServer = "
                          "postgresql://clerk:s3cret@/vorns?host=" +
                          Path("no-server") + "&port=5999\n";
  {
    QFile file(ini.FileName());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(section.toUtf8());
  }
  StartForm();
  EXPECT_FALSE(Form->DatabaseFound);
  EXPECT_EQ(BannerCode(), "493");
  EXPECT_EQ(Form->shpDatabase->BrushColor(), QColor(212, 178, 178));
  const QString shown = "postgresql://clerk@/vorns?host=" + Path("no-server") + "&port=5999";
  EXPECT_EQ(Form->ConfigPage().edtConfigDB->Text(), shown);
  EXPECT_FALSE(ConsoleLines().join('\n').contains("s3cret"));
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
  // Configuration and Console still work.
  EXPECT_EQ(VisibleTabs(), QStringList({"tbsLogIn", "tbsConfig", "tbsConsole"}));
  Click(Form->ConfigPage().btnConfigApply);
  CloseForm();
  // The settings written at shutdown leave the section as the user wrote it.
  QFile file(ini.FileName());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  // Line ends follow the file's own.
  const QString text = QString::fromUtf8(file.readAll()).remove('\r');
  EXPECT_TRUE(text.contains(section)) << text.toStdString();
}

} // namespace
