#pragma once

// Moving values between ODBC buffers and QVariants.

#include <QString>
#include <QVariant>
#include <sql.h>
#include <sqlext.h>

namespace ado::detail::odbc {

// QString and SQLWCHAR share UTF-16 here.
static_assert(sizeof(SQLWCHAR) == sizeof(char16_t));

inline SQLWCHAR* w(const QString& s) {
    return const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(s.utf16()));
}

inline QString fromW(const SQLWCHAR* p, qsizetype chars) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(p), chars);
}

// How a column is read: the C type asked of the driver.
enum class Read { Bit, BigInt, Double, Decimal, Timestamp, Date, Time, Binary, Text };

Read readAs(int adoType, int precision);
// One column of the current row; rc receives the driver's answer.
QVariant readValue(SQLHSTMT stmt, SQLUSMALLINT col, Read how, SQLRETURN& rc);

// A parameter's value and the buffers ODBC reads it from.
struct Param {
    SQLSMALLINT cType = -8; // SQL_C_WCHAR
    SQLSMALLINT sqlType = SQL_WVARCHAR;
    SQLULEN size = 1;
    SQLSMALLINT digits = 0;
    QByteArray data;
    SQLLEN ind = 0;
};

Param paramFor(const QVariant& value);

} // namespace ado::detail::odbc
