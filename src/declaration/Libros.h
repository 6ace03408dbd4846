#pragma once

// The month's figures as the business database's books hold them: wheat
// received (purchases), wheat milled and what each product's articles
// gave (production parts), domestic sales and exports, each with the
// documents behind it; and the closing stocks the books give against the
// declaration's. No widgets here: the window, the batch command line and
// the checks before signing read the same figures.

#include "Revision.h"
#include "core/Cifras.h"
#include "core/Currency.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <optional>
#include <vector>

namespace declaracion {

// ZK000pr.INI, section [Libros]. The lists are written as the product code
// lists of the "Formulas" tab: codes between apostrophes, separated by
// commas.
struct AjustesLibros {
    QString articulosTrigo = QStringLiteral("'10'");          // ArticulosTrigo
    QString sistemaCompras = QStringLiteral("COMPRAS");       // SistemaCompras
    QString sistemaProduccion = QStringLiteral("PRODUCCION"); // SistemaProduccion
    QString cpteExportacion = QStringLiteral("'FE'");         // CpteExportacion
};
// A key missing or blank keeps its default; CpteExportacion written blank
// means no export documents.
AjustesLibros leeAjustesLibros();

// What the books are asked for: the month, the unit of the tonnes
// (TxtEquiv), the five products' code lists and the wheat's other outputs
// on screen (the extractions share out the milled wheat plus those).
struct PedidoLibros {
    QString periodo;
    QString unidad = QStringLiteral("TON");
    std::array<QString, 5> codigos;
    q42::Currency otrasSalidasTrigo;
};

// One figure of the form: its column (P_Ingresos, SP000_Extraccion...), its
// value (tonnes, or a percentage with two decimals for an extraction) and
// how many documents it comes from (0: none in the month, the value is 0).
struct FiguraLibros {
    QString columna;
    q42::Currency valor;
    int comprobantes = 0;
};

struct ResultadoLibros {
    // P_Ingresos, P_Elaboracion, then for each product Extraccion, Consumo
    // and Exportacion.
    std::vector<FiguraLibros> figuras;
    std::array<q42::Currency, 5> producido{}; // tonnes the production parts gave
    // Flour 000 plus 0000 produced over the wheat milled, in percent; no
    // value without milling.
    std::optional<q42::Currency> rendimientoHarinero;
    int sentencias = 0; // statements sent
    const FiguraLibros* figura(const QString& columna) const;
};

// The operator's mistakes in the settings or the lists, in Spanish; empty
// when all can be read.
QString problemaLibros(const PedidoLibros& pedido, const AjustesLibros& ajustes);

// Reads the month through the program's connection in at most two
// statements. Throws q42::Error: a period that is not MM/AAAA, a list that
// problemaLibros rejects, a statement that fails or is given up.
ResultadoLibros leeLibros(const PedidoLibros& pedido, const AjustesLibros& ajustes);

// The statements leeLibros sends, in the program's dialect: sums per
// subsystem, document type, article and unit, and documents per subsystem,
// type and list. `desde`, `hasta` are SQL date expressions.
QStringList sentenciasLibros(const QString& desde, const QString& hasta, const PedidoLibros& pedido,
                             const AjustesLibros& ajustes);

// One document line behind a figure.
struct LineaOrigen {
    QDateTime fecha;
    QString tipo;
    QString numero;
    QString articulo;
    double cantidad = 0;
    QString unidad;
    q42::Currency toneladas; // signed as it adds to the figure
};
// The lines behind the figure `columna` (an extraction gives its product's
// production lines in tonnes), in one statement, by date. Their tonnes add
// up to the figure (for a domestic consumption or an export, to each
// article and unit's sum as the figure takes it).
std::vector<LineaOrigen> origenDeFigura(const QString& columna, const PedidoLibros& pedido,
                                        const AjustesLibros& ajustes);

// The flour yield the production parts give each month ("MM/AAAA" with its
// 000 and 0000 code lists): flour 000 and 0000 produced over the wheat
// milled, in percent with two decimals; a month without milling or with
// malformed lists is left out. One statement over the months' range.
std::map<QString, q42::Currency>
rendimientosDeLibros(const std::vector<std::pair<QString, std::array<QString, 2>>>& meses,
                     const QString& unidad, const AjustesLibros& ajustes);

// ZK000pr.INI [Revision] ToleranciaLibros: 0,5 t unless set.
q42::Currency leeToleranciaLibros();
// The stock the books give at the month's end (every movement not
// cancelled up to its last day) for the wheat and each product, against
// the declaration's final stocks: one finding per figure that differs by
// more than `tolerancia`. One statement.
std::vector<Hallazgo> cierreDeLibros(const FigurasDeclaracion& figuras, const PedidoLibros& pedido,
                                     const AjustesLibros& ajustes, q42::Currency tolerancia);

// The caption of a figure's row and product ("Ingresos del mes", "Consumo
// Interno 000").
QString nombreFigura(const QString& columna);
// "Ingresos del mes 1.250,00 difiere de los libros (1.234,00)", or no
// finding when both show the same at two decimals.
std::optional<Hallazgo> hallazgoCambioManual(const QString& columna, q42::Currency libros,
                                             q42::Currency pantalla);
// "De los libros: 14 comprobantes" (the tooltip of a filled box).
QString leyendaLibros(int comprobantes);
// Two decimals and thousands marks, as the messages write figures.
using q42::cifraConMiles;

} // namespace declaracion
