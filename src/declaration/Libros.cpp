#include "Libros.h"
#include "LibrosComun.h"

#include "ColumnasDeclaracion.h"
#include "Consumo.h"
#include "ado/Ado.h"
#include "core/ArchivoIni.h"
#include "core/Error.h"
#include "db/DB_Dll.h"

#include <cmath>
#include <map>

namespace declaracion {

using q42::Currency;

namespace libros {

namespace {
const ClaseFigura kClasesProducto[kPorProducto] = {
    {Origen::Produccion, 1, false}, {Origen::Ventas, -1, true}, {Origen::Exportacion, -1, false}};
const ClaseFigura kClasesTrigo[2] = {{Origen::Compras, 1, false}, {Origen::Produccion, -1, false}};
} // namespace

QStringList Listas::todas() const {
    QStringList t = trigo;
    for (const QStringList& p : productos)
        t += p;
    return t;
}

QString columnaProducto(int producto, int cual) {
    return QStringLiteral("SP%1_%2").arg(
        QLatin1String(kProductos[size_t(producto)].codigo),
        QLatin1String(kFilasCajas[size_t(kFilasProducto[cual])].sufijo));
}

std::optional<QStringList> lista(const QString& texto) {
    return codigosDeLista(texto);
}

Listas listasDe(const PedidoLibros& pedido, const AjustesLibros& ajustes) {
    const QString problema = problemaLibros(pedido, ajustes);
    if (!problema.isEmpty())
        throw q42::Error(q42::err::TypeMismatch, problema, kFuente);
    Listas l;
    l.trigo = *lista(ajustes.articulosTrigo);
    l.exportacion = *lista(ajustes.cpteExportacion);
    for (int p = 0; p < 5; ++p)
        l.productos[size_t(p)] = *lista(pedido.codigos[size_t(p)]);
    return l;
}

// N'a', N'b': every code quoted by the program's quoting helper.
QString enSql(const QStringList& codigos) {
    QStringList citados;
    for (const QString& c : codigos)
        citados << QLatin1Char('N') + DB_Dll::Comillas(c);
    return citados.join(QStringLiteral(", "));
}

bool contiene(const QStringList& codigos, const QString& valor) {
    return codigos.contains(valor.trimmed(), Qt::CaseInsensitive);
}

// Joins and filters the three statements of a month share.
QString desdeDondeMes(const QString& desde, const QString& hasta, const QString& unidad) {
    return QStringLiteral("FROM V_MV_Stock INNER JOIN V_TA_Cpte ON V_MV_Stock.TC = "
                          "V_TA_Cpte.CODIGO INNER JOIN S_TA_EQUIV ON V_MV_Stock.IDArticulo = "
                          "S_TA_EQUIV.IDARTICULO AND V_MV_Stock.IdUnidadBase = "
                          "S_TA_EQUIV.IDUNIDAD AND S_TA_EQUIV.IDUNIDAD_EQUIV = N%1 "
                          "WHERE (V_MV_Stock.Anulado = 0) AND (V_MV_Stock.FECHA >= %2 AND "
                          "V_MV_Stock.FECHA <= %3) ")
        .arg(DB_Dll::Comillas(unidad.trimmed()), desde, hasta);
}

void abre(const QString& texto, ado::Recordset& rs) {
    DB_Dll& db = DB_Dll::instance();
    QString sql = texto;
    db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    // The operator gave up the statement in the database's own dialog.
    if (rs.State() == ado::adStateClosed)
        throw q42::Error(q42::err::NotAllowedClosed,
                         QStringLiteral("No se leyeron los libros del mes"), kFuente);
}

QString texto(ado::Recordset& rs, const char* campo) {
    return rs.value(QString::fromLatin1(campo)).toString().trimmed();
}
double numero(ado::Recordset& rs, const char* campo) {
    return rs.value(QString::fromLatin1(campo)).toDouble();
}

ClaseFigura claseDe(int figura) {
    return figura < 2 ? kClasesTrigo[figura] : kClasesProducto[(figura - 2) % kPorProducto];
}

// Which figure a column names, -1 when the books fill none.
int figuraDeColumna(const QString& columna) {
    if (columna.compare(QLatin1String("P_Ingresos"), Qt::CaseInsensitive) == 0)
        return kIngresos;
    if (columna.compare(QLatin1String("P_Elaboracion"), Qt::CaseInsensitive) == 0)
        return kElaboracion;
    for (int p = 0; p < 5; ++p)
        for (int c = 0; c < kPorProducto; ++c)
            if (columna.compare(columnaProducto(p, c), Qt::CaseInsensitive) == 0)
                return figuraProducto(p, c);
    return -1;
}

Currency porcentaje(Currency parte, Currency total) {
    if (total <= Currency())
        return Currency();
    return Currency::fromDouble(parte.toDouble() * 100.0 / total.toDouble()).rounded(2);
}

Rango rangoDe(const QString& periodo) {
    DB_Dll& db = DB_Dll::instance();
    const QString hasta = ultimoDia(periodo); // throws for a malformed period
    return {db.FechaSQL(primerDia(periodo)), db.FinDiaSQL(hasta)};
}

} // namespace libros

using namespace libros;

namespace {

// The figure a sum of one subsystem and document type goes to, for the
// wheat or product `lista` (-1 the wheat); -1 when none.
int figuraDe(const QString& sistema, const QString& tc, int lista, const Listas& l,
             const AjustesLibros& a) {
    const bool compras = sistema.compare(a.sistemaCompras.trimmed(), Qt::CaseInsensitive) == 0;
    const bool produccion =
        sistema.compare(a.sistemaProduccion.trimmed(), Qt::CaseInsensitive) == 0;
    if (lista < 0)
        return compras ? kIngresos : produccion ? kElaboracion : -1;
    if (produccion)
        return figuraProducto(lista, 0);
    if (sistema.compare(kVentas, Qt::CaseInsensitive) != 0)
        return -1;
    return figuraProducto(lista, contiene(l.exportacion, tc) ? 2 : 1);
}

QString sistemas(const AjustesLibros& a) {
    return enSql({a.sistemaCompras.trimmed(), a.sistemaProduccion.trimmed(), kVentas});
}

// The list a movement's article belongs to: 'T' wheat, '0'..'4' a product.
QString casoLista(const Listas& l) {
    QString caso = QStringLiteral("CASE");
    const QString articulo = QStringLiteral("LTRIM(RTRIM(V_MV_Stock.IDArticulo))");
    if (!l.trigo.isEmpty())
        caso += QStringLiteral(" WHEN %1 IN (%2) THEN 'T'").arg(articulo, enSql(l.trigo));
    for (int p = 0; p < 5; ++p)
        if (!l.productos[size_t(p)].isEmpty())
            caso += QStringLiteral(" WHEN %1 IN (%2) THEN '%3'")
                        .arg(articulo, enSql(l.productos[size_t(p)]))
                        .arg(p);
    return caso + QStringLiteral(" ELSE 'X' END");
}

} // namespace

const FiguraLibros* ResultadoLibros::figura(const QString& columna) const {
    for (const FiguraLibros& f : figuras)
        if (f.columna.compare(columna, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

AjustesLibros leeAjustesLibros() {
    AjustesLibros a;
    const QString ausente(QChar(1)); // no such key in the file
    const auto lee = [&ausente](const char* clave, QString& destino, bool vacioVale) {
        const QString v =
            q42::ArchivoIni::LeeIni(QStringLiteral("ZK000pr.INI"), QStringLiteral("Libros"),
                                    QString::fromLatin1(clave), ausente);
        if (v != ausente && (vacioVale || !v.trimmed().isEmpty()))
            destino = v.trimmed();
    };
    lee("ArticulosTrigo", a.articulosTrigo, false);
    lee("SistemaCompras", a.sistemaCompras, false);
    lee("SistemaProduccion", a.sistemaProduccion, false);
    // Written empty: a business with no export documents.
    lee("CpteExportacion", a.cpteExportacion, true);
    return a;
}

QString problemaLibros(const PedidoLibros& pedido, const AjustesLibros& a) {
    const auto invalida = [](const QString& clave) {
        return QStringLiteral("Lista inválida en ZK000pr.INI, [Libros] %1: escriba los códigos "
                              "entre comillas simples, separados por coma.")
            .arg(clave);
    };
    if (!lista(a.articulosTrigo))
        return invalida(QStringLiteral("ArticulosTrigo"));
    if (!lista(a.cpteExportacion))
        return invalida(QStringLiteral("CpteExportacion"));
    if (a.sistemaCompras.trimmed().isEmpty() || a.sistemaProduccion.trimmed().isEmpty())
        return QStringLiteral("Falta el sistema de compras o de producción en ZK000pr.INI, "
                              "[Libros].");
    for (int p = 0; p < 5; ++p)
        if (!lista(pedido.codigos[size_t(p)]))
            return mensajeListaInvalida(p);
    if (pedido.unidad.trimmed().isEmpty())
        return kMensajeSinUnidad;
    return {};
}

QStringList sentenciasLibros(const QString& desde, const QString& hasta, const PedidoLibros& pedido,
                             const AjustesLibros& ajustes) {
    const Listas l = listasDe(pedido, ajustes);
    const QStringList todas = l.todas();
    if (todas.isEmpty())
        return {};
    const QString filtro = desdeDondeMes(desde, hasta, pedido.unidad) +
                           QStringLiteral("AND (V_TA_Cpte.SISTEMA IN (%1)) AND "
                                          "(LTRIM(RTRIM(V_MV_Stock.IDArticulo)) IN (%2)) ")
                               .arg(sistemas(ajustes), enSql(todas));
    const QString caso = casoLista(l);
    return {
        QStringLiteral("SELECT V_TA_Cpte.SISTEMA, V_MV_Stock.TC, V_MV_Stock.IDArticulo, "
                       "V_MV_Stock.IdUnidadBase, S_TA_EQUIV.COEFICIENTE, "
                       "SUM(V_MV_Stock.CantidadUD) AS Cantidad ") +
            filtro +
            QStringLiteral("GROUP BY V_TA_Cpte.SISTEMA, V_MV_Stock.TC, V_MV_Stock.IDArticulo, "
                           "V_MV_Stock.IdUnidadBase, S_TA_EQUIV.COEFICIENTE"),
        QStringLiteral("SELECT V_TA_Cpte.SISTEMA, V_MV_Stock.TC, %1 AS Lista, "
                       "COUNT(DISTINCT V_MV_Stock.NUMERO) AS Comprobantes ")
                .arg(caso) +
            filtro + QStringLiteral("GROUP BY V_TA_Cpte.SISTEMA, V_MV_Stock.TC, %1").arg(caso),
    };
}

ResultadoLibros leeLibros(const PedidoLibros& pedido, const AjustesLibros& ajustes) {
    const Listas l = listasDe(pedido, ajustes);
    const Rango r = rangoDe(pedido.periodo);
    ResultadoLibros res;
    res.figuras.push_back({QStringLiteral("P_Ingresos"), {}, 0});
    res.figuras.push_back({QStringLiteral("P_Elaboracion"), {}, 0});
    for (int p = 0; p < 5; ++p)
        for (int c = 0; c < kPorProducto; ++c)
            res.figuras.push_back({columnaProducto(p, c), {}, 0});
    // Tonnes per figure: the signed quantity of each article and unit
    // first, converted once, as "Calcular" converts.
    std::vector<std::map<std::pair<QString, QString>, std::pair<double, double>>> sumas(
        res.figuras.size());
    const QStringList sql = sentenciasLibros(r.desde, r.hasta, pedido, ajustes);
    if (!sql.isEmpty()) {
        ado::Recordset rs;
        abre(sql[0], rs);
        ++res.sentencias;
        for (; !rs.EOF_(); rs.MoveNext()) {
            const QString sistema = texto(rs, "SISTEMA");
            const QString tc = texto(rs, "TC");
            const QString articulo = texto(rs, "IDArticulo");
            const auto clave = std::make_pair(articulo.toUpper(), texto(rs, "IdUnidadBase"));
            const double cantidad = numero(rs, "Cantidad");
            const double coeficiente = numero(rs, "COEFICIENTE");
            const auto suma = [&](int figura) {
                if (figura < 0)
                    return;
                auto& s = sumas[size_t(figura)][clave];
                s.first += cantidad;
                s.second = coeficiente;
            };
            if (contiene(l.trigo, articulo))
                suma(figuraDe(sistema, tc, -1, l, ajustes));
            for (int p = 0; p < 5; ++p)
                if (contiene(l.productos[size_t(p)], articulo))
                    suma(figuraDe(sistema, tc, p, l, ajustes));
        }
        rs.Close();
        abre(sql[1], rs);
        ++res.sentencias;
        for (; !rs.EOF_(); rs.MoveNext()) {
            const QString cual = texto(rs, "Lista");
            const int lista = cual == QLatin1String("T") ? -1 : cual.toInt();
            if (cual == QLatin1String("X"))
                continue;
            const int figura = figuraDe(texto(rs, "SISTEMA"), texto(rs, "TC"), lista, l, ajustes);
            if (figura >= 0)
                res.figuras[size_t(figura)].comprobantes += int(numero(rs, "Comprobantes"));
        }
        rs.Close();
    }
    for (size_t f = 0; f < sumas.size(); ++f) {
        const ClaseFigura clase = claseDe(int(f));
        Currency total;
        for (const auto& [clave, s] : sumas[f]) {
            if (s.second == 0)
                continue;
            const double t = clase.valorAbsoluto ? std::fabs(s.first) : clase.signo * s.first;
            total = acumula(total, t / s.second);
        }
        res.figuras[f].valor = total;
    }
    // Extractions: each product's production over the wheat the form
    // shares out (milled plus its other outputs, both as the totals show
    // them).
    const Currency molido = res.figuras[kElaboracion].valor.rounded(2);
    const Currency base = molido + pedido.otrasSalidasTrigo.rounded(2);
    for (int p = 0; p < 5; ++p) {
        FiguraLibros& e = res.figuras[size_t(figuraProducto(p, 0))];
        res.producido[size_t(p)] = e.valor;
        e.valor = porcentaje(e.valor, base);
    }
    if (molido > Currency())
        res.rendimientoHarinero = porcentaje(res.producido[0] + res.producido[1], molido);
    return res;
}

} // namespace declaracion
