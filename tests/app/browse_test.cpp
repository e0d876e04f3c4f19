// The Browse page: the start-up search, the four tests of the search with their whole-value
// comparison that folds only A to Z, "No Results Found", Enter and a field change searching,
// a null field ending the search, the selected animal's details, picture and "Adopt", code
// 413 and the cursor states the search and the selection start from.
#include "browse_fixture.h"

#include "app/error_banner.h"
#include "app/login_page.h"
#include "app/profile_page.h"
#include "skin/controls/label.h"

namespace {

class BrowseTest : public TBrowseFixture {};

TEST_F(BrowseTest, StartUpListsEveryAnimalOrNoResults) {
  MakeDatabase({}, {Animal("Rex", "Dog"), Animal("Ann", "Rabbit"), Animal("Rex", "Dog")});
  StartOnBrowse();
  // Equal names once per row, in the table's order.
  EXPECT_EQ(Names(), QStringList({"Rex", "Ann", "Rex"}));
  EXPECT_FALSE(NoResultsShown());
  EXPECT_FALSE(Browse().btnBrowseAdopt->isVisibleTo(Browse().pnlBrowseResults));
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
  Form.reset();

  RemoveDatabase();
  MakeDatabase({}, {});
  StartOnBrowse();
  EXPECT_TRUE(Names().isEmpty());
  EXPECT_TRUE(NoResultsShown());
  Form.reset();

  // Without a database the search only shows that nothing was found.
  RemoveDatabase();
  StartOnBrowse();
  ClickSearch();
  EXPECT_TRUE(NoResultsShown());
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

TEST_F(BrowseTest, TheFourTestsMatchWholeValuesFoldingOnlyAToZ) {
  MakeDatabase({}, {Animal("Rex", "Dog"), Animal("REX", "dog", false), Animal("rex", "Cat"),
                    Animal("Rexy", "Dog"), Animal("Ann", "Rabbit", false),
                    Animal("\xc3\x89lan", "DOG")});
  StartOnBrowse();
  const struct {
    const char* Field;
    QString Text;
    const char* Kind;
    QStringList Names;
  } cases[] = {
      {"AnimalName", "rex", "All", {"Rex", "REX", "rex"}},
      {"AnimalName", "rEX", "Dog", {"Rex", "REX"}},
      {"AnimalName", "", "Dog", {"Rex", "REX", "Rexy", "\xc3\x89lan"}},
      {"AnimalName", "", "All", {"Rex", "REX", "rex", "Rexy", "Ann", "\xc3\x89lan"}},
      // A part of a value matches nothing.
      {"AnimalName", "re", "All", {}},
      {"Type", "DOG", "All", {"Rex", "REX", "Rexy", "\xc3\x89lan"}},
      // Only A to Z fold: a small "é" is another letter than the stored capital.
      {"AnimalName", "\xc3\xa9lan", "All", {}},
      {"AnimalName", "\xc3\x89LAN", "Dog", {"\xc3\x89lan"}},
      // Numbers in decimal, yes/no as the platform's words.
      {"ID", "4", "All", {"Rexy"}},
      {"Adopt", "true", "All", {"Rex", "rex", "Rexy", "\xc3\x89lan"}},
      {"Adopt", "FALSE", "Rabbit", {"Ann"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1 '%2' %3").arg(c.Field, c.Text, c.Kind).toStdString());
    Search(c.Field, c.Text, c.Kind);
    EXPECT_EQ(Names(), c.Names);
    EXPECT_EQ(NoResultsShown(), c.Names.isEmpty());
  }
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

TEST_F(BrowseTest, EnterInTheTextAndAFieldChangeSearchAKindChangeDoesNot) {
  MakeDatabase({}, {Animal("Rex", "Dog"), Animal("Ann", "Rabbit")});
  StartOnBrowse();
  ASSERT_EQ(Browse().cbxBrowseField->Text(), "ID");
  TypeSearchText("ann");
  QTest::keyClick(Browse().edtBrowseSearch->Editor(), Qt::Key_Return);
  EXPECT_TRUE(Names().isEmpty()); // no ID is "ann"
  EXPECT_TRUE(NoResultsShown());

  // The next field, picked with the keyboard, searches with the text as it is.
  Browse().cbxBrowseField->setFocus();
  QTest::keyClick(Browse().cbxBrowseField, Qt::Key_Down);
  ASSERT_EQ(Browse().cbxBrowseField->Text(), "AnimalName");
  EXPECT_EQ(Names(), QStringList({"Ann"}));
  EXPECT_FALSE(NoResultsShown());

  Browse().cbxBrowseSearch->setFocus();
  QTest::keyClick(Browse().cbxBrowseSearch, Qt::Key_Down);
  ASSERT_EQ(Browse().cbxBrowseSearch->Text(), "Cat");
  EXPECT_EQ(Names(), QStringList({"Ann"}));
  // Other keys than Enter do not search.
  QTest::keyClick(Browse().edtBrowseSearch->Editor(), Qt::Key_Tab);
  EXPECT_EQ(Names(), QStringList({"Ann"}));
  QTest::keyClick(Browse().edtBrowseSearch->Editor(), Qt::Key_Enter);
  EXPECT_TRUE(Names().isEmpty());
}

TEST_F(BrowseTest, ANullFieldEndsTheSearchAfterTheNamesFoundSoFar) {
  MakeDatabase({}, {Animal("Rex", "Dog"),
                    {QVariant(), "Cat", "Grey", "Mixed", "Male", {}, true, "K2"},
                    Animal("Ann", "Dog")});
  // Start-up's search ends at the nameless cat and is reported, yet start-up goes on to the
  // Log In page.
  StartForm();
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsLogIn);
  EXPECT_EQ(VisibleTabs(), QStringList({"tbsLogIn", "tbsConfig", "tbsConsole"}));
  GoToBrowse();
  ASSERT_EQ(Reports.size(), 1);
  EXPECT_EQ(Reports[0], "Could not convert variant of type (Null) into type (String)");
  EXPECT_EQ(Names(), QStringList({"Rex"}));

  Reports.clear();
  // The nameless cat is no dog: its name is not read.
  Search("Type", "dog", "All");
  EXPECT_EQ(Names(), QStringList({"Rex", "Ann"}));
  EXPECT_TRUE(Reports.isEmpty());
  // Nothing writes CheckOut: the first row ends the search, the label is left as it was.
  Search("CheckOut", "", "Dog");
  ASSERT_EQ(Names(), QStringList({"Rex", "Ann"}));
  TypeSearchText("x");
  ClickSearch();
  EXPECT_TRUE(Names().isEmpty());
  EXPECT_FALSE(NoResultsShown());
  EXPECT_EQ(Reports.size(), 1);
}

TEST_F(BrowseTest, SelectingANameShowsTheFirstSuchAnimal) {
  MakeDatabase({}, {Animal("Rex", "Dog"),
                    Animal("Tom", "Cat", false),
                    {"rex", "Dog", "Black", "Terrier", "Male", {}, false, "K9"},
                    {"Bo", "Dog", QVariant(), "Mixed", "Male", {}, true, "K3"}});
  MakeFolder("img");
  MakePicture("img/Dog.jpg");
  StartOnBrowse();
  ASSERT_EQ(Names(), QStringList({"Rex", "Tom", "rex", "Bo"}));
  const QStringList rex{"ID: \t1",         "Name: \tRex",    "Type: \tDog",
                        "Colour: \tBrown", "Breed: \tMixed", "Sex: \tFemale"};

  ClickResult(0);
  EXPECT_EQ(Browse().lblBrowseResults->Lines(), rex);
  EXPECT_TRUE(Browse().imgBrowseResults->isVisibleTo(Browse().pnlBrowseResults));
  EXPECT_EQ(Browse().imgBrowseResults->Picture().size(), QSize(40, 30));
  EXPECT_TRUE(Browse().btnBrowseAdopt->isVisibleTo(Browse().pnlBrowseResults));

  // Not up for adoption, and no picture of its kind: code 492, no picture, no "Adopt".
  ClickResult(1);
  EXPECT_EQ(Browse().lblBrowseResults->Lines().value(1), "Name: \tTom");
  EXPECT_EQ(Form->ErrorBanner().lblErrorCode->Caption(), "492");
  EXPECT_FALSE(Browse().imgBrowseResults->isVisibleTo(Browse().pnlBrowseResults));
  EXPECT_FALSE(Browse().btnBrowseAdopt->isVisibleTo(Browse().pnlBrowseResults));

  // A name twice: either shows the first of them.
  ClickResult(2);
  EXPECT_EQ(Browse().lblBrowseResults->Lines(), rex);

  // A null colour ends the details after the lines before it.
  ClickResult(3);
  EXPECT_EQ(Browse().lblBrowseResults->Lines(),
            QStringList({"ID: \t4", "Name: \tBo", "Type: \tDog"}));
  EXPECT_EQ(Reports.size(), 1);
  EXPECT_TRUE(Reports.value(0).contains("(Null)"));
}

TEST_F(BrowseTest, ADeletedNameIsCode413AndAClickBesideTheItemsDoesNothing) {
  MakeDatabase({}, {Animal("Rex", "Dog"), Animal("Tom", "Cat")});
  StartOnBrowse();
  ClickResult(0);
  const QStringList shown = Browse().lblBrowseResults->Lines();
  const int lines = ConsoleLines().size();

  // Below the last item there is none to show.
  TspListBox* list = Browse().lbxBrowseResults->ListBox();
  QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(20, list->height() - 5));
  EXPECT_EQ(Browse().lblBrowseResults->Lines(), shown);
  EXPECT_EQ(ConsoleLines().size(), lines);

  DeleteAnimal("Tom");
  ClickResult(1);
  EXPECT_EQ(Form->ErrorBanner().lblErrorCode->Caption(), "413");
  EXPECT_EQ(ConsoleLines().mid(lines),
            QStringList("ERROR(413):Record Not Found:Record not found in the database."));
  EXPECT_EQ(Browse().lblBrowseResults->Lines(), shown);
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

TEST_F(BrowseTest, SearchAndSelectionWorkFromAClosedCursorOrAnotherTable) {
  MakeDatabase({{"milo", "x", "Milo", "m@v.org", "0", "1 St", "Default", false, false}},
               {Animal("Rex", "Dog"), Animal("Ann", "Rabbit")});
  StartOnBrowse();
  Form->ADOUsers.Close();
  ClickSearch();
  EXPECT_EQ(Names(), QStringList({"Rex", "Ann"}));
  EXPECT_EQ(Form->ADOUsers.TableName(), "Animals");

  Form->OpenTable(Form->ADOUsers, "Users");
  ClickResult(1);
  EXPECT_EQ(Browse().lblBrowseResults->Lines().value(1), "Name: \tAnn");
  Form->ADOUsers.Close();
  ClickResult(0);
  EXPECT_EQ(Browse().lblBrowseResults->Lines().value(1), "Name: \tRex");
  // A row being edited is posted by the search, not dropped.
  Form->ADOUsers.Edit();
  Form->ADOUsers.SetField("Colour", "Golden");
  ClickSearch();
  ClickResult(0);
  EXPECT_EQ(Browse().lblBrowseResults->Lines().value(3), "Colour: \tGolden");
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

} // namespace

namespace {

TEST_F(BrowseTest, ViewOnTheProfileSearchesTheFeaturedNameWithTheKindLastChosen) {
  MakeDatabase({}, {Animal("Rex", "Dog"), Animal("Ann", "Rabbit"), Animal("REX", "Cat")});
  StartOnBrowse();
  TProfilePage& profile = Form->ProfilePage();
  const auto view = [&] {
    Form->pctMain->SetActivePage(Form->tbsProfile);
    profile.lblProfileFeatureName->SetCaption(QStringLiteral("Rex"));
    QTest::mouseClick(profile.btnProfileAdoptFeatured, Qt::LeftButton);
  };
  view();
  EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsAdopt);
  EXPECT_EQ(Browse().cbxBrowseField->Text(), "AnimalName");
  EXPECT_EQ(Browse().edtBrowseSearch->Text(), "Rex");
  EXPECT_EQ(Names(), QStringList({"Rex", "REX"}));
  // Another kind chosen on the Browse page stays chosen: only the dog of that name.
  TspSkinComboBox* kinds = Browse().cbxBrowseSearch;
  kinds->SetItemIndex(int(kinds->Items().indexOf("Dog")));
  view();
  EXPECT_EQ(Names(), QStringList({"Rex"}));
  EXPECT_EQ(kinds->Text(), "Dog");
}

} // namespace
