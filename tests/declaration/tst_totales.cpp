#include "TestEnv.h"
#include "core/Error.h"
#include "declaration/Arrastre.h"
#include "declaration/ColumnasDeclaracion.h"
#include "declaration/Totales.h"

#include <QHash>
#include <QtTest>

using namespace declaracion;

namespace {

// The screen as texts: boxes by index and labels by name.
class Pantalla : public PantallaTotales {
public:
    QString cajas[kCajas];
    QHash<QString, QString> etiquetas;
    QString caja(int i) const override { return cajas[i]; }
    QString etiqueta(const QString& n) const override { return etiquetas.value(n); }
    void ponEtiqueta(const QString& n, const QString& t) override { etiquetas[n] = t; }
};

} // namespace

class TstTotales : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void columnMapCoversTheTable() {
        QCOMPARE(columnaDeCaja(0), QStringLiteral("Periodo"));
        QCOMPARE(columnaDeCaja(4), QStringLiteral("P_Otros"));
        QCOMPARE(columnaDeCaja(9), QStringLiteral("SPBasura_Existencia"));
        QCOMPARE(columnaDeCaja(17), QStringLiteral("SPSemo_Extraccion"));
        QCOMPARE(columnaDeCaja(28), QStringLiteral("SPPellet_Consumo"));
        QCOMPARE(columnaDeCaja(39), QStringLiteral("SPBasura_Otras"));
        QCOMPARE(columnaDeCaja(40), QStringLiteral("Observaciones"));
        QSet<QString> distintas;
        for (int i = 0; i < kCajas; ++i)
            distintas.insert(columnaDeCaja(i).toLower());
        QCOMPARE(distintas.size(), kCajas);
        QCOMPARE(cajaDeColumna(QStringLiteral("spsemo_otras")), 37);
        QCOMPARE(cajaDeColumna(QStringLiteral("F000")), -1);
    }

    void periods_data() {
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<QString>("anterior");
        QTest::newRow("may") << "05/2006" << true << "04/2006";
        QTest::newRow("january goes to the year before") << "01/2006" << true << "12/2005";
        QTest::newRow("december") << "12/2024" << true << "11/2024";
        QTest::newRow("one-digit month") << "5/2006" << false << "";
        QTest::newRow("month 13") << "13/2006" << false << "";
        QTest::newRow("month 00") << "00/2006" << false << "";
        QTest::newRow("two-digit year") << "05/06" << false << "";
        QTest::newRow("letters") << "ab/cdef" << false << "";
    }
    void periods() {
        QFETCH(QString, periodo);
        QFETCH(bool, valido);
        QFETCH(QString, anterior);
        QCOMPARE(periodoValido(periodo), valido);
        if (valido)
            QCOMPARE(periodoAnteriorDe(periodo), anterior);
    }

    void wheatAndProductTotals() {
        Pantalla p;
        p.cajas[1] = "100";
        p.cajas[2] = "50";
        p.cajas[3] = "120";
        p.cajas[4] = "5";
        p.cajas[caja(Fila::Extraccion, 0)] = "64";
        p.cajas[caja(Fila::Existencia, 0)] = "10";
        p.cajas[caja(Fila::Consumo, 0)] = "30";
        p.cajas[caja(Fila::Exportacion, 0)] = "5";
        p.cajas[caja(Fila::Otras, 0)] = "5";
        p.cajas[caja(Fila::Volumen, 4)] = "2,5";
        p.cajas[caja(Fila::Otras, 4)] = "4";
        TotalizaP(p);
        QCOMPARE(p.etiquetas.value("LblTotIngresos"), QStringLiteral("150,00"));
        QCOMPARE(p.etiquetas.value("lBLTotEgresos"), QStringLiteral("125,00"));
        QCOMPARE(p.etiquetas.value("LblFinal"), QStringLiteral("25,00"));
        QCOMPARE(p.etiquetas.value("LblST000"), QStringLiteral("80,00"));
        QCOMPARE(p.etiquetas.value("LblT000"), QStringLiteral("90,00"));
        QCOMPARE(p.etiquetas.value("LblTS000"), QStringLiteral("40,00"));
        QCOMPARE(p.etiquetas.value("LblF000"), QStringLiteral("50,00"));
        // Extraction 0: no share of the wheat; outputs can leave a negative stock.
        QCOMPARE(p.etiquetas.value("LblSTBasura"), QStringLiteral("2,50"));
        QCOMPARE(p.etiquetas.value("LblFBasura"), QStringLiteral("-1,50"));
        QCOMPARE(p.etiquetas.value("LblF0000"), QStringLiteral("0,00"));
    }

    // A product's share of the wheat milled is kept to four decimals, then
    // rounded half to even to the caption's two.
    void shareIsRoundedHalfToEvenBeforeAdding_data() {
        QTest::addColumn<QString>("molido");
        QTest::addColumn<int>("producto");
        QTest::addColumn<QString>("extraccion");
        QTest::addColumn<QString>("etiqueta");
        QTest::addColumn<QString>("esperado");
        // 0,0125 exactly: one more stage of two decimals gives 0,01, not 0,02.
        QTest::newRow("half to even") << "0,05" << 1 << "25"
                                      << "LblST0000"
                                      << "0,01";
        QTest::newRow("kept to four decimals") << "0,01" << 2 << "33,33"
                                               << "LblSTSemo"
                                               << "0,00";
        // 3720,105094: truncating would show 3720,10.
        QTest::newRow("rounded, not truncated") << "4614,37" << 0 << "80,62"
                                                << "LblST000"
                                                << "3720,11";
    }
    void shareIsRoundedHalfToEvenBeforeAdding() {
        QFETCH(QString, molido);
        QFETCH(int, producto);
        QFETCH(QString, extraccion);
        QFETCH(QString, etiqueta);
        QFETCH(QString, esperado);
        Pantalla p;
        p.cajas[3] = molido;
        p.cajas[caja(Fila::Extraccion, producto)] = extraccion;
        TotalizaP(p);
        QCOMPARE(p.etiquetas.value(etiqueta), esperado);
    }

    void laterStagesReadTheRoundedCaptions() {
        Pantalla p;
        // Total inputs 0,004 shows as 0,00; the stock before outputs adds the
        // opening 0,004 to that caption (0,00), not to the exact 0,004.
        p.cajas[caja(Fila::Volumen, 0)] = "0,004";
        p.cajas[caja(Fila::Existencia, 0)] = "0,004";
        TotalizaP(p);
        QCOMPARE(p.etiquetas.value("LblST000"), QStringLiteral("0,00"));
        QCOMPARE(p.etiquetas.value("LblT000"), QStringLiteral("0,00"));
    }

    // A box the operator has not mended yet (no number, or past what the
    // column takes) counts as empty: the other totals stay current.
    void aBoxThatIsNoNumberCountsAsEmpty_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("letters") << "abc";
        QTest::newRow("minus inside") << "12-5";
        QTest::newRow("two separators") << "1,2,3";
        QTest::newRow("fifteen nines") << "999999999999999";
    }
    void aBoxThatIsNoNumberCountsAsEmpty() {
        QFETCH(QString, texto);
        Pantalla p;
        p.etiquetas["LblF000"] = "viejo";
        p.cajas[1] = "10";
        p.cajas[caja(Fila::Existencia, 0)] = "8";
        p.cajas[caja(Fila::Exportacion, 0)] = "3";
        p.cajas[caja(Fila::Consumo, 0)] = texto;
        TotalizaP(p);
        QCOMPARE(p.etiquetas.value("LblTotIngresos"), QStringLiteral("10,00"));
        QCOMPARE(p.etiquetas.value("LblTS000"), QStringLiteral("3,00"));
        QCOMPARE(p.etiquetas.value("LblF000"), QStringLiteral("5,00"));
    }

    void carryOver_data() {
        QTest::addColumn<bool>("esNuevo");
        QTest::addColumn<bool>("trigoNulo");
        QTest::newRow("new declaration") << true << false;
        QTest::newRow("existing declaration") << false << false;
        QTest::newRow("null wheat column") << true << true;
    }
    void carryOver() {
        QFETCH(bool, esNuevo);
        QFETCH(bool, trigoNulo);
        QHash<QString, QVariant> fila{{"P_Existencia", 100.0},
                                      {"P_Ingresos", 50.0},
                                      {"P_Elaboracion", 120.0},
                                      {"P_Otros", 5.0},
                                      {"F000", 12.3456},
                                      {"F0000", QVariant()},
                                      {"FSemo", 7},
                                      {"FPellet", -3.5},
                                      {"FBasura", 0.0},
                                      {"Cod000", "'1'"},
                                      {"SAGPyA", "  "},
                                      {"Cosecha", QVariant()}};
        if (trigoNulo)
            fila["P_Otros"] = QVariant();
        const Arrastre a = calculaArrastre([&](const QString& c) { return fila.value(c); }, esNuevo,
                                           [] { return QStringLiteral("REG-1"); });
        QHash<int, QString> cajas;
        for (const auto& [i, t] : a.cajas)
            cajas[i] = t;
        QCOMPARE(cajas.contains(1), !trigoNulo);
        if (!trigoNulo)
            QCOMPARE(cajas.value(1), QStringLiteral("25,00"));
        QCOMPARE(cajas.value(5), QStringLiteral("12,35"));
        QVERIFY(!cajas.contains(6)); // a null final stock leaves the box alone
        QCOMPARE(cajas.value(7), QStringLiteral("7,00"));
        QCOMPARE(cajas.value(8), QStringLiteral("-3,50"));
        QHash<QString, QString> ajustes;
        for (const auto& [c, t] : a.ajustes)
            ajustes[c] = t;
        QCOMPARE(ajustes.isEmpty(), !esNuevo);
        if (esNuevo) {
            QCOMPARE(ajustes.value("Txt000"), QStringLiteral("'1'"));
            QCOMPARE(ajustes.value("TxtSAGPyA"), QStringLiteral("REG-1"));
            QCOMPARE(ajustes.value("TxtCosecha"), QString());
            QCOMPARE(ajustes.size(), 9);
        }
    }
};

QTEST_GUILESS_MAIN(TstTotales)
#include "tst_totales.moc"
