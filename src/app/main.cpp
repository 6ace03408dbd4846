#include <QApplication>
#include <QCommandLineParser>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Q42"));
    QApplication::setApplicationVersion(QStringLiteral(Q42_VERSION));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Declaraciones Juradas de existencias y movimientos"));
    window.show();
    return QApplication::exec();
}
