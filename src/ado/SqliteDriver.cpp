#include "SqliteDriver.h"

#include "AdoErrors.h"
#include "ErrorMap.h"
#include "SqlTokens.h"
#include "TypeMap.h"

#include <QFileInfo>
#include <charconv>
#include <sqlite3.h>

namespace ado::detail {

namespace {

constexpr int kBusyTimeoutMs = 5000;

// Frees a statement on every way out.
struct Statement {
    sqlite3_stmt* p = nullptr;
    ~Statement() { sqlite3_finalize(p); }
};

QVariant columnValue(sqlite3_stmt* stmt, int i) {
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(stmt, i));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, i);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                 sqlite3_column_bytes(stmt, i));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, i)),
                          sqlite3_column_bytes(stmt, i));
    default:
        return {};
    }
}

bool isDml(const QString& sql) {
    const Tokens t = tokenize(sql);
    const int first = nextSignificant(t, 0, int(t.size()));
    if (first >= int(t.size()))
        return false;
    for (const char* w : {"INSERT", "UPDATE", "DELETE", "REPLACE"})
        if (t[std::size_t(first)].is(Token::Word, w))
            return true;
    return false;
}

// Metadata of the result columns; types of expressions come from values.
std::vector<Column> describe(sqlite3_stmt* stmt) {
    std::vector<Column> columns;
    const int n = sqlite3_column_count(stmt);
    for (int i = 0; i < n; ++i) {
        Column c;
        c.name = QString::fromUtf8(sqlite3_column_name(stmt, i));
        if (const char* origin = sqlite3_column_origin_name(stmt, i))
            c.baseColumn = QString::fromUtf8(origin);
        if (const char* decl = sqlite3_column_decltype(stmt, i)) {
            const TypeInfo t = typeFromDeclared(QString::fromUtf8(decl));
            c.type = t.type;
            c.definedSize = t.definedSize;
            c.precision = t.precision;
            c.scale = t.scale;
        }
        columns.push_back(c);
    }
    return columns;
}

void typeExpressions(Result& r) {
    for (std::size_t c = 0; c < r.columns.size(); ++c) {
        Column& col = r.columns[c];
        if (col.type != adVariant)
            continue;
        QVariant sample;
        int longest = 0;
        for (const QVariantList& row : r.rows) {
            const QVariant& v = row.at(qsizetype(c));
            if (!sample.isValid() && v.isValid())
                sample = v;
            if (v.typeId() == QMetaType::QString)
                longest = qMax(longest, int(v.toString().size()));
        }
        const TypeInfo t = typeFromValues(sample, longest);
        col.type = t.type;
        col.definedSize = t.definedSize;
    }
}

QString restriction(const QVariantList& r, int index) {
    return index < r.size() ? r.at(index).toString().trimmed() : QString();
}

// What typeExpressions learns from the rows of an expression column, kept
// while its cells go straight to text.
struct TextSample {
    QVariant first;
    int longest = 0;
};

// Text (outside date columns) and integers (outside booleans) are what
// Field::Value gives unchanged, so they go to text without a value object.
// false: the cell needs its value. The column's value object is read in
// place: the connection is used by this thread alone.
bool appendRaw(sqlite3_stmt* stmt, int i, int type, TextRows& cells, TextSample& sample) {
    const bool expression = type == adVariant;
    sqlite3_value* value = sqlite3_column_value(stmt, i);
    const int kind = sqlite3_value_type(value);
    if (kind == SQLITE_TEXT && !isDateType(type)) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        cells.appendUtf8(QByteArrayView(text, sqlite3_value_bytes(value)));
        if (expression) {
            const QStringView t = cells.last();
            if (!sample.first.isValid())
                sample.first = t.toString();
            sample.longest = qMax(sample.longest, int(t.size()));
        }
        return true;
    }
    if (kind == SQLITE_INTEGER && type != adBoolean) {
        char digits[24];
        const qint64 v = sqlite3_value_int64(value);
        const auto r = std::to_chars(digits, digits + sizeof digits, v);
        cells.appendLatin1(QLatin1String(digits, r.ptr));
        if (expression && !sample.first.isValid())
            sample.first = qlonglong(v);
        return true;
    }
    return false;
}

} // namespace

SqliteDriver::SqliteDriver(const QString& file, Errors& errors) : m_errors(errors) {
    if (file.trimmed().isEmpty()) {
        ado::Error e;
        e.SQLState = QStringLiteral("08001");
        e.Number = q42::err::E_Fail;
        e.Description = QStringLiteral("No database file was named (Data Source).");
        e.Source = source();
        m_errors.Add(e);
        raise(e.Number, e.Description);
    }
    // Never create a file: a mistyped name must fail, not start an empty database.
    // A connection is used by one thread at a time: no lock on every call
    // (a list of 100 000 rows makes millions of them).
    const int rc = sqlite3_open_v2(file.toUtf8().constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
        sqlite3_close(m_db);
        m_db = nullptr;
        ado::Error e;
        e.SQLState = QStringLiteral("08001");
        e.Number = q42::err::E_Fail;
        e.NativeError = rc;
        e.Description =
            QStringLiteral("Cannot open the database file \"%1\"%2: %3")
                .arg(file,
                     QFileInfo::exists(file) ? QString() : QStringLiteral(" (it does not exist)"),
                     why);
        e.Source = source();
        m_errors.Add(e);
        raise(e.Number, e.Description);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    sqlite3_progress_handler(m_db, 1000, &SqliteDriver::progress, this);
    try {
        // A file that is no database fails here rather than at the first query.
        run(QStringLiteral("SELECT count(*) FROM sqlite_master"), {});
        run(QStringLiteral("PRAGMA foreign_keys = ON"), {});
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

SqliteDriver::~SqliteDriver() {
    sqlite3_close_v2(m_db);
}

// A statement waiting for another connection's lock gives up at the
// command time-out, as on a server, but never waits longer than it did.
void SqliteDriver::setCommandTimeout(int seconds) {
    m_timeoutSeconds = seconds;
    const bool corto = seconds > 0 && seconds < kBusyTimeoutMs / 1000;
    sqlite3_busy_timeout(m_db, corto ? seconds * 1000 : kBusyTimeoutMs);
}

int SqliteDriver::progress(void* self) {
    auto* d = static_cast<SqliteDriver*>(self);
    return d->m_timeoutSeconds > 0 && d->m_clock.isValid() &&
           d->m_clock.elapsed() > qint64(d->m_timeoutSeconds) * 1000;
}

void SqliteDriver::fail(int rc, const QString& context) {
    QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    if (rc == SQLITE_INTERRUPT)
        message = QStringLiteral("Query timeout expired");
    if (!context.isEmpty())
        message += QStringLiteral(" [") + context.left(200) + QLatin1Char(']');
    const ado::Error e = errorFromSqlite(
        sqlite3_extended_errcode(m_db) ? sqlite3_extended_errcode(m_db) : rc, message);
    m_errors.Add(e);
    raise(e.Number, e.Description);
}

void SqliteDriver::bind(sqlite3_stmt* stmt, int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(stmt, index, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = value.toByteArray();
            rc = sqlite3_bind_blob64(stmt, index, b.constData(), sqlite3_uint64(b.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            QString text;
            if (value.typeId() == QMetaType::QDateTime)
                text = sqliteDateText(value.toDateTime(), adDBTimeStamp);
            else if (value.typeId() == QMetaType::QDate)
                text = value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
            else if (value.typeId() == QMetaType::QTime)
                text = value.toTime().toString(QStringLiteral("HH:mm:ss"));
            else
                text = value.toString();
            const QByteArray utf8 = text.toUtf8();
            rc = sqlite3_bind_text64(stmt, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        }
    }
    if (rc != SQLITE_OK)
        fail(rc);
}

Result SqliteDriver::run(const QString& sql, const QVariantList& params) {
    traceStatement(sql);
    Result result;
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = utf8.constData();
    const char* const end = tail + utf8.size();
    int nextParam = 0;
    // The command time-out counts from here; it stops with the call.
    struct Clock {
        QElapsedTimer& t;
        ~Clock() { t.invalidate(); }
    } clock{m_clock};
    m_clock.start();
    // A text may hold several statements; the first that yields columns
    // gives the rows.
    while (tail < end) {
        Statement stmt;
        const char* start = tail;
        int rc = sqlite3_prepare_v2(m_db, tail, int(end - tail), &stmt.p, &tail);
        if (rc != SQLITE_OK)
            fail(rc);
        if (!stmt.p)
            break; // only blanks or comments left
        const QString text = QString::fromUtf8(start, int(tail - start));
        const int count = sqlite3_bind_parameter_count(stmt.p);
        for (int i = 1; i <= count; ++i)
            bind(stmt.p, i, nextParam < params.size() ? params.at(nextParam++) : QVariant());
        const bool keep = !result.hasColumns && sqlite3_column_count(stmt.p) > 0;
        if (keep) {
            result.hasColumns = true;
            result.columns = describe(stmt.p);
        }
        const int n = sqlite3_column_count(stmt.p);
        while ((rc = sqlite3_step(stmt.p)) == SQLITE_ROW) {
            if (!keep)
                continue;
            QVariantList row;
            row.reserve(n);
            for (int i = 0; i < n; ++i)
                row.append(columnValue(stmt.p, i));
            result.rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE)
            fail(rc);
        if (isDml(text))
            result.affected = qMax(0L, result.affected) + long(sqlite3_changes64(m_db));
    }
    typeExpressions(result);
    return result;
}

Result SqliteDriver::runText(const QString& sql, const CellFormat& format, TextRows& cells) {
    traceStatement(sql);
    Result result;
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = utf8.constData();
    const char* const end = tail + utf8.size();
    struct Clock {
        QElapsedTimer& t;
        ~Clock() { t.invalidate(); }
    } clock{m_clock};
    m_clock.start();
    std::vector<TextSample> samples;
    while (tail < end) {
        Statement stmt;
        const char* start = tail;
        int rc = sqlite3_prepare_v2(m_db, tail, int(end - tail), &stmt.p, &tail);
        if (rc != SQLITE_OK)
            fail(rc);
        if (!stmt.p)
            break;
        const QString text = QString::fromUtf8(start, int(tail - start));
        const int n = sqlite3_column_count(stmt.p);
        const bool keep = !result.hasColumns && n > 0;
        if (keep) {
            result.hasColumns = true;
            result.columns = describe(stmt.p);
            cells = TextRows(n);
            samples.assign(std::size_t(n), {});
        }
        while ((rc = sqlite3_step(stmt.p)) == SQLITE_ROW) {
            if (!keep)
                continue;
            for (int i = 0; i < n; ++i) {
                const int type = result.columns[std::size_t(i)].type;
                TextSample& sample = samples[std::size_t(i)];
                if (appendRaw(stmt.p, i, type, cells, sample))
                    continue;
                const QVariant v = columnValue(stmt.p, i);
                if (type == adVariant) {
                    if (!sample.first.isValid() && v.isValid())
                        sample.first = v;
                    if (v.typeId() == QMetaType::QString)
                        sample.longest = qMax(sample.longest, int(v.toString().size()));
                }
                cells.append(format(present(v, type)));
            }
        }
        if (rc != SQLITE_DONE)
            fail(rc);
        if (isDml(text))
            result.affected = qMax(0L, result.affected) + long(sqlite3_changes64(m_db));
    }
    for (std::size_t c = 0; c < samples.size(); ++c)
        if (result.columns[c].type == adVariant) {
            const TypeInfo t = typeFromValues(samples[c].first, samples[c].longest);
            result.columns[c].type = t.type;
            result.columns[c].definedSize = t.definedSize;
        }
    return result;
}

void SqliteDriver::beginTrans(int level) {
    run(level == 1 ? QStringLiteral("BEGIN IMMEDIATE")
                   : QStringLiteral("SAVEPOINT q42_%1").arg(level),
        {});
}

void SqliteDriver::commitTrans(int level) {
    run(level == 1 ? QStringLiteral("COMMIT")
                   : QStringLiteral("RELEASE SAVEPOINT q42_%1").arg(level),
        {});
}

void SqliteDriver::rollbackTrans(int level) {
    run(level == 1
            ? QStringLiteral("ROLLBACK")
            : QStringLiteral("ROLLBACK TO SAVEPOINT q42_%1; RELEASE SAVEPOINT q42_%1").arg(level),
        {});
}

void SqliteDriver::setIsolationLevel(int level) {
    try {
        run(QStringLiteral("PRAGMA read_uncommitted = %1")
                .arg(level == adXactReadUncommitted ? 1 : 0),
            {});
    } catch (const q42::Error&) {
        m_errors.Clear();
    }
}

// One catalogue only: catalogue and schema restrictions do not apply.
Result SqliteDriver::tables(const QVariantList& restrictions) {
    const QString table = restriction(restrictions, 2);
    const QString type = restriction(restrictions, 3);
    const Result found = run(QStringLiteral("SELECT name, upper(type) FROM sqlite_master "
                                            "WHERE type IN ('table', 'view') AND name NOT LIKE "
                                            "'sqlite\\_%' ESCAPE '\\' ORDER BY name"),
                             {});
    Result r;
    r.hasColumns = true;
    r.columns = {schemaColumn("TABLE_CATALOG", adVarWChar, 128),
                 schemaColumn("TABLE_SCHEMA", adVarWChar, 128),
                 schemaColumn("TABLE_NAME", adVarWChar, 128),
                 schemaColumn("TABLE_TYPE", adVarWChar, 128)};
    for (const QVariantList& row : found.rows) {
        const QString name = row.at(0).toString();
        const QString kind = row.at(1).toString();
        if (!table.isEmpty() && name.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        if (!type.isEmpty() && kind.compare(type, Qt::CaseInsensitive) != 0)
            continue;
        r.rows.push_back({QVariant(), QVariant(), name, kind});
    }
    return r;
}

Result SqliteDriver::columns(const QVariantList& restrictions) {
    const QString table = restriction(restrictions, 2);
    const QString column = restriction(restrictions, 3);
    Result r;
    r.hasColumns = true;
    r.columns = {schemaColumn("TABLE_CATALOG", adVarWChar, 128),
                 schemaColumn("TABLE_SCHEMA", adVarWChar, 128),
                 schemaColumn("TABLE_NAME", adVarWChar, 128),
                 schemaColumn("COLUMN_NAME", adVarWChar, 128),
                 schemaColumn("ORDINAL_POSITION", adUnsignedInt, 4),
                 schemaColumn("DATA_TYPE", adUnsignedSmallInt, 2),
                 schemaColumn("CHARACTER_MAXIMUM_LENGTH", adUnsignedInt, 4),
                 schemaColumn("IS_NULLABLE", adBoolean, 2)};
    // Every table's columns in one statement: one round trip, not one a
    // table. Asked for one table, only its columns are read: a view's are
    // found by compiling its query, which for all of them costs milliseconds.
    QString sql = QStringLiteral(
        "SELECT m.name, p.cid, p.name, p.type, p.\"notnull\" FROM sqlite_master AS m JOIN "
        "pragma_table_info(m.name) AS p WHERE m.type IN ('table', 'view') AND m.name NOT LIKE "
        "'sqlite\\_%' ESCAPE '\\'");
    QVariantList params;
    if (!table.isEmpty()) {
        sql += QStringLiteral(" AND m.name = ? COLLATE NOCASE");
        params << table;
    }
    const Result found = run(sql + QStringLiteral(" ORDER BY m.name, p.cid"), params);
    for (const QVariantList& c : found.rows) {
        const QString name = c.at(0).toString();
        const QString columnName = c.at(2).toString();
        if (!table.isEmpty() && name.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        if (!column.isEmpty() && columnName.compare(column, Qt::CaseInsensitive) != 0)
            continue;
        const TypeInfo type = typeFromDeclared(c.at(3).toString());
        const QVariant length =
            isTextType(type.type) ? QVariant(qlonglong(type.definedSize)) : QVariant();
        r.rows.push_back({QVariant(), QVariant(), name, columnName, c.at(1).toLongLong() + 1,
                          qlonglong(type.type), length, c.at(4).toLongLong() == 0});
    }
    return r;
}

QVariant SqliteDriver::toStorage(const QVariant& value, int adoType) const {
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return sqliteDateText(value.toDateTime(), adoType);
    if (value.typeId() == QMetaType::Bool)
        return qlonglong(value.toBool() ? 1 : 0);
    return value;
}

QVariant SqliteDriver::present(const QVariant& stored, int adoType) const {
    if (stored.typeId() == QMetaType::QString && adoType == adDBTime) {
        const QTime t = QTime::fromString(stored.toString().trimmed(), QStringLiteral("HH:mm:ss"));
        if (t.isValid())
            return t;
    }
    if (stored.typeId() == QMetaType::QString && isDateType(adoType)) {
        const QVariant dt = readDateText(stored.toString().trimmed());
        if (!dt.isValid())
            return stored;
        return adoType == adDBTime ? QVariant(dt.toDateTime().time()) : dt;
    }
    if (adoType == adBoolean && stored.typeId() == QMetaType::LongLong)
        return stored.toLongLong() != 0;
    return stored;
}

} // namespace ado::detail
