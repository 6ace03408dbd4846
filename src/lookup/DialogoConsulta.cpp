#include "DialogoConsulta.h"

#include "core/MsgBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace q42::consultas {

DialogoConsulta::DialogoConsulta(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Consulta..."));
}

DialogoConsulta::~DialogoConsulta() = default;

StepRunner::Handler DialogoConsulta::trataError(const QString& rutina) {
    return [rutina](const Error& e) { return q42::TrataError(e, std::nullopt, rutina); };
}

void DialogoConsulta::armaVentana(std::initializer_list<std::pair<QWidget*, int>> partes) {
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    const auto boton = [this](const char* texto, const char* nombre) {
        auto* b = new QPushButton(QString::fromUtf8(texto), Frame1);
        b->setObjectName(QLatin1String(nombre));
        return b;
    };
    CmdAceptar = boton("&Aceptar", "CmdAceptar");
    CmdCancelar = boton("&Cancelar", "CmdCancelar");
    CmdNueva = boton("&Nueva Busqueda", "CmdNueva");
    // Enter presses the focused button; elsewhere it accepts the row.
    CmdAceptar->setDefault(true);
    CmdCancelar->setAutoDefault(true);
    CmdNueva->setAutoDefault(true);
    auto* botones = new QHBoxLayout(Frame1);
    botones->addWidget(CmdAceptar);
    botones->addStretch();
    botones->addWidget(CmdCancelar);
    botones->addStretch();
    botones->addWidget(CmdNueva);

    auto* ventana = new QVBoxLayout(this);
    for (const auto& [parte, estira] : partes)
        ventana->addWidget(parte, estira);
    ventana->addWidget(Frame1);

    connect(CmdAceptar, &QPushButton::clicked, this, &DialogoConsulta::Aceptar);
    connect(CmdCancelar, &QPushButton::clicked, this, &DialogoConsulta::Cancelar);
    connect(CmdNueva, &QPushButton::clicked, this, &DialogoConsulta::NuevaBusquedaInicial);
}

void DialogoConsulta::Aceptar() {
    if (!StepRunner::run({[this] { leeEleccion(); }},
                         trataError(QStringLiteral("CmdAceptar_Click"))))
        return;
    m_terminada = true;
    QDialog::accept();
}

void DialogoConsulta::Cancelar() {
    ValorDevuelto = QString();
    Valores.clear();
    olvidaEleccion();
    m_terminada = m_cancelada = true;
    QDialog::reject();
}

void DialogoConsulta::accept() {
    Aceptar();
}

void DialogoConsulta::reject() {
    // Escape, "&Cancelar" and the window's close box all cancel.
    Cancelar();
}

bool DialogoConsulta::teclaDeBuscador(int i, int tecla) {
    switch (tecla) {
    case Qt::Key_F5:
        buscaDeNuevo(i);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
        vaALasFilas(tecla);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Aceptar();
        return true;
    case Qt::Key_Escape:
        Cancelar();
        return true;
    default:
        return false;
    }
}

} // namespace q42::consultas
