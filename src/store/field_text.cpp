#include "store/field_text.h"

#include "store/store_error.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

namespace {

[[noreturn]] void RaiseConversion(const QVariant& value, const char* target) {
  throw EVariantError("Could not convert variant of type (" + VariantTypeName(value).toStdString() +
                      ") into type (" + target + ")");
}

bool IsInteger(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Short:
  case QMetaType::UShort:
  case QMetaType::Long:
  case QMetaType::ULong:
    return true;
  default:
    return false;
  }
}

} // namespace

QString VariantTypeName(const QVariant& value) {
  if (value.isNull()) return QStringLiteral("Null");
  if (IsInteger(value)) return QStringLiteral("Integer");
  switch (value.typeId()) {
  case QMetaType::QString:
  case QMetaType::QByteArray:
    return QStringLiteral("String");
  case QMetaType::Bool:
    return QStringLiteral("Boolean");
  case QMetaType::Double:
  case QMetaType::Float:
    return QStringLiteral("Double");
  case QMetaType::QDate:
  case QMetaType::QDateTime:
  case QMetaType::QTime:
    return QStringLiteral("Date");
  default:
    return QString::fromLatin1(value.typeName());
  }
}

QString FieldAsString(const QVariant& value) {
  if (value.isNull()) RaiseConversion(value, "String");
  if (IsInteger(value)) return QString::number(value.toLongLong());
  switch (value.typeId()) {
  case QMetaType::QString:
    return value.toString();
  case QMetaType::QByteArray:
    return QString::fromUtf8(value.toByteArray());
  case QMetaType::Bool:
    return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  case QMetaType::Double:
  case QMetaType::Float:
    return QString::number(value.toDouble(), 'g', 15);
  case QMetaType::QDate:
    return QLocale::system().toString(value.toDate(), QLocale::ShortFormat);
  case QMetaType::QDateTime: {
    const QDateTime stamp = value.toDateTime();
    const QLocale locale = QLocale::system();
    QString text = locale.toString(stamp.date(), QLocale::ShortFormat);
    if (stamp.time() != QTime(0, 0))
      text += ' ' + locale.toString(stamp.time(), QLocale::LongFormat);
    return text;
  }
  default:
    RaiseConversion(value, "String");
  }
}

bool FieldAsBoolean(const QVariant& value) {
  if (value.isNull()) RaiseConversion(value, "Boolean");
  if (value.typeId() == QMetaType::Bool) return value.toBool();
  if (IsInteger(value)) return value.toLongLong() != 0;
  if (value.typeId() == QMetaType::Double) return value.toDouble() != 0.0;
  if (value.typeId() == QMetaType::QString) {
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (ok) return number != 0;
  }
  RaiseConversion(value, "Boolean");
}

qlonglong FieldAsInteger(const QVariant& value) {
  if (value.isNull()) RaiseConversion(value, "Integer");
  if (IsInteger(value)) return value.toLongLong();
  if (value.typeId() == QMetaType::Bool) return value.toBool() ? -1 : 0;
  if (value.typeId() == QMetaType::QString) {
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (ok) return number;
  }
  RaiseConversion(value, "Integer");
}
