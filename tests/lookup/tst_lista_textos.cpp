// What the list dialog shows for each kind of value, now that its rows are
// read as text: the same texts whether a list colours articles by stock
// (rows read as values) or not (cells read as text), and the search over
// those texts.

#include "PruebaConsultas.h"

#include <QtTest>
#include <memory>

using namespace prueba;

class TstListaTextos : public QObject {
    Q_OBJECT
    TestEnv env;

    std::unique_ptr<Lib_FrmCons3> abre(const QString& columna, bool articulos) {
        auto d = std::make_unique<Lib_FrmCons3>();
        // "articulos" in the statement and MuestraStock make the value path.
        d->SQL = QStringLiteral("SELECT '  clave  ' AS CLAVE, %1 AS VALOR, 'articulos' AS T "
                                "FROM TIPOS ORDER BY ID")
                     .arg(columna);
        d->MuestraStock = articulos ? QStringLiteral("SI") : QStringLiteral("NO");
        d->Cargar();
        return d;
    }

private Q_SLOTS:
    void initTestCase() {
        abreBase(env, QStringLiteral("textos.sqlite"));
        ejecuta(QStringLiteral("CREATE TABLE TIPOS (ID int, FECHA datetime, HORA time, "
                               "LOGICO bit, IMPORTE real, TEXTO nvarchar(20), DATOS blob)"));
        ejecuta(QStringLiteral(
            "INSERT INTO TIPOS VALUES (1, '2024-02-29 10:30:05', '07:05:00', 1, 0.1, "
            "'Panadería', X'41'), (2, '2024-02-29 00:00:00', NULL, 0, 1e20, '', NULL), "
            "(3, NULL, NULL, NULL, -1234.5, NULL, NULL)"));
    }
    void cleanupTestCase() { cierraBase(); }

    void textos_data() {
        QTest::addColumn<QString>("columna");
        QTest::addColumn<QStringList>("textos");
        QTest::newRow("date and time, date only, null")
            << "FECHA" << QStringList{"29/02/2024 10:30:05", "29/02/2024", ""};
        QTest::newRow("time") << "HORA" << QStringList{"07:05:00", "", ""};
        QTest::newRow("boolean") << "LOGICO" << QStringList{"Verdadero", "Falso", ""};
        QTest::newRow("real, regional separator")
            << "IMPORTE" << QStringList{"0,1", "1e+20", "-1234,5"};
        QTest::newRow("integer") << "ID * 7" << QStringList{"7", "14", "21"};
        QTest::newRow("text") << "TEXTO" << QStringList{"Panadería", "", ""};
        QTest::newRow("bytes") << "DATOS" << QStringList{"A", "", ""};
    }
    void textos() {
        QFETCH(QString, columna);
        QFETCH(QStringList, textos);
        for (const bool articulos : {false, true}) {
            auto d = abre(columna, articulos);
            QCOMPARE(prueba::columna(d.get(), 1), textos);
            QCOMPARE(prueba::columna(d.get(), 0),
                     QStringList(textos.size(), QStringLiteral("clave")));
        }
    }

    // An empty box matches the first row even when that row's text is null;
    // the search ignores letter case beyond ASCII and the blanks around, and
    // reads the loaded rows, not the table.
    void busca_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("fila");
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("accented, other case") << " PANADERÍA " << 2;
        QTest::newRow("none") << "x" << 0;
    }
    void busca() {
        QFETCH(QString, texto);
        QFETCH(int, fila);
        ejecuta(QStringLiteral("UPDATE TIPOS SET TEXTO = NULL WHERE ID = 1; "
                               "UPDATE TIPOS SET TEXTO = 'Panadería' WHERE ID = 2"));
        auto d = abre(QStringLiteral("TEXTO"), false);
        ejecuta(QStringLiteral("UPDATE TIPOS SET TEXTO = 'Panadería' WHERE ID = 1; "
                               "UPDATE TIPOS SET TEXTO = '' WHERE ID = 2"));
        QCOMPARE(d->Busqueda(1, texto), long(fila));
    }
};

QTEST_MAIN(TstListaTextos)
#include "tst_lista_textos.moc"
