#include "store/sql_error.h"

#include "store/store_error.h"

[[noreturn]] void Raise(const QString& message) {
  throw EDatabaseError(message.toStdString());
}

namespace {

// PostgreSQL's SQLSTATE for a unique violation; SQLite's extended result codes for a
// unique index and a primary key.
bool IsUniqueViolation(const QSqlError& error) {
  const QString code = error.nativeErrorCode();
  return code == QLatin1String("23505") || code == QLatin1String("2067") ||
         code == QLatin1String("1555") ||
         error.databaseText().contains(QLatin1String("UNIQUE constraint failed"));
}

} // namespace

[[noreturn]] void RaiseSql(const QString& what, const QSqlError& error) {
  const QString detail = error.text().trimmed();
  const QString message = detail.isEmpty() ? what : what + ": " + detail;
  if (IsUniqueViolation(error)) throw EUniqueViolation(message.toStdString());
  Raise(message);
}
