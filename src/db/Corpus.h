#pragma once

// The statement corpus: with Q42_CORPUS=<file> in the environment, every
// request any connection sends is appended to the file, one JSON object a
// line, with its SQL Server form (as written) and its Oracle form (as the
// translation and the script runner would send it), and the operation it
// belongs to. scripts/check-sql.sh has an independent parser read both forms.
// Off, it costs one look at the environment.

#include <QString>

namespace corpus {

// Starts recording when Q42_CORPUS names a file; later calls do nothing.
void instala();
// The operation the following requests belong to ("start", "save"...);
// empty for none.
void operacion(const QString& nombre);

} // namespace corpus
