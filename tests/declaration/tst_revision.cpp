#include "TestEnv.h"
#include "declaration/ColumnasDeclaracion.h"
#include "declaration/Revision.h"

#include <QFile>
#include <QHash>
#include <QtTest>

using namespace declaracion;
using q42::Currency;

namespace {

using Cambios = QHash<QString, QString>;

// A month that passes every check: 1000 t milled, extractions 64/7/3/26/0
// (flour yield 71 %), each product's outputs below its stock (BASURA none).
QHash<QString, QString> mesSano() {
    QHash<QString, QString> c{{"P_Existencia", "500"},
                              {"P_Ingresos", "900"},
                              {"P_Elaboracion", "1000"},
                              {"P_Otros", "0"}};
    const char* extracciones[] = {"64", "7", "3", "26", "0"};
    for (int p = 0; p < 5; ++p) {
        c[columnaDeCaja(caja(Fila::Extraccion, p))] = extracciones[p];
        c[columnaDeCaja(caja(Fila::Consumo, p))] = p < 4 ? "10" : "0";
    }
    c["Cod000"] = "'1'";
    c["Cod0000"] = "'2'";
    c["CodSemo"] = "'9'";
    c["CodPellet"] = "'5','6','7'";
    c["CodBasura"] = "";
    return c;
}

} // namespace

class TstRevision : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    // One row per check, at its limits; `cambios` edits the sound month.
    void hallazgos_data() {
        QTest::addColumn<Cambios>("cambios");
        QTest::addColumn<QStringList>("esperados"); // one text part per finding, in order
        QTest::addColumn<int>("caja");              // box of the first finding
        QTest::addColumn<QString>("control");

        QTest::newRow("sound month") << Cambios{} << QStringList{} << -1 << "";
        QTest::newRow("final stock exactly zero")
            << Cambios{{"SPSemo_Consumo", "30"}} << QStringList{} << -1 << "";
        QTest::newRow("product final stock one cent below zero")
            << Cambios{{"SPSemo_Consumo", "30,01"}}
            << QStringList{QStringLiteral("Existencia final de SEMOLIN negativa: −0,01")}
            << caja(Fila::Consumo, 2) << "";
        QTest::newRow("wheat final stock negative")
            << Cambios{{"P_Otros", "400,5"}}
            << QStringList{QStringLiteral("Existencia final de Trigo negativa: −0,50")}
            << kCajaPElaboracion << "";
        QTest::newRow("extractions at 100 minus the tolerance")
            << Cambios{{"SPPellet_Extraccion", "23"}} << QStringList{} << -1 << "";
        QTest::newRow("extractions just under the tolerance")
            << Cambios{{"SPPellet_Extraccion", "22,99"}}
            << QStringList{QStringLiteral("suman 96,99 %, menos del 97,00 %")}
            << caja(Fila::Extraccion, 0) << "";
        QTest::newRow("extractions just over 100")
            << Cambios{{"SPBasura_Extraccion", "0,01"}}
            << QStringList{QStringLiteral("suman 100,01 %, más del 100 %")}
            << caja(Fila::Extraccion, 0) << "";
        QTest::newRow("flour yield at the minimum")
            << Cambios{{"SP0000_Extraccion", "6"}, {"SPPellet_Extraccion", "27"}} << QStringList{}
            << -1 << "";
        QTest::newRow("flour yield just under the minimum")
            << Cambios{{"SP0000_Extraccion", "5,99"}, {"SPPellet_Extraccion", "27,01"}}
            << QStringList{QStringLiteral("Rendimiento harinero (000 más 0000) de 69,99 %")}
            << caja(Fila::Extraccion, 0) << "";
        QTest::newRow("flour yield at the maximum")
            << Cambios{{"SP0000_Extraccion", "16"}, {"SPPellet_Extraccion", "17"}} << QStringList{}
            << -1 << "";
        QTest::newRow("flour yield just over the maximum")
            << Cambios{{"SP0000_Extraccion", "16,01"}, {"SPPellet_Extraccion", "16,99"}}
            << QStringList{QStringLiteral("de 80,01 % del trigo molido, fuera del rango de "
                                          "70,00 % a 80,00 %")}
            << caja(Fila::Extraccion, 0) << "";
        // Other outputs of the wheat still give the products a share.
        QTest::newRow("nothing milled, production from extraction")
            << Cambios{{"P_Elaboracion", "0"},  {"P_Otros", "10"},       {"SP000_Consumo", "0"},
                       {"SP0000_Consumo", "0"}, {"SPSemo_Consumo", "0"}, {"SPPellet_Consumo", "0"}}
            << QStringList{QStringLiteral("El trigo molido es cero pero hay producción por "
                                          "extracción (000 6,40, 0000 0,70, SEMOLIN 0,30, "
                                          "Pellet/Otros 2,60)")}
            << kCajaPElaboracion << "";
        QTest::newRow("nothing milled, nothing produced")
            << Cambios{{"P_Elaboracion", "0"},    {"SP000_Consumo", "0"},
                       {"SP0000_Consumo", "0"},   {"SPSemo_Consumo", "0"},
                       {"SPPellet_Consumo", "0"}, {"SPBasura_Consumo", "0"}}
            << QStringList{} << -1 << "";
        QTest::newRow("milled, no extraction")
            << Cambios{{"SP000_Extraccion", "0"},  {"SP0000_Extraccion", "0"},
                       {"SPSemo_Extraccion", "0"}, {"SPPellet_Extraccion", "0"},
                       {"SP000_Volumen", "700"},   {"SP0000_Volumen", "70"},
                       {"SPSemo_Volumen", "30"},   {"SPPellet_Volumen", "260"}}
            << QStringList{QStringLiteral("suman 0,00 %"), QStringLiteral("Rendimiento harinero"),
                           QStringLiteral("Hay trigo molido (1000,00) pero ningún producto")}
            << caja(Fila::Extraccion, 0) << "";
        QTest::newRow("one article in two lists")
            << Cambios{{"CodBasura", " 6 ,'12'"}}
            << QStringList{QStringLiteral("El artículo '6' está en las listas de Pellet/Otros y "
                                          "de BASURA.")}
            << -1 << "TxtBasura";
        QTest::newRow("code letter case ignored")
            << Cambios{{"Cod000", "'ab'"}, {"CodBasura", "'AB'"}}
            << QStringList{QStringLiteral("El artículo 'AB' está en las listas de 000 y de "
                                          "BASURA.")}
            << -1 << "TxtBasura";
        QTest::newRow("a code twice in one list")
            << Cambios{{"CodPellet", "'5','5'"}} << QStringList{} << -1 << "";
    }
    void hallazgos() {
        QFETCH(Cambios, cambios);
        QFETCH(QStringList, esperados);
        QFETCH(int, caja);
        QFETCH(QString, control);
        QHash<QString, QString> fila = mesSano();
        for (auto it = cambios.cbegin(); it != cambios.cend(); ++it)
            fila[it.key()] = it.value();
        const FigurasDeclaracion figuras =
            figurasDeFila([&fila](const QString& columna) { return fila.value(columna); });
        const auto hallazgos = revisaDeclaracion(figuras, LimitesRevision{});
        QStringList textos;
        for (const Hallazgo& h : hallazgos)
            textos << h.texto;
        QVERIFY2(int(hallazgos.size()) == esperados.size(), qPrintable(textos.join(" | ")));
        for (int i = 0; i < esperados.size(); ++i)
            QVERIFY2(textos[i].contains(esperados[i]), qPrintable(textos[i]));
        if (!hallazgos.empty()) {
            QCOMPARE(hallazgos.front().caja, caja);
            QCOMPARE(hallazgos.front().control, control);
        }
        LimitesRevision apagada;
        apagada.activa = false;
        QVERIFY(revisaDeclaracion(figuras, apagada).empty());
    }

    void limitesDelArchivo_data() {
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<bool>("activa");
        QTest::addColumn<QString>("minimo");
        QTest::addColumn<QString>("maximo");
        QTest::addColumn<QString>("tolerancia");
        QTest::newRow("no section") << "" << true << "70"
                                    << "80"
                                    << "3";
        QTest::newRow("every key") << "[Revision]\nRendimientoMinimo=72,5\nRendimientoMaximo=78\n"
                                      "ToleranciaMermas=1.5\nActiva=SI\n"
                                   << true << "72,5"
                                   << "78"
                                   << "1,5";
        QTest::newRow("switched off, numbers not numbers")
            << "[revision]\nactiva=NO\nRendimientoMinimo=setenta\nToleranciaMermas=\n"
            << false << "70"
            << "80"
            << "3";
    }
    void limitesDelArchivo() {
        QFETCH(QString, seccion);
        QFETCH(bool, activa);
        QFETCH(QString, minimo);
        QFETCH(QString, maximo);
        QFETCH(QString, tolerancia);
        QFile ini(env.ruta("ZK000pr.INI"));
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(seccion.toUtf8());
        ini.close();
        const LimitesRevision l = leeLimitesRevision();
        QCOMPARE(l.activa, activa);
        QCOMPARE(l.rendimientoMinimo, *Currency::parse(minimo));
        QCOMPARE(l.rendimientoMaximo, *Currency::parse(maximo));
        QCOMPARE(l.toleranciaMermas, *Currency::parse(tolerancia));
    }
};

QTEST_GUILESS_MAIN(TstRevision)
#include "tst_revision.moc"
