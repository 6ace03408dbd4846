// Numbers typed by the operator: Utiles.TextoANumero and FmtMoneda. A text
// that is no number is rejected with q42::Error; one that is must come back
// from its two-decimal text as the same number rounded.

#include "FuzzComun.h"
#include "core/Conversiones.h"
#include "core/Utiles.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::regionalArgentina();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString valor = fuzz::texto(data, size);
    q42::Currency numero;
    try {
        numero = q42::Utiles::TextoANumero(valor);
    } catch (const q42::Error&) {
        return 0;
    }
    fuzz::verifica(q42::Utiles::TextoANumero(numero.toText()) == numero,
                   "el texto del numero no se relee", valor);
    for (int decimales = 0; decimales <= 6; ++decimales) {
        QString texto;
        try {
            texto = FmtMoneda(valor, decimales);
        } catch (const q42::Error&) {
            continue; // rounding past the largest number
        }
        const q42::Currency releido = q42::Utiles::TextoANumero(texto);
        fuzz::verifica(releido == numero.rounded(decimales), "FmtMoneda no redondea bien",
                       valor + QStringLiteral(" -> ") + texto);
        fuzz::verifica(!texto.contains(QLatin1Char('.')), "FmtMoneda agrupa miles", texto);
    }
    return 0;
}
