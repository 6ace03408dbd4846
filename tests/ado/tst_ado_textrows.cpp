// Record sets that keep their cells as text only (lists of many rows): every
// cell must read as the value the ordinary record set gives, put through the
// same format, on the embedded engine and through ODBC; and the text block
// must decode and trim exactly as QString does.

#include "EntornoPrueba.h"
#include "OdbcFixture.h"
#include "ado/Ado.h"
#include "core/Error.h"

#include <QFile>
#include <QtTest>

using namespace ado;

namespace {

// Tells every kind of value apart, as the lookup list's own format does.
QString formato(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return QStringLiteral("fecha ") + v.toDateTime().toString(Qt::ISODateWithMs);
    case QMetaType::QTime:
        return QStringLiteral("hora ") + v.toTime().toString(Qt::ISODateWithMs);
    case QMetaType::QByteArray:
        return QStringLiteral("bytes ") + QString::fromLatin1(v.toByteArray().toHex());
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("sí") : QStringLiteral("no");
    case QMetaType::Double:
        return QStringLiteral("real ") + QString::number(v.toDouble(), 'g', 17);
    default:
        return v.isValid() ? v.toString() : QStringLiteral("<nulo>");
    }
}

struct Celda {
    const char* columna;
    const char* valor; // SQL
};

// Each value in a column of its own declared type, some in the wrong one.
const Celda kCeldas[] = {
    {"TEXTO", "'Panadería La Espiga'"},
    {"TEXTO", "'  con blancos  '"},
    {"TEXTO", "''"},
    {"TEXTO", "char(128512) || 'ñ'"},
    {"TEXTO", "char(65279) || 'x'"},
    {"TEXTO", "CAST(X'41FF42C3' AS TEXT)"},
    {"TEXTO", "'0012'"},
    {"ENTERO", "9223372036854775807"},
    {"ENTERO", "-1"},
    {"ENTERO", "'no es número'"},
    {"REAL_", "10"},
    {"REAL_", "0.1"},
    {"REAL_", "-2.5e300"},
    {"FECHA", "'2024-02-29 10:30:00'"},
    {"FECHA", "'2024-02-29'"},
    {"FECHA", "'no es fecha'"},
    {"FECHA", "20240229"},
    {"HORA", "'10:30:00'"},
    {"LOGICO", "1"},
    {"LOGICO", "0"},
    {"LOGICO", "'x'"},
    {"DATOS", "X'00FF'"},
};

} // namespace

class TstAdoTextRows : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    OdbcFixture odbc;
    QString file;

    std::shared_ptr<Connection> connect(const QString& engine) {
        auto c = std::make_shared<Connection>();
        c->setCursorLocation(adUseClient);
        if (engine == QLatin1String("ODBC"))
            c->Open(QStringLiteral("Provider=MSDASQL;") +
                    OdbcFixture::sqliteConnectionString(file));
        else
            c->Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(file));
        return c;
    }

private Q_SLOTS:
    void initTestCase() {
        file = env.ruta(QStringLiteral("texto.db"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        auto c = connect(QStringLiteral("SQLite"));
        c->Execute(QStringLiteral("CREATE TABLE T (ID INTEGER, TEXTO nvarchar(30), ENTERO int, "
                                  "REAL_ real, FECHA datetime, HORA time, LOGICO bit, "
                                  "DATOS blob)"));
        int id = 0;
        for (const Celda& c0 : kCeldas)
            c->Execute(QStringLiteral("INSERT INTO T (ID, %1) VALUES (%2, %3)")
                           .arg(QLatin1String(c0.columna))
                           .arg(++id)
                           .arg(QString::fromUtf8(c0.valor)));
    }

    void igualQueValores_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("sql");
        for (const char* engine : {"SQLite", "ODBC"}) {
            const QString e = QLatin1String(engine);
            QTest::addRow("%s: columns", engine) << e << "SELECT * FROM T ORDER BY ID";
            QTest::addRow("%s: expressions", engine)
                << e
                << "SELECT ID * 2 AS DOBLE, TEXTO || '!' AS MAS, REAL_ / 4 AS CUARTO, "
                   "NULL AS NADA, X'0A' AS B FROM T ORDER BY ID";
            QTest::addRow("%s: no rows", engine) << e << "SELECT * FROM T WHERE ID < 0";
        }
        QTest::newRow("SQLite: rows of the second statement")
            << "SQLite"
            << "UPDATE T SET ID = ID WHERE ID < 0; SELECT TEXTO FROM T ORDER BY ID";
    }
    void igualQueValores() {
        QFETCH(QString, engine);
        QFETCH(QString, sql);
        if (engine == QLatin1String("ODBC") && !odbc.isValid())
            QSKIP("the SQLite ODBC driver is not installed");
        auto c = connect(engine);
        Recordset valores;
        valores.Open(sql, c, adOpenForwardOnly, adLockReadOnly);
        Recordset textos;
        textos.setTextCells(formato);
        textos.Open(sql, c, adOpenForwardOnly, adLockReadOnly);
        QCOMPARE(textos.FieldCount(), valores.FieldCount());
        for (int i = 0; i < valores.FieldCount(); ++i) {
            QCOMPARE(textos.Fields(i).Name(), valores.Fields(i).Name());
            QCOMPARE(textos.Fields(i).Type(), valores.Fields(i).Type());
            QCOMPARE(textos.Fields(i).DefinedSize(), valores.Fields(i).DefinedSize());
        }
        QCOMPARE(textos.RecordCount(), valores.RecordCount());
        QStringList esperados;
        for (; !valores.EOF_(); valores.MoveNext(), textos.MoveNext())
            for (int i = 0; i < valores.FieldCount(); ++i) {
                esperados << formato(valores.Fields(i).Value());
                QCOMPARE(textos.Fields(i).Value().toString(), esperados.last());
            }
        QVERIFY(textos.EOF_());
        const TextRows filas = textos.takeTextRows();
        QCOMPARE(textos.State(), int(adStateClosed));
        QCOMPARE(filas.columnCount(), valores.FieldCount());
        for (int f = 0; f < filas.rowCount(); ++f)
            for (int i = 0; i < filas.columnCount(); ++i)
                QCOMPARE(filas.cell(f, i).toString(), esperados.at(f * filas.columnCount() + i));
    }

    // Read-only whatever was asked; an empty format goes back to values.
    void soloLectura() {
        auto c = connect(QStringLiteral("SQLite"));
        Recordset rs;
        rs.setTextCells(formato);
        rs.Open(QStringLiteral("SELECT ID, REAL_ FROM T WHERE ID = 11"), c, adOpenDynamic,
                adLockOptimistic);
        QCOMPARE(rs.Fields(1).OriginalValue().toString(), QStringLiteral("real 10"));
        QVERIFY_THROWS_EXCEPTION(q42::Error, rs.AddNew());
        QVERIFY_THROWS_EXCEPTION(q42::Error, rs.Fields(1).setValue(3));
        rs.Close();
        rs.setTextCells({});
        rs.Open(QStringLiteral("SELECT ID, REAL_ FROM T WHERE ID = 11"), c);
        QCOMPARE(rs.Fields(1).Value().typeId(), int(QMetaType::Double));
    }

    void utf8_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII") << QByteArray("Molino harinero");
        QTest::newRow("accents") << QByteArray("Panader\xC3\xAD"
                                               "a");
        QTest::newRow("leading BOM") << QByteArray("\xEF\xBB\xBF"
                                                   "abc");
        QTest::newRow("BOM inside") << QByteArray("a\xEF\xBB\xBF"
                                                  "b");
        QTest::newRow("cut sequence") << QByteArray("a\xC3");
        QTest::newRow("invalid byte") << QByteArray("x\xFFy");
        QTest::newRow("surrogate encoded") << QByteArray("\xED\xA0\x80z");
        QTest::newRow("overlong") << QByteArray("\xC0\xAF");
        QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x98\x80!");
        QTest::newRow("NUL inside") << QByteArray("a\0b", 3);
        QTest::newRow("empty") << QByteArray();
    }
    // Each cell decodes on its own, exactly as QString::fromUtf8.
    void utf8() {
        QFETCH(QByteArray, bytes);
        TextRows t(3);
        t.appendUtf8(bytes);
        t.appendUtf8("\xC3\xB1");
        t.appendUtf8(bytes);
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(t.cell(0, 0).toString(), QString::fromUtf8(bytes));
        QCOMPARE(t.cell(0, 1).toString(), QStringLiteral("ñ"));
        QCOMPARE(t.cell(0, 2).toString(), QString::fromUtf8(bytes));
    }

    void recorta_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("both ends") << " \t a b \n";
        QTest::newRow("blanks only") << "   ";
        QTest::newRow("none") << "ab";
        QTest::newRow("empty") << "";
    }
    void recorta() {
        QFETCH(QString, texto);
        TextRows t(2);
        t.append(texto);
        t.append(texto);
        t.trim(0, 0);
        QCOMPARE(t.cell(0, 0).toString(), texto.trimmed());
        QCOMPARE(t.cell(0, 1).toString(), texto);
    }

    // Cells keep their text while the block grows and is reused.
    void crece() {
        for (int vuelta = 0; vuelta < 2; ++vuelta) {
            TextRows t(1);
            for (int i = 0; i < 50000; ++i)
                t.appendLatin1(QLatin1String(QByteArray::number(i)));
            t.set(7, 0, t.cell(49999, 0));
            t.set(8, 0, QStringLiteral("ocho"));
            QCOMPARE(t.rowCount(), 50000);
            QCOMPARE(t.cell(7, 0), QStringLiteral("49999"));
            QCOMPARE(t.cell(8, 0), QStringLiteral("ocho"));
            QCOMPARE(t.cell(49998, 0), QStringLiteral("49998"));
            QCOMPARE(t.last(), QStringLiteral("49999"));
        }
    }
};

QTEST_GUILESS_MAIN(TstAdoTextRows)
#include "tst_ado_textrows.moc"
