#include "EntornoPrueba.h"
#include "ScriptedMessages.h"
#include "db/DB_Dll.h"

#include <QDir>
#include <QFile>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<int>)

class TstTratamientoErrores : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    DB_Dll db;

    QString ruta() const { return env.ruta("QXERR.LOG"); }
    QByteArray log(const QString& archivo = QString()) const {
        QFile f(archivo.isEmpty() ? ruta() : archivo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static q42::Error error(const QString& descripcion = " Fila no encontrada  ") {
        return q42::Error(3021, descripcion, "Q42.Prueba");
    }

private Q_SLOTS:
    void cleanup() {
        QFile::remove(ruta());
        QDir(env.carpeta()).rmdir("QXERR.LOG");
    }

    void sinErrorNoHaceNada() {
        ScriptedMessages msgs;
        QCOMPARE(db.TratamientoErrores(q42::Error(0, "nada"), std::nullopt, "VerificaCampos"), 0);
        QCOMPARE(msgs.count(), 0);
        QVERIFY(!QFile::exists(ruta()));
    }

    void dialogo_data() {
        QTest::addColumn<QString>("rutina");
        QTest::addColumn<std::optional<int>>("botones");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<int>("estilo");
        QTest::newRow("no routine, default style")
            << QString() << std::optional<int>() << "Q42.Prueba Aviso al operador!!! " << 18;
        QTest::newRow("routine, OK only")
            << "VerificaCampos" << std::optional<int>(0)
            << "Q42.Prueba - VerificaCampos Aviso al operador!!! " << 0;
    }
    void dialogo() {
        QFETCH(QString, rutina);
        QFETCH(std::optional<int>, botones);
        QFETCH(QString, titulo);
        QFETCH(int, estilo);
        ScriptedMessages msgs;
        msgs.answer(q42::vbOK);
        db.TratamientoErrores(error(), botones, rutina);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().title, titulo);
        QCOMPARE(msgs.last().style, estilo);
        QCOMPARE(msgs.last().prompt,
                 QString("Ha ocurrido el Siguiente Error (3021) Fila no encontrada"));
    }

    void respuestas_data() {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QByteArray>("texto");
        QTest::newRow("retry") << 4 << QByteArray("Reintentar");
        QTest::newRow("ignore") << 5 << QByteArray("Ignorar");
        QTest::newRow("abort") << 3 << QByteArray("Abortar");
        QTest::newRow("ok") << 1 << QByteArray("");
        QTest::newRow("cancel") << 2 << QByteArray("Cancelar");
        QTest::newRow("yes in one byte") << 6 << QByteArray("S\xED");
        QTest::newRow("no") << 7 << QByteArray("No");
    }
    void respuestas() {
        QFETCH(int, respuesta);
        QFETCH(QByteArray, texto);
        ScriptedMessages msgs;
        msgs.answer(respuesta);
        QCOMPARE(db.TratamientoErrores(error(), std::nullopt, "VerificaCampos"), respuesta);
        QVERIFY(log().endsWith(" Respondi\xF3 : " + texto + "\r\n"));
    }

    void lineaExacta_data() {
        QTest::addColumn<QString>("rutina");
        QTest::addColumn<QByteArray>("parteRutina");
        QTest::newRow("routine") << "VerificaCampos  " << QByteArray("- VerificaCampos");
        QTest::newRow("no routine") << QString() << QByteArray("");
    }
    void lineaExacta() {
        QFETCH(QString, rutina);
        QFETCH(QByteArray, parteRutina);
        ScriptedMessages msgs;
        msgs.answer(q42::vbRetry);
        msgs.answer(q42::vbIgnore);
        const QDateTime antes = QDateTime::currentDateTime();
        db.TratamientoErrores(error(), std::nullopt, rutina);
        db.TratamientoErrores(error("otro"), std::nullopt, rutina);
        const QDateTime despues = QDateTime::currentDateTime();

        const QList<QByteArray> lineas = log().split('\n');
        QCOMPARE(lineas.size(), 3); // two lines and what follows the last line end
        QVERIFY(lineas[2].isEmpty());
        const QByteArray linea = lineas[0];
        const QByteArray resto = " Rutina: " + parteRutina +
                                 " Mensaje Ha ocurrido el Siguiente Error (3021) Fila no "
                                 "encontrada Respondi\xF3 : Reintentar\r";
        QVERIFY2(linea.endsWith(resto), linea.constData());
        const QByteArray sello = linea.left(linea.size() - resto.size());
        const auto marca = [](const QDateTime& t) {
            return t.toString("MM-dd-yyyy HH:mm:ss").toLatin1();
        };
        QVERIFY2(sello >= marca(antes) && sello <= marca(despues), sello.constData());
        QVERIFY(lineas[1].endsWith("Error (3021) otro Respondi\xF3 : Ignorar\r"));
    }

    void paginaDeCodigosWindows() {
        ScriptedMessages msgs;
        msgs.answer(q42::vbAbort);
        db.TratamientoErrores(error(QString::fromUtf8("Año 2006 ‘x’ € → fin")));
        QVERIFY(log().contains("A\xF1o 2006 \x91x\x92 \x80 ? fin"));
    }

    void sinPasswordEnElLog() {
        ScriptedMessages msgs;
        msgs.answer(q42::vbAbort);
        db.TratamientoErrores(error("Login failed: User Id=sa;Password=Secreto123;"), 16);
        QVERIFY(!log().isEmpty());
        QVERIFY(!log().contains("Secreto123"));
        QVERIFY(!msgs.last().prompt.contains("Secreto123"));
    }

    void archivoConOtraMayuscula() {
        const QString existente = env.ruta("qxerr.log");
        QFile f(existente);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("previa\r\n");
        f.close();
        ScriptedMessages msgs;
        msgs.answer(q42::vbIgnore);
        db.TratamientoErrores(error());
        QVERIFY(log(existente).startsWith("previa\r\n"));
        QVERIFY(log(existente).endsWith("Ignorar\r\n"));
        QFile::remove(existente);
    }

    // The log cannot be opened (here a folder stands where the file goes):
    // the line is lost and the answer still comes back.
    void logNoEscribibleSePierdeEnSilencio() {
        QVERIFY(QDir(env.carpeta()).mkdir("QXERR.LOG"));
        ScriptedMessages msgs;
        msgs.answer(q42::vbRetry);
        QCOMPARE(db.TratamientoErrores(error(), std::nullopt, "errAddField"), 4);
        QCOMPARE(msgs.count(), 1);
    }

    void rutaSinDobleSeparador_data() {
        QTest::addColumn<QString>("sufijo");
        QTest::newRow("without separator") << "";
        QTest::newRow("with separator") << "/";
    }
    void rutaSinDobleSeparador() {
        QFETCH(QString, sufijo);
        const QByteArray guardada = qgetenv("Q42_CARPETA");
        qputenv("Q42_CARPETA", (env.carpeta() + sufijo).toLocal8Bit());
        const QString r = DB_Dll::rutaErrorLog();
        qputenv("Q42_CARPETA", guardada);
        QCOMPARE(QDir::cleanPath(r), QDir::cleanPath(ruta()));
        QVERIFY(!r.contains("//"));
        QVERIFY(r.endsWith("/QXERR.LOG"));
    }
};

QTEST_GUILESS_MAIN(TstTratamientoErrores)
#include "tst_tratamiento_errores.moc"
