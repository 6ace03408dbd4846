#include "ReporteExpresion.h"

#include "core/Error.h"

#include <cmath>

namespace q42::reporte {

struct Expresion::Nodo {
    enum Tipo { Numero, Campo, Calculo, Operacion } tipo = Numero;
    Currency numero;
    RefCampo campo;
    QString nombre;
    QChar op;
    std::shared_ptr<const Nodo> izq, der;
};

namespace {

using Nodo = Expresion::Nodo;
using PNodo = std::shared_ptr<const Nodo>;

Error malFormada(const QString& texto, const QString& motivo) {
    return Error(err::InvalidProcedureCall,
                 QStringLiteral("Expresión no válida \"%1\": %2").arg(texto, motivo),
                 QStringLiteral("Reportes"));
}

bool esLetra(QChar c) {
    return c == QLatin1Char('_') || (c.isLetter() && c.unicode() < 128);
}
bool esDigito(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

class Analizador {
public:
    Analizador(const QString& texto, std::vector<RefCampo>& campos, QStringList& calculos)
        : m_t(texto), m_campos(campos), m_calculos(calculos) {}

    PNodo todo() {
        PNodo n = suma();
        blancos();
        if (m_i < m_t.size())
            throw malFormada(m_t, QStringLiteral("sobra \"%1\"").arg(m_t.mid(m_i)));
        return n;
    }

private:
    void blancos() {
        while (m_i < m_t.size() && m_t[m_i].isSpace())
            ++m_i;
    }
    bool toma(QChar c) {
        blancos();
        if (m_i < m_t.size() && m_t[m_i] == c) {
            ++m_i;
            return true;
        }
        return false;
    }
    static PNodo operacion(QChar op, PNodo a, PNodo b) {
        auto n = std::make_shared<Nodo>();
        n->tipo = Nodo::Operacion;
        n->op = op;
        n->izq = std::move(a);
        n->der = std::move(b);
        return n;
    }
    PNodo suma() {
        PNodo n = producto();
        for (;;) {
            if (toma(QLatin1Char('+')))
                n = operacion(QLatin1Char('+'), n, producto());
            else if (toma(QLatin1Char('-')))
                n = operacion(QLatin1Char('-'), n, producto());
            else
                return n;
        }
    }
    PNodo producto() {
        PNodo n = factor();
        for (;;) {
            if (toma(QLatin1Char('*')))
                n = operacion(QLatin1Char('*'), n, factor());
            else if (toma(QLatin1Char('/')))
                n = operacion(QLatin1Char('/'), n, factor());
            else
                return n;
        }
    }
    PNodo factor() {
        blancos();
        if (m_i >= m_t.size())
            throw malFormada(m_t, QStringLiteral("falta un término al final"));
        auto n = std::make_shared<Nodo>();
        const QChar c = m_t[m_i];
        if (c == QLatin1Char('(')) {
            ++m_i;
            PNodo dentro = suma();
            if (!toma(QLatin1Char(')')))
                throw malFormada(m_t, QStringLiteral("falta \")\""));
            return dentro;
        }
        if (c == QLatin1Char('-')) {
            ++m_i;
            return operacion(QLatin1Char('-'), std::make_shared<Nodo>(), factor());
        }
        if (c == QLatin1Char('{')) {
            const qsizetype fin = m_t.indexOf(QLatin1Char('}'), m_i);
            if (fin < 0 || !leeRefCampo(m_t.mid(m_i, fin - m_i + 1), &n->campo))
                throw malFormada(
                    m_t, QStringLiteral("campo mal escrito en la posición %1").arg(m_i + 1));
            n->tipo = Nodo::Campo;
            m_campos.push_back(n->campo);
            m_i = fin + 1;
            return n;
        }
        if (esDigito(c)) {
            const qsizetype ini = m_i;
            while (m_i < m_t.size() && (esDigito(m_t[m_i]) || m_t[m_i] == QLatin1Char('.')))
                ++m_i;
            bool ok = false;
            const double v = m_t.mid(ini, m_i - ini).toDouble(&ok);
            if (!ok)
                throw malFormada(m_t, QStringLiteral("número mal escrito"));
            n->numero = Currency::fromDouble(v);
            return n;
        }
        if (esLetra(c)) {
            const qsizetype ini = m_i;
            while (m_i < m_t.size() && (esLetra(m_t[m_i]) || esDigito(m_t[m_i])))
                ++m_i;
            n->tipo = Nodo::Calculo;
            n->nombre = m_t.mid(ini, m_i - ini);
            m_calculos << n->nombre;
            return n;
        }
        throw malFormada(m_t, QStringLiteral("carácter inesperado \"%1\"").arg(c));
    }

    const QString& m_t;
    qsizetype m_i = 0;
    std::vector<RefCampo>& m_campos;
    QStringList& m_calculos;
};

Currency evaluaNodo(const Nodo& n, const Expresion::Fuentes& f, const QString& texto) {
    switch (n.tipo) {
    case Nodo::Numero:
        return n.numero;
    case Nodo::Campo:
        return f.campo(n.campo);
    case Nodo::Calculo:
        return f.calculo(n.nombre);
    case Nodo::Operacion:
        break;
    }
    const Currency a = evaluaNodo(*n.izq, f, texto);
    const Currency b = evaluaNodo(*n.der, f, texto);
    switch (n.op.unicode()) {
    case '+':
        return a + b;
    case '-':
        return a - b;
    case '*':
        return a * b;
    default:
        if (b.isZero())
            throw Error(err::InvalidProcedureCall,
                        QStringLiteral("División por cero en \"%1\"").arg(texto),
                        QStringLiteral("Reportes"));
        return Currency::fromDouble(a.toDouble() / b.toDouble());
    }
}

} // namespace

bool esIdentificador(const QString& texto) {
    if (texto.isEmpty() || !esLetra(texto[0]))
        return false;
    for (QChar c : texto)
        if (!esLetra(c) && !esDigito(c))
            return false;
    return true;
}

bool leeRefCampo(const QString& texto, RefCampo* ref) {
    const QString t = texto.trimmed();
    if (!t.startsWith(QLatin1Char('{')) || !t.endsWith(QLatin1Char('}')))
        return false;
    const QStringList partes = t.mid(1, t.size() - 2).split(QLatin1Char('.'));
    if (partes.size() != 2)
        return false;
    const QString tabla = partes[0].trimmed(), columna = partes[1].trimmed();
    if (!esIdentificador(tabla) || !esIdentificador(columna))
        return false;
    if (ref)
        *ref = RefCampo{tabla, columna};
    return true;
}

Expresion Expresion::analiza(const QString& texto) {
    Expresion e;
    e.m_texto = texto;
    Analizador a(e.m_texto, e.m_campos, e.m_calculos);
    e.m_raiz = a.todo();
    return e;
}

Currency Expresion::evalua(const Fuentes& fuentes) const {
    return evaluaNodo(*m_raiz, fuentes, m_texto);
}

} // namespace q42::reporte
