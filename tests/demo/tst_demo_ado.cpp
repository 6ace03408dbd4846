// The program's own statements, in SQL Server's dialect, through the ADO
// layer on a demo database: what the other parts of the program will meet.

#include "TestEnv.h"
#include "ado/Ado.h"
#include "core/Error.h"
#include "demo/DemoDb.h"

#include <QtTest>
#include <cmath>

using namespace ado;

class TstDemoAdo : public QObject {
    Q_OBJECT
    TestEnv env;
    std::shared_ptr<Connection> cnn;

    std::unique_ptr<Recordset> open(const QString& sql) {
        auto rs = std::make_unique<Recordset>();
        rs->Open(sql, cnn, adOpenForwardOnly, adLockReadOnly);
        return rs;
    }

private Q_SLOTS:
    void initTestCase() {
        const QString file = env.ruta(QStringLiteral("demo.sqlite"));
        demo::DemoOptions o;
        o.movements = 1500;
        QString error;
        QVERIFY2(demo::createDemoDatabase(file, o, &error), qPrintable(error));
        cnn = std::make_shared<Connection>();
        cnn->setCursorLocation(adUseClient);
        cnn->Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(file));
    }

    void statements_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("first");
        QTest::newRow("configuration")
            << "SELECT VALOR, valoraux FROM ta_configuracion WHERE CLAVE = 'NOMBRE'"
            << "Valor"
            << "Molino Harinero San Martín S.A.";
        QTest::newRow("administrator")
            << "SELECT Administrador FROM ta_usuarios WHERE nombre = 'admin'"
            << "Administrador"
            << "1";
        QTest::newRow("previous month")
            << "Select TOP 1 * from DJ_Q42 where Periodo = '12/2024' ORDER BY PERIODO DESC"
            << "Periodo"
            << "12/2024";
        QTest::newRow("article mask") << "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM "
                                         "VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION"
                                      << "IDARTICULO"
                                      << "6";
        QTest::newRow("customer mask")
            << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE "
               "Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL"
            << "CODIGO"
            << "0008";
        QTest::newRow("tree") << "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO"
                              << "DESCRIPCION"
                              << "Producción";
        QTest::newRow("price class") << "SELECT NOMBRE FROM V_MA_PRECIOSCAB WHERE IDLISTA = N'3'"
                                     << "NOMBRE"
                                     << "Panaderías";
    }
    void statements() {
        QFETCH(QString, sql);
        QFETCH(QString, field);
        QFETCH(QString, first);
        auto rs = open(sql);
        QVERIFY(!rs->EOF_());
        QCOMPARE(rs->Fields(field).Value().toString(), first);
    }

    void declarationTypes_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::newRow("period") << "Periodo" << int(adVarWChar) << 7;
        QTest::newRow("quantity") << "SP000_Consumo" << int(adDouble) << 8;
        QTest::newRow("final stock") << "FPellet" << int(adCurrency) << 8;
        QTest::newRow("codes") << "CodPellet" << int(adVarWChar) << 255;
        QTest::newRow("signer") << "Responsable" << int(adVarWChar) << 50;
    }
    void declarationTypes() {
        QFETCH(QString, column);
        QFETCH(int, type);
        QFETCH(int, size);
        auto rs = open("SELECT * FROM DJ_Q42 WHERE Periodo = '06/2025'");
        QCOMPARE(rs->Fields(column).Type(), type);
        QCOMPARE(rs->Fields(column).DefinedSize(), size);
    }

    // The consumption statement as the form builds it, N prefixes included.
    void consumptionAsTheFormAsks() {
        // The literals the connection writes for the month (its T-SQL form).
        const QString desde = "CONVERT(datetime, '2025-06-01 00:00:00', 120)";
        const QString hasta = "CONVERT(datetime, '2025-06-30 23:59:59.997', 121)";
        const QString sql =
            "SELECT V_MV_Stock.IDArticulo, ABS(SUM(V_MV_Stock.CantidadUD)) AS Consumo, "
            "ABS(SUM(V_MV_Stock.CantidadUD)) / Coeficiente AS ConsumoEquiv, "
            "V_MV_Stock.IdUnidadBase, S_TA_EQUIV.IDUNIDAD_EQUIV, S_TA_EQUIV.COEFICIENTE "
            "FROM V_MV_Stock INNER JOIN V_TA_Cpte ON V_MV_Stock.TC = V_TA_Cpte.CODIGO LEFT "
            "OUTER JOIN S_TA_EQUIV ON V_MV_Stock.IDArticulo = S_TA_EQUIV.IDARTICULO AND "
            "V_MV_Stock.IdUnidadBase = S_TA_EQUIV.IDUNIDAD WHERE (V_TA_Cpte.SISTEMA = "
            "'VENTAS') AND (V_MV_Stock.Anulado = 0) AND (V_MV_Stock.FECHA >= " +
            desde + " AND V_MV_Stock.FECHA <= " + hasta +
            ")GROUP BY V_MV_Stock.IDArticulo, V_MV_Stock.IdUnidadBase, "
            "S_TA_EQUIV.IDUNIDAD_EQUIV, S_TA_EQUIV.COEFICIENTE HAVING "
            "(S_TA_EQUIV.IDUNIDAD_EQUIV = N'TON') AND (LTRIM(RTRIM(V_MV_Stock.IDArticulo)) IN "
            "(N'5','6','7','8','12'))";
        double total = 0;
        int rows = 0;
        for (auto rs = open(sql); !rs->EOF_(); rs->MoveNext(), ++rows)
            total += rs->Fields("ConsumoEquiv").Value().toDouble();
        QVERIFY(rows >= 3);
        auto dj = open("SELECT SPPellet_Consumo FROM DJ_Q42 WHERE Periodo = '06/2025'");
        QVERIFY(std::fabs(total - dj->Fields(0).Value().toDouble()) <= 0.005 + 1e-9);
    }

    // The start-up check adds the missing column with this statement.
    void cosechaCanBeAdded() {
        long affected = 0;
        cnn->Execute("ALTER TABLE dbo.DJ_Q42 ADD Cosecha nvarchar(50) Null ", &affected);
        auto rs = open("SELECT Cosecha FROM DJ_Q42 WHERE Periodo = '06/2025'");
        QVERIFY(rs->Fields("Cosecha").isNull());
        QCOMPARE(rs->Fields("Cosecha").DefinedSize(), 50);
    }
};

QTEST_GUILESS_MAIN(TstDemoAdo)
#include "tst_demo_ado.moc"
