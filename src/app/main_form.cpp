#include "app/main_form.h"

#include "app/admin_page.h"
#include "app/animal_page.h"
#include "app/app_fonts.h"
#include "app/browse_page.h"
#include "app/config_page.h"
#include "app/console_page.h"
#include "app/edit_page.h"
#include "app/employee_page.h"
#include "app/error_banner.h"
#include "app/error_codes.h"
#include "app/form_builder.h"
#include "app/ini_config.h"
#include "app/login_page.h"
#include "app/profile_page.h"
#include "app/register_page.h"
#include "app/shape.h"
#include "platform/connectivity.h"
#include "platform/profile_file.h"
#include "skin/builtin/builtin_skins.h"
#include "skin/controls/gauge.h"
#include "skin/controls/label.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/plain_look.h"
#include "skin/controls/status_bar.h"
#include "skin/controls/status_panel.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/frame/hint.h"
#include "skin/frame/vestimar.h"
#include "store/store_connection.h"

#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QTimer>
#include <QUrl>

namespace {
// The layout's margins: the header and the pages keep 8 pixels at the left and 5 at the
// right; the pages end 25 pixels above the client's bottom, over the status bar.
constexpr int kSideMargin = 8;
constexpr int kRightMargin = 5;
constexpr int kHeaderTop = 8;
constexpr int kHeaderHeight = 49;
constexpr int kPagesTop = 64;
constexpr int kPagesBottomMargin = 25;
constexpr int kStatusBarHeight = 21;
// The header's gauge starts at 330 and keeps 16 pixels to the header's right edge.
constexpr int kGaugeMargins = 346;
} // namespace

TfrmMain::TfrmMain(TfrmMainServices services, QWidget* parent)
    : QWidget(parent), FServices(std::move(services)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Application"));
  setAttribute(Qt::WA_AlwaysShowToolTips);

  // The skin data loads the first skin of the list as soon as the list is attached.
  spSkinForm = new TspSkinData(this);
  spSkinForm->setObjectName(QStringLiteral("spSkinForm"));
  spSkinList = CreateBuiltinSkinList(this);
  spSkinList->setObjectName(QStringLiteral("spSkinList"));
  spSkinForm->SetSkinIndex(0);
  spSkinForm->SetSkinList(spSkinList);
  spSkinHint = new TspSkinHint(this);
  spSkinHint->setObjectName(QStringLiteral("spSkinHint"));
  QFont hintFont(QStringLiteral("MS Sans Serif"));
  hintFont.setPixelSize(11);
  spSkinHint->SetDefaultFont(hintFont);
  spSkinHint->SetSkinData(spSkinForm);

  tmrErrorMSG = new QTimer(this);
  tmrErrorMSG->setObjectName(QStringLiteral("tmrErrorMSG"));
  tmrErrorMSG->setInterval(3000);
  tmrDynamic = new QTimer(this);
  tmrDynamic->setObjectName(QStringLiteral("tmrDynamic"));
  tmrDynamic->setInterval(2000);
  DSMain.SetDataSet(&ADOUsers);

  // The frame: skin messages reach every control of the window through it.
  frmSkin = new TspVestimar(this);
  frmSkin->SetMenusSkinData(spSkinForm);
  frmSkin->SetSupportNCArea(true);
  frmSkin->SetSizeable(true);
  frmSkin->SetDraggAble(false);
  frmSkin->SetNCDraggAble(true);
  frmSkin->SetMagnetic(false);
  frmSkin->SetMagneticSize(10);
  frmSkin->SetBorderIcons(TspBorderIcon::biSystemMenu | TspBorderIcon::biMinimize |
                          TspBorderIcon::biMaximize);
  frmSkin->SetDisableSystemMenu(true);
  frmSkin->SetUseDefaultSysMenu(true);
  frmSkin->SetShowIcon(true);
  frmSkin->SetHideCaptionButtons(false);
  frmSkin->SetUseSkinFontInCaption(true);
  frmSkin->SetUseSkinFontInMenu(true);
  frmSkin->SetUseSkinSizeInMenu(true);
  frmSkin->SetDefCaptionFont(AppFont(kTahoma, 13, true), palette().color(QPalette::ButtonText));
  frmSkin->SetDefInActiveCaptionFont(AppFont(kTahoma, 13, true), palette().color(QPalette::Dark));
  frmSkin->SetDefMenuItemHeight(20);
  frmSkin->SetDefMenuItemFont(AppFont(kTahoma, 13));
  frmSkin->SetPositionInMonitor(TspPositionInMonitor::sppDesktopCenter);
  frmSkin->SetAlphaBlend(false);
  frmSkin->SetAlphaBlendAnimation(false);
  frmSkin->SetAlphaBlendValue(200);
  frmSkin->SetMenusAlphaBlend(false);
  frmSkin->SetMenusAlphaBlendAnimation(false);
  frmSkin->SetMenusAlphaBlendValue(200);
  frmSkin->SetMaximizeOnFullScreen(false);
  frmSkin->SetShowObjectHint(false);
  frmSkin->SetUseDefaultObjectHint(true);
  frmSkin->SetClientInActiveEffect(false);
  frmSkin->SetMaxMenuItemsInWindow(0);
  frmSkin->SetSkinData(spSkinForm);
  FClient = frmSkin->ClientWidget();
  FClient->setObjectName(QStringLiteral("frmMainClient"));
  // The layout's client area inside the frame.
  resize(frmSkin->FormSizeForClient(QSize(kClientWidth, kClientHeight)));
  FClient->resize(kClientWidth, kClientHeight);
  BuildMakeUp();
  SkinChanged();
}

TfrmMain::~TfrmMain() {
  // The controls go first: their handlers refer to the screens, which go after.
  delete FClient;
  FClient = nullptr;
  // The cursor reads through the connection, which must outlive it.
  ADOUsers.Close();
}

void TfrmMain::BuildMakeUp() {
  BuildHeader();
  BuildPages();
  BuildStatusBar();
  // Over the header, above every other control.
  FErrorBanner = std::make_unique<TErrorBanner>(*this, FClient);
  connect(tmrErrorMSG, &QTimer::timeout, FClient, [this] { FErrorBanner->tmrErrorMSGTimer(); });
}

void TfrmMain::BuildHeader() {
  TspSkinData* skin = spSkinForm;
  pnlMainHeader = NewControl<TspSkinPanel>(
      FClient, "pnlMainHeader",
      {kSideMargin, kHeaderTop, kClientWidth - kSideMargin - kRightMargin, kHeaderHeight}, skin);
  const auto word = [&](const char* name, const QString& text, const char* face, bool bold, int x,
                        int width) {
    auto* label =
        NewLabel(pnlMainHeader, name, {x, 2, width, 44}, skin, text, AppFont(face, 34, bold));
    label->SetLayout(TspTextLayout::tlCenter);
    return label;
  };
  lblMainSave = word("lblMainSave", QStringLiteral("SAVE"), kSegoeUILight, false, 12, 92);
  lblMainThe = word("lblMainThe", QStringLiteral("THE"), kSegoeUILight, false, 104, 74);
  lblMainVorns = word("lblMainVorns", QStringLiteral("VORNS"), kSegoeUI, true, 178, 130);
  gauMainHeader = NewControl<TspSkinGauge>(
      pnlMainHeader, "gauMainHeader", {330, 16, pnlMainHeader->width() - kGaugeMargins, 17}, skin);
  gauMainHeader->SetValue(100);
}

void TfrmMain::BuildPages() {
  TspSkinData* skin = spSkinForm;
  pctMain = NewControl<TspSkinPageControl>(FClient, "pctMain",
                                           {kSideMargin, kPagesTop,
                                            kClientWidth - kSideMargin - kRightMargin,
                                            kClientHeight - kPagesTop - kPagesBottomMargin},
                                           skin);
  const auto sheet = [this](const char* name, const QString& caption) {
    auto* page = new TspSkinTabSheet(pctMain);
    page->setObjectName(QString::fromLatin1(name));
    page->SetCaption(caption);
    return page;
  };
  tbsLogIn = sheet("tbsLogIn", QStringLiteral("Log In"));
  tbsRegister = sheet("tbsRegister", QStringLiteral("Register"));
  tbsProfile = sheet("tbsProfile", QStringLiteral("Profile"));
  tbsEdit = sheet("tbsEdit", QStringLiteral("Edit"));
  tbsEmployee = sheet("tbsEmployee", QStringLiteral("Employee"));
  tbsAdopt = sheet("tbsAdopt", QStringLiteral("Browse"));
  tbsAdmin = sheet("tbsAdmin", QStringLiteral("Admin"));
  tbsConfig = sheet("tbsConfig", QStringLiteral("Configuration"));
  tbsConsole = sheet("tbsConsole", QStringLiteral("Console"));
  tbsAnimal = sheet("tbsAnimal", QString());
  // No tab until start-up shows its groups: a start-up that ends early on an error leaves
  // only the tabs it had shown (Configuration and Console), never a role's pages.
  for (int i = 0; i < pctMain->PageCount(); ++i) pctMain->Pages(i)->SetTabVisible(false);

  FLoginPage = std::make_unique<TLoginPage>(*this, tbsLogIn);
  FRegisterPage = std::make_unique<TRegisterPage>(*this, tbsRegister);
  FProfilePage = std::make_unique<TProfilePage>(*this, tbsProfile);
  FEditPage = std::make_unique<TEditPage>(*this, tbsEdit);
  FEmployeePage = std::make_unique<TEmployeePage>(*this, tbsEmployee);
  FBrowsePage = std::make_unique<TBrowsePage>(*this, tbsAdopt);
  FAdminPage = std::make_unique<TAdminPage>(*this, tbsAdmin);
  FConfigPage = std::make_unique<TConfigPage>(*this, tbsConfig);
  FConsolePage = std::make_unique<TConsolePage>(*this, tbsConsole);
  FAnimalPage = std::make_unique<TAnimalPage>(*this, tbsAnimal);

  pctMain->OnChanging = [this](QObject*, bool&) { pctMainChanging(); };
  pctMain->OnChange = [this](QObject*) { pctMainChange(); };
}

void TfrmMain::BuildStatusBar() {
  TspSkinData* skin = spSkinForm;
  stBar = new TspSkinStatusBar(FClient);
  stBar->setObjectName(QStringLiteral("stBar"));
  stBar->setGeometry(0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
  shpDatabase = NewControl<TShape>(stBar, "shpDatabase", {4, 5, 10, 10}, skin);
  shpDatabase->SetShape(TShapeType::stCircle);
  shpDatabase->SetBrushColor(Qt::white);
  stPnl = NewControl<TspSkinStatusPanel>(stBar, "stPnl", {18, 1, 120, 19}, skin);
  stPnl->SetCaption(QStringLiteral("Quennel"));
  stsPnlV =
      NewControl<TspSkinStatusPanel>(stBar, "stsPnlV", {kClientWidth - 184, 1, 180, 19}, skin);
  stsPnlV->SetAlignment(TspAlignment::taRightJustify);
  stBar->SetSkinData(skin);
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!FClient) return;
  // The frame has placed the client area for the new size.
  const int w = FClient->width(), h = FClient->height();
  // The header and the banner stretch with the width, the pages both ways; the version
  // panel keeps to the right end of the status bar.
  pnlMainHeader->resize(w - kSideMargin - kRightMargin, kHeaderHeight);
  gauMainHeader->resize(std::max(pnlMainHeader->width() - kGaugeMargins, 0),
                        gauMainHeader->height());
  pctMain->resize(w - kSideMargin - kRightMargin, std::max(h - kPagesTop - kPagesBottomMargin, 0));
  stsPnlV->move(stBar->width() - stsPnlV->width() - 4, stsPnlV->y());
  FErrorBanner->FitToWidth(w);
}

void TfrmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Start-up runs once, when the window is first shown (not when it is restored).
  if (FShown || event->spontaneous()) return;
  FShown = true;
  FormShow();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  // A shutdown that cannot store the settings or the console export keeps the window open:
  // the error is reported like any handler's, and nothing the user set is lost unnoticed.
  try {
    FormClose();
  } catch (...) {
    event->ignore();
    throw;
  }
  QWidget::closeEvent(event);
}

bool TfrmMain::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (TspSkinMessageEvent::MessageOf(event) == SkinMsgAfterChange) SkinChanged();
  return handled;
}

void TfrmMain::SkinChanged() {
  // The window's own face: the skin's face colour, the system's without a skin.
  QPalette colors = palette();
  const TspSkinData* skin = spSkinForm;
  colors.setColor(QPalette::Window, skin && !skin->IsEmpty()
                                        ? SkinColor(skin->SkinColors.cbtnface)
                                        : QGuiApplication::palette().color(QPalette::Window));
  setPalette(colors);
  setAutoFillBackground(true);
}

void TfrmMain::OpenUrl(const QString& url) {
  // The shell's answer is not examined: without a browser nothing further happens.
  if (FServices.OpenUrl)
    FServices.OpenUrl(url);
  else
    QDesktopServices::openUrl(QUrl(url));
}

bool TfrmMain::PlatformIsConnected() const {
  return FServices.IsConnected ? FServices.IsConnected() : IsConnected();
}

QDateTime TfrmMain::Now() const {
  return FServices.Now ? FServices.Now() : QDateTime::currentDateTime();
}

QString TfrmMain::WorkPath(const QString& relative) {
  return QDir::current().absoluteFilePath(relative);
}

QString TfrmMain::NativeWorkPath(const QString& relative) {
  return QDir::toNativeSeparators(WorkPath(relative));
}

void TfrmMain::LogMessage(const QString& message, const QString& detail) {
  FConsolePage->LogMessage(message, detail);
}

void TfrmMain::ShowError(const QString& title, int code, const QString& details) {
  FErrorBanner->ShowError(title, code, details);
}

void TfrmMain::ShowError(const TErrorCode& error) {
  ShowError(QString::fromLatin1(error.Title), error.Code, QString::fromLatin1(error.Details));
}
