#pragma once
// What differs between the database engines behind the store: quoting, the catalogue and
// how yes/no and date values travel. Everything else is plain SQL with bound values.

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <vector>

enum class TFieldKind { Integer, Float, Text, Boolean, Date, DateTime, Other };

struct TColumnInfo {
  QString Name;
  TFieldKind Kind = TFieldKind::Other;
  bool PrimaryKey = false;
  // The column alone is the table's key and holds a distinct integer in every row: on SQLite
  // the rowid alias (INTEGER PRIMARY KEY), on PostgreSQL the single-column primary key of an
  // integer type.
  bool RowKey = false;
  // A fixed-width text column (PostgreSQL's character(n)): its values read with the blanks
  // that pad them, which the server's text functions drop.
  bool Padded = false;
};

// A double-quoted identifier with embedded quotes doubled; standard SQL, so it holds for
// SQLite and PostgreSQL alike. Only names taken from the catalogue go through it.
QString QuoteIdentifier(const QString& name);

bool IsSQLite(const QSqlDatabase& db);

// PostgreSQL's form of an expression with the capitals A to Z made small and every other
// character kept, the case rule of the searches; an index on it must be written the same.
QString FoldedAToZ(const QString& expression);
// `text` with the capitals A to Z made small, every other character kept.
QString FoldAToZ(const QString& text);

// The table's columns in column order; empty when the table does not exist.
std::vector<TColumnInfo> ReadTableColumns(const QSqlDatabase& db, const QString& table);

// A value read from the database in the form the cursor hands out: null stays null,
// yes/no becomes bool, dates become QDate / QDateTime, integers qlonglong.
QVariant NormalizeValue(const QVariant& raw, TFieldKind kind);

// A value to bind for a column: the engine's own form of yes/no and dates. Raises
// EVariantError when the value cannot become the column's type.
QVariant BindableValue(const QSqlDatabase& db, const QVariant& value, TFieldKind kind,
                       const QString& fieldName);
