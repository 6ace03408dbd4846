// Browsing the declarations with the navigation bar, the switches of the
// two modes, the command keys, and closing the program from the keyboard.

#include "FormularioPrueba.h"
#include "widgets/NavBar.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>

using namespace prueba;

class TstFrmQ42Navegacion : public QObject {
    Q_OBJECT
    TestEnv env;
    QString ruta;
    int numero = 0;

    static void navega(FrmQ42& f, const char* clave) {
        f.NavBar1->boton(QLatin1String(clave))->click();
    }

private Q_SLOTS:
    // Two months stored after the others, one of them across the year:
    // neither the table's order nor the text's is the date's.
    void init() {
        ruta = abreBase(env, QStringLiteral("n%1.sqlite").arg(++numero), 2025, 6);
        ejecuta(ruta, QStringLiteral("INSERT INTO DJ_Q42 (Periodo, P_Ingresos) "
                                     "VALUES ('12/2024', 1224), ('01/2025', 125)"));
    }
    void cleanup() { cierraBase(); }

    // Months in date order (12/2024, 01/2025, 04, 05, 06); a move past
    // either end keeps the screen, the opposite move comes back to the end
    // row. PgUp/PgDn stop at either end, and start from the latest or the
    // earliest month on an empty screen.
    void recorrido_data() {
        QTest::addColumn<QStringList>("claves");
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<QString>("posicion");
        QTest::newRow("first is the earliest month") << QStringList{"PRIMERO"} << "12/2024"
                                                     << "12/2024 — 1 de 5";
        QTest::newRow("before the first keeps it")
            << QStringList{"PRIMERO", "ANTERIOR"} << "12/2024"
            << "12/2024 — 1 de 5";
        QTest::newRow("back from before the first")
            << QStringList{"PRIMERO", "ANTERIOR", "SIGUIENTE"} << "12/2024"
            << "12/2024 — 1 de 5";
        QTest::newRow("last is the latest month") << QStringList{"ULTIMO"} << "06/2025"
                                                  << "06/2025 — 5 de 5";
        QTest::newRow("past the last") << QStringList{"ULTIMO", "SIGUIENTE"} << "06/2025"
                                       << "06/2025 — 5 de 5";
        QTest::newRow("back from past the last")
            << QStringList{"ULTIMO", "SIGUIENTE", "ANTERIOR"} << "06/2025"
            << "06/2025 — 5 de 5";
        QTest::newRow("next crosses the year") << QStringList{"PRIMERO", "SIGUIENTE"} << "01/2025"
                                               << "01/2025 — 2 de 5";
        QTest::newRow("filter reloads the row") << QStringList{"ULTIMO", "FILTRAR"} << "06/2025"
                                                << "06/2025 — 5 de 5";
        QTest::newRow("PgDn on an empty screen") << QStringList{"PgDn"} << "12/2024"
                                                 << "12/2024 — 1 de 5";
        QTest::newRow("PgUp on an empty screen") << QStringList{"PgUp"} << "06/2025"
                                                 << "06/2025 — 5 de 5";
        QTest::newRow("PgDn twice") << QStringList{"PgDn", "PgDn"} << "01/2025"
                                    << "01/2025 — 2 de 5";
        QTest::newRow("PgDn stops at the latest month")
            << QStringList{"ULTIMO", "PgDn", "PgUp"} << "05/2025"
            << "05/2025 — 4 de 5";
        QTest::newRow("PgUp stops at the earliest month")
            << QStringList{"PRIMERO", "PgUp", "PgDn"} << "01/2025"
            << "01/2025 — 2 de 5";
    }
    void recorrido() {
        QFETCH(QStringList, claves);
        QFETCH(QString, periodo);
        QFETCH(QString, posicion);
        ScriptedMessages msgs;
        auto f = abreVentana();
        QVERIFY(f->StbPosicion->text().isEmpty());
        for (const QString& c : claves) {
            if (c == QLatin1String("PgUp") || c == QLatin1String("PgDn"))
                prueba::tecla(*f, c == QLatin1String("PgUp") ? Qt::Key_PageUp : Qt::Key_PageDown);
            else
                navega(*f, qPrintable(c));
        }
        QCOMPARE(caja(*f, 0)->text(), periodo);
        const double ingresos =
            valor(ruta,
                  QStringLiteral("SELECT P_Ingresos FROM DJ_Q42 WHERE Periodo='%1'").arg(periodo))
                .toDouble();
        QCOMPARE(caja(*f, 2)->text(), q42::Currency::fromDouble(ingresos).toFixed(2));
        QVERIFY(!enEdicion(*f));
        QVERIFY(f->EsExistente());
        QCOMPARE(f->StbPosicion->text(), posicion);
        QCOMPARE(msgs.count(), 0);
        // Edit mode tells no position, and PgDn moves nothing there.
        escribe(*f, 0, periodo);
        QVERIFY(enEdicion(*f));
        prueba::tecla(*f, Qt::Key_PageDown);
        QCOMPARE(caja(*f, 0)->text(), periodo);
        QVERIFY(f->StbPosicion->text().isEmpty());
    }

    void tablaVacia() {
        ejecuta(ruta, QStringLiteral("DELETE FROM DJ_Q42"));
        ScriptedMessages msgs;
        auto f = abreVentana();
        for (const char* c : {"PRIMERO", "SIGUIENTE", "ULTIMO", "ANTERIOR"})
            navega(*f, c);
        QVERIFY(caja(*f, 0)->text().isEmpty());
        QVERIFY(!f->EsExistente());
        QCOMPARE(msgs.count(), 0);
    }

    // Browse: new and close; edit: save, cancel, delete and the settings
    // tab; printing, the spreadsheet and "&Calcular" in both.
    void interruptores() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        for (int modo = 0; modo < 2; ++modo) {
            const bool edicion = modo == 1;
            if (edicion)
                escribe(*f, 0, QStringLiteral("05/2025"));
            q42::PanelBar* b = f->PanelBar1;
            QCOMPARE(b->nuevoenabled(), !edicion);
            QCOMPARE(b->cerrarenabled(), !edicion);
            QCOMPARE(b->grabarenabled(), edicion);
            QCOMPARE(b->cancelarenabled(), edicion);
            QCOMPARE(b->borrarenabled(), edicion);
            QVERIFY(b->reporteenabled() && b->planillaenabled());
            QVERIFY(!b->consultaenabled());
            QCOMPARE(f->NavBar1->isVisible(), !edicion);
            QCOMPARE(f->NavBar1->navenabled(), !edicion);
            for (int i = 1; i < 41; ++i)
                QCOMPARE(caja(*f, i)->isEnabled(), edicion);
            QVERIFY(caja(*f, 0)->isEnabled());
            // Nothing on the "Formulas" tab can be saved in browse mode.
            QCOMPARE(f->caja(QStringLiteral("TxtCosecha"))->isEnabled(), edicion);
            QCOMPARE(f->findChild<QToolButton*>(QStringLiteral("CmdArticulos000"))->isEnabled(),
                     edicion);
            QVERIFY(f->CmdCalcular->isEnabled());
        }
    }

    void teclas_data() {
        QTest::addColumn<bool>("antes");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<bool>("despues");
        QTest::addColumn<bool>("nuevo");
        QTest::newRow("F2 starts a new one") << false << int(Qt::Key_F2) << false << true;
        QTest::newRow("Esc cancels") << true << int(Qt::Key_Escape) << false << false;
        QTest::newRow("F2 is off in edit mode") << true << int(Qt::Key_F2) << true << false;
        QTest::newRow("F5 is off in browse mode") << false << int(Qt::Key_F5) << false << false;
    }
    void teclas() {
        QFETCH(bool, antes);
        QFETCH(int, tecla);
        QFETCH(bool, despues);
        QFETCH(bool, nuevo);
        ScriptedMessages msgs;
        auto f = abreVentana();
        if (antes)
            escribe(*f, 0, QStringLiteral("05/2025"));
        prueba::tecla(*f, Qt::Key(tecla));
        QCOMPARE(enEdicion(*f), despues);
        QCOMPARE(f->EsNuevo(), nuevo);
        QCOMPARE(msgs.count(), 0);
    }

    // A key written in lower case is the same command.
    void claveEnMinusculas() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("05/2025"));
        escribe(*f, 2, QStringLiteral("77"));
        f->PanelBar1_ButtonClick(QStringLiteral("grabar"));
        QVERIFY(!enEdicion(*f));
        QCOMPARE(
            valor(ruta, QStringLiteral("SELECT P_Ingresos FROM DJ_Q42 WHERE Periodo='05/2025'"))
                .toDouble(),
            77.0);
    }

    // F4 shows the declarations in the spreadsheet window, read through the
    // program's connection.
    void planilla() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        prueba::tecla(*f, Qt::Key_F4);
        QTableView* vista = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != f.get() && !vista)
                vista = w->findChild<QTableView*>();
        QVERIFY(vista);
        QCOMPARE(vista->model()->rowCount(), cuenta(ruta));
        QCOMPARE(msgs.count(), 0);
        delete vista->window();
    }

    // Closing from the keyboard stamps the exit on the program's own open
    // access record only, releases the connection and ends the program.
    void cerrar() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        QSignalSpy fin(f.get(), &FrmQ42::terminado);
        prueba::tecla(*f, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(fin.count(), 1);
        QVERIFY(!f->isVisible());
        QVERIFY(!DB_Dll::instance().gOpenFlag);
        QVERIFY(
            valor(ruta, QStringLiteral("SELECT EGRESO FROM CONTROL_ACCESO WHERE ID=0")).isValid());
        QVERIFY(!valor(ruta, QStringLiteral("SELECT EGRESO FROM CONTROL_ACCESO WHERE ID=15"))
                     .isValid());
        f->close();
        QCOMPARE(fin.count(), 1);
        QCOMPARE(msgs.count(), 0);
    }
};

QTEST_MAIN(TstFrmQ42Navegacion)
#include "tst_frmq42_navegacion.moc"
