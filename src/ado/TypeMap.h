#pragma once

// ADO type codes: from a declared SQL type, from an ODBC column description
// or from a value; and the conversion of a value assigned to a field.

#include <QString>
#include <QVariant>

namespace ado::detail {

struct TypeInfo {
    int type = 12; // adVariant
    int definedSize = 0;
    int precision = 0;
    int scale = 0;
};

// "nvarchar(50)", "decimal(18,4)", "datetime" ... as SQLite keeps them.
TypeInfo typeFromDeclared(const QString& declared);
// An ODBC SQL type with its column size and decimal digits.
TypeInfo typeFromOdbc(int sqlType, qint64 columnSize, int decimalDigits);
// An expression column without a declared type: from its values.
TypeInfo typeFromValues(const QVariant& sample, int maxTextLength);

bool isTextType(int type);
bool isLongType(int type); // long text or binary: no defined size, no "=" on servers
bool isNumericType(int type);
bool isDateType(int type);

// The value a field of this type takes for `value`; throws q42::Error 3421
// for a value of the wrong type and the multiple-step error for a text
// longer than the column.
QVariant coerceToField(const QVariant& value, const TypeInfo& type, const QString& fieldName);

// Dates as SQLite keeps them: "YYYY-MM-DD HH:MM:SS", or "YYYY-MM-DD" for a
// date column. Reading accepts both, with an optional "T" and fraction.
QString sqliteDateText(const QDateTime& value, int type);
QVariant readDateText(const QString& text);

} // namespace ado::detail
