// Lookups from the window: nothing without a tag, a tag from the settings
// file opening the calendar, the chosen value confirmed as if typed.

#include "FormularioPrueba.h"
#include "widgets/Formularios.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QFile>

using namespace prueba;

class TstFrmQ42Consulta : public QObject {
    Q_OBJECT
    TestEnv env;
    QString ruta;
    int numero = 0;

    void ini(const QByteArray& texto) {
        QFile f(env.ruta(QStringLiteral("ZK000pr.INI")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(texto);
    }

private Q_SLOTS:
    void init() { ruta = abreBase(env, QStringLiteral("c%1.sqlite").arg(++numero), 2025, 6); }
    void cleanup() {
        cierraBase();
        QFile::remove(env.ruta(QStringLiteral("ZK000pr.INI")));
    }

    void sinEtiquetaNoHaceNada() {
        ScriptedMessages msgs;
        DialogScript dialogos([](QDialog*) { return int(QDialog::Accepted); });
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("05/2025"));
        const QString antes = caja(*f, 1)->text();
        QVERIFY(!f->PanelBar1->consultaenabled());
        f->PanelBar1_ButtonClick(QStringLiteral("CONSULTAR"));
        QTest::mouseClick(caja(*f, 1), Qt::RightButton);
        QCOMPARE(dialogos.count(), 0);
        QCOMPARE(msgs.count(), 0);
        QCOMPARE(caja(*f, 1)->text(), antes);
        QCOMPARE(QApplication::focusWidget(), caja(*f, 1));
    }

    // A tag written in lower case opens the calendar; the picked date goes
    // into the box as it comes and is confirmed once (the focus moves on
    // once, from the remarks round to the first figure). Cancelled, the box
    // keeps what it had and the focus stays.
    void fechaDesdeElArchivo_data() {
        QTest::addColumn<bool>("botonDerecho");
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QString>("texto");
        QTest::newRow("F3") << false << true << "15/07/2025";
        QTest::newRow("right button") << true << true << "15/07/2025";
        QTest::newRow("cancelled") << false << false << "nota previa";
    }
    void fechaDesdeElArchivo() {
        QFETCH(bool, botonDerecho);
        QFETCH(bool, acepta);
        QFETCH(QString, texto);
        ini("[Consultas]\r\nObservaciones=fecha\r\n");
        ScriptedMessages msgs;
        DialogScript dialogos([acepta](QDialog* d) {
            if (!acepta)
                return int(QDialog::Rejected);
            d->findChild<QCalendarWidget*>()->setSelectedDate(QDate(2025, 7, 15));
            return int(QDialog::Accepted);
        });
        auto f = abreVentana();
        QCOMPARE(caja(*f, 40)->property(q42::Formularios::Tag).toString(), QStringLiteral("fecha"));
        escribe(*f, 0, QStringLiteral("05/2025"));
        caja(*f, 40)->setText(QStringLiteral("nota previa"));
        caja(*f, 40)->setFocus();
        QVERIFY(f->PanelBar1->consultaenabled());
        if (botonDerecho)
            QTest::mouseClick(caja(*f, 40), Qt::RightButton);
        else
            tecla(*f, Qt::Key_F3);
        QCOMPARE(dialogos.count(), 1);
        QCOMPARE(caja(*f, 40)->text(), texto);
        QCOMPARE(QApplication::focusWidget(), caja(*f, acepta ? 1 : 40));
        QCOMPARE(f->PanelBar1->consultaenabled(), !acepta);
        QCOMPARE(msgs.count(), 0);
    }

    // The articles lookup behind a code list: cancelling keeps the list.
    void articulosCancelado() {
        ScriptedMessages msgs;
        DialogScript dialogos([](QDialog*) { return int(QDialog::Rejected); });
        auto f = abreVentana();
        QLineEdit* pellet = f->caja(QStringLiteral("TxtPellet"));
        const QString antes = pellet->text();
        f->EligeArticulosProducto(3);
        QCOMPARE(pellet->text(), antes);
    }
};

QTEST_MAIN(TstFrmQ42Consulta)
#include "tst_frmq42_consulta.moc"
