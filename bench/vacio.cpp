// An empty Qt Widgets program: one window shown, the event loop run. The
// start-up benchmark compares the program with it, both started alike and
// both ending once their window is up and the event loop idle. With
// Q42_VACIO_CON_CAJA the window holds one text box: Qt then sets up its
// fonts as any window with text does (told beside the figure, not judged).

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget ventana;
    if (qEnvironmentVariableIsSet("Q42_VACIO_CON_CAJA"))
        new QLineEdit(&ventana);
    ventana.show();
    if (qEnvironmentVariableIsSet("Q42_SALIR_AL_ESTAR_LISTO"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
