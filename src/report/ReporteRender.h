#pragma once

// Draws one page of a report for one row with QPainter, on whatever device
// the painter is open on (the preview's printer, a PDF file, an image).

#include "ReporteDefinicion.h"

#include <QHash>
#include <QString>
#include <QVariant>

class QPainter;

namespace q42::reporte {

struct DatosPagina {
    QHash<QString, QVariant> fila;    // column name in lower case -> value
    QHash<QString, QString> formulas; // formula name in lower case -> value
};

// The computed figures of a row, each rounded to two decimals, by name in
// lower case. Throws q42::Error for a column the row lacks or a column
// value that is no number.
QHash<QString, Currency> calculaFiguras(const Definicion& def, const DatosPagina& datos);

// The text an element or cell shows: numbers with their fixed decimals and
// the regional decimal separator; a formula the caller did not pass is
// empty text.
QString textoValor(const Valor& valor, const DatosPagina& datos,
                   const QHash<QString, Currency>& figuras, const Definicion& def);

// The painter's origin is the top-left corner of the printable area.
void dibujaPagina(QPainter& painter, const Definicion& def, const DatosPagina& datos);

} // namespace q42::reporte
