#pragma once

#include <QString>

namespace declaracion {

// The command line's "--libros PERIODO": the figures the books give for the
// month, one line each ("campo;valor;comprobantes"), then the closing
// check against the stored declaration of the month, when there is one,
// on standard output. The month's code lists and unit are the stored
// declaration's, or the form's defaults. Exit code: 0 when the books were
// read; 1 for a malformed period, no connection, a list that cannot be
// read or a statement that failed (told on stderr).
int librosEnLote(const QString& parametros, const QString& periodo);

} // namespace declaracion
