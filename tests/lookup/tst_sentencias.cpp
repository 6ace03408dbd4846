// Statements of the lookups without a window: mask entries, a table's own
// columns, the caller's filter, the row limit, and what F5 adds.

#include "TestEnv.h"
#include "lookup/SentenciasConsulta.h"

#include <QtTest>

using namespace q42::consultas;
using q42::Currency;
using q42::mascaras::RegistroMascara;

class TstSentencias : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void mascara_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("columnas");
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<QString>("busqueda");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("limite");
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<QString>("busquedaFinal");
        QTest::newRow("clientes")
            << "VT_CLIENTES"
            << "|RAZON_SOCIAL|CODIGO|CONTACTO|"
            << ""
            << ""
            << "" << 1000
            << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja "
               "= 0 ORDER BY RAZON_SOCIAL"
            << "RAZON_SOCIAL";
        QTest::newRow("articulos")
            << "V_MA_ARTICULOS"
            << "|DESCRIPCION|IDARTICULO|"
            << ""
            << ""
            << "" << 1000
            << "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 "
               "ORDER BY DESCRIPCION"
            << "DESCRIPCION";
        QTest::newRow("articles in lower case keep their own filter")
            << "v_ma_articulos"
            << "|DESCRIPCION|IDARTICULO|"
            << "Stock > 0"
            << ""
            << "" << 100000
            << "SELECT TOP 100000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE Stock > 0 "
               "ORDER BY DESCRIPCION"
            << "DESCRIPCION";
        QTest::newRow("suppliers with a filter of their own")
            << "VT_PROVEEDORES"
            << "|RAZON_SOCIAL|CODIGO|"
            << "CODIGO <> 'P008'"
            << ""
            << "" << 1000
            << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES WHERE CODIGO <> 'P008' "
               "ORDER BY RAZON_SOCIAL"
            << "RAZON_SOCIAL";
        QTest::newRow("caller's filter when the entry has none")
            << "V_TA_VENDEDORES"
            << "|NOMBRE|IDVENDEDOR|"
            << ""
            << ""
            << " (ZONA = 'Rosario') " << 1000
            << "SELECT TOP 1000 NOMBRE,IDVENDEDOR FROM V_TA_VENDEDORES WHERE  (ZONA = 'Rosario')  "
               "ORDER BY NOMBRE"
            << "NOMBRE";
        QTest::newRow("entry's filter wins over the caller's")
            << "V_TA_VENDEDORES"
            << "|NOMBRE|IDVENDEDOR|"
            << "Dada_De_Baja = 0"
            << ""
            << " (x=1) " << 1000
            << "SELECT TOP 1000 NOMBRE,IDVENDEDOR FROM V_TA_VENDEDORES WHERE Dada_De_Baja = 0 "
               "ORDER BY NOMBRE"
            << "NOMBRE";
        QTest::newRow("search column given")
            << "VT_CLIENTES"
            << "|RAZON_SOCIAL|CODIGO|"
            << ""
            << "CODIGO"
            << "" << 50
            << "SELECT TOP 50 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY "
               "CODIGO"
            << "CODIGO";
        QTest::newRow("one column and a search column")
            << "TA_MONEDAS"
            << "|CODIGO|"
            << ""
            << "CODIGO"
            << "" << 1000 << "SELECT TOP 1000 CODIGO FROM TA_MONEDAS ORDER BY CODIGO"
            << "CODIGO";
        QTest::newRow("no columns listed")
            << "TA_MONEDAS"
            << ""
            << ""
            << "DESCRIPCION"
            << "" << 1000 << "SELECT TOP 1000 * FROM TA_MONEDAS ORDER BY DESCRIPCION"
            << "DESCRIPCION";
    }
    void mascara() {
        QFETCH(QString, nombre);
        QFETCH(QString, columnas);
        QFETCH(QString, filtro);
        QFETCH(QString, busqueda);
        QFETCH(QString, where);
        QFETCH(int, limite);
        QFETCH(QString, sentencia);
        QFETCH(QString, busquedaFinal);
        const RegistroMascara r{QStringLiteral("X"), nombre, columnas, filtro};
        const auto s = sentenciaDeMascara(r, busqueda, where, limite);
        QVERIFY(s);
        QCOMPARE(*s, sentencia);
        QCOMPARE(busqueda, busquedaFinal);
    }

    // One column and no search column: the operator must configure it.
    void mascaraSinConfigurar_data() {
        QTest::addColumn<QString>("columnas");
        QTest::newRow("one column") << "|CODIGO|";
        QTest::newRow("none") << "";
    }
    void mascaraSinConfigurar() {
        QFETCH(QString, columnas);
        QString busqueda;
        QVERIFY(!sentenciaDeMascara(
            {QStringLiteral("X"), QStringLiteral("TA_MONEDAS"), columnas, QString()}, busqueda,
            QString(), 1000));
        QVERIFY(busqueda.isEmpty());
    }

    void columnas_data() {
        QTest::addColumn<QStringList>("campos");
        QTest::addColumn<QString>("busqueda");
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<QString>("busquedaFinal");
        QTest::newRow("currencies")
            << QStringList{"ID", "CODIGO", "DESCRIPCION", "PRECIO"} << ""
            << "SELECT TOP 1000 PRECIO,DESCRIPCION,CODIGO FROM T ORDER BY DESCRIPCION"
            << "DESCRIPCION";
        QTest::newRow("the last descriptive field, caller's column overwritten")
            << QStringList{"NOMBRE", "Detalle", "CODIGO"} << "CODIGO"
            << "SELECT TOP 1000 CODIGO,Detalle,NOMBRE FROM T ORDER BY Detalle"
            << "Detalle";
        QTest::newRow("no descriptive field: the first kept")
            << QStringList{"id", "FechaHora_Grabacion", "PATENTE", "MODELO",
                           "FECHAHORA_MODIFICACION"}
            << ""
            << "SELECT TOP 1000 MODELO,PATENTE FROM T ORDER BY PATENTE"
            << "PATENTE";
        QTest::newRow("table not opened: caller's column")
            << QStringList{} << "CODIGO"
            << "SELECT TOP 1000  *  FROM T ORDER BY CODIGO"
            << "CODIGO";
        QTest::newRow("nothing at all") << QStringList{} << ""
                                        << "SELECT TOP 1000  *  FROM T"
                                        << "";
    }
    void columnas() {
        QFETCH(QStringList, campos);
        QFETCH(QString, busqueda);
        QFETCH(QString, sentencia);
        QFETCH(QString, busquedaFinal);
        QCOMPARE(sentenciaDeColumnas(campos, QStringLiteral("T"), busqueda, 1000), sentencia);
        QCOMPARE(busqueda, busquedaFinal);
    }

    void where_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("wrapped") << "x=1"
                                 << " (x=1) ";
        QTest::newRow("already in parentheses") << "(x=1)"
                                                << "(x=1)";
        QTest::newRow("parenthesis after blanks") << "  (x=1)"
                                                  << "  (x=1)";
        QTest::newRow("one character") << "x"
                                       << "x";
        QTest::newRow("one character among blanks") << "  x  "
                                                    << "  x  ";
        QTest::newRow("empty") << ""
                               << "";
    }
    void where() {
        QFETCH(QString, where);
        QFETCH(QString, resultado);
        QCOMPARE(envuelveWhere(where), resultado);
    }

    void limite_data() {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<int>("limite");
        QTest::newRow("missing key") << " " << 1000;
        QTest::newRow("empty") << "" << 1000;
        QTest::newRow("zero") << "0" << 1000;
        QTest::newRow("no number") << "todos" << 1000;
        QTest::newRow("negative") << "-5" << 1000;
        QTest::newRow("too large") << "99999999999999999999" << 1000;
        QTest::newRow("large list") << "100000" << 100000;
        QTest::newRow("number then text") << " 250 filas" << 250;
    }
    void limite() {
        QFETCH(QString, valor);
        QFETCH(int, limite);
        QCOMPARE(limiteFilas(valor), limite);
    }

    // F5 in the list: the condition goes before the tail, with the blank
    // that ended the statement and the joiner's.
    void nuevaBusqueda_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("like");
        QTest::addColumn<QString>("nueva");
        const QString clientes = "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES WHERE "
                                 "Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL ";
        const QString primera = "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES WHERE "
                                "Dada_De_Baja = 0  and RAZON_SOCIAL like 'mar%' ORDER BY "
                                "RAZON_SOCIAL ";
        QTest::newRow("prefix") << clientes << clientes << "RAZON_SOCIAL"
                                << "mar" << false << primera;
        QTest::newRow("containment")
            << clientes << clientes << "RAZON_SOCIAL"
            << "mar" << true
            << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES WHERE Dada_De_Baja = 0  and "
               "RAZON_SOCIAL like '%mar%' ORDER BY RAZON_SOCIAL ";
        // The reload appended a blank to the first result.
        QTest::newRow("second search")
            << primera + " " << primera + " "
            << "CODIGO"
            << "1" << false
            << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES WHERE Dada_De_Baja = 0  and "
               "RAZON_SOCIAL like 'mar%'  and CODIGO like '1%' ORDER BY RAZON_SOCIAL  ";
        QTest::newRow("no where, no order")
            << "select NOMBRE,CODIGO from V_TA_VENDEDORES "
            << "select NOMBRE,CODIGO from "
               "V_TA_VENDEDORES "
            << "NOMBRE"
            << "la" << false
            << "select NOMBRE,CODIGO from V_TA_VENDEDORES  where NOMBRE like 'la%' ";
        QTest::newRow("asterisk") << "select A from T "
                                  << "select A from T "
                                  << "A"
                                  << "m*r" << false << "select A from T  where A like 'm%r%' ";
        QTest::newRow("asterisk kept by containment")
            << "select A from T "
            << "select A from T "
            << "A"
            << "m*r" << true << "select A from T  where A like '%m*r%' ";
        QTest::newRow("quote doubled, nothing runs")
            << "select A from T "
            << "select A from T "
            << "A"
            << "O'Hi'; DROP TABLE T; --" << false
            << "select A from T  where A like 'O''Hi''; DROP TABLE T; --%' ";
        QTest::newRow("group by and order by stay together")
            << "SELECT IDARTICULO, SUM(Stock) AS S FROM MA_ARTICULOS GROUP BY IDARTICULO ORDER BY "
               "IDARTICULO "
            << "x"
            << "IDARTICULO"
            << "1" << false
            << "SELECT IDARTICULO, SUM(Stock) AS S FROM MA_ARTICULOS  where IDARTICULO like '1%' "
               "GROUP BY IDARTICULO ORDER BY IDARTICULO ";
        QTest::newRow("qualified articles")
            << "SELECT v_ma_articulos.DESCRIPCION FROM V_MA_ARTICULOS order by 1 "
            << "x"
            << "DESCRIPCION"
            << "ha" << false
            << "SELECT v_ma_articulos.DESCRIPCION FROM V_MA_ARTICULOS  where "
               "v_ma_articulos.DESCRIPCION like 'ha%' order by 1 ";
        QTest::newRow("order without order by: the statement as it stood")
            << "SELECT ORDEN FROM T "
            << "SELECT ORDEN FROM T "
            << "ORDEN"
            << "3" << false << "SELECT ORDEN FROM T  where ORDEN like '3%' ";
    }
    void nuevaBusqueda() {
        QFETCH(QString, sql);
        QFETCH(QString, actual);
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(bool, like);
        QFETCH(QString, nueva);
        QCOMPARE(nuevaBusquedaLista(sql, actual, campo, texto, like), nueva);
    }

    void nuevaBusquedaArbol_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("nueva");
        QTest::newRow("cost centres")
            << "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO"
            << "ab"
            << "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO  where Descripcion like '%ab%' ORDER BY "
               "CODIGO";
        QTest::newRow("with a where")
            << "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS WHERE Restringido = 0"
            << "har"
            << "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS WHERE Restringido = 0 and "
               "Descripcion like '%har%' ";
        QTest::newRow("quote") << "SELECT A, B FROM T"
                               << "d'a"
                               << "SELECT A, B FROM T where Descripcion like '%d''a%' ";
    }
    void nuevaBusquedaArbol() {
        QFETCH(QString, sql);
        QFETCH(QString, texto);
        QFETCH(QString, nueva);
        QCOMPARE(q42::consultas::nuevaBusquedaArbol(sql, sql, texto), nueva);
    }

    void tabla_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("tabla");
        QTest::newRow("mask statement")
            << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES WHERE x ORDER BY A "
            << "VT_CLIENTES";
        QTest::newRow("lower case, last word") << "select a from Stk_ma_articulos "
                                               << "Stk_ma_articulos";
        QTest::newRow("no from") << "SELECT 1"
                                 << "";
    }
    void tabla() {
        QFETCH(QString, sql);
        QFETCH(QString, tabla);
        QCOMPARE(tablaConsulta(sql), tabla);
    }

    void valores_data() {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<QStringList>("valores");
        QTest::newRow("quoted codes") << "'5','6','7'" << QStringList{"5", "6", "7"};
        QTest::newRow("plain, blanks") << " 0001, 0005 " << QStringList{"0001", "0005"};
        QTest::newRow("other separators") << "a;b|c" << QStringList{"a", "b", "c"};
        QTest::newRow("double quotes, empty pieces") << "\"1\",,''" << QStringList{"1"};
        QTest::newRow("quote inside") << "'O''Brien'" << QStringList{"O'Brien"};
        QTest::newRow("unbalanced quote") << "'12" << QStringList{"'12"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void valores() {
        QFETCH(QString, lista);
        QFETCH(QStringList, valores);
        QCOMPARE(valoresLista(lista), valores);
    }

    void nivel_data() {
        QTest::addColumn<double>("punto");
        QTest::addColumn<double>("stock");
        QTest::addColumn<int>("nivel");
        QTest::newRow("no reorder point, stock") << 0.0 << 3200.0 << 1;
        QTest::newRow("above the point") << 50000.0 << 182350.0 << 2;
        QTest::newRow("below the point") << 20000.0 << 12500.0 << 3;
        QTest::newRow("at the point") << 5000.0 << 5000.0 << 4;
        QTest::newRow("nothing") << 0.0 << 0.0 << 4;
        QTest::newRow("negative stock") << 0.0 << -150.0 << 4;
        QTest::newRow("negative point") << -1.0 << 10.0 << 4;
        QTest::newRow("a hundredth below") << 10.0 << 9.99 << 3;
    }
    void nivel() {
        QFETCH(double, punto);
        QFETCH(double, stock);
        QFETCH(int, nivel);
        QCOMPARE(nivelStock(Currency::fromDouble(punto), Currency::fromDouble(stock)), nivel);
    }

    void color_data() {
        QTest::addColumn<QVariant>("numero");
        QTest::addColumn<QColor>("color");
        QTest::newRow("blue") << QVariant("16711680") << QColor(0, 0, 255);
        QTest::newRow("green") << QVariant("32768") << QColor(0, 128, 0);
        QTest::newRow("red") << QVariant(255) << QColor(255, 0, 0);
        QTest::newRow("not configured") << QVariant(0) << QColor(0, 0, 0);
        QTest::newRow("no number") << QVariant("rojo") << QColor(0, 0, 0);
    }
    void color() {
        QFETCH(QVariant, numero);
        QFETCH(QColor, color);
        QCOMPARE(colorConfigurado(numero), color);
    }
};

QTEST_GUILESS_MAIN(TstSentencias)
#include "tst_sentencias.moc"
