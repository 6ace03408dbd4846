#include "CajaTexto.h"

#include "Formularios.h"
#include "core/Cifras.h"

#include <QApplication>
#include <QClipboard>

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

void CajaTexto::rechaza(const QString& motivo) {
    QApplication::beep();
    Q_EMIT teclaRechazada(motivo);
}

// A number box: the key or the pasted text as the figure rule has it.
bool CajaTexto::tecleaNumero(QKeyEvent* event) {
    const int desde = hasSelectedText() ? selectionStart() : cursorPosition();
    const int largo = int(selectedText().size());
    if (event->matches(QKeySequence::Paste)) {
        const QString pegado = QGuiApplication::clipboard()->text().trimmed();
        const QString nuevo = text().left(desde) + pegado + text().mid(desde + largo);
        if (esPrincipioDeCifra(nuevo))
            return false; // the box pastes it
        rechaza(QStringLiteral("\"%1\" no es una cifra: no se pegó.").arg(pegado.left(40)));
        return true;
    }
    const QString texto = event->text();
    const bool atajo =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    // Shortcuts, editing keys and control characters are the box's own.
    if (texto.size() != 1 || atajo || texto.at(0).unicode() < 32 || texto.at(0).unicode() == 127)
        return false;
    const std::optional<CifraTecleada> r = tecleaCifra(text(), desde, largo, texto.at(0));
    if (!r) {
        rechaza(kMotivoTeclaRechazada);
        return true;
    }
    // An earlier separator turned into a thousands mark: the whole text.
    if (r->texto != text().left(desde) + r->texto.at(desde) + text().mid(desde + largo)) {
        setText(r->texto);
        setCursorPosition(r->cursor);
        setModified(true);
        return true;
    }
    QKeyEvent cambiado(event->type(), event->key(), event->modifiers(), QString(r->texto.at(desde)),
                       event->isAutoRepeat(), ushort(event->count()));
    QLineEdit::keyPressEvent(&cambiado);
    return true;
}

void CajaTexto::keyPressEvent(QKeyEvent* event) {
    if (property(Formularios::Numerico).toBool() && tecleaNumero(event)) {
        event->accept();
        return;
    }
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
        rechaza(QStringLiteral("La casilla admite hasta %1 caracteres.")
                    .arg(property(Formularios::LargoMaximo).toInt()));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace q42
