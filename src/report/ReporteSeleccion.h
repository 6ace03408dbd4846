#pragma once

// The record selection of a report, "{Tabla.Campo} >= 'x' AND ...", read
// back into conditions and turned into a statement. Values never reach the
// statement as typed: texts go in quotes with their apostrophes doubled,
// numbers only when they are plain digits; table and column names must be
// plain identifiers.

#include "ReporteExpresion.h"

#include <QString>
#include <QVector>

namespace q42::reporte {

struct Condicion {
    RefCampo campo;
    QString operador; // =, <>, <, <=, >, >=
    QString valor;    // as the operator typed it, quotes removed
    bool esNumero = false;
};

// Conditions joined by AND; values in single quotes ('' inside for one
// quote), in double quotes, or plain numbers. Empty text: no condition.
// Throws q42::Error for any other text.
QVector<Condicion> analizaSeleccion(const QString& seleccion);

// "SELECT * FROM <tabla> WHERE ... ORDER BY <orden>"; a condition on
// another table throws q42::Error.
QString sentenciaSeleccion(const QString& tabla, const QVector<Condicion>& condiciones,
                           const QString& orden);

// A text in single quotes, apostrophes doubled.
QString textoEntreComillas(const QString& texto);

} // namespace q42::reporte
