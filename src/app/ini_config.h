#pragma once
// TiniConfig: the settings record, the in-memory copy of cfg/config.ini.

#include <QString>

class TiniConfig {
public:
  const QString& AppVersion() const { return FAppVersion; }
  const QString& AppCreator() const { return FAppCreator; }
  bool RememberDimensions() const { return FRememberDimensions; }
  qint32 FormLeft() const { return FFormLeft; }
  qint32 FormTop() const { return FFormTop; }
  qint32 FormWidth() const { return FFormWidth; }
  qint32 FormHeight() const { return FFormHeight; }
  const QString& SkinColor() const { return FSkinColor; }
  const QString& DatabasePath() const { return FDatabasePath; }
  const QString& ConfigPath() const { return FConfigPath; }
  const QString& UserName() const { return FUserName; }
  qint32 ErrorDur() const { return FErrorDur; }
  bool RememberUser() const { return FRememberUser; }
  bool ValidateDB() const { return FValidateDB; }
  bool LogErrors() const { return FLogErrors; }
  bool CheckUpdate() const { return FCheckUpdate; }

  void SetDetails(const QString& appVersion, const QString& appCreator);
  void SetDimensions(bool remember, qint32 left, qint32 top, qint32 width, qint32 height);
  void SetUserSettings(const QString& skinColor, const QString& databasePath,
                       const QString& configPath, qint32 errorDur, bool rememberUser,
                       bool validateDB, bool logErrors, bool checkUpdate);
  void SetRememberDimensions(bool remember);
  void SetUserName(const QString& userName);

private:
  QString FAppVersion;
  QString FAppCreator;
  bool FRememberDimensions = false;
  qint32 FFormLeft = 0;
  qint32 FFormTop = 0;
  qint32 FFormWidth = 0;
  qint32 FFormHeight = 0;
  QString FSkinColor;
  QString FDatabasePath;
  QString FConfigPath;
  QString FUserName;
  qint32 FErrorDur = 0;
  bool FRememberUser = false;
  bool FValidateDB = false;
  bool FLogErrors = false;
  bool FCheckUpdate = false;
};
