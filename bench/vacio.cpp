// An empty Qt Widgets program: one window shown, the event loop run. The
// start-up benchmark compares the program with it, both started alike and
// both ending once their window is up and the event loop idle.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget ventana;
    ventana.show();
    if (qEnvironmentVariableIsSet("Q42_SALIR_AL_ESTAR_LISTO"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
