#pragma once

// Writing a screen text into a record-set column of any type, and telling
// the operator why a save failed.

#include "ado/Ado.h"
#include "core/Error.h"

#include <QString>

// Stores Valor in the column Campo (brackets allowed) converted to the
// column's type. A text that is no number for a numeric or currency column
// raises q42::Error(3421). Failures reach the caller.
void AsignaCampo(ado::Recordset& Registro, const QString& Campo, const QString& Valor);

// Explains a failed save (Campo: the column being written, may be empty)
// and returns what the save does next: 4 retry, 5 skip, 3 or 0 abandon.
int ErrorGrabacion(const q42::Error& Error, const QString& Campo);
