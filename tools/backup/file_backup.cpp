#include "file_backup.h"

#include "backup_error.h"
#include "backup_target.h"
#include "durable_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <sqlite3.h>
#include <string>

namespace {

// As long as the application waits for another workstation's commit.
constexpr int kBusyTimeoutMs = 10000;
// The online backup starts again when another connection writes between its steps; copied
// in one step it holds a read lock throughout, and a writer waits for it.
constexpr int kCopyAttempts = 3;

std::string Native(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

// An open SQLite database, closed when it goes.
class TSqliteFile {
public:
  TSqliteFile(const QString& path, int flags) : FPath(path) {
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &FDb, flags, nullptr);
    if (rc != SQLITE_OK)
      throw EBackupError("Cannot open the database " + Native(path) + ": " + Message());
    sqlite3_busy_timeout(FDb, kBusyTimeoutMs);
  }
  ~TSqliteFile() { sqlite3_close_v2(FDb); }
  TSqliteFile(const TSqliteFile&) = delete;
  TSqliteFile& operator=(const TSqliteFile&) = delete;

  sqlite3* Db() const { return FDb; }
  const QString& Path() const { return FPath; }
  std::string Message() const { return FDb ? sqlite3_errmsg(FDb) : "out of memory"; }

  // Runs a statement; the result code, with the first column of the first row in `value`.
  int Run(const char* sql, QString* value = nullptr) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(FDb, sql, -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
      rc = sqlite3_step(statement);
      if (rc == SQLITE_ROW && value)
        *value =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
      if (rc == SQLITE_ROW || rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    return rc;
  }

  QString Value(const char* sql, const std::string& failure) {
    QString value;
    if (Run(sql, &value) != SQLITE_OK) throw EBackupError(failure + ": " + Message());
    return value;
  }

private:
  QString FPath;
  sqlite3* FDb = nullptr;
};

// Copies every page of `from` into `to` as one state of `from`.
void CopyDatabase(TSqliteFile& from, TSqliteFile& to, const std::string& failure) {
  for (int attempt = 1;; ++attempt) {
    sqlite3_backup* backup = sqlite3_backup_init(to.Db(), "main", from.Db(), "main");
    if (!backup) throw EBackupError(failure + ": " + to.Message());
    const int step = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (step == SQLITE_DONE) break;
    if ((step == SQLITE_BUSY || step == SQLITE_LOCKED) && attempt < kCopyAttempts) continue;
    if (step == SQLITE_BUSY || step == SQLITE_LOCKED)
      throw EBackupError(failure + ": the database stayed locked by another program");
    throw EBackupError(failure + ": " + sqlite3_errstr(step));
  }
  // The copy takes the source's header, a write-ahead log mode included: a backup is one
  // self-contained file whatever mode the source was in.
  QString mode;
  if (to.Run("PRAGMA journal_mode = DELETE", &mode) != SQLITE_OK)
    throw EBackupError(failure + ": " + to.Message());
}

// The file of a working directory's database, which must exist.
QString ExistingDatabase(const QString& directory) {
  const QFileInfo folder(directory);
  if (!folder.exists())
    throw EBackupError("The working directory " + Native(directory) + " does not exist");
  if (!folder.isDir())
    throw EBackupError(Native(directory) + " is not a folder: name a working directory");
  const QString path = DatabaseFile(directory);
  if (!QFileInfo(path).isFile())
    throw EBackupError("The working directory " + Native(directory) + " holds no database (" +
                       Native(path) + " is missing)");
  return path;
}

// A backup fit to be a shelter's database: whole, with both tables.
void CheckBackup(TSqliteFile& backup) {
  const std::string name = Native(backup.Path());
  const QString check = backup.Value("PRAGMA quick_check", "The backup " + name + " is damaged");
  if (check != QLatin1String("ok"))
    throw EBackupError("The backup " + name + " is damaged: " + check.toStdString());
  const QString tables = backup.Value("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                                      "lower(name) IN ('users', 'animals')",
                                      "The backup " + name + " cannot be read");
  if (tables != QLatin1String("2"))
    throw EBackupError("The backup " + name +
                       " is not a shelter database: it lacks the Users "
                       "or the Animals table");
}

// Removes the journals a crash may have left beside a database: played back into another
// database put in its place they would corrupt it.
void RemoveJournals(const QString& database) {
  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    const QString sidecar = database + QLatin1String(suffix);
    if (QFileInfo::exists(sidecar) && !QFile::remove(sidecar))
      throw EBackupError("Cannot remove the old database journal " + Native(sidecar));
  }
}

} // namespace

QString BackupDirectory(const QString& directory, const QString& output) {
  const QString database = ExistingDatabase(directory);
  if (QFileInfo::exists(output) || QFileInfo(output).isSymLink())
    throw EBackupError(Native(output) + " exists already; a backup never replaces a file: "
                                        "give a new name");
  // Read-write, as the application opens it: a journal a crash left is played back first.
  TSqliteFile source(database, SQLITE_OPEN_READWRITE);
  source.Value("SELECT count(*) FROM sqlite_master",
               "Cannot back up " + Native(database) + ": it is not a readable database");
  TFileBeside copy(output, QStringLiteral("the backup"));
  {
    TSqliteFile target(copy.Path(), SQLITE_OPEN_READWRITE);
    CopyDatabase(source, target, "Cannot back up " + Native(database));
  }
  copy.PublishNew(output, QStringLiteral("a backup"));
  return QStringLiteral("Backed up %1 to %2")
      .arg(QDir::toNativeSeparators(database), QDir::toNativeSeparators(output));
}

QString RestoreDirectory(const QString& backup, const QString& directory, bool force) {
  const QFileInfo folder(directory);
  if (!folder.isDir())
    throw EBackupError("The working directory " + Native(directory) +
                       (folder.exists() ? " is not a folder" : " does not exist"));
  const QString database = DatabaseFile(directory);
  if (QFileInfo::exists(database) && !force)
    throw EBackupError("The database " + Native(database) +
                       " exists already; use --force to replace it");
  // Closed before the old database is locked: the backup may be a copy of that very file.
  auto source = std::make_unique<TSqliteFile>(backup, SQLITE_OPEN_READONLY);
  CheckBackup(*source);
  const QString cfg = QFileInfo(database).absolutePath();
  if (!QDir().mkpath(cfg)) throw EBackupError("Cannot create the folder " + Native(cfg));
  TFileBeside building(database, QStringLiteral("the database"));
  {
    TSqliteFile target(building.Path(), SQLITE_OPEN_READWRITE);
    CopyDatabase(*source, target, "Cannot restore " + Native(backup));
  }
  source.reset();

  // The old database locked for the change-over. Leaving the write-ahead log needs the only
  // connection, so a program that has it open (its log and shared memory would pair with
  // the new file) is found; in the rollback journal then, an exclusive lock keeps others out
  // until the new file is in place, and a journal a crash left is played back into the old
  // database, not into the new one.
  std::unique_ptr<TSqliteFile> old;
  if (QFileInfo::exists(database)) {
    old = std::make_unique<TSqliteFile>(database, SQLITE_OPEN_READWRITE);
    QString mode;
    int rc = old->Run("PRAGMA journal_mode = DELETE", &mode);
    if (rc == SQLITE_OK && mode.compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
      rc = SQLITE_BUSY;
    if (rc == SQLITE_OK) rc = old->Run("BEGIN EXCLUSIVE");
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
      throw EBackupError("The database " + Native(database) +
                         " is in use; close every application that has it open and try again");
    // A damaged old database is what a restore is for: it is replaced unlocked.
    if (rc != SQLITE_OK) old.reset();
  }
  // A replaced database keeps its owner and permissions; a new one gets the installer's.
  if (QFileInfo::exists(database))
    TakeOwnerAndMode(database, building.Path());
  else
    QFile::setPermissions(building.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                               QFile::ReadOther);
  RemoveJournals(database);
  building.PublishOver(database, QStringLiteral("the database"));
  return QStringLiteral("Restored %1 to %2")
      .arg(QDir::toNativeSeparators(backup), QDir::toNativeSeparators(database));
}
