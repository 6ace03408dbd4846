// Where the program keeps its own files: beside a portable copy, in the
// user's folder for an installed one, wherever Q42_CARPETA says.

#include "EntornoPrueba.h"
#include "core/Carpeta.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using namespace q42;

namespace {

QByteArray leeArchivo(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool escribe(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Sets an environment variable for the life of the object.
class Variable {
public:
    Variable(const char* nombre, const QString& valor) : m_nombre(nombre) {
        m_tenia = qEnvironmentVariableIsSet(nombre);
        m_antes = qgetenv(nombre);
        if (valor.isNull())
            qunsetenv(nombre);
        else
            qputenv(nombre, valor.toLocal8Bit());
    }
    ~Variable() {
        if (m_tenia)
            qputenv(m_nombre, m_antes);
        else
            qunsetenv(m_nombre);
    }

private:
    const char* m_nombre;
    bool m_tenia;
    QByteArray m_antes;
};

} // namespace

class TstCarpeta : public QObject {
    Q_OBJECT
    EntornoPrueba env;

private Q_SLOTS:
    void eleccion_data() {
        QTest::addColumn<QString>("forzada");
        QTest::addColumn<QString>("delUsuario");
        QTest::addColumn<bool>("escribible");
        QTest::addColumn<QString>("esperada");
        const QString u = QStringLiteral("/home/op/.local/share/q42");
        QTest::newRow("portable copy stays beside the program") << "" << u << true << "/opt/q42";
        QTest::newRow("installed program uses the user's folder") << "" << u << false << u;
        QTest::newRow("Q42_CARPETA wins over a writable folder")
            << "/srv/q42" << u << true << "/srv/q42";
        QTest::newRow("Q42_CARPETA wins over the user's folder")
            << "/srv/q42" << u << false << "/srv/q42";
        QTest::newRow("no user folder: the program's all the same") << ""
                                                                    << "" << false << "/opt/q42";
    }
    void eleccion() {
        QFETCH(QString, forzada);
        QFETCH(QString, delUsuario);
        QFETCH(bool, escribible);
        QFETCH(QString, esperada);
        QStringList preguntadas;
        const auto admite = [&](const QString& c) {
            preguntadas << c;
            return escribible;
        };
        QCOMPARE(eligeCarpetaAplicacion(forzada, "/opt/q42", delUsuario, admite), esperada);
        for (const QString& c : std::as_const(preguntadas))
            QCOMPARE(c, QStringLiteral("/opt/q42"));
    }

    void carpetaDelSistema_data() {
        QTest::addColumn<QString>("carpeta");
        QTest::addColumn<bool>("delSistema");
        QTest::newRow("/usr/bin") << "/usr/bin" << true;
        QTest::newRow("/usr itself") << "/usr" << true;
        QTest::newRow("/usr/local/bin") << "/usr/local/bin" << true;
        QTest::newRow("/bin") << "/bin" << true;
        QTest::newRow("a name that only begins like /usr") << "/usrx/bin" << false;
        QTest::newRow("/opt") << "/opt/q42" << false;
        QTest::newRow("a home") << "/home/op/q42" << false;
        QTest::newRow("dots leading out of /usr") << "/usr/bin/../../home/op" << false;
        QTest::newRow("dots leading into /usr") << "/home/../usr/bin" << true;
    }
    void carpetaDelSistema() {
        QFETCH(QString, carpeta);
        QFETCH(bool, delSistema);
        QCOMPARE(esCarpetaDelSistema(carpeta), delSistema);
    }

    // As root every folder admits writing; the system folders still do not.
    void admiteEscritura_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<bool>("admite");
        QTest::newRow("own folder") << "." << true;
        QTest::newRow("system folder, even for root") << "/usr/bin" << false;
        QTest::newRow("missing folder") << "falta" << false;
        QTest::newRow("a file, not a folder") << "archivo" << false;
        QTest::newRow("read-only folder") << "solo-lectura" << false;
    }
    void admiteEscritura() {
        QFETCH(QString, nombre);
        QFETCH(bool, admite);
        QVERIFY(escribe(env.ruta("archivo"), "x"));
        QDir(env.carpeta()).mkdir("solo-lectura");
        QFile::setPermissions(env.ruta("solo-lectura"), QFile::ReadOwner | QFile::ExeOwner);
        if (nombre == QLatin1String("solo-lectura") && ::geteuid() == 0)
            QSKIP("root writes in a read-only folder");
        const QString carpeta = nombre.startsWith('/') ? nombre : env.ruta(nombre);
        QCOMPARE(carpetaAdmiteEscritura(carpeta), admite);
    }

    // The first run of an installed program: the folder is made and takes the
    // sample settings; a file the user already has is never replaced.
    void preparaCarpeta_data() {
        QTest::addColumn<QString>("existente");
        QTest::addColumn<bool>("conEjemplo");
        QTest::addColumn<QStringList>("archivos");
        QTest::addColumn<QByteArray>("contenido");
        QTest::newRow("first run") << "" << true << QStringList{"ZK000pr.INI"} << QByteArray("ej");
        QTest::newRow("no sample installed") << "" << false << QStringList{} << QByteArray();
        QTest::newRow("user's file in other letter case kept")
            << "zk000pr.ini" << true << QStringList{"zk000pr.ini"} << QByteArray("mio");
    }
    void preparaCarpeta() {
        QFETCH(QString, existente);
        QFETCH(bool, conEjemplo);
        QFETCH(QStringList, archivos);
        QFETCH(QByteArray, contenido);
        QTemporaryDir base;
        const QString carpeta = base.filePath("datos/q42");
        const QString ejemplo = base.filePath("ZK000pr.INI");
        if (conEjemplo) {
            QVERIFY(escribe(ejemplo, "ej"));
            QFile::setPermissions(ejemplo, QFile::ReadOwner | QFile::ReadOther);
        }
        if (!existente.isEmpty()) {
            QVERIFY(QDir().mkpath(carpeta));
            QVERIFY(escribe(QDir(carpeta).filePath(existente), "mio"));
        }
        QVERIFY(preparaCarpetaDelUsuario(carpeta, ejemplo));
        QCOMPARE(QDir(carpeta).entryList(QDir::Files), archivos);
        if (!archivos.isEmpty()) {
            const QString ruta = QDir(carpeta).filePath(archivos.first());
            QCOMPARE(leeArchivo(ruta), contenido);
            QVERIFY(QFile::permissions(ruta) & QFile::WriteOwner);
        }
    }

    // Run from the build tree, a portable copy: the files go beside the
    // program and the user's folder is not made. (A tree under /usr is an
    // installed program, whose folder is made.)
    void carpetaAplicacion_data() {
        QTest::addColumn<bool>("forzada");
        QTest::newRow("Q42_CARPETA") << true;
        QTest::newRow("beside the program") << false;
    }
    void carpetaAplicacion() {
        QFETCH(bool, forzada);
        QTemporaryDir datos;
        const Variable xdg("XDG_DATA_HOME", datos.path());
        const Variable q42("Q42_CARPETA", forzada ? env.carpeta() : QString());
        const QString usuario = datos.filePath("q42");
        QCOMPARE(carpetaDelUsuario(), usuario);
        const QString programa = QCoreApplication::applicationDirPath();
        const bool portable = forzada || carpetaAdmiteEscritura(programa);
        QCOMPARE(q42::carpetaAplicacion(), forzada ? env.carpeta() : portable ? programa : usuario);
        QCOMPARE(QFileInfo::exists(usuario), !portable);
    }
};

QTEST_GUILESS_MAIN(TstCarpeta)
#include "tst_carpeta.moc"
