#pragma once
// TiniConfig: the settings record, the in-memory copy of cfg/config.ini, and the three ways
// it meets the file: the defaults a new file is created with, reading the record (with the
// defaults of absent keys) and saving it.

#include <QString>
#include <memory>

class TProfileFile;

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
  // [Database] Server=: the connection URI of a shared PostgreSQL server; empty for the
  // working directory's cfg/Data.mdb. Read only: the section stays as the user wrote it.
  const QString& DatabaseServer() const { return FDatabaseServer; }

  void SetDetails(const QString& appVersion, const QString& appCreator);
  void SetDimensions(bool remember, qint32 left, qint32 top, qint32 width, qint32 height);
  void SetUserSettings(const QString& skinColor, const QString& databasePath,
                       const QString& configPath, qint32 errorDur, bool rememberUser,
                       bool validateDB, bool logErrors, bool checkUpdate);
  void SetRememberDimensions(bool remember);
  void SetUserName(const QString& userName);
  void SetDatabaseServer(const QString& uri);

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
  QString FDatabaseServer;
};

// What a new settings file starts with besides its fixed values: the window's bounds at
// that moment and the two paths (native separators).
struct TConfigCreation {
  qint32 Left = 0;
  qint32 Top = 0;
  qint32 Width = 0;
  qint32 Height = 0;
  QString DatabasePath;
  QString ConfigPath;
};

// Writes every key with its creation value, in the file's key order, as one save: the file
// appears whole or not at all. Throws EProfileFileError when it cannot be written.
void WriteConfigDefaults(TProfileFile& file, const TConfigCreation& creation);

// The record as the file holds it; absent keys take their reading defaults (empty texts,
// zero numbers, true flags). The user name is read under "Username", the database server
// under [Database] "Server".
std::unique_ptr<TiniConfig> ReadConfig(const TProfileFile& file);

// Writes the record back in the file's key order, as one save. The two paths and the
// database server are not written, and the user name only when the record remembers it: otherwise
// the file keeps the name it had.
void WriteConfig(TProfileFile& file, const TiniConfig& config);

// The built-in skin a SkinColor names: 0 "Blue", 1 "Green", 2 "Orange", and 3 "Purple" for
// every other value, an empty one included. Compared exactly.
int SkinIndexOfColor(const QString& skinColor);
