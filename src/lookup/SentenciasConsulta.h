#pragma once

// The statements of the lookups, built without a window or a database: from
// a mask entry, from a table's columns, and the conditions a new search adds.
// Every text test here ignores letter case.

#include "core/Currency.h"
#include "lookup/MascaraConsultas.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace q42::consultas {

bool contiene(const QString& texto, const QString& busca);

// Row limit from the "TopConsArt" setting: the whole number it begins with,
// 1000 when that is not above 0.
int limiteFilas(const QString& valorConfigurado);

// The caller's filter with parentheses round it (" (x=1) "), unless it is a
// single character or already begins with one.
QString envuelveWhere(const QString& where);

// Statement of a mask entry; no value when the entry lists a single column
// and no search column was given (the operator must configure it).
// campoBusqueda is filled in with the first column when it is empty.
std::optional<QString> sentenciaDeMascara(const mascaras::RegistroMascara& registro,
                                          QString& campoBusqueda, const QString& where, int limite);

// Statement from the field names of a table, in reverse field order, the
// search column being the last description-like field (else the first
// field). An empty list gives " * " and keeps the caller's search column.
QString sentenciaDeColumnas(const QStringList& campos, const QString& tabla, QString& campoBusqueda,
                            int limite);

// The word after the first "from".
QString tablaConsulta(const QString& sql);

// The price-class columns of an articles statement show configured names.
bool esSentenciaDePrecios(const QString& sql);

// A new search of the list dialog: the condition on `campo` joined before
// the ORDER BY / GROUP BY tail. `texto` goes in as a quoted literal. With
// `like` the text may occur anywhere, otherwise it must begin the value.
// sqlActual is the statement the condition is added to when the statement
// has no tail.
QString nuevaBusquedaLista(const QString& sql, const QString& sqlActual, const QString& campo,
                           const QString& texto, bool like);
// What the list dialog searches for and shows in the box: "*" stands for
// "%" unless the search is by containment.
QString textoBusqueda(const QString& texto, bool like);

// A new search of the tree dialog: always Descripcion, always containment.
QString nuevaBusquedaArbol(const QString& sql, const QString& sqlActual, const QString& texto);

// The values of a preselection list ("'5','6'", "0001, 0005", "a;b"), each
// without quotes and blanks.
QStringList valoresLista(const QString& lista);

// Stock level 1 to 4 from the reorder point and the stock.
int nivelStock(Currency puntoPedido, Currency stock);

// A colour number of the configuration (blue in the high byte, red in the
// low one); numbers that are no colour give black.
QColor colorConfigurado(const QVariant& numero);

} // namespace q42::consultas
