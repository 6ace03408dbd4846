#include "Arrastre.h"

#include "ColumnasDeclaracion.h"
#include "core/Conversiones.h"
#include "core/Error.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"

namespace declaracion {

using q42::Currency;
using q42::Utiles;

QString periodoAnteriorDe(const QString& periodo) {
    const qint64 mes = Utiles::TextoANumero(periodo.mid(0, 2)).rounded(0).raw() / Currency::Scale;
    const qint64 anio = Utiles::TextoANumero(periodo.mid(3, 4)).rounded(0).raw() / Currency::Scale;
    const bool enero = mes == 1;
    return QStringLiteral("%1/%2")
        .arg(enero ? 12 : mes - 1, 2, 10, QLatin1Char('0'))
        .arg(enero ? anio - 1 : anio, 4, 10, QLatin1Char('0'));
}

Currency cierreTrigo(Currency existencia, Currency ingresos, Currency elaboracion, Currency otros) {
    return (existencia + ingresos) - (elaboracion + otros);
}

namespace {

bool esNulo(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

Currency numeroDe(const QVariant& v) {
    if (esNulo(v))
        throw q42::Error(94, QStringLiteral("Uso no válido de Null"));
    return Utiles::TextoANumero(textoDeNumero(v));
}

} // namespace

QString textoDeNumero(const QVariant& valor) {
    if (esNulo(valor))
        return QString();
    switch (valor.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return Currency::fromDouble(valor.toDouble()).toText();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return Currency::fromInt(valor.toLongLong()).toText();
    default:
        return valor.toString();
    }
}

Arrastre calculaArrastre(const LectorColumna& columna, bool esNuevo,
                         const std::function<QString()>& sagpyaConfigurado) {
    Arrastre a;
    std::vector<q42::StepRunner::Step> pasos;
    pasos.push_back([&] {
        const Currency cierre = cierreTrigo(numeroDe(columna(QStringLiteral("P_Existencia"))),
                                            numeroDe(columna(QStringLiteral("P_Ingresos"))),
                                            numeroDe(columna(QStringLiteral("P_Elaboracion"))),
                                            numeroDe(columna(QStringLiteral("P_Otros"))));
        a.cajas.emplace_back(kCajaPExistencia, FmtMoneda(cierre.toText(), 2));
    });
    for (int p = 0; p < int(kProductos.size()); ++p)
        pasos.push_back([&, p] {
            const Currency final = numeroDe(columna(columnaFinal(p)));
            a.cajas.emplace_back(caja(Fila::Existencia, p), FmtMoneda(final.toText(), 2));
        });
    if (esNuevo)
        for (const CajaAjuste& ajuste : kAjustes)
            pasos.push_back([&, ajuste] {
                QString texto = Utiles::ValorNoNuloTexto(columna(QLatin1String(ajuste.columna)));
                if (QLatin1String(ajuste.columna) == QLatin1String("SAGPyA") &&
                    texto.trimmed().isEmpty())
                    texto = sagpyaConfigurado();
                a.ajustes.emplace_back(QLatin1String(ajuste.control), texto);
            });
    q42::StepRunner::runIgnoringFailures(pasos);
    return a;
}

} // namespace declaracion
