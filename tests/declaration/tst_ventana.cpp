// The declaration window as the program opens it, and the program's
// command-line answers that need no display.

#include "TestEnv.h"
#include "declaration/FrmQ42.h"
#include "widgets/NavBar.h"
#include "widgets/PanelBar.h"

#include <QDir>
#include <QProcess>
#include <QTabWidget>
#include <QTest>

class TstVentana : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void abre();
    void lineaDeComandos_data();
    void lineaDeComandos();
};

void TstVentana::abre() {
    FrmQ42 f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(f.objectName(), QStringLiteral("FrmQ42"));
    QCOMPARE(f.windowTitle(), QStringLiteral("Declaraciones Juradas de existencias y movimientos"));
    QVERIFY(f.findChild<q42::PanelBar*>(QStringLiteral("PanelBar1")));
    QVERIFY(f.findChild<q42::NavBar*>(QStringLiteral("NavBar1")));
    auto* tabs = f.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Datos"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Formulas"));
}

void TstVentana::lineaDeComandos_data() {
    QTest::addColumn<QString>("opcion");
    QTest::addColumn<QStringList>("contiene");
    QTest::newRow("ayuda") << "--help"
                           << QStringList{"@Server",         "@DbName",  "@Usuario",
                                          "@Password",       "@Archivo", "\"#\"",
                                          "@Caja",           "@Menu",    "@ParametroAdicional",
                                          "@UsuarioLogeado", "--demo",   "--version",
                                          "Ejemplos"};
    QTest::newRow("version") << "--version" << QStringList{"q42 "};
}

// Answered before any window exists: works without a display.
void TstVentana::lineaDeComandos() {
    QFETCH(QString, opcion);
    QFETCH(QStringList, contiene);
    const QString programa = QDir(qEnvironmentVariable("Q42_BINARY_DIR")).filePath("q42");
    if (!QFileInfo::exists(programa))
        QSKIP("the program q42 is not built");
    QProcess p;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.remove(QStringLiteral("QT_QPA_PLATFORM"));
    entorno.remove(QStringLiteral("DISPLAY"));
    entorno.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(entorno);
    p.start(programa, {opcion, QStringLiteral("@Server=X;")});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QString salida = QString::fromLocal8Bit(p.readAllStandardOutput());
    for (const QString& texto : contiene)
        QVERIFY2(salida.contains(texto), qPrintable(texto));
}

QTEST_MAIN(TstVentana)
#include "tst_ventana.moc"
