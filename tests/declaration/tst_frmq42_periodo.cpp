// The period box: the slash typed for the operator, the month and period
// checks, and what confirming a period brings on screen (an existing month,
// or a new one with its defaults and the previous month carried over).

#include "FormularioPrueba.h"
#include "declaration/ColumnasDeclaracion.h"

using namespace prueba;

class TstFrmQ42Periodo : public QObject {
    Q_OBJECT
    TestEnv env;
    QString ruta;
    int numero = 0;

    // The previous month with the worked wheat figures, its own settings
    // and a final stock per product.
    void preparaAnterior(const QString& periodo) {
        ejecuta(ruta, QStringLiteral("UPDATE DJ_Q42 SET P_Existencia=100, P_Ingresos=50, "
                                     "P_Elaboracion=120, P_Otros=5, F000=50, F0000=12.5, "
                                     "FSemo=-3.25, FPellet=0, FBasura=7.125, Cod000='''77''', "
                                     "Responsable='Ing. Paz', SAGPyA='', UdMedida='TN', "
                                     "Cosecha='24/25' WHERE Periodo='%1'")
                          .arg(periodo));
    }

private Q_SLOTS:
    void init() { ruta = abreBase(env, QStringLiteral("p%1.sqlite").arg(++numero), 2025, 6); }
    void cleanup() { cierraBase(); }

    void barraDelMes_data() {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("aviso");
        QTest::newRow("05") << "05"
                            << "05/" << false;
        QTest::newRow("12") << "12"
                            << "12/" << false;
        QTest::newRow("13 is no month") << "13"
                                        << "13" << true;
        QTest::newRow("00 is no month") << "00"
                                        << "00" << true;
        QTest::newRow("own slash kept single") << "5/"
                                               << "5/" << false;
        QTest::newRow("slash typed after the automatic one") << "05/2"
                                                             << "05/2" << false;
    }
    void barraDelMes() {
        QFETCH(QString, tecleado);
        QFETCH(QString, texto);
        QFETCH(bool, aviso);
        ScriptedMessages msgs;
        auto f = abreVentana();
        QLineEdit* periodo = caja(*f, 0);
        QCOMPARE(QApplication::focusWidget(), periodo);
        QTest::keyClicks(periodo, tecleado);
        QCOMPARE(periodo->text(), texto);
        QCOMPARE(msgs.count(), aviso ? 1 : 0);
        if (aviso) {
            QCOMPARE(msgs.last().prompt, QStringLiteral("Debe ingresar un mes"));
            QCOMPARE(msgs.last().buttons(), int(q42::vbOKOnly));
            QCOMPARE(periodo->selectedText(), texto);
        } else {
            QCOMPARE(periodo->cursorPosition(), int(texto.size()));
        }
        QVERIFY(!enEdicion(*f));
    }

    // The release of the key that closed the month message reaches the
    // box; it is no key typed there and brings no second message. Nor do
    // the keys that select or move without changing the text: the clerk
    // can select the wrong month to type over it.
    void soltarTeclaAjena() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        QLineEdit* periodo = caja(*f, 0);
        QTest::keyClicks(periodo, QStringLiteral("13"));
        QCOMPARE(msgs.count(), 1);
        QTest::keyRelease(periodo, Qt::Key_Return);
        QTest::keyRelease(periodo, Qt::Key_3);
        QTest::keyClick(periodo, Qt::Key_Shift, Qt::ShiftModifier);
        QTest::keyClick(periodo, Qt::Key_End);
        QTest::keyClick(periodo, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClick(periodo, Qt::Key_Left);
        QTest::keyClick(periodo, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(periodo->selectedText(), QStringLiteral("13"));
        QTest::keyClicks(periodo, QStringLiteral("11"));
        QCOMPARE(periodo->text(), QStringLiteral("11/"));
        QCOMPARE(msgs.count(), 1);
    }

    void periodoInvalido_data() {
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("one-digit month") << "5/2006" << declaracion::kMensajePeriodoInvalido;
        QTest::newRow("two-digit year") << "05/06" << declaracion::kMensajePeriodoInvalido;
        QTest::newRow("month 13") << "13/2025"
                                  << "Debe ingresar un mes: 13 no es un mes (01 a 12).";
        QTest::newRow("month 00") << "00/2025"
                                  << "Debe ingresar un mes: 00 no es un mes (01 a 12).";
        QTest::newRow("year before the declarations")
            << "07/1899"
            << "El año 1899 está fuera de lo que se declara (1990 a " +
                   QString::number(QDate::currentDate().year() + 1) + ").";
        QTest::newRow("year after next")
            << "01/" + QString::number(QDate::currentDate().year() + 2)
            << "El año " + QString::number(QDate::currentDate().year() + 2) +
                   " está fuera de lo que se declara (1990 a " +
                   QString::number(QDate::currentDate().year() + 1) + ").";
        QTest::newRow("dash") << "05-2025" << declaracion::kMensajePeriodoInvalido;
        QTest::newRow("blank") << "   "
                               << " Debe informar el Periodo!";
    }
    void periodoInvalido() {
        QFETCH(QString, periodo);
        QFETCH(QString, mensaje);
        ScriptedMessages msgs;
        auto f = abreVentana();
        const int antes = cuenta(ruta);
        caja(*f, 0)->setText(periodo);
        QTest::keyClick(caja(*f, 0), Qt::Key_Return);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, mensaje);
        QCOMPARE(msgs.last().icon(), int(q42::vbInformation));
        QCOMPARE(msgs.last().title, QStringLiteral("Aviso al operador..."));
        QVERIFY(f->HuboError());
        QCOMPARE(QApplication::focusWidget(), caja(*f, 0));
        QVERIFY(!enEdicion(*f));
        QVERIFY(!f->EsNuevo() && !f->EsExistente());
        QCOMPARE(cuenta(ruta), antes);
    }

    // An existing month loads in edit mode; its opening stocks come from the
    // month before, its settings stay its own.
    void mesExistente() {
        ScriptedMessages msgs;
        auto f = abreVentana(); // adds the harvest column
        preparaAnterior(QStringLiteral("04/2025"));
        ejecuta(ruta, QStringLiteral("UPDATE DJ_Q42 SET P_Ingresos=1234.5, "
                                     "Observaciones='  Nota  ', Responsable='Lic. Sosa' "
                                     "WHERE Periodo='05/2025'"));
        escribe(*f, 0, QStringLiteral("05/2025"));
        QCOMPARE(msgs.count(), 0);
        QVERIFY(enEdicion(*f));
        QVERIFY(f->EsExistente() && !f->EsNuevo());
        QCOMPARE(caja(*f, 0)->text(), QStringLiteral("05/2025"));
        QCOMPARE(caja(*f, 2)->text(), QStringLiteral("1234,50"));
        QCOMPARE(caja(*f, 40)->text(), QStringLiteral("Nota"));
        QCOMPARE(caja(*f, 1)->text(), QStringLiteral("25,00"));
        QCOMPARE(caja(*f, 5)->text(), QStringLiteral("50,00"));
        QCOMPARE(caja(*f, 7)->text(), QStringLiteral("-3,25"));
        QCOMPARE(f->caja(QStringLiteral("TxtResponsalble"))->text(), QStringLiteral("Lic. Sosa"));
        QCOMPARE(f->caja(QStringLiteral("Txt000"))->text(), QStringLiteral("'1'"));
        QCOMPARE(QApplication::focusWidget(), caja(*f, 1));
    }

    void mesNuevo_data() {
        QTest::addColumn<int>("anio");
        QTest::addColumn<int>("mes");
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<QString>("anterior");
        QTest::newRow("july after june") << 2025 << 6 << "07/2025"
                                         << "06/2025";
        QTest::newRow("january after december") << 2024 << 12 << "01/2025"
                                                << "12/2024";
        QTest::newRow("december after november") << 2025 << 11 << "12/2025"
                                                 << "11/2025";
    }
    void mesNuevo() {
        QFETCH(int, anio);
        QFETCH(int, mes);
        QFETCH(QString, periodo);
        QFETCH(QString, anterior);
        cierraBase();
        ruta = abreBase(env, QStringLiteral("n%1.sqlite").arg(++numero), anio, mes);
        ScriptedMessages msgs;
        auto f = abreVentana();
        preparaAnterior(anterior);
        escribe(*f, 0, periodo);
        QCOMPARE(msgs.count(), 0);
        QVERIFY(enEdicion(*f));
        QVERIFY(f->EsNuevo() && !f->EsExistente());
        QVERIFY(!f->SinAnterior());
        QCOMPARE(caja(*f, 1)->text(), QStringLiteral("25,00"));
        // 7,125 rounds to the even digit.
        const QStringList iniciales = {"50,00", "12,50", "-3,25", "0,00", "7,12"};
        for (int p = 0; p < 5; ++p)
            QCOMPARE(caja(*f, 5 + p)->text(), iniciales[p]);
        // Nothing milled or sold yet: each final stock is the carried one.
        const QStringList finales = {"LblF000", "LblF0000", "LblFSemo", "LblFPellet", "LblFBasura"};
        for (int p = 0; p < 5; ++p)
            QCOMPARE(etiqueta(*f, finales[p]), iniciales[p]);
        QCOMPARE(etiqueta(*f, QStringLiteral("LblTotIngresos")), QStringLiteral("25,00"));
        const QStringList extraccion = {"64", "7", "3", "26", ""};
        for (int p = 0; p < 5; ++p)
            QCOMPARE(caja(*f, 15 + p)->text(), extraccion[p]);
        QVERIFY(caja(*f, 2)->text().isEmpty());
        QCOMPARE(f->caja(QStringLiteral("Txt000"))->text(), QStringLiteral("'77'"));
        QCOMPARE(f->caja(QStringLiteral("TxtResponsalble"))->text(), QStringLiteral("Ing. Paz"));
        QCOMPARE(f->caja(QStringLiteral("TxtEquiv"))->text(), QStringLiteral("TN"));
        QCOMPARE(f->caja(QStringLiteral("TxtCosecha"))->text(), QStringLiteral("24/25"));
        // A blank registration falls back on the configured one.
        QCOMPARE(f->caja(QStringLiteral("TxtSAGPyA"))->text(), QStringLiteral("M-4527"));
    }

    // No previous month: the defaults of a new declaration, and the clerk
    // is told why the opening stocks are empty.
    void sinMesAnterior() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        f->caja(QStringLiteral("TxtResponsalble"))->setText(QStringLiteral("Firma"));
        escribe(*f, 0, QStringLiteral("09/2025"));
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral("No hay declaración de 08/2025: las "
                                                    "existencias iniciales quedan vacías"));
        QCOMPARE(msgs.last().icon(), int(q42::vbInformation));
        QVERIFY(enEdicion(*f) && f->EsNuevo() && f->SinAnterior());
        QVERIFY(caja(*f, 1)->text().isEmpty());
        QVERIFY(caja(*f, 5)->text().isEmpty());
        QCOMPARE(caja(*f, 15)->text(), QStringLiteral("64"));
        QCOMPARE(f->caja(QStringLiteral("TxtResponsalble"))->text(), QStringLiteral("Firma"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblF000")), QStringLiteral("0,00"));
    }

    // Another period confirmed in edit mode, the edits dropped on the
    // operator's word, brings that month on screen.
    void periodoReconfirmado() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("07/2025"));
        escribe(*f, 2, QStringLiteral("80"));
        msgs.answer(q42::vbNo);
        escribe(*f, 0, QStringLiteral("05/2025"));
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().buttons(), int(q42::vbYesNoCancel));
        QCOMPARE(msgs.last().defaultButton(), int(q42::vbDefaultButton3));
        msgs.clear();
        QVERIFY(f->EsExistente() && !f->EsNuevo());
        const double ingresos =
            valor(ruta, QStringLiteral("SELECT P_Ingresos FROM DJ_Q42 WHERE Periodo='05/2025'"))
                .toDouble();
        QCOMPARE(caja(*f, 2)->text(), q42::Currency::fromDouble(ingresos).toFixed(2));
        QCOMPARE(msgs.count(), 0);
    }
};

QTEST_MAIN(TstFrmQ42Periodo)
#include "tst_frmq42_periodo.moc"
