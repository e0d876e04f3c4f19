#pragma once
// Errors the database reports, raised as the store's own.

#include <QSqlError>
#include <QString>

[[noreturn]] void Raise(const QString& message);
// EUniqueViolation when a unique index refused a row, else EDatabaseError; the message is
// `what`, then the database's own text.
[[noreturn]] void RaiseSql(const QString& what, const QSqlError& error);
