#pragma once

// Subtotals and final stocks of the wheat and the five products, computed
// from the texts on screen. Every stage writes its label's caption with two
// decimals and later stages read those captions back, so the figures that
// are stored are the ones the operator sees.

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
void TotalizaSP(PantallaTotales& pantalla);

} // namespace declaracion
