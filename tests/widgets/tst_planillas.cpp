#include "ScriptedMessages.h"
#include "TestEnv.h"
#include "ado/Ado.h"
#include "report/Reportes.h"
#include "widgets/Planillas.h"

#include <QBuffer>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using q42::ModeloPlanilla;

namespace {

using Filas = QVector<QVector<QVariant>>;

QByteArray csv(const ModeloPlanilla& m) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!q42::EscribeCsv(&buffer, m))
        return QByteArray();
    return buffer.data();
}

QStringList columna(const ModeloPlanilla& m, int c) {
    QStringList out;
    for (int f = 0; f < m.rowCount(); ++f)
        out << m.texto(f, c);
    return out;
}

} // namespace

class TstPlanillas : public QObject {
    Q_OBJECT
    TestEnv env;
    std::shared_ptr<ado::Connection> cn;

private Q_SLOTS:
    void initTestCase() {
        QFile vacia(env.ruta("planilla.db")); // the provider opens existing files only
        QVERIFY(vacia.open(QIODevice::WriteOnly));
        vacia.close();
        cn = std::make_shared<ado::Connection>();
        cn->Open("Provider=SQLite;Data Source=" + env.ruta("planilla.db") + ";");
        cn->Execute("CREATE TABLE DJ_Q42 (Periodo TEXT, P_Existencia REAL, Observaciones TEXT)");
        cn->Execute("INSERT INTO DJ_Q42 VALUES ('05/2006', 150.25, 'Sin; novedad')");
        cn->Execute("INSERT INTO DJ_Q42 VALUES ('04/2006', 9.5, NULL)");
        cn->Execute("INSERT INTO DJ_Q42 VALUES ('06/2006', NULL, 'Dijo \"ok\"')");
        q42::Reportes::setConexion(cn);
    }

    void escribeCsv_data() {
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<QByteArray>("campo");
        QTest::newRow("decimal comma") << QVariant(150.25) << QByteArray("150,25");
        QTest::newRow("no grouping, no exponent") << QVariant(1234567.0) << QByteArray("1234567");
        QTest::newRow("integer") << QVariant(42) << QByteArray("42");
        QTest::newRow("negative") << QVariant(-7.5) << QByteArray("-7,5");
        QTest::newRow("null") << QVariant() << QByteArray("");
        QTest::newRow("separator quoted") << QVariant("a;b") << QByteArray("\"a;b\"");
        QTest::newRow("quotes doubled") << QVariant("di \"si\"") << QByteArray("\"di \"\"si\"\"\"");
        QTest::newRow("line break quoted") << QVariant("a\nb") << QByteArray("\"a\nb\"");
        QTest::newRow("surrounding blank quoted") << QVariant(" a") << QByteArray("\" a\"");
        QTest::newRow("apostrophe as is") << QVariant("O'Higgins") << QByteArray("O'Higgins");
        QTest::newRow("accents in UTF-8") << QVariant("Pérez") << QByteArray("P\xC3\xA9rez");
        QTest::newRow("date") << QVariant(QDate(2006, 5, 31)) << QByteArray("31/05/2006");
    }
    void escribeCsv() {
        QFETCH(QVariant, valor);
        QFETCH(QByteArray, campo);
        ModeloPlanilla m({"Uno", "Dos;x"}, Filas{{valor, "fin"}});
        QCOMPARE(csv(m), "\xEF\xBB\xBFUno;\"Dos;x\"\r\n" + campo + ";fin\r\n");
    }

    void csvEnDispositivoCerrado() {
        ModeloPlanilla m({"A"}, Filas{{1}});
        QBuffer cerrado;
        QString error;
        QVERIFY(!q42::EscribeCsv(&cerrado, m, &error));
        QVERIFY(!error.isEmpty());
    }

    void orden_data() {
        QTest::addColumn<Filas>("filas");
        QTest::addColumn<bool>("numerica");
        QTest::addColumn<int>("orden");
        QTest::addColumn<QStringList>("esperado");
        const Filas numeros{{10.5}, {QVariant()}, {9.25}, {-1}, {100}};
        QTest::newRow("numbers by value, null first")
            << numeros << false << int(Qt::AscendingOrder)
            << QStringList{"", "-1", "9,25", "10,5", "100"};
        QTest::newRow("descending, null last") << numeros << false << int(Qt::DescendingOrder)
                                               << QStringList{"100", "10,5", "9,25", "-1", ""};
        QTest::newRow("decimal texts of a number column")
            << Filas{{"10.50"}, {"9.25"}, {"100.00"}} << true << int(Qt::AscendingOrder)
            << QStringList{"9,25", "10,50", "100,00"};
        QTest::newRow("texts in regional order, case ignored")
            << Filas{{"zeta"}, {"Árbol"}, {"abeja"}, {"Ñandú"}, {"nube"}} << false
            << int(Qt::AscendingOrder) << QStringList{"abeja", "Árbol", "nube", "Ñandú", "zeta"};
        QTest::newRow("numbers before texts")
            << Filas{{"x"}, {3}, {QVariant()}} << false << int(Qt::AscendingOrder)
            << QStringList{"", "3", "x"};
    }
    void orden() {
        QFETCH(Filas, filas);
        QFETCH(bool, numerica);
        QFETCH(int, orden);
        QFETCH(QStringList, esperado);
        ModeloPlanilla m({"C"}, filas, {numerica});
        m.sort(0, Qt::SortOrder(orden));
        QCOMPARE(columna(m, 0), esperado);
        const QStringList original = [&] {
            ModeloPlanilla o({"C"}, filas, {numerica});
            return columna(o, 0);
        }();
        m.sort(-1);
        QCOMPARE(columna(m, 0), original);
    }

    void ventana() {
        ScriptedMessages mensajes;
        const QString archivo = env.ruta("tecnicos.csv");
        DialogScript dialogos([&](QDialog* d) {
            qobject_cast<QFileDialog*>(d)->selectFile(archivo);
            return int(QDialog::Accepted);
        });
        std::unique_ptr<QWidget> w(
            q42::Planillas::MuestraPlanilla("DJ_Q42", "DSN=x; PWD=secreto", "Tecnicos"));
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("Tecnicos"));
        auto* vista = w->findChild<QTableView*>("tabla");
        auto* m = vista->model();
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(m->data(m->index(0, 0)).toString(), QString("05/2006")); // table order
        QCOMPARE(m->data(m->index(0, 1)).toString(), QString("150,25"));
        QCOMPARE(m->data(m->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        QCOMPARE(m->data(m->index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignLeft);
        QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));

        QHeaderView* cabecera = vista->horizontalHeader();
        QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {},
                          QPoint(cabecera->sectionViewportPosition(0) + 5, 5));
        QCOMPARE(m->data(m->index(0, 0)).toString(), QString("04/2006"));

        QTest::mouseClick(w->findChild<QPushButton*>("cmdExportar"), Qt::LeftButton);
        QCOMPARE(dialogos.count(), 1);
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\xEF\xBB\xBF"
                                         "Periodo;P_Existencia;Observaciones\r\n"
                                         "04/2006;9,5;\r\n"
                                         "05/2006;150,25;\"Sin; novedad\"\r\n"
                                         "06/2006;;\"Dijo \"\"ok\"\"\"\r\n"));
        QVERIFY(w->findChild<QLabel*>("lblEstado")->text().contains("3 filas exportadas"));
        QCOMPARE(mensajes.count(), 0);
    }

    void tablaQueNoSePuedeLeer_data() {
        QTest::addColumn<QString>("tabla");
        QTest::newRow("statement in the name") << "DJ_Q42; DROP TABLE DJ_Q42";
        QTest::newRow("quote in the name") << "DJ_Q42'";
        QTest::newRow("missing table") << "NoExiste";
        QTest::newRow("empty") << "";
    }
    void tablaQueNoSePuedeLeer() {
        QFETCH(QString, tabla);
        ScriptedMessages mensajes;
        QVERIFY(!q42::Planillas::MuestraPlanilla(tabla, "DSN=x; PWD=secreto", "Tecnicos"));
        QCOMPARE(mensajes.count(), 1);
        QCOMPARE(mensajes.last().icon(), int(q42::vbCritical));
        QVERIFY(!mensajes.last().prompt.contains("secreto"));
        // The table is still there.
        QCOMPARE(ModeloPlanilla::deTabla("DJ_Q42", cn)->rowCount(), 3);
    }
};

QTEST_MAIN(TstPlanillas)
#include "tst_planillas.moc"
