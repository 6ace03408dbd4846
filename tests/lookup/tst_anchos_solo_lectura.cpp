// The lookups in a program folder that cannot be written: the mask file and
// the column widths found there are read as usual; saving the widths when
// the list unloads fails with one message, leaves the old file whole and no
// temporary file, and the dialog still closes.

#include "CarpetaSoloLectura.h"
#include "PruebaConsultas.h"
#include "lookup/AnchosColumnas.h"
#include "lookup/MascaraConsultas.h"

#include <QDir>
#include <QHeaderView>
#include <memory>

using namespace prueba;

namespace {

const QByteArray kAnchos = "\"VT_CLIENTES\",\"3000|1200|\"\r\n";

} // namespace

class TstAnchosSoloLectura : public QObject {
    Q_OBJECT
    TestEnv env;
    int numero = 0;

private Q_SLOTS:
    void initTestCase() { abreBase(env, QStringLiteral("anchos.sqlite")); }
    void cleanupTestCase() { cierraBase(); }
    void cleanup() {
        qputenv("Q42_CARPETA", QDir::toNativeSeparators(env.carpeta()).toLocal8Bit());
        Lib_ClsCons3::release();
    }

    void carpetaSoloLectura_data() {
        QTest::addColumn<bool>("archivo");
        QTest::newRow("no write permission") << false;
        QTest::newRow("a file in place of the folder") << true;
    }
    void carpetaSoloLectura() {
        QFETCH(bool, archivo);
        ScriptedMessages msgs;
        const QString carpeta = env.ruta(QStringLiteral("programa%1").arg(++numero));
        const QString anchos = carpeta + QStringLiteral("/CONSULTASLEN.QVX");
        const QString mascaras = carpeta + QStringLiteral("/CONSULTAS.QVX");
        if (archivo) {
            escribeArchivo(carpeta, "no es una carpeta");
        } else {
            QVERIFY(QDir().mkpath(carpeta));
            escribeArchivo(anchos, kAnchos);
            escribeArchivo(mascaras, q42::mascaras::escribeRegistro(
                                         {QStringLiteral("CLIENTES"), QStringLiteral("VT_CLIENTES"),
                                          QStringLiteral("|CODIGO|RAZON_SOCIAL|"), QString()}));
        }
        qputenv("Q42_CARPETA", QDir::toNativeSeparators(carpeta).toLocal8Bit());
        std::unique_ptr<CarpetaSoloLectura> bloqueo;
        if (!archivo) {
            bloqueo = std::make_unique<CarpetaSoloLectura>(carpeta);
            if (!bloqueo->vale())
                QSKIP(qPrintable(bloqueo->motivo()));
        }

        // The service reads its masks from the folder.
        Lib_ClsCons3& consultas = Lib_ClsCons3::instance();
        consultas.gUsarMascarasConsultas = true;
        consultas.gRutaMascaraConsultas = mascaras;
        QString sentencia;
        {
            DialogScript guion([&](QDialog* d) {
                if (auto* lista = qobject_cast<Lib_FrmCons3*>(d))
                    sentencia = lista->SQL;
                return int(QDialog::Rejected);
            });
            consultas.ConsultaSearch(QStringLiteral("VT_CLIENTES"));
            QCOMPARE(guion.count(), 1);
        }
        QCOMPARE(sentencia.contains(QStringLiteral("CODIGO,RAZON_SOCIAL")), !archivo);

        // The list applies the saved widths and fails to save new ones.
        auto d = std::make_unique<Lib_FrmCons3>();
        d->SQL = QStringLiteral("SELECT RAZON_SOCIAL, CODIGO FROM VT_CLIENTES");
        d->GrabarCfg = true;
        d->Cargar();
        muestra(d.get());
        QHeaderView* h = d->ListView1->horizontalHeader();
        if (!archivo)
            QCOMPARE(h->sectionSize(0), 200);
        QCOMPARE(msgs.count(), 0);
        h->resizeSection(0, 150);
        d->Descargar();
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().title, QStringLiteral("Aviso al Operador"));
        QCOMPARE(msgs.last().icon(), int(q42::vbCritical));
        QCOMPARE(msgs.last().buttons(), int(q42::vbOKOnly));
        QCOMPARE(d->modelo()->filas(), 0);
        d->close();
        if (!archivo) {
            QCOMPARE(lee(anchos), kAnchos);
            QCOMPARE(QDir(carpeta).entryList(QDir::Files),
                     (QStringList{"CONSULTAS.QVX", "CONSULTASLEN.QVX"}));
        }
        d.reset();
        bloqueo.reset();
    }
};

QTEST_MAIN(TstAnchosSoloLectura)
#include "tst_anchos_solo_lectura.moc"
