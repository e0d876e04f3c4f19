#include "store/store_connection.h"

#include "store/store_error.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>

namespace {

constexpr int kBusyTimeoutMs = 10000;

QString NewConnectionName() {
  // Connections may be opened on several threads, one per thread.
  static std::atomic<int> counter = 0;
  return QStringLiteral("vorns-store-%1").arg(++counter);
}

std::string DriverMessage(const QSqlError& error) {
  // One line: libpq's messages run over several.
  const QString text = error.text().simplified();
  return (text.isEmpty() ? QStringLiteral("unknown database error") : text).toStdString();
}

} // namespace

std::unique_ptr<TStoreConnection> TStoreConnection::OpenSQLiteFile(const QString& path) {
  return OpenSQLite(path, false);
}

std::unique_ptr<TStoreConnection> TStoreConnection::CreateSQLiteFile(const QString& path) {
  return OpenSQLite(path, true);
}

std::unique_ptr<TStoreConnection> TStoreConnection::OpenSQLite(const QString& path, bool create) {
  const QFileInfo info(path);
  if (!create && !info.isFile())
    throw EDatabaseError("Database file not found: " + path.toStdString());
  if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
    throw EDatabaseError("The SQLite driver of Qt's SQL module is not installed");

  std::unique_ptr<TStoreConnection> connection(new TStoreConnection(NewConnectionName()));
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection->Name());
  // A URI with mode=rw opens without ever creating: a file deleted after the check above
  // fails here instead of coming back empty.
  QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  url.setQuery(create ? QStringLiteral("mode=rwc") : QStringLiteral("mode=rw"));
  db.setDatabaseName(url.toString(QUrl::FullyEncoded));
  // Another process may be writing for the moment of its commit (fsyncs included, slow on a
  // busy disk): wait for it rather than fail with "database is locked".
  db.setConnectOptions(
      QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
  if (!db.open())
    throw EDatabaseError("Cannot open database " + path.toStdString() + ": " +
                         DriverMessage(db.lastError()));
  // SQLite reads the header lazily; touch the catalogue so that a file that is not a
  // database fails now, with the file's name, rather than at the first table.
  QSqlQuery probe(db);
  if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
    throw EDatabaseError("Cannot open database " + path.toStdString() + ": " +
                         DriverMessage(probe.lastError()));
  probe.finish();
  // Whole commits after a kill or a power cut, and processes that do not lock each other out:
  // the write-ahead log lets readers (a search, a backup) go on while one process writes, so
  // only writers wait for each other, each for the moment of a commit; every commit is synced
  // to the disk before it counts. The mode stays with the file; a file another program holds
  // in the rollback journal keeps that, equally safe, until it is free. The log goes again
  // when the last connection closes: at rest the database is one file. (The log's shared
  // memory needs a local disk: workstations on several PCs share a server instead.)
  QSqlQuery setting(db);
  setting.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
  if (!setting.exec(QStringLiteral("PRAGMA synchronous = FULL")))
    throw EDatabaseError("Cannot open database " + path.toStdString() + ": " +
                         DriverMessage(setting.lastError()));
  return connection;
}

std::unique_ptr<TStoreConnection> TStoreConnection::OpenServer(const QString& driver,
                                                               const TConnectionParams& params) {
  if (!QSqlDatabase::isDriverAvailable(driver))
    throw EDatabaseError("The database driver " + driver.toStdString() + " is not installed");
  std::unique_ptr<TStoreConnection> connection(new TStoreConnection(NewConnectionName()));
  QSqlDatabase db = QSqlDatabase::addDatabase(driver, connection->Name());
  db.setHostName(params.HostName);
  if (params.Port >= 0) db.setPort(params.Port);
  db.setDatabaseName(params.DatabaseName);
  db.setUserName(params.UserName);
  db.setPassword(params.Password);
  db.setConnectOptions(params.Options);
  if (!db.open())
    throw EDatabaseError("Cannot connect to database " + params.DatabaseName.toStdString() + ": " +
                         DriverMessage(db.lastError()));
  return connection;
}

TStoreConnection::~TStoreConnection() {
  {
    QSqlDatabase db = QSqlDatabase::database(FName, false);
    if (db.isValid()) db.close();
  }
  QSqlDatabase::removeDatabase(FName);
}

QSqlDatabase TStoreConnection::Database() const {
  return QSqlDatabase::database(FName, false);
}
