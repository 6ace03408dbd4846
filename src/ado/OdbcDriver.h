#pragma once

// Any ODBC data source through the driver manager, called directly so that
// SQL states, native numbers and exact decimals reach the Errors collection
// and the record sets.

#include "Driver.h"

#include <sql.h>

namespace ado::detail {

class OdbcDriver final : public Driver {
public:
    // Connects with SQLDriverConnect; the login time-out bounds a server
    // that accepts the socket and never answers.
    OdbcDriver(const QString& connectionString, int loginTimeoutSeconds, Errors& errors);
    ~OdbcDriver() override;

    Engine engine() const override { return m_engine; }
    Result run(const QString& sql, const QVariantList& params) override;
    void beginTrans(int level) override;
    void commitTrans(int level) override;
    void rollbackTrans(int level) override;
    void setCommandTimeout(int seconds) override { m_timeoutSeconds = seconds; }
    void setIsolationLevel(int level) override;
    void useDatabase(const QString& name) override;
    Result tables(const QVariantList& restrictions) override;
    Result columns(const QVariantList& restrictions) override;
    QVariant toStorage(const QVariant& value, int) const override { return value; }
    QVariant present(const QVariant& stored, int) const override { return stored; }
    QString equalsParameter(const QString& quotedColumn, int adoType) const override;

    // Names of the drivers registered with the driver manager.
    static QStringList installedDrivers();

private:
    [[noreturn]] void fail(SQLSMALLINT handleType, SQLHANDLE handle);
    void check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle);
    void endTransaction(SQLSMALLINT completion);
    Result fetchAll(SQLHSTMT stmt);
    Result catalogue(bool columns, const QVariantList& restrictions);

    SQLHENV m_env = nullptr;
    SQLHDBC m_dbc = nullptr;
    Errors& m_errors;
    Engine m_engine = Engine::Other;
    bool m_connected = false;
    int m_timeoutSeconds = 30;
    QString m_escape;                   // search-pattern escape of the driver
    SQLULEN m_isolationDefault = 0;     // as connected; 0: not known
    SQLUINTEGER m_isolationOptions = 0; // levels the driver offers; 0: not known
};

} // namespace ado::detail
