#include "Sistema.h"

#include "core/Plataforma.h"

#include <QApplication>
#include <QFont>
#include <QStyle>
#include <QSysInfo>
#include <QWidget>

namespace q42 {

namespace {
constexpr int PuntosMinimos = 9; // the smallest text the forms are drawn with
}

QString Sistema::Equipo() {
    return QSysInfo::machineHostName();
}

QString Sistema::Usuario() {
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString valor = qEnvironmentVariable(variable).trimmed();
        if (!valor.isEmpty())
            return valor;
    }
    return plataforma::usuarioDelSistema();
}

// One look for every form of the program: the style's own palette, a
// readable font and a minimum size that keeps the layout from collapsing.
void Sistema::DecoraFormulario(QWidget* formulario) {
    if (!formulario)
        return;
    formulario->setPalette(formulario->style()->standardPalette());
    QFont fuente = QApplication::font(formulario);
    if (fuente.pointSizeF() > 0 && fuente.pointSizeF() < PuntosMinimos)
        fuente.setPointSizeF(PuntosMinimos);
    formulario->setFont(fuente);
    const QSize minimo = formulario->minimumSizeHint();
    if (minimo.isValid())
        formulario->setMinimumSize(minimo);
    if (formulario->isWindow() && formulario->windowIcon().isNull())
        formulario->setWindowIcon(QApplication::windowIcon());
}

} // namespace q42
