// Printing a declaration through the report "Q42": the formula texts, the
// PDF of a known declaration read back as text, a missing definition, and
// the program's batch PDF.

#include "ScriptedMessages.h"
#include "SqliteDirecto.h"
#include "TestEnv.h"
#include "db/DB_Dll.h"
#include "declaration/ColumnasDeclaracion.h"
#include "declaration/DlgRango.h"
#include "declaration/FrmQ42.h"
#include "declaration/Impresion.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"
#include "report/Reportes.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace declaracion;
using q42::Reportes;

Q_DECLARE_METATYPE(declaracion::Empresa)

namespace {

QString textoPdf(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// 05/2006: wheat 100 + 50 in, 120 + 5 out; every other figure distinct.
const QList<QPair<const char*, double>> kFila = {
    {"P_Existencia", 100},         {"P_Ingresos", 50},
    {"P_Elaboracion", 120},        {"P_Otros", 5},
    {"SP000_Existencia", 10},      {"SP000_Extraccion", 64},
    {"SP000_Consumo", 30},         {"SP000_Exportacion", 5.5},
    {"SP000_Otras", 4.5},          {"SP0000_Volumen", 1.75},
    {"SP0000_Extraccion", 7},      {"SP0000_Otros", 0.25},
    {"SPSemo_Existencia", 1234.5}, {"SPSemo_Extraccion", 3},
    {"SPPellet_Extraccion", 26},   {"SPPellet_Consumo", 41.37},
    {"SPBasura_Existencia", 2.2},  {"SPBasura_Otras", 0.8},
};

// The months of the PDF's pages, one month sentence a page.
QStringList mesesDelPdf(const QString& pdf) {
    static const QRegularExpression frase(QStringLiteral("mes de (\\S+) del año (\\d{4})"));
    QStringList meses;
    for (const QString& pagina : textoPdf(pdf).split(QLatin1Char('\f'))) {
        if (pagina.trimmed().isEmpty())
            continue;
        const QRegularExpressionMatch m = frase.match(pagina);
        meses << (m.hasMatch() ? m.captured(1) + QLatin1Char(' ') + m.captured(2) : QString());
    }
    return meses;
}

QStringList mesesDe(const QStringList& periodos) {
    QStringList meses;
    for (const QString& p : periodos)
        meses << fraseMes(p).section(QLatin1Char(' '), -4, -4) + QLatin1Char(' ') +
                     fraseMes(p).section(QLatin1Char(' '), -1);
    return meses;
}

// The months from `desde` on, `n` of them, as "MM/AAAA".
QStringList periodosDesde(int mes, int anio, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i, mes = mes % 12 + 1, anio += mes == 1)
        out << QStringLiteral("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(anio);
    return out;
}

void insertaMes(const QString& ruta, const QString& periodo) {
    QStringList columnas{"Periodo", "Responsable", "SAGPyA", "Cosecha"};
    QStringList valores{"'" + periodo + "'", "'Lic. Ana Pérez'", "'M-4527'", "'05/06'"};
    for (const auto& [c, v] : kFila) {
        columnas << c;
        valores << QString::number(v);
    }
    prueba::ejecuta(
        ruta,
        QString("INSERT INTO DJ_Q42 (%1) VALUES (%2)").arg(columnas.join(','), valores.join(',')));
}

} // namespace

class TstImprimir : public QObject {
    Q_OBJECT
    TestEnv env;
    QString ruta;

private Q_SLOTS:
    void initTestCase() {
        ruta = env.ruta("negocio.sqlite");
        demo::DemoOptions o;
        o.months = 1;
        o.movements = 5;
        o.withCosecha = true;
        QString error;
        QVERIFY2(demo::createDemoDatabase(ruta, o, &error), qPrintable(error));
        prueba::ejecuta(ruta, "UPDATE TA_CONFIGURACION SET VALOR = 'Molino O''Higgins S.A.' "
                              "WHERE CLAVE = 'NOMBRE'");
        insertaMes(ruta, "05/2006");
        // Beside the demo's 06/2025, eleven months stored out of date order
        // (2025 first): thirteen months in all.
        for (const QString& p : periodosDesde(1, 2025, 5) + periodosDesde(7, 2024, 6))
            insertaMes(ruta, p);
        DB_Dll& db = DB_Dll::instance();
        db.OpenServerADODB(false, ado::adUseClient, "Provider=SQLite;Data Source=" + ruta + ";",
                           false);
        QVERIFY(db.gOpenFlag);
        Reportes::setConexion(db.gCnn);
    }
    void cleanupTestCase() {
        Reportes::setConexion(nullptr);
        Lib_ClsCons3::release();
        DB_Dll::release();
    }

    void formulaTexts_data() {
        QTest::addColumn<Empresa>("empresa");
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("quote kept, values trimmed where they should")
            << Empresa{"Molino O'Higgins S.A.", "Av. Perón",  "2450",
                       " Venado Tuerto ",       " Santa Fe ", " 30-71234567-1 "}
            << " 05/2006 "
            << QStringList{"NombreEmpresa = 'Molino O'Higgins S.A.'",
                           "Direccion = 'Av. Perón 2450'",
                           "Localidad= ' Venado Tuerto '",
                           "",
                           "Provincia= 'Santa Fe'",
                           "CUIT= '30-71234567-1'",
                           "FIRMA= 'Lic. Ana'",
                           "SAGPYA= 'M-1'",
                           "Mes= ' Correspondiente al mes de Mayo del año 2006'"};
        QTest::newRow("missing keys are single blanks")
            << Empresa{" ", " ", " ", " ", " ", " "} << "12/2024"
            << QStringList{"NombreEmpresa = ' '",
                           "Direccion = '   '",
                           "Localidad= ' '",
                           "",
                           "Provincia= ''",
                           "CUIT= ''",
                           "FIRMA= 'Lic. Ana'",
                           "SAGPYA= 'M-1'",
                           "Mes= ' Correspondiente al mes de Diciembre del año 2024'"};
    }
    void formulaTexts() {
        QFETCH(Empresa, empresa);
        QFETCH(QString, periodo);
        QFETCH(QStringList, esperadas);
        const ImpresionQ42 t = preparaQ42("DJ_Q42", periodo, empresa, " Lic. Ana ", "M-1 ");
        QCOMPARE(QStringList(t.formulas.begin(), t.formulas.end()) + t.extras, esperadas);
        const QString p = periodo.trimmed();
        QCOMPARE(t.seleccion,
                 "{DJ_Q42.Periodo} >= '" + p + "' AND {DJ_Q42.Periodo} <= '" + p + "'");
    }

    // The window's print: preview fitted to the width, saved as PDF from
    // the preview, zoom 50 afterwards.
    void printedDeclaration() {
        ScriptedMessages sm;
        Reportes::CarpetaReportes(sourcePath(""));
        const QString pdf = env.ruta("mayo.pdf");
        bool ajustada = false;
        DialogScript ds([&](QDialog* d) {
            if (auto* fd = qobject_cast<QFileDialog*>(d)) {
                fd->selectFile(pdf);
                return int(QDialog::Accepted);
            }
            ajustada = Reportes::ajusteA();
            d->findChild<QAction*>("accionGuardarPdf")->trigger();
            return int(QDialog::Rejected);
        });
        FrmQ42 f;
        f.TablaActiva = "DJ_Q42";
        f.txtFields(0)->setText("05/2006");
        f.caja("TxtResponsalble")->setText(" Lic. Ana Pérez ");
        f.caja("TxtSAGPyA")->setText("M-4527");
        f.Imprimir();
        QCOMPARE(ds.count(), 2);
        QCOMPARE(sm.count(), 0);
        QVERIFY(ajustada);
        QVERIFY(!Reportes::ajusteA());
        QCOMPARE(Reportes::ajusteB(), 50.0);

        const QString texto = textoPdf(pdf);
        QStringList faltan;
        QStringList buscadas{"Molino O'Higgins S.A.", "Av. Presidente Perón 2450", "Venado Tuerto",
                             "Santa Fe", "30-71234567-1", "Lic. Ana Pérez", "M-4527",
                             "Correspondiente al mes de Mayo del año 2006", "05/2006",
                             // wheat subtotals and final stock; 000's inputs, stock before
                             // outputs, outputs and final stock
                             "150,00", "125,00", "25,00", "80,00", "90,00", "40,00", "50,00"};
        for (const auto& [c, v] : kFila)
            buscadas << QString::number(v, 'f', 2).replace('.', ',');
        for (const QString& b : buscadas)
            if (!texto.contains(b))
                faltan << b;
        QVERIFY2(faltan.isEmpty(), qPrintable(faltan.join(" | ") + "\n" + texto));
    }

    void missingDefinitionIsNamed() {
        ScriptedMessages sm;
        DialogScript ds([](QDialog*) { return int(QDialog::Rejected); });
        Reportes::CarpetaReportes(env.carpeta());
        FrmQ42 f;
        f.TablaActiva = "DJ_Q42";
        f.txtFields(0)->setText("05/2006");
        f.Imprimir();
        QCOMPARE(ds.count(), 0);
        QCOMPARE(sm.count(), 1);
        QVERIFY2(sm.last().prompt.contains("\"Q42.json\""), qPrintable(sm.last().prompt));
        QCOMPARE(f.txtFields(0)->text(), "05/2006");
    }

    // F6 with no month on screen asks for the months (the last twelve
    // stored by default) and previews them, one page each in date order;
    // the dialog refuses what cannot be printed, and so does the window if
    // the dialog was answered past its check.
    void rangoEnPantalla_data() {
        QTest::addColumn<QString>("desde"); // empty: the defaults kept
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QStringList>("paginas");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("the last twelve stored months")
            << QString() << QString() << periodosDesde(7, 2024, 12) << QString();
        QTest::newRow("a quarter across the year")
            << "11/2024"
            << "01/2025" << QStringList{"11/2024", "12/2024", "01/2025"} << QString();
        QTest::newRow("one month") << "05/2006"
                                   << "05/2006" << QStringList{"05/2006"} << QString();
        QTest::newRow("Desde after Hasta")
            << "01/2025"
            << "11/2024" << QStringList()
            << "El período Desde (01/2025) es posterior al período Hasta (11/2024)";
        QTest::newRow("malformed Hasta")
            << "01/2025"
            << "13/2025" << QStringList() << QString(kMensajePeriodoInvalido + " (\"13/2025\")");
        QTest::newRow("no month stored in the range")
            << "01/2010"
            << "12/2010" << QStringList() << "No hay declaraciones entre 01/2010 y 12/2010";
    }
    void rangoEnPantalla() {
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QStringList, paginas);
        QFETCH(QString, mensaje);
        ScriptedMessages sm;
        if (!mensaje.isEmpty())
            sm.answer(q42::vbOK);
        Reportes::CarpetaReportes(sourcePath(""));
        const QString pdf = env.ruta(QString("rango-%1.pdf").arg(QTest::currentDataTag()));
        QStringList defectos;
        QString aviso;
        int vistas = 0;
        DialogScript ds([&](QDialog* d) {
            if (auto* rango = qobject_cast<DlgRango*>(d)) {
                defectos << rango->desde() << rango->hasta();
                if (!desde.isEmpty()) {
                    rango->findChild<QLineEdit*>("TxtDesde")->setText(desde);
                    rango->findChild<QLineEdit*>("TxtHasta")->setText(hasta);
                }
                rango->accept();
                aviso = rango->findChild<QLabel*>("LblAviso")->text();
                return int(QDialog::Accepted);
            }
            if (auto* fd = qobject_cast<QFileDialog*>(d)) {
                fd->selectFile(pdf);
                return int(QDialog::Accepted);
            }
            ++vistas;
            d->findChild<QAction*>("accionGuardarPdf")->trigger();
            return int(QDialog::Rejected);
        });
        FrmQ42 f;
        f.TablaActiva = "DJ_Q42";
        f.PanelBar1_ButtonClick("REPORTE");
        QCOMPARE(defectos, (QStringList{"07/2024", "06/2025"}));
        QCOMPARE(sm.count(), mensaje.isEmpty() ? 0 : 1);
        QCOMPARE(vistas, paginas.isEmpty() ? 0 : 1);
        if (!mensaje.isEmpty()) {
            QCOMPARE(sm.last().prompt, mensaje);
            // The dialog told the same itself, unless the range was sound.
            QVERIFY(aviso.isEmpty() || aviso == mensaje);
            return;
        }
        QVERIFY(aviso.isEmpty());
        QCOMPARE(mesesDelPdf(pdf), mesesDe(paginas));
    }

    // The built program, with no display, on a demo database of its own.
    void batchPdf_data() {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QStringList>("paginas");
        QTest::addColumn<QStringList>("mensajes"); // on stderr; none: no finding told
        QTest::newRow("saved declaration") << QStringList{"--demo", "--pdf", "06/2025"} << 0
                                           << QStringList{"06/2025"} << QStringList();
        QTest::newRow("a half year in date order")
            << QStringList{"--demo", "--pdf", "01/2025", "06/2025"} << 0
            << periodosDesde(1, 2025, 6) << QStringList();
        // Questioned figures are told on stderr, each month's, and printed all the same.
        QTest::newRow("negative stock, printed with its finding")
            << QStringList{"@Archivo=" + ruta, "--pdf", "05/2006"} << 0 << QStringList{"05/2006"}
            << QStringList{"q42: Revisión de 05/2006: Existencia final de Pellet/Otros "
                           "negativa: −8,87"};
        QTest::newRow("the findings of every month of a range")
            << QStringList{"@Archivo=" + ruta, "--pdf", "12/2024", "01/2025"} << 0
            << QStringList{"12/2024", "01/2025"}
            << QStringList{"q42: Revisión de 12/2024: Existencia final de Pellet/Otros",
                           "q42: Revisión de 01/2025: Existencia final de Pellet/Otros"};
        QTest::newRow("month without declaration")
            << QStringList{"--demo", "--pdf", "07/2025"} << 1 << QStringList()
            << QStringList{"q42: No hay declaración para el período 07/2025"};
        QTest::newRow("range without declarations")
            << QStringList{"--demo", "--pdf", "01/2020", "06/2020"} << 1 << QStringList()
            << QStringList{"q42: No hay declaraciones entre 01/2020 y 06/2020"};
        QTest::newRow("Desde after Hasta")
            << QStringList{"--demo", "--pdf", "06/2025", "01/2025"} << 1 << QStringList()
            << QStringList{"q42: El período Desde (06/2025) es posterior al período Hasta "
                           "(01/2025)"};
        // The connection message's lines must stay apart on stderr.
        QTest::newRow("missing database file")
            << QStringList{"@Archivo=/nonexistente/q42.sqlite", "--pdf", "06/2025"} << 1
            << QStringList() << QStringList{"Estado de Sql: 08001 Numero de Error:"};
        QTest::newRow("malformed period") << QStringList{"--pdf", "13/2025"} << 1 << QStringList()
                                          << QStringList{"q42: Periodo invalido"};
        QTest::newRow("malformed Hasta") << QStringList{"--demo", "--pdf", "01/2025", "6/2025"} << 1
                                         << QStringList() << QStringList{"q42: Periodo invalido"};
        // Two periods and an option: the file is missing, not named "--demo".
        QTest::newRow("an option is no file name")
            << QStringList{"--pdf", "01/2025", "06/2025", "--demo"} << 2 << QStringList()
            << QStringList{"q42: --pdf necesita"};
        QTest::newRow("no file") << QStringList{"--demo", "--pdf"} << 2 << QStringList()
                                 << QStringList{"q42: --pdf necesita"};
    }
    void batchPdf() {
        QFETCH(QStringList, argumentos);
        QFETCH(int, codigo);
        QFETCH(QStringList, paginas);
        QFETCH(QStringList, mensajes);
        const QString programa = qEnvironmentVariable("Q42_BINARY_DIR") + "/q42";
        QVERIFY2(QFile::exists(programa), qPrintable(programa));
        const QString pdf = env.ruta(QString("lote-%1.pdf").arg(QTest::currentDataTag()));
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            e.remove(v);
        e.insert("HOME", env.carpeta());
        e.insert("XDG_DATA_HOME", env.ruta("datos"));
        QProcess p;
        p.setProcessEnvironment(e);
        p.start(programa, argumentos << pdf);
        QVERIFY(p.waitForFinished(240000));
        const QString error = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(p.exitCode() == codigo, qPrintable(error));
        QCOMPARE(QFile::exists(pdf), codigo == 0);
        if (codigo == 0)
            QCOMPARE(mesesDelPdf(pdf), mesesDe(paginas));
        if (mensajes.isEmpty())
            QVERIFY2(!error.contains("Revisión"), qPrintable(error));
        for (const QString& m : mensajes)
            QVERIFY2(error.contains(m), qPrintable(error));
    }
};

QTEST_MAIN(TstImprimir)
#include "tst_imprimir.moc"
