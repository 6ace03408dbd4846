#include "Revision.h"

#include "ColumnasDeclaracion.h"
#include "Totales.h"
#include "core/ArchivoIni.h"
#include "core/Conversiones.h"
#include "core/Error.h"

#include <QHash>
#include <QRegularExpression>

namespace declaracion {

using q42::Currency;

namespace {

QString nombreProducto(int p) {
    return QString::fromLatin1(kProductos[size_t(p)].tituloFormulas);
}

// Signed figure with two decimals and a true minus sign.
QString cifra(Currency valor) {
    const QString texto = (valor < Currency() ? -valor : valor).toFixed(2);
    return valor < Currency() ? QChar(0x2212) + texto : texto;
}

Currency numeroOCero(const QString& texto) {
    return Currency::parse(texto).value_or(Currency());
}

// 'A','b' , C -> {"A", "B", "C"}: a list of the "Formulas" tab as codes.
QStringList codigosDe(const QString& lista) {
    QStringList codigos;
    for (QString c : lista.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        c = c.trimmed();
        if (c.size() >= 2 && c.startsWith(QLatin1Char('\'')) && c.endsWith(QLatin1Char('\'')))
            c = c.mid(1, c.size() - 2).trimmed();
        if (!c.isEmpty())
            codigos << c.toUpper();
    }
    return codigos;
}

using Regla = void (*)(const FigurasDeclaracion&, const LimitesRevision&, std::vector<Hallazgo>&);

void stocksNegativos(const FigurasDeclaracion& f, const LimitesRevision&,
                     std::vector<Hallazgo>& h) {
    if (f.trigoFinal < Currency())
        h.push_back(
            {QStringLiteral("Existencia final de Trigo negativa: %1").arg(cifra(f.trigoFinal)),
             kCajaPElaboracion,
             {}});
    for (int p = 0; p < 5; ++p)
        if (f.finales[size_t(p)] < Currency())
            h.push_back({QStringLiteral("Existencia final de %1 negativa: %2")
                             .arg(nombreProducto(p), cifra(f.finales[size_t(p)])),
                         caja(Fila::Consumo, p),
                         {}});
}

void sumaExtracciones(const FigurasDeclaracion& f, const LimitesRevision& l,
                      std::vector<Hallazgo>& h) {
    Currency suma;
    for (Currency e : f.extraccion)
        suma += e;
    const Currency cien = Currency::fromInt(100);
    if (suma > cien)
        h.push_back({QStringLiteral("Las extracciones de los cinco productos suman %1 %, más "
                                    "del 100 %.")
                         .arg(cifra(suma)),
                     caja(Fila::Extraccion, 0),
                     {}});
    else if (suma < cien - l.toleranciaMermas)
        h.push_back(
            {QStringLiteral("Las extracciones de los cinco productos suman %1 %, menos "
                            "del %2 % (100 % menos la tolerancia de mermas de %3 %).")
                 .arg(cifra(suma), cifra(cien - l.toleranciaMermas), cifra(l.toleranciaMermas)),
             caja(Fila::Extraccion, 0),
             {}});
}

// The flour yield only means something when wheat was milled.
void rendimientoHarinero(const FigurasDeclaracion& f, const LimitesRevision& l,
                         std::vector<Hallazgo>& h) {
    if (f.trigoMolido <= Currency())
        return;
    const Currency rendimiento = f.extraccion[0] + f.extraccion[1];
    if (rendimiento < l.rendimientoMinimo || rendimiento > l.rendimientoMaximo)
        h.push_back(
            {QStringLiteral("Rendimiento harinero (000 más 0000) de %1 % del trigo "
                            "molido, fuera del rango de %2 % a %3 %.")
                 .arg(cifra(rendimiento), cifra(l.rendimientoMinimo), cifra(l.rendimientoMaximo)),
             caja(Fila::Extraccion, 0),
             {}});
}

void moliendaSinProduccion(const FigurasDeclaracion& f, const LimitesRevision&,
                           std::vector<Hallazgo>& h) {
    QStringList conProduccion;
    for (int p = 0; p < 5; ++p) {
        const Currency parte = parteDelMolido(f.trigoSalidas, f.extraccion[size_t(p)]);
        if (parte.rounded(2) != Currency())
            conProduccion << QStringLiteral("%1 %2").arg(nombreProducto(p),
                                                         cifra(parte.rounded(2)));
    }
    const bool molido = f.trigoMolido != Currency();
    if (!molido && !conProduccion.isEmpty())
        h.push_back({QStringLiteral("El trigo molido es cero pero hay producción por extracción "
                                    "(%1).")
                         .arg(conProduccion.join(QStringLiteral(", "))),
                     kCajaPElaboracion,
                     {}});
    else if (molido && conProduccion.isEmpty())
        h.push_back({QStringLiteral("Hay trigo molido (%1) pero ningún producto tiene "
                                    "producción por extracción.")
                         .arg(cifra(f.trigoMolido)),
                     caja(Fila::Extraccion, 0),
                     {}});
}

void articulosRepetidos(const FigurasDeclaracion& f, const LimitesRevision&,
                        std::vector<Hallazgo>& h) {
    QHash<QString, int> primero; // code -> first product listing it
    for (int p = 0; p < 5; ++p) {
        const QStringList codigos = codigosDe(f.codigos[size_t(p)]);
        for (const QString& c : codigos) {
            const auto visto = primero.constFind(c);
            if (visto == primero.constEnd()) {
                primero.insert(c, p);
            } else if (*visto != p) {
                h.push_back({QStringLiteral("El artículo '%1' está en las listas de %2 y de %3.")
                                 .arg(c, nombreProducto(*visto), nombreProducto(p)),
                             -1, QString::fromLatin1(kProductos[size_t(p)].cajaCodigos)});
            }
        }
    }
}

constexpr Regla kReglas[] = {stocksNegativos, sumaExtracciones, rendimientoHarinero,
                             moliendaSinProduccion, articulosRepetidos};

// A screen over a stored row, for the batch PDF: boxes read from their
// columns, labels kept in memory.
class PantallaFila : public PantallaTotales {
public:
    explicit PantallaFila(const std::function<QString(const QString&)>& valor) : m_valor(valor) {}
    QString caja(int indice) const override { return m_valor(columnaDeCaja(indice)); }
    QString etiqueta(const QString& nombre) const override { return m_etiquetas.value(nombre); }
    void ponEtiqueta(const QString& nombre, const QString& texto) override {
        m_etiquetas.insert(nombre, texto);
    }

private:
    const std::function<QString(const QString&)>& m_valor;
    QHash<QString, QString> m_etiquetas;
};

} // namespace

LimitesRevision leeLimitesRevision() {
    LimitesRevision l;
    auto lee = [](const char* clave) {
        return q42::ArchivoIni::LeeIni(QStringLiteral("ZK000pr.INI"), QStringLiteral("Revision"),
                                       QString::fromLatin1(clave), QString());
    };
    auto numero = [&lee](const char* clave, Currency& destino) {
        const QString texto = lee(clave).trimmed();
        if (const auto n = Currency::parse(texto); n && !texto.isEmpty())
            destino = *n;
    };
    numero("RendimientoMinimo", l.rendimientoMinimo);
    numero("RendimientoMaximo", l.rendimientoMaximo);
    numero("ToleranciaMermas", l.toleranciaMermas);
    const QString activa = lee("Activa").trimmed();
    if (!activa.isEmpty())
        l.activa = EsVerdadero(activa);
    return l;
}

std::vector<Hallazgo> revisaDeclaracion(const FigurasDeclaracion& figuras,
                                        const LimitesRevision& limites) {
    std::vector<Hallazgo> hallazgos;
    if (!limites.activa)
        return hallazgos;
    for (Regla regla : kReglas)
        regla(figuras, limites, hallazgos);
    return hallazgos;
}

FigurasDeclaracion figurasDePantalla(const PantallaTotales& pantalla,
                                     const std::function<QString(int)>& codigo) {
    FigurasDeclaracion f;
    f.trigoMolido = numeroOCero(pantalla.caja(kCajaPElaboracion));
    f.trigoSalidas = numeroOCero(pantalla.etiqueta(QLatin1String(kLblTotEgresos)));
    f.trigoFinal = numeroOCero(pantalla.etiqueta(QLatin1String(kLblFinal)));
    for (int p = 0; p < 5; ++p) {
        f.extraccion[size_t(p)] = numeroOCero(pantalla.caja(caja(Fila::Extraccion, p)));
        f.finales[size_t(p)] = numeroOCero(pantalla.etiqueta(etiquetaFinal(p)));
        f.codigos[size_t(p)] = codigo(p);
    }
    return f;
}

FigurasDeclaracion figurasDeFila(const std::function<QString(const QString&)>& valor) {
    PantallaFila pantalla(valor);
    try {
        TotalizaP(pantalla);
    } catch (const q42::Error&) {
        // A figure that is no number: the checks read what was computed.
    }
    return figurasDePantalla(pantalla, [&valor](int p) {
        return valor(QString::fromLatin1(kAjustes[size_t(p)].columna));
    });
}

QString avisoSinMesAnterior(const QString& periodoAnterior) {
    return QStringLiteral("No hay declaración de %1: las existencias iniciales quedan vacías")
        .arg(periodoAnterior);
}

} // namespace declaracion
