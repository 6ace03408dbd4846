#include "ColumnasDeclaracion.h"

#include "core/Error.h"

#include <QRegularExpression>

namespace declaracion {

QString columnaDeCaja(int indice) {
    if (indice == kCajaPeriodo)
        return QStringLiteral("Periodo");
    if (indice == kCajaObservaciones)
        return QStringLiteral("Observaciones");
    static const char* const trigo[] = {"P_Existencia", "P_Ingresos", "P_Elaboracion", "P_Otros"};
    if (indice >= kCajaPExistencia && indice <= kCajaPOtros)
        return QString::fromLatin1(trigo[indice - 1]);
    for (const FilaCajas& f : kFilasCajas) {
        const int p = indice - f.primeraCaja;
        if (p >= 0 && p < int(kProductos.size()))
            return QStringLiteral("SP%1_%2").arg(QLatin1String(kProductos[p].codigo),
                                                 QLatin1String(f.sufijo));
    }
    return QString();
}

int cajaDeColumna(const QString& columna) {
    for (int i = 0; i < kCajas; ++i)
        if (columnaDeCaja(i).compare(columna.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

static QString conProducto(const char* prefijo, int producto, const char* sufijo = "") {
    return QLatin1String(prefijo) + QLatin1String(kProductos[producto].codigo) +
           QLatin1String(sufijo);
}

QString etiquetaTotalIngresos(int p) {
    return conProducto("LblST", p);
}
QString etiquetaSubtotal(int p) {
    return conProducto("LblT", p);
}
QString etiquetaTotalSalidas(int p) {
    return conProducto("LblTS", p);
}
QString etiquetaFinal(int p) {
    return conProducto("LblF", p);
}
QString columnaFinal(int p) {
    return conProducto("F", p);
}
QString columnaConsumo(int p) {
    return conProducto("SP", p, "_Consumo");
}

bool periodoValido(const QString& periodo) {
    static const QRegularExpression forma(QStringLiteral("^(0[1-9]|1[0-2])/[12]\\d{3}$"));
    return forma.match(periodo.trimmed()).hasMatch();
}

int ordenDePeriodo(const QString& periodo) {
    const QString p = periodo.trimmed();
    if (!periodoValido(p))
        return -1;
    return p.mid(3, 4).toInt() * 12 + p.left(2).toInt() - 1;
}

QString mensajeOtroPeriodo(const QString& escrito, const QString& enPantalla) {
    return QStringLiteral("El período escrito (%1) no es el de la declaración en pantalla (%2). "
                          "Confirme el período con Enter.")
        .arg(escrito, enPantalla);
}

QString mensajeCambiosSinGrabar(const QString& periodo) {
    return QStringLiteral("La declaración %1 tiene cambios sin grabar. ¿Desea grabarlos?")
        .arg(periodo);
}

namespace {

// The quantity columns are decimal(18, 2); the fixed-point type holds less
// (922337203685477,5807), so it sets the limit.
const q42::Currency kCantidadMaxima = q42::Currency::fromRaw(922337203685477'58LL * 100);

} // namespace

std::optional<q42::Currency> leeCantidad(const QString& texto) {
    std::optional<q42::Currency> n;
    try {
        n = q42::Currency::parse(texto.trimmed());
    } catch (const q42::Error&) {
        return std::nullopt; // past what the type holds
    }
    if (n && (*n > kCantidadMaxima || *n < -kCantidadMaxima))
        return std::nullopt;
    return n;
}

QString mensajeCantidadInvalida(const QString& texto) {
    return QStringLiteral("\"%1\" no es una cantidad válida. Escriba un número entre "
                          "-%2 y %2, con el signo menos adelante y un solo separador decimal.")
        .arg(texto.trimmed(), kCantidadMaxima.toFixed(2));
}

} // namespace declaracion
