#include "AdoErrors.h"
#include "AdoPrivate.h"
#include "Providers.h"
#include "TsqlAdapter.h"

namespace ado {

using namespace detail;

namespace {

Connection::Trace& traceHook() {
    static Connection::Trace hook;
    return hook;
}

Connection::RequestHook& requestHook() {
    static Connection::RequestHook hook;
    return hook;
}

int& programDepth() {
    static int depth = 0;
    return depth;
}

void request(const QString& text, Connection::Request kind) {
    const bool program = programDepth() > 0 || kind == Connection::Request::Parameterised;
    if (const Connection::RequestHook& hook = requestHook(); hook && program)
        hook(text, kind);
}

} // namespace

ProgramScope::ProgramScope() {
    ++programDepth();
}

ProgramScope::~ProgramScope() {
    --programDepth();
}

void Connection::setRequestHook(RequestHook hook) {
    requestHook() = std::move(hook);
}

void detail::traceStatement(const QString& sql) {
    if (const Connection::Trace& hook = traceHook())
        hook(sql);
}

void Connection::setTrace(Trace trace) {
    traceHook() = std::move(trace);
}

void ConnectionPrivate::isolationEnded() {
    if (driver && isolationSet)
        driver->setIsolationLevel(adXactUnspecified);
}

detail::Driver& ConnectionPrivate::open() {
    if (!driver)
        raiseClosed();
    return *driver;
}

detail::Result ConnectionPrivate::run(const QString& sql, const QVariantList& params) {
    Driver& d = open();
    errors.Clear();
    catalogue.seeStatement(sql);
    request(sql,
            params.isEmpty() ? Connection::Request::Statement : Connection::Request::Parameterised);
    return d.run(d.engine() == Engine::SQLite ? adaptTsqlForSqlite(sql) : sql, params);
}

detail::Result ConnectionPrivate::runText(const QString& sql, const CellFormat& format,
                                          TextRows& cells) {
    Driver& d = open();
    errors.Clear();
    catalogue.seeStatement(sql);
    request(sql, Connection::Request::Statement);
    return d.runText(d.engine() == Engine::SQLite ? adaptTsqlForSqlite(sql) : sql, format, cells);
}

QString ConnectionPrivate::quoteName(const QString& name) const {
    if (driver && driver->engine() == Engine::SqlServer) {
        QString n = name;
        n.replace(QLatin1Char(']'), QLatin1String("]]"));
        return QLatin1Char('[') + n + QLatin1Char(']');
    }
    QString n = name;
    n.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

void ConnectionPrivate::fail(qint32 number, const QString& description, const QString& state) {
    refuse(errors, state, number, description);
}

Connection::Connection() : d(std::make_unique<ConnectionPrivate>()) {}

Connection::~Connection() {
    // An open transaction is not left to the driver's mercy.
    if (d->driver && d->level > 0) {
        try {
            d->driver->rollbackTrans(1);
        } catch (const q42::Error&) {
        }
    }
}

void Connection::Open(const QString& connectionString, const QString& userId,
                      const QString& password, int /*options*/) {
    if (d->driver)
        raise(q42::err::NotAllowedOpen,
              QStringLiteral("Operation is not allowed when the object is open."));
    if (!connectionString.isEmpty())
        d->connectionString = connectionString;
    d->errors.Clear();
    OpenSettings settings;
    settings.loginTimeout = d->connectionTimeout;
    settings.commandTimeout = d->commandTimeout;
    QString provider;
    auto driver =
        openProvider(d->connectionString, userId, password, settings, d->errors, provider);
    driver->setCommandTimeout(d->commandTimeout);
    if (driver->engine() == Engine::SqlServer && !d->defaultDatabase.isEmpty())
        driver->useDatabase(d->defaultDatabase);
    d->provider = provider;
    d->driver = std::move(driver);
    d->level = 0;
    d->catalogue.clear();
}

void Connection::Close() {
    if (!d->driver)
        raiseClosed();
    // Closing with a transaction open rolls it back, as ADO does.
    if (d->level > 0) {
        try {
            d->driver->rollbackTrans(1);
        } catch (const q42::Error&) {
        }
    }
    d->level = 0;
    d->driver.reset();
    d->catalogue.clear();
}

int Connection::State() const {
    return d->driver ? adStateOpen : adStateClosed;
}

// Like ADO without "Persist Security Info": the password is not given back.
QString Connection::ConnectionString() const {
    return redactPasswords(d->connectionString);
}

void Connection::setConnectionString(const QString& text) {
    if (d->driver)
        raise(q42::err::NotAllowedOpen,
              QStringLiteral("Operation is not allowed when the object is open."));
    d->connectionString = text;
}

QString Connection::Provider() const {
    return d->provider.isEmpty() ? QStringLiteral("MSDASQL") : d->provider;
}

Engine Connection::engine() const {
    return d->driver ? d->driver->engine() : Engine::None;
}

int Connection::CursorLocation() const {
    return d->cursorLocation;
}

void Connection::setCursorLocation(int location) {
    d->cursorLocation = location == adUseClient ? adUseClient : adUseServer;
}

QString Connection::DefaultDatabase() const {
    return d->defaultDatabase;
}

void Connection::setDefaultDatabase(const QString& name) {
    if (d->driver && d->driver->engine() == Engine::SqlServer) {
        d->errors.Clear();
        d->driver->useDatabase(name);
    }
    if (name.compare(d->defaultDatabase, Qt::CaseInsensitive) != 0)
        d->catalogue.clear();
    d->defaultDatabase = name;
}

int Connection::CommandTimeout() const {
    return d->commandTimeout;
}

void Connection::setCommandTimeout(int seconds) {
    d->commandTimeout = qMax(0, seconds);
    if (d->driver)
        d->driver->setCommandTimeout(d->commandTimeout);
}

int Connection::ConnectionTimeout() const {
    return d->connectionTimeout;
}

void Connection::setConnectionTimeout(int seconds) {
    d->connectionTimeout = qMax(0, seconds);
}

int Connection::IsolationLevel() const {
    return d->isolationLevel;
}

// As in ADO the level is kept and takes effect at the next BeginTrans; reads
// outside a transaction keep the engine's own level.
void Connection::setIsolationLevel(int level) {
    d->isolationLevel = level;
    d->isolationSet = true;
}

std::unique_ptr<Recordset> Connection::Execute(const QString& commandText, long* recordsAffected,
                                               int /*options*/) {
    Result r = d->run(commandText);
    if (recordsAffected)
        *recordsAffected = r.hasColumns ? -1 : r.affected;
    auto rs = std::make_unique<Recordset>();
    if (r.hasColumns) {
        rs->d->source = commandText;
        rs->d->connection = weak_from_this().lock();
        rs->d->serverSide = d->cursorLocation != adUseClient;
        rs->d->cursorType = rs->d->serverSide ? adOpenForwardOnly : adOpenStatic;
        rs->d->load(std::move(r), d->driver.get());
    }
    return rs;
}

int Connection::BeginTrans() {
    Driver& drv = d->open();
    d->errors.Clear();
    if (d->level == 0 && d->isolationSet)
        drv.setIsolationLevel(d->isolationLevel);
    drv.beginTrans(d->level + 1);
    return ++d->level;
}

void Connection::CommitTrans() {
    Driver& drv = d->open();
    d->errors.Clear();
    if (d->level == 0)
        d->fail(NoTransactionActive, QStringLiteral("No transaction is active."),
                QStringLiteral("25000"));
    drv.commitTrans(d->level);
    if (--d->level == 0)
        d->isolationEnded();
}

void Connection::RollbackTrans() {
    Driver& drv = d->open();
    d->errors.Clear();
    if (d->level == 0)
        d->fail(NoTransactionActive, QStringLiteral("No transaction is active."),
                QStringLiteral("25000"));
    drv.rollbackTrans(d->level);
    // DDL undone with the transaction.
    d->catalogue.clear();
    if (--d->level == 0)
        d->isolationEnded();
}

int Connection::transactionLevel() const {
    return d->level;
}

std::unique_ptr<Recordset> Connection::OpenSchema(int schema, const QVariantList& restrictions) {
    Driver& drv = d->open();
    d->errors.Clear();
    std::optional<Result> kept = d->catalogue.find(schema, restrictions, d->defaultDatabase);
    // What is kept costs no request.
    if (!kept)
        request(QStringLiteral("OpenSchema(%1)").arg(schema), Request::Catalogue);
    Result r;
    if (kept)
        r = std::move(*kept);
    else if (schema == adSchemaTables)
        r = drv.tables(restrictions);
    else if (schema == adSchemaColumns)
        r = drv.columns(restrictions);
    else
        d->fail(qint32(0x800A0CB3), // adErrFeatureNotAvailable
                QStringLiteral("Object or provider is not capable of performing requested "
                               "operation."));
    if (!kept)
        d->catalogue.keep(schema, restrictions, d->defaultDatabase, r);
    auto rs = std::make_unique<Recordset>();
    rs->d->source = QStringLiteral("OpenSchema(%1)").arg(schema);
    rs->d->connection = weak_from_this().lock();
    rs->d->cursorType = adOpenStatic;
    rs->d->load(std::move(r), nullptr);
    return rs;
}

Errors& Connection::errors() {
    return d->errors;
}

const Errors& Connection::errors() const {
    return d->errors;
}

} // namespace ado
