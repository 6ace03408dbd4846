#include "SentenciasConsulta.h"

#include "core/Utiles.h"
#include "db/DB_Dll.h"

#include <QRegularExpression>
#include <limits>

namespace q42::consultas {

namespace {

const QString kOrderBy = QStringLiteral("order by");
const QString kGroupBy = QStringLiteral("group by");

// Columns that say nothing to the operator.
bool esCampoOmitido(const QString& campo) {
    static const QStringList omitidos = {QStringLiteral("ID"),
                                         QStringLiteral("FECHAHORA_MODIFICACION"),
                                         QStringLiteral("FECHAHORA_GRABACION")};
    return omitidos.contains(campo, Qt::CaseInsensitive);
}

bool esCampoDescriptivo(const QString& campo) {
    static const QStringList descriptivos = {QStringLiteral("DESCRIPCION"),
                                             QStringLiteral("NOMBRE"), QStringLiteral("DETALLE")};
    return descriptivos.contains(campo, Qt::CaseInsensitive);
}

bool igual(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The statement split before its first ORDER BY or GROUP BY: the part the
// condition is added to, and the tail set aside meanwhile.
struct Partes {
    QString actual;
    QString cola;
};

Partes separaCola(const QString& sql, const QString& sqlActual, bool conGroupBy) {
    Partes p{sqlActual, QString()};
    if (contiene(sql, QStringLiteral("order"))) {
        const qsizetype i = sql.indexOf(kOrderBy, 0, Qt::CaseInsensitive);
        if (i >= 0) {
            p.cola = sql.mid(i);
            p.actual = sql.left(i);
        }
    }
    if (conGroupBy) {
        const qsizetype i = sql.indexOf(kGroupBy, 0, Qt::CaseInsensitive);
        if (i >= 0) {
            // GROUP BY and a following ORDER BY stay together as the tail.
            if (!sql.mid(i).trimmed().isEmpty())
                p.cola = sql.mid(i);
            p.actual = sql.left(i);
        }
    }
    return p;
}

QString conector(const QString& sql) {
    return contiene(sql, QStringLiteral("where")) ? QStringLiteral(" and ")
                                                  : QStringLiteral(" where ");
}

} // namespace

bool contiene(const QString& texto, const QString& busca) {
    return texto.contains(busca, Qt::CaseInsensitive);
}

int limiteFilas(const QString& valorConfigurado) {
    qint64 n = 0;
    try {
        n = Utiles::TextoAEntero(valorConfigurado);
    } catch (const Error&) {
        n = 0; // too large to be a number of rows
    }
    return n > 0 && n <= std::numeric_limits<int>::max() ? int(n) : 1000;
}

QString envuelveWhere(const QString& where) {
    const QString w = where.trimmed();
    if (w.size() > 1 && !w.startsWith(QLatin1Char('(')))
        return QStringLiteral(" (") + where + QStringLiteral(") ");
    return where;
}

std::optional<QString> sentenciaDeMascara(const mascaras::RegistroMascara& registro,
                                          QString& campoBusqueda, const QString& where,
                                          int limite) {
    QString tabla = registro.nombre.trimmed();
    QString columnas =
        Utiles::Reemplaza(registro.columnas, QStringLiteral("|"), QStringLiteral(",")).trimmed();
    if (columnas.startsWith(QLatin1Char(',')))
        columnas.remove(0, 1);
    if (columnas.endsWith(QLatin1Char(',')))
        columnas.chop(1);
    if (columnas.isEmpty())
        columnas = QStringLiteral("*");

    if (campoBusqueda.isEmpty()) {
        const qsizetype coma = columnas.indexOf(QLatin1Char(','));
        if (coma < 0)
            return std::nullopt;
        campoBusqueda = columnas.left(coma);
    }

    QString filtro = registro.filtro.trimmed();
    if (filtro.isEmpty() && !where.trimmed().isEmpty())
        filtro = where;
    if (igual(tabla, QStringLiteral("VT_PROVEEDORES")) ||
        igual(tabla, QStringLiteral("VT_CLIENTES"))) {
        if (filtro.isEmpty())
            filtro = QStringLiteral("Dada_De_Baja = 0");
    } else if (igual(tabla, QStringLiteral("V_MA_ARTICULOS"))) {
        tabla = QStringLiteral("VT_MA_ARTICULOS");
        if (filtro.isEmpty())
            filtro = QStringLiteral("SUSPENDIDO = 0");
    }

    QString sql = QStringLiteral("SELECT TOP ") + QString::number(limite) + QLatin1Char(' ') +
                  columnas + QStringLiteral(" FROM ") + tabla;
    if (!filtro.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + filtro;
    if (!campoBusqueda.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + campoBusqueda;
    return sql;
}

QString sentenciaDeColumnas(const QStringList& campos, const QString& tabla, QString& campoBusqueda,
                            int limite) {
    QString lista;
    QString primero;
    QString descriptivo;
    for (const QString& campo : campos) {
        if (esCampoOmitido(campo))
            continue;
        lista.prepend(campo + QLatin1Char(','));
        if (primero.isEmpty())
            primero = campo;
        if (esCampoDescriptivo(campo))
            descriptivo = campo;
    }
    if (!primero.isEmpty())
        campoBusqueda = descriptivo.isEmpty() ? primero : descriptivo;
    lista.chop(1);
    const QString columnas = lista.isEmpty() ? QStringLiteral(" * ") : lista;
    QString sql = QStringLiteral("SELECT TOP ") + QString::number(limite) + QLatin1Char(' ') +
                  columnas + QStringLiteral(" FROM ") + tabla;
    // Without a search column an ORDER BY would only make the statement fail.
    if (!campoBusqueda.trimmed().isEmpty())
        sql += QStringLiteral(" ORDER BY ") + campoBusqueda;
    return sql;
}

QString tablaConsulta(const QString& sql) {
    const qsizetype desde = sql.indexOf(QStringLiteral("from"), 0, Qt::CaseInsensitive);
    if (desde < 0)
        return QString();
    qsizetype inicio = desde + 4;
    while (inicio < sql.size() && sql.at(inicio).isSpace())
        ++inicio;
    qsizetype fin = inicio;
    while (fin < sql.size() && !sql.at(fin).isSpace())
        ++fin;
    return sql.mid(inicio, fin - inicio).trimmed();
}

bool esSentenciaDePrecios(const QString& sql) {
    // The lookup service reads articles from VT_MA_ARTICULOS instead of
    // V_MA_ARTICULOS, so that view counts as well.
    return contiene(sql, QStringLiteral("V_MA_ARTICULOS")) ||
           contiene(sql, QStringLiteral("VT_MA_ARTICULOS")) ||
           contiene(sql, QStringLiteral("STK_MA_ARTICULOS"));
}

QString textoBusqueda(const QString& texto, bool like) {
    return like ? texto : Utiles::Reemplaza(texto, QStringLiteral("*"), QStringLiteral("%"));
}

QString nuevaBusquedaLista(const QString& sql, const QString& sqlActual, const QString& campo,
                           const QString& texto, bool like) {
    const Partes p = separaCola(sql, sqlActual, true);
    QString calificador;
    if (contiene(p.actual, QStringLiteral("stk_ma_articulos.")))
        calificador = QStringLiteral("stk_ma_articulos.");
    if (contiene(p.actual, QStringLiteral("v_ma_articulos.")))
        calificador = QStringLiteral("v_ma_articulos.");
    const QString patron = like ? QStringLiteral("%") + texto + QStringLiteral("%")
                                : textoBusqueda(texto, false) + QStringLiteral("%");
    const QString condicion = calificador + campo + QStringLiteral(" like ") +
                              DB_Dll::Comillas(patron) + QLatin1Char(' ');
    return p.actual + conector(sql) + condicion + p.cola;
}

QString nuevaBusquedaArbol(const QString& sql, const QString& sqlActual, const QString& texto) {
    const Partes p = separaCola(sql, sqlActual, false);
    return p.actual + conector(sql) + QStringLiteral("Descripcion like ") +
           DB_Dll::Comillas(QStringLiteral("%") + texto + QStringLiteral("%")) + QLatin1Char(' ') +
           p.cola;
}

QStringList valoresLista(const QString& lista) {
    static const QRegularExpression separador(QStringLiteral("[,;|\\r\\n]"));
    QStringList valores;
    for (QString v : lista.split(separador, Qt::SkipEmptyParts)) {
        v = v.trimmed();
        while (v.size() >= 2 &&
               (v.startsWith(QLatin1Char('\'')) || v.startsWith(QLatin1Char('"'))) &&
               v.endsWith(v.front()))
            v = v.mid(1, v.size() - 2).trimmed();
        // A quote doubled inside a quoted code stands for one.
        v.replace(QStringLiteral("''"), QStringLiteral("'"));
        if (!v.isEmpty())
            valores << v;
    }
    return valores;
}

int nivelStock(Currency puntoPedido, Currency stock) {
    const Currency cero;
    if (puntoPedido == cero && stock > cero)
        return 1;
    if (puntoPedido > cero && stock > puntoPedido)
        return 2;
    if (puntoPedido > cero && stock < puntoPedido)
        return 3;
    return 4;
}

QColor colorConfigurado(const QVariant& numero) {
    bool ok = false;
    const qlonglong n = numero.toString().trimmed().toLongLong(&ok);
    if (!ok || n < 0)
        return QColor(Qt::black);
    return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
}

} // namespace q42::consultas
