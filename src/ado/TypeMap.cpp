#include "TypeMap.h"

#include "Ado.h"
#include "AdoErrors.h"
#include "core/Regional.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <optional>
#include <sql.h>
#include <sqlext.h>

namespace ado::detail {

namespace {

struct Declared {
    const char* name;
    int type;
    int size; // defined size when the declaration gives none; -1: from "(n)"
};

// Declared names as SQL Server spells them and as SQLite accepts them.
constexpr Declared kDeclared[] = {
    {"nvarchar", adVarWChar, -1},
    {"varchar", adVarChar, -1},
    {"character varying", adVarChar, -1},
    {"nchar", adWChar, -1},
    {"national character", adWChar, -1},
    {"char", adChar, -1},
    {"character", adChar, -1},
    {"text", adLongVarChar, 2147483647},
    {"clob", adLongVarChar, 2147483647},
    {"ntext", adLongVarWChar, 1073741823},
    {"int", adInteger, 4},
    {"integer", adInteger, 4},
    {"smallint", adSmallInt, 2},
    {"tinyint", adUnsignedTinyInt, 1},
    {"bigint", adBigInt, 8},
    {"unsigned big int", adBigInt, 8},
    {"bit", adBoolean, 2},
    {"boolean", adBoolean, 2},
    {"bool", adBoolean, 2},
    {"real", adDouble, 8},
    {"float", adDouble, 8},
    {"double", adDouble, 8},
    {"double precision", adDouble, 8},
    {"decimal", adNumeric, 19},
    {"numeric", adNumeric, 19},
    {"money", adCurrency, 8},
    {"smallmoney", adCurrency, 8},
    {"datetime", adDBTimeStamp, 16},
    {"datetime2", adDBTimeStamp, 16},
    {"smalldatetime", adDBTimeStamp, 16},
    {"timestamp", adDBTimeStamp, 16},
    {"date", adDBDate, 6},
    {"time", adDBTime, 6},
    {"uniqueidentifier", adGUID, 16},
    {"blob", adLongVarBinary, 2147483647},
    {"image", adLongVarBinary, 2147483647},
    {"binary", adBinary, -1},
    {"varbinary", adVarBinary, -1},
};

struct OdbcType {
    int sqlType;
    int type;
};

constexpr OdbcType kOdbc[] = {
    {SQL_CHAR, adChar},
    {SQL_VARCHAR, adVarChar},
    {SQL_LONGVARCHAR, adLongVarChar},
    {SQL_WCHAR, adWChar},
    {SQL_WVARCHAR, adVarWChar},
    {SQL_WLONGVARCHAR, adLongVarWChar},
    {SQL_DECIMAL, adNumeric},
    {SQL_NUMERIC, adNumeric},
    {SQL_SMALLINT, adSmallInt},
    {SQL_INTEGER, adInteger},
    {SQL_REAL, adSingle},
    {SQL_FLOAT, adDouble},
    {SQL_DOUBLE, adDouble},
    {SQL_BIT, adBoolean},
    {SQL_TINYINT, adUnsignedTinyInt},
    {SQL_BIGINT, adBigInt},
    {SQL_BINARY, adBinary},
    {SQL_VARBINARY, adVarBinary},
    {SQL_LONGVARBINARY, adLongVarBinary},
    {SQL_TYPE_DATE, adDBDate},
    {SQL_TYPE_TIME, adDBTime},
    {SQL_TYPE_TIMESTAMP, adDBTimeStamp},
    {SQL_DATE, adDBDate},
    {SQL_TIME, adDBTime},
    {SQL_TIMESTAMP, adDBTimeStamp},
    {SQL_GUID, adGUID},
};

// Fixed sizes ADO reports for types whose size is not declared.
int fixedSize(int type) {
    switch (type) {
    case adSmallInt:
        return 2;
    case adInteger:
    case adSingle:
        return 4;
    case adDouble:
    case adCurrency:
    case adBigInt:
        return 8;
    case adBoolean:
        return 2;
    case adUnsignedTinyInt:
    case adTinyInt:
        return 1;
    case adNumeric:
        return 19;
    case adDBTimeStamp:
        return 16;
    case adDBDate:
    case adDBTime:
        return 6;
    case adGUID:
        return 16;
    default:
        return 0;
    }
}

// The affinity rules SQLite applies to a type name it does not know.
TypeInfo byAffinity(const QString& name) {
    if (name.contains(QLatin1String("int")))
        return {adInteger, 4, 0, 0};
    if (name.contains(QLatin1String("char")) || name.contains(QLatin1String("clob")) ||
        name.contains(QLatin1String("text")))
        return {adLongVarChar, 2147483647, 0, 0};
    if (name.contains(QLatin1String("blob")))
        return {adLongVarBinary, 2147483647, 0, 0};
    if (name.contains(QLatin1String("real")) || name.contains(QLatin1String("floa")) ||
        name.contains(QLatin1String("doub")))
        return {adDouble, 8, 0, 0};
    return {adNumeric, 19, 18, 0};
}

[[noreturn]] void raiseMultipleStep(const QString& why) {
    raise(MultipleStepErrors, QStringLiteral("Multiple-step operation generated errors. ") + why);
}

QString textOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

// A number written with "." as decimal point, or a numeric variant.
std::optional<double> numberOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? -1.0 : 0.0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        bool ok = false;
        const double d = value.toString().trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(d))
            return std::nullopt;
        return d;
    }
    default:
        return std::nullopt;
    }
}

struct IntRange {
    int type;
    double low;
    double high;
};

constexpr IntRange kIntRanges[] = {
    {adTinyInt, -128, 127},
    {adUnsignedTinyInt, 0, 255},
    {adSmallInt, -32768, 32767},
    {adUnsignedSmallInt, 0, 65535},
    {adInteger, -2147483648.0, 2147483647.0},
    {adUnsignedInt, 0, 4294967295.0},
    {adBigInt, -9223372036854775808.0, 9223372036854775807.0},
    {adUnsignedBigInt, 0, 18446744073709551615.0},
};

QVariant coerceNumber(const QVariant& value, const TypeInfo& t, const QString& name) {
    // A whole number given as text keeps all its digits.
    if (t.type == adBigInt && value.typeId() == QMetaType::QString) {
        bool ok = false;
        const qlonglong v = value.toString().trimmed().toLongLong(&ok);
        if (ok)
            return v;
    }
    const auto number = numberOf(value);
    if (!number)
        raiseWrongType();
    double d = *number;
    for (const IntRange& r : kIntRanges) {
        if (r.type != t.type)
            continue;
        // The platform rounded to the nearest whole number, halves to even.
        d = std::nearbyint(d);
        if (d < r.low || d > r.high)
            raiseMultipleStep(
                QStringLiteral("The value is out of the range of the column '%1'.").arg(name));
        return qlonglong(d);
    }
    switch (t.type) {
    case adSingle:
        return double(float(d));
    case adCurrency:
        return std::round(d * 10000.0) / 10000.0;
    case adNumeric:
    case adDecimal:
        if (t.scale > 0 || t.precision > 0) {
            const double f = std::pow(10.0, t.scale);
            return std::round(d * f) / f;
        }
        return d;
    default:
        return d;
    }
}

QVariant coerceBool(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString s = value.toString().trimmed().toLower();
        if (s == QLatin1String("true") || s == QLatin1String("-1") || s == QLatin1String("1"))
            return true;
        if (s == QLatin1String("false") || s == QLatin1String("0"))
            return false;
    }
    if (const auto n = numberOf(value); n && value.typeId() != QMetaType::QString)
        return *n != 0.0;
    raiseWrongType();
}

QVariant coerceDate(const QVariant& value, int type) {
    QDateTime dt;
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        dt = value.toDateTime();
        break;
    case QMetaType::QDate:
        dt = QDateTime(value.toDate(), QTime(0, 0));
        break;
    case QMetaType::QTime:
        if (type == adDBTime)
            return value;
        raiseWrongType();
    case QMetaType::QString: {
        const QVariant iso = readDateText(value.toString().trimmed());
        if (iso.isValid()) {
            dt = iso.toDateTime();
        } else if (const auto d = q42::Regional::readDate(value.toString())) {
            dt = QDateTime(*d, QTime(0, 0));
        }
        break;
    }
    default:
        break;
    }
    if (!dt.isValid())
        raiseWrongType();
    if (type == adDBDate)
        return QDateTime(dt.date(), QTime(0, 0));
    if (type == adDBTime)
        return dt.time();
    return dt;
}

} // namespace

TypeInfo typeFromDeclared(const QString& declared) {
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*([a-z_ ]*[a-z_0-9]+)\s*(?:\(\s*(\w+)\s*(?:,\s*(\d+)\s*)?\))?)"));
    const QString text = declared.trimmed().toLower();
    const auto m = re.match(text);
    const QString name = m.captured(1).simplified();
    const QString arg1 = m.captured(2);
    const QString arg2 = m.captured(3);
    if (name.isEmpty())
        return {adVariant, 0, 0, 0};
    for (const Declared& d : kDeclared) {
        if (name != QLatin1String(d.name))
            continue;
        TypeInfo info{d.type, d.size, 0, 0};
        if (d.type == adNumeric) {
            info.precision = arg1.isEmpty() ? 18 : arg1.toInt();
            info.scale = arg2.toInt();
            return info;
        }
        if (d.size != -1)
            return info;
        if (arg1 == QLatin1String("max")) {
            // "varchar(max)" is a long column.
            info.type = d.type == adVarWChar || d.type == adWChar     ? adLongVarWChar
                        : d.type == adVarBinary || d.type == adBinary ? adLongVarBinary
                                                                      : adLongVarChar;
            info.definedSize = 2147483647;
            return info;
        }
        bool ok = false;
        const int n = arg1.toInt(&ok);
        if (ok && n > 0) {
            info.definedSize = n;
            return info;
        }
        // Without a size: fixed "char" is one character, variable is long.
        if (d.type == adChar || d.type == adWChar) {
            info.definedSize = 1;
            return info;
        }
        info.type = d.type == adVarWChar    ? adLongVarWChar
                    : d.type == adVarBinary ? adLongVarBinary
                                            : adLongVarChar;
        info.definedSize = 2147483647;
        return info;
    }
    return byAffinity(name);
}

TypeInfo typeFromOdbc(int sqlType, qint64 columnSize, int decimalDigits) {
    int type = adVariant;
    for (const OdbcType& o : kOdbc)
        if (o.sqlType == sqlType)
            type = o.type;
    TypeInfo info{type, fixedSize(type), 0, 0};
    if (type == adNumeric) {
        info.precision = int(columnSize);
        info.scale = decimalDigits;
    } else if (isTextType(type) || type == adBinary || type == adVarBinary) {
        info.definedSize = columnSize > 0 && columnSize < 2147483647 ? int(columnSize) : 2147483647;
    } else if (isLongType(type)) {
        info.definedSize = 2147483647;
    }
    return info;
}

TypeInfo typeFromValues(const QVariant& sample, int maxTextLength) {
    switch (sample.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int: {
        const qlonglong v = sample.toLongLong();
        if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
            return {adInteger, 4, 0, 0};
        return {adBigInt, 8, 0, 0};
    }
    case QMetaType::Double:
        return {adDouble, 8, 0, 0};
    case QMetaType::QByteArray:
        return {adLongVarBinary, 2147483647, 0, 0};
    default:
        return {adVarWChar, qMax(1, maxTextLength), 0, 0};
    }
}

bool isTextType(int type) {
    switch (type) {
    case adBSTR:
    case adChar:
    case adWChar:
    case adVarChar:
    case adLongVarChar:
    case adVarWChar:
    case adLongVarWChar:
        return true;
    default:
        return false;
    }
}

bool isLongType(int type) {
    return type == adLongVarChar || type == adLongVarWChar || type == adLongVarBinary;
}

bool isNumericType(int type) {
    switch (type) {
    case adSmallInt:
    case adInteger:
    case adSingle:
    case adDouble:
    case adCurrency:
    case adDecimal:
    case adTinyInt:
    case adUnsignedTinyInt:
    case adUnsignedSmallInt:
    case adUnsignedInt:
    case adBigInt:
    case adUnsignedBigInt:
    case adNumeric:
    case adVarNumeric:
        return true;
    default:
        return false;
    }
}

bool isDateType(int type) {
    return type == adDate || type == adDBDate || type == adDBTime || type == adDBTimeStamp;
}

QVariant coerceToField(const QVariant& value, const TypeInfo& t, const QString& fieldName) {
    if (!value.isValid() || value.isNull())
        return QVariant();
    if (isTextType(t.type)) {
        const QString s = textOf(value);
        if (!isLongType(t.type) && t.definedSize > 0 && s.size() > t.definedSize)
            raiseMultipleStep(QStringLiteral("The text is longer than the %1 characters that "
                                             "the column '%2' takes.")
                                  .arg(t.definedSize)
                                  .arg(fieldName));
        return s;
    }
    if (isNumericType(t.type))
        return coerceNumber(value, t, fieldName);
    if (t.type == adBoolean)
        return coerceBool(value);
    if (isDateType(t.type))
        return coerceDate(value, t.type);
    return value;
}

QString sqliteDateText(const QDateTime& value, int type) {
    if (type == adDBDate)
        return value.date().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant readDateText(const QString& text) {
    static const QRegularExpression re(QStringLiteral(
        R"(^(\d{4})-(\d{2})-(\d{2})(?:[ T](\d{2}):(\d{2})(?::(\d{2})(?:\.(\d{1,9}))?)?)?$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {};
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const int ms =
        m.captured(7).isEmpty() ? 0 : m.captured(7).left(3).leftJustified(3, '0').toInt();
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), ms);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

} // namespace ado::detail
