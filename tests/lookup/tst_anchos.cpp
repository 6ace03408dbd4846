// The column-width file: the last line of a table decides, unreadable lines
// are passed over, and a rewrite either completes or leaves the old file.

#include "TestEnv.h"
#include "core/Error.h"
#include "lookup/AnchosColumnas.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace q42::anchos;

class TstAnchos : public QObject {
    Q_OBJECT
    TestEnv env;

    QString ruta() const { return env.ruta(QStringLiteral("CONSULTASLEN.QVX")); }
    void escribe(const QByteArray& bytes) {
        QFile f(ruta());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray lee() {
        QFile f(ruta());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }

private Q_SLOTS:
    void cleanup() {
        QFile::remove(ruta());
        QDir(env.ruta(QStringLiteral("CONSULTASLEN.AUX"))).removeRecursively();
        QFile::remove(env.ruta(QStringLiteral("CONSULTASLEN.AUX")));
    }

    void lectura_data() {
        QTest::addColumn<QByteArray>("archivo");
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<bool>("hay");
        QTest::addColumn<QList<double>>("anchos");
        QTest::newRow("one line") << QByteArray("\"VT_CLIENTES\",\"2880|1440|1215|\"\r\n")
                                  << "VT_CLIENTES" << true << QList<double>{2880, 1440, 1215};
        QTest::newRow("two lines, the second decides")
            << QByteArray("\"VT_CLIENTES\",\"2880|1440|\"\r\n\"TA_MONEDAS\",\"900|\"\r\n"
                          "\"vt_clientes\",\"1000|2000|3000|\"\r\n")
            << "VT_CLIENTES" << true << QList<double>{1000, 2000, 3000};
        QTest::newRow("other table")
            << QByteArray("\"TA_MONEDAS\",\"900|\"\n") << "VT_CLIENTES" << false << QList<double>{};
        QTest::newRow("single-precision text")
            << QByteArray("\"T\",\"1215.5|30|\"") << "T" << true << QList<double>{1215.5, 30};
        QTest::newRow("a width that is no number ends the list")
            << QByteArray("\"T\",\"100|ancho|300|\"\r\n") << "T" << true << QList<double>{100};
        // Found by fuzzing: a number past the largest one threw instead.
        QTest::newRow("a width past any number ends the list")
            << QByteArray("\"T\",\"100|2222222222222222222222|300|\"") << "T" << true
            << QList<double>{100};
        QTest::newRow("a width past an int ends the list")
            << QByteArray("\"T\",\"100|2147483648|300|\"") << "T" << true << QList<double>{100};
        QTest::newRow("negative width ends the list")
            << QByteArray("\"T\",\"100|-5|300|\"") << "T" << true << QList<double>{100};
        QTest::newRow("short, long and binary lines skipped")
            << QByteArray("\"T\"\r\n\"T\",\"1|\",\"2|\"\r\n\"T\",\"5\x01|\"\r\n\"T\",\"7|8|\"\r\n"
                          "\"T\r\n")
            << "T" << true << QList<double>{7, 8};
        QTest::newRow("empty file") << QByteArray() << "T" << false << QList<double>{};
    }
    void lectura() {
        QFETCH(QByteArray, archivo);
        QFETCH(QString, tabla);
        QFETCH(bool, hay);
        QFETCH(QList<double>, anchos);
        escribe(archivo);
        const auto leidos = leeAnchos(ruta(), tabla);
        QCOMPARE(bool(leidos), hay);
        if (hay)
            QCOMPARE(*leidos, anchos);
    }

    void sinArchivo() { QVERIFY(!leeAnchos(ruta(), QStringLiteral("T"))); }

    // The table's lines give way to one new line at the end; the others
    // stay in order; unreadable lines are dropped.
    void grabacion() {
        escribe("\"VT_CLIENTES\",\"2880|1440|\"\r\n\"TA_MONEDAS\",\"900|\"\r\nbasura\r\n"
                "\"vt_clientes\",\"1|2|\"\r\n\"V_TA_VENDEDORES\",\"600|700|\"\r\n");
        grabaAnchos(ruta(), QStringLiteral("VT_CLIENTES"), {3000, 1500, 750});
        QCOMPARE(lee(), QByteArray("\"TA_MONEDAS\",\"900|\"\r\n\"V_TA_VENDEDORES\",\"600|700|\"\r\n"
                                   "\"VT_CLIENTES\",\"3000|1500|750|\"\r\n"));
        QVERIFY(!QFile::exists(env.ruta(QStringLiteral("CONSULTASLEN.AUX"))));
        QCOMPARE(*leeAnchos(ruta(), QStringLiteral("vt_clientes")),
                 (QList<double>{3000, 1500, 750}));
    }

    void grabacionSinArchivo() {
        grabaAnchos(ruta(), QStringLiteral("TA_MONEDAS"), {900, 1800});
        QCOMPARE(lee(), QByteArray("\"TA_MONEDAS\",\"900|1800|\"\r\n"));
    }

    // The temporary file cannot be written: an error, the old file whole.
    void fallaDejaElArchivo() {
        const QByteArray antes("\"VT_CLIENTES\",\"2880|1440|\"\r\n");
        escribe(antes);
        QVERIFY(QDir(env.carpeta()).mkdir(QStringLiteral("CONSULTASLEN.AUX")));
        bool error = false;
        try {
            grabaAnchos(ruta(), QStringLiteral("VT_CLIENTES"), {1, 2});
        } catch (const q42::Error& e) {
            error = e.number() == q42::err::PathFileAccess;
        }
        QVERIFY(error);
        QCOMPARE(lee(), antes);
    }
};

QTEST_GUILESS_MAIN(TstAnchos)
#include "tst_anchos.moc"
