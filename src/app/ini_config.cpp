#include "app/ini_config.h"

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
