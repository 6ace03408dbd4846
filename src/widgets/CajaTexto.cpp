#include "CajaTexto.h"

#include "Formularios.h"

#include <QKeyEvent>
#include <optional>

namespace q42 {

namespace {

// A closed box still shows a figure the operator reads (browse mode): its
// text stays near the open one's instead of the style's faint grey. Every
// box of a window starts from the same palette: the result is shared.
QPalette paletaDeCaja(const QPalette& heredada) {
    static std::optional<QPalette> base;
    static QPalette hecha;
    if (base && heredada.cacheKey() == base->cacheKey() && heredada == *base)
        return hecha;
    QPalette p = heredada;
    const QColor texto = p.color(QPalette::Active, QPalette::Text);
    const QColor fondo = p.color(QPalette::Disabled, QPalette::Base);
    const auto mezcla = [](int a, int b) { return (a * 4 + b) / 5; };
    p.setColor(QPalette::Disabled, QPalette::Text,
               QColor(mezcla(texto.red(), fondo.red()), mezcla(texto.green(), fondo.green()),
                      mezcla(texto.blue(), fondo.blue())));
    base = heredada;
    hecha = p;
    return hecha;
}

} // namespace

CajaTexto::CajaTexto(QWidget* parent) : QLineEdit(parent) {
    setPalette(paletaDeCaja(palette()));
}

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
