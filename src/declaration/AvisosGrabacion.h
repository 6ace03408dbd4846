#pragma once

// What the operator is told when storing or deleting a declaration fails:
// the usual faults of the database in his words and with the month; the
// engine's own text and numbers go to the error log.

#include "core/Error.h"

#include <QString>

namespace declaracion {

// Tells the operator and returns what the save does next: 4 retry, 5 go
// on, 3 or 0 abandon. Campo is the column being written (may be empty).
int avisoGrabacion(const q42::Error& error, const QString& campo, const QString& periodo,
                   bool borrando);

} // namespace declaracion
