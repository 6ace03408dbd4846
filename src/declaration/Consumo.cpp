#include "Consumo.h"

#include "ColumnasDeclaracion.h"
#include "ado/Ado.h"
#include "core/Error.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"

#include <QStringList>

using q42::Currency;
using q42::Error;

namespace declaracion {

namespace {

// Inside N'..': the text with its apostrophes doubled.
QString entreComillas(const QString& texto) {
    const QString citado = DB_Dll::Comillas(texto);
    return citado.mid(1, citado.size() - 2);
}

} // namespace

QString primerDia(const QString& periodo) {
    return QStringLiteral("01/") + periodo.trimmed();
}

QString ultimoDia(const QString& periodo) {
    const QString p = periodo.trimmed();
    if (!periodoValido(p))
        throw Error(q42::err::TypeMismatch,
                    QStringLiteral("%1 (\"%2\")").arg(kMensajePeriodoInvalido, p),
                    QStringLiteral("CmdCalcular_Click"));
    const int mes = int(q42::Utiles::TextoAEntero(p.left(2)));
    const int anio = int(q42::Utiles::TextoAEntero(p.mid(3)));
    return QString::number(q42::Utiles::UltimoDiaMes(mes, anio)) + QLatin1Char('/') + p;
}

std::optional<QStringList> codigosDeLista(const QString& lista) {
    const QString t = lista.trimmed();
    QStringList codigos;
    if (t.isEmpty())
        return codigos;
    const qsizetype n = t.size();
    qsizetype i = 0;
    const auto saltaBlancos = [&] {
        while (i < n && t[i].isSpace())
            ++i;
    };
    const QChar comilla = QLatin1Char('\'');
    for (;;) {
        saltaBlancos();
        if (i >= n || t[i] != comilla)
            return std::nullopt;
        QString codigo;
        for (++i;; ++i) {
            if (i >= n)
                return std::nullopt; // no closing apostrophe
            if (t[i] == comilla) {
                if (i + 1 < n && t[i + 1] == comilla) {
                    codigo += comilla;
                    ++i;
                    continue;
                }
                break;
            }
            codigo += t[i];
        }
        ++i;
        codigos << codigo;
        saltaBlancos();
        if (i >= n)
            break;
        if (t[i] != QLatin1Char(','))
            return std::nullopt;
        ++i;
    }
    return codigos;
}

std::optional<QString> listaCodigos(const QString& lista) {
    const std::optional<QStringList> codigos = codigosDeLista(lista);
    if (!codigos)
        return std::nullopt;
    QStringList citados;
    for (const QString& c : *codigos)
        citados << DB_Dll::Comillas(c);
    return citados.join(QLatin1Char(','));
}

QString sentenciaConsumo(const QString& desde, const QString& hasta, const QString& unidad,
                         const QString& lista, const QString& exportacion) {
    const QString piezas[] = {
        QStringLiteral("SELECT V_MV_Stock.IDArticulo, "),
        QStringLiteral("ABS(SUM(V_MV_Stock.CantidadUD)) AS Consumo, "),
        QStringLiteral("ABS(SUM(V_MV_Stock.CantidadUD)) "),
        QStringLiteral("/ Coeficiente AS ConsumoEquiv, V_MV_Stock.IdUnidadBase, "),
        QStringLiteral("S_TA_EQUIV.IDUNIDAD_EQUIV, "),
        QStringLiteral("S_TA_EQUIV.COEFICIENTE "),
        QStringLiteral("FROM V_MV_Stock INNER JOIN "),
        QStringLiteral("V_TA_Cpte ON "),
        QStringLiteral("V_MV_Stock.TC = V_TA_Cpte.CODIGO LEFT OUTER JOIN "),
        QStringLiteral("S_TA_EQUIV ON "),
        QStringLiteral("V_MV_Stock.IDArticulo = S_TA_EQUIV.IDARTICULO AND "),
        QStringLiteral("V_MV_Stock.IdUnidadBase = S_TA_EQUIV.IDUNIDAD "),
        QStringLiteral("WHERE (V_TA_Cpte.SISTEMA = 'VENTAS') AND "),
        QStringLiteral("(V_MV_Stock.Anulado = 0) AND "),
        QStringLiteral("(V_MV_Stock.FECHA >= "),
        desde,
        QStringLiteral(" AND "),
        QStringLiteral("V_MV_Stock.FECHA <= "),
        hasta,
        QStringLiteral(")"),
        exportacion.isEmpty()
            ? QString()
            : QStringLiteral(" AND (LTRIM(RTRIM(V_MV_Stock.TC)) NOT IN (%1)) ").arg(exportacion),
        QStringLiteral("GROUP BY V_MV_Stock.IDArticulo, V_MV_Stock.IdUnidadBase, "),
        QStringLiteral("S_TA_EQUIV.IDUNIDAD_EQUIV, "),
        QStringLiteral("S_TA_EQUIV.COEFICIENTE "),
        QStringLiteral("HAVING (S_TA_EQUIV.IDUNIDAD_EQUIV = N'"),
        entreComillas(unidad),
        QStringLiteral("') AND "),
        QStringLiteral("(LTRIM(RTRIM(V_MV_Stock.IDArticulo)) IN (N"),
        lista,
        QStringLiteral("))"),
    };
    QString sql;
    for (const QString& pieza : piezas)
        sql += pieza;
    return sql;
}

Currency acumula(Currency total, const QVariant& valor) {
    if (!valor.isValid() || valor.isNull())
        return total;
    bool ok = false;
    const double v = valor.toDouble(&ok);
    if (!ok)
        throw Error(q42::err::TypeMismatch, QStringLiteral("No coinciden los tipos"),
                    QStringLiteral("CmdCalcular_Click"));
    // The total is kept as four-decimal currency: the sum is rounded each time.
    return Currency::fromDouble(total.toDouble() + v);
}

Currency sumaConsumo(ado::Recordset& rs) {
    Currency total;
    for (; !rs.EOF_(); rs.MoveNext())
        total = acumula(total, rs.value(QStringLiteral("ConsumoEquiv")));
    return total;
}

QString mensajeListaInvalida(int producto) {
    const Producto& p = kProductos[std::size_t(producto)];
    return QStringLiteral("Lista de códigos inválida para el producto %1 (casilla %2): escriba "
                          "los códigos entre comillas simples, separados por coma.")
        .arg(QLatin1String(p.tituloFormulas), QLatin1String(p.cajaCodigos));
}

} // namespace declaracion
