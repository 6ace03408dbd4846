#include "PanelBar.h"

#include "BotonBarra.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QToolButton>

namespace q42 {

namespace {

struct Boton {
    const char* clave;
    const char* titulo;
    const char* tecla; // shown under the caption
    int codigo;
    Qt::KeyboardModifiers modificadores;
    IconoBarra icono;
    int grupo; // a separator stands between groups
};

// Captions, keys and pictures of the eight commands, in the bar's order.
const Boton kBotones[] = {
    {"NUEVO", "Nuevo", "F2", Qt::Key_F2, Qt::NoModifier, IconoBarra::Nuevo, 0},
    {"BORRAR", "Borrar", "F8", Qt::Key_F8, Qt::NoModifier, IconoBarra::Borrar, 0},
    {"REPORTE", "Imprimir", "F6", Qt::Key_F6, Qt::NoModifier, IconoBarra::Imprimir, 1},
    {"CONSULTAR", "Consultar", "F3", Qt::Key_F3, Qt::NoModifier, IconoBarra::Consultar, 1},
    {"PLANILLA", "Planilla", "F4", Qt::Key_F4, Qt::NoModifier, IconoBarra::Planilla, 1},
    {"CANCELAR", "Cancelar", "Esc", Qt::Key_Escape, Qt::NoModifier, IconoBarra::Cancelar, 2},
    {"GRABAR", "Grabar", "F5", Qt::Key_F5, Qt::NoModifier, IconoBarra::Grabar, 2},
    {"CERRAR", "Cerrar", "Ctrl+Q", Qt::Key_Q, Qt::ControlModifier, IconoBarra::Cerrar, 3},
};

} // namespace

PanelBar::PanelBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PanelBar1"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    int grupo = 0;
    for (const Boton& b : kBotones) {
        if (b.grupo != grupo) {
            // The close command stands apart at the right end.
            if (b.grupo == 3)
                layout->addStretch(1);
            else
                layout->addWidget(separadorBarra(this));
            grupo = b.grupo;
        }
        const QString clave = QString::fromLatin1(b.clave);
        QToolButton* boton = creaBotonBarra(this, clave, QString::fromUtf8(b.titulo),
                                            QString::fromLatin1(b.tecla), b.icono);
        boton->setEnabled(false);
        connect(boton, &QToolButton::clicked, this, [this, clave] { pulsa(clave); });
        layout->addWidget(boton);
        m_botones.insert(clave, boton);
    }
    setStyleBar(0);
}

QStringList PanelBar::claves() {
    QStringList out;
    for (const Boton& b : kBotones)
        out << QString::fromLatin1(b.clave);
    return out;
}

bool PanelBar::habilitado(const QString& clave) const {
    return m_encendidos.value(clave.toUpper(), false);
}

void PanelBar::setHabilitado(const QString& clave, bool on) {
    if (QToolButton* b = m_botones.value(clave.toUpper())) {
        m_encendidos.insert(clave.toUpper(), on);
        b->setEnabled(on);
    }
}

QToolButton* PanelBar::boton(const QString& clave) const {
    return m_botones.value(clave.toUpper());
}

void PanelBar::setStyleBar(int estilo) {
    m_estilo = estilo;
    for (QToolButton* b : std::as_const(m_botones))
        b->setAutoRaise(estilo != 0);
}

bool PanelBar::KeyDown(int keyCode, Qt::KeyboardModifiers shift) {
    // Shift and the keypad do not change a command; Ctrl and Alt do.
    const Qt::KeyboardModifiers cuentan = shift & (Qt::ControlModifier | Qt::AltModifier);
    for (const Boton& b : kBotones) {
        if (b.codigo != keyCode || b.modificadores != cuentan)
            continue;
        return pulsa(QString::fromLatin1(b.clave));
    }
    return false;
}

// A switched-off button, or one on a disabled bar or form, does nothing.
bool PanelBar::pulsa(const QString& clave) {
    const QToolButton* b = m_botones.value(clave);
    if (!b || !b->isEnabled())
        return false;
    Q_EMIT ButtonClick(clave);
    return true;
}

} // namespace q42
