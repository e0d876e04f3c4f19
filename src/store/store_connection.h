#pragma once
// A named connection of Qt's SQL module, removed again when the owner goes. Cursors refer
// to it by name, so they must be destroyed (or closed) before it.

#include <QSqlDatabase>
#include <QString>
#include <memory>

struct TConnectionParams {
  QString HostName; // for PostgreSQL also the directory of a unix socket
  int Port = -1;
  QString DatabaseName;
  QString UserName;
  QString Password; // empty: the driver's own (for PostgreSQL ~/.pgpass or PGPASSWORD)
  QString Options;  // the driver's connect options, "key=value;key=value"
};

class TStoreConnection {
public:
  // The shelter's database file: an existing SQLite file, never created here. A missing
  // file or one that is not a database raises EDatabaseError.
  static std::unique_ptr<TStoreConnection> OpenSQLiteFile(const QString& path);
  // Creates the file when it is missing; for installers and tests.
  static std::unique_ptr<TStoreConnection> CreateSQLiteFile(const QString& path);
  // A server database through any Qt driver ("QPSQL").
  static std::unique_ptr<TStoreConnection> OpenServer(const QString& driver,
                                                      const TConnectionParams& params);

  ~TStoreConnection();
  TStoreConnection(const TStoreConnection&) = delete;
  TStoreConnection& operator=(const TStoreConnection&) = delete;

  const QString& Name() const { return FName; }
  QSqlDatabase Database() const;

private:
  explicit TStoreConnection(QString name) : FName(std::move(name)) {}
  static std::unique_ptr<TStoreConnection> OpenSQLite(const QString& path, bool create);

  QString FName;
};
