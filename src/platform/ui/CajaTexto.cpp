#include "CajaTexto.h"

#include "platform/Formularios.h"

#include <QKeyEvent>

namespace q42 {

CajaTexto::CajaTexto(QWidget* parent) : QLineEdit(parent) {}

void CajaTexto::keyPressEvent(QKeyEvent* event) {
    const QString texto = event->text();
    // Shortcuts (Ctrl+V, Alt+letter) and keys without a character are the
    // box's or the form's business.
    const bool atajo =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (texto.size() != 1 || atajo) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QChar caracter = texto.at(0);
    if (!Formularios::FiltraTecla(this, caracter)) {
        event->accept(); // discarded
        return;
    }
    if (caracter == texto.at(0)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent cambiado(event->type(), event->key(), event->modifiers(), QString(caracter),
                       event->isAutoRepeat(), ushort(event->count()));
    QLineEdit::keyPressEvent(&cambiado);
    event->setAccepted(cambiado.isAccepted());
}

} // namespace q42
