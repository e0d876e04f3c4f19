#include "store/store_sql.h"

#include "store/field_text.h"
#include "store/store_error.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

[[noreturn]] void RaiseConversion(const QVariant& value, const char* target,
                                  const QString& fieldName) {
  throw EVariantError("Could not convert variant of type (" + VariantTypeName(value).toStdString() +
                      ") into type (" + target + ") for field '" + fieldName.toStdString() + "'");
}

// SQLite's declared types are free text; read them the way SQLite's affinity rules do,
// with yes/no and dates, which SQLite has no class for, recognised first.
TFieldKind KindOfDeclaredType(const QString& declared) {
  const QString type = declared.trimmed().toLower();
  if (type.startsWith(QLatin1String("bool")) || type == QLatin1String("bit") ||
      type == QLatin1String("yesno"))
    return TFieldKind::Boolean;
  if (type.startsWith(QLatin1String("datetime")) || type.startsWith(QLatin1String("timestamp")))
    return TFieldKind::DateTime;
  if (type.startsWith(QLatin1String("date"))) return TFieldKind::Date;
  if (type.contains(QLatin1String("int"))) return TFieldKind::Integer;
  if (type.contains(QLatin1String("char")) || type.contains(QLatin1String("clob")) ||
      type.contains(QLatin1String("text")))
    return TFieldKind::Text;
  if (type.contains(QLatin1String("real")) || type.contains(QLatin1String("floa")) ||
      type.contains(QLatin1String("doub")) || type.startsWith(QLatin1String("numeric")) ||
      type.startsWith(QLatin1String("decimal")))
    return TFieldKind::Float;
  return TFieldKind::Other;
}

TFieldKind KindOfPostgresType(const QString& dataType) {
  const QString type = dataType.toLower();
  if (type == QLatin1String("boolean")) return TFieldKind::Boolean;
  if (type == QLatin1String("date")) return TFieldKind::Date;
  if (type.startsWith(QLatin1String("timestamp"))) return TFieldKind::DateTime;
  if (type == QLatin1String("integer") || type == QLatin1String("bigint") ||
      type == QLatin1String("smallint"))
    return TFieldKind::Integer;
  if (type == QLatin1String("text") || type.startsWith(QLatin1String("character")))
    return TFieldKind::Text;
  if (type == QLatin1String("real") || type == QLatin1String("double precision") ||
      type == QLatin1String("numeric"))
    return TFieldKind::Float;
  return TFieldKind::Other;
}

TFieldKind KindOfMetaType(int typeId) {
  switch (typeId) {
  case QMetaType::Bool:
    return TFieldKind::Boolean;
  case QMetaType::QDate:
    return TFieldKind::Date;
  case QMetaType::QDateTime:
    return TFieldKind::DateTime;
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
    return TFieldKind::Integer;
  case QMetaType::Double:
    return TFieldKind::Float;
  case QMetaType::QString:
    return TFieldKind::Text;
  default:
    return TFieldKind::Other;
  }
}

void RunCatalogQuery(QSqlQuery& query, const QString& table) {
  query.setForwardOnly(true);
  query.addBindValue(table);
  if (!query.exec())
    throw EDatabaseError("Cannot read the columns of table '" + table.toStdString() +
                         "': " + query.lastError().text().toStdString());
}

// Marks the table's only primary-key column as its row key when `integerKey` accepts it.
template <class Accept> void MarkRowKey(std::vector<TColumnInfo>& columns, Accept integerKey) {
  int key = -1;
  for (int i = 0; i < int(columns.size()); ++i) {
    if (!columns[i].PrimaryKey) continue;
    if (key >= 0) return; // a key of several columns
    key = i;
  }
  if (key >= 0 && integerKey(key)) columns[key].RowKey = true;
}

bool TextToBool(const QString& text, bool* ok) {
  const QString t = text.trimmed().toLower();
  *ok = true;
  if (t == QLatin1String("true") || t == QLatin1String("t") || t == QLatin1String("yes") ||
      t == QLatin1String("1") || t == QLatin1String("-1"))
    return true;
  if (t == QLatin1String("false") || t == QLatin1String("f") || t == QLatin1String("no") ||
      t == QLatin1String("0"))
    return false;
  *ok = false;
  return false;
}

QDate ToDate(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::QDate:
    return value.toDate();
  case QMetaType::QDateTime:
    return value.toDateTime().date();
  case QMetaType::QString:
    return QDate::fromString(value.toString().trimmed().left(10), Qt::ISODate);
  default:
    return {};
  }
}

QDateTime ToDateTime(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::QDate:
    return value.toDate().startOfDay();
  case QMetaType::QDateTime:
    return value.toDateTime();
  case QMetaType::QString: {
    QString text = value.toString().trimmed();
    if (text.size() > 10 && text[10] == ' ') text[10] = 'T';
    QDateTime stamp = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!stamp.isValid() && text.size() == 10)
      stamp = QDate::fromString(text, Qt::ISODate).startOfDay();
    return stamp;
  }
  default:
    return {};
  }
}

} // namespace

QString QuoteIdentifier(const QString& name) {
  QString quoted = name;
  quoted.replace('"', QLatin1String("\"\""));
  return '"' + quoted + '"';
}

bool IsSQLite(const QSqlDatabase& db) {
  return db.driverName() == QLatin1String("QSQLITE");
}

QString FoldedAToZ(const QString& expression) {
  // lower() folds as the locale does: more than A to Z (É), and in a Turkish one I to a
  // dotless ı, which would lose rows the rule keeps. translate() maps these 26 letters only.
  return QStringLiteral("translate(") + expression +
         QStringLiteral(", 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz')");
}

QString FoldAToZ(const QString& text) {
  QString folded = text;
  for (QChar& c : folded)
    if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
  return folded;
}

std::vector<TColumnInfo> ReadTableColumns(const QSqlDatabase& db, const QString& table) {
  std::vector<TColumnInfo> columns;
  if (IsSQLite(db)) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)"));
    RunCatalogQuery(query, table);
    QStringList declared;
    while (query.next()) {
      columns.push_back({query.value(0).toString(), KindOfDeclaredType(query.value(1).toString()),
                         query.value(2).toInt() != 0});
      declared << query.value(1).toString().trimmed();
    }
    MarkRowKey(columns, [&](int i) {
      // Only this exact type makes the column the rowid; INT PRIMARY KEY and the like
      // allow many rows with a null key.
      return declared[i].compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
    });
    return columns;
  }
  if (db.driverName() == QLatin1String("QPSQL")) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT c.column_name, c.data_type, EXISTS (SELECT 1 FROM "
        "information_schema.table_constraints t JOIN information_schema.key_column_usage k "
        "ON k.constraint_name = t.constraint_name AND k.constraint_schema = t.constraint_schema "
        "WHERE t.constraint_type = 'PRIMARY KEY' AND t.table_schema = c.table_schema "
        "AND t.table_name = c.table_name AND k.column_name = c.column_name) "
        "FROM information_schema.columns c "
        "WHERE c.table_schema = current_schema() AND c.table_name = ? "
        "ORDER BY c.ordinal_position"));
    RunCatalogQuery(query, table);
    while (query.next()) {
      const QString type = query.value(1).toString();
      columns.push_back({query.value(0).toString(), KindOfPostgresType(type),
                         query.value(2).toBool(), false,
                         type.compare(QLatin1String("character"), Qt::CaseInsensitive) == 0});
    }
    // A primary key is unique and never null.
    MarkRowKey(columns, [&](int i) { return columns[i].Kind == TFieldKind::Integer; });
    return columns;
  }
  // Any other engine: what Qt's driver knows of the table.
  const QString escaped = db.driver()->escapeIdentifier(table, QSqlDriver::TableName);
  const QSqlRecord record = db.record(escaped);
  const QSqlIndex primary = db.primaryIndex(escaped);
  for (int i = 0; i < record.count(); ++i) {
    const QSqlField field = record.field(i);
    columns.push_back({field.name(), KindOfMetaType(field.metaType().id()),
                       primary.count() == 1 && primary.fieldName(0) == field.name()});
  }
  MarkRowKey(columns, [&](int i) { return columns[i].Kind == TFieldKind::Integer; });
  return columns;
}

QVariant NormalizeValue(const QVariant& raw, TFieldKind kind) {
  if (raw.isNull()) return {};
  switch (kind) {
  case TFieldKind::Boolean: {
    if (raw.typeId() == QMetaType::Bool) return raw;
    if (raw.typeId() == QMetaType::QString) {
      bool ok = false;
      const bool flag = TextToBool(raw.toString(), &ok);
      return ok ? QVariant(flag) : raw;
    }
    return QVariant(raw.toLongLong() != 0);
  }
  case TFieldKind::Integer: {
    if (raw.typeId() == QMetaType::LongLong) return raw;
    bool ok = false;
    const qlonglong number = raw.toLongLong(&ok);
    return ok ? QVariant(number) : raw;
  }
  case TFieldKind::Float: {
    bool ok = false;
    const double number = raw.toDouble(&ok);
    return ok ? QVariant(number) : raw;
  }
  case TFieldKind::Date: {
    const QDate date = ToDate(raw);
    return date.isValid() ? QVariant(date) : raw;
  }
  case TFieldKind::DateTime: {
    const QDateTime stamp = ToDateTime(raw);
    return stamp.isValid() ? QVariant(stamp) : raw;
  }
  case TFieldKind::Text:
    if (raw.typeId() == QMetaType::QString) return raw;
    if (raw.typeId() == QMetaType::QByteArray) return QString::fromUtf8(raw.toByteArray());
    return QVariant(raw.toString());
  case TFieldKind::Other:
    break;
  }
  return raw;
}

QVariant BindableValue(const QSqlDatabase& db, const QVariant& value, TFieldKind kind,
                       const QString& fieldName) {
  if (value.isNull()) return {};
  const bool sqlite = IsSQLite(db);
  switch (kind) {
  case TFieldKind::Boolean: {
    bool flag = false;
    if (value.typeId() == QMetaType::Bool) {
      flag = value.toBool();
    } else if (value.typeId() == QMetaType::QString) {
      bool ok = false;
      flag = TextToBool(value.toString(), &ok);
      if (!ok) RaiseConversion(value, "Boolean", fieldName);
    } else {
      bool ok = false;
      flag = value.toLongLong(&ok) != 0;
      if (!ok) RaiseConversion(value, "Boolean", fieldName);
    }
    return sqlite ? QVariant(flag ? 1 : 0) : QVariant(flag);
  }
  case TFieldKind::Integer: {
    bool ok = false;
    const qlonglong number = value.typeId() == QMetaType::QString
                                 ? value.toString().trimmed().toLongLong(&ok)
                                 : value.toLongLong(&ok);
    if (!ok || value.typeId() == QMetaType::Bool) RaiseConversion(value, "Integer", fieldName);
    return QVariant(number);
  }
  case TFieldKind::Float: {
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || value.typeId() == QMetaType::Bool) RaiseConversion(value, "Double", fieldName);
    return QVariant(number);
  }
  case TFieldKind::Date: {
    const QDate date = ToDate(value);
    if (!date.isValid()) RaiseConversion(value, "Date", fieldName);
    return sqlite ? QVariant(date.toString(Qt::ISODate)) : QVariant(date);
  }
  case TFieldKind::DateTime: {
    const QDateTime stamp = ToDateTime(value);
    if (!stamp.isValid()) RaiseConversion(value, "Date", fieldName);
    return sqlite ? QVariant(stamp.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                  : QVariant(stamp);
  }
  case TFieldKind::Text:
    if (value.typeId() == QMetaType::QDate) return value.toDate().toString(Qt::ISODate);
    if (!value.canConvert<QString>()) RaiseConversion(value, "String", fieldName);
    return QVariant(value.toString());
  case TFieldKind::Other:
    break;
  }
  return value;
}
