// The settings: the record against the file (creation, reading defaults, saving order) and
// the Configuration page in the running window (start-up lines, the skin choice, Apply,
// the skin switch, saving at shutdown).
#include "app_fixture.h"

#include "file_size_limit.h"
#include "skin/frame/vestimar.h"

#include "app/config_page.h"
#include "app/ini_config.h"
#include "app/login_page.h"
#include "platform/platform_error.h"
#include "platform/profile_file.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/list_box.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/password_edit.h"
#include "skin/controls/scroll_box.h"
#include "skin/controls/spin_edit.h"
#include "skin/data/skin_data.h"

#include <QFileInfo>
#include <QScreen>

namespace {
QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(data);
}

// A settings file from its lines, CR LF ended.
QByteArray IniText(const QStringList& lines) {
  QByteArray data;
  for (const QString& line : lines) data += line.toUtf8() + "\r\n";
  return data;
}

class ConfigFileTest : public TAppTest {
protected:
  QString IniPath() const { return Path(QStringLiteral("config.ini")); }
};

class ConfigPageTest : public TAppTest {
protected:
  QString IniPath() const { return Path(QStringLiteral("cfg/config.ini")); }

  // A settings file in cfg/ before start-up.
  void MakeIni(const QStringList& lines) {
    MakeFolder(QStringLiteral("cfg"));
    WriteAll(IniPath(), IniText(lines));
  }

  TConfigPage& Page() const { return Form->ConfigPage(); }

  void ShowConfigPage() {
    Form->pctMain->SetActivePage(Form->tbsConfig);
    QApplication::processEvents();
  }

  void ClickItem(TspSkinListBox* list, int index) {
    TspListBox* inner = list->ListBox();
    QTest::mouseClick(inner, Qt::LeftButton, {}, inner->ItemRect(index).center());
  }
};
} // namespace

TEST_F(ConfigFileTest, CreationWritesEveryKeyInOrderAsOneFile) {
  TProfileFile ini(IniPath());
  TConfigCreation creation{
      12, -3, 970, 671, QStringLiteral("/w/cfg/Data.mdb"), QStringLiteral("/w/cfg/config.ini")};
  WriteConfigDefaults(ini, creation);
  EXPECT_EQ(ReadAll(IniPath()), IniText({"[Details]",
                                         "AppVersion=0.1.0",
                                         "AppCreator=Quennel",
                                         "",
                                         "[Dimensions]",
                                         "isRemember=1",
                                         "left=12",
                                         "top=-3",
                                         "width=970",
                                         "height=671",
                                         "",
                                         "[User]",
                                         "SkinColor=Blue",
                                         "DatabasePath=/w/cfg/Data.mdb",
                                         "ConfigPath=/w/cfg/config.ini",
                                         "ErrorDur=200",
                                         "isRemember=0",
                                         "userName=",
                                         "valDB=0",
                                         "logErrors=0",
                                         "checkUpdate=0"}));

  const auto config = ReadConfig(ini);
  EXPECT_EQ(config->AppVersion(), "0.1.0");
  EXPECT_EQ(config->AppCreator(), "Quennel");
  EXPECT_TRUE(config->RememberDimensions());
  EXPECT_EQ(config->FormLeft(), 12);
  EXPECT_EQ(config->FormTop(), -3);
  EXPECT_EQ(config->FormWidth(), 970);
  EXPECT_EQ(config->FormHeight(), 671);
  EXPECT_EQ(config->SkinColor(), "Blue");
  EXPECT_EQ(config->DatabasePath(), "/w/cfg/Data.mdb");
  EXPECT_EQ(config->ConfigPath(), "/w/cfg/config.ini");
  EXPECT_EQ(config->ErrorDur(), 200);
  EXPECT_FALSE(config->RememberUser());
  EXPECT_EQ(config->UserName(), "");
  EXPECT_FALSE(config->ValidateDB());
  EXPECT_FALSE(config->LogErrors());
  EXPECT_FALSE(config->CheckUpdate());
}

TEST_F(ConfigFileTest, AbsentKeysReadTheirDefaultsAndNamesAreCaseBlind) {
  // An old, hand-edited file: names in other cases, most keys missing.
  WriteAll(IniPath(), IniText({"[details]", "APPVERSION=0.0.9", "[USER]", "skincolor=Orange",
                               "USERNAME=Milo", "errordur=75", "ISREMEMBER=0"}));
  const auto config = ReadConfig(TProfileFile(IniPath()));
  EXPECT_EQ(config->AppVersion(), "0.0.9");
  EXPECT_EQ(config->AppCreator(), "");
  EXPECT_TRUE(config->RememberDimensions());
  EXPECT_EQ(config->FormLeft(), 0);
  EXPECT_EQ(config->FormWidth(), 0);
  EXPECT_EQ(config->SkinColor(), "Orange");
  EXPECT_EQ(config->DatabasePath(), "");
  EXPECT_EQ(config->UserName(), "Milo");
  EXPECT_EQ(config->ErrorDur(), 75);
  EXPECT_FALSE(config->RememberUser());
  EXPECT_TRUE(config->ValidateDB());
  EXPECT_TRUE(config->LogErrors());
  EXPECT_TRUE(config->CheckUpdate());

  // No file at all: every default.
  const auto none = ReadConfig(TProfileFile(Path(QStringLiteral("missing.ini"))));
  EXPECT_EQ(none->SkinColor(), "");
  EXPECT_EQ(none->ErrorDur(), 0);
  EXPECT_TRUE(none->RememberUser());
}

TEST_F(ConfigFileTest, SavingKeepsTheKeyOrderLeavesThePathsAndWritesTheNameOnlyWhenRemembered) {
  WriteAll(IniPath(), IniText({"[User]", "DatabasePath=kept", "userName=Old"}));
  TiniConfig config;
  config.SetDetails(QStringLiteral("0.1.0"), QStringLiteral("Quennel"));
  config.SetDimensions(false, 5, 6, 700, 500);
  config.SetUserSettings(QStringLiteral("Green"), QStringLiteral("changed"),
                         QStringLiteral("changed"), 425, false, true, false, true);
  config.SetUserName(QStringLiteral("New"));
  TProfileFile ini(IniPath());
  WriteConfig(ini, config);
  EXPECT_EQ(ReadAll(IniPath()), IniText({"[User]",
                                         "DatabasePath=kept",
                                         "userName=Old",
                                         "SkinColor=Green",
                                         "ErrorDur=425",
                                         "isRemember=0",
                                         "valDB=1",
                                         "logErrors=0",
                                         "checkUpdate=1",
                                         "",
                                         "[Details]",
                                         "AppVersion=0.1.0",
                                         "AppCreator=Quennel",
                                         "",
                                         "[Dimensions]",
                                         "isRemember=0",
                                         "left=5",
                                         "top=6",
                                         "width=700",
                                         "height=500"}));

  config.SetUserSettings(QStringLiteral("Green"), {}, {}, 425, true, true, false, true);
  WriteConfig(ini, config);
  EXPECT_EQ(ReadConfig(ini)->UserName(), "New");
  EXPECT_TRUE(ReadAll(IniPath()).contains("userName=New\r\n"));
}

TEST_F(ConfigFileTest, AFailedSaveLeavesTheFileAsItWas) {
  const QByteArray before = IniText({"[User]", "userName=Old", "isRemember=1"});
  WriteAll(IniPath(), before);
  TiniConfig config;
  config.SetUserSettings(QStringLiteral("Blue"), {}, {}, 200, true, false, false, false);
  // A name that a profile file cannot hold fails the write half-way through the keys.
  config.SetUserName(QStringLiteral("two\nlines"));
  TProfileFile ini(IniPath());
  EXPECT_THROW(WriteConfig(ini, config), EProfileFileError);
  EXPECT_EQ(ReadAll(IniPath()), before);
  // The file object still saves afterwards.
  ini.WriteString(QStringLiteral("User"), QStringLiteral("valDB"), QStringLiteral("1"));
  EXPECT_TRUE(ReadAll(IniPath()).contains("valDB=1"));
}

TEST(SkinIndexOfColor, OnlyTheExactNamesOfTheFirstThreeSkinsSelectThem) {
  const struct {
    const char* Color;
    int Index;
  } cases[] = {{"Blue", 0},  {"Green", 1}, {"Orange", 2}, {"Purple", 3},
               {"green", 3}, {"BLUE", 3},  {"", 3},       {"Red", 3}};
  for (const auto& c : cases)
    EXPECT_EQ(SkinIndexOfColor(QString::fromLatin1(c.Color)), c.Index) << c.Color;
}

TEST_F(ConfigPageTest, FirstStartCreatesTheFolderAndTheFileWithTheirConsoleLines) {
  StartForm();
  const QStringList lines = ConsoleLines();
  const QString iniPath = QDir::toNativeSeparators(IniPath());
  const qsizetype created = lines.indexOf("Created Configuration Directory Successfully!");
  ASSERT_GE(created, 0) << lines.join('\n').toStdString();
  ASSERT_GT(lines.size(), created + 2);
  EXPECT_EQ(lines[created + 1], "Creating Ini File at " + iniPath);
  EXPECT_EQ(lines[created + 2], "Set Config Variables");

  TProfileFile ini(IniPath());
  ASSERT_TRUE(QFileInfo::exists(IniPath()));
  EXPECT_TRUE(ini.ReadBool("Dimensions", "isRemember", false));
  EXPECT_FALSE(ini.ReadBool("User", "isRemember", true));
  EXPECT_EQ(ini.ReadString("User", "userName", "x"), "");
  EXPECT_EQ(ini.ReadInteger("Dimensions", "width", 0), Form->width());
  EXPECT_EQ(ini.ReadString("User", "DatabasePath", {}),
            QDir::toNativeSeparators(Path("cfg/Data.mdb")));
  EXPECT_EQ(ini.ReadString("User", "ConfigPath", {}), iniPath);

  // The page shows the new record.
  EXPECT_EQ(Page().lbxConfigSkins->ItemIndex(), 0);
  EXPECT_EQ(Page().spnConfigDuration->Value(), 200);
  EXPECT_TRUE(Page().cbxConfigDimen->Checked());
  EXPECT_FALSE(Page().cbxConfigUsername->Checked());
  EXPECT_FALSE(Page().cbxConfigLog->Checked());
  EXPECT_EQ(Page().edtConfigDB->Text(), QDir::toNativeSeparators(Path("cfg/Data.mdb")));
}

TEST_F(ConfigPageTest, AnExistingFileIsFoundAndApplied) {
  MakeIni({"[Dimensions]", "isRemember=1", "left=30", "top=40", "width=940", "height=700", "[User]",
           "SkinColor=Orange", "ErrorDur=900", "isRemember=1", "userName=Milo", "valDB=0",
           "logErrors=1", "checkUpdate=0"});
  StartForm();
  EXPECT_TRUE(
      ConsoleLines().contains("Config File Found at " + QDir::toNativeSeparators(IniPath())));
  EXPECT_FALSE(ConsoleLines().contains("Set Config Variables"));
  EXPECT_EQ(Form->pos(), QPoint(30, 40));
  EXPECT_EQ(Form->size(), QSize(940, 700));
  EXPECT_EQ(Form->spSkinForm->SkinIndex(), 2);
  EXPECT_EQ(Page().lbxConfigSkins->ItemIndex(), 2);
  EXPECT_EQ(Page().spnConfigDuration->Value(), 900);
  EXPECT_TRUE(Page().cbxConfigDimen->Checked());
  EXPECT_TRUE(Page().cbxConfigUsername->Checked());
  EXPECT_FALSE(Page().cbxConfigValidate->Checked());
  EXPECT_TRUE(Page().cbxConfigLog->Checked());
  EXPECT_FALSE(Page().cbxConfigUpdate->Checked());
  EXPECT_EQ(Form->LoginPage().edtLLogin->Text(), "Milo");
}

TEST_F(ConfigPageTest, SkinColorIsMatchedExactlyAndAMissingSizeKeepsTheLayoutsSize) {
  // "green" names no skin; isRemember is absent and reads as true, the bounds as 0.
  MakeIni({"[User]", "SkinColor=green"});
  StartForm();
  EXPECT_EQ(Page().lbxConfigSkins->ItemIndex(), 3);
  EXPECT_EQ(Form->spSkinForm->SkinIndex(), 3);
  EXPECT_EQ(Form->pos(), QPoint(0, 0));
  // A window of no size could not be seen or used: the layout's size stays.
  EXPECT_EQ(Form->Client()->size(), QSize(TfrmMain::kClientWidth, TfrmMain::kClientHeight));
}

TEST_F(ConfigPageTest, ARememberedSizeBeyondTheDesktopShrinksToIt) {
  const struct {
    int Width, Height;
    bool WidthLimited, HeightLimited;
    QSize Expected; // when not limited
  } cases[] = {
      {2000000000, 2000000000, true, true, {}},
      {100000, 600, true, false, {0, 600}},
      {-5, 500, false, false, {-1, 500}}, // -1: the layout's width
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height);
    MakeIni({"[Dimensions]", "isRemember=1", "left=0", "top=0", "width=" + QString::number(c.Width),
             "height=" + QString::number(c.Height)});
    StartForm();
    // The layout's client area in the skinned frame.
    const QSize layout =
        Form->frmSkin->FormSizeForClient(QSize(TfrmMain::kClientWidth, TfrmMain::kClientHeight));
    const QSize largest = Form->screen()->virtualSize().expandedTo(layout);
    const int width = c.Expected.width() < 0 ? layout.width() : c.Expected.width();
    EXPECT_EQ(Form->width(), c.WidthLimited ? largest.width() : width);
    EXPECT_EQ(Form->height(), c.HeightLimited ? largest.height() : c.Expected.height());
    EXPECT_FALSE(Form->grab().isNull());
    Form.reset();
  }
}

TEST_F(ConfigPageTest, ApplyChangesOnlyTheRecordUntilShutdownWritesIt) {
  MakeIni({"[Details]", "AppVersion=0.1.0", "AppCreator=Quennel", "[Dimensions]", "isRemember=0",
           "[User]", "SkinColor=Blue", "ErrorDur=200", "isRemember=1", "userName=Milo", "valDB=0",
           "logErrors=0", "checkUpdate=0"});
  const QByteArray before = ReadAll(IniPath());
  StartForm();
  ShowConfigPage();
  const QStringList consoleBefore = ConsoleLines();

  // Remember Username off, Check Update on, a longer duration, then Apply.
  QTest::mouseClick(Page().cbxConfigUsername, Qt::LeftButton);
  QTest::mouseClick(Page().cbxConfigUpdate, Qt::LeftButton);
  Page().spnConfigDuration->SetValue(425);
  QTest::mouseClick(Page().btnConfigApply, Qt::LeftButton);
  EXPECT_FALSE(Form->Config->RememberUser());
  EXPECT_TRUE(Form->Config->CheckUpdate());
  EXPECT_EQ(Form->Config->ErrorDur(), 425);
  EXPECT_EQ(Form->Config->SkinColor(), "Blue");
  // Neither the file nor the console hears of it.
  EXPECT_EQ(ReadAll(IniPath()), before);
  EXPECT_EQ(ConsoleLines(), consoleBefore);

  // A login attempt changes the name in the record, but the record no longer remembers it.
  Form->LoginPage().edtLLogin->SetText(QStringLiteral("Someone"));
  Form->LoginPage().edtLPassword->SetText(QString());
  Form->LoginPage().btnLLoginClick();
  EXPECT_EQ(Form->Config->UserName(), "Someone");

  CloseForm();
  TProfileFile ini(IniPath());
  EXPECT_FALSE(ini.ReadBool("User", "isRemember", true));
  EXPECT_EQ(ini.ReadString("User", "userName", {}), "Milo");
  EXPECT_TRUE(ini.ReadBool("User", "checkUpdate", false));
  EXPECT_EQ(ini.ReadInteger("User", "ErrorDur", 0), 425);
}

TEST_F(ConfigPageTest, ApplyIsLostWhenTheProgramEndsWithoutClosing) {
  StartForm();
  const QByteArray before = ReadAll(IniPath());
  ShowConfigPage();
  QTest::mouseClick(Page().cbxConfigLog, Qt::LeftButton);
  QTest::mouseClick(Page().btnConfigApply, Qt::LeftButton);
  EXPECT_TRUE(Form->Config->LogErrors());
  Form.reset(); // no shutdown sequence
  EXPECT_EQ(ReadAll(IniPath()), before);
}

TEST_F(ConfigPageTest, AShutdownThatCannotWriteTheSettingsIsReportedAndTheWindowStays) {
  StartForm();
  const QByteArray before = ReadAll(IniPath());
  ShowConfigPage();
  QTest::mouseClick(Page().cbxConfigUpdate, Qt::LeftButton);
  QTest::mouseClick(Page().btnConfigApply, Qt::LeftButton);
  {
    // A full disk: the settings cannot be written.
    TFileSizeLimit limit(16);
    ASSERT_TRUE(limit.Active());
    Form->close();
  }
  ASSERT_EQ(Reports.size(), 1);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(ReadAll(IniPath()), before);
  // With room again, closing stores what the user set.
  Form->close();
  EXPECT_FALSE(Form->isVisible());
  EXPECT_TRUE(TProfileFile(IniPath()).ReadBool("User", "checkUpdate", false));
}

TEST_F(ConfigPageTest, ShutdownStoresTheWindowsBoundsWhenRemembered) {
  StartForm();
  Form->move(20, 25);
  Form->resize(950, 660);
  CloseForm();
  TProfileFile ini(IniPath());
  EXPECT_EQ(ini.ReadInteger("Dimensions", "left", 0), 20);
  EXPECT_EQ(ini.ReadInteger("Dimensions", "top", 0), 25);
  EXPECT_EQ(ini.ReadInteger("Dimensions", "width", 0), 950);
  EXPECT_EQ(ini.ReadInteger("Dimensions", "height", 0), 660);
  // The next start puts the window back there.
  StartForm();
  EXPECT_EQ(Form->pos(), QPoint(20, 25));
  EXPECT_EQ(Form->size(), QSize(950, 660));
}

TEST_F(ConfigPageTest, ClickingASkinRepaintsEveryControlInItAndApplyRemembersIt) {
  StartForm();
  ShowConfigPage();
  // The skins share their neutral surfaces: the accent shows on the header, the tabs, the
  // selected item and the check mark.
  const auto accented = [this] {
    return std::vector<QWidget*>{Form->pnlMainHeader, Form->pctMain, Page().lbxConfigSkins,
                                 Page().cbxConfigDimen};
  };
  const auto neutral = [this] {
    return std::vector<QWidget*>{Page().edtConfigDB, Page().spnConfigDuration,
                                 Page().btnConfigApply, Page().cbxConfigValidate, Page().sbConfig};
  };
  const auto pictures = [&] {
    // Nothing shows its hot or focused look.
    QTest::mouseMove(Form.get(), QPoint(Form->width() - 2, Form->height() - 2));
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    std::vector<QImage> images;
    for (const auto& group : {accented(), neutral()})
      for (QWidget* w : group) images.push_back(w->grab().toImage());
    return images;
  };
  const std::vector<QImage> blue = pictures();

  ClickItem(Page().lbxConfigSkins, 2);
  EXPECT_EQ(Form->spSkinForm->SkinIndex(), 2);
  EXPECT_EQ(Page().lbxConfigSkins->ItemIndex(), 2);
  const std::vector<QImage> switched = pictures();
  // Only Apply remembers the choice.
  EXPECT_EQ(Form->Config->SkinColor(), "Blue");
  QTest::mouseClick(Page().btnConfigApply, Qt::LeftButton);
  EXPECT_EQ(Form->Config->SkinColor(), "Orange");
  CloseForm();
  EXPECT_EQ(TProfileFile(IniPath()).ReadString("User", "SkinColor", {}), "Orange");

  // A window started in that skin looks the same as the one switched to it.
  StartForm();
  ShowConfigPage();
  EXPECT_EQ(Form->spSkinForm->SkinIndex(), 2);
  const std::vector<QImage> orange = pictures();
  for (size_t i = 0; i < blue.size(); ++i) {
    if (i < accented().size()) {
      EXPECT_NE(switched[i], blue[i]) << i;
    }
    EXPECT_EQ(switched[i], orange[i]) << i;
  }
}

TEST_F(ConfigPageTest, ThePageHoldsItsControlsWithTheirTexts) {
  StartForm();
  TConfigPage& page = Page();
  EXPECT_EQ(page.lbxConfigSkins->Items(), QStringList({"Blue", "Green", "Orange", "Purple"}));
  EXPECT_EQ(page.lbxConfigSkins->toolTip(), "Skin Colour Of Application");
  EXPECT_EQ(page.spnConfigDuration->MinValue(), 1);
  EXPECT_EQ(page.spnConfigDuration->MaxValue(), 2000);
  EXPECT_EQ(page.spnConfigDuration->Increment(), 25);
  EXPECT_TRUE(page.edtConfigDB->ReadOnly());
  EXPECT_TRUE(page.edtConfigFolder->ReadOnly());
  EXPECT_EQ(page.edtConfigFolder->Text(), QDir::toNativeSeparators(IniPath()));
  EXPECT_EQ(page.btnConfigApply->Caption(), "Apply And Save Changes");
  EXPECT_EQ(page.cbxConfigDimen->Caption(), "Remember Application Dimensions");
  EXPECT_EQ(page.cbxConfigUsername->toolTip(), "Remembers Last Username Typed");
  // Every row lies in the scroll box, in the order of the page.
  QWidget* box = page.sbConfig->Client();
  const std::vector<QWidget*> rows{
      page.lblSkinColor,      page.lbxConfigSkins,    page.lblDatabaseLocation,
      page.edtConfigDB,       page.lblConfigLocation, page.edtConfigFolder,
      page.lblConfigError,    page.spnConfigDuration, page.cbxConfigDimen,
      page.cbxConfigUsername, page.cbxConfigValidate, page.cbxConfigLog,
      page.cbxConfigUpdate,   page.btnConfigApply};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i]->parentWidget(), box) << i;
    EXPECT_FALSE(rows[i]->size().isEmpty()) << i;
    if (i > 0) {
      EXPECT_GT(rows[i]->y(), rows[i - 1]->y()) << i;
    }
  }
  EXPECT_EQ(page.sbConfig->VScrollBar(), page.scbConfig);
}
