// Picking the articles of a product: the codes of the box start ticked, the
// ticked codes come back as a quoted list, and codes the list could not show
// are kept.

#include "PruebaConsultas.h"
#include "lookup/MascaraConsultas.h"
#include "lookup/SeleccionArticulos.h"

#include <QtTest>

using namespace prueba;

namespace {

QStringList marcadas(Lib_FrmCons3* d, int columnaCodigo) {
    QStringList out;
    for (int f = 0; f < d->modelo()->filas(); ++f)
        if (d->modelo()->marcada(f))
            out << d->modelo()->texto(f, columnaCodigo);
    out.sort();
    return out;
}

} // namespace

class TstArticulos : public QObject {
    Q_OBJECT
    TestEnv env;

    QString rutaMascaras() const { return env.ruta(QStringLiteral("consultas.qvx")); }

private Q_SLOTS:
    void initTestCase() { abreBase(env, QStringLiteral("articulos.sqlite")); }
    void cleanupTestCase() { cierraBase(); }
    void cleanup() {
        QFile::remove(rutaMascaras());
        Lib_ClsCons3::release();
    }

    void elige_data() {
        QTest::addColumn<bool>("mascaras");
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QStringList>("alCargar");
        QTest::addColumn<QStringList>("cambia");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("kept, one out, one in")
            << true << "'5','6','7'" << QStringList{"5", "6", "7"} << QStringList{"6", "1"}
            << "'5','7','1'";
        QTest::newRow("one code is not every code containing it")
            << true << "'1'" << QStringList{"1"} << QStringList{} << "'1'";
        QTest::newRow("a suspended code the list does not show stays")
            << true << "'15','2'" << QStringList{"2"} << QStringList{} << "'15','2'";
        QTest::newRow("written by hand")
            << true << " 5, 6 ,'7'" << QStringList{"5", "6", "7"} << QStringList{} << "'5','6','7'";
        QTest::newRow("empty box") << true << "" << QStringList{} << QStringList{"3"} << "'3'";
        QTest::newRow("all unticked")
            << true << "'5'" << QStringList{"5"} << QStringList{"5"} << "";
        QTest::newRow("no mask file: every article")
            << false << "'15'" << QStringList{"15"} << QStringList{"15", "4"} << "'4'";
    }
    void elige() {
        QFETCH(bool, mascaras);
        QFETCH(QString, actual);
        QFETCH(QStringList, alCargar);
        QFETCH(QStringList, cambia);
        QFETCH(QString, resultado);
        if (mascaras)
            q42::mascaras::agregaRegistros(
                rutaMascaras(), {{"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|", ""}});
        ScriptedMessages msgs;
        QStringList vistas;
        bool casillas = false;
        DialogScript dialogos([&](QDialog* dlg) {
            auto* d = qobject_cast<Lib_FrmCons3*>(dlg);
            casillas = d->CheckBoxes;
            const int c = d->IndiceColumna(QStringLiteral("IDARTICULO")) - 1;
            vistas = marcadas(d, c);
            const QStringList codigos = columna(d, c);
            for (const QString& codigo : cambia) {
                const int f = int(codigos.indexOf(codigo));
                d->modelo()->setMarcada(f, !d->modelo()->marcada(f));
            }
            d->CmdAceptar->click();
            return d->result();
        });
        const std::optional<QString> lista = EligeArticulos(actual);
        QCOMPARE(dialogos.count(), 1);
        QVERIFY(casillas);
        QCOMPARE(vistas, alCargar);
        QVERIFY(lista);
        QCOMPARE(*lista, resultado);
        const Lib_ClsCons3& s = Lib_ClsCons3::instance();
        QVERIFY(!s.Checks);
        QVERIFY(s.CampoDevuelto.isEmpty());
        QCOMPARE(msgs.count(), 0);
    }

    void cancelado() {
        ScriptedMessages msgs;
        DialogScript dialogos([](QDialog* dlg) {
            qobject_cast<Lib_FrmCons3*>(dlg)->modelo()->setMarcada(0, true);
            return int(QDialog::Rejected);
        });
        QVERIFY(!EligeArticulos(QStringLiteral("'5'")));
        QCOMPARE(dialogos.count(), 1);
    }

    // A code with a quote goes back doubled, as one literal.
    void comillas() {
        ejecuta(QStringLiteral("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, SUSPENDIDO) "
                               "VALUES ('D''A', 'DE PRUEBA', 0)"));
        ScriptedMessages msgs;
        DialogScript dialogos([](QDialog* dlg) {
            auto* d = qobject_cast<Lib_FrmCons3*>(dlg);
            d->CmdAceptar->click();
            return d->result();
        });
        QCOMPARE(EligeArticulos(QStringLiteral("'D''A','2'")), QStringLiteral("'D''A','2'"));
        ejecuta(QStringLiteral("DELETE FROM MA_ARTICULOS WHERE IDARTICULO = 'D''A'"));
    }
};

QTEST_MAIN(TstArticulos)
#include "tst_articulos.moc"
