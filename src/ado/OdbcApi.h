#pragma once

// The ODBC driver manager (core/Plataforma.h names its file) is loaded the first
// time the program connects through ODBC, not when it starts: the demo and
// SQLite files never need it, and a machine without it still opens them.

#include <QString>
#include <sql.h>
#include <sqlext.h>

namespace ado::detail {

// Every driver manager function the ODBC driver calls.
#define Q42_ODBC_FUNCTIONS(X)                                                                      \
    X(SQLAllocHandle)                                                                              \
    X(SQLFreeHandle)                                                                               \
    X(SQLSetEnvAttr)                                                                               \
    X(SQLSetConnectAttrW)                                                                          \
    X(SQLGetConnectAttrW)                                                                          \
    X(SQLDriverConnectW)                                                                           \
    X(SQLDisconnect)                                                                               \
    X(SQLDriversW)                                                                                 \
    X(SQLGetInfoW)                                                                                 \
    X(SQLGetDiagRecW)                                                                              \
    X(SQLSetStmtAttrW)                                                                             \
    X(SQLExecDirectW)                                                                              \
    X(SQLPrepareW)                                                                                 \
    X(SQLBindParameter)                                                                            \
    X(SQLExecute)                                                                                  \
    X(SQLNumResultCols)                                                                            \
    X(SQLDescribeColW)                                                                             \
    X(SQLColAttributeW)                                                                            \
    X(SQLFetch)                                                                                    \
    X(SQLGetData)                                                                                  \
    X(SQLRowCount)                                                                                 \
    X(SQLMoreResults)                                                                              \
    X(SQLEndTran)                                                                                  \
    X(SQLTablesW)                                                                                  \
    X(SQLColumnsW)

struct OdbcApi {
#define Q42_ODBC_POINTER(name) decltype(&::name) name = nullptr;
    Q42_ODBC_FUNCTIONS(Q42_ODBC_POINTER)
#undef Q42_ODBC_POINTER
};

// Loads the driver manager once; null, with the reason in *why, when it is
// missing or lacks a function.
const OdbcApi* loadOdbc(QString* why = nullptr);

// The loaded driver manager, for code that runs only once a connection
// through it exists (loadOdbc succeeded).
const OdbcApi& odbcApi();

} // namespace ado::detail
