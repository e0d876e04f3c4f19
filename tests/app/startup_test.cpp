// Start-up and shutdown of the main window in a working directory: the console lines in
// order, the settings and folders it makes, the database indicator, the featured animal,
// the page and focus it ends on, and what happens without a database or without animals.
#include "app_fixture.h"

#include "skin/frame/vestimar.h"

#include "app/browse_page.h"
#include "app/error_banner.h"
#include "app/image_control.h"
#include "app/ini_config.h"
#include "app/login_page.h"
#include "app/profile_page.h"
#include "app/shape.h"
#include "skin/controls/button.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/status_bar.h"
#include "skin/controls/status_panel.h"

#include <QFileInfo>

namespace {

bool HasFocus(const QWidget* w) {
  const QWidget* focus = QApplication::focusWidget();
  return focus && (focus == w || w->isAncestorOf(focus));
}

class StartupTest : public TAppTest {
protected:
  void ExpectLogInPageWithFocusIn(const char* focused) {
    EXPECT_EQ(VisibleTabs(), QStringList({"tbsLogIn", "tbsConfig", "tbsConsole"}));
    EXPECT_EQ(Form->pctMain->ActivePage(), Form->tbsLogIn);
    EXPECT_TRUE(HasFocus(Find<QWidget>(focused))) << focused;
    EXPECT_EQ(Form->ErrorAnimationMs, 200);
  }
};

TEST_F(StartupTest, TheWindowHoldsItsPartsWhereTheLayoutPutsThem) {
  StartForm();
  EXPECT_EQ(Form->windowTitle(), "Application");
  // The layout's client area inside the skinned frame.
  EXPECT_EQ(Form->Client()->size(), QSize(970, 671));
  EXPECT_EQ(Form->size(), Form->frmSkin->FormSizeForClient(QSize(970, 671)));
  const struct {
    const char* Name;
    QRect Bounds;
  } parts[] = {
      {"pnlMainHeader", {8, 8, 957, 49}},
      {"pctMain", {8, 64, 957, 582}},
      {"shpDatabase", {4, 5, 10, 10}},
      {"pnlErrorMain", {-1, 0, 972, 57}},
  };
  for (const auto& part : parts)
    EXPECT_EQ(Find<QWidget>(part.Name)->geometry(), part.Bounds) << part.Name;
  // The status bar lies along the bottom; its height is the skin's (21 without one).
  EXPECT_EQ(Form->stBar->geometry().bottomRight(), QPoint(969, 670));
  EXPECT_EQ(Form->stBar->x(), 0);
  EXPECT_EQ(Form->stPnl->Caption(), "Quennel");
  QStringList sheets, captions;
  for (int i = 0; i < Form->pctMain->PageCount(); ++i) {
    sheets << Form->pctMain->Pages(i)->objectName();
    captions << Form->pctMain->Pages(i)->Caption();
  }
  EXPECT_EQ(sheets, QStringList({"tbsLogIn", "tbsRegister", "tbsProfile", "tbsEdit", "tbsEmployee",
                                 "tbsAdopt", "tbsAdmin", "tbsConfig", "tbsConsole", "tbsAnimal"}));
  EXPECT_EQ(captions, QStringList({"Log In", "Register", "Profile", "Edit", "Employee", "Browse",
                                   "Admin", "Configuration", "Console", ""}));
  // The header and the pages stretch, the status bar's version panel keeps to the right.
  Form->resize(Form->frmSkin->FormSizeForClient(QSize(1100, 700)));
  EXPECT_EQ(Form->pnlMainHeader->geometry(), QRect(8, 8, 1087, 49));
  EXPECT_EQ(Form->pctMain->geometry(), QRect(8, 64, 1087, 611));
  EXPECT_EQ(Form->stBar->geometry().bottomRight(), QPoint(1099, 699));
  EXPECT_EQ(Form->stsPnlV->geometry().right(), 1100 - 5);
}

TEST_F(StartupTest, FirstStartInAnEmptyDirectory) {
  StartForm();
  const QStringList lines = ConsoleLines();
  ASSERT_EQ(lines.size(), 8) << lines.join('\n').toStdString();
  EXPECT_EQ(lines[0], "Program Started Successfully");
  EXPECT_EQ(lines[1], "Save The Vorns v0.1.0");
  EXPECT_TRUE(lines[2].startsWith("Ran At: ") && lines[2].size() > 12) << lines[2].toStdString();
  EXPECT_EQ(lines[3], "Created Configuration Directory Successfully!");
  EXPECT_EQ(lines[4], "Creating Ini File at " + QDir::toNativeSeparators(Path("cfg/config.ini")));
  EXPECT_EQ(lines[5], "Set Config Variables");
  EXPECT_EQ(lines[6], "ERROR(493):Database Not Found:The Database was not found");
  EXPECT_EQ(lines[7], "Connection Status: Connected");

  EXPECT_TRUE(QFileInfo(Path("cfg")).isDir());
  EXPECT_TRUE(QFileInfo(Path("cfg/config.ini")).isFile());
  EXPECT_FALSE(QFileInfo::exists(Path("img/usr"))) << "one level only: img is missing";
  EXPECT_FALSE(Form->DatabaseFound);
  EXPECT_EQ(Form->shpDatabase->BrushColor(), QColor(212, 178, 178));
  EXPECT_EQ(Form->shpDatabase->Hint(), "Not Connected To Database");
  EXPECT_EQ(Form->stsPnlV->Caption(), "Save The Vorns v0.1.0");
  EXPECT_TRUE(Form->LoginPage().btnLogInDocs->isVisible());
  // The banner of code 493 came in during start-up, without a slide.
  EXPECT_TRUE(Form->ErrorBanner().Shown());
  EXPECT_FALSE(Form->ErrorBanner().Sliding());
  EXPECT_EQ(Form->ErrorBanner().pnlErrorMain->y(), 0);
  EXPECT_EQ(Form->ErrorBanner().lblErrorCode->Caption(), "493");
  EXPECT_FALSE(Form->ProfilePage().pnlProfileFeatured->isVisibleTo(Form->tbsProfile));
  ExpectLogInPageWithFocusIn("edtLLogin");
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

TEST_F(StartupTest, StartWithTheDatabase) {
  MakeDatabase({}, {Animal("Rex", "Dog"), Animal("Rex", "Dog"), Animal("Rex", "Dog")});
  MakeFolder("img");
  MakePicture("img/Dog.jpg");
  StartForm();
  const QStringList lines = ConsoleLines();
  ASSERT_GE(lines.size(), 6);
  EXPECT_EQ(lines.mid(lines.size() - 2), QStringList({"Found Database at " + DatabaseLocation(),
                                                      "Connection Status: Connected"}));
  EXPECT_TRUE(QFileInfo(Path("img/usr")).isDir());
  EXPECT_TRUE(Form->DatabaseFound);
  EXPECT_EQ(Form->shpDatabase->BrushColor(), QColor(178, 212, 178));
  // A shared server is named: which one the workstation reached matters.
  EXPECT_EQ(Form->shpDatabase->Hint(), OnServer() ? "Connected To Database at " + DatabaseLocation()
                                                  : QString("Connected To Database"));
  // The cursor ends on Animals, whose fields fill the Browse selector.
  EXPECT_EQ(Form->ADOUsers.TableName(), "Animals");
  const TspSkinComboBox* field = Form->BrowsePage().cbxBrowseField;
  EXPECT_EQ(field->Items(), AnimalsFieldNames());
  EXPECT_EQ(field->ItemIndex(), 0);
  EXPECT_EQ(field->Text(), "ID");
  // Every row is Rex the dog, whichever the draw.
  const TProfilePage& profile = Form->ProfilePage();
  EXPECT_EQ(profile.lblProfileFeatureName->Caption(), "Rex");
  EXPECT_EQ(profile.lblAdoptType->Caption(), "Dog");
  EXPECT_TRUE(profile.imgProfileFeature->isVisibleTo(profile.pnlProfileFeatured));
  EXPECT_EQ(profile.imgProfileFeature->Picture().size(), QSize(40, 30));
  ExpectLogInPageWithFocusIn("edtLLogin");
  EXPECT_TRUE(Reports.isEmpty()) << Reports.join('\n').toStdString();
}

TEST_F(StartupTest, FeaturedAnimalIsDrawnFromEveryRow) {
  // Without a picture of its kind the featured animal shows no picture.
  MakeDatabase({}, {Animal("Ann", "Rabbit"), Animal("Bo", "Cat"), Animal("Cy", "Snake")});
  QSet<QString> seen;
  for (int run = 0; run < 40 && seen.size() < 3; ++run) {
    StartForm();
    seen.insert(Form->ProfilePage().lblProfileFeatureName->Caption());
    EXPECT_FALSE(
        Form->ProfilePage().imgProfileFeature->isVisibleTo(Form->ProfilePage().pnlProfileFeatured));
    Form.reset();
    QTest::qWait(2); // the next seed
  }
  EXPECT_EQ(seen, QSet<QString>({"Ann", "Bo", "Cy"}));
}

TEST_F(StartupTest, NoAnimalsOrNoUsableRowStillEndsOnTheLogInPage) {
  struct Case {
    const char* Name;
    std::vector<TAnimalRow> Animals;
    // The Browse page's start-up search cannot list a nameless animal: that is reported.
    int Reports;
  };
  const Case cases[] = {
      {"no rows", {}, 0},
      {"null type", {{"Tom", QVariant(), "Grey", "Mixed", "Male", QVariant(), false, "K2"}}, 0},
      {"null name", {{QVariant(), "Cat", "Grey", "Mixed", "Male", QVariant(), false, "K2"}}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    RemoveDatabase();
    MakeDatabase({}, c.Animals);
    StartForm();
    EXPECT_TRUE(Form->DatabaseFound);
    EXPECT_FALSE(Form->ProfilePage().pnlProfileFeatured->isVisibleTo(Form->tbsProfile));
    ExpectLogInPageWithFocusIn("edtLLogin");
    EXPECT_EQ(Reports.size(), c.Reports) << Reports.join('\n').toStdString();
    Reports.clear();
    Form.reset();
  }
}

TEST_F(StartupTest, ADamagedPictureOfTheFeaturedKindIsReportedAndStartUpGoesOn) {
  MakeDatabase({}, {Animal("Rex", "Dog")});
  MakeFolder("img");
  QFile picture(Path("img/Dog.jpg"));
  ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
  picture.write("not a picture");
  picture.close();
  StartForm();
  EXPECT_EQ(Reports.size(), 1);
  const TProfilePage& profile = Form->ProfilePage();
  EXPECT_EQ(profile.lblProfileFeatureName->Caption(), "Rex");
  EXPECT_FALSE(profile.imgProfileFeature->isVisibleTo(profile.pnlProfileFeatured));
  ExpectLogInPageWithFocusIn("edtLLogin");
}

TEST_F(StartupTest, OfflineStartShowsCode444AndLogsTheConnectionAsNotConnected) {
  MakeDatabase({}, {Animal("Rex", "Dog")});
  Connected = false;
  StartForm();
  const QStringList lines = ConsoleLines();
  const int error = lines.indexOf(
      "ERROR(444):No Response From Server:No response from server or internet not connected");
  ASSERT_GE(error, 3);
  EXPECT_GT(lines.indexOf("Connection Status: Not Connected"), error);
  EXPECT_FALSE(lines.contains("Connection Status: Connected"));
  EXPECT_EQ(Form->ErrorBanner().lblErrorCode->Caption(), "444");
  EXPECT_EQ(Form->ErrorBanner().pnlErrorMain->y(), 0);
  EXPECT_EQ(Form->shpDatabase->BrushColor(), QColor(178, 212, 178));
}

TEST_F(StartupTest, AnUnreadableDatabaseEndsStartUpWithTheReport) {
  MakeFolder("cfg");
  QFile file(Path("cfg/Data.mdb"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4096, 'x'));
  file.close();
  StartForm();
  ASSERT_EQ(Reports.size(), 1);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_TRUE(Form->DatabaseFound);
  // The sequence ended at the database: the indicator stays white, and no page beyond
  // Configuration and Console can be reached without a login.
  EXPECT_EQ(Form->shpDatabase->BrushColor(), QColor(Qt::white));
  EXPECT_EQ(VisibleTabs(), QStringList({"tbsConfig", "tbsConsole"}));
  EXPECT_EQ(ConsoleLines().last(),
            "Found Database at " + QDir::toNativeSeparators(Path("cfg/Data.mdb")));
}

TEST_F(StartupTest, ClosingWithLogErrorsOnExportsTheConsole) {
  StartForm();
  MakeFolder("log");
  // The switch as the Configuration page's Apply sets it.
  Form->Config->SetUserSettings(Form->Config->SkinColor(), Form->Config->DatabasePath(),
                                Form->Config->ConfigPath(), Form->Config->ErrorDur(),
                                Form->Config->RememberUser(), Form->Config->ValidateDB(), true,
                                Form->Config->CheckUpdate());
  CloseForm();
  const QStringList logs = QDir(Path("log")).entryList(QDir::Files);
  ASSERT_EQ(logs.size(), 1);
  QFile log(Path("log/" + logs[0]));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QByteArray text = log.readAll();
  EXPECT_TRUE(text.startsWith("Program Started Successfully\r\nSave The Vorns v0.1.0\r\n"));
  EXPECT_TRUE(text.endsWith("\r\nSet Config Variables\r\n"));
}

} // namespace
