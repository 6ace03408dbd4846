#include "ReporteSeleccion.h"

#include "core/Error.h"

#include <QRegularExpression>

namespace q42::reporte {

namespace {

Error noValida(const QString& texto, qsizetype pos, const QString& motivo) {
    return Error(err::InvalidProcedureCall,
                 QStringLiteral("Fórmula de selección no válida (posición %1: %2): %3")
                     .arg(pos + 1)
                     .arg(motivo, texto),
                 QStringLiteral("Reportes"));
}

bool esNumeroPlano(const QString& texto) {
    static const QRegularExpression re(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    return re.match(texto).hasMatch();
}

class Lector {
public:
    explicit Lector(const QString& t) : m_t(t) {}

    QVector<Condicion> lee() {
        QVector<Condicion> out;
        blancos();
        while (m_i < m_t.size()) {
            if (!out.isEmpty()) {
                if (m_t.mid(m_i, 3).compare(QLatin1String("AND"), Qt::CaseInsensitive) != 0 ||
                    (m_i + 3 < m_t.size() && !m_t[m_i + 3].isSpace() &&
                     m_t[m_i + 3] != QLatin1Char('{')))
                    throw noValida(m_t, m_i, QStringLiteral("se esperaba AND"));
                m_i += 3;
                blancos();
            }
            out << condicion();
            blancos();
        }
        return out;
    }

private:
    void blancos() {
        while (m_i < m_t.size() && m_t[m_i].isSpace())
            ++m_i;
    }

    Condicion condicion() {
        Condicion c;
        const qsizetype fin = m_t.indexOf(QLatin1Char('}'), m_i);
        if (m_i >= m_t.size() || m_t[m_i] != QLatin1Char('{') || fin < 0 ||
            !leeRefCampo(m_t.mid(m_i, fin - m_i + 1), &c.campo))
            throw noValida(m_t, m_i, QStringLiteral("se esperaba {Tabla.Campo}"));
        m_i = fin + 1;
        blancos();
        static const char* const operadores[] = {">=", "<=", "<>", "=", "<", ">"};
        for (const char* op : operadores)
            if (m_t.mid(m_i, qsizetype(qstrlen(op))) == QLatin1String(op)) {
                c.operador = QLatin1String(op);
                break;
            }
        if (c.operador.isEmpty())
            throw noValida(m_t, m_i, QStringLiteral("se esperaba un operador"));
        m_i += c.operador.size();
        blancos();
        valor(c);
        return c;
    }

    void valor(Condicion& c) {
        if (m_i >= m_t.size())
            throw noValida(m_t, m_i, QStringLiteral("falta el valor"));
        const QChar comilla = m_t[m_i];
        if (comilla == QLatin1Char('\'') || comilla == QLatin1Char('"')) {
            for (++m_i; m_i < m_t.size(); ++m_i) {
                if (m_t[m_i] != comilla) {
                    c.valor += m_t[m_i];
                } else if (m_i + 1 < m_t.size() && m_t[m_i + 1] == comilla) {
                    c.valor += comilla;
                    ++m_i;
                } else {
                    ++m_i;
                    return;
                }
            }
            throw noValida(m_t, m_i, QStringLiteral("falta cerrar la comilla"));
        }
        const qsizetype ini = m_i;
        while (m_i < m_t.size() && !m_t[m_i].isSpace())
            ++m_i;
        c.valor = m_t.mid(ini, m_i - ini);
        c.esNumero = true;
        if (!esNumeroPlano(c.valor))
            throw noValida(m_t, ini, QStringLiteral("valor sin comillas que no es un número"));
    }

    const QString& m_t;
    qsizetype m_i = 0;
};

} // namespace

QVector<Condicion> analizaSeleccion(const QString& seleccion) {
    return Lector(seleccion).lee();
}

QString textoEntreComillas(const QString& texto) {
    return QLatin1Char('\'') + QString(texto).replace(QLatin1Char('\''), QLatin1String("''")) +
           QLatin1Char('\'');
}

QString sentenciaSeleccion(const QString& tabla, const QVector<Condicion>& condiciones,
                           const QString& orden) {
    if (!esIdentificador(tabla) || (!orden.isEmpty() && !esIdentificador(orden)))
        throw Error(err::InvalidProcedureCall,
                    QStringLiteral("Nombre de tabla o columna no válido"),
                    QStringLiteral("Reportes"));
    QStringList donde;
    for (const Condicion& c : condiciones) {
        if (c.campo.tabla.compare(tabla, Qt::CaseInsensitive) != 0)
            throw Error(err::InvalidProcedureCall,
                        QStringLiteral("La selección usa la tabla %1; el reporte lee %2")
                            .arg(c.campo.tabla, tabla),
                        QStringLiteral("Reportes"));
        // Numbers were checked to be plain digits when read.
        const QString valor =
            c.esNumero && esNumeroPlano(c.valor) ? c.valor : textoEntreComillas(c.valor);
        donde << QStringLiteral("%1 %2 %3").arg(c.campo.columna, c.operador, valor);
    }
    QString sql = QStringLiteral("SELECT * FROM ") + tabla;
    if (!donde.isEmpty())
        sql += QStringLiteral(" WHERE ") + donde.join(QLatin1String(" AND "));
    if (!orden.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + orden;
    return sql;
}

} // namespace q42::reporte
