// The lookup service on the demo database: the statement it shows for a
// name (mask file, table columns) or a statement, the caller's variables it
// changes, and what it hands back from either dialog.

#include "PruebaConsultas.h"
#include "lookup/MascaraConsultas.h"

#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace prueba;
using q42::mascaras::RegistroMascara;

namespace {

// The entries the start writes, and two of the tests' own.
const QList<RegistroMascara> kMascaras = {
    {"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|", ""},
    {"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|", ""},
    {"PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|", ""},
    {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|", ""},
    {"MONEDAS", "TA_MONEDAS", "|CODIGO|", ""},
    {"RUBROS", "V_TA_Rubros", "", ""},
};

struct Visto {
    QString sql;
    bool ordena = false;
    QString filtro;
    QString campoBusqueda;
    bool casillas = false;
};

} // namespace

class TstServicio : public QObject {
    Q_OBJECT
    TestEnv env;

    QString rutaMascaras() const { return env.ruta(QStringLiteral("consultas.qvx")); }
    void preparaServicio(bool mascaras = true) {
        Lib_ClsCons3& s = Lib_ClsCons3::instance();
        s.gUsarMascarasConsultas = mascaras;
        // The other spelling of the name still finds the file.
        s.gRutaMascaraConsultas = env.ruta(QStringLiteral("CONSULTAS.QVX"));
    }

private Q_SLOTS:
    void initTestCase() {
        abreBase(env, QStringLiteral("servicio.sqlite"));
        q42::mascaras::agregaRegistros(rutaMascaras(), kMascaras);
    }
    void cleanupTestCase() { cierraBase(); }
    void init() { configura(QStringLiteral("TopConsArt"), QStringLiteral("1000")); }

    void sentencia_data() {
        QTest::addColumn<QString>("pedido");
        QTest::addColumn<bool>("mascaras");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<bool>("ordena");
        QTest::newRow("customers")
            << "VT_CLIENTES" << true << QString()
            << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja "
               "= 0 ORDER BY RAZON_SOCIAL"
            << false;
        QTest::newRow("name in another case, blanks round it")
            << "  vt_clientes " << true << "1000"
            << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja "
               "= 0 ORDER BY RAZON_SOCIAL"
            << false;
        QTest::newRow("articles")
            << "V_MA_ARTICULOS" << true << "0"
            << "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 "
               "ORDER BY DESCRIPCION"
            << false;
        QTest::newRow("large limit")
            << "VT_PROVEEDORES" << true << "100000"
            << "SELECT TOP 100000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 "
               "ORDER BY RAZON_SOCIAL"
            << false;
        QTest::newRow("statement unchanged")
            << "select NOMBRE,IDVENDEDOR from V_TA_VENDEDORES" << true << "1000"
            << "select NOMBRE,IDVENDEDOR from V_TA_VENDEDORES" << true;
        QTest::newRow("articles view replaced in a statement")
            << "SELECT Descripcion FROM V_MA_ARTICULOS" << true << "1000"
            << "SELECT Descripcion FROM VT_MA_ARTICULOS" << true;
        QTest::newRow("no entry: the table's columns")
            << "V_TA_TECNICOS" << true << "1000"
            << "SELECT TOP 1000 TELEFONO,ESPECIALIDAD,NOMBRE,IDTECNICO FROM V_TA_TECNICOS ORDER "
               "BY NOMBRE"
            << false;
        QTest::newRow("masks off: currencies")
            << "TA_MONEDAS" << false << "1000"
            << "SELECT TOP 1000 PRECIO,DESCRIPCION,CODIGO FROM TA_MONEDAS ORDER BY DESCRIPCION"
            << false;
        QTest::newRow("masks off: customers by the first column")
            << "VT_CLIENTES" << false << "1000"
            << "SELECT TOP 1000 Dada_De_Baja,IDVENDEDOR,TELEFONO,PROVINCIA,LOCALIDAD,DOMICILIO,"
               "CUIT,CONTACTO,RAZON_SOCIAL,CODIGO FROM VT_CLIENTES ORDER BY CODIGO"
            << false;
    }
    void sentencia() {
        QFETCH(QString, pedido);
        QFETCH(bool, mascaras);
        QFETCH(QString, top);
        QFETCH(QString, sentencia);
        QFETCH(bool, ordena);
        configura(QStringLiteral("TopConsArt"), top);
        preparaServicio(mascaras);
        ScriptedMessages msgs;
        Visto visto;
        DialogScript dialogos([&](QDialog* dlg) {
            auto* d = qobject_cast<Lib_FrmCons3*>(dlg);
            visto = {d->SQLOriginal, d->OrdenarPorLwv, d->FiltroInicial, d->CampoBusqueda,
                     d->CheckBoxes};
            return int(QDialog::Rejected);
        });
        Lib_ClsCons3::instance().ConsultaSearch(pedido);
        QCOMPARE(dialogos.count(), 1);
        QCOMPARE(visto.sql, sentencia + QLatin1Char(' '));
        QCOMPARE(visto.ordena, ordena);
        QCOMPARE(msgs.count(), 0);
    }

    // With masks on and no mask file a bare name still becomes a statement.
    void sinArchivoDeMascaras() {
        preparaServicio();
        Lib_ClsCons3::instance().gRutaMascaraConsultas = env.ruta(QStringLiteral("no/hay.qvx"));
        ScriptedMessages msgs;
        int filas = -1;
        QString sql;
        DialogScript dialogos([&](QDialog* dlg) {
            auto* d = qobject_cast<Lib_FrmCons3*>(dlg);
            sql = d->SQLOriginal;
            filas = d->modelo()->filas();
            return int(QDialog::Rejected);
        });
        Lib_ClsCons3::instance().ConsultaSearch(QStringLiteral("TA_MONEDAS"));
        QCOMPARE(sql, QStringLiteral("SELECT TOP 1000 PRECIO,DESCRIPCION,CODIGO FROM TA_MONEDAS "
                                     "ORDER BY DESCRIPCION "));
        QCOMPARE(filas, 3);
        QCOMPARE(msgs.count(), 0);
    }

    // Records that are not text, or out of step, are passed over.
    void mascaraDanada() {
        const QString ruta = env.ruta(QStringLiteral("danada.qvx"));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(q42::mascaras::LargoRegistro, '\x01'));
        f.write(q42::mascaras::escribeRegistro(
            {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|ZONA|", "Dada_De_Baja = 0"}));
        f.write("corto");
        f.close();
        preparaServicio();
        Lib_ClsCons3::instance().gRutaMascaraConsultas = ruta;
        ScriptedMessages msgs;
        QString sql;
        DialogScript dialogos([&](QDialog* dlg) {
            sql = qobject_cast<Lib_FrmCons3*>(dlg)->SQLOriginal;
            return int(QDialog::Rejected);
        });
        Lib_ClsCons3::instance().ConsultaSearch(QStringLiteral("V_TA_VENDEDORES"));
        QCOMPARE(sql, QStringLiteral("SELECT TOP 1000 NOMBRE,IDVENDEDOR,ZONA FROM V_TA_VENDEDORES "
                                     "WHERE Dada_De_Baja = 0 ORDER BY NOMBRE "));
        QCOMPARE(msgs.count(), 0);
    }

    // The caller's variables: the filter in parentheses, the search column
    // filled in, the initial text in the first box, the per-call settings
    // back to their defaults.
    void variablesDelLlamador() {
        preparaServicio();
        Lib_ClsCons3& s = Lib_ClsCons3::instance();
        s.Checks = true;
        s.CampoDevuelto = QStringLiteral("CODIGO");
        ScriptedMessages msgs;
        Visto visto;
        QString seleccion;
        DialogScript dialogos([&](QDialog* dlg) {
            auto* d = qobject_cast<Lib_FrmCons3*>(dlg);
            visto = {d->SQLOriginal, d->OrdenarPorLwv, d->FiltroInicial, d->CampoBusqueda,
                     d->CheckBoxes};
            seleccion = textoSeleccionado(d, 0);
            return int(QDialog::Rejected);
        });
        QStringList columnas{QStringLiteral("CODIGO")};
        QString clave = QStringLiteral("Papelera"), busqueda,
                where = QStringLiteral("CODIGO <> 'P008'"), opcional, defecto;
        s.ConsultaSearch(QStringLiteral("VT_PROVEEDORES"), &columnas, &clave, &busqueda, &where,
                         &opcional, false, &defecto);
        QCOMPARE(visto.sql,
                 QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES "
                                "WHERE  (CODIGO <> 'P008')  ORDER BY RAZON_SOCIAL "));
        QVERIFY(visto.casillas);
        QCOMPARE(visto.filtro, QStringLiteral("Papelera"));
        QCOMPARE(seleccion, QStringLiteral("Papelera del Plata S.A."));
        QCOMPARE(where, QStringLiteral(" (CODIGO <> 'P008') "));
        QCOMPARE(busqueda, QStringLiteral("RAZON_SOCIAL"));
        QVERIFY(columnas.isEmpty());
        QVERIFY(!s.Checks);
        QVERIFY(s.CampoDevuelto.isEmpty());
        QVERIFY(s.Cancelado);
    }

    // An entry with one column and no search column: the message, no
    // dialog, nothing left over from the previous lookup.
    void mascaraSinConfigurar() {
        preparaServicio();
        Lib_ClsCons3& s = Lib_ClsCons3::instance();
        s.ValorDevuelto = QStringLiteral("anterior");
        s.Valores = {QStringLiteral("anterior")};
        s.Checks = true;
        s.CampoDevuelto = QStringLiteral("CODIGO");
        ScriptedMessages msgs;
        DialogScript dialogos([](QDialog*) { return int(QDialog::Accepted); });
        s.ConsultaSearch(QStringLiteral("TA_MONEDAS"));
        QCOMPARE(dialogos.count(), 0);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Debe configurar la consulta para esta tabla"));
        QCOMPARE(msgs.last().title, QStringLiteral("Aviso al operador"));
        QCOMPARE(msgs.last().icon(), int(q42::vbInformation));
        QCOMPARE(s.ValorDevuelto.toString(), QString());
        QVERIFY(s.Valores.isEmpty());
        QVERIFY(s.Cancelado);
        QVERIFY(!s.Checks);
        QVERIFY(s.CampoDevuelto.isEmpty());
    }

    // How the dialog ends decides what comes back.
    void fin_data() {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QStringList>("valores");
        QTest::addColumn<bool>("cancelado");
        QTest::newRow("accept button")
            << 0 << "USD" << QStringList{"Dólar estadounidense", "USD", ""} << false;
        QTest::newRow("seam answers accepted")
            << 1 << "USD" << QStringList{"Dólar estadounidense", "USD", ""} << false;
        QTest::newRow("escape") << 2 << "" << QStringList{} << true;
        QTest::newRow("close box") << 3 << "" << QStringList{} << true;
        QTest::newRow("seam answers rejected") << 4 << "" << QStringList{} << true;
    }
    void fin() {
        QFETCH(int, modo);
        QFETCH(QString, valor);
        QFETCH(QStringList, valores);
        QFETCH(bool, cancelado);
        preparaServicio(false);
        Lib_ClsCons3& s = Lib_ClsCons3::instance();
        s.ValorDevuelto = QStringLiteral("anterior");
        s.CampoDevuelto = QStringLiteral("CODIGO");
        ScriptedMessages msgs;
        DialogScript dialogos([&](QDialog* dlg) {
            auto* d = qobject_cast<Lib_FrmCons3*>(dlg);
            prueba::muestra(d);
            d->CmbSearch.at(1)->setEditText(QStringLiteral("Dól"));
            switch (modo) {
            case 0:
                d->CmdAceptar->click();
                return d->result();
            case 1:
                return int(QDialog::Accepted);
            case 2:
                QTest::keyClick(d->ListView1, Qt::Key_Escape);
                return d->result();
            case 3:
                d->close();
                return d->result();
            default:
                return int(QDialog::Rejected);
            }
        });
        QStringList columnas{QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"),
                             QStringLiteral("NO_EXISTE")};
        s.ConsultaSearch(QStringLiteral("TA_MONEDAS"), &columnas);
        QCOMPARE(s.ValorDevuelto.toString(), valor);
        QStringList obtenidos;
        for (const QVariant& v : std::as_const(s.Valores))
            obtenidos << v.toString();
        QCOMPARE(obtenidos, valores);
        QCOMPARE(s.Cancelado, cancelado);
        QVERIFY(columnas.isEmpty());
        QCOMPARE(msgs.count(), 0);
    }

    // The tree is the service's second view.
    void arbol() {
        preparaServicio();
        Lib_ClsCons3& s = Lib_ClsCons3::instance();
        s.CampoDevuelto = QStringLiteral("CODIGO");
        ScriptedMessages msgs;
        DialogScript dialogos([&](QDialog* dlg) {
            auto* d = qobject_cast<Lib_FrmCons3Tree*>(dlg);
            if (!d)
                return int(QDialog::Rejected);
            d->CmbSearch->setEditText(QStringLiteral("0102"));
            d->CmdAceptar->click();
            return d->result();
        });
        s.ConsultaSearch(
            QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO"), nullptr,
            nullptr, nullptr, nullptr, nullptr, true);
        QCOMPARE(dialogos.count(), 1);
        QCOMPARE(s.ValorDevuelto.toString(), QStringLiteral("0102"));
        QVERIFY(!s.Cancelado);
        QVERIFY(s.CampoDevuelto.isEmpty());
        QCOMPARE(msgs.count(), 0);
    }
};

QTEST_MAIN(TstServicio)
#include "tst_servicio.moc"
