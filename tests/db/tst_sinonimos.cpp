#include "EntornoPrueba.h"
#include "db/DB_Dll.h"

#include <QtTest>

class TstSinonimos : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    DB_Dll db;

private Q_SLOTS:
    void sustituye_data() {
        QTest::addColumn<bool>("admin");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("esperado");
        auto fila = [](const char* nombre, bool admin, const char* sql, const char* esperado) {
            QTest::newRow(nombre) << admin << QString(sql) << QString(esperado);
        };
        fila("blank both sides", false, "SELECT * FROM MA_CUENTAS WHERE a = 1",
             "SELECT * FROM SS_MA_CUENTAS WHERE a = 1");
        fila("parenthesis and blank", false, "SELECT * FROM (MA_CUENTAS x)",
             "SELECT * FROM (SS_MA_CUENTAS x)");
        fila("qualified column", false, "SELECT MA_CUENTAS.Codigo FROM T",
             "SELECT SS_MA_CUENTAS.Codigo FROM T");
        fila("parenthesis and dot", false, "SELECT MAX(MA_CUENTAS.Codigo) FROM T",
             "SELECT MAX(SS_MA_CUENTAS.Codigo) FROM T");
        fila("comma and dot", false, "SELECT a,MA_CUENTAS.b FROM T",
             "SELECT a,SS_MA_CUENTAS.b FROM T");
        fila("brace for object 1", false, "{MA_CUENTAS.Codigo}", "{SS_MA_CUENTAS.Codigo}");
        fila("brace not for the others", false, "{V_TA_CAJAS.Codigo}", "{V_TA_CAJAS.Codigo}");
        fila("object 2", false, "SELECT * FROM V_TA_DEPOSITO ORDER BY 1",
             "SELECT * FROM SS_V_TA_DEPOSITO ORDER BY 1");
        fila("object 3", false, "SELECT COUNT(*) FROM (MV_ASIENTOS a)",
             "SELECT COUNT(*) FROM (SS_MV_ASIENTOS a)");
        fila("object 4", false, "SELECT V_TA_FAMILIAS.Nivel FROM T",
             "SELECT SS_V_TA_FAMILIAS.Nivel FROM T");
        fila("object 5", false, "SELECT MAX(V_TA_CAJAS.Saldo) FROM T",
             "SELECT MAX(SS_V_TA_CAJAS.Saldo) FROM T");
        fila("object 6", false, "SELECT a,AC_CUENTASDIARIO.b FROM T",
             "SELECT a,SS_AC_CUENTASDIARIO.b FROM T");
        fila("object 7 with extra underscore", false, "SELECT * FROM AC_CUENTASDIARIO_CCOSTO x",
             "SELECT * FROM SS_AC_CUENTAS_DIARIO_CCOSTO x");
        fila("any letter case", false, "select * from ma_cuentas where a = 1",
             "select * from SS_MA_CUENTAS where a = 1");
        fila("at the very end", false, "SELECT * FROM MA_CUENTAS", "SELECT * FROM MA_CUENTAS");
        fila("after equals", false, "WHERE x =MA_CUENTAS.Codigo", "WHERE x =MA_CUENTAS.Codigo");
        fila("after a line break", false, "SELECT *\nMA_CUENTAS WHERE",
             "SELECT *\nMA_CUENTAS WHERE");
        fila("name with its own prefix", false, "SELECT * FROM XMA_CUENTAS WHERE",
             "SELECT * FROM XMA_CUENTAS WHERE");
        fila("counterpart not prefixed again", false, "SELECT * FROM SS_MA_CUENTAS WHERE",
             "SELECT * FROM SS_MA_CUENTAS WHERE");
        fila("marker keeps object 1", false, "SELECT * FROM @Admin_MA_CUENTAS WHERE a = 1",
             "SELECT * FROM MA_CUENTAS WHERE a = 1");
        fila("marker keeps another object", false, "SELECT * FROM @admin_V_TA_CAJAS WHERE",
             "SELECT * FROM V_TA_CAJAS WHERE");
        fila("marked and unmarked together", false,
             "SELECT * FROM @Admin_MA_CUENTAS a, MA_CUENTAS b",
             "SELECT * FROM MA_CUENTAS a, SS_MA_CUENTAS b");
        fila("administrator: only the marker goes", true,
             "SELECT * FROM MA_CUENTAS, @Admin_V_TA_CAJAS WHERE",
             "SELECT * FROM MA_CUENTAS, V_TA_CAJAS WHERE");
    }
    void sustituye() {
        QFETCH(bool, admin);
        QFETCH(QString, sql);
        QFETCH(QString, esperado);
        db.gEsAdmin = admin;
        const QString original = sql;
        QCOMPARE(db.SS_TSinonimos(sql), esperado);
        QCOMPARE(sql, original);
    }
};

QTEST_GUILESS_MAIN(TstSinonimos)
#include "tst_sinonimos.moc"
