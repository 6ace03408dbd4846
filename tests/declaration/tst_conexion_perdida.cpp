// The connection is lost between loading a declaration and saving it,
// through the ODBC provider and the real SQLite ODBC driver: the database
// file is overwritten or emptied under the open connection, or the
// connection itself goes. "GRABAR" tells the operator what failed and
// keeps every entry on screen, in edit mode, for a later save.

#include "FormularioPrueba.h"
#include "OdbcFixture.h"

#include <QFile>

using namespace prueba;

namespace {

enum Perdida { Sobrescrito, Vaciado, Cerrada };

void pierde(Perdida como, const QString& ruta) {
    if (como == Cerrada) {
        DB_Dll::instance().gCnn->Close();
        return;
    }
    // In place: the driver keeps the file open, so replacing the name alone
    // would go unnoticed.
    QFile f(ruta);
    if (!f.open(QIODevice::ReadWrite))
        qFatal("cannot open %s", qPrintable(ruta));
    if (como == Vaciado) {
        f.resize(0);
    } else {
        const QByteArray basura(int(f.size()), 'x');
        f.write(basura);
    }
}

// Every box of the window, in order.
QStringList entradas(FrmQ42& f) {
    QStringList out;
    for (const QLineEdit* c : f.cajas())
        out << c->text();
    for (const char* nombre : {"Txt000", "TxtEquiv", "TxtResponsalble", "TxtCosecha"})
        out << f.caja(QLatin1String(nombre))->text();
    return out;
}

} // namespace

class TstConexionPerdida : public QObject {
    Q_OBJECT
    TestEnv env;
    OdbcFixture odbc;
    QString ruta;
    int numero = 0;

private Q_SLOTS:
    void init() {
        QVERIFY2(!odbc.sqliteLibrary().isEmpty(), "the SQLite ODBC driver is not installed");
        ruta = env.ruta(QStringLiteral("p%1.sqlite").arg(++numero));
        demo::DemoOptions o;
        o.months = 3;
        o.movements = 40;
        QString error;
        QVERIFY2(demo::createDemoDatabase(ruta, o, &error), qPrintable(error));
        DB_Dll& db = DB_Dll::instance();
        db.OpenServerADODB(false, ado::adUseClient, OdbcFixture::sqliteConnectionString(ruta),
                           false);
        QVERIFY(db.gOpenFlag);
        QCOMPARE(db.gCnn->engine(), ado::Engine::SQLite);
    }
    void cleanup() { cierraBase(); }

    void grabarSinConexion_data() {
        QTest::addColumn<int>("como");
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<QString>("motivo");
        struct Caso {
            const char* nombre;
            Perdida como;
            const char* motivo;
        };
        for (const Caso& c : {Caso{"file overwritten", Sobrescrito, "file is not a database"},
                              Caso{"file emptied", Vaciado, "no such table: DJ_Q42"},
                              Caso{"connection closed", Cerrada, "closed"}})
            for (const char* periodo : {"05/2025", "07/2025"})
                QTest::addRow("%s, %s", c.nombre, periodo)
                    << int(c.como) << QString::fromLatin1(periodo) << QString::fromLatin1(c.motivo);
    }
    void grabarSinConexion() {
        QFETCH(int, como);
        QFETCH(QString, periodo);
        QFETCH(QString, motivo);
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, periodo);
        escribe(*f, 2, QStringLiteral("4321"));
        escribe(*f, 40, QStringLiteral("nota"));
        f->caja(QStringLiteral("TxtResponsalble"))->setText(QStringLiteral("Ing. Pérez"));
        const QStringList antes = entradas(*f);
        QCOMPARE(msgs.count(), 0);

        pierde(Perdida(como), ruta);
        tecla(*f, Qt::Key_F5);

        // One message, with the database's own reason (the existence check
        // of a new month fails first and stops the save there).
        QCOMPARE(msgs.count(), 1);
        QVERIFY2(msgs.last().prompt.contains(motivo), qPrintable(msgs.last().prompt));
        QCOMPARE(msgs.last().buttons(), int(q42::vbAbortRetryIgnore));
        QVERIFY(enEdicion(*f) && f->HuboError() && !f->Grabando());
        QCOMPARE(entradas(*f), antes);

        // Confirming the month on screen again reloads nothing: the entries
        // stay instead of being replaced by an empty month.
        escribe(*f, 0, periodo);
        QCOMPARE(msgs.count(), 1);
        QVERIFY(enEdicion(*f) && f->HuboError());
        QCOMPARE(entradas(*f), antes);
        QCOMPARE(QApplication::focusWidget(), caja(*f, 0));
    }
};

QTEST_MAIN(TstConexionPerdida)
#include "tst_conexion_perdida.moc"
