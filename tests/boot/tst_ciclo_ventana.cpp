// The exit stamp in the access log, the release at the end, and the
// decoration of a form when it loads.

#include "ScriptedMessages.h"
#include "SqliteDirecto.h"
#include "TestEnv.h"
#include "boot/CicloVentana.h"
#include "boot/Inicio.h"
#include "db/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "widgets/NavBar.h"
#include "widgets/PanelBar.h"

#include <QFile>
#include <QPixmap>
#include <QTest>
#include <sqlite3.h>

namespace {

// "ID:EGRESO" of every row, EGRESO empty when null.
QStringList accesos(const QString& ruta) {
    QStringList out;
    sqlite3* db = nullptr;
    sqlite3_open(ruta.toUtf8().constData(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT ID, EGRESO FROM CONTROL_ACCESO ORDER BY rowid", -1, &st,
                       nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        const auto* egreso = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        out << QStringLiteral("%1:%2")
                   .arg(sqlite3_column_int(st, 0))
                   .arg(egreso ? QString::fromUtf8(egreso) : QString());
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

} // namespace

class TstAccesoLog : public QObject {
    Q_OBJECT
    TestEnv env;
    int numero = 0;

    QString abre(bool conTabla) {
        const QString ruta = env.ruta(QStringLiteral("acceso%1.db").arg(++numero));
        QFile(ruta).open(QIODevice::WriteOnly);
        if (conTabla) {
            prueba::ejecuta(ruta, "CREATE TABLE CONTROL_ACCESO (ID int, SISTEMA nvarchar(20), "
                                  "EGRESO datetime)");
            prueba::ejecuta(ruta, "INSERT INTO CONTROL_ACCESO VALUES (0, 'Q42', NULL), "
                                  "(0, 'Q42', '01/07/25 10:00'), (7, 'STOCK', NULL)");
        }
        prueba::ejecuta(ruta,
                        "CREATE TABLE TA_CONFIGURACION (CLAVE TEXT, VALOR TEXT, VALORAUX TEXT)");
        DB_Dll& db = DB_Dll::instance();
        db.OpenServerADODB(false, ado::adUseClient,
                           QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta), false);
        return ruta;
    }

private Q_SLOTS:
    void cleanup() {
        gIdAcceso = 0;
        Lib_ClsCons3::release();
        DB_Dll::release();
        QFile::remove(env.ruta(QStringLiteral("ZK000pr.INI")));
    }

    // Two blanks before "SET" and before "ID"; the moment to the minute, in
    // the form each engine reads the same whatever the login's date format.
    void sentencia_data() {
        QTest::addColumn<int>("motor");
        QTest::addColumn<QString>("egreso");
        QTest::newRow("sql server")
            << int(ado::Engine::SqlServer) << "CONVERT(datetime, '2025-07-09 08:05:00', 120)";
        QTest::newRow("oracle") << int(ado::Engine::Oracle)
                                << "TO_DATE('2025-07-09 08:05:00', 'YYYY-MM-DD HH24:MI:SS')";
    }
    void sentencia() {
        QFETCH(int, motor);
        QFETCH(QString, egreso);
        DB_Dll::instance().gMotor = ado::Engine(motor);
        const QString sql = SentenciaEgreso(QDateTime(QDate(2025, 7, 9), QTime(8, 5, 59)), 0);
        DB_Dll::instance().gMotor = ado::Engine::None;
        QCOMPARE(sql, QStringLiteral("UPDATE CONTROL_ACCESO  SET EGRESO = ") + egreso +
                          QStringLiteral(" WHERE EGRESO IS NULL AND  ID = 0"));
    }

    void soloElRegistroAbierto_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QList<bool>>("sellados");
        QTest::newRow("ID 0") << 0 << QList<bool>{true, false, false};
        QTest::newRow("ID 7") << 7 << QList<bool>{false, false, true};
        QTest::newRow("no such record") << 9 << QList<bool>{false, false, false};
    }
    void soloElRegistroAbierto() {
        QFETCH(int, id);
        QFETCH(QList<bool>, sellados);
        ScriptedMessages msgs;
        const QString ruta = abre(true);
        const QStringList antes = accesos(ruta);
        gIdAcceso = id;
        const QString hoy = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        FinalizaSistema();
        const QStringList despues = accesos(ruta);
        QCOMPARE(despues.size(), antes.size());
        for (int i = 0; i < despues.size(); ++i) {
            if (sellados[i])
                QVERIFY2(despues[i].contains(QLatin1Char(':') + hoy), qPrintable(despues[i]));
            else
                QCOMPARE(despues[i], antes[i]);
        }
        QCOMPARE(msgs.count(), 0);
        // Released: the next use gets a new, unconnected instance.
        QVERIFY(!DB_Dll::instance().gOpenFlag);
    }

    // Without the access log table the close goes on all the same.
    void sinTabla() {
        ScriptedMessages msgs;
        abre(false);
        FinalizaSistema();
        QVERIFY(!DB_Dll::instance().gOpenFlag);
        QCOMPARE(msgs.count(), 0);
    }

    void estiloDeBarras_data() {
        QTest::addColumn<double>("estilo");
        QTest::newRow("raised") << 0.0;
        QTest::newRow("flat") << 1.0;
    }
    void estiloDeBarras() {
        QFETCH(double, estilo);
        gFlatToolbars = estilo;
        QWidget f;
        auto* panel = new q42::PanelBar(&f);
        auto* nav = new q42::NavBar(&f);
        nav->setObjectName(QStringLiteral("NavBar1"));
        panel->setStyleBar(7);
        nav->setStyleBar(7);
        ConfiguraFormulario(&f);
        QCOMPARE(panel->StyleBar(), int(estilo));
        QCOMPARE(nav->StyleBar(), int(estilo));
    }

    // An icon the program does not carry leaves the form's own; a form
    // without bars is decorated all the same.
    void iconoDesconocido_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("no settings file") << QByteArray();
        QTest::newRow("unknown name") << QByteArray("[Iconos]\r\nIconoDelSistema=NOEXISTE\r\n");
    }
    void iconoDesconocido() {
        QFETCH(QByteArray, ini);
        if (!ini.isEmpty()) {
            QFile archivo(env.ruta(QStringLiteral("ZK000pr.INI")));
            QVERIFY(archivo.open(QIODevice::WriteOnly));
            archivo.write(ini);
        }
        QWidget f;
        QPixmap propio(16, 16);
        propio.fill(Qt::red);
        f.setWindowIcon(QIcon(propio));
        const qint64 clave = f.windowIcon().cacheKey();
        ConfiguraFormulario(&f);
        QCOMPARE(f.windowIcon().cacheKey(), clave);
    }
};

QTEST_MAIN(TstAccesoLog)
#include "tst_ciclo_ventana.moc"
