#include "app/ini_config.h"

#include "platform/profile_file.h"

#include <QStringList>

namespace {
const QString kDetails = QStringLiteral("Details");
const QString kDimensions = QStringLiteral("Dimensions");
const QString kUser = QStringLiteral("User");

// Runs a sequence of writes as one save of the file: on a second object of the same file, so
// that an exception half-way destroys it inside its update and drops every pending write,
// leaving the file as it was and the caller's object untouched.
template <class Writes> void SaveAsOne(const TProfileFile& file, Writes writes) {
  TProfileFile batch(file.FileName());
  batch.BeginUpdate();
  writes(batch);
  batch.EndUpdate();
}
} // namespace

void TiniConfig::SetDetails(const QString& appVersion, const QString& appCreator) {
  FAppVersion = appVersion;
  FAppCreator = appCreator;
}

void TiniConfig::SetDimensions(bool remember, qint32 left, qint32 top, qint32 width,
                               qint32 height) {
  FRememberDimensions = remember;
  FFormLeft = left;
  FFormTop = top;
  FFormWidth = width;
  FFormHeight = height;
}

void TiniConfig::SetUserSettings(const QString& skinColor, const QString& databasePath,
                                 const QString& configPath, qint32 errorDur, bool rememberUser,
                                 bool validateDB, bool logErrors, bool checkUpdate) {
  FSkinColor = skinColor;
  FDatabasePath = databasePath;
  FConfigPath = configPath;
  FErrorDur = errorDur;
  FRememberUser = rememberUser;
  FValidateDB = validateDB;
  FLogErrors = logErrors;
  FCheckUpdate = checkUpdate;
}

void TiniConfig::SetRememberDimensions(bool remember) {
  FRememberDimensions = remember;
}

void TiniConfig::SetUserName(const QString& userName) {
  FUserName = userName;
}

void TiniConfig::SetDatabaseServer(const QString& uri) {
  FDatabaseServer = uri;
}

void WriteConfigDefaults(TProfileFile& file, const TConfigCreation& creation) {
  SaveAsOne(file, [&](TProfileFile& ini) {
    ini.WriteString(kDetails, QStringLiteral("AppVersion"), QStringLiteral("0.1.0"));
    ini.WriteString(kDetails, QStringLiteral("AppCreator"), QStringLiteral("Quennel"));
    ini.WriteBool(kDimensions, QStringLiteral("isRemember"), true);
    ini.WriteInteger(kDimensions, QStringLiteral("left"), creation.Left);
    ini.WriteInteger(kDimensions, QStringLiteral("top"), creation.Top);
    ini.WriteInteger(kDimensions, QStringLiteral("width"), creation.Width);
    ini.WriteInteger(kDimensions, QStringLiteral("height"), creation.Height);
    ini.WriteString(kUser, QStringLiteral("SkinColor"), QStringLiteral("Blue"));
    ini.WriteString(kUser, QStringLiteral("DatabasePath"), creation.DatabasePath);
    ini.WriteString(kUser, QStringLiteral("ConfigPath"), creation.ConfigPath);
    ini.WriteInteger(kUser, QStringLiteral("ErrorDur"), 200);
    ini.WriteBool(kUser, QStringLiteral("isRemember"), false);
    ini.WriteString(kUser, QStringLiteral("userName"), QString());
    ini.WriteBool(kUser, QStringLiteral("valDB"), false);
    ini.WriteBool(kUser, QStringLiteral("logErrors"), false);
    ini.WriteBool(kUser, QStringLiteral("checkUpdate"), false);
  });
}

std::unique_ptr<TiniConfig> ReadConfig(const TProfileFile& file) {
  // Every key from one reading of the file: one version of it, and one open instead of one
  // per key. The update changes nothing, so its end saves nothing.
  TProfileFile ini(file.FileName());
  ini.BeginUpdate();
  auto config = std::make_unique<TiniConfig>();
  config->SetDetails(ini.ReadString(kDetails, QStringLiteral("AppVersion"), {}),
                     ini.ReadString(kDetails, QStringLiteral("AppCreator"), {}));
  config->SetDimensions(ini.ReadBool(kDimensions, QStringLiteral("isRemember"), true),
                        ini.ReadInteger(kDimensions, QStringLiteral("left"), 0),
                        ini.ReadInteger(kDimensions, QStringLiteral("top"), 0),
                        ini.ReadInteger(kDimensions, QStringLiteral("width"), 0),
                        ini.ReadInteger(kDimensions, QStringLiteral("height"), 0));
  config->SetUserSettings(ini.ReadString(kUser, QStringLiteral("SkinColor"), {}),
                          ini.ReadString(kUser, QStringLiteral("DatabasePath"), {}),
                          ini.ReadString(kUser, QStringLiteral("ConfigPath"), {}),
                          ini.ReadInteger(kUser, QStringLiteral("ErrorDur"), 0),
                          ini.ReadBool(kUser, QStringLiteral("isRemember"), true),
                          ini.ReadBool(kUser, QStringLiteral("valDB"), true),
                          ini.ReadBool(kUser, QStringLiteral("logErrors"), true),
                          ini.ReadBool(kUser, QStringLiteral("checkUpdate"), true));
  config->SetUserName(ini.ReadString(kUser, QStringLiteral("Username"), {}));
  config->SetDatabaseServer(
      ini.ReadString(QStringLiteral("Database"), QStringLiteral("Server"), {}).trimmed());
  ini.EndUpdate();
  return config;
}

void WriteConfig(TProfileFile& file, const TiniConfig& config) {
  SaveAsOne(file, [&](TProfileFile& ini) {
    ini.WriteString(kDetails, QStringLiteral("AppVersion"), config.AppVersion());
    ini.WriteString(kDetails, QStringLiteral("AppCreator"), config.AppCreator());
    ini.WriteBool(kDimensions, QStringLiteral("isRemember"), config.RememberDimensions());
    ini.WriteInteger(kDimensions, QStringLiteral("left"), config.FormLeft());
    ini.WriteInteger(kDimensions, QStringLiteral("top"), config.FormTop());
    ini.WriteInteger(kDimensions, QStringLiteral("width"), config.FormWidth());
    ini.WriteInteger(kDimensions, QStringLiteral("height"), config.FormHeight());
    ini.WriteString(kUser, QStringLiteral("SkinColor"), config.SkinColor());
    ini.WriteInteger(kUser, QStringLiteral("ErrorDur"), config.ErrorDur());
    ini.WriteBool(kUser, QStringLiteral("isRemember"), config.RememberUser());
    if (config.RememberUser())
      ini.WriteString(kUser, QStringLiteral("userName"), config.UserName());
    ini.WriteBool(kUser, QStringLiteral("valDB"), config.ValidateDB());
    ini.WriteBool(kUser, QStringLiteral("logErrors"), config.LogErrors());
    ini.WriteBool(kUser, QStringLiteral("checkUpdate"), config.CheckUpdate());
  });
}

int SkinIndexOfColor(const QString& skinColor) {
  static const QStringList kColors{QStringLiteral("Blue"), QStringLiteral("Green"),
                                   QStringLiteral("Orange")};
  const int index = int(kColors.indexOf(skinColor));
  return index >= 0 ? index : 3;
}
