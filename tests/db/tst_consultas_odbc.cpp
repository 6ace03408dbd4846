// The record-set helpers and schema checks once more, through the ODBC
// provider and the real SQLite ODBC driver.

#include "EntornoPrueba.h"
#include "OdbcFixture.h"
#include "ScriptedMessages.h"
#include "db/DB_Dll.h"

#include <QtTest>

class TstConsultasOdbc : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    OdbcFixture odbc;
    std::unique_ptr<DB_Dll> db;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(!odbc.sqliteLibrary().isEmpty(), "the SQLite ODBC driver is not installed");
        const QString ruta = env.ruta(QStringLiteral("negocio.db"));
        QFile(ruta).open(QIODevice::WriteOnly);
        {
            // Built through the embedded engine, read back through ODBC.
            ado::Connection cn;
            cn.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta));
            cn.BeginTrans();
            for (const char* sql : {
                     "CREATE TABLE DJ_Q42 (Periodo NVARCHAR(10), Responsable NVARCHAR(50), "
                     "Trigo REAL)",
                     "INSERT INTO DJ_Q42 VALUES (' 03/2024  ', 'O''Brien', 120.5)",
                     "CREATE TABLE MA_CUENTAS (Codigo NVARCHAR(10))",
                     "CREATE TABLE SS_MA_CUENTAS (Codigo NVARCHAR(10))",
                     "INSERT INTO SS_MA_CUENTAS VALUES ('2')",
                     "CREATE TABLE TA_VACIA (Codigo INTEGER)",
                 })
                cn.Execute(QString::fromUtf8(sql));
            cn.CommitTrans();
        }
        db = std::make_unique<DB_Dll>();
        db->gConnString = OdbcFixture::sqliteConnectionString(ruta);
        db->gCnn->Open(db->gConnString);
        QCOMPARE(db->gCnn->engine(), ado::Engine::SQLite);
    }
    void cleanupTestCase() { db.reset(); }

    void lookups() {
        ScriptedMessages mensajes;
        db->gEsAdmin = true;
        QVERIFY(db->ExisteEnTabla(QStringLiteral("DJ_Q42"), QStringLiteral("03/2024 "),
                                  QStringLiteral("Periodo")));
        QVERIFY(!db->ExisteEnTabla(QStringLiteral("DJ_Q42"), QStringLiteral("x' OR '1'='1"),
                                   QStringLiteral("Periodo")));
        QCOMPARE(db->DatosTabla(QStringLiteral("DJ_Q42"), QStringLiteral("03/2024"),
                                QStringLiteral("Responsable"), QStringLiteral("Periodo")),
                 QString("O'Brien"));
        QCOMPARE(db->DatosTabla(QStringLiteral("DJ_Q42"), QStringLiteral("04/2024"),
                                QStringLiteral("Responsable"), QStringLiteral("Periodo")),
                 QString());
        QCOMPARE(db->BuscaMaximo(QStringLiteral("TA_VACIA"), QStringLiteral("Codigo")), 0.0);
        QCOMPARE(db->BuscaMinimo(QStringLiteral("DJ_Q42"), QStringLiteral("Trigo")), 120.5);
        QCOMPARE(mensajes.count(), 0);
    }

    void recordSetsAndStatements() {
        ScriptedMessages mensajes;
        db->gEsAdmin = false;
        QString sql = QStringLiteral("SELECT * FROM MA_CUENTAS ORDER BY Codigo");
        ado::Recordset rs;
        db->AbrirRecordset(sql, rs);
        QCOMPARE(sql, QString("SELECT * FROM SS_MA_CUENTAS ORDER BY Codigo"));
        QCOMPARE(rs.value(QStringLiteral("Codigo")).toString(), QString("2"));
        db->CierraRecordset(rs);

        QString insert = QStringLiteral("INSERT INTO @Admin_MA_CUENTAS (Codigo) VALUES ('1')");
        long afectadas = 0;
        db->EjecutaConsultaSQL(insert, &afectadas);
        QCOMPARE(afectadas, 1L);
        QVERIFY(db->ExisteEnTablaST(QStringLiteral("MA_CUENTAS"), QStringLiteral("1")));

        QString mala = QStringLiteral("SELEC * FROM MA_CUENTAS");
        db->EjecutaConsultaSQL(mala); // a syntax error passes silently
        QCOMPARE(mensajes.count(), 0);
    }

    void schema() {
        ScriptedMessages mensajes;
        QVERIFY(db->ExisteTablaDB(QStringLiteral(" dj_q42 ")));
        QVERIFY(db->ExisteCampoDB(QStringLiteral("DJ_Q42"), QStringLiteral("TRIGO ")));
        QVERIFY(db->VerCampoDB(QStringLiteral("DJ_Q42"), QStringLiteral("Cosecha"), true,
                               QStringLiteral("nvarchar(50)"), true));
        QVERIFY(db->ExisteCampoDB(QStringLiteral("DJ_Q42"), QStringLiteral("Cosecha")));
        QCOMPARE(mensajes.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TstConsultasOdbc)
#include "tst_consultas_odbc.moc"
