#include "ScriptedMessages.h"
#include "TestEnv.h"
#include "ado/Ado.h"
#include "core/Error.h"
#include "core/Utiles.h"
#include "report/ReporteExpresion.h"
#include "report/ReporteSeleccion.h"
#include "report/Reportes.h"

#include <QAction>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using q42::CondicionReporte;
using q42::Reportes;

namespace {

const QStringList kProductos{"000", "0000", "Semo", "Pellet", "Basura"};
const QStringList kColumnasSP{"Existencia", "Volumen",     "Extraccion", "Otros",
                              "Consumo",    "Exportacion", "Otras"};

QString seleccion(const QString& desde, const QString& hasta) {
    return Reportes::FormulaSeleccion(
        {CondicionReporte(), CondicionReporte{desde, hasta, "{DJ_Q42.Periodo}", 129, 0}});
}

QString ejecuta(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int paginas(const QString& pdf) {
    const QRegularExpression re(QStringLiteral("Pages:\\s+(\\d+)"));
    return re.match(ejecuta("pdfinfo", {pdf})).captured(1).toInt();
}

// The figures (d,dd) that follow a caption on its line of the laid-out text.
QStringList cifras(const QString& linea, const QString& titulo) {
    QStringList out;
    const qsizetype i = linea.indexOf(titulo);
    if (i < 0)
        return out;
    static const QRegularExpression re(QStringLiteral("-?\\d+,\\d\\d"));
    for (const auto& m : re.globalMatch(linea.mid(i + titulo.size())))
        out << m.captured();
    return out;
}

} // namespace

class TstReportes : public QObject {
    Q_OBJECT
    TestEnv env;
    std::shared_ptr<ado::Connection> cn;
    QString textoMayo; // pdftotext -layout of the May declaration

    void inserta(const QString& periodo, const QHash<QString, QString>& valores) {
        QStringList cols{"Periodo"}, vals{"'" + periodo + "'"};
        for (auto it = valores.begin(); it != valores.end(); ++it) {
            cols << it.key();
            vals << it.value();
        }
        cn->Execute(QStringLiteral("INSERT INTO DJ_Q42 (%1) VALUES (%2)")
                        .arg(cols.join(','), vals.join(',')));
    }

    bool pdf(const QString& sel, const QString& archivo, QString* error = nullptr,
             const QString& empresa = "NombreEmpresa = 'Molino O'Higgins S.A.'") {
        Reportes::FormulasExtra(
            {"CUIT= '30-12345678-9'", "FIRMA= 'Lic. Ana Pérez'", "SAGPYA= '1234'",
             "Mes= ' Correspondiente al mes de " + q42::Utiles::NombreMes(5) + " del año 2006'"},
            5);
        return Reportes::ImprimePdf("Q42", {""}, sel, "DSN=x; UID=u; PWD=secreto", empresa,
                                    "Direccion = 'Av. San Martín 1450'", "Localidad= 'Pergamino'",
                                    "", "Provincia= 'Buenos Aires'", "", "", "", archivo, error);
    }

private Q_SLOTS:
    void initTestCase() {
        QFile vacia(env.ruta("q42.db")); // the provider opens existing files only
        QVERIFY(vacia.open(QIODevice::WriteOnly));
        vacia.close();
        cn = std::make_shared<ado::Connection>();
        cn->Open("Provider=SQLite;Data Source=" + env.ruta("q42.db") + ";");
        QStringList ddl{"Periodo TEXT", "P_Existencia REAL", "P_Ingresos REAL",
                        "P_Elaboracion REAL", "P_Otros REAL"};
        for (const QString& p : kProductos) {
            for (const QString& c : kColumnasSP)
                ddl << QStringLiteral("SP%1_%2 REAL").arg(p, c);
            ddl << "F" + p + " REAL"
                << "Cod" + p + " TEXT";
        }
        ddl << "UdMedida TEXT"
            << "SAGPyA TEXT"
            << "Responsable TEXT"
            << "Cosecha TEXT"
            << "Observaciones TEXT";
        cn->Execute("CREATE TABLE DJ_Q42 (" + ddl.join(", ") + ")");
        // Wheat 100 + 50 in, 120 + 5 out: W = 125.
        inserta("05/2006", {{"P_Existencia", "100"},
                            {"P_Ingresos", "50"},
                            {"P_Elaboracion", "120"},
                            {"P_Otros", "5"},
                            {"SP000_Existencia", "10"},
                            {"SP000_Extraccion", "64"},
                            {"SP000_Consumo", "30"},
                            {"SP000_Exportacion", "5"},
                            {"SP000_Otras", "5"},
                            {"SP0000_Extraccion", "7"},
                            {"SP0000_Volumen", "1.5"},
                            {"SP0000_Otros", "0.25"},
                            {"SPSemo_Existencia", "1234.5"},
                            {"SPSemo_Extraccion", "3"},
                            {"SPPellet_Extraccion", "26"},
                            {"SPPellet_Consumo", "40"},
                            {"SPBasura_Existencia", "1"},
                            {"SPBasura_Extraccion", "0.1"},
                            {"Cosecha", "'05/06'"},
                            {"Observaciones", "'Sin novedad'"}});
        inserta("06/2006", {{"P_Existencia", "25"}});
        Reportes::setConexion(cn);
        Reportes::CarpetaReportes(sourcePath(""));

        const QString archivo = env.ruta("mayo.pdf");
        QString error;
        QVERIFY2(pdf(seleccion("05/2006", "05/2006"), archivo, &error), qPrintable(error));
        textoMayo = ejecuta("pdftotext", {"-layout", archivo, "-"});
        QVERIFY(!textoMayo.isEmpty());
        QCOMPARE(paginas(archivo), 1);
    }

    void formulaSeleccion_data() {
        QTest::addColumn<QVector<CondicionReporte>>("condiciones");
        QTest::addColumn<QString>("esperada");
        const QString p = "{DJ_Q42.Periodo}";
        QTest::newRow("period, empty record 0 skipped")
            << QVector<CondicionReporte>{{}, {"05/2006", "05/2006", p, 129, 0}}
            << "{DJ_Q42.Periodo} >= '05/2006' AND {DJ_Q42.Periodo} <= '05/2006'";
        QTest::newRow("apostrophe doubled")
            << QVector<CondicionReporte>{{"O'Higgins", "", p, 129, 0}}
            << "{DJ_Q42.Periodo} >= 'O''Higgins'";
        QTest::newRow("only the upper value")
            << QVector<CondicionReporte>{{"", "06/2006", p, 129, 0}}
            << "{DJ_Q42.Periodo} <= '06/2006'";
        QTest::newRow("number type, regional comma")
            << QVector<CondicionReporte>{{"1,5", "3", "{DJ_Q42.P_Otros}", 5, 0}}
            << "{DJ_Q42.P_Otros} >= 1.5 AND {DJ_Q42.P_Otros} <= 3";
        QTest::newRow("number type, not a number stays text")
            << QVector<CondicionReporte>{{"x", "", "{DJ_Q42.P_Otros}", 5, 0}}
            << "{DJ_Q42.P_Otros} >= 'x'";
        QTest::newRow("field without braces")
            << QVector<CondicionReporte>{{"1", "", "DJ_Q42.Periodo", 129, 0}}
            << "{DJ_Q42.Periodo} >= '1'";
        QTest::newRow("nothing to select")
            << QVector<CondicionReporte>{{}, {"05/2006", "", "", 129, 0}} << "";
    }
    void formulaSeleccion() {
        QFETCH(QVector<CondicionReporte>, condiciones);
        QFETCH(QString, esperada);
        QCOMPARE(Reportes::FormulaSeleccion(condiciones), esperada);
    }

    // Whatever the operator typed comes back from the selection text as typed
    // and reaches the statement only inside quotes.
    void seleccionConservaValores_data() {
        QTest::addColumn<QString>("valor");
        QTest::newRow("apostrophe") << "O'Higgins";
        QTest::newRow("injection") << "05/2006' OR '1'='1";
        QTest::newRow("two apostrophes") << "''";
        QTest::newRow("double quote and AND") << "a\" AND {DJ_Q42.X} = \"b";
    }
    void seleccionConservaValores() {
        QFETCH(QString, valor);
        const auto c = q42::reporte::analizaSeleccion(seleccion(valor, valor));
        QCOMPARE(c.size(), 2);
        QCOMPARE(c[0].valor, valor);
        QCOMPARE(c[1].operador, QString("<="));
        const QString sql = q42::reporte::sentenciaSeleccion("DJ_Q42", c, "Periodo");
        QCOMPARE(sql, "SELECT * FROM DJ_Q42 WHERE Periodo >= " +
                          q42::reporte::textoEntreComillas(valor) + " AND Periodo <= " +
                          q42::reporte::textoEntreComillas(valor) + " ORDER BY Periodo");
    }

    void inyeccionNoEncuentraFilas() {
        QString error;
        QVERIFY(
            !pdf(seleccion("05/2006' OR '1'='1", "05/2006' OR '1'='1"), env.ruta("x.pdf"), &error));
        QVERIFY2(error.startsWith("No hay declaración para el período 05/2006' OR"),
                 qPrintable(error));
        QVERIFY(!QFile::exists(env.ruta("x.pdf")));
    }

    void seleccionNoValida_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("unquoted text") << "{DJ_Q42.Periodo} = 05/2006";
        QTest::newRow("name not an identifier") << "{DJ_Q42.Periodo;DROP} = '1'";
        QTest::newRow("OR") << "{DJ_Q42.Periodo} = '1' OR 1 = 1";
        QTest::newRow("unknown operator") << "{DJ_Q42.Periodo} ~ '1'";
        QTest::newRow("unclosed quote") << "{DJ_Q42.Periodo} = 'abc";
        QTest::newRow("comment") << "{DJ_Q42.Periodo} = '1' -- x";
        QTest::newRow("other table") << "{TA_USUARIOS.Clave} = '1'";
    }
    void seleccionNoValida() {
        QFETCH(QString, texto);
        QString error;
        QVERIFY_THROWS_EXCEPTION(q42::Error, pdf(texto, env.ruta("x.pdf"), &error));
    }

    void leeFormula_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("valor");
        QTest::newRow("spaced") << "NombreEmpresa = 'Molino'"
                                << "NombreEmpresa"
                                << "Molino";
        QTest::newRow("no space") << "Localidad= 'Pergamino'"
                                  << "Localidad"
                                  << "Pergamino";
        QTest::newRow("leading blank kept") << "Mes= ' Correspondiente'"
                                            << "Mes"
                                            << " Correspondiente";
        QTest::newRow("quote inside") << "NombreEmpresa = 'O'Higgins'"
                                      << "NombreEmpresa"
                                      << "O'Higgins";
        QTest::newRow("quoted value") << "X = ''citado''"
                                      << "X"
                                      << "'citado'";
        QTest::newRow("equals inside") << "X = 'a = b'"
                                       << "X"
                                       << "a = b";
        QTest::newRow("empty") << "CUIT= ''"
                               << "CUIT"
                               << "";
        QTest::newRow("single quote only") << "CUIT= '"
                                           << "CUIT"
                                           << "";
        QTest::newRow("number") << "Copias = 2"
                                << "Copias"
                                << "2";
    }
    void leeFormula() {
        QFETCH(QString, texto);
        QFETCH(QString, nombre);
        QFETCH(QString, valor);
        QString n, v;
        QVERIFY(Reportes::LeeFormula(texto, &n, &v));
        QCOMPARE(n, nombre);
        QCOMPARE(v, valor);
    }

    void formulaSinNombre() {
        QString n, v;
        QVERIFY(!Reportes::LeeFormula("   ", &n, &v));
        QVERIFY_THROWS_EXCEPTION(q42::Error, Reportes::LeeFormula("= 'x'", &n, &v));
        QVERIFY_THROWS_EXCEPTION(q42::Error, Reportes::LeeFormula("sin igual", &n, &v));
    }

    void expresion_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("valor");
        QTest::newRow("precedence") << "1 + 2 * 3"
                                    << "7,0000";
        QTest::newRow("parentheses") << "(1 + 2) * 3"
                                     << "9,0000";
        QTest::newRow("share kept to four decimals") << "125 * 0.1 / 100"
                                                     << "0,1250";
        QTest::newRow("quotient rounded half to even") << "0.0001 / 2"
                                                       << "0,0000";
        QTest::newRow("left to right") << "10 - 4 - 3"
                                       << "3,0000";
        QTest::newRow("unary minus") << "-5 + 2"
                                     << "-3,0000";
    }
    void expresion() {
        QFETCH(QString, texto);
        QFETCH(QString, valor);
        const auto e = q42::reporte::Expresion::analiza(texto);
        QCOMPARE(e.evalua({}).toFixed(4, ','), valor);
    }

    void expresionNoValida_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("dangling operator") << "1 +";
        QTest::newRow("unclosed") << "(1 + 2";
        QTest::newRow("field without table") << "{Periodo}";
        QTest::newRow("unknown character") << "1 ? 2";
        QTest::newRow("two points") << "1.2.3";
    }
    void expresionNoValida() {
        QFETCH(QString, texto);
        QVERIFY_THROWS_EXCEPTION(q42::Error, q42::reporte::Expresion::analiza(texto));
    }

    void divisionPorCero() {
        const auto e = q42::reporte::Expresion::analiza("1 / 0");
        QVERIFY_THROWS_EXCEPTION(q42::Error, e.evalua({}));
    }

    void textosDelFormulario_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("company with quote") << "Molino O'Higgins S.A.";
        QTest::newRow("address") << "Domicilio: Av. San Martín 1450";
        QTest::newRow("locality") << "Localidad: Pergamino";
        QTest::newRow("province") << "Provincia: Buenos Aires";
        QTest::newRow("tax number") << "CUIT: 30-12345678-9";
        QTest::newRow("registration") << "Registro SAGPyA: 1234";
        QTest::newRow("month sentence") << "Correspondiente al mes de Mayo del año 2006";
        QTest::newRow("period") << "05/2006";
        QTest::newRow("harvest") << "Cosecha 05/06";
        QTest::newRow("remarks") << "Sin novedad";
        QTest::newRow("signer") << "Lic. Ana Pérez";
        QTest::newRow("title") << "DECLARACIÓN JURADA DE EXISTENCIAS Y MOVIMIENTOS";
        QTest::newRow("unit") << "En toneladas";
    }
    void textosDelFormulario() {
        QFETCH(QString, texto);
        QVERIFY2(textoMayo.contains(texto), qPrintable(textoMayo));
    }

    // Rows of the product grid: 000, 0000, SEMOLIN, Pellet/Otro, BASURA. W is
    // 125; 0000 takes 8.75; Basura's 0.125 rounds half to even; Pellet ends
    // below zero.
    void grilla_data() {
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("initial stock")
            << "Existencia Inicial" << QStringList{"10,00", "0,00", "1234,50", "0,00", "1,00"};
        QTest::newRow("extraction")
            << "Extracción (%)" << QStringList{"64,00", "7,00", "3,00", "26,00", "0,10"};
        QTest::newRow("total inputs")
            << "Total Ingresos" << QStringList{"80,00", "10,50", "3,75", "32,50", "0,12"};
        QTest::newRow("stock before outputs")
            << "SUBTOTAL EXISTENCIA" << QStringList{"90,00", "10,50", "1238,25", "32,50", "1,12"};
        QTest::newRow("total outputs")
            << "Total Salidas" << QStringList{"40,00", "0,00", "0,00", "40,00", "0,00"};
        QTest::newRow("final stock")
            << "EXISTENCIA FINAL" << QStringList{"50,00", "10,50", "1238,25", "-7,50", "1,12"};
    }
    void grilla() {
        QFETCH(QString, titulo);
        QFETCH(QStringList, esperadas);
        QStringList encontradas;
        for (const QString& linea : textoMayo.split('\n'))
            if (cifras(linea, titulo).size() == 5)
                encontradas = cifras(linea, titulo);
        QCOMPARE(encontradas, esperadas);
    }

    void seccionTrigo_data() {
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("cifra");
        QTest::newRow("initial stock") << "Existencia Inicial"
                                       << "100,00";
        QTest::newRow("receipts") << "Ingresos del Mes"
                                  << "50,00";
        QTest::newRow("milled") << "Elaboración"
                                << "120,00";
        QTest::newRow("final") << "EXISTENCIA FINAL"
                               << "25,00";
    }
    void seccionTrigo() {
        QFETCH(QString, titulo);
        QFETCH(QString, cifra);
        QStringList todas;
        for (const QString& linea : textoMayo.split('\n'))
            if (cifras(linea, titulo).size() < 5)
                todas << cifras(linea, titulo);
        QVERIFY2(!todas.isEmpty() && todas.first() == cifra, qPrintable(todas.join(' ')));
        // The two subtotals, 150 and 125, share a line.
        QVERIFY(textoMayo.contains(QRegularExpression("SUBTOTAL +150,00 +SUBTOTAL +125,00")));
    }

    void unaPaginaPorFila() {
        QVERIFY(pdf(seleccion("05/2006", "06/2006"), env.ruta("dos.pdf")));
        QCOMPARE(paginas(env.ruta("dos.pdf")), 2);
    }

    void extrasValenParaUnaImpresion() {
        QVERIFY(pdf(seleccion("05/2006", "05/2006"), env.ruta("a.pdf")));
        QString error;
        QVERIFY(Reportes::ImprimePdf("Q42", {}, seleccion("05/2006", "05/2006"), "", "", "", "", "",
                                     "", "", "", "", env.ruta("b.pdf"), &error));
        const QString texto = ejecuta("pdftotext", {env.ruta("b.pdf"), "-"});
        QVERIFY(texto.contains("05/2006"));
        QVERIFY(!texto.contains("30-12345678-9"));
    }

    void sinFilas() {
        ScriptedMessages mensajes;
        DialogScript dialogos([](QDialog*) { return int(QDialog::Rejected); });
        QString error;
        QVERIFY(!pdf(seleccion("07/2006", "07/2006"), env.ruta("julio.pdf"), &error));
        QCOMPARE(error, QString("No hay declaración para el período 07/2006"));
        QVERIFY(!QFile::exists(env.ruta("julio.pdf")));

        QCOMPARE(Reportes::Imprime("Q42", {""}, seleccion("07/2006", "07/2006"), "", "", "", "", "",
                                   "", "", "", ""),
                 Reportes::Resultado::SinFilas);
        QCOMPARE(mensajes.count(), 1);
        QCOMPARE(mensajes.last().prompt, error);
        QCOMPARE(dialogos.count(), 0);
    }

    void sinDefinicion() {
        ScriptedMessages mensajes;
        DialogScript dialogos([](QDialog*) { return int(QDialog::Rejected); });
        Reportes::CarpetaReportes(env.carpeta());
        const auto r = Reportes::Imprime("Q42", {""}, seleccion("05/2006", "05/2006"),
                                         "DSN=x; PWD=secreto", "", "", "", "", "", "", "", "");
        Reportes::CarpetaReportes(sourcePath(""));
        QCOMPARE(r, Reportes::Resultado::SinDefinicion);
        QCOMPARE(mensajes.count(), 1);
        QVERIFY2(mensajes.last().prompt.contains("\"Q42.json\""),
                 qPrintable(mensajes.last().prompt));
        QVERIFY(mensajes.last().prompt.contains(QDir::toNativeSeparators(env.carpeta())));
        QVERIFY(!mensajes.last().prompt.contains("secreto"));
        QCOMPARE(mensajes.last().icon(), int(q42::vbExclamation));
        QCOMPARE(dialogos.count(), 0);

        QString error;
        QVERIFY(!Reportes::ImprimePdf("../reports/Q42", {}, "", "", "", "", "", "", "", "", "", "",
                                      env.ruta("x.pdf"), &error));
        QVERIFY(error.contains("../reports/Q42.json"));
    }

    void definicionDefectuosa_data() {
        QTest::addColumn<QByteArray>("json");
        const QByteArray cabeza = R"({"tabla": "DJ_Q42", )";
        QTest::newRow("not JSON") << QByteArray("{ nombre: ");
        QTest::newRow("table not an identifier") << QByteArray(R"({"tabla": "DJ_Q42; x"})");
        QTest::newRow("figure used before defined")
            << cabeza + R"("calculos": [{"nombre": "A", "expresion": "B + 1"}]})";
        QTest::newRow("column of another table")
            << cabeza + R"("elementos": [{"tipo": "campo", "valor": "{Otra.X}"}]})";
        QTest::newRow("unknown font")
            << cabeza + R"("elementos": [{"tipo": "texto", "fuente": "gotica"}]})";
        QTest::newRow("unknown element") << cabeza + R"("elementos": [{"tipo": "imagen"}]})";
        QTest::newRow("column the table lacks")
            << cabeza + R"("elementos": [{"tipo": "campo", "valor": "{DJ_Q42.NoEsta}"}]})";
        QTest::newRow("text column as a number")
            << cabeza +
                   R"("elementos": [{"tipo": "campo", "formato": "numero", "valor": "{DJ_Q42.Observaciones}"}]})";
    }
    void definicionDefectuosa() {
        QFETCH(QByteArray, json);
        QDir(env.carpeta()).mkpath("mal/reports");
        QFile f(env.ruta("mal/reports/Mal.json"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(json);
        f.close();
        Reportes::CarpetaReportes(env.ruta("mal"));
        QString error;
        QVERIFY_THROWS_EXCEPTION(
            q42::Error, Reportes::ImprimePdf("mal", {}, seleccion("05/2006", "05/2006"), "", "", "",
                                             "", "", "", "", "", "", env.ruta("x.pdf"), &error));
        Reportes::CarpetaReportes(sourcePath(""));
        QVERIFY(!QFile::exists(env.ruta("x.pdf")));
    }

    void sinConexion() {
        Reportes::setConexion(nullptr);
        QString error;
        QVERIFY_THROWS_EXCEPTION(q42::Error,
                                 pdf(seleccion("05/2006", "05/2006"), env.ruta("x.pdf"), &error));
        Reportes::setConexion(cn);
    }

    // The preview opens without blocking; its "Guardar PDF…" writes the file.
    void vistaPrevia() {
        ScriptedMessages mensajes;
        const QString archivo = env.ruta("vista.pdf");
        int paginasVistas = 0;
        QPrintPreviewWidget::ZoomMode modo = QPrintPreviewWidget::FitInView;
        qreal zoom = 0;
        DialogScript dialogos([&](QDialog* d) {
            if (auto* archivoDlg = qobject_cast<QFileDialog*>(d)) {
                archivoDlg->selectFile(archivo);
                return int(QDialog::Accepted);
            }
            auto* vista = d->findChild<QPrintPreviewWidget*>();
            vista->updatePreview();
            paginasVistas = vista->pageCount();
            modo = vista->zoomMode();
            zoom = vista->zoomFactor();
            if (auto* guardar = d->findChild<QAction*>("accionGuardarPdf"))
                guardar->trigger();
            return int(QDialog::Rejected);
        });
        Reportes::AjusteA(true);
        QCOMPARE(Reportes::Imprime("Q42", {""}, seleccion("05/2006", "06/2006"), "", "", "", "", "",
                                   "", "", "", ""),
                 Reportes::Resultado::Mostrado);
        QCOMPARE(dialogos.count(), 2);
        QCOMPARE(paginasVistas, 2);
        QCOMPARE(modo, QPrintPreviewWidget::FitToWidth);
        QCOMPARE(paginas(archivo), 2);
        QCOMPARE(mensajes.count(), 0);

        Reportes::AjusteB(50);
        QVERIFY(!Reportes::ajusteA());
        Reportes::Imprime("Q42", {""}, seleccion("05/2006", "05/2006"), "", "", "", "", "", "", "",
                          "", "");
        QCOMPARE(modo, QPrintPreviewWidget::CustomZoom);
        QCOMPARE(zoom, 0.5);
    }
};

QTEST_MAIN(TstReportes)
#include "tst_reportes.moc"
