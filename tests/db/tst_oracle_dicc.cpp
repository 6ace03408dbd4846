#include "TestEnv.h"
#include "db/DB_Dll.h"

#include <QtTest>

class TstOracleDicc : public QObject {
    Q_OBJECT
    TestEnv env;
    DB_Dll db;

    void oracle() {
        db.gConnString = "Provider=OraOLEDB.Oracle.1;Data Source=X;User Id=u;Password=p;";
    }

private Q_SLOTS:
    void otraBaseNoCambia_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("row limit and date") << "Select TOP 1 * from T where [a b] = '01/05/2006'";
        QTest::newRow("len") << "len";
        QTest::newRow("unclosed apostrophe") << "SELECT * FROM T WHERE a = 'x";
    }
    void otraBaseNoCambia() {
        QFETCH(QString, sql);
        db.gConnString = "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=u;Pwd=p;";
        QCOMPARE(db.ORACLE_Dicc(sql), sql);
    }

    void traduce_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("carry-over: rownum after condition, period stays text")
            << "Select TOP 1 * from DJ_Q42 where Periodo = '05/2006' ORDER BY PERIODO DESC"
            << "Select  * from DJ_Q42 where Periodo = '05/2006'    AND ROWNUM <= 1  ORDER BY "
               "PERIODO DESC";
        QTest::newRow("no where clause") << "SELECT TOP 5 Codigo FROM CLIENTES"
                                         << "SELECT  Codigo FROM CLIENTES  WHERE ROWNUM <= 5  ";
        QTest::newRow("group by tail")
            << "SELECT top 3 Art, SUM(C) FROM V WHERE A = 1 GROUP BY Art ORDER BY Art"
            << "SELECT  Art, SUM(C) FROM V WHERE A = 1    AND ROWNUM <= 3  GROUP BY Art ORDER "
               "BY Art ";
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

    void conexionEnMinusculas() {
        db.gConnString = "provider=oraoledb.oracle.1;data source=x;";
        QCOMPARE(db.ORACLE_Dicc("SELECT ISNULL(a,0) FROM T"), QString("SELECT NVL(a,0) FROM T"));
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
