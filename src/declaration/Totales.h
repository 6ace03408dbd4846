#pragma once

// Subtotals and final stocks of the wheat and the five products, computed
// from the texts on screen. Every stage writes its label's caption with two
// decimals and later stages read those captions back, so the figures that
// are stored are the ones the operator sees.

#include "core/Currency.h"

#include <QString>

namespace declaracion {

class PantallaTotales {
public:
    virtual ~PantallaTotales() = default;
    virtual QString caja(int indice) const = 0;
    virtual QString etiqueta(const QString& nombre) const = 0;
    virtual void ponEtiqueta(const QString& nombre, const QString& texto) = 0;
};

// Wheat labels, then the products. A text that is no number stops the
// computation at that step (the error reaches the caller); labels already
// written keep their new captions.
void TotalizaP(PantallaTotales& pantalla);

// A product's share of the wheat milled at its extraction percentage: the
// product kept to four decimals, divided by 100 and rounded half to even.
q42::Currency parteDelMolido(q42::Currency molido, q42::Currency extraccion);
void TotalizaSP(PantallaTotales& pantalla);

} // namespace declaracion
