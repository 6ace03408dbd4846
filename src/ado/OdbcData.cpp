#include "OdbcData.h"

#include "Ado.h"
#include "OdbcApi.h"

#include <QDateTime>
#include <sqlext.h>

namespace ado::detail::odbc {

namespace {

// Long values come in pieces; the driver says 01004 while more remains.
QVariant readChunks(SQLHSTMT stmt, SQLUSMALLINT col, bool text, SQLRETURN& rc) {
    QByteArray bytes;
    char buffer[8192];
    const SQLLEN room =
        text ? SQLLEN(sizeof buffer) - SQLLEN(sizeof(SQLWCHAR)) : SQLLEN(sizeof buffer);
    for (;;) {
        SQLLEN ind = 0;
        rc = odbcApi().SQLGetData(stmt, col, text ? SQL_C_WCHAR : SQL_C_BINARY, buffer,
                                  sizeof buffer, &ind);
        if (rc == SQL_NO_DATA) {
            rc = SQL_SUCCESS;
            break;
        }
        if (!SQL_SUCCEEDED(rc))
            return {};
        if (ind == SQL_NULL_DATA)
            return {};
        const SQLLEN got = (ind == SQL_NO_TOTAL || ind > room) ? room : ind;
        bytes.append(buffer, qsizetype(got));
        if (rc == SQL_SUCCESS)
            break;
    }
    if (!text)
        return bytes;
    return fromW(reinterpret_cast<const SQLWCHAR*>(bytes.constData()),
                 bytes.size() / qsizetype(sizeof(SQLWCHAR)));
}

template <typename T> QByteArray bytesOf(const T& v) {
    return QByteArray(reinterpret_cast<const char*>(&v), sizeof v);
}

} // namespace

Read readAs(int adoType, int precision) {
    switch (adoType) {
    case adBoolean:
        return Read::Bit;
    case adSmallInt:
    case adInteger:
    case adTinyInt:
    case adUnsignedTinyInt:
    case adUnsignedSmallInt:
    case adUnsignedInt:
    case adBigInt:
        return Read::BigInt;
    case adSingle:
    case adDouble:
        return Read::Double;
    case adNumeric:
    case adDecimal:
    case adCurrency:
    case adVarNumeric:
        // Exact decimals beyond a double's digits stay text.
        return precision > 15 ? Read::Text : Read::Decimal;
    case adDate:
    case adDBTimeStamp:
        return Read::Timestamp;
    case adDBDate:
        return Read::Date;
    case adDBTime:
        return Read::Time;
    case adBinary:
    case adVarBinary:
    case adLongVarBinary:
        return Read::Binary;
    default:
        return Read::Text;
    }
}

QVariant readValue(SQLHSTMT stmt, SQLUSMALLINT col, Read how, SQLRETURN& rc) {
    SQLLEN ind = 0;
    switch (how) {
    case Read::Bit: {
        unsigned char v = 0;
        rc = odbcApi().SQLGetData(stmt, col, SQL_C_BIT, &v, sizeof v, &ind);
        return ind == SQL_NULL_DATA ? QVariant() : QVariant(v != 0);
    }
    case Read::BigInt: {
        SQLBIGINT v = 0;
        rc = odbcApi().SQLGetData(stmt, col, SQL_C_SBIGINT, &v, sizeof v, &ind);
        return ind == SQL_NULL_DATA ? QVariant() : QVariant(qlonglong(v));
    }
    case Read::Double: {
        double v = 0;
        rc = odbcApi().SQLGetData(stmt, col, SQL_C_DOUBLE, &v, sizeof v, &ind);
        return ind == SQL_NULL_DATA ? QVariant() : QVariant(v);
    }
    case Read::Decimal: {
        char text[80] = {};
        rc = odbcApi().SQLGetData(stmt, col, SQL_C_CHAR, text, sizeof text, &ind);
        return ind == SQL_NULL_DATA ? QVariant() : QVariant(QByteArray(text).trimmed().toDouble());
    }
    case Read::Timestamp: {
        SQL_TIMESTAMP_STRUCT v{};
        rc = odbcApi().SQLGetData(stmt, col, SQL_C_TYPE_TIMESTAMP, &v, sizeof v, &ind);
        if (ind == SQL_NULL_DATA)
            return {};
        return QDateTime(QDate(v.year, v.month, v.day),
                         QTime(v.hour, v.minute, v.second, int(v.fraction / 1000000)));
    }
    case Read::Date: {
        SQL_DATE_STRUCT v{};
        rc = odbcApi().SQLGetData(stmt, col, SQL_C_TYPE_DATE, &v, sizeof v, &ind);
        if (ind == SQL_NULL_DATA)
            return {};
        return QDateTime(QDate(v.year, v.month, v.day), QTime(0, 0));
    }
    case Read::Time: {
        SQL_TIME_STRUCT v{};
        rc = odbcApi().SQLGetData(stmt, col, SQL_C_TYPE_TIME, &v, sizeof v, &ind);
        return ind == SQL_NULL_DATA ? QVariant() : QVariant(QTime(v.hour, v.minute, v.second));
    }
    case Read::Binary:
        return readChunks(stmt, col, false, rc);
    case Read::Text:
        return readChunks(stmt, col, true, rc);
    }
    return {};
}

Param paramFor(const QVariant& value) {
    Param p;
    if (!value.isValid() || value.isNull()) {
        p.data = QByteArray(4, '\0');
        p.ind = SQL_NULL_DATA;
        return p;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        p.cType = SQL_C_BIT;
        p.sqlType = SQL_BIT;
        p.data = bytesOf<unsigned char>(value.toBool() ? 1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        p.cType = SQL_C_SBIGINT;
        p.sqlType = SQL_BIGINT;
        p.size = 19;
        p.data = bytesOf<SQLBIGINT>(value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        p.cType = SQL_C_DOUBLE;
        p.sqlType = SQL_DOUBLE;
        p.size = 15;
        p.data = bytesOf<double>(value.toDouble());
        break;
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        SQL_TIMESTAMP_STRUCT v{};
        v.year = SQLSMALLINT(dt.date().year());
        v.month = SQLUSMALLINT(dt.date().month());
        v.day = SQLUSMALLINT(dt.date().day());
        v.hour = SQLUSMALLINT(dt.time().hour());
        v.minute = SQLUSMALLINT(dt.time().minute());
        v.second = SQLUSMALLINT(dt.time().second());
        v.fraction = SQLUINTEGER(dt.time().msec()) * 1000000u;
        p.cType = SQL_C_TYPE_TIMESTAMP;
        p.sqlType = SQL_TYPE_TIMESTAMP;
        p.size = 23;
        p.digits = 3;
        p.data = bytesOf(v);
        break;
    }
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        SQL_DATE_STRUCT v{SQLSMALLINT(d.year()), SQLUSMALLINT(d.month()), SQLUSMALLINT(d.day())};
        p.cType = SQL_C_TYPE_DATE;
        p.sqlType = SQL_TYPE_DATE;
        p.size = 10;
        p.data = bytesOf(v);
        break;
    }
    case QMetaType::QByteArray:
        p.cType = SQL_C_BINARY;
        p.sqlType = SQL_VARBINARY;
        p.data = value.toByteArray();
        p.size = SQLULEN(qMax<qsizetype>(1, p.data.size()));
        p.ind = SQLLEN(p.data.size());
        return p;
    default: {
        const QString s = value.typeId() == QMetaType::QTime
                              ? value.toTime().toString(QStringLiteral("HH:mm:ss"))
                              : value.toString();
        p.data = QByteArray(reinterpret_cast<const char*>(s.utf16()),
                            (s.size() + 1) * qsizetype(sizeof(SQLWCHAR)));
        p.size = SQLULEN(qMax<qsizetype>(1, s.size()));
        p.sqlType = s.size() > 4000 ? SQL_WLONGVARCHAR : SQL_WVARCHAR;
        p.ind = SQLLEN(s.size() * qsizetype(sizeof(SQLWCHAR)));
        return p;
    }
    }
    p.ind = SQLLEN(p.data.size());
    return p;
}

} // namespace ado::detail::odbc
