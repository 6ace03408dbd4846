#pragma once

// Domestic consumption of a product: the quantity of its articles sold in
// the declaration's month, converted to tonnes with the business database's
// unit equivalences. No widgets here; FrmQ42_Consumo.cpp wires it to the
// boxes of the window.

#include "core/Currency.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace ado {
class Recordset;
}

namespace declaracion {

inline const QString kMensajeSinUnidad =
    QStringLiteral("Debe informar la unidad equivalente en Toneladas");
inline const QString kProgresoLeyendo = QStringLiteral("Leyendo datos");

// "01/<periodo>". The period is used as it comes; a malformed one fails
// later, when the date is turned into an SQL expression.
QString primerDia(const QString& periodo);
// "<last day>/<periodo>", February giving 29 in a leap year. A period that
// is not MM/YYYY throws q42::Error(13).
QString ultimoDia(const QString& periodo);

// A product's article codes as the operator keeps them: codes between
// apostrophes (an apostrophe inside a code doubled), separated by commas,
// blanks allowed around them. The list comes back rebuilt with every code
// quoted by the program's quoting helper, so no typed text reaches the
// statement as SQL. A blank list gives an empty text; anything else that
// is not such a list gives no value.
std::optional<QString> listaCodigos(const QString& lista);
// The same list read as its codes (apostrophes undoubled, blank list: none).
std::optional<QStringList> codigosDeLista(const QString& lista);

// The statement that sums one product's sales of the month: per article
// and base unit, the absolute value of the quantity sold and that value in
// the unit `unidad`. `desde` and `hasta` are SQL date expressions; `lista`
// a list rebuilt by listaCodigos (its first code becomes N'..').
// `exportacion`, a list of document types rebuilt the same way, leaves
// those documents out (the exports are declared apart); empty, all sales.
QString sentenciaConsumo(const QString& desde, const QString& hasta, const QString& unidad,
                         const QString& lista, const QString& exportacion = QString());

// Adds one row's converted quantity to the running total, rounded to four
// decimals half to even; a null value adds nothing.
q42::Currency acumula(q42::Currency total, const QVariant& valor);
// The total of the column "ConsumoEquiv" over the record set's rows.
q42::Currency sumaConsumo(ado::Recordset& rs);

// What the operator reads when a product's code list is malformed.
QString mensajeListaInvalida(int producto);

} // namespace declaracion
