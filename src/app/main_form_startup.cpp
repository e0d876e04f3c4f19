// The window's life: the start-up sequence when it is first shown, the shutdown sequence
// when it closes, and the connectivity test.
#include "app/browse_page.h"
#include "app/config_page.h"
#include "app/console_page.h"
#include "app/error_banner.h"
#include "app/error_codes.h"
#include "app/image_control.h"
#include "app/ini_config.h"
#include "app/local_time.h"
#include "app/login_page.h"
#include "app/main_form.h"
#include "app/picture_files.h"
#include "app/profile_page.h"
#include "app/shape.h"
#include "app/version.h"
#include "app/vorns_application.h"
#include "platform/profile_file.h"
#include "skin/controls/button.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/password_edit.h"
#include "skin/controls/status_panel.h"
#include "store/field_text.h"
#include "store/store_connection.h"
#include "store/store_error.h"
#include "store/store_location.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {
const QColor kConnectedColor(178, 212, 178);
const QColor kNotConnectedColor(212, 178, 178);
} // namespace

void TfrmMain::FormShow() {
  // 1. The first console lines.
  LogMessage(QStringLiteral("Program Started Successfully"));
  LogMessage(QString::fromLatin1(kAppTitleVersion));
  LogMessage(QStringLiteral("Ran At: ") + ShortDateLongTime(Now(), QLocale::system()));
  // 2.
  Random.seed(quint32(QDateTime::currentMSecsSinceEpoch()));
  // 3.
  tbsConfig->SetTabVisible(true);
  tbsConsole->SetTabVisible(true);
  // 4.
  TConfigPage& config = ConfigPage();
  config.edtConfigFolder->SetText(NativeWorkPath(QStringLiteral("cfg/config.ini")));
  config.edtConfigDB->SetText(NativeWorkPath(QStringLiteral("cfg/Data.mdb")));
  // 5.
  ErrorBanner().PlaceHidden();
  // 6.
  const bool connected = CheckConnection();
  // 7.
  config.LoadConfig(NativeWorkPath(QStringLiteral("cfg/config.ini")));
  // 8. One level only: without img the creation fails, unreported.
  if (!QFileInfo::exists(WorkPath(QStringLiteral("img/usr"))))
    QDir().mkdir(WorkPath(QStringLiteral("img/usr")));
  // 9. The database: the server the settings name, else the working directory's file.
  if (!Config->DatabaseServer().isEmpty()) {
    OpenServerDatabase(Config->DatabaseServer());
  } else if (const QString database = WorkPath(QStringLiteral("cfg/Data.mdb"));
             QFileInfo::exists(database)) {
    LogMessage(QStringLiteral("Found Database at ") +
               NativeWorkPath(QStringLiteral("cfg/Data.mdb")));
    DatabaseFound = true;
    ADOUsers.Close();
    Connection = TStoreConnection::OpenSQLiteFile(database);
    ADOUsers.SetConnectionName(Connection->Name());
    ADOUsers.SetTableName(QStringLiteral("Users"));
    ADOUsers.Open();
    if (ADOUsers.Active()) {
      shpDatabase->SetBrushColor(kConnectedColor);
      shpDatabase->SetHint(QStringLiteral("Connected To Database"));
    }
  } else {
    DatabaseNotFound();
  }
  // 10. The state step 6 found.
  LogMessage(connected ? QStringLiteral("Connection Status: Connected")
                       : QStringLiteral("Connection Status: Not Connected"));
  LoginPage().btnLogInDocs->setVisible(true);
  // 11.
  stsPnlV->SetCaption(QString::fromLatin1(kAppTitleVersion));
  // 12. and 13. need the open database.
  if (DatabaseFound) {
    OpenTable(ADOUsers, QStringLiteral("Animals"));
    // Selecting the first field runs the Browse search. A row it cannot list (a null name)
    // is reported, but must not end start-up: nobody could log in until the row were mended.
    RunReported([this] { FillFieldList(*BrowsePage().cbxBrowseField, ADOUsers); });
    DrawFeaturedAnimal();
  } else {
    ProfilePage().pnlProfileFeatured->setVisible(false);
  }
  // 14.
  ShowTabs(QStringLiteral("Login"));
  // 15.
  TLoginPage& login = LoginPage();
  if (!login.edtLLogin->Text().isEmpty())
    login.edtLPassword->setFocus(Qt::OtherFocusReason);
  else
    login.edtLLogin->setFocus(Qt::OtherFocusReason);
  // 16.
  ErrorAnimationMs = 200;
}

void TfrmMain::OpenServerDatabase(const QString& uri) {
  TConfigPage& config = ConfigPage();
  // Nothing of the settings' text is shown before it is read: it may hold a password.
  config.edtConfigDB->SetText(QString());
  try {
    const TServerLocation location = ParseServerUri(uri);
    const QString shown = location.Display();
    config.edtConfigDB->SetText(shown);
    ADOUsers.Close();
    Connection = TStoreConnection::OpenServer(QStringLiteral("QPSQL"), location.Params());
    ADOUsers.SetConnectionName(Connection->Name());
    ADOUsers.SetTableName(QStringLiteral("Users"));
    ADOUsers.Open();
    LogMessage(QStringLiteral("Found Database at ") + shown);
    DatabaseFound = true;
    shpDatabase->SetBrushColor(kConnectedColor);
    shpDatabase->SetHint(QStringLiteral("Connected To Database at ") + shown);
  } catch (const EDatabaseError& error) {
    // A server that cannot be reached (or holds no shelter tables) is a missing database:
    // the Configuration and Console pages stay usable. The store's messages never hold
    // the password.
    ADOUsers.Close();
    ADOUsers.SetConnectionName(QString());
    Connection.reset();
    LogMessage(QStringLiteral("Database Server Not Reached"), QString::fromStdString(error.what()));
    DatabaseNotFound();
  }
}

void TfrmMain::DatabaseNotFound() {
  DatabaseFound = false;
  ShowError(ErrorCodes::DatabaseNotFound);
  shpDatabase->SetBrushColor(kNotConnectedColor);
  shpDatabase->SetHint(QStringLiteral("Not Connected To Database"));
}

void TfrmMain::DrawFeaturedAnimal() {
  TProfilePage& profile = ProfilePage();
  // An empty table has no animal to feature: the panel stays hidden.
  if (ADOUsers.RecordCount() == 0) {
    profile.pnlProfileFeatured->setVisible(false);
    return;
  }
  ADOUsers.First();
  const int n = int(Random.bounded(quint32(ADOUsers.RecordCount())));
  ADOUsers.MoveBy(n); // n rows on, as n calls of Next
  const QVariant name = ADOUsers.FieldByName(QStringLiteral("AnimalName"));
  const QVariant type = ADOUsers.FieldByName(QStringLiteral("Type"));
  // A row written by other means may lack them; the panel then features no animal.
  if (name.isNull() || type.isNull()) {
    profile.pnlProfileFeatured->setVisible(false);
    return;
  }
  profile.pnlProfileFeatured->setVisible(true);
  profile.lblProfileFeatureName->SetCaption(FieldAsString(name));
  profile.lblAdoptType->SetCaption(FieldAsString(type));
  const QString picture = PictureFile(FieldAsString(type));
  profile.imgProfileFeature->setVisible(false);
  if (picture.isEmpty()) return;
  // A damaged picture is reported like any other error, but it must not end start-up: the
  // Log In page comes after it, and nobody could log in until the file were mended.
  RunReported([&] {
    profile.imgProfileFeature->LoadFromFile(picture);
    profile.imgProfileFeature->setVisible(true);
  });
}

bool TfrmMain::CheckConnection() {
  const bool connected = PlatformIsConnected();
  if (!connected) ShowError(ErrorCodes::NoResponseFromServer);
  return connected;
}

void TfrmMain::FormClose() {
  // Start-up may have ended before the settings were read.
  if (!Config) return;
  // 1.
  if (Config->RememberDimensions()) Config->SetDimensions(true, x(), y(), width(), height());
  // 2.
  ConfigPage().SaveConfig();
  // 3.
  LogMessage(QStringLiteral("Set Config Variables"));
  // 4.
  if (Config->LogErrors()) ConsolePage().btnConsoleExportClick();
  // 5.
  IniFile.reset();
  Config.reset();
}
