#include "EntornoPrueba.h"
#include "db/DB_Dll.h"

#include <QtTest>

namespace {

// Records what the runner asks of the connection. DDL reports no count (-1)
// as drivers do; a statement containing `falla` throws.
class Grabador : public DestinoScript {
public:
    QStringList llamadas;
    ado::Errors errores;
    QString falla;

    void beginTrans() override { llamadas << "BEGIN"; }
    void commitTrans() override { llamadas << "COMMIT"; }
    void rollbackTrans() override { llamadas << "ROLLBACK"; }
    void execute(const QString& sentencia, long* afectados) override {
        if (!falla.isEmpty() && sentencia.contains(falla))
            throw q42::Error(q42::err::ErrorsInCommand, "ORA-00942: table or view does not exist");
        llamadas << "EXEC " + sentencia;
        const bool ddl = QRegularExpression("^(CREATE|DROP|ALTER|GRANT|IF)\\b",
                                            QRegularExpression::CaseInsensitiveOption)
                             .match(sentencia)
                             .hasMatch();
        *afectados = ddl ? -1 : 2;
    }
    ado::Errors& errors() override { return errores; }
};

ado::Error entrada(qint32 numero) {
    ado::Error e;
    e.Number = numero;
    return e;
}

} // namespace

class TstScriptOracle : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    DB_Dll db;

private Q_SLOTS:
    void init() { db.gMotor = ado::Engine::Oracle; }

    void corta_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("llamadas");
        QTest::addColumn<long>("afectados");
        QTest::newRow("transaction around statements")
            << "BEGIN TRANSACTION\r\nINSERT INTO T VALUES (1)\r\nUPDATE T SET a = 2\r\n"
               "COMMIT TRANSACTION"
            << QStringList{"BEGIN", "EXEC INSERT INTO T VALUES (1)", "EXEC UPDATE T SET a = 2",
                           "COMMIT"}
            << 4L;
        QTest::newRow("short transaction words and rollback")
            << "begin trans delete from T rollback trans"
            << QStringList{"BEGIN", "EXEC delete from T", "ROLLBACK"} << 2L;
        QTest::newRow("GO and SET NOCOUNT lines vanish")
            << "SET NOCOUNT ON\r\nGO\r\nDELETE FROM T\r\nGO\r\nINSERT INTO T VALUES (1)\r\nGO\r\n"
               "SET NOCOUNT OFF"
            << QStringList{"EXEC DELETE FROM T", "EXEC INSERT INTO T VALUES (1)"} << 4L;
        QTest::newRow("IF NOT EXIST guard not executed")
            << "IF NOT EXISTS (SELECT * FROM sysobjects WHERE name = 'T') CREATE TABLE T (a int)"
            << QStringList{"EXEC CREATE TABLE T (a int)"} << 0L;
        QTest::newRow("IF EXIST guard executed")
            << "IF EXISTS (SELECT 1 FROM T) DROP TABLE T"
            << QStringList{"EXEC IF EXISTS (SELECT 1 FROM T)", "EXEC DROP TABLE T"} << 0L;
        QTest::newRow("lower-case keywords")
            << "insert into t values (1) delete from t"
            << QStringList{"EXEC insert into t values (1)", "EXEC delete from t"} << 4L;
        QTest::newRow("text before the first keyword never runs")
            << "PRINT 'x' UPDATE T SET a = 1" << QStringList{"EXEC UPDATE T SET a = 1"} << 2L;
        QTest::newRow("pieces are translated")
            << "UPDATE T SET b = ISNULL(c, 0) WHERE d = ''"
            << QStringList{"EXEC UPDATE T SET b = NVL(c, 0) WHERE d  IS NULL "} << 2L;
        QTest::newRow("keyword inside a statement cuts it")
            << "CREATE TABLE T (a int REFERENCES U ON DELETE CASCADE)"
            << QStringList{"EXEC CREATE TABLE T (a int REFERENCES U ON", "EXEC DELETE CASCADE)"}
            << 2L;
    }
    void corta() {
        QFETCH(QString, script);
        QFETCH(QStringList, llamadas);
        QFETCH(long, afectados);
        Grabador g;
        long n = 0;
        db.EjecutaScriptOracle(script, n, &g);
        QCOMPARE(g.llamadas, llamadas);
        QCOMPARE(n, afectados);
        QCOMPARE(script, QString());
    }

    void sinClaveNoEjecutaYNormaliza() {
        Grabador g;
        g.errores.Add(entrada(265929));
        QString script = "SELECT * FROM T\r\nWHERE a = 1 GO ";
        long n = 7;
        db.EjecutaScriptOracle(script, n, &g);
        QVERIFY(g.llamadas.isEmpty());
        QCOMPARE(script, QString("SELECT * FROM T \nWHERE a = 1 "));
        QCOMPARE(n, 7L);
        QCOMPARE(g.errores.Count(), 0);
    }

    void avisoOracle_data() {
        QTest::addColumn<QList<int>>("numeros");
        QTest::addColumn<int>("quedan");
        QTest::newRow("lone notice cleared") << QList<int>{265929} << 0;
        QTest::newRow("other number kept") << QList<int>{265928} << 1;
        QTest::newRow("notice among others kept") << QList<int>{265929, 265929} << 2;
        QTest::newRow("none") << QList<int>{} << 0;
    }
    void avisoOracle() {
        QFETCH(QList<int>, numeros);
        QFETCH(int, quedan);
        Grabador g;
        for (int numero : numeros)
            g.errores.Add(entrada(numero));
        QString script = "DELETE FROM T";
        long n = 0;
        db.EjecutaScriptOracle(script, n, &g);
        QCOMPARE(g.errores.Count(), quedan);
    }

    // The first failure ends the script; a transaction the script began is
    // rolled back (giving the connection its autocommit back), none other.
    void primerFalloTermina_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("llamadas");
        QTest::newRow("inside a transaction")
            << "BEGIN TRANSACTION DELETE FROM T DELETE FROM NOEXISTE INSERT INTO T VALUES (1) "
               "COMMIT TRANSACTION"
            << QStringList{"BEGIN", "EXEC DELETE FROM T", "ROLLBACK"};
        QTest::newRow("after its commit")
            << "BEGIN TRANSACTION DELETE FROM T COMMIT TRANSACTION DELETE FROM NOEXISTE"
            << QStringList{"BEGIN", "EXEC DELETE FROM T", "COMMIT"};
    }
    void primerFalloTermina() {
        QFETCH(QString, script);
        QFETCH(QStringList, llamadas);
        Grabador g;
        g.falla = "FROM NOEXISTE";
        g.errores.Add(entrada(-2147217865));
        long n = 0;
        QVERIFY_THROWS_EXCEPTION(q42::Error, db.EjecutaScriptOracle(script, n, &g));
        QCOMPARE(g.llamadas, llamadas);
        QCOMPARE(n, 2L);
        QVERIFY(script.startsWith("DELETE FROM NOEXISTE"));
        // The driver's report of the failure outlives the rollback.
        QCOMPARE(g.errores.Count(), 1);
    }

    void filtra_data() {
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<QString>("queda");
        QTest::newRow("nocount") << "set nocount on"
                                 << "";
        QTest::newRow("guard") << "If Not Exists (SELECT 1 FROM T)"
                               << "";
        QTest::newRow("statement") << "INSERT INTO T VALUES (1)"
                                   << "INSERT INTO T VALUES (1)";
    }
    void filtra() {
        QFETCH(QString, sentencia);
        QFETCH(QString, queda);
        QCOMPARE(DB_Dll::FiltraSentenciaOracle(sentencia), queda);
        QCOMPARE(sentencia, queda);
    }

    // Without a destination the pieces go to the class's own connection.
    void usaLaConexion() {
        DB_Dll local;
        local.gConnString = "Provider=SQLite;Data Source=:memory:;";
        local.gCnn->Open(local.gConnString);
        long n = 0;
        QString crea = "CREATE TABLE T (a int)";
        local.EjecutaScriptOracle(crea, n);
        QString script = "BEGIN TRANSACTION\r\nINSERT INTO T VALUES (1)\r\nINSERT INTO T VALUES "
                         "(2)\r\nUPDATE T SET a = a + 1\r\nCOMMIT TRANSACTION";
        n = 0;
        local.EjecutaScriptOracle(script, n);
        QCOMPARE(n, 4L);
        QCOMPARE(local.gCnn->transactionLevel(), 0);
        auto rs = local.gCnn->Execute("SELECT SUM(a) AS s FROM T");
        QCOMPARE(rs->value("s").toInt(), 5);
        // A failed script leaves no transaction open and nothing of its own.
        QString fallido = "BEGIN TRANSACTION INSERT INTO T VALUES (100) INSERT INTO NOEXISTE "
                          "VALUES (1) COMMIT TRANSACTION";
        QVERIFY_THROWS_EXCEPTION(q42::Error, local.EjecutaScriptOracle(fallido, n));
        QCOMPARE(local.gCnn->transactionLevel(), 0);
        QCOMPARE(local.gCnn->Execute("SELECT SUM(a) AS s FROM T")->value("s").toInt(), 5);
    }
};

QTEST_GUILESS_MAIN(TstScriptOracle)
#include "tst_script_oracle.moc"
