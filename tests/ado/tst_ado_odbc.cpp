// The ODBC provider against real drivers: the SQLite ODBC driver on a file
// of a temporary folder, and FreeTDS against loopback ports that refuse or
// never answer. The drivers are registered in a private odbcinst.ini.

#include "EntornoPrueba.h"
#include "OdbcFixture.h"
#include "ado/Ado.h"
#include "core/Error.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace ado;

namespace {

// A loopback port: listening (the handshake completes, nothing is ever
// answered) or already closed again (connections are refused).
class LoopbackPort {
public:
    explicit LoopbackPort(bool listening) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &len);
        m_port = ntohs(a.sin_port);
        if (listening) {
            ::listen(m_fd, 8);
        } else {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~LoopbackPort() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

const QString kPassword = QStringLiteral("S3cr3t;Pw");

} // namespace

class TstAdoOdbc : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    OdbcFixture odbc;
    QString file;

    std::shared_ptr<Connection> connect() {
        auto c = std::make_shared<Connection>();
        c->setCursorLocation(adUseClient);
        c->Open(QStringLiteral("Provider=MSDASQL;") + OdbcFixture::sqliteConnectionString(file));
        return c;
    }

    void writeIni(const QString& lines) {
        QFile f(env.ruta(QStringLiteral("ZK000pr.INI")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(("[ODBC]\r\n" + lines).toUtf8());
    }

    void checkNoPassword(const Connection& c, const QString& thrown) {
        QVERIFY2(!thrown.contains(QStringLiteral("S3cr3t")), qPrintable(thrown));
        for (int i = 0; i < c.errors().Count(); ++i)
            QVERIFY2(!c.errors().Item(i).Description.contains(QStringLiteral("S3cr3t")),
                     qPrintable(c.errors().Item(i).Description));
        QVERIFY(!c.ConnectionString().contains(QStringLiteral("S3cr3t")));
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY2(odbc.isValid(), "libsqliteodbc and tdsodbc are needed"); }

    void init() {
        QFile::remove(env.ruta(QStringLiteral("ZK000pr.INI")));
        file = env.ruta(QStringLiteral("odbc_%1.db").arg(QTest::currentTestFunction()));
        QFile::remove(file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        auto c = std::make_shared<Connection>();
        c->Open(QStringLiteral("Provider=SQLite;Data Source=") + file);
        c->Execute(QStringLiteral(
            "CREATE TABLE DJ_Q42 (Periodo nvarchar(7) NOT NULL PRIMARY KEY, Cantidad real, "
            "Obs nvarchar(20), Fecha datetime, Nro int NOT NULL DEFAULT 7)"));
        c->Execute(QStringLiteral("CREATE TABLE DJXQ42 (x int)"));
        c->Execute(QStringLiteral("INSERT INTO DJ_Q42 (Periodo, Cantidad, Obs, Fecha) VALUES "
                                  "('01/2024', 10.25, 'a', '2024-01-31 10:20:30'), "
                                  "('02/2024', 20, NULL, NULL), ('03/2024', NULL, 'c', NULL)"));
    }

    void engineFromTheDriver_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("provider");
        QTest::newRow("MSDASQL") << "Provider=MSDASQL;"
                                 << "MSDASQL";
        QTest::newRow("plain ODBC string") << ""
                                           << "MSDASQL";
    }
    void engineFromTheDriver() {
        QFETCH(QString, prefix);
        QFETCH(QString, provider);
        Connection c;
        c.Open(prefix + OdbcFixture::sqliteConnectionString(file));
        QCOMPARE(c.engine(), Engine::SQLite);
        QCOMPARE(c.Provider(), provider);
        // The T-SQL adaptation applies because the driver says SQLite.
        auto rs = c.Execute(QStringLiteral(
            "SELECT TOP 1 * FROM dbo.[DJ_Q42] WHERE ISNULL(Obs, N'') = N'a' ORDER BY Periodo"));
        QCOMPARE(rs->value("Periodo").toString(), QStringLiteral("01/2024"));
    }

    void dataSourceName() {
        odbc.addDsn(QStringLiteral("Q42Prueba"), OdbcFixture::sqliteDriver(), file);
        Connection c;
        c.Open(QStringLiteral("Provider=MSDASQL;DSN=Q42Prueba;"));
        QCOMPARE(c.engine(), Engine::SQLite);
    }

    void describesColumnsAndWalks() {
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ_Q42 ORDER BY Periodo"), c, adOpenDynamic,
                adLockOptimistic);
        QCOMPARE(rs.RecordCount(), 3L);
        // The SQLite driver describes nvarchar as SQL_VARCHAR.
        QCOMPARE(rs.Fields("Periodo").Type(), int(adVarChar));
        QCOMPARE(rs.Fields("Fecha").Type(), int(adDBTimeStamp));
        QCOMPARE(rs.Fields("Periodo").DefinedSize(), 7);
        QCOMPARE(rs.Fields("Cantidad").Type(), int(adDouble));
        QCOMPARE(rs.Fields("Nro").Type(), int(adInteger));
        QCOMPARE(rs.value("Cantidad").toDouble(), 10.25);
        QCOMPARE(rs.value("Fecha").toDateTime(), QDateTime(QDate(2024, 1, 31), QTime(10, 20, 30)));
        rs.MovePrevious();
        QVERIFY(rs.BOF());
        rs.MoveNext();
        QCOMPARE(rs.value("Periodo").toString(), QStringLiteral("01/2024"));
        rs.MoveLast();
        QVERIFY(!rs.value("Cantidad").isValid());
        rs.MoveNext();
        QVERIFY(rs.EOF_());
    }

    void optimisticUpdateThroughOdbc() {
        auto a = connect();
        auto b = connect();
        Recordset ra;
        Recordset rb;
        const QString sql = QStringLiteral("SELECT * FROM DJ_Q42 WHERE Periodo = '01/2024'");
        ra.Open(sql, a, adOpenDynamic, adLockOptimistic);
        rb.Open(sql, b, adOpenDynamic, adLockOptimistic);
        ra.Fields("Obs").setValue(QStringLiteral("primero"));
        ra.Update();
        rb.Fields("Obs").setValue(QStringLiteral("segundo"));
        QCOMPARE(errorOf([&] { rb.Update(); }), q42::err::RowNotFoundForUpdate);
        rb.CancelUpdate();
        auto check = a->Execute(sql);
        QCOMPARE(check->value("Obs").toString(), QStringLiteral("primero"));
        // The row, dates and reals included, still matches what ra read.
        ra.Fields("Cantidad").setValue(QStringLiteral("1.5"));
        ra.Update();
        ra.Delete();
        QVERIFY(a->Execute(sql)->EOF_());
    }

    // The SQLite driver reads reals with 15 digits: a row holding more must
    // still be found again by the optimistic WHERE, and a real written
    // keeps its digits.
    void realsThroughTheSqliteDriver() {
        auto c = connect();
        c->Execute(
            QStringLiteral("UPDATE DJ_Q42 SET Cantidad = 0.1 + 0.2 WHERE Periodo = '02/2024'"));
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ_Q42 WHERE Periodo = '02/2024'"), c, adOpenDynamic,
                adLockOptimistic);
        rs.Fields("Obs").setValue(QStringLiteral("ok"));
        rs.Update();
        rs.Fields("Cantidad").setValue(1.0 / 3.0);
        rs.Update();
        rs.Fields("Obs").setValue(QStringLiteral("otra vez"));
        rs.Update();
        Connection direct;
        direct.Open(QStringLiteral("Provider=SQLite;Data Source=") + file);
        auto check =
            direct.Execute(QStringLiteral("SELECT Cantidad = 1.0 / 3.0 AS igual, Obs FROM DJ_Q42 "
                                          "WHERE Periodo = '02/2024'"));
        QCOMPARE(check->value("igual").toInt(), 1);
        QCOMPARE(check->value("Obs").toString(), QStringLiteral("otra vez"));
    }

    void addNewThroughOdbc() {
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ_Q42"), c, adOpenDynamic, adLockOptimistic);
        rs.AddNew();
        rs.Fields("Periodo").setValue(QStringLiteral("04/2024"));
        rs.Fields("Fecha").setValue(QDateTime(QDate(2024, 4, 30), QTime(0, 0)));
        rs.Update();
        QCOMPARE(rs.value("Nro").toInt(), 7);
        rs.Fields("Obs").setValue(QStringLiteral("nuevo"));
        rs.Update();
        auto check =
            c->Execute(QStringLiteral("SELECT Obs, Fecha FROM DJ_Q42 WHERE Periodo = '04/2024'"));
        QCOMPARE(check->value("Obs").toString(), QStringLiteral("nuevo"));
        QCOMPARE(check->value("Fecha").toDateTime(), QDateTime(QDate(2024, 4, 30), QTime(0, 0)));
    }

    void constraintNumbersThroughOdbc_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint32>("native");
        QTest::newRow("duplicate key")
            << "INSERT INTO DJ_Q42 (Periodo) VALUES ('01/2024')" << qint32(2627);
        QTest::newRow("null not allowed")
            << "INSERT INTO DJ_Q42 (Periodo, Nro) VALUES ('09/2024', NULL)" << qint32(515);
    }
    void constraintNumbersThroughOdbc() {
        QFETCH(QString, sql);
        QFETCH(qint32, native);
        auto c = connect();
        QCOMPARE(errorOf([&] { c->Execute(sql); }), q42::err::IntegrityViolation);
        QVERIFY(c->errors().Count() >= 1);
        QCOMPARE(c->errors().Item(0).NativeError, native);
        QCOMPARE(c->errors().Item(0).SQLState, QStringLiteral("23000"));
    }

    void executeCountsThroughOdbc() {
        auto c = connect();
        long n = -99;
        c->Execute(QStringLiteral("UPDATE DJ_Q42 SET Obs = 'x'"), &n);
        QCOMPARE(n, 3L);
        c->Execute(QStringLiteral("DELETE FROM DJ_Q42 WHERE 1 = 0"), &n);
        QCOMPARE(n, 0L);
        auto rs = c->Execute(QStringLiteral("SELECT COUNT(*) AS n FROM DJ_Q42"), &n);
        QCOMPARE(n, -1L);
        QCOMPARE(rs->value("n").toInt(), 3);
        QCOMPARE(errorOf([&] { c->Execute(QStringLiteral("SELEC 1")); }),
                 q42::err::ErrorsInCommand);
    }

    // The isolation level asked waits for BeginTrans; one the driver lacks is
    // rounded up there, never a failure.
    void transactionsThroughOdbc() {
        auto c = connect();
        c->setIsolationLevel(adXactReadUncommitted);
        c->BeginTrans();
        c->Execute(QStringLiteral("INSERT INTO DJ_Q42 (Periodo) VALUES ('05/2024')"));
        c->BeginTrans();
        c->Execute(QStringLiteral("INSERT INTO DJ_Q42 (Periodo) VALUES ('06/2024')"));
        c->RollbackTrans();
        c->CommitTrans();
        QCOMPARE(c->Execute(QStringLiteral("SELECT * FROM DJ_Q42"))->RecordCount(), 4L);
        c->BeginTrans();
        c->Execute(QStringLiteral("DELETE FROM DJ_Q42"));
        c->RollbackTrans();
        QCOMPARE(c->Execute(QStringLiteral("SELECT * FROM DJ_Q42"))->RecordCount(), 4L);
    }

    // "_" is a wildcard for the catalogue functions: DJXQ42 must not count
    // as DJ_Q42.
    void schemaThroughOdbc() {
        auto c = connect();
        auto t = c->OpenSchema(adSchemaTables, {QStringLiteral("Mill"), QVariant(), "dj_q42"});
        QCOMPARE(t->RecordCount(), 1L);
        QCOMPARE(t->value("TABLE_NAME").toString(), QStringLiteral("DJ_Q42"));
        auto cols = c->OpenSchema(adSchemaColumns, {QVariant(), QVariant(), "DJ_Q42", "obs"});
        QCOMPARE(cols->RecordCount(), 1L);
        QCOMPARE(cols->value("COLUMN_NAME").toString(), QStringLiteral("Obs"));
        QCOMPARE(cols->value("CHARACTER_MAXIMUM_LENGTH").toInt(), 20);
        QCOMPARE(cols->value("IS_NULLABLE").toBool(), true);
        auto x = c->OpenSchema(adSchemaColumns, {QVariant(), QVariant(), "DJXQ42"});
        QCOMPARE(x->RecordCount(), 1L);
    }

    void closedPortIsReportedByTheDriver_data() {
        QTest::addColumn<QChar>("separator");
        QTest::newRow("host,port") << QChar(',');
        QTest::newRow("host:port") << QChar(':');
    }
    void closedPortIsReportedByTheDriver() {
        QFETCH(QChar, separator);
        const LoopbackPort closed(false);
        Connection c;
        QString thrown;
        try {
            c.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=127.0.0.1%1%2;Database =Mill;"
                                  "UId=sa;Pwd=%3;")
                       .arg(separator)
                       .arg(closed.port())
                       .arg(kPassword));
            QFAIL("the open should fail");
        } catch (const q42::Error& e) {
            thrown = e.description();
            QCOMPARE(e.number(), q42::err::E_Fail);
        }
        QVERIFY(c.errors().Count() >= 1);
        bool native = false;
        for (int i = 0; i < c.errors().Count(); ++i)
            native = native || c.errors().Item(i).NativeError == 20009;
        QVERIFY(native);
        const QString state = c.errors().Item(0).SQLState;
        QVERIFY2(state == QLatin1String("08001") || state == QLatin1String("08S01"),
                 qPrintable(state));
        checkNoPassword(c, thrown);
    }

    // A server that accepts the connection and never answers must not hang
    // the program: the settings file bounds the login.
    void loginTimeoutIsHonoured_data() {
        QTest::addColumn<QChar>("separator");
        QTest::newRow("host,port") << QChar(',');
        QTest::newRow("host:port") << QChar(':');
    }
    void loginTimeoutIsHonoured() {
        QFETCH(QChar, separator);
        writeIni(QStringLiteral("TiempoConexion=2\r\n"));
        const LoopbackPort silent(true);
        Connection c;
        QElapsedTimer t;
        t.start();
        QString thrown;
        const qint32 n = errorOf([&] {
            try {
                c.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=127.0.0.1%1%2;Database =Mill;"
                                      "UId=sa;Pwd=%3;")
                           .arg(separator)
                           .arg(silent.port())
                           .arg(kPassword));
            } catch (const q42::Error& e) {
                thrown = e.description();
                throw;
            }
        });
        const qint64 elapsed = t.elapsed();
        QCOMPARE(n, q42::err::E_Fail);
        // It reached the silent port (a refused one fails at once) and gave up.
        QVERIFY2(elapsed >= 1500 && elapsed < 10000, qPrintable(QString::number(elapsed)));
        QVERIFY(c.errors().Count() >= 1);
        checkNoPassword(c, thrown);
    }

    void oracleNeedsItsDriverNamed() {
        Connection c;
        QString thrown;
        try {
            c.Open(QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=u;"
                                  "Password=%1;")
                       .arg(kPassword));
        } catch (const q42::Error& e) {
            thrown = e.description();
        }
        QVERIFY(thrown.contains(QStringLiteral("DriverOracle")));
        QCOMPARE(c.errors().Count(), 1);
        checkNoPassword(c, thrown);
    }

    void unknownProvider() {
        Connection c;
        QCOMPARE(errorOf([&] { c.Open(QStringLiteral("Provider=Nada;Data Source=x;")); }), 3706);
        QCOMPARE(c.errors().Count(), 1);
    }

    void missingFileThroughOdbcIsNotCreated() {
        const QString missing = env.ruta(QStringLiteral("nada.db"));
        Connection c;
        QVERIFY(errorOf([&] { c.Open(OdbcFixture::sqliteConnectionString(missing)); }) != 0);
        QVERIFY(!QFile::exists(missing));
        QVERIFY(c.errors().Count() >= 1);
    }
};

QTEST_GUILESS_MAIN(TstAdoOdbc)
#include "tst_ado_odbc.moc"
