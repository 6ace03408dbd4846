#include "Providers.h"

#include "AdoErrors.h"
#include "ConnectionString.h"
#include "OdbcDriver.h"
#include "SqliteDriver.h"
#include "core/ArchivoIni.h"

namespace ado::detail {

namespace {

const QString kIni = QStringLiteral("ZK000pr.INI");
const QString kSection = QStringLiteral("ODBC");
const QString kDriver18 = QStringLiteral("ODBC Driver 18 for SQL Server");

QString setting(const QString& key, const QString& fallback = QString()) {
    return q42::ArchivoIni::LeeIni(kIni, kSection, key, fallback).trimmed();
}

const QStringList kServer = {QStringLiteral("Server"), QStringLiteral("Data Source"),
                             QStringLiteral("Address"), QStringLiteral("Addr")};
const QStringList kDatabase = {QStringLiteral("Database"), QStringLiteral("Initial Catalog")};
const QStringList kUser = {QStringLiteral("UId"), QStringLiteral("User Id"),
                           QStringLiteral("UserId")};
const QStringList kPassword = {QStringLiteral("Pwd"), QStringLiteral("Password")};

QString sqlServerDriver() {
    QString fallback = QStringLiteral("FreeTDS");
    if (OdbcDriver::installedDrivers().contains(kDriver18, Qt::CaseInsensitive))
        fallback = kDriver18;
    return setting(QStringLiteral("DriverSqlServer"), fallback);
}

// Microsoft's drivers take "host,port"; FreeTDS and the others want PORT=.
bool takesCommaPort(const QString& driver) {
    return driver.contains(QLatin1String("SQL Server"), Qt::CaseInsensitive) &&
           !driver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive);
}

ConnectionString sqlServerOdbc(const ConnectionString& cs, const QString& user,
                               const QString& password) {
    const QString driver = sqlServerDriver();
    ConnectionString out;
    out.set(QStringLiteral("DRIVER"), driver);
    const HostPort hp = splitHostPort(cs.value(kServer));
    if (hp.port.isEmpty())
        out.set(QStringLiteral("SERVER"), hp.host);
    else if (takesCommaPort(driver))
        out.set(QStringLiteral("SERVER"), hp.host + QLatin1Char(',') + hp.port);
    else {
        out.set(QStringLiteral("SERVER"), hp.host);
        out.set(QStringLiteral("PORT"), hp.port);
    }
    if (const QString db = cs.value(kDatabase); !db.isEmpty())
        out.set(QStringLiteral("DATABASE"), db);
    out.set(QStringLiteral("UID"), user.isEmpty() ? cs.value(kUser) : user);
    out.set(QStringLiteral("PWD"), password.isEmpty() ? cs.value(kPassword) : password);
    if (driver.compare(kDriver18, Qt::CaseInsensitive) == 0) {
        for (const QString& key :
             {QStringLiteral("Encrypt"), QStringLiteral("TrustServerCertificate")})
            if (const QString v = setting(key); !v.isEmpty())
                out.set(key, v);
    } else if (!takesCommaPort(driver)) {
        // FreeTDS left to find the protocol version ("auto") retries past
        // the login time-out against a server that never answers.
        out.set(QStringLiteral("TDS_Version"),
                setting(QStringLiteral("TDS_Version"), QStringLiteral("7.4")));
    }
    return out;
}

ConnectionString oracleOdbc(const ConnectionString& cs, const QString& user,
                            const QString& password, Errors& errors) {
    const QString driver = setting(QStringLiteral("DriverOracle"));
    if (driver.isEmpty())
        refuse(errors, QStringLiteral("IM002"), q42::err::E_Fail,
               QStringLiteral("No ODBC driver for Oracle is configured: name it with the key "
                              "\"DriverOracle\" in section [ODBC] of ZK000pr.INI."));
    ConnectionString out;
    out.set(QStringLiteral("DRIVER"), driver);
    out.set(QStringLiteral("DBQ"), cs.value({QStringLiteral("Data Source")}));
    out.set(QStringLiteral("UID"), user.isEmpty() ? cs.value(kUser) : user);
    out.set(QStringLiteral("PWD"), password.isEmpty() ? cs.value(kPassword) : password);
    return out;
}

ConnectionString plainOdbc(ConnectionString cs, const QString& user, const QString& password) {
    cs.remove({QStringLiteral("Provider")});
    if (!user.isEmpty())
        cs.set(QStringLiteral("UID"), user);
    if (!password.isEmpty())
        cs.set(QStringLiteral("PWD"), password);
    return cs;
}

bool startsWith(const QString& provider, const char* prefix) {
    return provider.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
}

} // namespace

[[noreturn]] void refuse(Errors& errors, const QString& state, qint32 number,
                         const QString& description) {
    ado::Error e;
    e.SQLState = state;
    e.Number = number;
    e.Description = description;
    e.Source = source();
    errors.Add(e);
    raise(number, description);
}

QString odbcConnectionString(const QString& connectionString, const QString& userId,
                             const QString& password, Errors& errors, QString& provider) {
    const ConnectionString cs = ConnectionString::parse(connectionString);
    provider = cs.value({QStringLiteral("Provider")});
    ConnectionString odbc;
    if (startsWith(provider, "SQLOLEDB") || startsWith(provider, "SQLNCLI") ||
        startsWith(provider, "MSOLEDBSQL"))
        odbc = sqlServerOdbc(cs, userId, password);
    else if (startsWith(provider, "OraOLEDB") || startsWith(provider, "MSDAORA"))
        odbc = oracleOdbc(cs, userId, password, errors);
    else if (startsWith(provider, "MSDASQL") ||
             (provider.isEmpty() &&
              cs.has({QStringLiteral("DRIVER"), QStringLiteral("DSN"), QStringLiteral("FILEDSN")})))
        odbc = plainOdbc(cs, userId, password);
    else
        refuse(errors, QStringLiteral("IM002"), ProviderNotFound,
               QStringLiteral("Provider cannot be found. It may not be properly installed. (%1)")
                   .arg(provider.isEmpty() ? QStringLiteral("no provider named") : provider));
    if (provider.isEmpty())
        provider = QStringLiteral("MSDASQL");
    return odbc.toOdbc();
}

std::unique_ptr<Driver> openProvider(const QString& connectionString, const QString& userId,
                                     const QString& password, const OpenSettings& settings,
                                     Errors& errors, QString& provider) {
    const ConnectionString cs = ConnectionString::parse(connectionString);
    provider = cs.value({QStringLiteral("Provider")});
    if (provider.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0)
        return std::make_unique<SqliteDriver>(cs.value({QStringLiteral("Data Source")}), errors);
    const QString odbc = odbcConnectionString(connectionString, userId, password, errors, provider);
    bool ok = false;
    const int login = setting(QStringLiteral("TiempoConexion")).toInt(&ok);
    return std::make_unique<OdbcDriver>(odbc, ok && login >= 0 ? login : settings.loginTimeout,
                                        errors);
}

} // namespace ado::detail
