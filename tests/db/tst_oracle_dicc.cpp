#include "EntornoPrueba.h"
#include "db/DB_Dll.h"

#include <QtTest>

class TstOracleDicc : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    DB_Dll db;

    void oracle() { db.gMotor = ado::Engine::Oracle; }

private Q_SLOTS:
    void otraBaseNoCambia_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("row limit and date") << "Select TOP 1 * from T where [a b] = '01/05/2006'";
        QTest::newRow("len") << "len";
        QTest::newRow("unclosed apostrophe") << "SELECT * FROM T WHERE a = 'x";
    }
    void otraBaseNoCambia() {
        QFETCH(QString, sql);
        // Names that say "oracle" make no Oracle connection.
        db.gConnString = "PROVIDER=SQLOLEDB;Server=oracle1;Database =ORACLE;UId=u;Pwd=p;";
        db.gMotor = DB_Dll::motorDe(db.gConnString, "oracle1");
        QCOMPARE(db.ORACLE_Dicc(sql), sql);
    }

    void traduce_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("carry-over: the limit outside the order, period stays text")
            << "Select TOP 1 * from DJ_Q42 where Periodo = '05/2006' ORDER BY PERIODO DESC"
            << "SELECT * FROM (Select * from DJ_Q42 where Periodo = '05/2006' ORDER BY PERIODO "
               "DESC) WHERE ROWNUM <= 1";
        QTest::newRow("no where clause") << "SELECT TOP 5 Codigo FROM CLIENTES"
                                         << "SELECT * FROM (SELECT Codigo FROM CLIENTES) WHERE "
                                            "ROWNUM <= 5";
        QTest::newRow("group by tail")
            << "SELECT top 3 Art, SUM(C) FROM V WHERE A = 1 GROUP BY Art ORDER BY Art"
            << "SELECT * FROM (SELECT Art, SUM(C) FROM V WHERE A = 1 GROUP BY Art ORDER BY Art) "
               "WHERE ROWNUM <= 3";
        QTest::newRow("limit of a subquery")
            << "SELECT a FROM T WHERE b IN (SELECT TOP 2 c FROM U ORDER BY c) AND d = 1"
            << "SELECT a FROM T WHERE b IN (SELECT * FROM (SELECT c FROM U ORDER BY c) WHERE "
               "ROWNUM <= 2) AND d = 1";
        QTest::newRow("top inside a name is no row limit") << "SELECT desktop FROM T WHERE a = 1"
                                                           << "SELECT desktop FROM T WHERE a = 1";
        QTest::newRow("len with blanks") << "SELECT LEN (Nombre), len(x) FROM T"
                                         << "SELECT LENGTH(Nombre), LENGTH(x) FROM T";
        QTest::newRow("quoted names") << "SELECT [Razon Social] FROM T"
                                      << "SELECT \"Razon Social\" FROM T";
        QTest::newRow("date literal") << "SELECT * FROM T WHERE Fecha >= '1/5/2006'"
                                      << "SELECT * FROM T WHERE Fecha >= "
                                         "TO_DATE('01/05/2006','DD/MM/YYYY')";
        QTest::newRow("date already in TO_DATE")
            << "SELECT * FROM T WHERE Fecha >= TO_DATE('01/05/2006','DD/MM/YYYY')"
            << "SELECT * FROM T WHERE Fecha >= TO_DATE('01/05/2006','DD/MM/YYYY')";
        QTest::newRow("same date twice")
            << "SELECT * FROM T WHERE F BETWEEN '01/05/2006' AND '01/05/2006'"
            << "SELECT * FROM T WHERE F BETWEEN TO_DATE('01/05/2006','DD/MM/YYYY') AND "
               "TO_DATE('01/05/2006','DD/MM/YYYY')";
        QTest::newRow("date and time inside TO_DATE")
            << "INSERT INTO V (F,A) values(TO_DATE('2024-12-31 10:05:00', 'YYYY-MM-DD "
               "HH24:MI:SS'),'7')"
            << "INSERT INTO V (F,A) values(TO_DATE('2024-12-31 10:05:00', 'YYYY-MM-DD "
               "HH24:MI:SS'),'7')";
        QTest::newRow("day-first date and time inside TO_DATE")
            << "SELECT * FROM T WHERE F = TO_DATE('31/12/2024 10:05:00','DD/MM/YYYY HH24:MI:SS')"
            << "SELECT * FROM T WHERE F = TO_DATE('31/12/2024 10:05:00','DD/MM/YYYY HH24:MI:SS')";
        QTest::newRow("SQL Server moment")
            << "UPDATE C  SET E = CONVERT(datetime, '2025-07-09 08:05:00', 120) WHERE ID = 0"
            << "UPDATE C  SET E = TO_DATE('2025-07-09 08:05:00', 'YYYY-MM-DD HH24:MI:SS') WHERE "
               "ID = 0";
        QTest::newRow("SQL Server end of day")
            << "SELECT * FROM T WHERE (F <= CONVERT(datetime, '2025-06-30 23:59:59.997', 121))"
            << "SELECT * FROM T WHERE (F <= TO_DATE('2025-06-30 23:59:59', 'YYYY-MM-DD "
               "HH24:MI:SS'))";
        QTest::newRow("text starting with an apostrophe stays a literal")
            << "SELECT * FROM T WHERE Nombre = '''abc' AND b = ''"
            << "SELECT * FROM T WHERE Nombre = '''abc' AND b  IS NULL ";
        QTest::newRow("words inside a literal stay")
            << "SELECT [a b] FROM T WHERE c = '[x] ISNULL(y) LEN(z) top 3 = '''"
            << "SELECT \"a b\" FROM T WHERE c = '[x] ISNULL(y) LEN(z) top 3 = '''";
        QTest::newRow("text literal left alone") << "SELECT * FROM T WHERE Nombre = 'Juan 12'"
                                                 << "SELECT * FROM T WHERE Nombre = 'Juan 12'";
        QTest::newRow("charindex") << "SELECT CHARINDEX('a', x) FROM T"
                                   << "SELECT InStr('a', x) FROM T";
        QTest::newRow("convert style 103") << "SELECT CONVERT(NVARCHAR, Fecha, 103) FROM T"
                                           << "SELECT TO_CHAR( Fecha, 'DD/MM/YYYY') FROM T";
        QTest::newRow("convert style 103 around a call")
            << "SELECT convert(nvarchar, GETDATE(), 103) FROM T"
            << "SELECT TO_CHAR( GETDATE(), 'DD/MM/YYYY') FROM T";
        QTest::newRow("convert int") << "SELECT CONVERT(INT, Codigo) FROM T"
                                     << "SELECT TO_NUMBER( Codigo) FROM T";
        QTest::newRow("103 in a condition") << "SELECT * FROM T WHERE Codigo = 103"
                                            << "SELECT * FROM T WHERE Codigo = 103";
        QTest::newRow("103 after a closed TO_CHAR")
            << "SELECT TO_CHAR(x) FROM T WHERE Codigo = 103"
            << "SELECT TO_CHAR(x) FROM T WHERE Codigo = 103";
        QTest::newRow("empty text only after where")
            << "UPDATE T SET a = '' WHERE b = '' AND c=''"
            << "UPDATE T SET a = '' WHERE b  IS NULL  AND c IS NULL ";
        QTest::newRow("no where keeps empty text") << "UPDATE T SET a = ''"
                                                   << "UPDATE T SET a = ''";
        QTest::newRow("substring and isnull") << "SELECT SUBSTRING(a,1,2), isnull(b,0) FROM T"
                                              << "SELECT SUBSTR(a,1,2), NVL(b,0) FROM T";
        QTest::newRow("single word len") << "len"
                                         << "LENGTH";
        QTest::newRow("other single word") << "Codigo"
                                           << "Codigo";
        QTest::newRow("empty") << ""
                               << "";
    }
    void traduce() {
        QFETCH(QString, sql);
        QFETCH(QString, esperado);
        oracle();
        const QString original = sql;
        QCOMPARE(db.ORACLE_Dicc(sql), esperado);
        QCOMPARE(sql, original);
    }

    // The engine comes from the provider or the "#" marker, never from a
    // name that happens to say "oracle".
    void motor_data() {
        QTest::addColumn<QString>("cadena");
        QTest::addColumn<QString>("servidor");
        QTest::addColumn<int>("motor");
        QTest::newRow("sql server named oracle")
            << "PROVIDER=SQLOLEDB;Server=oracle1;Database =ORACLE;UId=oracle;Pwd=p;"
            << "oracle1" << int(ado::Engine::SqlServer);
        QTest::newRow("oracle provider, lower case") << "provider=oraoledb.oracle.1;data source=x;"
                                                     << "" << int(ado::Engine::Oracle);
        QTest::newRow("server marked with #") << "PROVIDER=SQLOLEDB;Server=#ORA;"
                                              << "#ORA" << int(ado::Engine::Oracle);
        QTest::newRow("sqlite file named oracle") << "Provider=SQLite;Data Source=oracle.sqlite;"
                                                  << "" << int(ado::Engine::SQLite);
        QTest::newRow("provider after other entries, spaced")
            << "Data Source=x; Provider = OraOLEDB.Oracle ;"
            << "" << int(ado::Engine::Oracle);
        QTest::newRow("a key ending in provider is another key")
            << "XProvider=SQLOLEDB;Provider=SQLite;"
            << "" << int(ado::Engine::SQLite);
        QTest::newRow("data source named oracle: the driver tells") << "DSN=ORACLE;"
                                                                    << "" << int(ado::Engine::None);
    }
    void motor() {
        QFETCH(QString, cadena);
        QFETCH(QString, servidor);
        QFETCH(int, motor);
        QCOMPARE(int(DB_Dll::motorDe(cadena, servidor)), motor);
    }

    void rechaza_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("unclosed apostrophe") << "SELECT * FROM T WHERE a = 'abc";
        QTest::newRow("unclosed after a literal") << "SELECT * FROM T WHERE a = 'x' AND b = 'y";
        QTest::newRow("number last") << "SELECT * FROM T WHERE a IN (SELECT TOP 5";
        QTest::newRow("top at the end") << "SELECT TOP ";
    }
    void rechaza() {
        QFETCH(QString, sql);
        oracle();
        QVERIFY_THROWS_EXCEPTION(q42::Error, db.ORACLE_Dicc(sql));
    }
};

QTEST_GUILESS_MAIN(TstOracleDicc)
#include "tst_oracle_dicc.moc"
