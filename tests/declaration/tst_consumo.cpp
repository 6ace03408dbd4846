// Consumption from the month's sales on a real SQLite business database
// whose movements the test writes itself.

#include "ScriptedMessages.h"
#include "SqliteDirecto.h"
#include "TestEnv.h"
#include "db/DB_Dll.h"
#include "declaration/ColumnasDeclaracion.h"
#include "declaration/Consumo.h"
#include "declaration/FrmQ42.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"
#include "widgets/Progreso.h"

#include <QLineEdit>
#include <QtTest>
#include <functional>

using namespace declaracion;

namespace {

struct Movimiento {
    const char* fecha;
    const char* tc;
    const char* articulo;
    double cantidad;
    const char* unidad;
    int anulado = 0;
};
const Movimiento kMovimientos[] = {
    {"2025-06-01", "FA", "1", -1500, "KG"},          // first day
    {"2025-06-30 18:45:00", "FA", "1", -2500, "KG"}, // last day, in the afternoon
    {"2025-06-15", "NCA", "1", 500, "KG"},           // credit note: a sale with the other sign
    {"2025-07-01", "FA", "1", -9000, "KG"},          // day after
    {"2025-05-31", "FA", "1", -7000, "KG"},          // day before
    {"2025-06-10", "FA", "1", -4000, "KG", 1},       // cancelled
    {"2025-06-10", "FCA", "1", 8000, "KG"},          // purchase
    {"2025-06-10", "AJS", "1", -600, "KG"},          // stock adjustment
    {"2025-06-12", "FB", "1", -30, "BOL50"},
    {"2025-06-05", "FA", "2", -1234.5, "KG"},
    {"2025-06-06", "FB", "2", -10, "BOL25"},
    {"2025-06-07", "NCA", "9", 2000, "KG"}, // the sum comes out positive
    {"2025-06-08", "FA", "9", -500, "KG"},
    {"2025-06-08", "FA", "9", -10, "BOL50"},
    {"2025-06-09", "FA", "12", -3000, "KG"},  // equivalence stored as 'Ton'
    {"2025-06-09", "FA", "8", -100, "BOL50"}, // no equivalence for its bags
    {"2025-06-09", "FA", "5", -250, "KG"},
    {"2025-06-20", "FA", "4", -5000, "KG"}, // no equivalence at all
    {"2024-02-01", "FA", "1", -1000, "KG"},
    {"2024-02-29 23:59:59", "FA", "1", -2000, "KG"}, // the last second counts
    {"2024-03-01", "FA", "1", -4000, "KG"},
    {"2023-02-28", "FA", "1", -1000, "KG"},
    {"2023-03-01", "FA", "1", -2000, "KG"},
};

const QStringList kListas{"'1'", "'2'", "'9'", "'5','6','7','8','12'", ""};
const QStringList kPrevios{"77,77", "77,77", "77,77", "77,77", "77,77"};

// Records where the progress window stood when each message appeared, and
// may act on the database before the answer.
class Mensajes : public ScriptedMessages {
public:
    QStringList progreso;
    std::function<void(int)> antes;
    int msgBox(const QString& p, int s, const QString& t) override {
        progreso << (q42::Progreso::abierto() ? q42::Progreso::mensajeActual() : "-");
        if (antes)
            antes(count());
        return ScriptedMessages::msgBox(p, s, t);
    }
};

} // namespace

class TstConsumo : public QObject {
    Q_OBJECT
    TestEnv env;
    QString ruta;
    std::unique_ptr<FrmQ42> f;

    void prepara(const QString& periodo, const QStringList& listas, const QString& unidad) {
        f->txtFields(0)->setText(periodo);
        f->caja("TxtEquiv")->setText(unidad);
        for (int p = 0; p < 5; ++p) {
            f->caja(kProductos[p].cajaCodigos)->setText(listas[p]);
            f->txtFields(caja(Fila::Consumo, p))->setText(kPrevios[p]);
        }
    }
    QStringList consumos() const {
        QStringList out;
        for (int p = 0; p < 5; ++p)
            out << f->txtFields(caja(Fila::Consumo, p))->text();
        return out;
    }

private Q_SLOTS:
    void initTestCase() {
        ruta = env.ruta("negocio.sqlite");
        demo::DemoOptions o;
        o.months = 2;
        o.movements = 10;
        QString error;
        QVERIFY2(demo::createDemoDatabase(ruta, o, &error), qPrintable(error));
        prueba::ejecuta(ruta, "DELETE FROM V_MV_Stock");
        int id = 0;
        for (const Movimiento& m : kMovimientos)
            prueba::ejecuta(
                ruta,
                QStringLiteral("INSERT INTO V_MV_Stock (ID, FECHA, TC, IDArticulo, CantidadUD, "
                               "IdUnidadBase, Anulado) VALUES (%1, '%2', '%3', "
                               "'%4', %5, '%6', %7)")
                    .arg(++id)
                    .arg(QString(m.fecha).size() > 10 ? QString(m.fecha)
                                                      : QString(m.fecha) + " 00:00:00",
                         m.tc, m.articulo)
                    .arg(m.cantidad)
                    .arg(m.unidad)
                    .arg(m.anulado));
        DB_Dll::instance().OpenServerADODB(false, ado::adUseClient,
                                           "Provider=SQLite;Data Source=" + ruta + ";", false);
        QVERIFY(DB_Dll::instance().gOpenFlag);
    }
    void init() { f = std::make_unique<FrmQ42>(); }
    void cleanup() {
        f.reset();
        QVERIFY(!q42::Progreso::abierto());
    }
    void cleanupTestCase() {
        Lib_ClsCons3::release();
        DB_Dll::release();
    }

    void statementText_data() {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<QString>("unidad");
        QTest::addColumn<QString>("final");
        QTest::addColumn<QString>("exportacion"); // document types left out
        QTest::addColumn<QString>("filtro");      // what the statement says of them
        QTest::newRow("one code") << "'1'"
                                  << "TON"
                                  << "N'TON') AND (LTRIM(RTRIM(V_MV_Stock."
                                     "IDArticulo)) IN (N'1'))"
                                  << ""
                                  << "";
        QTest::newRow("blanks around commas dropped")
            << " '5' ,'6' , '12'"
            << "TON"
            << "N'TON') AND (LTRIM(RTRIM(V_MV_Stock.IDArticulo)) IN (N'5','6','12'))"
            << ""
            << "";
        QTest::newRow("apostrophes stay inside the literals")
            << "'O''Brien'"
            << "T'N"
            << "N'T''N') AND (LTRIM(RTRIM(V_MV_Stock.IDArticulo)) IN (N'O''Brien'))"
            << ""
            << "";
        QTest::newRow("export types left out, quoted")
            << "'1'"
            << "TON"
            << "N'TON') AND (LTRIM(RTRIM(V_MV_Stock.IDArticulo)) IN (N'1'))"
            << "'FE', 'E''X'"
            << " AND (LTRIM(RTRIM(V_MV_Stock.TC)) NOT IN ('FE','E''X')) ";
    }
    void statementText() {
        QFETCH(QString, lista);
        QFETCH(QString, unidad);
        QFETCH(QString, final);
        QFETCH(QString, exportacion);
        QFETCH(QString, filtro);
        const QString inicio =
            "SELECT V_MV_Stock.IDArticulo, ABS(SUM(V_MV_Stock.CantidadUD)) AS Consumo, "
            "ABS(SUM(V_MV_Stock.CantidadUD)) / Coeficiente AS ConsumoEquiv, "
            "V_MV_Stock.IdUnidadBase, S_TA_EQUIV.IDUNIDAD_EQUIV, S_TA_EQUIV.COEFICIENTE FROM "
            "V_MV_Stock INNER JOIN V_TA_Cpte ON V_MV_Stock.TC = V_TA_Cpte.CODIGO LEFT OUTER "
            "JOIN S_TA_EQUIV ON V_MV_Stock.IDArticulo = S_TA_EQUIV.IDARTICULO AND "
            "V_MV_Stock.IdUnidadBase = S_TA_EQUIV.IDUNIDAD WHERE (V_TA_Cpte.SISTEMA = 'VENTAS') "
            "AND (V_MV_Stock.Anulado = 0) AND (V_MV_Stock.FECHA >= '20250601' AND "
            "V_MV_Stock.FECHA <= '20250630')%1GROUP BY V_MV_Stock.IDArticulo, "
            "V_MV_Stock.IdUnidadBase, S_TA_EQUIV.IDUNIDAD_EQUIV, S_TA_EQUIV.COEFICIENTE HAVING "
            "(S_TA_EQUIV.IDUNIDAD_EQUIV = ";
        QCOMPARE(sentenciaConsumo("'20250601'", "'20250630'", unidad, *listaCodigos(lista),
                                  exportacion.isEmpty() ? QString() : *listaCodigos(exportacion)),
                 inicio.arg(filtro) + final);
    }

    // The running total is rounded after each row, not once at the end.
    void runningTotal() {
        q42::Currency t;
        for (int i = 0; i < 3; ++i)
            t = acumula(t, 0.00005);
        QCOMPARE(t.raw(), 0);
        QCOMPARE(acumula(q42::Currency::fromRaw(1), 0.00015).raw(), 2);
        QCOMPARE(acumula(t, QVariant()).raw(), 0);
        QCOMPARE(acumula(t, QVariant("2.5")).toDouble(), 2.5);
    }

    void consumptionOfTheMonth_data() {
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<QStringList>("listas");
        QTest::addColumn<QString>("unidad");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("defaults") << "06/2025" << kListas << " TON "
                                  << QStringList{"5,00", "1,48", "2,00", "3,25", "0,00"};
        QTest::newRow("without equivalence, blanks around commas")
            << "06/2025" << QStringList{"'1' , '2'", "'4'", " '9' ", "'8'", "'12','4'"} << "TON"
            << QStringList{"6,48", "0,00", "2,00", "0,00", "3,00"};
        QTest::newRow("another unit") << "06/2025" << kListas << "KG"
                                      << QStringList{"1500,00", "0,00", "0,00", "0,00", "0,00"};
        QTest::newRow("unit with an apostrophe")
            << "06/2025" << kListas << "T'N" << QStringList{"0,00", "0,00", "0,00", "0,00", "0,00"};
        QTest::newRow("leap february")
            << "02/2024" << kListas << "TON" << QStringList{"3,00", "0,00", "0,00", "0,00", "0,00"};
        QTest::newRow("february") << "02/2023" << kListas << "TON"
                                  << QStringList{"1,00", "0,00", "0,00", "0,00", "0,00"};
    }
    void consumptionOfTheMonth() {
        QFETCH(QString, periodo);
        QFETCH(QStringList, listas);
        QFETCH(QString, unidad);
        QFETCH(QStringList, esperado);
        Mensajes sm;
        prepara(periodo, listas, unidad);
        f->CmdCalcular_Click();
        QCOMPARE(consumos(), esperado);
        QCOMPARE(sm.count(), 0);
        // The outputs and final stocks on screen follow the new consumption.
        for (int p = 0; p < 5; ++p) {
            QCOMPARE(f->etiqueta(etiquetaTotalSalidas(p))->text(), esperado[p]);
            QCOMPARE(f->etiqueta(etiquetaFinal(p))->text(),
                     q42::Currency(-*leeCantidad(esperado[p])).toFixed(2));
        }
    }

    void malformedListLeavesItsProduct_data() {
        QTest::addColumn<QString>("lista");
        QTest::newRow("injection") << "'1'); DROP TABLE DJ_Q42; --";
        QTest::newRow("unquoted") << "5,6,7";
        QTest::newRow("trailing comma") << "'5','6',";
        QTest::newRow("no comma") << "'5' '6'";
        QTest::newRow("unclosed") << "'5";
        QTest::newRow("national prefix") << "N'5'";
    }
    void malformedListLeavesItsProduct() {
        QFETCH(QString, lista);
        Mensajes sm;
        QStringList listas = kListas;
        listas[3] = lista;
        prepara("06/2025", listas, "TON");
        f->CmdCalcular_Click();
        QCOMPARE(consumos(), (QStringList{"5,00", "1,48", "2,00", "77,77", "0,00"}));
        QCOMPARE(sm.count(), 1);
        QCOMPARE(sm.last().prompt,
                 "Lista de códigos inválida para el producto Pellet/Otros (casilla TxtPellet): "
                 "escriba los códigos entre comillas simples, separados por coma.");
        QCOMPARE(sm.last().style, q42::vbInformation);
        QCOMPARE(sm.last().title, "Aviso al operador...");
        QVERIFY(DB_Dll::instance().ExisteTablaDB("DJ_Q42"));
    }

    void blankUnitOnlyTells() {
        Mensajes sm;
        prepara("06/2025", kListas, "  ");
        f->CmdCalcular_Click();
        QCOMPARE(consumos(), kPrevios);
        QCOMPARE(sm.count(), 1);
        QCOMPARE(sm.last().prompt, kMensajeSinUnidad);
        QCOMPARE(sm.last().style, q42::vbOKOnly);
        QCOMPARE(sm.last().title, q42::defaultMessageTitle());
    }

    // A period that is empty or no MM/AAAA is a typing slip: the operator
    // is asked for it in a plain information box and nothing is read.
    void malformedPeriod_data() {
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("empty") << "" << kMensajePeriodoVacio;
        QTest::newRow("month 13") << "13/2025" << kMensajePeriodoInvalido;
        QTest::newRow("letters") << "ab/cdef" << kMensajePeriodoInvalido;
    }
    void malformedPeriod() {
        QFETCH(QString, periodo);
        QFETCH(QString, mensaje);
        Mensajes sm;
        prepara(periodo, kListas, "TON");
        f->CmdCalcular_Click();
        QCOMPARE(sm.count(), 1);
        QCOMPARE(sm.last().prompt, mensaje);
        QCOMPARE(sm.last().style, q42::vbInformation);
        QCOMPARE(sm.last().title, "Aviso al operador...");
        QCOMPARE(consumos(), kPrevios);
    }

    // The statement fails (its equivalence table gone): the database's own
    // dialog, then the routine's handler with the progress window closed.
    // Retry after the table is back computes the product again.
    void failingStatement_data() {
        QTest::addColumn<QList<int>>("respuestas");
        QTest::addColumn<bool>("restaura");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("leave") << QList<int>{3, 3} << false << kPrevios;
        QTest::newRow("next product each time")
            << QList<int>{3, 5, 3, 5, 3, 5, 3, 5} << false
            << QStringList{"77,77", "77,77", "77,77", "77,77", "0,00"};
        QTest::newRow("retry once the table is back")
            << QList<int>{3, 4} << true << QStringList{"5,00", "1,48", "2,00", "3,25", "0,00"};
    }
    void failingStatement() {
        QFETCH(QList<int>, respuestas);
        QFETCH(bool, restaura);
        QFETCH(QStringList, esperado);
        Mensajes sm;
        for (int r : respuestas)
            sm.answer(r);
        bool renombrada = true;
        const auto vuelve = [&] {
            if (std::exchange(renombrada, false))
                prueba::ejecuta(ruta, "ALTER TABLE S_TA_EQUIV_X RENAME TO S_TA_EQUIV");
        };
        sm.antes = [&](int n) {
            if (restaura && n == 1)
                vuelve();
        };
        prueba::ejecuta(ruta, "ALTER TABLE S_TA_EQUIV RENAME TO S_TA_EQUIV_X");
        prepara("06/2025", kListas, "TON");
        f->CmdCalcular_Click();
        vuelve();
        QCOMPARE(consumos(), esperado);
        QCOMPARE(sm.count(), respuestas.size());
        QCOMPARE(sm.unexpected(), 0);
        QVERIFY(sm.shown()[0].prompt.contains("Rutina: AbrirRecordset"));
        QCOMPARE(sm.progreso[0], "'1'");
        QVERIFY(!sm.shown()[1].prompt.contains("Rutina"));
        QCOMPARE(sm.progreso[1], "-");
    }
};

QTEST_MAIN(TstConsumo)
#include "tst_consumo.moc"
