#include "OdbcDriver.h"

#include "AdoErrors.h"
#include "ErrorMap.h"
#include "OdbcApi.h"
#include "OdbcData.h"
#include "Providers.h"
#include "TypeMap.h"
#include "core/Plataforma.h"

#include <QDateTime>
#include <algorithm>
#include <cstring>
#include <sqlext.h>
#include <utility>

namespace ado::detail {

using namespace odbc;

namespace {

struct Stmt {
    SQLHSTMT h = nullptr;
    ~Stmt() {
        if (h)
            odbcApi().SQLFreeHandle(SQL_HANDLE_STMT, h);
    }
};

QString restriction(const QVariantList& r, int index) {
    return index < r.size() ? r.at(index).toString().trimmed() : QString();
}

// ADO's isolation levels as ODBC's, weakest first.
constexpr std::pair<int, SQLULEN> kIsolation[] = {
    {adXactReadUncommitted, SQL_TXN_READ_UNCOMMITTED},
    {adXactReadCommitted, SQL_TXN_READ_COMMITTED},
    {adXactRepeatableRead, SQL_TXN_REPEATABLE_READ},
    {adXactSerializable, SQL_TXN_SERIALIZABLE},
};

struct Savepoints {
    Engine engine;
    const char* save;
    const char* release; // nullptr: nothing to do on commit
    const char* rollback;
};

// Inner transactions as savepoints, in each engine's words.
constexpr Savepoints kSavepoints[] = {
    {Engine::SqlServer, "SAVE TRANSACTION q42_%1", nullptr, "ROLLBACK TRANSACTION q42_%1"},
    {Engine::SQLite, "SAVEPOINT q42_%1", "RELEASE SAVEPOINT q42_%1",
     "ROLLBACK TO SAVEPOINT q42_%1"},
    {Engine::Oracle, "SAVEPOINT q42_%1", nullptr, "ROLLBACK TO SAVEPOINT q42_%1"},
    {Engine::Other, "SAVEPOINT q42_%1", "RELEASE SAVEPOINT q42_%1", "ROLLBACK TO SAVEPOINT q42_%1"},
};

const Savepoints& savepointsFor(Engine e) {
    for (const Savepoints& s : kSavepoints)
        if (s.engine == e)
            return s;
    return kSavepoints[3];
}

} // namespace

OdbcDriver::OdbcDriver(const QString& connectionString, int loginTimeoutSeconds, Errors& errors)
    : m_errors(errors) {
    if (QString why; !loadOdbc(&why))
        refuse(errors, QStringLiteral("IM002"), ProviderNotFound,
               QStringLiteral("No se pudo cargar el administrador de ODBC (unixODBC, %1): %2")
                   .arg(q42::plataforma::bibliotecaOdbc(), why));
    odbcApi().SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_env);
    odbcApi().SQLSetEnvAttr(m_env, SQL_ATTR_ODBC_VERSION,
                            reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    odbcApi().SQLAllocHandle(SQL_HANDLE_DBC, m_env, &m_dbc);
    odbcApi().SQLSetConnectAttrW(
        m_dbc, SQL_ATTR_LOGIN_TIMEOUT,
        reinterpret_cast<SQLPOINTER>(SQLULEN(qMax(0, loginTimeoutSeconds))), 0);
    SQLWCHAR out[1024];
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = odbcApi().SQLDriverConnectW(m_dbc, nullptr, w(connectionString), SQL_NTS,
                                                     out, 1024, &outLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        try {
            fail(SQL_HANDLE_DBC, m_dbc);
        } catch (...) {
            odbcApi().SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
            odbcApi().SQLFreeHandle(SQL_HANDLE_ENV, m_env);
            m_dbc = nullptr;
            m_env = nullptr;
            throw;
        }
    }
    m_connected = true;
    SQLWCHAR info[256] = {};
    SQLSMALLINT length = 0;
    odbcApi().SQLGetInfoW(m_dbc, SQL_DBMS_NAME, info, sizeof info, &length);
    const QString dbms = fromW(info, length / qsizetype(sizeof(SQLWCHAR)));
    if (dbms.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0)
        m_engine = Engine::SQLite;
    else if (dbms.contains(QLatin1String("SQL Server"), Qt::CaseInsensitive))
        m_engine = Engine::SqlServer;
    else if (dbms.contains(QLatin1String("Oracle"), Qt::CaseInsensitive))
        m_engine = Engine::Oracle;
    odbcApi().SQLGetConnectAttrW(m_dbc, SQL_ATTR_TXN_ISOLATION, &m_isolationDefault, 0, nullptr);
    odbcApi().SQLGetInfoW(m_dbc, SQL_TXN_ISOLATION_OPTION, &m_isolationOptions,
                          sizeof m_isolationOptions, nullptr);
    length = 0;
    odbcApi().SQLGetInfoW(m_dbc, SQL_SEARCH_PATTERN_ESCAPE, info, sizeof info, &length);
    m_escape = fromW(info, length / qsizetype(sizeof(SQLWCHAR)));
}

OdbcDriver::~OdbcDriver() {
    if (m_dbc) {
        odbcApi().SQLDisconnect(m_dbc);
        odbcApi().SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
    }
    if (m_env)
        odbcApi().SQLFreeHandle(SQL_HANDLE_ENV, m_env);
}

QStringList OdbcDriver::installedDrivers() {
    QStringList names;
    SQLHENV env = nullptr;
    if (!loadOdbc() ||
        !SQL_SUCCEEDED(odbcApi().SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return names;
    odbcApi().SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                            0);
    SQLWCHAR name[256];
    SQLWCHAR attributes[1024];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT attrLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(odbcApi().SQLDriversW(env, direction, name, 256, &nameLength, attributes,
                                               1024, &attrLength))) {
        names << fromW(name, nameLength);
        direction = SQL_FETCH_NEXT;
    }
    odbcApi().SQLFreeHandle(SQL_HANDLE_ENV, env);
    return names;
}

void OdbcDriver::fail(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::vector<ado::Error> found;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        std::vector<SQLWCHAR> message(1024);
        SQLSMALLINT length = 0;
        SQLRETURN rc =
            odbcApi().SQLGetDiagRecW(handleType, handle, i, state, &native, message.data(),
                                     SQLSMALLINT(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && std::size_t(length) >= message.size()) {
            message.resize(std::size_t(length) + 1);
            rc = odbcApi().SQLGetDiagRecW(handleType, handle, i, state, &native, message.data(),
                                          SQLSMALLINT(message.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc))
            break;
        ado::Error e;
        e.SQLState = fromW(state, 5);
        e.NativeError = native;
        e.Description =
            redactPasswords(fromW(message.data(), qMin<qsizetype>(length, message.size() - 1)));
        // Whatever stops a connection is a failure to connect (E_FAIL).
        e.Number = m_connected ? numberForSqlState(e.SQLState) : q42::err::E_Fail;
        e.Source = source();
        if (m_engine == Engine::SQLite)
            mapSqliteMessage(e);
        found.push_back(e);
    }
    if (found.empty()) {
        ado::Error e;
        e.SQLState = QStringLiteral("HY000");
        e.Number = q42::err::E_Fail;
        e.Description = QStringLiteral("The ODBC driver reported a failure without details.");
        e.Source = source();
        found.push_back(e);
    }
    for (const ado::Error& e : found)
        m_errors.Add(e);
    raise(found.front().Number, found.front().Description);
}

void OdbcDriver::check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle) {
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
        fail(handleType, handle);
}

Result OdbcDriver::fetchAll(SQLHSTMT stmt) {
    Result r;
    SQLSMALLINT n = 0;
    check(odbcApi().SQLNumResultCols(stmt, &n), SQL_HANDLE_STMT, stmt);
    if (n <= 0)
        return r;
    r.hasColumns = true;
    std::vector<Read> how;
    for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(n); ++i) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT sqlType = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        check(odbcApi().SQLDescribeColW(stmt, i, name, 256, &nameLength, &sqlType, &size, &digits,
                                        &nullable),
              SQL_HANDLE_STMT, stmt);
        const TypeInfo t = typeFromOdbc(sqlType, qint64(size), digits);
        Column c;
        c.name = fromW(name, qMin<qsizetype>(nameLength, 255));
        c.type = t.type;
        c.definedSize = t.definedSize;
        c.precision = t.precision;
        c.scale = t.scale;
        SQLWCHAR base[256] = {};
        SQLSMALLINT baseLength = 0;
        if (SQL_SUCCEEDED(odbcApi().SQLColAttributeW(stmt, i, SQL_DESC_BASE_COLUMN_NAME, base,
                                                     sizeof base, &baseLength, nullptr)))
            c.baseColumn = fromW(base, qMin<qsizetype>(baseLength / 2, 255));
        r.columns.push_back(c);
        how.push_back(readAs(t.type, t.precision));
    }
    // A driver that names no base column at all does not know them: the
    // result names stand in (a wrong one fails loudly when written).
    const bool noBase = std::all_of(r.columns.begin(), r.columns.end(),
                                    [](const Column& c) { return c.baseColumn.isEmpty(); });
    if (noBase)
        for (Column& c : r.columns)
            c.baseColumn = c.name;
    for (;;) {
        SQLRETURN rc = odbcApi().SQLFetch(stmt);
        if (rc == SQL_NO_DATA)
            break;
        check(rc, SQL_HANDLE_STMT, stmt);
        QVariantList row;
        row.reserve(n);
        for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(n); ++i) {
            row.append(readValue(stmt, i, how[i - 1], rc));
            check(rc, SQL_HANDLE_STMT, stmt);
        }
        r.rows.push_back(std::move(row));
    }
    return r;
}

Result OdbcDriver::run(const QString& sql, const QVariantList& params) {
    Stmt stmt;
    check(odbcApi().SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &stmt.h), SQL_HANDLE_DBC, m_dbc);
    odbcApi().SQLSetStmtAttrW(stmt.h, SQL_ATTR_QUERY_TIMEOUT,
                              reinterpret_cast<SQLPOINTER>(SQLULEN(qMax(0, m_timeoutSeconds))), 0);
    SQLRETURN rc;
    std::vector<Param> bound;
    traceStatement(sql);
    if (params.isEmpty()) {
        rc = odbcApi().SQLExecDirectW(stmt.h, w(sql), SQL_NTS);
    } else {
        check(odbcApi().SQLPrepareW(stmt.h, w(sql), SQL_NTS), SQL_HANDLE_STMT, stmt.h);
        bound.reserve(std::size_t(params.size()));
        for (const QVariant& v : params) {
            // The SQLite driver shortens a double parameter: as text all
            // 17 digits survive, and the column's affinity makes a number
            // of it again.
            const bool real = v.typeId() == QMetaType::Double && m_engine == Engine::SQLite;
            bound.push_back(paramFor(real ? QVariant(QString::number(v.toDouble(), 'g', 17)) : v));
        }
        for (std::size_t i = 0; i < bound.size(); ++i) {
            Param& p = bound[i];
            check(odbcApi().SQLBindParameter(stmt.h, SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, p.cType,
                                             p.sqlType, p.size, p.digits, p.data.data(),
                                             SQLLEN(p.data.size()), &p.ind),
                  SQL_HANDLE_STMT, stmt.h);
        }
        rc = odbcApi().SQLExecute(stmt.h);
    }
    check(rc, SQL_HANDLE_STMT, stmt.h);
    // The first result with columns gives the rows; counts of the others add up.
    Result result;
    for (;;) {
        SQLSMALLINT n = 0;
        odbcApi().SQLNumResultCols(stmt.h, &n);
        if (n > 0 && !result.hasColumns) {
            const long affected = result.affected;
            result = fetchAll(stmt.h);
            result.affected = affected;
        } else if (n == 0) {
            SQLLEN count = -1;
            if (SQL_SUCCEEDED(odbcApi().SQLRowCount(stmt.h, &count)) && count >= 0)
                result.affected = qMax(0L, result.affected) + long(count);
        }
        rc = odbcApi().SQLMoreResults(stmt.h);
        if (rc == SQL_NO_DATA)
            break;
        check(rc, SQL_HANDLE_STMT, stmt.h);
    }
    return result;
}

void OdbcDriver::endTransaction(SQLSMALLINT completion) {
    check(odbcApi().SQLEndTran(SQL_HANDLE_DBC, m_dbc, completion), SQL_HANDLE_DBC, m_dbc);
    check(odbcApi().SQLSetConnectAttrW(m_dbc, SQL_ATTR_AUTOCOMMIT,
                                       reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON),
                                       SQL_IS_UINTEGER),
          SQL_HANDLE_DBC, m_dbc);
}

void OdbcDriver::beginTrans(int level) {
    if (level > 1) {
        run(QString::fromLatin1(savepointsFor(m_engine).save).arg(level), {});
        return;
    }
    check(odbcApi().SQLSetConnectAttrW(m_dbc, SQL_ATTR_AUTOCOMMIT,
                                       reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF),
                                       SQL_IS_UINTEGER),
          SQL_HANDLE_DBC, m_dbc);
}

void OdbcDriver::commitTrans(int level) {
    if (level > 1) {
        if (const char* release = savepointsFor(m_engine).release)
            run(QString::fromLatin1(release).arg(level), {});
        return;
    }
    endTransaction(SQL_COMMIT);
}

void OdbcDriver::rollbackTrans(int level) {
    if (level > 1) {
        const Savepoints& s = savepointsFor(m_engine);
        run(QString::fromLatin1(s.rollback).arg(level), {});
        if (s.release)
            run(QString::fromLatin1(s.release).arg(level), {});
        return;
    }
    endTransaction(SQL_ROLLBACK);
}

void OdbcDriver::setIsolationLevel(int level) {
    const auto pone = [this](SQLULEN nivel) {
        return SQL_SUCCEEDED(odbcApi().SQLSetConnectAttrW(
            m_dbc, SQL_ATTR_TXN_ISOLATION, reinterpret_cast<SQLPOINTER>(nivel), SQL_IS_UINTEGER));
    };
    if (level == adXactUnspecified) {
        if (m_isolationDefault != 0)
            pone(m_isolationDefault);
        return;
    }
    // As ADO does: a level the engine lacks is rounded up (Oracle has no
    // read-uncommitted and gets read-committed).
    for (const auto& [ado, odbc] : kIsolation) {
        if (ado < level || (m_isolationOptions != 0 && !(m_isolationOptions & odbc)))
            continue;
        if (pone(odbc))
            return;
    }
}

void OdbcDriver::useDatabase(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char(']'), QLatin1String("]]"));
    run(QStringLiteral("USE [%1]").arg(quoted), {});
}

QString OdbcDriver::equalsParameter(const QString& quotedColumn, int adoType) const {
    // SQLite keeps dates as text; compare them as dates, however written.
    if (m_engine == Engine::SQLite && isDateType(adoType))
        return QStringLiteral("datetime(%1) = datetime(?)").arg(quotedColumn);
    // The SQLite driver reads reals through their 15-digit text: compare
    // to that precision on both sides.
    if (m_engine == Engine::SQLite && isNumericType(adoType))
        return QStringLiteral("printf('%.15g', %1) = printf('%.15g', ?)").arg(quotedColumn);
    return Driver::equalsParameter(quotedColumn, adoType);
}

Result OdbcDriver::catalogue(bool wantColumns, const QVariantList& restrictions) {
    // SQLite has one catalogue: a database name given as restriction means it.
    const bool single = m_engine == Engine::SQLite;
    const QString catalog = single ? QString() : restriction(restrictions, 0);
    const QString schema = single ? QString() : restriction(restrictions, 1);
    const QString table = restriction(restrictions, 2);
    const QString fourth = restriction(restrictions, 3);
    auto pattern = [&](const QString& s) {
        if (m_escape.isEmpty())
            return s;
        QString out;
        for (QChar c : s) {
            if (c == QLatin1Char('_') || c == QLatin1Char('%') || QString(c) == m_escape)
                out += m_escape;
            out += c;
        }
        return out;
    };
    const QString schemaPattern = pattern(schema);
    const QString tablePattern = pattern(table);
    const QString columnPattern = pattern(fourth);
    auto arg = [](const QString& s) { return s.isEmpty() ? nullptr : w(s); };
    auto len = [](const QString& s) { return SQLSMALLINT(s.isEmpty() ? 0 : SQL_NTS); };
    Stmt stmt;
    check(odbcApi().SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &stmt.h), SQL_HANDLE_DBC, m_dbc);
    SQLRETURN rc;
    if (wantColumns)
        rc = odbcApi().SQLColumnsW(stmt.h, arg(catalog), len(catalog), arg(schemaPattern),
                                   len(schemaPattern), arg(tablePattern), len(tablePattern),
                                   arg(columnPattern), len(columnPattern));
    else
        rc = odbcApi().SQLTablesW(stmt.h, arg(catalog), len(catalog), arg(schemaPattern),
                                  len(schemaPattern), arg(tablePattern), len(tablePattern),
                                  arg(fourth), len(fourth));
    check(rc, SQL_HANDLE_STMT, stmt.h);
    const Result raw = fetchAll(stmt.h);
    Result r;
    r.hasColumns = true;
    r.columns = {schemaColumn("TABLE_CATALOG", adVarWChar, 128),
                 schemaColumn("TABLE_SCHEMA", adVarWChar, 128),
                 schemaColumn("TABLE_NAME", adVarWChar, 128)};
    if (wantColumns)
        r.columns.insert(r.columns.end(),
                         {schemaColumn("COLUMN_NAME", adVarWChar, 128),
                          schemaColumn("ORDINAL_POSITION", adUnsignedInt, 4),
                          schemaColumn("DATA_TYPE", adUnsignedSmallInt, 2),
                          schemaColumn("CHARACTER_MAXIMUM_LENGTH", adUnsignedInt, 4),
                          schemaColumn("IS_NULLABLE", adBoolean, 2)});
    else
        r.columns.push_back(schemaColumn("TABLE_TYPE", adVarWChar, 128));
    for (const QVariantList& row : raw.rows) {
        const QString name = row.value(2).toString();
        if (!table.isEmpty() && name.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        if (!wantColumns) {
            r.rows.push_back({row.value(0), row.value(1), name, row.value(3)});
            continue;
        }
        const QString column = row.value(3).toString();
        if (!fourth.isEmpty() && column.compare(fourth, Qt::CaseInsensitive) != 0)
            continue;
        const TypeInfo t =
            typeFromOdbc(row.value(4).toInt(), row.value(6).toLongLong(), row.value(8).toInt());
        const QVariant length =
            isTextType(t.type) ? QVariant(qlonglong(t.definedSize)) : QVariant();
        const QVariant ordinal = row.size() > 16 && row.value(16).isValid()
                                     ? QVariant(row.value(16).toLongLong())
                                     : QVariant();
        r.rows.push_back({row.value(0), row.value(1), name, column, ordinal, qlonglong(t.type),
                          length, row.value(10).toInt() != SQL_NO_NULLS});
    }
    return r;
}

Result OdbcDriver::tables(const QVariantList& restrictions) {
    return catalogue(false, restrictions);
}

Result OdbcDriver::columns(const QVariantList& restrictions) {
    return catalogue(true, restrictions);
}

} // namespace ado::detail
