// The operations whose statements scripts/check-sql.sh counts: each runs
// once under its name in the statement corpus (Q42_CORPUS), from the start
// to printing. On a mill's network the round trips, not the processor, set
// how long the operator waits: the texts each operation hands to the engine
// are counted, and none may take more than it does now.

#include "FormularioPrueba.h"
#include "boot/Inicio.h"
#include "db/Corpus.h"
#include "declaration/Libros.h"
#include "report/Reportes.h"

using namespace prueba;

namespace {

// Texts handed to the engine by operation, as the scenario ran them.
QHash<QString, int>& sentencias() {
    static QHash<QString, int> cuenta;
    return cuenta;
}

QString& operacionActual() {
    static QString nombre;
    return nombre;
}

// The scenario's operations are marked for the corpus and for the count.
void operacion(const QString& nombre) {
    corpus::operacion(nombre);
    operacionActual() = nombre;
}

} // namespace

class TstIdasYVueltas : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void initTestCase() {
        ado::Connection::setTrace([](const QString&) {
            if (!operacionActual().isEmpty())
                ++sentencias()[operacionActual()];
        });
    }
    void cleanupTestCase() { ado::Connection::setTrace(nullptr); }

    void cleanup() {
        operacion(QString());
        cierraBase();
    }

    void operaciones() {
        ScriptedMessages msgs;
        const QString ruta = abreBase(env, QStringLiteral("molino.sqlite"), 2025, 6);
        cierraBase();
        DialogScript dialogos([](QDialog*) { return int(QDialog::Rejected); });

        operacion(QStringLiteral("start"));
        QVERIFY(IniciaSistema(QStringLiteral("@Archivo=%1;").arg(ruta)));
        auto f = abreVentana();

        operacion(QStringLiteral("period confirm"));
        escribe(*f, 0, QStringLiteral("06/2025"));
        QVERIFY(enEdicion(*f));
        operacion(QString());
        f->PanelBar1_ButtonClick(QStringLiteral("CANCELAR"));
        operacion(QStringLiteral("period new"));
        escribe(*f, 0, QStringLiteral("07/2025"));

        operacion(QStringLiteral("consumption"));
        f->CmdCalcular_Click();

        // The month's figures from the books, as the window asks for them.
        operacion(QStringLiteral("books"));
        declaracion::PedidoLibros pedido;
        pedido.periodo = QStringLiteral("07/2025");
        pedido.codigos = {"'1'", "'2'", "'9'", "'5','6','7','8','12'", "'14'"};
        QVERIFY(declaracion::leeLibros(pedido, {}).figura(QStringLiteral("P_Elaboracion")));

        operacion(QStringLiteral("save"));
        f->PanelBar1_ButtonClick(QStringLiteral("GRABAR"));
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='07/2025'")), 1);

        operacion(QString());
        escribe(*f, 0, QStringLiteral("07/2025"));
        msgs.answer(q42::vbYes);
        operacion(QStringLiteral("delete"));
        f->PanelBar1_ButtonClick(QStringLiteral("BORRAR"));
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='07/2025'")), 0);

        operacion(QStringLiteral("lookup open"));
        Lib_ClsCons3::instance().ConsultaSearch(QStringLiteral("V_MA_ARTICULOS"));

        operacion(QString());
        q42::Reportes::CarpetaReportes(sourcePath(QStringLiteral("reports")));
        escribe(*f, 0, QStringLiteral("06/2025"));
        operacion(QStringLiteral("print"));
        f->PanelBar1_ButtonClick(QStringLiteral("REPORTE"));
        operacion(QString());
        QCOMPARE(msgs.count(), 1);      // the delete's confirmation
        QVERIFY(dialogos.count() >= 2); // the lookup and the print preview
    }

    // Run after the scenario above, on its counts.
    void idasYVueltas_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("maximo");
        QTest::newRow("start") << "start" << 8;
        QTest::newRow("period confirm") << "period confirm" << 1;
        QTest::newRow("period new") << "period new" << 1;
        // One statement per product with a code list: the demo's five have one.
        QTest::newRow("consumption") << "consumption" << 5;
        QTest::newRow("books") << "books" << 2;
        QTest::newRow("save") << "save" << 3;
        QTest::newRow("delete") << "delete" << 1;
        QTest::newRow("lookup open") << "lookup open" << 2;
        QTest::newRow("print") << "print" << 9;
    }
    void idasYVueltas() {
        QFETCH(QString, nombre);
        QFETCH(int, maximo);
        QVERIFY2(sentencias().value(nombre) <= maximo,
                 qPrintable(QStringLiteral("%1 sentencias").arg(sentencias().value(nombre))));
        QVERIFY(sentencias().value(nombre) > 0);
    }
};

QTEST_MAIN(TstIdasYVueltas)
#include "tst_idas_y_vueltas.moc"
