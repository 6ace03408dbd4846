// The tree dialog on the demo database: nodes placed by the length of their
// codes, the search, F5, ticking six levels down, and what accepting returns.

#include "PruebaConsultas.h"

#include <QApplication>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace prueba;

namespace {

std::unique_ptr<Lib_FrmCons3Tree> abre(const QString& sql, const QString& campo = QString(),
                                       bool casillas = false) {
    auto d = std::make_unique<Lib_FrmCons3Tree>();
    d->SQL = sql;
    d->CampoDevuelto = campo;
    d->CheckBoxes = casillas;
    d->Cargar();
    return d;
}

QStringList hijos(const QTreeWidgetItem* n) {
    QStringList out;
    for (int i = 0; i < n->childCount(); ++i)
        out << n->child(i)->text(0);
    return out;
}

QStringList claves(const Lib_FrmCons3Tree& d) {
    QStringList out;
    for (const QTreeWidgetItem* n : d.nodos())
        out << Lib_FrmCons3Tree::clave(n);
    return out;
}

QStringList textos(const QVariantList& valores) {
    QStringList out;
    for (const QVariant& v : valores)
        out << v.toString();
    return out;
}

const QString kCentros = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO WHERE CODIGO "
                                        "IN ('01','0101','0102','02','0201') ORDER BY CODIGO");

} // namespace

class TstArbol : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void initTestCase() {
        abreBase(env, QStringLiteral("arbol.sqlite"));
        ejecuta(QStringLiteral("CREATE TABLE PROFUNDO (CODIGO nvarchar(10), DESCRIPCION "
                               "nvarchar(20))"));
        for (const char* c :
             {"1", "12", "123", "1234", "12345", "123456", "1234567", "12345678", "2"})
            ejecuta(QStringLiteral("INSERT INTO PROFUNDO VALUES ('%1', 'Nivel %2')")
                        .arg(QLatin1String(c))
                        .arg(qstrlen(c)));
        ejecuta(QStringLiteral("CREATE TABLE DUPLICADO (CODIGO nvarchar(10), DESCRIPCION "
                               "nvarchar(20))"));
        ejecuta(QStringLiteral("INSERT INTO DUPLICADO VALUES ('01', 'Uno'), ('01', 'Otro uno'), "
                               "('02', 'Dos')"));
        ejecuta(QStringLiteral("INSERT INTO V_TA_FAMILIAS VALUES ('9''9', 'Con comilla', 0)"));
    }
    void cleanupTestCase() { cierraBase(); }

    void arma() {
        ScriptedMessages msgs;
        auto d = abre(kCentros);
        QCOMPARE(d->windowTitle(), QStringLiteral("Consulta..."));
        QCOMPARE(d->CmbSearch->toolTip(), QStringLiteral("F5 realiza nueva busqueda"));
        QCOMPARE(d->TreeV->topLevelItemCount(), 1);
        const QTreeWidgetItem* raiz = d->TreeV->topLevelItem(0);
        QCOMPARE(raiz->text(0), QStringLiteral("Consulta..."));
        QCOMPARE(Lib_FrmCons3Tree::clave(raiz), QStringLiteral("A"));
        QVERIFY(raiz->isExpanded());
        QCOMPARE(hijos(raiz), (QStringList{"01 - Producción", "02 - Comercialización"}));
        QCOMPARE(hijos(d->nodo("A01")), (QStringList{"0101 - Molienda", "0102 - Mantenimiento"}));
        QCOMPARE(hijos(d->nodo("A02")), (QStringList{"0201 - Ventas"}));
        QCOMPARE(claves(*d), (QStringList{"A", "A01", "A0101", "A0102", "A02", "A0201"}));
        QCOMPARE(d->SQLActual, kCentros);
        QCOMPARE(msgs.count(), 0);
    }

    void colocacion_data() {
        QTest::addColumn<QString>("codigos");
        QTest::addColumn<QString>("padre");
        QTest::addColumn<QStringList>("debajo");
        QTest::newRow("by length only") << "'01','0201'"
                                        << "A01" << QStringList{"0201 - Ventas"};
        QTest::newRow("climbing two levels")
            << "'01','0101','02'"
            << "A" << QStringList{"01 - Producción", "02 - Comercialización"};
        QTest::newRow("no rows: the root alone") << "'99'"
                                                 << "A" << QStringList{};
    }
    void colocacion() {
        QFETCH(QString, codigos);
        QFETCH(QString, padre);
        QFETCH(QStringList, debajo);
        auto d = abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO WHERE CODIGO IN "
                                     "(%1) ORDER BY CODIGO")
                          .arg(codigos));
        QCOMPARE(hijos(d->nodo(padre)), debajo);
    }

    void busqueda_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("clave");
        QTest::newRow("the root's caption first") << "c"
                                                  << "A";
        QTest::newRow("code") << "02"
                              << "A02";
        QTest::newRow("description, any case") << "MANT"
                                               << "A0102";
        QTest::newRow("longer code") << "0201"
                                     << "A0201";
        QTest::newRow("no node: selection stays") << "zz"
                                                  << "A0101";
    }
    void busqueda() {
        QFETCH(QString, texto);
        QFETCH(QString, clave);
        auto d = abre(kCentros);
        muestra(d.get());
        d->TreeV->setCurrentItem(d->nodo("A0101"));
        d->CmbSearch->setFocus();
        QTest::keyClicks(d->CmbSearch, texto);
        QCOMPARE(Lib_FrmCons3Tree::clave(d->TreeV->currentItem()), clave);
        d->CmbSearch->clearEditText();
        QCOMPARE(Lib_FrmCons3Tree::clave(d->TreeV->currentItem()), QStringLiteral("A"));
    }

    // F5: a containment condition on Descripcion before the ORDER BY;
    // "&Nueva Busqueda" rebuilds from the statement as it now stands.
    void nuevaBusqueda() {
        ScriptedMessages msgs;
        auto d = abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO"));
        muestra(d.get());
        d->CmbSearch->setFocus();
        QTest::keyClicks(d->CmbSearch, QStringLiteral("ab"));
        QTest::keyClick(d->CmbSearch, Qt::Key_F5);
        QCOMPARE(d->SQL, QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO  where "
                                        "Descripcion like '%ab%' ORDER BY CODIGO"));
        QCOMPARE(d->CmbSearch->currentText(), QString());
        QCOMPARE(claves(*d), (QStringList{"A", "A0103"}));
        QTest::keyClicks(d->CmbSearch, QStringLiteral("o'r"));
        QTest::keyClick(d->CmbSearch, Qt::Key_F5);
        QCOMPARE(d->SQL, QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO  where "
                                        "Descripcion like '%ab%'  and Descripcion like '%o''r%' "
                                        "ORDER BY CODIGO"));
        QCOMPARE(claves(*d), (QStringList{"A"}));
        d->CmdNueva->click();
        QCOMPARE(claves(*d), (QStringList{"A"}));
        QCOMPARE(msgs.count(), 0);
    }

    // Ticking a node carries its state six levels down and no further.
    void marcaSeisNiveles() {
        auto d = abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM PROFUNDO ORDER BY CODIGO"),
                      QStringLiteral("CODIGO"), true);
        d->nodo("A")->setCheckState(0, Qt::Checked);
        QStringList marcados;
        for (const QTreeWidgetItem* n : d->nodos())
            if (n->checkState(0) == Qt::Checked)
                marcados << Lib_FrmCons3Tree::clave(n);
        QCOMPARE(marcados,
                 (QStringList{"A", "A1", "A12", "A123", "A1234", "A12345", "A123456", "A2"}));
        d->nodo("A12")->setCheckState(0, Qt::Unchecked);
        QCOMPARE(d->nodo("A12345678")->checkState(0), Qt::Unchecked);
        QCOMPARE(d->nodo("A1")->checkState(0), Qt::Checked);
        d->nodo("A1234567")->setCheckState(0, Qt::Checked);
        d->CmdAceptar->click();
        QCOMPARE(textos(d->Valores), (QStringList{"", "1", "1234567", "12345678", "2"}));
        QVERIFY(!d->ValorDevuelto.isValid());
    }

    void aceptaMarcados_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("marca");
        QTest::addColumn<QStringList>("valores");
        QTest::newRow("positions, looked up")
            << "SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES ORDER BY IDPOSICION"
            << "IDPOSICION"
            << "A02" << QStringList{"02", "0201", "0202", "0203"};
        QTest::newRow("the root has no position")
            << "SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES WHERE IDPOSICION LIKE '03%' "
               "ORDER BY IDPOSICION"
            << "idposicion"
            << "A" << QStringList{"03", "0301", "0302"};
        QTest::newRow("families") << "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY "
                                     "IDFAMILIA"
                                  << "IDFAMILIA"
                                  << "A03" << QStringList{"03", "0301"};
        QTest::newRow("any other column: nothing")
            << "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO"
            << "DESCRIPCION"
            << "A01" << QStringList{};
    }
    void aceptaMarcados() {
        QFETCH(QString, sql);
        QFETCH(QString, campo);
        QFETCH(QString, marca);
        QFETCH(QStringList, valores);
        ScriptedMessages msgs;
        auto d = abre(sql, campo, true);
        d->nodo(marca)->setCheckState(0, Qt::Checked);
        d->Aceptar();
        QCOMPARE(textos(d->Valores), valores);
        QCOMPARE(msgs.count(), 0);
    }

    // Without check boxes the selected node's code is looked up in the
    // table the returned column belongs to.
    void aceptaSeleccion_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("elige");
        QTest::addColumn<QVariant>("valor");
        const QString familias =
            QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA");
        QTest::newRow("family") << familias << "IDFAMILIA"
                                << "A0102" << QVariant("0102");
        QTest::newRow("a quote in the code") << familias << "IDFAMILIA"
                                             << "A9'9" << QVariant("9'9");
        QTest::newRow("position")
            << "SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES ORDER BY IDPOSICION"
            << "IDPOSICION"
            << "A0201" << QVariant("0201");
        QTest::newRow("cost centre, lower-case column") << kCentros << "codigo"
                                                        << "A0201" << QVariant("0201");
        QTest::newRow("the root: an empty code") << kCentros << "CODIGO"
                                                 << "A" << QVariant("");
        QTest::newRow("any other column: not set") << kCentros << "DESCRIPCION"
                                                   << "A01" << QVariant();
    }
    void aceptaSeleccion() {
        QFETCH(QString, sql);
        QFETCH(QString, campo);
        QFETCH(QString, elige);
        QFETCH(QVariant, valor);
        ScriptedMessages msgs;
        auto d = abre(sql, campo);
        muestra(d.get());
        d->TreeV->setCurrentItem(d->nodo(elige));
        d->CmbSearch->setFocus();
        QTest::keyClick(d->CmbSearch, Qt::Key_Return);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(d->ValorDevuelto.isValid(), valor.isValid());
        QCOMPARE(d->ValorDevuelto.toString(), valor.toString());
        QCOMPARE(msgs.count(), 0);
    }

    // A repeated code fails when its node is added: the operator leaves the
    // row out (5) or ends the building (abort).
    void codigoRepetido_data() {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QStringList>("nodos");
        QTest::newRow("ignore: the row left out")
            << int(q42::vbIgnore) << QStringList{"A", "A01", "A02"};
        QTest::newRow("abort: building ends") << int(q42::vbAbort) << QStringList{"A", "A01"};
    }
    void codigoRepetido() {
        QFETCH(int, respuesta);
        QFETCH(QStringList, nodos);
        ScriptedMessages msgs;
        msgs.answer(respuesta);
        auto d = abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM DUPLICADO ORDER BY CODIGO"));
        QCOMPARE(msgs.count(), 1);
        QVERIFY(msgs.last().prompt.contains(QStringLiteral("ArmarTreeVAutomatico")));
        QCOMPARE(claves(*d), nodos);
        QCOMPARE(d->nodo("A01")->text(0), QStringLiteral("01 - Uno"));
    }

    // Enter presses the focused button; elsewhere it accepts the selected
    // node, and a load selects the first row under the root.
    void enter_data() {
        QTest::addColumn<QString>("donde");
        QTest::addColumn<bool>("aceptada");
        QTest::addColumn<bool>("terminada");
        QTest::newRow("tree after loading") << "TreeV" << true << true;
        QTest::newRow("on Cancelar") << "CmdCancelar" << false << true;
        QTest::newRow("on Nueva Busqueda") << "CmdNueva" << false << false;
    }
    void enter() {
        QFETCH(QString, donde);
        QFETCH(bool, aceptada);
        QFETCH(bool, terminada);
        auto d = abre(kCentros, QStringLiteral("CODIGO"));
        muestra(d.get());
        auto* destino = d->findChild<QWidget*>(donde);
        QVERIFY(destino);
        destino->setFocus();
        QTest::keyClick(destino, Qt::Key_Return);
        QCOMPARE(d->terminada(), terminada);
        QCOMPARE(d->result() == QDialog::Accepted, aceptada);
        if (aceptada)
            QCOMPARE(d->ValorDevuelto.toString(), QStringLiteral("01"));
        if (!terminada)
            QVERIFY(d->isVisible() && d->TreeV->currentItem());
    }

    void cancela_data() {
        QTest::addColumn<int>("modo");
        QTest::newRow("button") << 0;
        QTest::newRow("escape") << 1;
        QTest::newRow("close box") << 2;
    }
    void cancela() {
        QFETCH(int, modo);
        auto d = abre(kCentros, QStringLiteral("CODIGO"), true);
        muestra(d.get());
        d->nodo("A02")->setCheckState(0, Qt::Checked);
        d->Valores = {QStringLiteral("x")};
        d->ValorDevuelto = QStringLiteral("x");
        if (modo == 0)
            d->CmdCancelar->click();
        else if (modo == 1)
            QTest::keyClick(d->CmbSearch, Qt::Key_Escape);
        else
            d->close();
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(d->cancelada());
        QVERIFY(d->Valores.isEmpty());
        QCOMPARE(d->ValorDevuelto.toString(), QString());
    }

    void teclasDeNavegacion() {
        auto d = abre(kCentros);
        muestra(d.get());
        d->CmbSearch->setFocus();
        QTest::keyClick(d->CmbSearch, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), d->TreeV);
    }
};

QTEST_MAIN(TstArbol)
#include "tst_arbol.moc"
