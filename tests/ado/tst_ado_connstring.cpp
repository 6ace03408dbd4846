// Connection strings: reading the provider forms, the ODBC string each one
// becomes, and keeping passwords out of every text shown.

#include "EntornoPrueba.h"
#include "OdbcFixture.h"
#include "ado/Ado.h"
#include "ado/AdoErrors.h"
#include "ado/ConnectionString.h"
#include "ado/Providers.h"

#include <QFile>
#include <QtTest>

using ado::detail::ConnectionString;

class TstAdoConnString : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    OdbcFixture odbc; // no "ODBC Driver 18" registered: FreeTDS is the default

    void writeIni(const QString& lines) {
        QFile f(env.ruta(QStringLiteral("ZK000pr.INI")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(lines.toUtf8());
    }

private Q_SLOTS:
    void init() { QFile::remove(env.ruta(QStringLiteral("ZK000pr.INI"))); }

    // Without the ODBC driver manager a server connection says so: IM002,
    // the provider not found, with the loader's reason and no password. The
    // first test: the manager is loaded once per process, and the strings
    // below read the same without it (no driver installed).
    void withoutTheDriverManager() {
        qputenv("Q42_ODBC_BIBLIOTECA", "libq42-sin-odbc.so.0");
        ado::Connection c;
        const qint32 n = errorOf([&] {
            c.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=srv;Database =Mill;UId=sa;"
                                  "Pwd=abc123;"));
        });
        qunsetenv("Q42_ODBC_BIBLIOTECA");
        QCOMPARE(n, ado::detail::ProviderNotFound);
        QCOMPARE(c.errors().Count(), 1);
        const ado::Error& e = c.errors().Item(0);
        QCOMPARE(e.SQLState, QStringLiteral("IM002"));
        QVERIFY2(e.Description.contains(QStringLiteral("libq42-sin-odbc.so.0")),
                 qPrintable(e.Description));
        QVERIFY(!e.Description.contains(QStringLiteral("abc123")));
    }

    void redactsPasswords_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("redacted");
        QTest::newRow("SQLOLEDB form")
            << "PROVIDER=SQLOLEDB;Server=srv;Database =Mill;UId=sa;Pwd=abc123;"
            << "PROVIDER=SQLOLEDB;Server=srv;Database =Mill;UId=sa;Pwd=***;";
        QTest::newRow("Oracle form") << "Provider=OraOLEDB.Oracle.1;Data Source=P;User Id=u;"
                                        "Password=abc;"
                                     << "Provider=OraOLEDB.Oracle.1;Data Source=P;User Id=u;"
                                        "Password=***;";
        QTest::newRow("upper case, blanks, last without semicolon") << "UID=a; PWD = x y"
                                                                    << "UID=a; PWD =***";
        QTest::newRow("braces keep semicolons") << "PWD={a;b}};c};DATABASE=d"
                                                << "PWD=***;DATABASE=d";
        QTest::newRow("quotes") << "Password='a;b';X=1"
                                << "Password=***;X=1";
        QTest::newRow("empty password") << "Pwd=;UId=sa"
                                        << "Pwd=***;UId=sa";
        // Without a ";" the rest of the text may be the password: it goes too.
        QTest::newRow("in a driver message") << "Login failed (PWD=zz9) for user 'sa'"
                                             << "Login failed (PWD=***";
        QTest::newRow("a key ending in pwd is none") << "OldPwdHint=x;Pwd=y"
                                                     << "OldPwdHint=x;Pwd=***";
        QTest::newRow("nothing to hide") << "Provider=SQLite;Data Source=a.db;"
                                         << "Provider=SQLite;Data Source=a.db;";
    }
    void redactsPasswords() {
        QFETCH(QString, text);
        QFETCH(QString, redacted);
        QCOMPARE(ado::redactPasswords(text), redacted);
    }

    void readsKeysWithBlanksAndQuotes() {
        const auto cs = ConnectionString::parse(QStringLiteral(
            " PROVIDER = SQLOLEDB ;Server=srv,1433;Database =Mi Base ;UId=sa;Pwd=\"a;b\";;x;"));
        QCOMPARE(cs.value({"provider"}), QStringLiteral("SQLOLEDB"));
        QCOMPARE(cs.value({"DATABASE"}), QStringLiteral("Mi Base"));
        QCOMPARE(cs.value({"Password", "pwd"}), QStringLiteral("a;b"));
        QCOMPARE(cs.value({"Server"}), QStringLiteral("srv,1433"));
        QVERIFY(!cs.has({"x"}));
    }

    void odbcStrings_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("provider");
        QTest::addColumn<QString>("odbc");
        QTest::newRow("SQL Server through FreeTDS, comma port")
            << ""
            << "PROVIDER=SQLOLEDB;Server=srv,1500;Database =Mill;UId=sa;Pwd=p;"
            << "DRIVER=FreeTDS;SERVER=srv;PORT=1500;DATABASE=Mill;UID=sa;PWD=p;TDS_Version=7.4;";
        QTest::newRow("FreeTDS, colon port and TDS version from the settings")
            << "[ODBC]\nTDS_Version=7.3\n"
            << "PROVIDER=SQLOLEDB;Server=srv:1500;Database =Mill;UId=sa;Pwd=p;"
            << "DRIVER=FreeTDS;SERVER=srv;PORT=1500;DATABASE=Mill;UID=sa;PWD=p;TDS_Version=7.3;";
        QTest::newRow("Driver 18 keeps host,port and passes Encrypt")
            << "[ODBC]\nDriverSqlServer=ODBC Driver 18 for SQL Server\nEncrypt=no\n"
               "TrustServerCertificate=yes\n"
            << "PROVIDER=SQLOLEDB;Server=srv:1500;Database =Mill;UId=sa;Pwd=a;b;"
            << "DRIVER=ODBC Driver 18 for SQL Server;SERVER=srv,1500;DATABASE=Mill;UID=sa;PWD=a;"
               "Encrypt=no;TrustServerCertificate=yes;";
        QTest::newRow("password with a semicolon is braced")
            << ""
            << "PROVIDER=SQLOLEDB;Server=srv;Database =Mill;UId=sa;Pwd='x;y';"
            << "DRIVER=FreeTDS;SERVER=srv;DATABASE=Mill;UID=sa;PWD={x;y};TDS_Version=7.4;";
        QTest::newRow("Oracle with its driver named")
            << "[ODBC]\nDriverOracle=Oracle 19 ODBC driver\n"
            << "Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=u;Password=p;"
            << "DRIVER=Oracle 19 ODBC driver;DBQ=PROD;UID=u;PWD=p;";
        QTest::newRow("MSDASQL passes the rest") << ""
                                                 << "Provider=MSDASQL;DSN=Mill;UID=u;"
                                                 << "DSN=Mill;UID=u;";
    }
    void odbcStrings() {
        QFETCH(QString, ini);
        QFETCH(QString, provider);
        QFETCH(QString, odbc);
        writeIni(ini);
        ado::Errors errors;
        QString name;
        QCOMPARE(ado::detail::odbcConnectionString(provider, {}, {}, errors, name), odbc);
        QVERIFY(errors.isEmpty());
    }

    void userAndPasswordArgumentsWin() {
        ado::Errors errors;
        QString name;
        QCOMPARE(ado::detail::odbcConnectionString(QStringLiteral("DSN=Mill;UID=a;PWD=b;"),
                                                   QStringLiteral("u"), QStringLiteral("p"), errors,
                                                   name),
                 QStringLiteral("DSN=Mill;UID=u;PWD=p;"));
        QCOMPARE(name, QStringLiteral("MSDASQL"));
    }

    void splitsHostAndPort_data() {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::newRow("comma") << "srv,1433"
                               << "srv"
                               << "1433";
        QTest::newRow("colon") << " srv : 1433 "
                               << "srv"
                               << "1433";
        QTest::newRow("instance") << "srv\\SQLEXPRESS"
                                  << "srv\\SQLEXPRESS"
                                  << "";
        QTest::newRow("IPv6 is no port") << "::1"
                                         << "::1"
                                         << "";
    }
    void splitsHostAndPort() {
        QFETCH(QString, server);
        QFETCH(QString, host);
        QFETCH(QString, port);
        const auto hp = ado::detail::splitHostPort(server);
        QCOMPARE(hp.host, host);
        QCOMPARE(hp.port, port);
    }

    void connectionStringDoesNotGiveThePasswordBack() {
        ado::Connection c;
        c.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=x.db;Pwd=secreto;"));
        QVERIFY(!c.ConnectionString().contains(QStringLiteral("secreto")));
        QVERIFY(c.ConnectionString().contains(QStringLiteral("Provider=SQLite")));
    }
};

QTEST_GUILESS_MAIN(TstAdoConnString)
#include "tst_ado_connstring.moc"
