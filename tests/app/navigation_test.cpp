// Screen navigation: the tab groups, code 154, and the rules that run only when the user
// selects a tab (the Browse tab reopens Animals, the Admin lists follow the open table, the
// animal page's tab goes when the user leaves it).
#include "app_fixture.h"

#include "app/admin_page.h"
#include "app/error_banner.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"

namespace {

class NavigationTest : public TAppTest {
protected:
  void Start() {
    MakeDatabase({}, {Animal("Rex", "Dog"), Animal("Ann", "Rabbit")});
    StartForm();
  }

  // A click on the tab of `page`, as the user selects it.
  void ClickTab(TspSkinTabSheet* page) {
    TspSkinPageControl* pages = Form->pctMain;
    const QRect tab = pages->TabRect(page->TabIndex());
    ASSERT_FALSE(tab.isEmpty()) << page->objectName().toStdString();
    QTest::mouseClick(pages, Qt::LeftButton, {}, tab.center());
    ASSERT_EQ(pages->ActivePage(), page);
  }
};

TEST_F(NavigationTest, EachGroupShowsExactlyItsTabsAndItsFirstPage) {
  Start();
  struct Case {
    const char* Group;
    QStringList Tabs;
    const char* Current;
  };
  const Case cases[] = {
      {"Login", {"tbsLogIn", "tbsConfig", "tbsConsole"}, "tbsLogIn"},
      {"Register", {"tbsRegister", "tbsConfig", "tbsConsole"}, "tbsRegister"},
      {"User", {"tbsProfile", "tbsAdopt", "tbsConfig", "tbsConsole"}, "tbsProfile"},
      {"Employee",
       {"tbsProfile", "tbsEmployee", "tbsAdopt", "tbsConfig", "tbsConsole"},
       "tbsProfile"},
      {"Admin",
       {"tbsProfile", "tbsEmployee", "tbsAdopt", "tbsAdmin", "tbsConfig", "tbsConsole"},
       "tbsProfile"},
      // Exact comparison: any other text is code 154 and leaves Configuration current.
      {"admin", {"tbsConfig", "tbsConsole"}, "tbsConfig"},
      {"", {"tbsConfig", "tbsConsole"}, "tbsConfig"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Group);
    const int linesBefore = ConsoleLines().size();
    Form->ShowTabs(QString::fromLatin1(c.Group));
    EXPECT_EQ(VisibleTabs(), c.Tabs);
    EXPECT_EQ(Form->pctMain->ActivePage()->objectName(), c.Current);
    const QStringList added = ConsoleLines().mid(linesBefore);
    if (c.Tabs.size() == 2)
      EXPECT_EQ(added, QStringList("ERROR(154):Incorrect Parameter:String for showing tabs not "
                                   "in group."));
    else
      EXPECT_TRUE(added.isEmpty());
  }
}

TEST_F(NavigationTest, SelectingTabsRunsTheChangeRules) {
  Start();
  Form->ShowTabs("Admin");
  TAdminPage& admin = Form->AdminPage();
  // Code that changes pages runs no rule: the sort-field list is still empty.
  EXPECT_TRUE(admin.cbxAdminDBField->Items().isEmpty());

  ClickTab(Form->tbsAdmin);
  // The cursor is on Animals since start-up: its fields, and the chooser on "Animals".
  EXPECT_EQ(admin.cbxAdminDBField->Items(), AnimalsFieldNames());
  EXPECT_EQ(admin.cbxAdminDBField->Text(), "ID");
  EXPECT_EQ(admin.cbxAdminDB->ItemIndex(), 1);

  // Another table and a sort: the Browse tab reopens Animals in its natural order.
  Form->OpenTable(Form->ADOUsers, "Users");
  ClickTab(Form->tbsConfig);
  EXPECT_EQ(admin.cbxAdminDBField->Items(), UsersFieldNames());
  Form->OpenTable(Form->ADOUsers, "Animals");
  Form->ADOUsers.SetSort("AnimalName ASC");
  Form->ADOUsers.Last();
  ClickTab(Form->tbsAdopt);
  EXPECT_EQ(Form->ADOUsers.TableName(), "Animals");
  EXPECT_TRUE(Form->ADOUsers.Sort().isEmpty());
  EXPECT_EQ(Form->ADOUsers.RecNo(), 1);
  EXPECT_EQ(Form->ADOUsers.FieldByName("AnimalName").toString(), "Rex");

  // With Users open, the Admin tab selects "Users" in the chooser.
  Form->OpenTable(Form->ADOUsers, "Users");
  ClickTab(Form->tbsAdmin);
  EXPECT_EQ(admin.cbxAdminDB->ItemIndex(), 0);

  // A cursor that a failed open left closed: selecting Browse opens Animals again.
  ClickTab(Form->tbsConfig);
  Form->ADOUsers.Close();
  ClickTab(Form->tbsAdopt);
  EXPECT_TRUE(Form->ADOUsers.Active());
  EXPECT_EQ(Form->ADOUsers.TableName(), "Animals");
  EXPECT_EQ(admin.cbxAdminDBField->Items(), AnimalsFieldNames());
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

TEST_F(NavigationTest, TheAnimalTabGoesOnlyWhenTheUserLeavesTheAnimalPage) {
  Start();
  Form->ShowTabs("User");
  Form->tbsAnimal->SetCaption("Rex");
  Form->tbsAnimal->SetTabVisible(true);
  Form->pctMain->SetActivePage(Form->tbsAnimal);
  // A button's page change (by code) keeps the tab.
  Form->pctMain->SetActivePage(Form->tbsAdopt);
  EXPECT_TRUE(Form->tbsAnimal->TabVisible());
  // Selecting the animal's tab again shows the same page; selecting another hides the tab.
  ClickTab(Form->tbsAnimal);
  EXPECT_TRUE(Form->tbsAnimal->TabVisible());
  ClickTab(Form->tbsProfile);
  EXPECT_FALSE(Form->tbsAnimal->TabVisible());
}

TEST_F(NavigationTest, WithoutADatabaseTheRemainingTabsStillChangePages) {
  StartForm();
  ClickTab(Form->tbsConsole);
  ClickTab(Form->tbsConfig);
  ClickTab(Form->tbsLogIn);
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
  EXPECT_TRUE(Form->AdminPage().cbxAdminDBField->Items().isEmpty());
}

} // namespace
