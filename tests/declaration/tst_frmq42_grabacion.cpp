// Saving and deleting from the keyboard, checked in the table afterwards:
// a new month, an edited one, the totals that are stored, and the saves
// that must fail without writing anything.

#include "FormularioPrueba.h"
#include "declaration/ColumnasDeclaracion.h"
#include "platform/Reportes.h"

using namespace prueba;

namespace {

// Every row of the table as text, for "nothing else changed".
QStringList tabla(const QString& ruta, const QString& salvo = QString()) {
    QStringList out;
    for (const QVariantList& fila :
         filas(ruta, QStringLiteral("SELECT * FROM DJ_Q42 WHERE Periodo <> '%1' ORDER BY Periodo")
                         .arg(salvo)))
        out << QVariant(fila).toStringList().join(QLatin1Char('|'));
    return out;
}

double numero(const QString& ruta, const QString& columna, const QString& periodo) {
    return valor(ruta,
                 QStringLiteral("SELECT %1 FROM DJ_Q42 WHERE Periodo='%2'").arg(columna, periodo))
        .toDouble();
}

} // namespace

class TstFrmQ42Grabacion : public QObject {
    Q_OBJECT
    TestEnv env;
    QString ruta;
    int numeroBase = 0;

private Q_SLOTS:
    void init() { ruta = abreBase(env, QStringLiteral("g%1.sqlite").arg(++numeroBase), 2025, 6); }
    void cleanup() { cierraBase(); }

    // The worked figures: wheat 100, 50, 120 and 5; flour 000 at 64 %
    // with 10 in stock and 30 + 5 + 5 out. The final stock is stored.
    void mesNuevoConTotales() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("07/2025"));
        const QList<std::pair<int, QString>> entradas = {
            {1, "100"}, {2, "50"}, {3, "120"}, {4, "5"},  {5, "10"},
            {10, "0"},  {20, "0"}, {25, "30"}, {30, "5"}, {35, "5"}};
        for (const auto& [i, texto] : entradas)
            escribe(*f, i, texto);
        QCOMPARE(caja(*f, 2)->text(), QStringLiteral("50,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblTotIngresos")), QStringLiteral("150,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("lBLTotEgresos")), QStringLiteral("125,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblFinal")), QStringLiteral("25,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblST000")), QStringLiteral("80,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblT000")), QStringLiteral("90,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblTS000")), QStringLiteral("40,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblF000")), QStringLiteral("50,00"));
        // The remarks are never reformatted.
        escribe(*f, 40, QStringLiteral("1.5 t"));
        QCOMPARE(caja(*f, 40)->text(), QStringLiteral("1.5 t"));
        f->caja(QStringLiteral("TxtBasura"))->setText(QStringLiteral(" '30' "));

        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 0);
        QVERIFY(!f->Grabando);
        QVERIFY(!enEdicion(*f));
        QVERIFY(caja(*f, 0)->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), caja(*f, 0));
        // Exactly one row more, the others untouched, every column written.
        QCOMPARE(tabla(ruta, QStringLiteral("07/2025")), antes);
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='07/2025'")), 1);
        const QVariantList fila =
            filas(ruta, QStringLiteral("SELECT * FROM DJ_Q42 WHERE Periodo='07/2025'")).first();
        QCOMPARE(fila.size(), 55);
        for (int i = 0; i < fila.size(); ++i)
            QVERIFY2(fila[i].isValid(), qPrintable(QString::number(i)));
        QCOMPARE(numero(ruta, QStringLiteral("F000"), QStringLiteral("07/2025")), 50.0);
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("07/2025")), 50.0);
        QCOMPARE(valor(ruta, QStringLiteral("SELECT CodBasura||Observaciones FROM DJ_Q42 "
                                            "WHERE Periodo='07/2025'")),
                 QVariant(QStringLiteral("'30'1.5 t")));
    }

    // Editing an existing month changes that row only.
    void mesExistenteEditado() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList otras = tabla(ruta, QStringLiteral("05/2025"));
        escribe(*f, 0, QStringLiteral("05/2025"));
        escribe(*f, 2, QStringLiteral("4321,5"));
        escribe(*f, 40, QStringLiteral("revisar"));
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 0);
        QVERIFY(!enEdicion(*f));
        QCOMPARE(tabla(ruta, QStringLiteral("05/2025")), otras);
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("05/2025")), 4321.5);
        QCOMPARE(valor(ruta, QStringLiteral("SELECT Observaciones FROM DJ_Q42 "
                                            "WHERE Periodo='05/2025'")),
                 QVariant(QStringLiteral("revisar")));
    }

    void sinBanderasNoGraba() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        caja(*f, 0)->setText(QStringLiteral("08/2025"));
        f->GrabaRegistro();
        QVERIFY(!f->HuboError);
        QCOMPARE(tabla(ruta), antes);
        QCOMPARE(msgs.count(), 0);
    }

    void periodoVacioAlGrabar() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("07/2025"));
        caja(*f, 0)->clear();
        caja(*f, 3)->setFocus();
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral(" Debe informar el Periodo!"));
        QVERIFY(!f->Grabando);
        QVERIFY(enEdicion(*f));
        QCOMPARE(QApplication::focusWidget(), caja(*f, 0));
        QCOMPARE(tabla(ruta), antes);
    }

    // The full check stops at the first failing box: the ones after it are
    // not reformatted.
    void chequeoSeDetieneEnElPrimero() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("07/2025"));
        caja(*f, 0)->setText(QStringLiteral("7/2025"));
        caja(*f, 2)->setText(QStringLiteral("12"));
        QVERIFY(!f->Datosvalidos());
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(caja(*f, 2)->text(), QStringLiteral("12"));
    }

    void borrar_data() {
        QTest::addColumn<int>("respuesta");
        QTest::newRow("yes") << int(q42::vbYes);
        QTest::newRow("no") << int(q42::vbNo);
    }
    void borrar() {
        QFETCH(int, respuesta);
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList otras = tabla(ruta, QStringLiteral("05/2025"));
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("05/2025"));
        msgs.answer(respuesta);
        tecla(*f, Qt::Key_F8);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Confirma la baja de este registro?"));
        QCOMPARE(msgs.last().title, QStringLiteral("Atención!"));
        QCOMPARE(msgs.last().buttons(), int(q42::vbYesNo));
        QCOMPARE(msgs.last().icon(), int(q42::vbExclamation));
        QCOMPARE(msgs.last().defaultButton(), int(q42::vbDefaultButton2));
        if (respuesta == q42::vbYes) {
            QCOMPARE(tabla(ruta), otras);
            QVERIFY(!enEdicion(*f));
            QVERIFY(caja(*f, 0)->text().isEmpty());
            QVERIFY(caja(*f, 2)->text().isEmpty());
        } else {
            QCOMPARE(tabla(ruta), antes);
            QVERIFY(enEdicion(*f));
            QCOMPARE(caja(*f, 0)->text(), QStringLiteral("05/2025"));
        }
        QCOMPARE(msgs.unexpected(), 0);
    }

    void cancelar() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("05/2025"));
        escribe(*f, 2, QStringLiteral("1"));
        tecla(*f, Qt::Key_Escape);
        QCOMPARE(msgs.count(), 0);
        QVERIFY(!enEdicion(*f));
        QVERIFY(caja(*f, 0)->text().isEmpty());
        QVERIFY(caja(*f, 2)->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), caja(*f, 0));
        QCOMPARE(tabla(ruta), antes);
    }

    // Another operator saved the same new month meanwhile: the save fails
    // on the key and his row stays as he wrote it.
    void duplicadoDesdeOtraConexion() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("07/2025"));
        escribe(*f, 2, QStringLiteral("10"));
        ejecuta(ruta, QStringLiteral("INSERT INTO DJ_Q42 (Periodo, P_Ingresos) "
                                     "VALUES ('07/2025', 999)"));
        msgs.answer(q42::vbOK);
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().title, QStringLiteral("Clave Duplicada"));
        QVERIFY(msgs.last().prompt.contains(QStringLiteral("La grabacion se ha cancelado")));
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("07/2025")), 999.0);
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='07/2025'")), 1);
        QVERIFY(enEdicion(*f) && f->EsNuevo && f->HuboError && !f->Grabando);
        QCOMPARE(caja(*f, 2)->text(), QStringLiteral("10,00"));
    }

    // Another operator changed the month since it was read: the store fails
    // with the concurrency error and nothing of his is overwritten.
    void filaCambiadaPorOtro() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("05/2025"));
        escribe(*f, 3, QStringLiteral("11"));
        ejecuta(ruta, QStringLiteral("UPDATE DJ_Q42 SET P_Ingresos=777 WHERE Periodo='05/2025'"));
        msgs.answer(q42::vbAbort);
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().buttons(), int(q42::vbAbortRetryIgnore));
        QVERIFY(msgs.last().prompt.contains(QStringLiteral("Row cannot be located")));
        QVERIFY(msgs.last().prompt.contains(QStringLiteral("Actualizar Datos")));
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("05/2025")), 777.0);
        QVERIFY(numero(ruta, QStringLiteral("P_Elaboracion"), QStringLiteral("05/2025")) != 11.0);
        QVERIFY(enEdicion(*f) && f->EsExistente && f->HuboError);
        QCOMPARE(caja(*f, 3)->text(), QStringLiteral("11,00"));
    }

    // Letters are filtered as typed; a pasted non-number reaches the save,
    // whose dialogs decide: Retry tries again, Ignore goes on to the
    // conversion message naming the field, Abort ends. Nothing is written.
    void textoNoNumerico_data() {
        QTest::addColumn<QList<int>>("respuestas");
        QTest::addColumn<bool>("conversion");
        QTest::newRow("abort") << QList<int>{q42::vbAbort} << false;
        QTest::newRow("retry, then abort") << QList<int>{q42::vbRetry, q42::vbAbort} << false;
        QTest::newRow("ignore") << QList<int>{q42::vbIgnore, q42::vbOK} << true;
    }
    void textoNoNumerico() {
        QFETCH(QList<int>, respuestas);
        QFETCH(bool, conversion);
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("07/2025"));
        QLineEdit* ingresos = caja(*f, 2);
        ingresos->setFocus();
        QTest::keyClicks(ingresos, QStringLiteral("1a2b"));
        QCOMPARE(ingresos->text(), QStringLiteral("12"));
        ingresos->insert(QStringLiteral("x"));
        for (int r : respuestas)
            msgs.answer(r);
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), int(respuestas.size()));
        QCOMPARE(msgs.unexpected(), 0);
        QVERIFY(msgs.shown().first().prompt.contains(QStringLiteral("Actualizar Datos")));
        if (conversion) {
            QCOMPARE(msgs.last().title, QStringLiteral("Error en conversion de datos"));
            QVERIFY(msgs.last().prompt.endsWith(QStringLiteral("En el campo: P_Ingresos")));
        }
        QCOMPARE(tabla(ruta), antes);
        QVERIFY(enEdicion(*f) && f->HuboError && !f->Grabando);
        QCOMPARE(ingresos->text(), QStringLiteral("12x"));
        // Nothing of the failed save is left pending in the record set.
        f->PanelBar1_ButtonClick(QStringLiteral("CANCELAR"));
        QCOMPARE(tabla(ruta), antes);
    }

    // The print command saves without the field checks: a period nobody
    // can read back is refused before anything is written.
    void reporteConPeriodoInvalido() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        tecla(*f, Qt::Key_F2);
        QVERIFY(f->EsNuevo);
        QTest::keyClicks(caja(*f, 0), QStringLiteral("5/2006"));
        tecla(*f, Qt::Key_F6);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, declaracion::kMensajePeriodoInvalido);
        QVERIFY(f->HuboError);
        QCOMPARE(tabla(ruta), antes);
    }

    // The print command saves the declaration on screen first; printing it
    // again, and saving it afterwards, update the same row.
    void reporteGrabaEImprime() {
        ScriptedMessages msgs;
        q42::Reportes::CarpetaReportes(sourcePath(QStringLiteral("reports")));
        DialogScript vistaPrevia([](QDialog*) { return int(QDialog::Rejected); });
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("07/2025"));
        escribe(*f, 2, QStringLiteral("88"));
        tecla(*f, Qt::Key_F6);
        QCOMPARE(vistaPrevia.count(), 1);
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("07/2025")), 88.0);
        QVERIFY(enEdicion(*f));
        escribe(*f, 2, QStringLiteral("89"));
        tecla(*f, Qt::Key_F6);
        QCOMPARE(vistaPrevia.count(), 2);
        escribe(*f, 2, QStringLiteral("90"));
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 0);
        QVERIFY(!enEdicion(*f));
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='07/2025'")), 1);
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("07/2025")), 90.0);
        QCOMPARE(tabla(ruta, QStringLiteral("07/2025")), antes);
    }

    // Resetting the form keeps the last failure and the last box.
    void inicializaConservaEstado() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("05/2025"));
        caja(*f, 7)->setFocus();
        caja(*f, 0)->setText(QStringLiteral("5/2025"));
        QVERIFY(!f->Datosvalidos());
        caja(*f, 7)->setFocus();
        f->Inicializa();
        QVERIFY(f->HuboError);
        QCOMPARE(f->IndiceActual, qint16(7));
        QVERIFY(!enEdicion(*f));
    }

    // Nulls in number and text columns load without a crash: empty boxes.
    void nulosSeCargan() {
        ScriptedMessages msgs;
        ejecuta(ruta, QStringLiteral("UPDATE DJ_Q42 SET P_Ingresos=NULL, SPSemo_Consumo=NULL, "
                                     "Observaciones=NULL, Responsable=NULL, Cod000=NULL, "
                                     "F000=NULL WHERE Periodo='05/2025'"));
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("05/2025"));
        QCOMPARE(msgs.count(), 0);
        QVERIFY(enEdicion(*f));
        QVERIFY(caja(*f, 2)->text().isEmpty());
        QVERIFY(caja(*f, 27)->text().isEmpty());
        QVERIFY(caja(*f, 40)->text().isEmpty());
        QVERIFY(f->caja(QStringLiteral("TxtResponsalble"))->text().isEmpty());
        QVERIFY(f->caja(QStringLiteral("Txt000"))->text().isEmpty());
        QVERIFY(!caja(*f, 3)->text().isEmpty());
        QCOMPARE(etiqueta(*f, QStringLiteral("LblTotIngresos")), caja(*f, 1)->text());
    }
};

QTEST_MAIN(TstFrmQ42Grabacion)
#include "tst_frmq42_grabacion.moc"
