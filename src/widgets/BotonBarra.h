#pragma once

// Pieces shared by the command and navigation bars.

#include "IconosBarra.h"

#include <QString>

class QFrame;
class QToolButton;
class QWidget;

namespace q42 {

// A bar button named "btn" + key that shows its caption with its keyboard
// key beneath (when there is one) and says both in its tooltip.
QToolButton* creaBotonBarra(QWidget* barra, const QString& clave, const QString& titulo,
                            const QString& tecla, IconoBarra icono);
QFrame* separadorBarra(QWidget* barra);

} // namespace q42
