// The month's figures from the books on a SQLite business database whose
// movements the test writes itself, against sums worked out by hand; and
// the demo's stored months against what its books give.

#include "ScriptedMessages.h"
#include "SqliteDirecto.h"
#include "TestEnv.h"
#include "db/DB_Dll.h"
#include "declaration/ColumnasDeclaracion.h"
#include "declaration/DlgOrigen.h"
#include "declaration/Libros.h"
#include "declaration/PlanillaQ42.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"
#include "widgets/Planillas.h"

#include <QBuffer>
#include <QLabel>
#include <QProcess>
#include <QTableView>

#include <QSet>
#include <QtTest>

using namespace declaracion;
using q42::Currency;

namespace {

struct Movimiento {
    const char* fecha;
    const char* tc;
    int numero;
    const char* articulo;
    double cantidad;
    const char* unidad;
    int anulado = 0;
};
// June 2025 unless said otherwise. Tonnes: KG / 1000, BOL50 / 20, BOL25 / 40.
const Movimiento kMovimientos[] = {
    {"2025-06-02", "FCA", 1, "10", 30000, "KG"},
    {"2025-06-03", "RC", 1, "10", 25500, "KG"},
    {"2025-06-04", "DC", 1, "10", -5000, "KG"},     // back to the supplier
    {"2025-06-05", "FCA", 2, "10", 40000, "KG", 1}, // cancelled
    {"2025-05-31", "FCA", 3, "10", 99000, "KG"},    // the month before
    {"2025-07-01", "FCA", 4, "10", 77000, "KG"},    // the month after
    {"2025-06-10", "PRD", 1, "10", -40000, "KG"},
    {"2025-06-10", "PRD", 1, "1", 26800, "KG"},
    {"2025-06-10", "PRD", 1, "6", 3000, "KG"}, // two articles of one product,
    {"2025-06-10", "PRD", 1, "7", 5000, "KG"}, // one document
    {"2025-06-20", "PRD", 2, "10", -10000, "KG"},
    {"2025-06-20", "PRD", 2, "1", 6700, "KG"},
    {"2025-06-20", "PRD", 2, "2", 4000, "KG"},
    {"2025-06-20", "PRD", 2, "8", 100, "BOL50"}, // no equivalence for its bags
    {"2025-06-21", "PRD", 3, "1", 9999, "KG", 1},
    {"2025-06-01", "FA", 1, "1", -1500, "KG"},
    {"2025-06-30 23:59:00", "FA", 2, "1", -2500, "KG"},
    {"2025-06-15", "NCA", 1, "1", 500, "KG"},
    {"2025-06-12", "FB", 1, "1", -30, "BOL50"},
    {"2025-06-10", "FA", 3, "1", -4000, "KG", 1},
    {"2025-06-09", "FA", 4, "8", -100, "BOL50"},
    {"2025-06-30 23:59:00", "FE", 1, "1", -12000, "KG"},
    {"2025-06-18", "FE", 2, "2", -40, "BOL25"},
    {"2025-06-18", "FE", 2, "1", -3000, "KG"},
    {"2025-06-25", "AJS", 1, "10", -500, "KG"}, // cleaning loss: not a figure
};

PedidoLibros pedidoJunio() {
    PedidoLibros p;
    p.periodo = QStringLiteral("06/2025");
    p.codigos = {"'1'", "'2'", "'9'", "'5','6','7','8','12'", ""};
    p.otrasSalidasTrigo = Currency::fromRaw(5000); // 0,5 t
    return p;
}

Currency t(const char* texto) {
    return *Currency::parse(QString::fromLatin1(texto));
}

} // namespace

class TstLibros : public QObject {
    Q_OBJECT
    TestEnv env;
    ScriptedMessages mensajes;
    QString ruta;

    void conecta(const QString& archivo) {
        Lib_ClsCons3::release();
        DB_Dll::release();
        DB_Dll::instance().OpenServerADODB(false, ado::adUseClient,
                                           "Provider=SQLite;Data Source=" + archivo + ";", false);
        QVERIFY(DB_Dll::instance().gOpenFlag);
    }

private Q_SLOTS:
    void cleanup() { QCOMPARE(mensajes.count(), 0); }
    void initTestCase() {
        ruta = env.ruta("negocio.sqlite");
        demo::DemoOptions o;
        o.months = 2;
        o.movements = 10;
        QString error;
        QVERIFY2(demo::createDemoDatabase(ruta, o, &error), qPrintable(error));
        prueba::ejecuta(ruta, "DELETE FROM V_MV_Stock");
        int id = 0;
        for (const Movimiento& m : kMovimientos) {
            const QString fecha =
                QString(m.fecha).size() > 10 ? QString(m.fecha) : QString(m.fecha) + " 00:00:00";
            prueba::ejecuta(ruta, QStringLiteral("INSERT INTO V_MV_Stock (ID, FECHA, TC, NUMERO, "
                                                 "IDArticulo, CantidadUD, IdUnidadBase, Anulado) "
                                                 "VALUES (%1, '%2', '%3', %4, '%5', %6, '%7', %8)")
                                      .arg(++id)
                                      .arg(fecha, m.tc)
                                      .arg(m.numero)
                                      .arg(m.articulo)
                                      .arg(m.cantidad)
                                      .arg(m.unidad)
                                      .arg(m.anulado));
        }
        conecta(ruta);
    }
    void cleanupTestCase() {
        Lib_ClsCons3::release();
        DB_Dll::release();
    }

    void figuras_data() {
        QTest::addColumn<QString>("columna");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<int>("comprobantes");
        // 30 + 25,5 - 5: the cancelled purchase and the months around left out.
        QTest::newRow("wheat received") << "P_Ingresos"
                                        << "50,5" << 3;
        QTest::newRow("wheat milled") << "P_Elaboracion"
                                      << "50" << 2;
        // 26,8 + 6,7 = 33,5 of 50 + 0,5.
        QTest::newRow("000 extraction") << "SP000_Extraccion"
                                        << "66,34" << 2;
        QTest::newRow("0000 extraction") << "SP0000_Extraccion"
                                         << "7,92" << 1;
        QTest::newRow("no production") << "SPSemo_Extraccion"
                                       << "0" << 0;
        // 3 + 5 t in one part; the bags without equivalence add nothing.
        QTest::newRow("two articles, one part") << "SPPellet_Extraccion"
                                                << "15,84" << 1;
        // |-1,5 - 2,5 + 0,5| + 1,5: the last minute of the month counts.
        QTest::newRow("000 domestic") << "SP000_Consumo"
                                      << "5" << 4;
        QTest::newRow("0000 only exported") << "SP0000_Consumo"
                                            << "0" << 0;
        QTest::newRow("without equivalence") << "SPPellet_Consumo"
                                             << "0" << 0;
        QTest::newRow("000 exported") << "SP000_Exportacion"
                                      << "15" << 2;
        QTest::newRow("0000 exported in bags") << "SP0000_Exportacion"
                                               << "1" << 1;
        QTest::newRow("empty list") << "SPBasura_Consumo"
                                    << "0" << 0;
    }
    void figuras() {
        QFETCH(QString, columna);
        QFETCH(QString, valor);
        QFETCH(int, comprobantes);
        const ResultadoLibros r = leeLibros(pedidoJunio(), AjustesLibros());
        QVERIFY(r.sentencias <= 2);
        QCOMPARE(r.figuras.size(), std::size_t(17));
        const FiguraLibros* f = r.figura(columna);
        QVERIFY(f);
        QCOMPARE(f->valor.toText(), valor);
        QCOMPARE(f->comprobantes, comprobantes);
        // The lines behind the figure add up to it, in the documents counted.
        const std::vector<LineaOrigen> lineas = origenDeFigura(columna, pedidoJunio(), {});
        Currency suma;
        QSet<QString> documentos;
        for (const LineaOrigen& l : lineas) {
            suma += l.toneladas;
            documentos.insert(l.tipo + QLatin1Char(' ') + l.numero);
        }
        const bool extraccion = columna.endsWith(QLatin1String("_Extraccion"));
        const int producto = extraccion ? cajaDeColumna(columna) - caja(Fila::Extraccion, 0) : 0;
        QCOMPARE(suma, extraccion ? r.producido[size_t(producto)] : f->valor);
        QCOMPARE(int(documentos.size()), comprobantes);
    }

    // "¿De dónde sale?": sorted by tonnes, the total stays the box's, and
    // the CSV holds every line.
    void origenEnDialogo() {
        const std::vector<LineaOrigen> lineas =
            origenDeFigura("SP000_Consumo", pedidoJunio(), AjustesLibros());
        DlgOrigen d("SP000_Consumo", lineas);
        QCOMPARE(d.findChild<QLabel*>("lblTotal")->text(),
                 QStringLiteral("Total: 5,00 t en 4 comprobantes"));
        auto* vista = d.findChild<QTableView*>("tabla");
        vista->sortByColumn(6, Qt::DescendingOrder);
        const q42::ModeloPlanilla& m = d.modelo();
        QCOMPARE(m.rowCount(), 4);
        QCOMPARE(m.texto(0, 6), QStringLiteral("2,5"));
        QCOMPARE(m.texto(3, 6), QStringLiteral("-0,5"));
        QCOMPARE(m.texto(0, 0), QStringLiteral("30/06/2025 23:59:00"));
        QBuffer csv;
        csv.open(QIODevice::WriteOnly);
        QVERIFY(q42::EscribeCsv(&csv, m));
        const QStringList renglones =
            QString::fromUtf8(csv.data()).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(renglones.size(), 5);
        QVERIFY(renglones.first().endsWith("Fecha;Tipo;Número;Artículo;Cantidad;Unidad;Toneladas"));
        QVERIFY2(renglones.at(1).contains(";FA;2;1;-2500;KG;2,5"), qPrintable(renglones.at(1)));
    }

    void rendimientoYProduccion() {
        const ResultadoLibros r = leeLibros(pedidoJunio(), AjustesLibros());
        QCOMPARE(r.producido[0], t("33,5"));
        // 000 and 0000 produced, 37,5 t, over the 50 t milled.
        QVERIFY(r.rendimientoHarinero);
        QCOMPARE(*r.rendimientoHarinero, t("75"));
        // Without an export list the export invoices are domestic sales.
        AjustesLibros sinExportar;
        sinExportar.cpteExportacion.clear();
        const ResultadoLibros s = leeLibros(pedidoJunio(), sinExportar);
        QCOMPARE(s.figura("SP000_Consumo")->valor, t("20"));
        QCOMPARE(s.figura("SP000_Exportacion")->valor, Currency());
    }

    void ajustesDelArchivo_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("ajustes"); // trigo, compras, producción, exportación
        QTest::addColumn<QString>("tolerancia");
        QTest::newRow("no file") << "" << QStringList{"'10'", "COMPRAS", "PRODUCCION", "'FE'"}
                                 << "0,5";
        QTest::newRow("set") << "[libros]\nArticulosTrigo='T1','T2'\nsistemacompras=ACOPIO\n"
                                "CpteExportacion='E'\n[Revision]\nToleranciaLibros=2\n"
                             << QStringList{"'T1','T2'", "ACOPIO", "PRODUCCION", "'E'"} << "2";
        // Blank: no export documents; the others keep theirs.
        QTest::newRow("blank") << "[Libros]\nArticulosTrigo=\nCpteExportacion=\n[Revision]\n"
                                  "ToleranciaLibros=-1\n"
                               << QStringList{"'10'", "COMPRAS", "PRODUCCION", ""} << "0,5";
    }
    void ajustesDelArchivo() {
        QFETCH(QString, texto);
        QFETCH(QStringList, ajustes);
        QFETCH(QString, tolerancia);
        QFile ini(env.ruta("ZK000pr.INI"));
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(texto.toUtf8());
        ini.close();
        const AjustesLibros a = leeAjustesLibros();
        QCOMPARE((QStringList{a.articulosTrigo, a.sistemaCompras, a.sistemaProduccion,
                              a.cpteExportacion}),
                 ajustes);
        QCOMPARE(leeToleranciaLibros(), t(qPrintable(tolerancia)));
        QFile::remove(env.ruta("ZK000pr.INI"));
    }

    // The chart's measured yield: only the months with milling.
    void rendimientosMedidos() {
        const std::map<QString, Currency> r = rendimientosDeLibros(
            {{"05/2025", {"'1'", "'2'"}}, {"06/2025", {"'1'", "'2'"}}, {"07/2025", {"'1'", "x"}}},
            "TON", AjustesLibros());
        QCOMPARE(r.size(), std::size_t(1));
        QCOMPARE(r.at("06/2025"), t("75"));
    }

    // One label per month, each on its month's first instant; a quarter or
    // a year apart when they would crowd.
    void etiquetasDelGrafico_data() {
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QStringList>("etiquetas");
        QTest::newRow("a month") << "06/2025"
                                 << "06/2025" << QStringList{"06/2025"};
        QTest::newRow("thirteen months, each")
            << "06/2024"
            << "06/2025" << QStringList{"06/2024", "07/2024", "08/2024", "09/2024", "10/2024",
                                        "11/2024", "12/2024", "01/2025", "02/2025", "03/2025",
                                        "04/2025", "05/2025", "06/2025"};
        QTest::newRow("two years, by quarter")
            << "08/2023"
            << "06/2025" << QStringList{"10/2023", "01/2024", "04/2024", "07/2024",
                                        "10/2024", "01/2025", "04/2025"};
        QTest::newRow("five years, by year")
            << "02/2020"
            << "06/2025" << QStringList{"01/2021", "01/2022", "01/2023", "01/2024", "01/2025"};
    }
    void etiquetasDelGrafico() {
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QStringList, etiquetas);
        std::vector<MesHistoria> meses{{desde, {}}, {hasta, {}}};
        QStringList textos;
        for (const auto& [instante, texto] : etiquetasDeMeses(meses)) {
            textos << texto;
            QCOMPARE(QDateTime::fromMSecsSinceEpoch(qint64(instante)),
                     QDateTime(QDate::fromString("01/" + texto, "dd/MM/yyyy"), QTime(0, 0)));
        }
        QCOMPARE(textos, etiquetas);
    }

    // Typed codes reach the statements as literals, never as SQL.
    void listasCitadas_data() {
        QTest::addColumn<QString>("trigo");
        QTest::addColumn<QString>("problema");
        QTest::newRow("statement inside a code") << "'10''); DELETE FROM V_MV_Stock; --'"
                                                 << "";
        QTest::newRow("apostrophe doubled") << "'O''Brien', '10'"
                                            << "";
        QTest::newRow("not a list") << "10"
                                    << "ArticulosTrigo";
        QTest::newRow("unclosed") << "'10"
                                  << "ArticulosTrigo";
    }
    void listasCitadas() {
        QFETCH(QString, trigo);
        QFETCH(QString, problema);
        AjustesLibros a;
        a.articulosTrigo = trigo;
        const PedidoLibros p = pedidoJunio();
        QCOMPARE(problemaLibros(p, a).isEmpty(), problema.isEmpty());
        QVERIFY(problemaLibros(p, a).contains(problema));
        if (!problema.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(q42::Error, leeLibros(p, a));
            return;
        }
        const ResultadoLibros r = leeLibros(p, a);
        // Only '10' names the wheat: the first list reads no wheat at all.
        QCOMPARE(r.figura("P_Ingresos")->valor, trigo.startsWith("'O") ? t("50,5") : Currency());
        QCOMPARE(prueba::valor(ruta, "SELECT COUNT(*) FROM V_MV_Stock").toInt(),
                 int(std::size(kMovimientos)));
    }

    void cierre_data() {
        QTest::addColumn<QString>("trigoFinal");
        QTest::addColumn<QString>("final000");
        QTest::addColumn<QString>("tolerancia");
        QTest::addColumn<QStringList>("hallazgos");
        // Books at the month's end: wheat 99 + 30 + 25,5 - 5 - 50 - 0,5 = 99;
        // 000 33,5 - 5 - 15 = 13,5; 0000 4 - 1 = 3; pellet 8; semolina 0.
        QTest::newRow("as the books") << "99"
                                      << "13,5"
                                      << "0,5" << QStringList{};
        QTest::newRow("within the tolerance") << "99,5"
                                              << "13"
                                              << "0,5" << QStringList{};
        QTest::newRow("beyond it")
            << "1099,6"
            << "13,5"
            << "0,5"
            << QStringList{"Existencia final de Trigo 1.099,60 difiere del stock de los libros "
                           "al cierre del mes (99,00)"};
        QTest::newRow("tolerance from the settings")
            << "99"
            << "14,1"
            << "0,1"
            << QStringList{"Existencia final de 000 14,10 difiere del stock de los libros al "
                           "cierre del mes (13,50)"};
    }
    void cierre() {
        QFETCH(QString, trigoFinal);
        QFETCH(QString, final000);
        QFETCH(QString, tolerancia);
        QFETCH(QStringList, hallazgos);
        FigurasDeclaracion f;
        f.trigoFinal = t(qPrintable(trigoFinal));
        f.finales = {t(qPrintable(final000)), t("3"), t("0"), t("8"), t("1234")};
        QStringList textos;
        for (const Hallazgo& h :
             cierreDeLibros(f, pedidoJunio(), AjustesLibros(), t(qPrintable(tolerancia))))
            textos << h.texto;
        QCOMPARE(textos, hallazgos);
    }

    void cambioManual_data() {
        QTest::addColumn<QString>("columna");
        QTest::addColumn<QString>("libros");
        QTest::addColumn<QString>("pantalla");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("caja");
        QTest::newRow("wheat received") << "P_Ingresos"
                                        << "1234"
                                        << "1250"
                                        << "Ingresos del mes 1.250,00 difiere de los libros "
                                           "(1.234,00)"
                                        << kCajaPIngresos;
        QTest::newRow("a product's export")
            << "SP0000_Exportacion"
            << "1234567,891"
            << "-0,5"
            << "Exportación 0000 -0,50 difiere de los libros (1.234.567,89)"
            << caja(Fila::Exportacion, 1);
        QTest::newRow("same at two decimals") << "P_Elaboracion"
                                              << "10,004"
                                              << "10"
                                              << "" << -1;
    }
    void cambioManual() {
        QFETCH(QString, columna);
        QFETCH(QString, libros);
        QFETCH(QString, pantalla);
        QFETCH(QString, texto);
        QFETCH(int, caja);
        const auto h =
            hallazgoCambioManual(columna, t(qPrintable(libros)), t(qPrintable(pantalla)));
        QCOMPARE(h.has_value(), !texto.isEmpty());
        if (h) {
            QCOMPARE(h->texto, texto);
            QCOMPARE(h->caja, caja);
        }
    }

    // The built program, with no display: the figures on stdout.
    void enLote_data() {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QStringList>("salida"); // lines that start so
        QTest::addColumn<QString>("error");
        QTest::newRow("demo") << QStringList{"--demo", "--libros", "06/2025"} << 0
                              << QStringList{"P_Ingresos;", "SPBasura_Exportacion;"} << "";
        // The stored row of this file was made before its movements.
        QTest::newRow("figures and the closing check")
            << QStringList{"--libros", "06/2025"} << 0
            << QStringList{"P_Ingresos;50", "SP000_Consumo;5",
                           "Revisión: Existencia final de Trigo"}
            << "";
        QTest::newRow("malformed period")
            << QStringList{"--libros", "13/2025"} << 1 << QStringList() << "q42: Periodo invalido";
        QTest::newRow("no period") << QStringList{"--demo", "--libros"} << 2 << QStringList()
                                   << "q42: --libros necesita el periodo";
    }
    void enLote() {
        QFETCH(QStringList, argumentos);
        QFETCH(int, codigo);
        QFETCH(QStringList, salida);
        QFETCH(QString, error);
        const QString programa = qEnvironmentVariable("Q42_BINARY_DIR") + "/q42";
        QVERIFY2(QFile::exists(programa), qPrintable(programa));
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            e.remove(v);
        e.insert("HOME", env.carpeta());
        e.insert("XDG_DATA_HOME", env.ruta("datos"));
        QProcess p;
        p.setProcessEnvironment(e);
        if (!argumentos.contains("--demo"))
            argumentos.prepend("@Archivo=" + ruta + ";");
        p.start(programa, argumentos);
        QVERIFY(p.waitForFinished(240000));
        const QString errores = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(p.exitCode() == codigo, qPrintable(errores));
        QVERIFY2(errores.contains(error), qPrintable(errores));
        const QStringList lineas =
            QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        if (codigo == 0)
            QVERIFY(lineas.size() >= 17);
        for (const QString& s : salida)
            QVERIFY2(std::any_of(lineas.begin(), lineas.end(),
                                 [&s](const QString& l) { return l.startsWith(s); }),
                     qPrintable(s));
    }

    // The demo's stored months are what its books give back.
    void demoDesdeLosLibros() {
        const QString archivo = env.ruta("demo.sqlite");
        demo::DemoOptions o;
        o.months = 3;
        o.movements = 3000;
        QString error;
        QVERIFY2(demo::createDemoDatabase(archivo, o, &error), qPrintable(error));
        conecta(archivo);
        const QStringList meses{"04/2025", "05/2025", "06/2025"};
        for (const QString& mes : meses) {
            const QList<QVariantList> filas = prueba::filas(
                archivo, QStringLiteral("SELECT * FROM DJ_Q42 WHERE Periodo = '%1'").arg(mes));
            QCOMPARE(filas.size(), 1);
            const QList<QVariantList> nombres = prueba::filas(
                archivo, QStringLiteral("SELECT name FROM pragma_table_info('DJ_Q42')"));
            const auto valor = [&](const QString& columna) {
                for (qsizetype i = 0; i < nombres.size(); ++i)
                    if (nombres[i].at(0).toString().compare(columna, Qt::CaseInsensitive) == 0)
                        return filas.first().at(i).toString();
                return QString();
            };
            PedidoLibros p;
            p.periodo = mes;
            for (int i = 0; i < 5; ++i)
                p.codigos[size_t(i)] = valor(QString::fromLatin1(kAjustes[size_t(i)].columna));
            p.otrasSalidasTrigo = Currency::fromDouble(valor("P_Otros").toDouble());
            const ResultadoLibros r = leeLibros(p, AjustesLibros());
            for (const FiguraLibros& f : r.figuras) {
                QVERIFY2(f.valor.rounded(2) ==
                             Currency::fromDouble(valor(f.columna).toDouble()).rounded(2),
                         qPrintable(QStringLiteral("%1 %2: libros %3, guardado %4")
                                        .arg(mes, f.columna, f.valor.toText(), valor(f.columna))));
            }
            QVERIFY(r.figura("P_Elaboracion")->comprobantes > 0);
            QVERIFY(r.figura("SP000_Exportacion")->comprobantes > 0);
            QVERIFY(*r.rendimientoHarinero > t("74") && *r.rendimientoHarinero < t("76"));
            const std::vector<Hallazgo> cierre =
                cierreDeLibros(figurasDeFila(valor), p, AjustesLibros(), leeToleranciaLibros());
            QVERIFY2(cierre.empty(), qPrintable(cierre.empty() ? QString() : cierre.front().texto));
        }
        conecta(ruta);
    }
};

QTEST_MAIN(TstLibros)
#include "tst_libros.moc"
