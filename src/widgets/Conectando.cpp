#include "Conectando.h"

#include "Colocacion.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <exception>
#include <thread>

namespace q42 {

void esperaConVentana(const QString& texto, const std::function<void()>& paso,
                      std::chrono::milliseconds demora) {
    QEventLoop bucle;
    std::exception_ptr falla;
    std::thread hilo([&] {
        try {
            paso();
        } catch (...) {
            falla = std::current_exception();
        }
        QMetaObject::invokeMethod(&bucle, &QEventLoop::quit, Qt::QueuedConnection);
    });

    QWidget ventana(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    ventana.setObjectName(QStringLiteral("Conectando"));
    ventana.setWindowTitle(QStringLiteral("Q42"));
    auto* capa = new QVBoxLayout(&ventana);
    auto* leyenda = new QLabel(texto, &ventana);
    leyenda->setObjectName(QStringLiteral("leyenda"));
    auto* segundos = new QLabel(&ventana);
    segundos->setObjectName(QStringLiteral("segundos"));
    segundos->setAlignment(Qt::AlignCenter);
    capa->addWidget(leyenda);
    capa->addWidget(segundos);

    QElapsedTimer reloj;
    reloj.start();
    const auto cuenta = [&] {
        segundos->setText(QStringLiteral("%1 s").arg(reloj.elapsed() / 1000));
    };
    QTimer tic;
    QObject::connect(&tic, &QTimer::timeout, &ventana, cuenta);
    QTimer aparece;
    aparece.setSingleShot(true);
    QObject::connect(&aparece, &QTimer::timeout, &ventana, [&] {
        cuenta();
        ventana.adjustSize();
        if (const QScreen* pantalla = QGuiApplication::primaryScreen())
            ventana.move(marcoEnArea(ventana.size(), pantalla->availableGeometry()).topLeft());
        ventana.show();
        tic.start(250);
    });
    aparece.start(demora);

    bucle.exec(QEventLoop::ExcludeUserInputEvents);
    hilo.join();
    if (falla)
        std::rethrow_exception(falla);
}

} // namespace q42
