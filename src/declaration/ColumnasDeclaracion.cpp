#include "ColumnasDeclaracion.h"

#include "core/Cifras.h"
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

QString mensajeDePeriodo(const QString& periodo, int anioActual) {
    static const QRegularExpression forma(QStringLiteral("^(\\d\\d)/(\\d{4})$"));
    const QString p = periodo.trimmed();
    if (p.isEmpty())
        return kMensajePeriodoVacio;
    const QRegularExpressionMatch m = forma.match(p);
    if (!m.hasMatch())
        return kMensajePeriodoInvalido;
    const int mes = m.captured(1).toInt();
    const int anio = m.captured(2).toInt();
    if (mes < 1 || mes > 12)
        return QStringLiteral("Debe ingresar un mes: %1 no es un mes (01 a 12).")
            .arg(m.captured(1));
    if (anio < kPrimerAnio || anio > anioActual + 1)
        return QStringLiteral("El año %1 está fuera de lo que se declara (%2 a %3).")
            .arg(anio)
            .arg(kPrimerAnio)
            .arg(anioActual + 1);
    return QString();
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

std::optional<q42::Currency> leeCantidad(const QString& texto) {
    return q42::leeCifra(texto);
}

QString mensajeCantidadInvalida(const QString& texto) {
    std::int64_t unidades = 1;
    for (int i = 0; i < q42::kCifrasEnteras; ++i)
        unidades *= 10;
    // The largest figure with two decimals: 999.999.999.999,99.
    const q42::Currency maxima = q42::Currency::fromInt(unidades) - q42::Currency::fromRaw(100);
    return QStringLiteral("\"%1\" no es una cantidad válida. Escriba un número entre "
                          "-%2 y %2, con el signo menos adelante y un solo separador decimal.")
        .arg(texto.trimmed(), q42::cifraConMiles(maxima));
}

} // namespace declaracion
