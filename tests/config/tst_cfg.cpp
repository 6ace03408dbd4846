// The configuration store read from a real SQLite business database.

#include "EntornoPrueba.h"
#include "ScriptedMessages.h"
#include "config/Configuracion.h"
#include "db/DB_Dll.h"

#include <QtTest>

class TstCfg : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    int numero = 0;

    static void ejecuta(const QString& sql) { DB_Dll::instance().gCnn->Execute(sql); }

private Q_SLOTS:
    void init() {
        DB_Dll& db = DB_Dll::instance();
        const QString ruta = env.ruta(QStringLiteral("negocio%1.db").arg(++numero));
        QFile(ruta).open(QIODevice::WriteOnly); // an empty file is an empty database
        db.gConnString = QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta);
        db.gCnn->Open(db.gConnString);
        db.gEsAdmin = true;
        db.gCnn->BeginTrans(); // one write to disk for the whole set-up
        ejecuta("CREATE TABLE TA_CONFIGURACION (CLAVE NVARCHAR(50) COLLATE NOCASE PRIMARY KEY, "
                "VALOR NVARCHAR(255), VALORAUX NVARCHAR(255))");
        ejecuta("INSERT INTO TA_CONFIGURACION VALUES ('SAGPYA', '12345', 'Molino')");
        ejecuta("INSERT INTO TA_CONFIGURACION VALUES ('NOMBRE', NULL, NULL)");
        ejecuta("INSERT INTO TA_CONFIGURACION VALUES ('CALLE', '', 'aux')");
        ejecuta("INSERT INTO TA_CONFIGURACION VALUES ('O''HIGGINS', '1850', '')");
        db.gCnn->CommitTrans();
        gTablaConfiguracion.clear();
    }
    void cleanup() { DB_Dll::release(); }

    void lookup_data() {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("aux");
        QTest::newRow("value and auxiliary") << "SAGPYA"
                                             << "12345"
                                             << "Molino";
        QTest::newRow("key trimmed") << "  SAGPYA "
                                     << "12345"
                                     << "Molino";
        QTest::newRow("missing key is one blank") << "CUIT"
                                                  << " "
                                                  << "";
        QTest::newRow("null reads empty") << "NOMBRE"
                                          << ""
                                          << "";
        QTest::newRow("empty value, auxiliary kept") << "CALLE"
                                                     << ""
                                                     << "aux";
        QTest::newRow("apostrophe in the key") << "O'HIGGINS"
                                               << "1850"
                                               << "";
        QTest::newRow("key cannot run as SQL") << "x' OR '1'='1"
                                               << " "
                                               << "";
    }
    void lookup() {
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        QFETCH(QString, aux);
        ScriptedMessages mensajes;
        QString valorAux = QStringLiteral("previo");
        QCOMPARE(Cfg(clave, valorAux), valor);
        QCOMPARE(valorAux, aux);
        QCOMPARE(Cfg(clave), valor);
        QCOMPARE(mensajes.count(), 0);
    }

    // Look-ups made before the startup step name the table in upper case.
    void tableNameBeforeAndAfterStartup() {
        QVERIFY(gTablaConfiguracion.isEmpty());
        QCOMPARE(Cfg(QStringLiteral("SAGPYA")), QString("12345"));
        QCOMPARE(gTablaConfiguracion, QString("TA_CONFIGURACION"));
        CargaConfiguracion();
        QCOMPARE(gTablaConfiguracion, QString("ta_configuracion"));
        QCOMPARE(Cfg(QStringLiteral("SAGPYA")), QString("12345"));
        QCOMPARE(gTablaConfiguracion, QString("ta_configuracion"));
        gTablaConfiguracion = QStringLiteral("   ");
        Cfg(QStringLiteral("SAGPYA"));
        QCOMPARE(gTablaConfiguracion, QString("TA_CONFIGURACION"));
    }

    // A missing table is told once per connection, in one box, and logged;
    // later reads give the defaults without a word.
    void missingTableOncePerSession() {
        ScriptedMessages mensajes;
        ejecuta("DROP TABLE TA_CONFIGURACION");
        QFile::remove(DB_Dll::rutaErrorLog());
        for (int i = 0; i < 3; ++i) {
            QString valorAux = QStringLiteral("previo");
            QCOMPARE(Cfg(QStringLiteral("SAGPYA"), valorAux), QStringLiteral(" "));
            QCOMPARE(valorAux, QString());
        }
        QCOMPARE(mensajes.count(), 1);
        QCOMPARE(mensajes.last().style, int(q42::vbOKOnly + q42::vbExclamation));
        QVERIFY(mensajes.last().prompt.contains(QStringLiteral("TA_CONFIGURACION")));
        QFile log(DB_Dll::rutaErrorLog());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll().count("TA_CONFIGURACION"), 1);
        // Another connection, another session.
        DB_Dll& db = DB_Dll::instance();
        db.gCnn->Close();
        db.gCnn = std::make_shared<ado::Connection>();
        db.gCnn->Open(db.gConnString);
        QCOMPARE(Cfg(QStringLiteral("SAGPYA")), QStringLiteral(" "));
        QCOMPARE(mensajes.count(), 2);
    }

    // Any other failure goes to Cfg's own dialog, once: only "ignore" goes on.
    void failures_data() {
        QTest::addColumn<QList<int>>("respuestas");
        QTest::addColumn<int>("dialogos");
        QTest::addColumn<QString>("valor");
        QTest::newRow("abort") << QList<int>{3} << 1 << QString();
        QTest::newRow("retry gives up") << QList<int>{4} << 1 << QString();
        QTest::newRow("ignore goes on") << QList<int>{5, 5} << 2 << QString();
    }
    void failures() {
        QFETCH(QList<int>, respuestas);
        QFETCH(int, dialogos);
        QFETCH(QString, valor);
        ScriptedMessages mensajes;
        for (int r : respuestas)
            mensajes.answer(r);
        ejecuta("DROP TABLE TA_CONFIGURACION");
        ejecuta("CREATE TABLE TA_CONFIGURACION (CLAVE NVARCHAR(50))");
        QString valorAux = QStringLiteral("previo");
        QCOMPARE(Cfg(QStringLiteral("SAGPYA"), valorAux), valor);
        QCOMPARE(mensajes.count(), dialogos);
        QCOMPARE(mensajes.unexpected(), 0);
        QVERIFY(mensajes.last().prompt.contains(QStringLiteral("Cfg")));
    }
};

QTEST_GUILESS_MAIN(TstCfg)
#include "tst_cfg.moc"
