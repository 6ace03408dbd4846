// Finding rows in the list dialog: the incremental search over the loaded
// rows (a hundred thousand of them, with the table gone), F5's new search
// and "&Nueva Busqueda", and the keys typed into the list.

#include "PruebaConsultas.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <memory>

using namespace prueba;

namespace {

const QString kEjemplo = QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES "
                                        "WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL");
const QString kPorCodigo = QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES "
                                          "WHERE Dada_De_Baja = 0 ORDER BY CODIGO");

void escribe(QComboBox* caja, const QString& texto) {
    caja->setFocus();
    QTest::keyClicks(caja, texto);
}

} // namespace

class TstBusqueda : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void initTestCase() { abreBase(env, QStringLiteral("busqueda.sqlite")); }
    void cleanupTestCase() { cierraBase(); }

    // The first row in list order that starts with the text, letter case
    // ignored; a text no row starts with leaves the selection.
    void incremental_data() {
        QTest::addColumn<int>("caja");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("lower case") << 0 << "pan"
                                    << "0001";
        QTest::newRow("upper case") << 0 << "PANIF"
                                    << "0002";
        QTest::newRow("blanks round it") << 0 << "  dist "
                                         << "0003";
        QTest::newRow("code column") << 1 << "0014"
                                     << "0014";
        QTest::newRow("empty: the first row") << 0 << ""
                                              << "0001";
        QTest::newRow("no row: selection stays") << 0 << "zz"
                                                 << "0018";
    }
    void incremental() {
        QFETCH(int, caja);
        QFETCH(QString, texto);
        QFETCH(QString, codigo);
        auto d = abreVisible(kPorCodigo);
        d->ListView1->selectRow(16);
        escribe(d->CmbSearch.at(caja), texto.isEmpty() ? QStringLiteral("q") : texto);
        if (texto.isEmpty())
            QTest::keyClick(d->CmbSearch.at(caja), Qt::Key_Backspace);
        QCOMPARE(textoSeleccionado(d.get(), 1), codigo);
        QCOMPARE(d->BuscadorActivo, caja);
    }

    void incrementalNoAscii() {
        auto d = abreVisible(kPorCodigo);
        d->CmbSearch.at(0)->setEditText(QStringLiteral("fábrica"));
        QCOMPARE(textoSeleccionado(d.get(), 1), QStringLiteral("0005"));
    }

    void filtroInicial() {
        auto d = abreVisible(kPorCodigo,
                             [](Lib_FrmCons3& f) { f.FiltroInicial = QStringLiteral(" Tambo "); });
        QCOMPARE(d->CmbSearch.at(0)->currentText(), QStringLiteral(" Tambo "));
        QCOMPARE(textoSeleccionado(d.get(), 1), QStringLiteral("0011"));
    }

    // A hundred thousand rows: loaded once, searched and sorted in memory
    // (the table is gone by then). bench/ measures how fast.
    void listaGrande() {
        ejecuta(QStringLiteral(
            "CREATE TABLE GRANDE (CODIGO nvarchar(10) COLLATE NOCASE, DESCRIPCION nvarchar(60) "
            "COLLATE NOCASE)"));
        ejecuta(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                               "WHERE i < 100000) INSERT INTO GRANDE SELECT substr('00000' || i, "
                               "-6), 'Articulo ' || substr('00000' || i, -6) FROM n"));
        auto d = abreVisible(
            QStringLiteral("SELECT TOP 100000 DESCRIPCION,CODIGO FROM GRANDE ORDER BY CODIGO"));
        ejecuta(QStringLiteral("DROP TABLE GRANDE"));
        QCOMPARE(d->modelo()->filas(), 100000);
        d->CmbSearch.at(0)->setEditText(QStringLiteral("articulo 099999"));
        QCOMPARE(textoSeleccionado(d.get(), 1), QStringLiteral("099999"));
        d->CmbSearch.at(1)->setEditText(QStringLiteral("1000"));
        QCOMPARE(textoSeleccionado(d.get(), 1), QStringLiteral("100000"));
        d->CmbSearch.at(1)->setEditText(QStringLiteral("x"));
        QCOMPARE(textoSeleccionado(d.get(), 1), QStringLiteral("100000"));
        QHeaderView* h = d->ListView1->horizontalHeader();
        Q_EMIT h->sectionClicked(1);
        QCOMPARE(d->modelo()->texto(0, 1), QStringLiteral("100000"));
        QCOMPARE(textoSeleccionado(d.get(), 1), QStringLiteral("100000"));
    }

    // F5 adds a condition on the box's column before the ORDER BY, twice;
    // "&Nueva Busqueda" goes back to the first statement.
    void nuevaBusqueda() {
        ScriptedMessages msgs;
        auto d = abreVisible(kEjemplo);
        QCOMPARE(d->modelo()->filas(), 19);
        escribe(d->CmbSearch.at(0), QStringLiteral("mar"));
        QTest::keyClick(d->CmbSearch.at(0), Qt::Key_F5);
        QCOMPARE(d->SQL,
                 QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES WHERE "
                                "Dada_De_Baja = 0  and RAZON_SOCIAL like 'mar%' ORDER BY "
                                "RAZON_SOCIAL  "));
        QCOMPARE(d->CmbSearch.at(0)->currentText(), QString());
        QCOMPARE(d->modelo()->filas(), 0);
        escribe(d->CmbSearch.at(1), QStringLiteral("1"));
        QTest::keyClick(d->CmbSearch.at(1), Qt::Key_F5);
        QCOMPARE(d->SQL,
                 QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES WHERE "
                                "Dada_De_Baja = 0  and RAZON_SOCIAL like 'mar%'  and "
                                "CODIGO like '1%' ORDER BY RAZON_SOCIAL   "));
        QCOMPARE(d->SQLActual, d->SQL);
        d->CmdNueva->click();
        QCOMPARE(d->SQL, d->SQLOriginal + QLatin1Char(' '));
        QCOMPARE(d->SQLOriginal, kEjemplo + QLatin1Char(' '));
        QCOMPARE(d->modelo()->filas(), 19);
        QCOMPARE(QApplication::focusWidget(), d->CmbSearch.at(0));
        QCOMPARE(msgs.count(), 0);
    }

    void nuevaBusquedaFiltra_data() {
        QTest::addColumn<bool>("like");
        QTest::addColumn<int>("caja");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<QStringList>("codigos");
        QTest::newRow("prefix") << false << 0 << "pan"
                                << " and RAZON_SOCIAL like 'pan%' "
                                << QStringList{"0001", "0002", "0007", "0014"};
        QTest::newRow("containment") << true << 0 << "la "
                                     << " and RAZON_SOCIAL like '%la %' "
                                     << QStringList{"0001", "0006", "0009", "0011", "0017"};
        QTest::newRow("asterisk for percent")
            << false << 0 << "p*nadería s"
            << " and RAZON_SOCIAL like 'p%nadería s%' " << QStringList{"0007"};
        QTest::newRow("quote in the text")
            << true << 0 << "O'H"
            << " and RAZON_SOCIAL like '%O''H%' " << QStringList{"0015"};
        QTest::newRow("quote that would end the literal")
            << false << 1 << "' OR 1=1 --"
            << " and CODIGO like ''' OR 1=1 --%' " << QStringList{};
    }
    void nuevaBusquedaFiltra() {
        QFETCH(bool, like);
        QFETCH(int, caja);
        QFETCH(QString, texto);
        QFETCH(QString, condicion);
        QFETCH(QStringList, codigos);
        ScriptedMessages msgs;
        auto d = abreVisible(kPorCodigo, [&](Lib_FrmCons3& f) { f.CfgUsaConsultaLIKE = like; });
        d->CmbSearch.at(caja)->setFocus();
        d->CmbSearch.at(caja)->setEditText(texto);
        QTest::keyClick(d->CmbSearch.at(caja), Qt::Key_F5);
        QVERIFY2(d->SQL.contains(QStringLiteral("Dada_De_Baja = 0 ") + condicion +
                                 QStringLiteral("ORDER BY CODIGO")),
                 qPrintable(d->SQL));
        QCOMPARE(columna(d.get(), 1), codigos);
        QCOMPARE(msgs.count(), 0);
    }

    // Ticks made before a new search stay with their rows.
    void marcasEntreBusquedas() {
        auto d = abreVisible(kPorCodigo, [](Lib_FrmCons3& f) {
            f.CheckBoxes = true;
            f.CampoDevuelto = QStringLiteral("CODIGO");
            f.ValoresDefault = QStringLiteral("0003");
        });
        d->modelo()->setMarcada(int(columna(d.get(), 1).indexOf("0001")), true);
        d->CmbSearch.at(0)->setEditText(QStringLiteral("pan"));
        QTest::keyClick(d->CmbSearch.at(0), Qt::Key_F5);
        QCOMPARE(columna(d.get(), 1), (QStringList{"0001", "0002", "0007", "0014"}));
        QVERIFY(d->modelo()->marcada(0));
        d->modelo()->setMarcada(3, true);
        d->CmdNueva->click();
        d->CmdAceptar->click();
        QCOMPARE(d->Valores, (QVariantList{"0001", "0003", "0014"}));
    }

    // Keys in the list go on with the search in the last box that had the
    // focus; navigation keys in a box move to the list.
    void teclasDeLaLista() {
        auto d = abreVisible(kPorCodigo);
        QTest::keyClick(d->CmbSearch.at(0), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), d->ListView1);
        QTest::keyClick(d->ListView1, Qt::Key_T);
        QCOMPARE(QApplication::focusWidget(), d->CmbSearch.at(0));
        QCOMPARE(d->CmbSearch.at(0)->currentText(), QStringLiteral("t"));
        QCOMPARE(textoSeleccionado(d.get(), 1), QStringLiteral("0011"));
        d->CmbSearch.at(1)->setFocus();
        QTest::keyClick(d->CmbSearch.at(1), Qt::Key_PageDown);
        QCOMPARE(QApplication::focusWidget(), d->ListView1);
        QTest::keyClick(d->ListView1, Qt::Key_0);
        QTest::keyClick(d->ListView1, Qt::Key_1);
        QTest::keyClick(d->ListView1, Qt::Key_8, Qt::KeypadModifier);
        QCOMPARE(d->CmbSearch.at(1)->currentText(), QStringLiteral("018"));
        d->ListView1->setFocus();
        QTest::keyClick(d->ListView1, Qt::Key_Space);
        QTest::keyClick(d->ListView1, Qt::Key_Backspace);
        QTest::keyClick(d->ListView1, Qt::Key_Backspace);
        QCOMPARE(d->CmbSearch.at(1)->currentText(), QStringLiteral("01"));
        QTest::keyClick(d->ListView1, Qt::Key_Return);
        QCOMPARE(d->result(), int(QDialog::Accepted));
    }

    void colorDeFoco() {
        auto d = abreVisible(kPorCodigo);
        d->CmbSearch.at(1)->setFocus();
        QCOMPARE(d->CmbSearch.at(1)->lineEdit()->palette().color(QPalette::Base),
                 QColor(0, 255, 255));
        QCOMPARE(d->CmbSearch.at(0)->lineEdit()->palette().color(QPalette::Base),
                 QColor(Qt::white));
        d->ListView1->setFocus();
        QCOMPARE(d->CmbSearch.at(1)->lineEdit()->palette().color(QPalette::Base),
                 QColor(Qt::white));
        QCOMPARE(d->BuscadorActivo, 1);
    }

    // Space ticks the current row when the list has check boxes.
    void espacioMarca() {
        auto d = abreVisible(kPorCodigo, [](Lib_FrmCons3& f) { f.CheckBoxes = true; });
        d->ListView1->setFocus();
        d->ListView1->selectRow(2);
        d->ListView1->setCurrentIndex(d->modelo()->index(2, 1));
        QTest::keyClick(d->ListView1, Qt::Key_Space);
        QVERIFY(d->modelo()->marcada(2));
        QTest::keyClick(d->ListView1, Qt::Key_Space);
        QVERIFY(!d->modelo()->marcada(2));
        QCOMPARE(d->CmbSearch.at(0)->currentText(), QString());
    }
};

QTEST_MAIN(TstBusqueda)
#include "tst_busqueda.moc"
