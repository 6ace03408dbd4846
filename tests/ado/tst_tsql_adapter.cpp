// The T-SQL the program writes, as SQLite must receive it; and the reading
// of statements that decides whether a record set can be written.

#include "EntornoPrueba.h"
#include "ado/SqlTokens.h"
#include "ado/TsqlAdapter.h"

#include <QtTest>

class TstTsqlAdapter : public QObject {
    Q_OBJECT
    EntornoPrueba env;

private Q_SLOTS:
    void adapts_data() {
        QTest::addColumn<QString>("tsql");
        QTest::addColumn<QString>("sqlite");
        // TOP n
        QTest::newRow("top") << "SELECT TOP 1 * FROM T"
                             << "SELECT * FROM T LIMIT 1";
        QTest::newRow("top with two blanks")
            << "SELECT TOP 1  * FROM DJ_Q42 WHERE LTRIM(RTRIM(Periodo)) ='01/2024'"
            << "SELECT * FROM DJ_Q42 WHERE LTRIM(RTRIM(Periodo)) ='01/2024' LIMIT 1";
        QTest::newRow("top after order by")
            << "select top 5 a from t where b = 1 order by a desc"
            << "select a from t where b = 1 order by a desc LIMIT 5";
        QTest::newRow("top after group by and having")
            << "SELECT TOP 3 a, COUNT(*) FROM t GROUP BY a HAVING COUNT(*) > 1"
            << "SELECT a, COUNT(*) FROM t GROUP BY a HAVING COUNT(*) > 1 LIMIT 3";
        QTest::newRow("top in parentheses") << "SELECT TOP (2) a FROM t"
                                            << "SELECT a FROM t LIMIT 2";
        QTest::newRow("distinct top") << "SELECT DISTINCT TOP 2 a FROM t"
                                      << "SELECT DISTINCT a FROM t LIMIT 2";
        QTest::newRow("top in a sub-query")
            << "SELECT * FROM a WHERE x IN (SELECT TOP 1 x FROM b ORDER BY y) ORDER BY z"
            << "SELECT * FROM a WHERE x IN (SELECT x FROM b ORDER BY y LIMIT 1) ORDER BY z";
        QTest::newRow("top before a semicolon") << "SELECT TOP 1 a FROM t; SELECT 2"
                                                << "SELECT a FROM t LIMIT 1; SELECT 2";
        QTest::newRow("top before a trailing comment") << "SELECT TOP 1 a FROM t -- last"
                                                       << "SELECT a FROM t LIMIT 1 -- last";
        QTest::newRow("top in a union member")
            << "SELECT TOP 1 a FROM t UNION SELECT b FROM u"
            << "SELECT * FROM (SELECT a FROM t LIMIT 1) UNION SELECT b FROM u";
        QTest::newRow("top percent is left alone") << "SELECT TOP 10 PERCENT a FROM t"
                                                   << "SELECT TOP 10 PERCENT a FROM t";
        QTest::newRow("top column name is no keyword") << "SELECT top_n FROM t"
                                                       << "SELECT top_n FROM t";
        // literals, owners, names
        QTest::newRow("N literal") << "WHERE a = N'Año' AND b = n'x'"
                                   << "WHERE a = 'Año' AND b = 'x'";
        QTest::newRow("dbo owner") << "ALTER TABLE dbo.DJ_Q42 ADD Cosecha nvarchar(50) Null "
                                   << "ALTER TABLE DJ_Q42 ADD Cosecha nvarchar(50) Null ";
        QTest::newRow("bracketed owner and names") << "SELECT [Mi Campo] FROM [dbo].[Mi Tabla]"
                                                   << "SELECT \"Mi Campo\" FROM \"Mi Tabla\"";
        QTest::newRow("bracket with quote and closing bracket") << "SELECT [a\"b]]c] FROM t"
                                                                << "SELECT \"a\"\"b]c\" FROM t";
        QTest::newRow("dbo inside a word stays") << "SELECT dbox.a, mydbo.b FROM dbox"
                                                 << "SELECT dbox.a, mydbo.b FROM dbox";
        // functions
        QTest::newRow("isnull and len") << "SELECT ISNULL(a, 0), LEN (b) FROM t"
                                        << "SELECT IFNULL(a, 0), LENGTH (b) FROM t";
        QTest::newRow("substring in an order by")
            << "SELECT * FROM t ORDER BY SUBSTRING(Periodo,4,4), substring(Periodo,1,2)"
            << "SELECT * FROM t ORDER BY SUBSTR(Periodo,4,4), SUBSTR(Periodo,1,2)";
        QTest::newRow("column named len") << "SELECT len FROM t"
                                          << "SELECT len FROM t";
        QTest::newRow("charindex swaps") << "WHERE CHARINDEX('-', Codigo) > 0"
                                         << "WHERE INSTR(Codigo, '-') > 0";
        QTest::newRow("charindex nested") << "CHARINDEX(ISNULL(a,'x'), LEN(b))"
                                          << "INSTR(LENGTH(b), IFNULL(a,'x'))";
        QTest::newRow("charindex with start is left") << "CHARINDEX('a', b, 2)"
                                                      << "CHARINDEX('a', b, 2)";
        QTest::newRow("getdate") << "UPDATE t SET f = GETDATE()"
                                 << "UPDATE t SET f = datetime('now','localtime')";
        QTest::newRow("getdate with blanks") << "SELECT GETDATE ( )"
                                             << "SELECT datetime('now','localtime')";
        QTest::newRow("convert to text") << "SELECT CONVERT(NVARCHAR, Cantidad) FROM t"
                                         << "SELECT CAST(Cantidad AS TEXT) FROM t";
        QTest::newRow("convert sized text") << "SELECT CONVERT(varchar(10), a + 1)"
                                            << "SELECT CAST(a + 1 AS TEXT)";
        QTest::newRow("convert to int") << "WHERE CONVERT(INT, Codigo) = 3"
                                        << "WHERE CAST(Codigo AS INTEGER) = 3";
        QTest::newRow("convert date to dd/mm/yyyy") << "SELECT CONVERT(NVARCHAR, Fecha, 103)"
                                                    << "SELECT strftime('%d/%m/%Y', Fecha)";
        QTest::newRow("convert dd/mm/yyyy text to date")
            << "WHERE Fecha >= CONVERT(DATETIME, '05/06/2006', 103)"
            << "WHERE Fecha >= datetime(substr('05/06/2006',7,4)||'-'||substr('05/06/2006',4,2)"
               "||'-'||substr('05/06/2006',1,2))";
        QTest::newRow("convert iso text to date") << "WHERE Fecha < CONVERT(DATETIME, '2006-06-05')"
                                                  << "WHERE Fecha < datetime('2006-06-05')";
        QTest::newRow("nvarchar(max)") << "CREATE TABLE t (a nvarchar(max), b NVARCHAR (MAX))"
                                       << "CREATE TABLE t (a nvarchar, b NVARCHAR)";
        QTest::newRow("nolock hint") << "SELECT * FROM t WITH (NOLOCK) WHERE a = 1"
                                     << "SELECT * FROM t WHERE a = 1";
        // never inside literals, quoted names or comments
        QTest::newRow("keywords in a literal")
            << "SELECT 'SELECT TOP 1 dbo.x ISNULL( LEN( GETDATE() N''a'' [b]' FROM t"
            << "SELECT 'SELECT TOP 1 dbo.x ISNULL( LEN( GETDATE() N''a'' [b]' FROM t";
        QTest::newRow("quote doubled at the end of a literal")
            << "WHERE a = 'it''s' AND LEN(b) = 1"
            << "WHERE a = 'it''s' AND LENGTH(b) = 1";
        QTest::newRow("literal with brackets stays") << "WHERE a LIKE '[0-9]%' AND b = [c]"
                                                     << "WHERE a LIKE '[0-9]%' AND b = \"c\"";
        QTest::newRow("quoted name stays") << "SELECT \"dbo.ISNULL(\" FROM t"
                                           << "SELECT \"dbo.ISNULL(\" FROM t";
        QTest::newRow("comment stays") << "SELECT a /* TOP 1 dbo.t */ FROM t -- ISNULL(x)"
                                       << "SELECT a /* TOP 1 dbo.t */ FROM t -- ISNULL(x)";
        QTest::newRow("unterminated literal") << "SELECT 'abc"
                                              << "SELECT 'abc";
        QTest::newRow("empty") << ""
                               << "";
        // Found by fuzzing: a conversion without an SQLite form used to have
        // its value rendered twice, so nesting took exponential time.
        const QString anidado = QStringLiteral("CONVERT(X, ").repeated(40) + QStringLiteral("a") +
                                QStringLiteral(")").repeated(40);
        QTest::newRow("nested conversions without an SQLite form") << anidado << anidado;
        QTest::newRow("unknown style inside a cast")
            << "CONVERT(INT, CONVERT(NVARCHAR, LEN(x), 999))"
            << "CAST(CONVERT(NVARCHAR, LENGTH(x), 999) AS INTEGER)";
        QTest::newRow("date style inside a date conversion")
            << "CONVERT(DATE, CONVERT(NVARCHAR, ISNULL(f, g), 112), 112)"
            << "date(substr(strftime('%Y%m%d', IFNULL(f, g)),1,4)||'-'||substr(strftime('%Y%m%d', "
               "IFNULL(f, g)),5,2)||'-'||substr(strftime('%Y%m%d', IFNULL(f, g)),7,2))";
    }
    void adapts() {
        QFETCH(QString, tsql);
        QFETCH(QString, sqlite);
        QCOMPARE(ado::adaptTsqlForSqlite(tsql), sqlite);
    }

    void singleTable_data() {
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("table");
        QTest::newRow("plain") << "SELECT * FROM DJ_Q42"
                               << "DJ_Q42";
        QTest::newRow("owner and where") << "select a, b from dbo.DJ_Q42 where a = 1"
                                         << "dbo.DJ_Q42";
        QTest::newRow("bracketed with alias") << "SELECT x.* FROM [Mi Tabla] AS x ORDER BY 1"
                                              << "[Mi Tabla]";
        QTest::newRow("alias without AS") << "SELECT t.a FROM T t WHERE t.a = 1"
                                          << "T";
        QTest::newRow("top") << "SELECT TOP 1  * FROM DJ_Q42 WHERE LTRIM(RTRIM(Periodo)) ='x'"
                             << "DJ_Q42";
        QTest::newRow("sub-query in where")
            << "SELECT * FROM a WHERE x IN (SELECT x FROM b JOIN c ON 1 = 1)"
            << "a";
        QTest::newRow("join") << "SELECT * FROM a JOIN b ON a.x = b.x"
                              << "";
        QTest::newRow("inner join") << "SELECT * FROM a x INNER JOIN b ON 1 = 1"
                                    << "";
        QTest::newRow("two tables") << "SELECT * FROM a, b"
                                    << "";
        QTest::newRow("derived table") << "SELECT * FROM (SELECT * FROM a) x"
                                       << "";
        QTest::newRow("union") << "SELECT a FROM t UNION SELECT a FROM u"
                               << "";
        QTest::newRow("group by") << "SELECT a, COUNT(*) FROM t GROUP BY a"
                                  << "";
        QTest::newRow("distinct") << "SELECT DISTINCT a FROM t"
                                  << "";
        QTest::newRow("no select") << "UPDATE t SET a = 1"
                                   << "";
        QTest::newRow("FROM inside a literal") << "SELECT 'FROM x, y' AS a FROM t"
                                               << "t";
    }
    void singleTable() {
        QFETCH(QString, select);
        QFETCH(QString, table);
        QCOMPARE(ado::detail::singleTableOf(select), table);
    }
};

QTEST_GUILESS_MAIN(TstTsqlAdapter)
#include "tst_tsql_adapter.moc"
