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
#include <memory>
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

    // Most opens end before the delay: the window is only built to be shown.
    std::unique_ptr<QWidget> ventana;
    QLabel* segundos = nullptr;
    QElapsedTimer reloj;
    reloj.start();
    const auto cuenta = [&] {
        segundos->setText(QStringLiteral("%1 s").arg(reloj.elapsed() / 1000));
    };
    QTimer tic;
    QTimer aparece;
    aparece.setSingleShot(true);
    QObject::connect(&aparece, &QTimer::timeout, &bucle, [&] {
        ventana = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::WindowTitleHint |
                                                         Qt::CustomizeWindowHint);
        ventana->setObjectName(QStringLiteral("Conectando"));
        ventana->setWindowTitle(QStringLiteral("Q42"));
        auto* capa = new QVBoxLayout(ventana.get());
        auto* leyenda = new QLabel(texto, ventana.get());
        leyenda->setObjectName(QStringLiteral("leyenda"));
        segundos = new QLabel(ventana.get());
        segundos->setObjectName(QStringLiteral("segundos"));
        segundos->setAlignment(Qt::AlignCenter);
        capa->addWidget(leyenda);
        capa->addWidget(segundos);
        QObject::connect(&tic, &QTimer::timeout, ventana.get(), cuenta);
        cuenta();
        ventana->adjustSize();
        if (const QScreen* pantalla = QGuiApplication::primaryScreen())
            ventana->move(marcoEnArea(ventana->size(), pantalla->availableGeometry()).topLeft());
        ventana->show();
        tic.start(250);
    });
    aparece.start(demora);

    bucle.exec(QEventLoop::ExcludeUserInputEvents);
    hilo.join();
    if (falla)
        std::rethrow_exception(falla);
}

} // namespace q42
