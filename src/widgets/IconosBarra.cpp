#include "IconosBarra.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace q42 {

namespace {

// Colours of one picture; a disabled button's are greys.
struct Tinta {
    QColor linea, papel, gris, azul, rojo, verde;
};

const Tinta kNormal{QColor(0x37, 0x47, 0x4f), Qt::white,
                    QColor(0xcf, 0xd8, 0xdc), QColor(0x1e, 0x6b, 0xb8),
                    QColor(0xc6, 0x28, 0x28), QColor(0x2e, 0x7d, 0x32)};
const Tinta kApagada{QColor(0xa0, 0xa4, 0xa8), QColor(0xf4, 0xf4, 0xf4), QColor(0xe2, 0xe2, 0xe2),
                     QColor(0xc4, 0xc4, 0xc4), QColor(0xc4, 0xc4, 0xc4), QColor(0xc4, 0xc4, 0xc4)};

QPainterPath poligono(std::initializer_list<QPointF> puntos) {
    QPainterPath p;
    for (const QPointF& q : puntos) {
        if (p.elementCount() == 0)
            p.moveTo(q);
        else
            p.lineTo(q);
    }
    p.closeSubpath();
    return p;
}

// Each picture on a 24 x 24 grid.
using Dibujo = void (*)(QPainter&, const Tinta&);

void nuevo(QPainter& p, const Tinta& t) {
    p.setBrush(t.papel);
    p.drawPath(poligono({{5, 2}, {14, 2}, {19, 7}, {19, 22}, {5, 22}}));
    p.drawPolyline(QPolygonF({{14, 2}, {14, 7}, {19, 7}}));
    p.setBrush(t.verde);
    p.drawEllipse(QPointF(17.5, 17.5), 4.5, 4.5);
    p.setPen(QPen(t.papel, 1.8));
    p.drawLine(QLineF(17.5, 15, 17.5, 20));
    p.drawLine(QLineF(15, 17.5, 20, 17.5));
}

void borrar(QPainter& p, const Tinta& t) {
    p.setBrush(t.gris);
    p.drawPath(poligono({{6, 7}, {18, 7}, {16.5, 21}, {7.5, 21}}));
    p.drawLine(QLineF(10, 10, 10.3, 18));
    p.drawLine(QLineF(14, 10, 13.7, 18));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(9.5, 3, 5, 2.5));
    p.setPen(QPen(t.linea, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QLineF(4, 6, 20, 6));
}

void imprimir(QPainter& p, const Tinta& t) {
    p.setBrush(t.papel);
    p.drawRect(QRectF(7, 2.5, 10, 6.5));
    p.setBrush(t.gris);
    p.drawRoundedRect(QRectF(3, 8, 18, 9), 2, 2);
    p.setBrush(t.papel);
    p.drawRect(QRectF(7, 14, 10, 7.5));
    p.drawLine(QLineF(9, 17, 15, 17));
    p.drawLine(QLineF(9, 19.3, 15, 19.3));
    p.setBrush(t.verde);
    p.drawEllipse(QPointF(18, 11), 1, 1);
}

void consultar(QPainter& p, const Tinta& t) {
    p.setPen(QPen(t.linea, 2));
    p.setBrush(t.papel);
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    p.setPen(QPen(t.azul, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QLineF(15, 15, 20.5, 20.5));
}

void planilla(QPainter& p, const Tinta& t) {
    p.setBrush(t.papel);
    p.drawRect(QRectF(3, 4, 18, 16));
    p.setBrush(t.azul);
    p.drawRect(QRectF(3, 4, 18, 4));
    for (const qreal x : {9.0, 15.0})
        p.drawLine(QLineF(x, 4, x, 20));
    for (const qreal y : {12.0, 16.0})
        p.drawLine(QLineF(3, y, 21, y));
}

void cancelar(QPainter& p, const Tinta& t) {
    p.setBrush(t.rojo);
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setPen(QPen(t.papel, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QLineF(8.5, 8.5, 15.5, 15.5));
    p.drawLine(QLineF(15.5, 8.5, 8.5, 15.5));
}

void grabar(QPainter& p, const Tinta& t) {
    p.setBrush(t.azul);
    p.drawPath(poligono({{3, 3}, {18, 3}, {21, 6}, {21, 21}, {3, 21}}));
    p.setBrush(t.gris);
    p.drawRect(QRectF(7, 3, 9, 6));
    p.setBrush(t.azul);
    p.drawRect(QRectF(12.5, 4, 2, 4));
    p.setBrush(t.papel);
    p.drawRect(QRectF(6, 13, 12, 8));
    p.drawLine(QLineF(8, 16, 16, 16));
    p.drawLine(QLineF(8, 18.5, 16, 18.5));
}

void cerrar(QPainter& p, const Tinta& t) {
    p.setPen(QPen(t.linea, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(QPolygonF({{12, 3}, {4, 3}, {4, 21}, {12, 21}}));
    p.setPen(QPen(t.rojo, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QLineF(9, 12, 17, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(t.rojo);
    p.drawPath(poligono({{15, 7.5}, {21.5, 12}, {15, 16.5}}));
}

void primero(QPainter& p, const Tinta& t) {
    p.setBrush(t.azul);
    p.drawRect(QRectF(5, 6, 2.5, 12));
    p.drawPath(poligono({{19, 6}, {9, 12}, {19, 18}}));
}

void anterior(QPainter& p, const Tinta& t) {
    p.setBrush(t.azul);
    p.drawPath(poligono({{16, 6}, {7, 12}, {16, 18}}));
}

void siguiente(QPainter& p, const Tinta& t) {
    p.setBrush(t.azul);
    p.drawPath(poligono({{8, 6}, {17, 12}, {8, 18}}));
}

void ultimo(QPainter& p, const Tinta& t) {
    p.setBrush(t.azul);
    p.drawPath(poligono({{5, 6}, {15, 12}, {5, 18}}));
    p.drawRect(QRectF(16.5, 6, 2.5, 12));
}

void filtrar(QPainter& p, const Tinta& t) {
    p.setBrush(t.azul);
    p.drawPath(poligono({{3, 4}, {21, 4}, {14, 12}, {14, 20}, {10, 18}, {10, 12}}));
}

// In the order of IconoBarra.
const Dibujo kDibujos[] = {nuevo,  borrar,  imprimir, consultar, planilla, cancelar, grabar,
                           cerrar, primero, anterior, siguiente, ultimo,   filtrar};
static_assert(std::size(kDibujos) == std::size_t(IconoBarra::Filtrar) + 1);

class MotorIcono : public QIconEngine {
public:
    explicit MotorIcono(IconoBarra icono) : m_icono(icono) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const Tinta& tinta = mode == QIcon::Disabled ? kApagada : kNormal;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 24.0, rect.height() / 24.0);
        painter->setPen(QPen(tinta.linea, 1.2));
        kDibujos[std::size_t(m_icono)](*painter, tinta);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // Drawn for the screen's scale, so a high-density screen gets sharp
    // lines rather than a magnified picture.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pm(size * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine* clone() const override { return new MotorIcono(m_icono); }
    QString key() const override { return QStringLiteral("q42.barra"); }

private:
    IconoBarra m_icono;
};

} // namespace

QIcon iconoBarra(IconoBarra icono) {
    return QIcon(new MotorIcono(icono));
}

} // namespace q42
