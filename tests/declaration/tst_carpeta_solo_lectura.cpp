// The program's folder cannot be written (an install folder of another
// user, a read-only share): the program starts without a word, goes on
// without the lookup mask file it could not create (the configuration step
// is then left undone), keeps the files it finds there untouched, and the
// error dialog still returns the operator's answer when its log line is
// lost. The database lives elsewhere and takes the declaration as usual.

#include "CarpetaSoloLectura.h"
#include "FormularioPrueba.h"
#include "boot/Inicio.h"
#include "config/Configuracion.h"
#include "lookup/MascaraConsultas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace prueba;

namespace {

const QByteArray kLogAnterior = "01-02-2025 10:00:00 Rutina: Mensaje x Respondió : Ignorar\r\n";

} // namespace

class TstCarpetaSoloLectura : public QObject {
    Q_OBJECT
    TestEnv env;
    int numero = 0;

private Q_SLOTS:
    void cleanup() {
        qputenv("Q42_CARPETA", QDir::toNativeSeparators(env.carpeta()).toLocal8Bit());
        gTablaConfiguracion.clear();
        cierraBase();
    }

    void arranque_data() {
        QTest::addColumn<bool>("archivo");
        QTest::addColumn<bool>("conArchivos");
        QTest::newRow("no write permission, empty") << false << false;
        QTest::newRow("no write permission, with its files") << false << true;
        QTest::newRow("a file in place of the folder") << true << false;
    }
    void arranque() {
        QFETCH(bool, archivo);
        QFETCH(bool, conArchivos);
        ScriptedMessages msgs;
        DialogScript guion([](QDialog*) { return int(QDialog::Rejected); });

        // The business database, in a folder of its own open to anyone.
        const QString datos = env.ruta(QStringLiteral("datos%1").arg(++numero));
        QVERIFY(QDir().mkpath(datos));
        CarpetaSoloLectura::abreATodos(datos);
        const QString base =
            abreBase(env, QStringLiteral("datos%1/molino.sqlite").arg(numero), 2025, 6);
        cierraBase();
        CarpetaSoloLectura::abreATodos(base);

        const QString carpeta = env.ruta(QStringLiteral("programa%1").arg(numero));
        const QString mascaras = carpeta + QStringLiteral("/consultas.qvx");
        const QByteArray propias = q42::mascaras::escribeRegistro(
            {QStringLiteral("MIA"), QStringLiteral("TA_MIA"), QStringLiteral("|A|B|"), QString()});
        if (archivo) {
            escribeArchivo(carpeta, "no es una carpeta");
        } else {
            QVERIFY(QDir().mkpath(carpeta));
            if (conArchivos) {
                escribeArchivo(mascaras, propias);
                escribeArchivo(carpeta + QStringLiteral("/QXERR.LOG"), kLogAnterior);
            }
        }
        qputenv("Q42_CARPETA", QDir::toNativeSeparators(carpeta).toLocal8Bit());
        const QStringList antes = archivo ? QStringList() : QDir(carpeta).entryList(QDir::Files);
        std::unique_ptr<CarpetaSoloLectura> bloqueo;
        if (!archivo) {
            bloqueo = std::make_unique<CarpetaSoloLectura>(carpeta);
            if (!bloqueo->vale())
                QSKIP(qPrintable(bloqueo->motivo()));
        }

        QVERIFY(IniciaSistema(QStringLiteral("@Archivo=%1;").arg(base)));
        DB_Dll& db = DB_Dll::instance();
        QVERIFY(db.gOpenFlag);
        QCOMPARE(msgs.count(), 0);
        QCOMPARE(guion.count(), 0);
        const Lib_ClsCons3& consultas = Lib_ClsCons3::instance();
        QCOMPARE(consultas.gConnString, db.gConnString);
        if (conArchivos) {
            // The masks found are used as they are; the start goes on to the end.
            QCOMPARE(QFileInfo(consultas.gRutaMascaraConsultas).canonicalFilePath(),
                     QFileInfo(mascaras).canonicalFilePath());
            QCOMPARE(lee(mascaras), propias);
            QCOMPARE(gTablaConfiguracion, QStringLiteral("ta_configuracion"));
        } else {
            // The masks could not be created: the start ends there, silently.
            QVERIFY(!QFileInfo::exists(consultas.gRutaMascaraConsultas));
            QVERIFY(gTablaConfiguracion != QStringLiteral("ta_configuracion"));
        }

        // The window opens and saves a declaration into the database.
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("07/2025"));
        escribe(*f, 2, QStringLiteral("12,5"));
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 0);
        QVERIFY(!enEdicion(*f));
        QCOMPARE(valor(base, QStringLiteral("SELECT P_Ingresos FROM DJ_Q42 WHERE "
                                            "Periodo = '07/2025'"))
                     .toDouble(),
                 12.5);

        // An error reported: the operator's answer comes back, the log line
        // is lost and an older log stays as it was.
        msgs.answer(q42::vbRetry);
        QCOMPARE(db.TratamientoErrores(q42::Error(q42::err::PathFileAccess, QStringLiteral("x"),
                                                  QStringLiteral("Q42")),
                                       std::nullopt, QStringLiteral("VerificaCampos")),
                 int(q42::vbRetry));
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(lee(DB_Dll::rutaErrorLog()), conArchivos ? kLogAnterior : QByteArray());

        if (!archivo)
            QCOMPARE(QDir(carpeta).entryList(QDir::Files), antes);
        f.reset();
        bloqueo.reset();
    }
};

QTEST_MAIN(TstCarpetaSoloLectura)
#include "tst_carpeta_solo_lectura.moc"
