#include "Colocacion.h"

#include "core/AjustesUsuario.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace q42 {

namespace {

// A window manager adds a title bar and borders that are unknown before the
// first show: room for a usual one.
constexpr QMargins kMarcoSupuesto(4, 32, 4, 4);

QString claveDe(const QString& clave) {
    return QStringLiteral("Ventanas/") + clave;
}

} // namespace

QRect marcoEnArea(const QSize& deseado, const QRect& area, const QMargins& marco) {
    const QRect util = area.marginsRemoved(marco);
    QRect r(QPoint(0, 0), deseado.boundedTo(util.size()).expandedTo(QSize(1, 1)));
    r.moveCenter(util.center());
    return r;
}

bool enAlgunaArea(const QRect& rect, const QList<QRect>& areas) {
    if (!rect.isValid())
        return false;
    for (const QRect& a : areas)
        if (a.contains(rect))
            return true;
    return false;
}

void colocaVentana(QWidget* ventana, const QString& clave, QRect area) {
    QList<QRect> areas;
    for (const QScreen* s : QGuiApplication::screens())
        areas.append(s->availableGeometry());
    if (area.isNull()) {
        const QScreen* primaria = QGuiApplication::primaryScreen();
        area = primaria ? primaria->availableGeometry() : QRect(0, 0, 1024, 768);
    }
    const QRect guardada = AjustesUsuario().value(claveDe(clave)).toRect();
    if (!guardada.isNull() && enAlgunaArea(guardada, areas)) {
        ventana->setGeometry(guardada);
        return;
    }
    ventana->setGeometry(marcoEnArea(ventana->sizeHint(), area, kMarcoSupuesto));
}

void guardaVentana(const QWidget* ventana, const QString& clave) {
    const QRect normal = ventana->normalGeometry();
    const QRect lugar = normal.isValid() ? normal : ventana->geometry();
    // Writing the file costs two syncs to disk at every exit: only a moved
    // or resized window is written.
    AjustesUsuario ajustes;
    if (ajustes.value(claveDe(clave)).toRect() != lugar)
        ajustes.setValue(claveDe(clave), lugar);
}

} // namespace q42
