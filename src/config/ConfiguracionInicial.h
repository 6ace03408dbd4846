#pragma once

// The settings the start needs, read in one statement and kept for the
// session on that connection: on a network each key read alone is a round
// trip. A key outside the list is read from the table every time.

#include <QString>
#include <QStringList>
#include <optional>

struct ValorConfiguracion {
    QString valor;
    QString aux;
};

// Reads `claves` from the configuration table; any failure keeps nothing
// (the keys are then read one by one, and the failure told there).
void LeeConfiguracionInicial(const QStringList& claves);
// The value kept for the key on the current connection, if any.
std::optional<ValorConfiguracion> configuracionInicial(const QString& clave);
