#pragma once

// What Libros.cpp and LibrosOrigen.cpp share: which figure is which, the
// request's lists read as codes, and the pieces of their statements.

#include "ColumnasDeclaracion.h"
#include "Libros.h"

namespace ado {
class Recordset;
}

namespace declaracion::libros {

inline const QString kFuente = QStringLiteral("Libros");
inline const QString kVentas = QStringLiteral("VENTAS");

// Where a figure's documents come from and the sign its quantities take.
enum class Origen { Compras, Produccion, Ventas, Exportacion };
struct ClaseFigura {
    Origen origen;
    int signo;
    bool valorAbsoluto; // per article and unit, as "Calcular" adds a consumption
};

// Index of a figure in ResultadoLibros::figuras: the two wheat figures,
// then three per product (extraction, consumption, export).
enum Figura { kIngresos = 0, kElaboracion = 1 };
constexpr int kPorProducto = 3;
constexpr int figuraProducto(int producto, int cual) {
    return 2 + producto * kPorProducto + cual;
}
inline constexpr Fila kFilasProducto[kPorProducto] = {Fila::Extraccion, Fila::Consumo,
                                                      Fila::Exportacion};
QString columnaProducto(int producto, int cual);
ClaseFigura claseDe(int figura);
// Which figure a column names, -1 when the books fill none.
int figuraDeColumna(const QString& columna);

// The lists of a request, read as codes (compared ignoring letter case, as
// the server's collation does).
struct Listas {
    QStringList trigo;
    std::array<QStringList, 5> productos;
    QStringList exportacion;
    QStringList todas() const;
};
std::optional<QStringList> lista(const QString& texto);
// Throws q42::Error with problemaLibros's text.
Listas listasDe(const PedidoLibros& pedido, const AjustesLibros& ajustes);
bool contiene(const QStringList& codigos, const QString& valor);

// N'a', N'b': every code quoted by the program's quoting helper.
QString enSql(const QStringList& codigos);
// Joins and filters of the statements over a range of days.
QString desdeDondeMes(const QString& desde, const QString& hasta, const QString& unidad);
// The month as SQL date expressions, first day to the last one's end.
struct Rango {
    QString desde, hasta;
};
Rango rangoDe(const QString& periodo);

// Opens a read-only record set; throws when the operator gave it up.
void abre(const QString& texto, ado::Recordset& rs);
QString texto(ado::Recordset& rs, const char* campo);
double numero(ado::Recordset& rs, const char* campo);

// `parte` over `total` in percent, two decimals; 0 without a total.
q42::Currency porcentaje(q42::Currency parte, q42::Currency total);

} // namespace declaracion::libros
