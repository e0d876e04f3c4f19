#include "app/config_page.h"

#include "app/form_builder.h"
#include "app/ini_config.h"
#include "app/login_page.h"
#include "app/main_form.h"
#include "platform/profile_file.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/list_box.h"
#include "skin/controls/page_control.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/scroll_box.h"
#include "skin/controls/spin_edit.h"
#include "skin/data/skin_data.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {
// The scroll box below the page's header, its bar at its right.
constexpr int kBoxLeft = 12;
constexpr int kBoxTop = 48;
constexpr int kBoxWidth = 460;
constexpr int kBarWidth = 19;
// The rows inside the box.
constexpr int kLeft = 8;
constexpr int kFieldWidth = 420;
constexpr int kLabelHeight = 18;
constexpr int kFieldHeight = 21;
constexpr int kCheckHeight = 25;
constexpr int kCheckStep = 27;

TspSkinStdLabel* RowLabel(QWidget* parent, const char* name, const QString& caption, int y,
                          TspSkinData* skin) {
  return NewLabel(parent, name, {kLeft, y, 200, kLabelHeight}, skin, caption);
}

TspSkinEdit* PathEdit(QWidget* parent, const char* name, const QString& hint, int y,
                      TspSkinData* skin) {
  auto* edit = NewControl<TspSkinEdit>(parent, name, {kLeft, y, kFieldWidth, kFieldHeight}, skin);
  edit->SetReadOnly(true);
  edit->setToolTip(hint);
  return edit;
}

TspSkinCheckRadioBox* CheckBox(QWidget* parent, const char* name, const QString& caption,
                               const QString& hint, int y, TspSkinData* skin) {
  auto* box =
      NewControl<TspSkinCheckRadioBox>(parent, name, {kLeft, y, kFieldWidth, kCheckHeight}, skin);
  box->SetCaption(caption);
  if (!hint.isEmpty()) box->setToolTip(hint);
  return box;
}

// The largest window the desktop holds: all its screens together, as the platform limits a
// window's size, yet never less than the layout's own size. None without a screen.
QSize LargestWindow(const QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  return screen->virtualSize().expandedTo(window.size());
}

// The window's bounds from the settings, top, left, height and width in that order. A
// width or height below 1 (a file that lacks them reads 0) would leave no window to see:
// that side keeps the size it has. One larger than the desktop (a screen since removed, a
// hand-edited file) could not be seen whole, and a huge one not even painted: it shrinks
// to the desktop's.
void ApplyBounds(QWidget& window, const TiniConfig& config) {
  const QSize largest = LargestWindow(window);
  window.move(window.x(), config.FormTop());
  window.move(config.FormLeft(), window.y());
  if (config.FormHeight() > 0)
    window.resize(window.width(), std::min(config.FormHeight(), largest.height()));
  if (config.FormWidth() > 0)
    window.resize(std::min(config.FormWidth(), largest.width()), window.height());
}
} // namespace

TConfigPage::TConfigPage(TfrmMain& form, TspSkinTabSheet* sheet) : FForm(form) {
  TspSkinData* skin = form.spSkinForm;
  lblConfigHeader = AddPageHeader(sheet, "lblConfigHeader", QStringLiteral("Configuration"), skin);
  sbConfig =
      NewControl<TspSkinScrollBox>(sheet, "sbConfig", {kBoxLeft, kBoxTop, kBoxWidth, 400}, skin);
  scbConfig = new TspSkinScrollBar(sheet);
  scbConfig->SetKind(TspScrollBarKind::sbVertical);
  PlaceControl(scbConfig, "scbConfig", {kBoxLeft + kBoxWidth, kBoxTop, kBarWidth, 400}, skin);
  sbConfig->SetVScrollBar(scbConfig);
  // The box takes the page's height; its bar shows when the rows do not fit.
  WhenResized(sheet, [this, sheet] {
    const int height = std::max(sheet->height() - kBoxTop - 12, 0);
    sbConfig->resize(kBoxWidth, height);
    scbConfig->resize(kBarWidth, height);
  });

  QWidget* box = sbConfig->Client();
  lblSkinColor = RowLabel(box, "lblSkinColor", QStringLiteral("Skin Colour"), 8, skin);
  lbxConfigSkins = NewControl<TspSkinListBox>(box, "lbxConfigSkins", {kLeft, 28, 200, 88}, skin);
  lbxConfigSkins->SetItems({QStringLiteral("Blue"), QStringLiteral("Green"),
                            QStringLiteral("Orange"), QStringLiteral("Purple")});
  lbxConfigSkins->SetItemIndex(0);
  lbxConfigSkins->setToolTip(QStringLiteral("Skin Colour Of Application"));

  lblDatabaseLocation =
      RowLabel(box, "lblDatabaseLocation", QStringLiteral("Database Location"), 126, skin);
  edtConfigDB =
      PathEdit(box, "edtConfigDB", QStringLiteral("Location Of Database At Runtime"), 146, skin);
  lblConfigLocation =
      RowLabel(box, "lblConfigLocation", QStringLiteral("Config Location"), 177, skin);
  edtConfigFolder = PathEdit(box, "edtConfigFolder",
                             QStringLiteral("Location Of Config File At Runtime"), 197, skin);

  lblConfigError = RowLabel(box, "lblConfigError", QStringLiteral("Error Duration"), 228, skin);
  spnConfigDuration =
      NewControl<TspSkinSpinEdit>(box, "spnConfigDuration", {kLeft, 248, 120, kFieldHeight}, skin);
  spnConfigDuration->SetMinValue(1);
  spnConfigDuration->SetMaxValue(2000);
  spnConfigDuration->SetIncrement(25);
  spnConfigDuration->SetValue(200);

  int y = 282;
  const auto nextRow = [&y] {
    const int row = y;
    y += kCheckStep;
    return row;
  };
  cbxConfigDimen =
      CheckBox(box, "cbxConfigDimen", QStringLiteral("Remember Application Dimensions"),
               QStringLiteral("Remember Dimensions Of The Form On Restart"), nextRow(), skin);
  cbxConfigUsername = CheckBox(box, "cbxConfigUsername", QStringLiteral("Remember Username"),
                               QStringLiteral("Remembers Last Username Typed"), nextRow(), skin);
  cbxConfigValidate = CheckBox(box, "cbxConfigValidate",
                               QStringLiteral("Validate Database on Start"), {}, nextRow(), skin);
  cbxConfigLog =
      CheckBox(box, "cbxConfigLog", QStringLiteral("Log All Errors To File"), {}, nextRow(), skin);
  cbxConfigUpdate = CheckBox(box, "cbxConfigUpdate", QStringLiteral("Check Update On Start"), {},
                             nextRow(), skin);

  btnConfigApply = NewControl<TspSkinButton>(box, "btnConfigApply", {kLeft, y + 6, 200, 25}, skin);
  btnConfigApply->SetCaption(QStringLiteral("Apply And Save Changes"));

  // The skinned hint shows these in bold above a control's hint.
  lbxConfigSkins->SetHintTitle(QStringLiteral("Skin Colour"));
  spnConfigDuration->SetHintTitle(QStringLiteral("Error Duration"));
  cbxConfigDimen->SetHintTitle(QStringLiteral("Remember Application Dimensions"));
  cbxConfigUsername->SetHintTitle(QStringLiteral("Remember Username"));
  cbxConfigValidate->SetHintTitle(QStringLiteral("Validate Database"));
  cbxConfigLog->SetHintTitle(QStringLiteral("Log All Errors To File"));

  btnConfigApply->OnClick = [this](QObject*) { btnConfigApplyClick(); };
  lbxConfigSkins->OnListBoxClick = [this](QObject*) { lbxConfigSkinsListBoxClick(); };
}

void TConfigPage::LoadConfig(const QString& path) {
  // 1. The settings-file object; no file is touched yet.
  FForm.IniFile = std::make_unique<TProfileFile>(path);
  TProfileFile& ini = *FForm.IniFile;
  // 2. The folder, once; a failed creation is not reported.
  const QString folder = TfrmMain::WorkPath(QStringLiteral("cfg"));
  if (!QFileInfo::exists(folder) && QDir().mkdir(folder))
    FForm.LogMessage(QStringLiteral("Created Configuration Directory Successfully!"));
  // 3. The file, created with its defaults when missing.
  if (QFileInfo::exists(path)) {
    FForm.LogMessage(QStringLiteral("Config File Found at ") +
                     TfrmMain::NativeWorkPath(QStringLiteral("cfg/config.ini")));
  } else {
    FForm.LogMessage(QStringLiteral("Creating Ini File at ") + path);
    TConfigCreation creation;
    creation.Left = FForm.x();
    creation.Top = FForm.y();
    creation.Width = FForm.width();
    creation.Height = FForm.height();
    creation.DatabasePath = TfrmMain::NativeWorkPath(QStringLiteral("cfg/Data.mdb"));
    creation.ConfigPath = TfrmMain::NativeWorkPath(QStringLiteral("cfg/config.ini"));
    WriteConfigDefaults(ini, creation);
    edtConfigDB->SetText(creation.DatabasePath);
    FForm.LogMessage(QStringLiteral("Set Config Variables"));
  }
  // 4. The record.
  FForm.Config = ReadConfig(ini);
  const TiniConfig& config = *FForm.Config;
  // 5. The remembered bounds.
  if (config.RememberDimensions()) ApplyBounds(FForm, config);
  // 6. The skin.
  const int skinIndex = SkinIndexOfColor(config.SkinColor());
  lbxConfigSkins->SetItemIndex(skinIndex);
  FForm.spSkinForm->SetSkinIndex(skinIndex);
  // 7. The page.
  spnConfigDuration->SetValue(config.ErrorDur());
  cbxConfigDimen->SetChecked(config.RememberDimensions());
  cbxConfigUsername->SetChecked(config.RememberUser());
  cbxConfigValidate->SetChecked(config.ValidateDB());
  cbxConfigLog->SetChecked(config.LogErrors());
  cbxConfigUpdate->SetChecked(config.CheckUpdate());
  // 8. The remembered name.
  if (config.RememberUser()) FForm.LoginPage().edtLLogin->SetText(config.UserName());
}

void TConfigPage::SaveConfig() {
  if (!FForm.IniFile || !FForm.Config) return;
  WriteConfig(*FForm.IniFile, *FForm.Config);
}

void TConfigPage::btnConfigApplyClick() {
  // Start-up may have ended before the settings were read: there is no record to change.
  if (!FForm.Config) return;
  TiniConfig& config = *FForm.Config;
  const int skin = lbxConfigSkins->ItemIndex();
  config.SetUserSettings(skin >= 0 ? lbxConfigSkins->Items().at(skin) : QString(),
                         edtConfigDB->Text(), edtConfigFolder->Text(),
                         qint32(std::lround(spnConfigDuration->Value())),
                         cbxConfigUsername->Checked(), cbxConfigValidate->Checked(),
                         cbxConfigLog->Checked(), cbxConfigUpdate->Checked());
  config.SetRememberDimensions(cbxConfigDimen->Checked());
  // Nothing is written or logged: the file is written at shutdown.
}

void TConfigPage::lbxConfigSkinsListBoxClick() {
  const int index = lbxConfigSkins->ItemIndex();
  if (index >= 0) FForm.spSkinForm->SetSkinIndex(index);
}
