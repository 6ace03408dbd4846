#include "ReporteRender.h"

#include "core/Error.h"
#include "core/Regional.h"

#include <QDate>
#include <QDateTime>
#include <QPaintDevice>
#include <QPainter>
#include <QScopeGuard>
#include <QTextOption>
#include <algorithm>

namespace q42::reporte {

namespace {

const QVariant& columna(const DatosPagina& datos, const RefCampo& ref, const Definicion& def) {
    const auto it = datos.fila.find(ref.columna.toLower());
    if (it == datos.fila.end())
        throw Error(err::ItemNotFound,
                    QStringLiteral("El reporte %1 usa la columna %2, que no está en la tabla %3")
                        .arg(def.nombre, ref.columna, def.tabla),
                    QStringLiteral("Reportes"));
    return *it;
}

Currency comoNumero(const QVariant& v, const RefCampo& ref) {
    if (!v.isValid() || v.isNull())
        return Currency(); // an empty figure counts as 0, as on screen
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return Currency::fromDouble(v.toDouble());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return Currency::fromInt(v.toLongLong());
    default:
        if (const auto c = Currency::parse(v.toString()))
            return *c;
    }
    throw Error(err::TypeMismatch,
                QStringLiteral("La columna %1 no tiene un número").arg(ref.columna),
                QStringLiteral("Reportes"));
}

QString comoTexto(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QDate)
        return Regional::shortDate(v.toDate());
    if (v.typeId() == QMetaType::QDateTime)
        return Regional::shortDate(v.toDateTime().date());
    return v.toString();
}

Expresion::Fuentes fuentes(const DatosPagina& datos, const QHash<QString, Currency>& figuras,
                           const Definicion& def) {
    return {[&](const RefCampo& r) { return comoNumero(columna(datos, r, def), r); },
            [&](const QString& n) { return figuras.value(n.toLower()); }};
}

// Millimetres on the painter's device.
class Lienzo {
public:
    Lienzo(QPainter& p, const Definicion& def)
        : p(p), def(def), m_f(p.device()->logicalDpiX() / 25.4) {}

    QRectF mm(const QRectF& r) const {
        return {r.x() * m_f, r.y() * m_f, r.width() * m_f, r.height() * m_f};
    }
    double mm(double v) const { return v * m_f; }

    void fuente(const QString& nombre, bool negrita = false) {
        const Fuente f = def.fuente(nombre);
        QFont font(f.familia);
        font.setPointSizeF(f.puntos);
        font.setBold(f.negrita || negrita);
        font.setItalic(f.cursiva);
        p.setFont(font);
    }

    void lapiz(double grosor, const QColor& color = Qt::black) {
        if (grosor <= 0)
            p.setPen(Qt::NoPen);
        else
            p.setPen(QPen(color, mm(grosor), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    }

    void texto(const QRectF& r, const QString& t, Qt::Alignment al, bool ajuste,
               double margen = 0) {
        QTextOption op(al);
        op.setWrapMode(ajuste || al.testFlag(Qt::AlignJustify) ? QTextOption::WordWrap
                                                               : QTextOption::NoWrap);
        p.drawText(mm(r.adjusted(margen, 0, -margen, 0)), t, op);
    }

    void celda(const QRectF& r, const QColor& relleno) {
        p.setBrush(relleno.isValid() ? QBrush(relleno) : QBrush(Qt::NoBrush));
        lapiz(0.15);
        p.drawRect(mm(r));
    }

    QPainter& p;
    const Definicion& def;

private:
    double m_f;
};

void dibujaTabla(Lienzo& l, const Elemento& e, const DatosPagina& datos,
                 const QHash<QString, Currency>& figuras) {
    const Tabla& t = e.tabla;
    const double x0 = e.rect.x(), ancho = e.rect.width();
    const double xValores = x0 + t.anchoGrupo + t.anchoTitulo;
    const double anchoCol = (ancho - t.anchoGrupo - t.anchoTitulo) / t.columnas.size();
    const QColor encabezado(QStringLiteral("#e4e4e4")), total(QStringLiteral("#f2f2f2")),
        final(QStringLiteral("#d6d6d6"));
    const double pad = 1.5;
    double y = e.rect.y();

    const bool conTitulos =
        !t.titulo.isEmpty() || std::any_of(t.columnas.begin(), t.columnas.end(),
                                           [](const QString& c) { return !c.isEmpty(); });
    if (conTitulos) {
        const double alto = t.altoEncabezado * (t.titulo.isEmpty() ? 1 : 2);
        l.fuente(e.fuente, true);
        l.p.setPen(Qt::black);
        const QRectF esquina(x0, y, t.anchoGrupo + t.anchoTitulo, alto);
        l.celda(esquina, encabezado);
        l.p.setPen(Qt::black);
        l.texto(esquina, t.esquina, Qt::AlignLeft | Qt::AlignVCenter, true, pad);
        if (!t.titulo.isEmpty()) {
            const QRectF r(xValores, y, anchoCol * t.columnas.size(), t.altoEncabezado);
            l.celda(r, encabezado);
            l.p.setPen(Qt::black);
            l.texto(r, t.titulo, Qt::AlignCenter, false);
            y += t.altoEncabezado;
        }
        for (int c = 0; c < t.columnas.size(); ++c) {
            const QRectF r(xValores + c * anchoCol, y, anchoCol, t.altoEncabezado);
            l.celda(r, encabezado);
            l.p.setPen(Qt::black);
            l.texto(r, t.columnas[c], Qt::AlignCenter, false);
        }
        y += t.altoEncabezado;
    }

    const double yFilas = y;
    auto enGrupo = [&](int fila) {
        return std::any_of(t.grupos.begin(), t.grupos.end(),
                           [&](const GrupoTabla& g) { return fila >= g.desde && fila <= g.hasta; });
    };
    for (int f = 0; f < t.filas.size(); ++f) {
        const FilaTabla& fila = t.filas[f];
        const QColor relleno = fila.estilo == FilaTabla::Final   ? final
                               : fila.estilo == FilaTabla::Total ? total
                                                                 : QColor();
        l.fuente(e.fuente, fila.estilo != FilaTabla::Normal);
        const double xTitulo = enGrupo(f) ? x0 + t.anchoGrupo : x0;
        const QRectF rt(xTitulo, y, xValores - xTitulo, t.altoFila);
        l.celda(rt, relleno);
        l.p.setPen(Qt::black);
        l.texto(rt, fila.titulo, Qt::AlignLeft | Qt::AlignVCenter, false, pad);
        for (int c = 0; c < fila.valores.size(); ++c) {
            const QRectF r(xValores + c * anchoCol, y, anchoCol, t.altoFila);
            l.celda(r, relleno);
            l.p.setPen(Qt::black);
            l.texto(r, textoValor(fila.valores[c], datos, figuras, l.def),
                    Qt::AlignRight | Qt::AlignVCenter, false, pad);
        }
        if (fila.estilo == FilaTabla::Final) {
            l.lapiz(qMax(e.grosor, 0.4));
            l.p.drawLine(l.mm(QRectF(x0, y, 0, 0)).topLeft(),
                         l.mm(QRectF(x0 + ancho, y, 0, 0)).topLeft());
        }
        y += t.altoFila;
    }
    l.fuente(e.fuente, true);
    for (const GrupoTabla& g : t.grupos) {
        const QRectF r(x0, yFilas + g.desde * t.altoFila, t.anchoGrupo,
                       (g.hasta - g.desde + 1) * t.altoFila);
        l.celda(r, encabezado);
        l.p.setPen(Qt::black);
        l.texto(r, g.titulo, Qt::AlignCenter, true, 0.8);
    }
    l.p.setBrush(Qt::NoBrush);
    l.lapiz(qMax(e.grosor, 0.4));
    l.p.drawRect(l.mm(QRectF(x0, e.rect.y(), ancho, y - e.rect.y())));
}

} // namespace

QHash<QString, Currency> calculaFiguras(const Definicion& def, const DatosPagina& datos) {
    QHash<QString, Currency> figuras;
    const auto f = fuentes(datos, figuras, def);
    for (const Calculo& c : def.calculos)
        figuras.insert(c.nombre.toLower(), c.expresion.evalua(f).rounded(2));
    return figuras;
}

QString textoValor(const Valor& valor, const DatosPagina& datos,
                   const QHash<QString, Currency>& figuras, const Definicion& def) {
    switch (valor.tipo) {
    case Valor::Ninguno:
        break;
    case Valor::Campo:
        return comoTexto(columna(datos, valor.campo, def));
    case Valor::Formula:
        return datos.formulas.value(valor.formula.toLower());
    case Valor::Numero:
        return valor.expresion->evalua(fuentes(datos, figuras, def))
            .toFixed(valor.decimales, Regional::decimalSeparator());
    }
    return QString();
}

void dibujaPagina(QPainter& painter, const Definicion& def, const DatosPagina& datos) {
    const QHash<QString, Currency> figuras = calculaFiguras(def, datos);
    Lienzo l(painter, def);
    painter.save();
    const auto restaura = qScopeGuard([&] { painter.restore(); });
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Elemento& e : def.elementos) {
        l.p.setBrush(Qt::NoBrush);
        switch (e.tipo) {
        case Elemento::Caja:
            l.p.setBrush(e.relleno.isValid() ? QBrush(e.relleno) : QBrush(Qt::NoBrush));
            l.lapiz(e.grosor);
            l.p.drawRect(l.mm(e.rect));
            break;
        case Elemento::Linea:
            l.lapiz(e.grosor, e.color);
            l.p.drawLine(l.mm(e.rect).topLeft(), l.mm(e.rect).bottomRight());
            break;
        case Elemento::Texto:
        case Elemento::Campo: {
            const QString t = e.tipo == Elemento::Texto
                                  ? e.texto
                                  : e.texto + textoValor(e.valor, datos, figuras, def) + e.despues;
            l.fuente(e.fuente);
            l.p.setPen(e.color);
            l.texto(e.rect, t, e.alineacion, e.ajuste);
            break;
        }
        case Elemento::Grilla:
            dibujaTabla(l, e, datos, figuras);
            break;
        }
    }
}

} // namespace q42::reporte
