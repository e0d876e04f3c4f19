#pragma once
// TfrmMain: the application's one window. It owns every screen (a page class per tab
// sheet), the skin data every control paints from, the shelter database cursor the screens
// share, the settings, the console and the error banner, and it runs the start-up and
// shutdown sequences.

#include "store/data_source.h"
#include "store/table_cursor.h"

#include <QDateTime>
#include <QPointer>
#include <QRandomGenerator>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QTimer;
class TiniConfig;
class TProfileFile;
class TStoreConnection;
class TspCompressedSkinList;
class TspSkinData;
class TspSkinHint;
class TspSkinComboBox;
class TspSkinGauge;
class TspSkinPageControl;
class TspSkinPanel;
class TspSkinStatusBar;
class TspSkinStatusPanel;
class TspSkinStdLabel;
class TspSkinTabSheet;
class TspVestimar;
class TShape;
struct TErrorCode;

class TAdminPage;
class TAnimalPage;
class TBrowsePage;
class TConfigPage;
class TConsolePage;
class TEditPage;
class TEmployeePage;
class TErrorBanner;
class TLoginPage;
class TProfilePage;
class TRegisterPage;

// What the window reads from its surroundings, replaceable for tests.
struct TfrmMainServices {
  // The start-up connectivity test; the platform's when empty.
  std::function<bool()> IsConnected;
  // Opens a web address in the user's browser; the desktop's when empty.
  std::function<void(const QString& url)> OpenUrl;
  // The local date and time; the clock's when empty.
  std::function<QDateTime()> Now;
};

class TfrmMain : public QWidget {
  Q_OBJECT
public:
  // The client area of the window's layout.
  static constexpr int kClientWidth = 970;
  static constexpr int kClientHeight = 671;

  explicit TfrmMain(TfrmMainServices services = {}, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // --- The window's state ------------------------------------------------------------------
  // Whether the database (cfg/Data.mdb, or the server the settings name) was found at
  // start-up; decided once by FormShow.
  bool DatabaseFound = false;
  // The user name of the last login attempt that got past the name check.
  QString CurrentUser;
  // Duration of the banner's slides: 0 during start-up, then 200.
  int ErrorAnimationMs = 0;
  // The settings record and the open settings file, from start-up to shutdown.
  std::unique_ptr<TiniConfig> Config;
  std::unique_ptr<TProfileFile> IniFile;
  // The "Processing..." overlay while it exists (owned by the window as its parent).
  QPointer<TspSkinPanel> ProcessingPanel;

  // --- Non-visual parts --------------------------------------------------------------------
  TspSkinData* spSkinForm = nullptr;
  TspCompressedSkinList* spSkinList = nullptr;
  TspSkinHint* spSkinHint = nullptr;
  // The form controller: the skinned frame around the client area.
  TspVestimar* frmSkin = nullptr;
  QTimer* tmrErrorMSG = nullptr;
  QTimer* tmrDynamic = nullptr;
  // The database connection the cursor reads through; none until start-up finds the file
  // or reaches the server.
  std::unique_ptr<TStoreConnection> Connection;
  TTableCursor ADOUsers;
  TDataSource DSMain;

  // --- Visible parts -----------------------------------------------------------------------
  // Everything lies on the frame's client widget, at the client coordinates of the layout.
  QWidget* Client() const { return FClient; }
  TspSkinPanel* pnlMainHeader = nullptr;
  TspSkinStdLabel* lblMainSave = nullptr;
  TspSkinStdLabel* lblMainThe = nullptr;
  TspSkinStdLabel* lblMainVorns = nullptr;
  TspSkinGauge* gauMainHeader = nullptr;
  TspSkinPageControl* pctMain = nullptr;
  TspSkinTabSheet* tbsLogIn = nullptr;
  TspSkinTabSheet* tbsRegister = nullptr;
  TspSkinTabSheet* tbsProfile = nullptr;
  TspSkinTabSheet* tbsEdit = nullptr;
  TspSkinTabSheet* tbsEmployee = nullptr;
  TspSkinTabSheet* tbsAdopt = nullptr;
  TspSkinTabSheet* tbsAdmin = nullptr;
  TspSkinTabSheet* tbsConfig = nullptr;
  TspSkinTabSheet* tbsConsole = nullptr;
  TspSkinTabSheet* tbsAnimal = nullptr;
  TspSkinStatusBar* stBar = nullptr;
  TShape* shpDatabase = nullptr;
  TspSkinStatusPanel* stPnl = nullptr;
  TspSkinStatusPanel* stsPnlV = nullptr;

  // --- The screens -------------------------------------------------------------------------
  TLoginPage& LoginPage() const { return *FLoginPage; }
  TRegisterPage& RegisterPage() const { return *FRegisterPage; }
  TProfilePage& ProfilePage() const { return *FProfilePage; }
  TEditPage& EditPage() const { return *FEditPage; }
  TEmployeePage& EmployeePage() const { return *FEmployeePage; }
  TBrowsePage& BrowsePage() const { return *FBrowsePage; }
  TAdminPage& AdminPage() const { return *FAdminPage; }
  TConfigPage& ConfigPage() const { return *FConfigPage; }
  TConsolePage& ConsolePage() const { return *FConsolePage; }
  TAnimalPage& AnimalPage() const { return *FAnimalPage; }
  TErrorBanner& ErrorBanner() const { return *FErrorBanner; }

  // --- The helpers every screen uses -------------------------------------------------------
  // One message line in the console: Message in bold, then ":" and Detail when Detail is
  // not empty.
  void LogMessage(const QString& message, const QString& detail = {});
  // Fills the banner, writes the error line to the console, slides the banner in and arms
  // its timer.
  void ShowError(const QString& title, int code, const QString& details);
  // The same with a code of the table (error_codes.h).
  void ShowError(const TErrorCode& error);
  // Makes exactly the tabs of a group visible: "Login", "Register", "User", "Employee" or
  // "Admin" (code 154 for any other), always with Configuration and Console.
  void ShowTabs(const QString& group);
  // Closes the cursor, names the table and opens it again (first row current, no order).
  void OpenTable(TTableCursor& cursor, const QString& tableName);
  // Switches the cursor to Users and makes the row of CurrentUser current (the user name
  // found without regard to case). When that row is gone (deleted on the Admin page) it
  // reports code 491 and returns false: no other row ever stands in for it.
  bool LocateCurrentUser();
  // The cursor's field names into the combo box, the first selected (its change handler runs
  // when the shown text changes).
  void FillFieldList(TspSkinComboBox& comboBox, const TTableCursor& cursor);

  // --- Start-up, shutdown and page changes ------------------------------------------------
  // The start-up sequence; runs when the window is first shown.
  void FormShow();
  // The shutdown sequence; runs when the window closes. The bounds it stores are the left
  // and top of the frame (pos()) and the size of the client area (size()), the pair that
  // move() and resize() take back.
  void FormClose();
  // Code 444 when the platform reports no connection; whether it reports one.
  bool CheckConnection();
  // The user selects another tab: before the change (the page being left is still the
  // active page) and after it. Not run when code changes the page.
  void pctMainChanging();
  void pctMainChange();
  // Opens a web address with the desktop's "open".
  void OpenUrl(const QString& url);
  // The connectivity test in use (the platform's unless the services replace it).
  bool PlatformIsConnected() const;
  // The local date and time of the window's stamps (exports, receipts).
  QDateTime Now() const;

  // The random numbers of the screens (featured animal, CAPTCHA); seeded from the clock at
  // start-up.
  QRandomGenerator Random;

  // The working directory at the moment of use, joined with a relative path given with
  // forward slashes; native separators for what is shown.
  static QString WorkPath(const QString& relative);
  static QString NativeWorkPath(const QString& relative);

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void BuildMakeUp();
  void BuildHeader();
  void BuildPages();
  void BuildStatusBar();
  // Window colours from the skin, after every skin change.
  void SkinChanged();
  // Start-up step 9 for a shared server: connects, opens Users and shows where (never the
  // password); a server that cannot be reached or read counts as a missing database.
  void OpenServerDatabase(const QString& uri);
  // Code 493 and the indicator of no database.
  void DatabaseNotFound();
  // Start-up step 13: a random row of Animals on the Profile page.
  void DrawFeaturedAnimal();

  TfrmMainServices FServices;
  QWidget* FClient = nullptr;
  bool FShown = false;

  std::unique_ptr<TLoginPage> FLoginPage;
  std::unique_ptr<TRegisterPage> FRegisterPage;
  std::unique_ptr<TProfilePage> FProfilePage;
  std::unique_ptr<TEditPage> FEditPage;
  std::unique_ptr<TEmployeePage> FEmployeePage;
  std::unique_ptr<TBrowsePage> FBrowsePage;
  std::unique_ptr<TAdminPage> FAdminPage;
  std::unique_ptr<TConfigPage> FConfigPage;
  std::unique_ptr<TConsolePage> FConsolePage;
  std::unique_ptr<TAnimalPage> FAnimalPage;
  std::unique_ptr<TErrorBanner> FErrorBanner;
};
