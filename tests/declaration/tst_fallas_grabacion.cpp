// "GRABAR" while the database refuses to write: the file read-only or
// locked by another connection. The operator answers the error dialog;
// Retry stores the declaration once the database writes again, Cancel
// leaves no row behind. Two operators on one month: the second save
// fails and the first one's figures stay.

#include "FormularioPrueba.h"

#include <functional>
#include <sqlite3.h>

using namespace prueba;

namespace {

// The operator: before answering a message he may do something elsewhere
// (the other user releases his lock).
class Operador : public ScriptedMessages {
public:
    std::function<void()> antesDeResponder;
    int msgBox(const QString& prompt, int style, const QString& title) override {
        if (antesDeResponder)
            std::exchange(antesDeResponder, nullptr)();
        return ScriptedMessages::msgBox(prompt, style, title);
    }
};

QStringList tabla(const QString& ruta) {
    QStringList out;
    for (const QVariantList& fila : filas(ruta, QStringLiteral("SELECT * FROM DJ_Q42 ORDER BY 1")))
        out << QVariant(fila).toStringList().join(QLatin1Char('|'));
    return out;
}

double numero(const QString& ruta, const QString& columna, const QString& periodo) {
    return valor(ruta,
                 QStringLiteral("SELECT %1 FROM DJ_Q42 WHERE Periodo='%2'").arg(columna, periodo))
        .toDouble();
}

// The database stops taking writes until `libera` runs: read-only for the
// program's connection, or a write lock held by another connection.
struct Falla {
    std::function<void()> libera;
};

Falla soloLectura() {
    DB_Dll::instance().gCnn->Execute(QStringLiteral("PRAGMA query_only = 1"));
    return {[] { DB_Dll::instance().gCnn->Execute(QStringLiteral("PRAGMA query_only = 0")); }};
}

Falla bloqueada(const QString& ruta) {
    sqlite3* otro = nullptr;
    sqlite3_open(ruta.toUtf8().constData(), &otro);
    if (sqlite3_exec(otro, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("no lock on %s", qPrintable(ruta));
    auto abierto = std::make_shared<sqlite3*>(otro);
    return {[abierto] {
        sqlite3_exec(*abierto, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(std::exchange(*abierto, nullptr));
    }};
}

} // namespace

class TstFallasGrabacion : public QObject {
    Q_OBJECT
    TestEnv env;
    QString ruta;
    int numeroBase = 0;

private Q_SLOTS:
    void init() {
        ruta = abreBase(env, QStringLiteral("f%1.sqlite").arg(++numeroBase), 2025, 6);
        // A lock is waited for up to the command time-out.
        DB_Dll::instance().gCnn->setCommandTimeout(1);
    }
    void cleanup() { cierraBase(); }

    void grabarFalla_data() {
        QTest::addColumn<bool>("bloqueo");
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QString>("causa");
        for (const bool bloqueo : {false, true})
            for (const char* periodo : {"07/2025", "05/2025"})
                for (const int respuesta : {int(q42::vbRetry), int(q42::vbCancel)})
                    QTest::addRow("%s, %s, answer %d", bloqueo ? "locked" : "read-only", periodo,
                                  respuesta)
                        << bloqueo << QString::fromLatin1(periodo) << respuesta
                        << (bloqueo ? QStringLiteral("ocupada por otro usuario")
                                    : QStringLiteral("solo lectura"));
    }
    void grabarFalla() {
        QFETCH(bool, bloqueo);
        QFETCH(QString, periodo);
        QFETCH(int, respuesta);
        QFETCH(QString, causa);
        Operador msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, periodo);
        escribe(*f, 2, QStringLiteral("4321"));
        escribe(*f, 40, QStringLiteral("falla"));

        Falla falla = bloqueo ? bloqueada(ruta) : soloLectura();
        if (respuesta == q42::vbRetry)
            msgs.antesDeResponder = falla.libera;
        msgs.answer(respuesta);
        tecla(*f, Qt::Key_F5);
        if (respuesta != q42::vbRetry)
            falla.libera();

        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.unexpected(), 0);
        QCOMPARE(msgs.last().buttons(), int(q42::vbRetryCancel));
        QVERIFY2(msgs.last().prompt.contains(causa), qPrintable(msgs.last().prompt));
        QVERIFY(msgs.last().prompt.contains(QStringLiteral("declaración %1").arg(periodo)));
        // The failed save keeps the operator's entries on screen.
        QVERIFY(enEdicion(*f) && f->HuboError() && !f->Grabando());
        QCOMPARE(caja(*f, 2)->text(), QStringLiteral("4321,00"));

        if (respuesta == q42::vbRetry) {
            QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='%1'").arg(periodo)), 1);
            QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), periodo), 4321.0);
            // Saving once more updates that row, it does not add a second.
            tecla(*f, Qt::Key_F5);
            QCOMPARE(msgs.count(), 1);
            QVERIFY(!enEdicion(*f));
            QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='%1'").arg(periodo)), 1);
            QCOMPARE(cuenta(ruta), int(antes.size()) + (periodo == "07/2025" ? 1 : 0));
        } else {
            QCOMPARE(tabla(ruta), antes);
            // Nothing of the abandoned save is left to be stored later.
            msgs.answer(q42::vbNo);
            f->PanelBar1_ButtonClick(QStringLiteral("CANCELAR"));
            f->NavBar1_ButtonClick(QStringLiteral("ULTIMO"));
            QCOMPARE(tabla(ruta), antes);
        }
    }

    // Two operators open the same month, each in his window on his own
    // connection. The first save wins; the second gets the concurrency (or
    // duplicate key) error and the first one's figures stay.
    void dosOperadores_data() {
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("texto");
        QTest::newRow("existing month") << "05/2025"
                                        << "Aviso al operador..."
                                        << "Otro usuario modificó o borró la declaración 05/2025";
        QTest::newRow("new month") << "07/2025"
                                   << "Aviso al operador..."
                                   << "Ya existe una declaración para el período 07/2025";
    }
    void dosOperadores() {
        QFETCH(QString, periodo);
        QFETCH(QString, titulo);
        QFETCH(QString, texto);
        ScriptedMessages msgs;
        DB_Dll& db = DB_Dll::instance();
        auto otra = std::make_shared<ado::Connection>();
        otra->setCursorLocation(ado::adUseClient);
        otra->Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta));
        const std::shared_ptr<ado::Connection> conexiones[] = {db.gCnn, otra};
        std::unique_ptr<FrmQ42> ventanas[2];
        // The operator at work: his window in front, his connection the program's.
        const auto operador = [&](int i) -> FrmQ42& {
            db.gCnn = conexiones[i];
            if (!ventanas[i])
                ventanas[i] = abreVentana();
            ventanas[i]->activateWindow();
            if (!QTest::qWaitForWindowActive(ventanas[i].get()))
                qWarning("window not active");
            return *ventanas[i];
        };
        escribe(operador(0), 0, periodo);
        escribe(operador(1), 0, periodo);
        escribe(operador(0), 2, QStringLiteral("111"));
        escribe(operador(1), 2, QStringLiteral("222"));
        escribe(operador(1), 3, QStringLiteral("33"));

        operador(0).PanelBar1_ButtonClick(QStringLiteral("GRABAR"));
        QCOMPARE(msgs.count(), 0);
        QVERIFY(!enEdicion(*ventanas[0]));
        const QStringList primero = tabla(ruta);

        msgs.answer(q42::vbOK);
        FrmQ42& segundo = operador(1);
        segundo.PanelBar1_ButtonClick(QStringLiteral("GRABAR"));
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().title, titulo);
        QVERIFY2(msgs.last().prompt.contains(texto), qPrintable(msgs.last().prompt));
        QCOMPARE(tabla(ruta), primero);
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), periodo), 111.0);
        QVERIFY(enEdicion(segundo) && segundo.HuboError());
        QCOMPARE(caja(segundo, 2)->text(), QStringLiteral("222,00"));
        QCOMPARE(caja(segundo, 3)->text(), QStringLiteral("33,00"));
        ventanas[1].reset();
        db.gCnn = conexiones[0];
    }
};

QTEST_MAIN(TstFallasGrabacion)
#include "tst_fallas_grabacion.moc"
