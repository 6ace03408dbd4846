#pragma once

// Which engine a provider connection string reaches, and how.

#include "Ado.h"
#include "Driver.h"

#include <memory>

namespace ado::detail {

// Records the failure in the connection's Errors collection, as a driver
// error would be, then raises it.
[[noreturn]] void refuse(Errors& errors, const QString& state, qint32 number,
                         const QString& description);

struct OpenSettings {
    int loginTimeout = 15; // seconds
    int commandTimeout = 30;
};

// "Provider=SQLite" opens the embedded engine; SQLOLEDB, OraOLEDB and MSDASQL
// (or a plain DRIVER=/DSN= string) go through ODBC. Returns the provider
// name ADO would report.
std::unique_ptr<Driver> openProvider(const QString& connectionString, const QString& userId,
                                     const QString& password, const OpenSettings& settings,
                                     Errors& errors, QString& provider);

// The ODBC connection string an ODBC provider string stands for: SQLOLEDB
// with the SQL Server driver of ZK000pr.INI ([ODBC] DriverSqlServer, else
// "ODBC Driver 18 for SQL Server" when installed, else "FreeTDS"),
// OraOLEDB with [ODBC] DriverOracle, MSDASQL or DRIVER=/DSN= as given.
QString odbcConnectionString(const QString& connectionString, const QString& userId,
                             const QString& password, Errors& errors, QString& provider);

} // namespace ado::detail
