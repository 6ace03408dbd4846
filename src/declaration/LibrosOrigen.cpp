// The documents behind a figure, the flour yield the production parts
// measured, the closing stocks of the books and the findings' texts.

#include "Libros.h"
#include "LibrosComun.h"

#include "ColumnasDeclaracion.h"
#include "Consumo.h"
#include "ado/Ado.h"
#include "core/ArchivoIni.h"
#include "db/DB_Dll.h"

namespace declaracion {

using q42::Currency;
using namespace libros;

std::vector<LineaOrigen> origenDeFigura(const QString& columna, const PedidoLibros& pedido,
                                        const AjustesLibros& ajustes) {
    const int figura = figuraDeColumna(columna);
    if (figura < 0)
        return {};
    const Listas l = listasDe(pedido, ajustes);
    const ClaseFigura clase = claseDe(figura);
    const QStringList& articulos =
        figura < 2 ? l.trigo : l.productos[size_t((figura - 2) / kPorProducto)];
    if (articulos.isEmpty() || (clase.origen == Origen::Exportacion && l.exportacion.isEmpty()))
        return {};
    const Rango r = rangoDe(pedido.periodo);
    QString condicion;
    switch (clase.origen) {
    case Origen::Compras:
        condicion = enSql({ajustes.sistemaCompras.trimmed()});
        break;
    case Origen::Produccion:
        condicion = enSql({ajustes.sistemaProduccion.trimmed()});
        break;
    case Origen::Ventas:
    case Origen::Exportacion:
        condicion = enSql({kVentas});
        break;
    }
    condicion = QStringLiteral("AND (V_TA_Cpte.SISTEMA = %1) ").arg(condicion);
    if (clase.origen == Origen::Exportacion)
        condicion +=
            QStringLiteral("AND (LTRIM(RTRIM(V_MV_Stock.TC)) IN (%1)) ").arg(enSql(l.exportacion));
    else if (clase.origen == Origen::Ventas && !l.exportacion.isEmpty())
        condicion += QStringLiteral("AND (LTRIM(RTRIM(V_MV_Stock.TC)) NOT IN (%1)) ")
                         .arg(enSql(l.exportacion));
    const QString sql =
        QStringLiteral("SELECT V_MV_Stock.FECHA, V_MV_Stock.TC, V_MV_Stock.NUMERO, "
                       "V_MV_Stock.IDArticulo, V_MV_Stock.CantidadUD, V_MV_Stock.IdUnidadBase, "
                       "S_TA_EQUIV.COEFICIENTE ") +
        desdeDondeMes(r.desde, r.hasta, pedido.unidad) + condicion +
        QStringLiteral("AND (LTRIM(RTRIM(V_MV_Stock.IDArticulo)) IN (%1)) "
                       "ORDER BY V_MV_Stock.FECHA, V_MV_Stock.TC, V_MV_Stock.NUMERO")
            .arg(enSql(articulos));
    ado::Recordset rs;
    abre(sql, rs);
    std::vector<LineaOrigen> lineas;
    for (; !rs.EOF_(); rs.MoveNext()) {
        LineaOrigen o;
        o.fecha = rs.value(QStringLiteral("FECHA")).toDateTime();
        o.tipo = texto(rs, "TC");
        o.numero = texto(rs, "NUMERO");
        o.articulo = texto(rs, "IDArticulo");
        o.cantidad = numero(rs, "CantidadUD");
        o.unidad = texto(rs, "IdUnidadBase");
        const double coeficiente = numero(rs, "COEFICIENTE");
        if (coeficiente != 0)
            o.toneladas = Currency::fromDouble(clase.signo * o.cantidad / coeficiente);
        lineas.push_back(o);
    }
    return lineas;
}

std::map<QString, Currency>
rendimientosDeLibros(const std::vector<std::pair<QString, std::array<QString, 2>>>& meses,
                     const QString& unidad, const AjustesLibros& ajustes) {
    std::map<QString, Currency> rendimientos;
    const auto trigo = lista(ajustes.articulosTrigo);
    QStringList articulos = trigo.value_or(QStringList());
    int desde = -1, hasta = -1;
    std::map<int, QStringList> harinas; // month order -> its 000 and 0000 codes
    for (const auto& [periodo, listas] : meses) {
        const int orden = ordenDePeriodo(periodo.trimmed());
        const auto a = lista(listas[0]), b = lista(listas[1]);
        if (orden < 0 || !a || !b)
            continue;
        harinas[orden] = *a + *b;
        articulos += *a + *b;
        desde = desde < 0 ? orden : std::min(desde, orden);
        hasta = std::max(hasta, orden);
    }
    articulos.removeDuplicates();
    if (!trigo || trigo->isEmpty() || harinas.empty() ||
        ajustes.sistemaProduccion.trimmed().isEmpty())
        return rendimientos;
    const auto periodoDe = [](int orden) {
        return QStringLiteral("%1/%2").arg(orden % 12 + 1, 2, 10, QLatin1Char('0')).arg(orden / 12);
    };
    DB_Dll& db = DB_Dll::instance();
    // Per day and article: the production parts of a range of months stay
    // a few thousand rows, and no engine's month function is needed.
    const QString sql =
        QStringLiteral("SELECT V_MV_Stock.FECHA, V_MV_Stock.IDArticulo, S_TA_EQUIV.COEFICIENTE, "
                       "SUM(V_MV_Stock.CantidadUD) AS Cantidad ") +
        desdeDondeMes(db.FechaSQL(primerDia(periodoDe(desde))),
                      db.FinDiaSQL(ultimoDia(periodoDe(hasta))), unidad) +
        QStringLiteral("AND (V_TA_Cpte.SISTEMA = %1) AND (LTRIM(RTRIM(V_MV_Stock.IDArticulo)) IN "
                       "(%2)) GROUP BY V_MV_Stock.FECHA, V_MV_Stock.IDArticulo, "
                       "V_MV_Stock.IdUnidadBase, S_TA_EQUIV.COEFICIENTE")
            .arg(enSql({ajustes.sistemaProduccion.trimmed()}), enSql(articulos));
    ado::Recordset rs;
    abre(sql, rs);
    std::map<int, std::pair<Currency, Currency>> mes; // order -> milled, flour
    for (; !rs.EOF_(); rs.MoveNext()) {
        const QDate fecha = rs.value(QStringLiteral("FECHA")).toDate();
        const int orden = fecha.year() * 12 + fecha.month() - 1;
        const auto h = harinas.find(orden);
        const double coeficiente = numero(rs, "COEFICIENTE");
        if (h == harinas.end() || coeficiente == 0)
            continue;
        const QString articulo = texto(rs, "IDArticulo");
        const double t = numero(rs, "Cantidad") / coeficiente;
        auto& [molido, harina] = mes[orden];
        if (contiene(*trigo, articulo))
            molido = acumula(molido, -t);
        if (contiene(h->second, articulo))
            harina = acumula(harina, t);
    }
    for (const auto& [orden, m] : mes)
        if (m.first > Currency())
            rendimientos[periodoDe(orden)] = porcentaje(m.second, m.first.rounded(2));
    return rendimientos;
}

Currency leeToleranciaLibros() {
    const QString t =
        q42::ArchivoIni::LeeIni(QStringLiteral("ZK000pr.INI"), QStringLiteral("Revision"),
                                QStringLiteral("ToleranciaLibros"), QString())
            .trimmed();
    const auto n = Currency::parse(t);
    return n && !t.isEmpty() && *n >= Currency() ? *n : Currency::fromRaw(5000);
}

std::vector<Hallazgo> cierreDeLibros(const FigurasDeclaracion& figuras, const PedidoLibros& pedido,
                                     const AjustesLibros& ajustes, Currency tolerancia) {
    const Listas l = listasDe(pedido, ajustes);
    const QStringList todas = l.todas();
    std::vector<Hallazgo> hallazgos;
    if (todas.isEmpty())
        return hallazgos;
    DB_Dll& db = DB_Dll::instance();
    const QString hasta = db.FinDiaSQL(ultimoDia(pedido.periodo));
    const QString sql =
        QStringLiteral("SELECT V_MV_Stock.IDArticulo, V_MV_Stock.IdUnidadBase, "
                       "S_TA_EQUIV.COEFICIENTE, SUM(V_MV_Stock.CantidadUD) AS Cantidad "
                       "FROM V_MV_Stock INNER JOIN S_TA_EQUIV ON V_MV_Stock.IDArticulo = "
                       "S_TA_EQUIV.IDARTICULO AND V_MV_Stock.IdUnidadBase = S_TA_EQUIV.IDUNIDAD "
                       "AND S_TA_EQUIV.IDUNIDAD_EQUIV = N%1 WHERE (V_MV_Stock.Anulado = 0) AND "
                       "(V_MV_Stock.FECHA <= %2) AND (LTRIM(RTRIM(V_MV_Stock.IDArticulo)) IN "
                       "(%3)) GROUP BY V_MV_Stock.IDArticulo, V_MV_Stock.IdUnidadBase, "
                       "S_TA_EQUIV.COEFICIENTE")
            .arg(DB_Dll::Comillas(pedido.unidad.trimmed()), hasta, enSql(todas));
    ado::Recordset rs;
    abre(sql, rs);
    Currency trigo;
    std::array<Currency, 5> productos{};
    for (; !rs.EOF_(); rs.MoveNext()) {
        const double coeficiente = numero(rs, "COEFICIENTE");
        if (coeficiente == 0)
            continue;
        const QString articulo = texto(rs, "IDArticulo");
        const QVariant t = numero(rs, "Cantidad") / coeficiente;
        if (contiene(l.trigo, articulo))
            trigo = acumula(trigo, t);
        for (int p = 0; p < 5; ++p)
            if (contiene(l.productos[size_t(p)], articulo))
                productos[size_t(p)] = acumula(productos[size_t(p)], t);
    }
    const auto compara = [&](const QString& nombre, Currency declarada, Currency libros, int caja) {
        const Currency diferencia = declarada - libros.rounded(2);
        if ((diferencia < Currency() ? -diferencia : diferencia) > tolerancia)
            hallazgos.push_back({QStringLiteral("Existencia final de %1 %2 difiere del stock de "
                                                "los libros al cierre del mes (%3)")
                                     .arg(nombre, cifraConMiles(declarada), cifraConMiles(libros)),
                                 caja,
                                 {}});
    };
    if (!l.trigo.isEmpty())
        compara(QStringLiteral("Trigo"), figuras.trigoFinal, trigo, kCajaPElaboracion);
    for (int p = 0; p < 5; ++p)
        if (!l.productos[size_t(p)].isEmpty())
            compara(QString::fromLatin1(kProductos[size_t(p)].tituloFormulas),
                    figuras.finales[size_t(p)], productos[size_t(p)], caja(Fila::Consumo, p));
    return hallazgos;
}

QString nombreFigura(const QString& columna) {
    const int figura = figuraDeColumna(columna);
    if (figura == kIngresos)
        return QStringLiteral("Ingresos del mes");
    if (figura == kElaboracion)
        return QStringLiteral("Elaboración");
    if (figura < 0)
        return columna;
    const int p = (figura - 2) / kPorProducto;
    return QStringLiteral("%1 %2").arg(
        QString::fromUtf8(kFilasCajas[size_t(kFilasProducto[(figura - 2) % kPorProducto])].titulo),
        QLatin1String(kProductos[size_t(p)].tituloFormulas));
}

std::optional<Hallazgo> hallazgoCambioManual(const QString& columna, Currency libros,
                                             Currency pantalla) {
    if (libros.rounded(2) == pantalla.rounded(2))
        return std::nullopt;
    return Hallazgo{QStringLiteral("%1 %2 difiere de los libros (%3)")
                        .arg(nombreFigura(columna), cifraConMiles(pantalla), cifraConMiles(libros)),
                    cajaDeColumna(columna),
                    {}};
}

QString leyendaLibros(int comprobantes) {
    if (comprobantes == 0)
        return QStringLiteral("De los libros: ningún comprobante en el mes");
    if (comprobantes == 1)
        return QStringLiteral("De los libros: 1 comprobante");
    return QStringLiteral("De los libros: %1 comprobantes").arg(comprobantes);
}

} // namespace declaracion
