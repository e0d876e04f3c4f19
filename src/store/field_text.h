#pragma once
// Turning field values into what the screens show. A null value cannot become text, a
// yes/no value or a number: that raises EVariantError, which ends the handler that read it.

#include <QString>
#include <QVariant>

// The type of a value as the conversion errors name it: "Null", "String", "Integer",
// "Boolean", "Double", "Date".
QString VariantTypeName(const QVariant& value);

// Text of a value: text as stored, integers in decimal, yes/no as "True" / "False", dates in
// the system locale's short date format (date and time: short date, a blank and the long
// time unless the time is midnight).
QString FieldAsString(const QVariant& value);

// Yes/no of a value; numbers are true when not zero.
bool FieldAsBoolean(const QVariant& value);

// Integer of a value; text must hold a decimal integer.
qlonglong FieldAsInteger(const QVariant& value);
