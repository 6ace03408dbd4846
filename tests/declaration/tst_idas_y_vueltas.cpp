// The operations whose statements scripts/check-sql.sh counts: each runs
// once under its name in the statement corpus (Q42_CORPUS), from the start
// to printing. On a mill's network the round trips, not the processor, set
// how long the operator waits.

#include "FormularioPrueba.h"
#include "db/Corpus.h"
#include "platform/Reportes.h"
#include "startup/boot/Inicio.h"

using namespace prueba;

class TstIdasYVueltas : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void cleanup() {
        corpus::operacion(QString());
        cierraBase();
    }

    void operaciones() {
        ScriptedMessages msgs;
        const QString ruta = abreBase(env, QStringLiteral("molino.sqlite"), 2025, 6);
        cierraBase();
        DialogScript dialogos([](QDialog*) { return int(QDialog::Rejected); });

        corpus::operacion(QStringLiteral("start"));
        QVERIFY(IniciaSistema(QStringLiteral("@Archivo=%1;").arg(ruta)));
        auto f = abreVentana();

        corpus::operacion(QStringLiteral("period confirm"));
        escribe(*f, 0, QStringLiteral("06/2025"));
        QVERIFY(enEdicion(*f));
        corpus::operacion(QString());
        f->PanelBar1_ButtonClick(QStringLiteral("CANCELAR"));
        escribe(*f, 0, QStringLiteral("07/2025"));

        corpus::operacion(QStringLiteral("consumption"));
        f->CmdCalcular_Click();

        corpus::operacion(QStringLiteral("save"));
        f->PanelBar1_ButtonClick(QStringLiteral("GRABAR"));
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='07/2025'")), 1);

        corpus::operacion(QString());
        escribe(*f, 0, QStringLiteral("07/2025"));
        msgs.answer(q42::vbYes);
        corpus::operacion(QStringLiteral("delete"));
        f->PanelBar1_ButtonClick(QStringLiteral("BORRAR"));
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='07/2025'")), 0);

        corpus::operacion(QStringLiteral("lookup open"));
        Lib_ClsCons3::instance().ConsultaSearch(QStringLiteral("V_MA_ARTICULOS"));

        corpus::operacion(QString());
        q42::Reportes::CarpetaReportes(sourcePath(QStringLiteral("reports")));
        escribe(*f, 0, QStringLiteral("06/2025"));
        corpus::operacion(QStringLiteral("print"));
        f->PanelBar1_ButtonClick(QStringLiteral("REPORTE"));
        corpus::operacion(QString());
        QCOMPARE(msgs.count(), 1);      // the delete's confirmation
        QVERIFY(dialogos.count() >= 2); // the lookup and the print preview
    }
};

QTEST_MAIN(TstIdasYVueltas)
#include "tst_idas_y_vueltas.moc"
