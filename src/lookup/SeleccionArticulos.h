#pragma once

#include <QString>
#include <optional>

// The articles lookup with check boxes behind the code boxes of the
// "Formulas" tab: the codes already in the list (a comma-separated list of
// quoted codes) start ticked, and the ticked codes come back as such a
// list. Empty optional when the operator cancelled.
std::optional<QString> EligeArticulos(const QString& listaActual);
