#include "NavBar.h"

#include "BotonBarra.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace q42 {

namespace {

struct Boton {
    const char* clave;
    const char* titulo;
    IconoBarra icono;
};

const Boton kBotones[] = {
    {"PRIMERO", "Primero", IconoBarra::Primero},
    {"ANTERIOR", "Anterior", IconoBarra::Anterior},
    {"SIGUIENTE", "Siguiente", IconoBarra::Siguiente},
    {"ULTIMO", "Último", IconoBarra::Ultimo},
    {"FILTRAR", "Filtrar", IconoBarra::Filtrar},
};

} // namespace

NavBar::NavBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("NavBar1"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    for (const Boton& b : kBotones) {
        const QString clave = QString::fromLatin1(b.clave);
        QToolButton* boton =
            creaBotonBarra(this, clave, QString::fromUtf8(b.titulo), QString(), b.icono);
        boton->setToolButtonStyle(Qt::ToolButtonIconOnly);
        boton->setMinimumWidth(32);
        connect(boton, &QToolButton::clicked, this, [this, clave] {
            if (m_habilitada)
                Q_EMIT ButtonClick(clave);
        });
        layout->addWidget(boton);
        m_botones.insert(clave, boton);
    }
    layout->addStretch(1);
    setStyleBar(0);
}

QStringList NavBar::claves() {
    QStringList out;
    for (const Boton& b : kBotones)
        out << QString::fromLatin1(b.clave);
    return out;
}

QToolButton* NavBar::boton(const QString& clave) const {
    return m_botones.value(clave.toUpper());
}

void NavBar::setNavenabled(bool on) {
    m_habilitada = on;
    for (QToolButton* b : std::as_const(m_botones))
        b->setEnabled(on);
}

void NavBar::setStyleBar(int estilo) {
    m_estilo = estilo;
    for (QToolButton* b : std::as_const(m_botones))
        b->setAutoRaise(estilo != 0);
}

} // namespace q42
