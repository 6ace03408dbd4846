#include "Totales.h"

#include "ColumnasDeclaracion.h"
#include "core/Conversiones.h"
#include "core/Currency.h"
#include "core/Utiles.h"

namespace declaracion {

using q42::Currency;
using q42::Utiles;

namespace {

Currency numero(const QString& texto) {
    return Utiles::TextoANumero(texto);
}

void escribe(PantallaTotales& p, const QString& etiqueta, Currency valor) {
    p.ponEtiqueta(etiqueta, FmtMoneda(valor.toText(), 2));
}

// A box the operator has not mended yet counts as empty: the totals go on.
Currency caja(const PantallaTotales& p, int indice) {
    return leeCantidad(p.caja(indice)).value_or(Currency());
}
Currency leida(const PantallaTotales& p, const QString& etiqueta) {
    return numero(p.etiqueta(etiqueta));
}

} // namespace

Currency parteDelMolido(Currency molido, Currency extraccion) {
    return Currency::fromDouble((molido * extraccion).toDouble() / 100.0);
}

void TotalizaP(PantallaTotales& p) {
    escribe(p, QLatin1String(kLblTotIngresos), caja(p, kCajaPExistencia) + caja(p, kCajaPIngresos));
    escribe(p, QLatin1String(kLblTotEgresos), caja(p, kCajaPElaboracion) + caja(p, kCajaPOtros));
    escribe(p, QLatin1String(kLblFinal),
            leida(p, QLatin1String(kLblTotIngresos)) - leida(p, QLatin1String(kLblTotEgresos)));
    TotalizaSP(p);
}

void TotalizaSP(PantallaTotales& p) {
    const int n = int(kProductos.size());
    // Total inputs: the product's share of the milled wheat plus its own inputs.
    for (int i = 0; i < n; ++i) {
        const Currency parte = parteDelMolido(leida(p, QLatin1String(kLblTotEgresos)),
                                              caja(p, caja(Fila::Extraccion, i)));
        escribe(p, etiquetaTotalIngresos(i),
                parte + caja(p, caja(Fila::Volumen, i)) + caja(p, caja(Fila::Otros, i)));
    }
    for (int i = 0; i < n; ++i)
        escribe(p, etiquetaSubtotal(i),
                leida(p, etiquetaTotalIngresos(i)) + caja(p, caja(Fila::Existencia, i)));
    for (int i = 0; i < n; ++i)
        escribe(p, etiquetaTotalSalidas(i),
                caja(p, caja(Fila::Consumo, i)) + caja(p, caja(Fila::Exportacion, i)) +
                    caja(p, caja(Fila::Otras, i)));
    for (int i = 0; i < n; ++i)
        escribe(p, etiquetaFinal(i),
                leida(p, etiquetaSubtotal(i)) - leida(p, etiquetaTotalSalidas(i)));
}

} // namespace declaracion
