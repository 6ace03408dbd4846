#include "CajaTexto.h"

#include "Formularios.h"

#include <QKeyEvent>

namespace q42 {

QPalette paletaDeCajas(QPalette p) {
    const QColor texto = p.color(QPalette::Active, QPalette::Text);
    const QColor fondo = p.color(QPalette::Disabled, QPalette::Base);
    const auto mezcla = [](int a, int b) { return (a * 4 + b) / 5; };
    p.setColor(QPalette::Disabled, QPalette::Text,
               QColor(mezcla(texto.red(), fondo.red()), mezcla(texto.green(), fondo.green()),
                      mezcla(texto.blue(), fondo.blue())));
    return p;
}

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
