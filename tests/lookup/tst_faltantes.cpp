// Keys of the articles list: quantities with Insert and Delete, the
// quantity prompt, and F12's missing-article notice into V_MV_FALTANTES.

#include "PruebaConsultas.h"

#include <QTableView>
#include <QtTest>
#include <memory>

using namespace prueba;

namespace {

const QString kArticulos = QStringLiteral("SELECT TOP 1000 IDARTICULO, DESCRIPCION FROM "
                                          "VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY "
                                          "IDARTICULO");

int faltantes() {
    return filas(QStringLiteral("SELECT COUNT(*) FROM V_MV_FALTANTES")).value(0).value(0).toInt();
}

} // namespace

class TstFaltantes : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void initTestCase() {
        abreBase(env, QStringLiteral("faltantes.sqlite"));
        ejecuta(QStringLiteral("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, PUNTOPEDIDO, "
                               "Stock, SUSPENDIDO, Dada_De_Baja) VALUES ('17', 'HARINA D''ORO', "
                               "0, 0, 0, 0)"));
    }
    void cleanupTestCase() { cierraBase(); }

    // Insert adds one and ticks; Delete takes one away and unticks at zero.
    void cantidades() {
        ScriptedMessages msgs;
        auto d = abreVisible(QStringLiteral("SELECT IDARTICULO, DESCRIPCION, 0 AS Cantidad FROM "
                                            "VT_MA_ARTICULOS ORDER BY IDARTICULO"),
                             [](Lib_FrmCons3& f) {
                                 f.CheckBoxes = true;
                                 f.UsaCantidades = true;
                             });
        d->ListView1->setFocus();
        d->ListView1->selectRow(1);
        const auto cantidad = [&] { return d->modelo()->texto(1, 2); };
        QCOMPARE(cantidad(), QStringLiteral("0"));
        QTest::keyClick(d->ListView1, Qt::Key_Insert);
        QCOMPARE(cantidad(), QStringLiteral("1,0"));
        QVERIFY(d->modelo()->marcada(1));
        QTest::keyClick(d->ListView1, Qt::Key_Insert);
        QCOMPARE(cantidad(), QStringLiteral("2,0"));
        QTest::keyClick(d->ListView1, Qt::Key_Delete);
        QCOMPARE(cantidad(), QStringLiteral("1,0"));
        QVERIFY(d->modelo()->marcada(1));
        QTest::keyClick(d->ListView1, Qt::Key_Delete);
        QCOMPARE(cantidad(), QStringLiteral("0,00"));
        QVERIFY(!d->modelo()->marcada(1));
        QTest::keyClick(d->ListView1, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(cantidad(), QStringLiteral("0,00"));
        QCOMPARE(msgs.count(), 0);
    }

    void pideCantidad_data() {
        QTest::addColumn<bool>("responde");
        QTest::addColumn<QString>("respuesta");
        QTest::addColumn<QString>("cantidad");
        QTest::addColumn<bool>("marcada");
        QTest::newRow("a quantity") << true << "2,5"
                                    << "2,50" << true;
        QTest::newRow("point as decimal mark") << true << "12.25"
                                               << "12,25" << true;
        QTest::newRow("zero") << true << "0"
                              << "0,00" << false;
        QTest::newRow("no number") << true << "mucho"
                                   << "0,00" << false;
        QTest::newRow("cancelled") << false << ""
                                   << "3,0" << true;
    }
    void pideCantidad() {
        QFETCH(bool, responde);
        QFETCH(QString, respuesta);
        QFETCH(QString, cantidad);
        QFETCH(bool, marcada);
        ScriptedMessages msgs;
        if (responde)
            msgs.answerInput(respuesta);
        else
            msgs.cancelInput();
        auto d = abreVisible(QStringLiteral("SELECT IDARTICULO, DESCRIPCION, 3 AS Cantidad FROM "
                                            "VT_MA_ARTICULOS ORDER BY IDARTICULO"),
                             [](Lib_FrmCons3& f) {
                                 f.CheckBoxes = true;
                                 f.UsaCantidades = true;
                             });
        d->ListView1->selectRow(0);
        QTest::keyClick(d->ListView1, Qt::Key_Insert); // 4,0
        QTest::keyClick(d->ListView1, Qt::Key_Delete); // 3,0
        QTest::keyClick(d->ListView1, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Ingrese la Cantidad del Articulo..."));
        QCOMPARE(msgs.last().title, QStringLiteral("Carga de Datos"));
        QCOMPARE(d->modelo()->texto(0, 2), cantidad);
        QCOMPARE(d->modelo()->marcada(0), marcada);
    }

    // Without quantity entry Insert and Delete do nothing.
    void sinCantidades() {
        auto d =
            abreVisible(QStringLiteral("SELECT IDARTICULO, 3 AS Cantidad FROM VT_MA_ARTICULOS"));
        d->ListView1->selectRow(0);
        QTest::keyClick(d->ListView1, Qt::Key_Insert);
        QCOMPARE(d->modelo()->texto(0, 1), QStringLiteral("3"));
    }

    // F12 from anywhere in the dialog asks, and on Yes writes the notice.
    void faltante_data() {
        QTest::addColumn<QString>("articulo");
        QTest::addColumn<bool>("desdeBuscador");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QString>("pregunta");
        QTest::addColumn<QString>("descripcion");
        QTest::addColumn<bool>("seGraba");
        QTest::newRow("yes, from the list")
            << "2" << false << int(q42::vbYes)
            << "Desea informar el articulo 2 HARINA DE TRIGO 0000\r\ncomo un faltante de stock?"
            << "HARINA DE TRIGO 0000" << true;
        QTest::newRow("yes, from a search box, a quote in it")
            << "17" << true << int(q42::vbYes)
            << "Desea informar el articulo 17 HARINA D'ORO\r\ncomo un faltante de stock?"
            << "HARINA D'ORO" << true;
        // The operator asked for it: a notice that cannot be written is said.
        QTest::newRow("yes, not recorded")
            << "2" << false << int(q42::vbYes)
            << "Desea informar el articulo 2 HARINA DE TRIGO 0000\r\ncomo un faltante de stock?"
            << "" << false;
        QTest::newRow("no") << "5" << false << int(q42::vbNo)
                            << "Desea informar el articulo 5 AFRECHO\r\ncomo un faltante de "
                               "stock?"
                            << "" << true;
    }
    void faltante() {
        QFETCH(QString, articulo);
        QFETCH(bool, desdeBuscador);
        QFETCH(int, respuesta);
        QFETCH(QString, pregunta);
        QFETCH(QString, descripcion);
        QFETCH(bool, seGraba);
        ScriptedMessages msgs;
        msgs.answer(respuesta);
        auto d = abreVisible(kArticulos);
        QVERIFY(d->EsArticulos);
        d->ListView1->selectRow(int(columna(d.get(), 0).indexOf(articulo)));
        const int antes = faltantes();
        QWidget* destino = desdeBuscador ? static_cast<QWidget*>(d->CmbSearch.at(1))
                                         : static_cast<QWidget*>(d->ListView1);
        if (!seGraba)
            ejecuta(QStringLiteral("ALTER TABLE V_MV_FALTANTES RENAME TO FALTANTES_APARTE"));
        destino->setFocus();
        QTest::keyClick(destino, Qt::Key_F12);
        if (!seGraba) {
            ejecuta(QStringLiteral("ALTER TABLE FALTANTES_APARTE RENAME TO V_MV_FALTANTES"));
            QCOMPARE(msgs.count(), 2);
            QCOMPARE(msgs.last().prompt,
                     QStringLiteral("No se pudo registrar el faltante del articulo 2."));
            QCOMPARE(faltantes(), antes);
            return;
        }
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, pregunta);
        QCOMPARE(msgs.last().title, QStringLiteral("Atención!"));
        QCOMPARE(msgs.last().buttons(), int(q42::vbYesNo));
        QCOMPARE(msgs.last().icon(), int(q42::vbQuestion));
        QVERIFY(d->isVisible());
        if (respuesta != q42::vbYes) {
            QCOMPARE(faltantes(), antes);
            return;
        }
        QCOMPARE(faltantes(), antes + 1);
        const QStringList fila =
            filas(QStringLiteral(
                      "SELECT IdArticulo, Descripcion, Usuario, CAST(FechaHora AS TEXT) FROM "
                      "V_MV_FALTANTES ORDER BY ID DESC"))
                .value(0);
        QCOMPARE(fila.value(0), articulo.leftJustified(25));
        QCOMPARE(fila.value(1), descripcion);
        QCOMPARE(fila.value(2), QStringLiteral("operador"));
        const QDateTime cuando =
            QDateTime::fromString(fila.value(3), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QVERIFY2(qAbs(cuando.secsTo(QDateTime::currentDateTime())) < 120,
                 qPrintable(fila.value(3)));
    }

    // F12 belongs to articles lists only; with no row chosen it does nothing.
    void faltanteNo_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("fila");
        QTest::newRow("not articles") << "SELECT CODIGO, DESCRIPCION FROM TA_MONEDAS" << true;
        QTest::newRow("no row") << kArticulos << false;
    }
    void faltanteNo() {
        QFETCH(QString, sql);
        QFETCH(bool, fila);
        ScriptedMessages msgs;
        auto d = abreVisible(sql);
        d->ListView1->clearSelection();
        if (fila)
            d->ListView1->selectRow(0);
        const int antes = faltantes();
        QTest::keyClick(d->ListView1, Qt::Key_F12);
        QCOMPARE(msgs.count(), 0);
        QCOMPARE(faltantes(), antes);
    }
};

QTEST_MAIN(TstFaltantes)
#include "tst_faltantes.moc"
