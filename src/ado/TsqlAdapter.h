#pragma once

#include <QString>

namespace ado {

// Rewrites the parts of SQL Server's dialect that the program uses into
// SQLite's: SELECT TOP n (as LIMIT n at the end of that SELECT), N'..'
// literals, "dbo." owners, [bracketed] names, ISNULL, LEN, CHARINDEX,
// GETDATE(), CONVERT(type, x[, style]) and WITH (NOLOCK) hints. Text
// inside string literals, quoted names and comments is never changed.
QString adaptTsqlForSqlite(const QString& sql);

} // namespace ado
