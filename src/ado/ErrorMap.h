#pragma once

// Turning what a driver says into entries of the Errors collection with the
// numbers the program tests for (the ones SQL Server and its OLE DB provider
// give).

#include "Ado.h"

namespace ado::detail {

// The embedded engine: an extended result code and its message.
ado::Error errorFromSqlite(int extendedCode, const QString& message);

// ADO's number for an ODBC SQL state.
qint32 numberForSqlState(const QString& sqlState);

// A SQLite engine reached through ODBC reports constraint failures with a
// generic state; the message tells which, as for the embedded engine.
void mapSqliteMessage(ado::Error& error);

} // namespace ado::detail
