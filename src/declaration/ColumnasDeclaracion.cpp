#include "ColumnasDeclaracion.h"

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

} // namespace declaracion
