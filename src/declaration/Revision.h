#pragma once

// Checks on a declaration's figures before it is signed: what an accountant
// would question (a negative stock, extractions that do not add up, a flour
// yield out of range, milling without production, an article counted for
// two products). Findings warn, they never block. No widgets here: the
// window and the batch PDF review the same figures the same way.

#include "core/Currency.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace declaracion {

class PantallaTotales;

// ZK000pr.INI, section [Revision].
struct LimitesRevision {
    bool activa = true;                                           // Activa=SI
    q42::Currency rendimientoMinimo = q42::Currency::fromInt(70); // RendimientoMinimo
    q42::Currency rendimientoMaximo = q42::Currency::fromInt(80); // RendimientoMaximo
    q42::Currency toleranciaMermas = q42::Currency::fromInt(3);   // ToleranciaMermas
};
// A key missing or not a number keeps its default.
LimitesRevision leeLimitesRevision();

// The figures the checks read, as the operator sees them (two decimals).
struct FigurasDeclaracion {
    q42::Currency trigoMolido;  // box 3, P_Elaboracion
    q42::Currency trigoSalidas; // lBLTotEgresos: milled plus the wheat's other outputs
    q42::Currency trigoFinal;   // LblFinal
    std::array<q42::Currency, 5> extraccion{}; // boxes 15-19, percentages
    std::array<q42::Currency, 5> finales{};    // LblF<p>
    std::array<QString, 5> codigos;            // article lists of the "Formulas" tab
};

struct Hallazgo {
    QString texto;
    int caja = -1;   // txtFields box to revise, or -1
    QString control; // or the settings box ("Txt000"...) of the "Formulas" tab
    // "Revisar" on it puts this text back in the box (a stored figure the
    // carry-over replaced); empty: the box is left as it is.
    QString restaura = {};
};

std::vector<Hallazgo> revisaDeclaracion(const FigurasDeclaracion& figuras,
                                        const LimitesRevision& limites);

// Figures of a screen whose totals are computed; `codigo(p)` gives the
// article list of product p. A box that is no number reads as 0.
FigurasDeclaracion figurasDePantalla(const PantallaTotales& pantalla,
                                     const std::function<QString(int)>& codigo);
// Figures of a stored row: `valor(columna)` gives a column's text as the
// window shows it; the totals are computed here as the window computes them.
FigurasDeclaracion figurasDeFila(const std::function<QString(const QString&)>& valor);

// The notice when a new month finds no declaration of the month before.
QString avisoSinMesAnterior(const QString& periodoAnterior);

} // namespace declaracion
