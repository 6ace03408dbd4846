#include "Progreso.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>

namespace q42 {

namespace {

QPointer<QWidget> g_ventana;
QPointer<QLabel> g_etiqueta; // a child of g_ventana
QString g_mensaje;
bool g_abierto = false;

bool hayPantalla() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

// Lets the window paint while the caller keeps the one thread busy; the
// operator's input waits until the work is done.
void pinta() {
    if (g_ventana)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void creaVentana() {
    auto* ventana = new QWidget(QApplication::activeWindow(),
                                Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    ventana->setObjectName(QStringLiteral("frmProgreso"));
    ventana->setWindowTitle(QStringLiteral("Procesando..."));
    ventana->setAttribute(Qt::WA_DeleteOnClose, false);
    ventana->setWindowModality(Qt::NonModal);
    auto* etiqueta = new QLabel(ventana);
    etiqueta->setObjectName(QStringLiteral("lblMensaje"));
    etiqueta->setWordWrap(true);
    etiqueta->setMinimumWidth(280);
    auto* barra = new QProgressBar(ventana);
    barra->setObjectName(QStringLiteral("barProgreso"));
    barra->setRange(0, 0); // busy: the length of the work is not known
    barra->setTextVisible(false);
    auto* layout = new QVBoxLayout(ventana);
    layout->addWidget(etiqueta);
    layout->addWidget(barra);
    g_ventana = ventana;
    g_etiqueta = etiqueta;
}

} // namespace

void Progreso::Abre(const QString& mensaje) {
    g_mensaje = mensaje;
    g_abierto = true;
    if (!hayPantalla())
        return;
    if (!g_ventana)
        creaVentana();
    g_etiqueta->setText(mensaje);
    g_ventana->adjustSize();
    g_ventana->show();
    g_ventana->raise();
    pinta();
}

void Progreso::Mensaje(const QString& mensaje) {
    if (!abierto())
        return;
    g_mensaje = mensaje;
    if (g_etiqueta)
        g_etiqueta->setText(mensaje);
    pinta();
}

void Progreso::Cierra() {
    g_mensaje.clear();
    g_abierto = false;
    delete g_ventana.data(); // both pointers clear themselves
}

bool Progreso::abierto() {
    return g_abierto;
}

QString Progreso::mensajeActual() {
    return abierto() ? g_mensaje : QString();
}

} // namespace q42
