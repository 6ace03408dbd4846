#include "BotonBarra.h"

#include <QFrame>
#include <QToolButton>

namespace q42 {

QToolButton* creaBotonBarra(QWidget* barra, const QString& clave, const QString& titulo,
                            const QString& tecla, IconoBarra icono) {
    auto* boton = new QToolButton(barra);
    boton->setObjectName(QStringLiteral("btn") + clave);
    boton->setIcon(iconoBarra(icono));
    boton->setIconSize(QSize(22, 22));
    boton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    boton->setText(tecla.isEmpty() ? titulo : titulo + QLatin1Char('\n') + tecla);
    boton->setToolTip(tecla.isEmpty() ? titulo : QStringLiteral("%1 (%2)").arg(titulo, tecla));
    boton->setAccessibleName(titulo);
    // The bar is worked with the mouse or the form's keys; Tab stays on the
    // form's boxes.
    boton->setFocusPolicy(Qt::NoFocus);
    boton->setMinimumWidth(64);
    boton->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return boton;
}

QFrame* separadorBarra(QWidget* barra) {
    auto* linea = new QFrame(barra);
    linea->setFrameShape(QFrame::VLine);
    linea->setFrameShadow(QFrame::Sunken);
    return linea;
}

} // namespace q42
