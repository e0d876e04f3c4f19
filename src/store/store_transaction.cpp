#include "store/store_transaction.h"

#include "store/store_error.h"
#include "store/store_sql.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

[[noreturn]] void Fail(const char* what, const QSqlError& error) {
  throw EDatabaseError(std::string(what) + ": " + error.text().trimmed().toStdString());
}

void Exec(QSqlDatabase& db, const QString& sql, const char* what) {
  QSqlQuery query(db);
  if (!query.exec(sql)) Fail(what, query.lastError());
}

} // namespace

void RunExclusiveWrite(const QString& connectionName, const QString& table,
                       const std::function<void()>& write) {
  QSqlDatabase db = QSqlDatabase::database(connectionName, false);
  if (!db.isValid() || !db.isOpen()) throw EDatabaseError("The database connection is not open");
  const bool sqlite = IsSQLite(db);
  // Qt's SQLite driver begins deferred: two connections could both read, then only one
  // write. IMMEDIATE takes the write lock first (waiting out the busy timeout).
  if (sqlite) {
    Exec(db, QStringLiteral("BEGIN IMMEDIATE"), "Cannot begin a transaction");
  } else {
    if (!db.transaction()) Fail("Cannot begin a transaction", db.lastError());
    try {
      Exec(db,
           QStringLiteral("LOCK TABLE ") + QuoteIdentifier(table) +
               QStringLiteral(" IN SHARE ROW EXCLUSIVE MODE"),
           "Cannot lock the table");
    } catch (...) {
      db.rollback();
      throw;
    }
  }
  const auto rollback = [&] {
    if (sqlite) {
      QSqlQuery query(db);
      query.exec(QStringLiteral("ROLLBACK"));
    } else {
      db.rollback();
    }
  };
  try {
    write();
  } catch (...) {
    rollback();
    throw;
  }
  if (sqlite) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("COMMIT"))) {
      const QSqlError error = query.lastError();
      rollback();
      Fail("Cannot commit", error);
    }
  } else if (!db.commit()) {
    const QSqlError error = db.lastError();
    rollback();
    Fail("Cannot commit", error);
  }
}
