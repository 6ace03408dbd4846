// Printing a declaration through the report "Q42": the formula texts, the
// PDF of a known declaration read back as text, a missing definition, and
// the program's batch PDF.

#include "ScriptedMessages.h"
#include "TestEnv.h"
#include "db/DB_Dll.h"
#include "declaration/FrmQ42.h"
#include "declaration/Impresion.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/Reportes.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QtTest>
#include <sqlite3.h>

using namespace declaracion;
using q42::Reportes;

Q_DECLARE_METATYPE(declaracion::Empresa)

namespace {

void sql(const QString& ruta, const QString& sentencia) {
    sqlite3* db = nullptr;
    sqlite3_open(ruta.toUtf8().constData(), &db);
    char* error = nullptr;
    if (sqlite3_exec(db, sentencia.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
        qFatal("%s: %s", qPrintable(sentencia), error);
    sqlite3_close(db);
}

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
        sql(ruta, "UPDATE TA_CONFIGURACION SET VALOR = 'Molino O''Higgins S.A.' "
                  "WHERE CLAVE = 'NOMBRE'");
        QStringList columnas{"Periodo", "Responsable", "SAGPyA", "Cosecha"};
        QStringList valores{"'05/2006'", "'Lic. Ana Pérez'", "'M-4527'", "'05/06'"};
        for (const auto& [c, v] : kFila) {
            columnas << c;
            valores << QString::number(v);
        }
        sql(ruta, QString("INSERT INTO DJ_Q42 (%1) VALUES (%2)")
                      .arg(columnas.join(','), valores.join(',')));
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

    // The built program, with no display, on a demo database of its own.
    void batchPdf_data() {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("saved declaration") << QStringList{"--demo", "--pdf", "06/2025"} << 0 << "";
        // Questioned figures are told on stderr and printed all the same.
        QTest::newRow("negative stock, printed with its finding")
            << QStringList{"@Archivo=" + ruta, "--pdf", "05/2006"} << 0
            << QStringLiteral("q42: Revisión de 05/2006: Existencia final de Pellet/Otros "
                              "negativa: −8,87");
        QTest::newRow("month without declaration")
            << QStringList{"--demo", "--pdf", "07/2025"} << 1
            << "q42: No hay declaración para el período 07/2025";
        // The connection message's lines must stay apart on stderr.
        QTest::newRow("missing database file")
            << QStringList{"@Archivo=/nonexistente/q42.sqlite", "--pdf", "06/2025"} << 1
            << "Estado de Sql: 08001 Numero de Error:";
        QTest::newRow("malformed period")
            << QStringList{"--pdf", "13/2025"} << 1 << "q42: Periodo invalido";
    }
    void batchPdf() {
        QFETCH(QStringList, argumentos);
        QFETCH(int, codigo);
        QFETCH(QString, mensaje);
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
            QVERIFY(textoPdf(pdf).contains("Correspondiente al mes de " +
                                           fraseMes(argumentos.at(2)).section(' ', -4)));
        QVERIFY2(mensaje.isEmpty() ? !error.contains("Revisión") : error.contains(mensaje),
                 qPrintable(error));
    }
};

QTEST_MAIN(TstImprimir)
#include "tst_imprimir.moc"
