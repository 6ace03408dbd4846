// Opening the connection: the two connection-string forms, the login
// request, the retry prompt with what the driver said, the administrator
// check, on real SQLite files and on FreeTDS against a closed port.

#include "EntornoPrueba.h"
#include "ScriptedMessages.h"
#include "SqliteDirecto.h"
#include "ado/ConnectionString.h"
#include "db/DB_Dll.h"

#include <QFileInfo>
#include <QTest>
#include <arpa/inet.h>
#include <future>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

const QString kTitulo = QStringLiteral(" Error de Conexion a Base de Datos");
const int kEstilo = q42::vbYesNo + q42::vbCritical;

// A loopback port that nobody listens on.
int puertoCerrado() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&dir), sizeof dir);
    socklen_t largo = sizeof dir;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&dir), &largo);
    ::close(s);
    return ntohs(dir.sin_port);
}

QString cadenaSQLite(const QString& ruta) {
    return QStringLiteral("Provider=SQLite;Data Source=") + ruta + QLatin1Char(';');
}

// The expected prompt for the first entry of the errors collection.
QString textoEsperado(const ado::Error& e) {
    return QStringLiteral(" Estado de Sql: %1\rNumero de Error: %2\rDescripcion: %3\r"
                          "Codigo Nativo: %4\r - Desea Intentarlo Nuevamente??? ")
        .arg(e.SQLState)
        .arg(e.Number)
        .arg(e.Description)
        .arg(e.NativeError);
}

} // namespace

class TstConexion : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    QList<DatosAcceso> pedidos; // what the login handler was shown

    DB_Dll& nueva() {
        DB_Dll::release();
        pedidos.clear();
        return DB_Dll::instance();
    }
    // A login handler that answers with `respuestas` in turn, then cancels.
    void responde(QList<DatosAcceso> respuestas) {
        DB_Dll::setLoginHandler([this, respuestas](DatosAcceso& d) mutable {
            pedidos.append(d);
            if (respuestas.isEmpty()) {
                d.aceptar = false;
                return;
            }
            d = respuestas.takeFirst();
        });
    }

private Q_SLOTS:
    void cleanup() {
        DB_Dll::setLoginHandler(nullptr);
        DB_Dll::release();
    }
    void formas_data();
    void formas();
    void cadenaArmadaOracle();
    void cadenaListaNoCambiaProveedor();
    void dialogo_data();
    void dialogo();
    void claves_data();
    void claves();
    void reintentoMismaPlataforma_data();
    void reintentoMismaPlataforma();
    void sinDialogoEsCancelar();
    void abreSQLite();
    void archivoInexistente();
    void siPideDatosYReintenta();
    void siYCancela();
    void errorSinColeccion();
    void administrador_data();
    void administrador();
    void sinValidarAdmin();
    void freetdsPuertoCerrado();
    void motivo_data();
    void motivo();
    void conectandoEnOtroHilo();
};

void TstConexion::formas_data() {
    QTest::addColumn<QString>("servidor");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("sql server") << "SRV1"
                                << "PROVIDER=SQLOLEDB;Server=SRV1;Database =BASE;UId=usr;Pwd=clv;";
    QTest::newRow("oracle #") << "#ORA"
                              << "Provider=OraOLEDB.Oracle.1;Data Source=BASE;User Id=usr;"
                                 "Password=clv;";
    QTest::newRow("# en medio") << "OR#A"
                                << "Provider=OraOLEDB.Oracle.1;Data Source=BASE;"
                                   "User Id=usr;Password=clv;";
    QTest::newRow("vacio") << ""
                           << "PROVIDER=SQLOLEDB;Server=;Database =BASE;UId=usr;Pwd=clv;";
    // Values an ODBC string would cut or trim go in braces, "}" doubled.
    QTest::newRow("special characters") << "SRV;1"
                                        << "PROVIDER=SQLOLEDB;Server={SRV;1};Database =BASE;"
                                           "UId=usr;Pwd=clv;";
}

void TstConexion::formas() {
    QFETCH(QString, servidor);
    QFETCH(QString, esperado);
    DB_Dll& db = nueva();
    db.gServidor = servidor;
    db.gDBName = QStringLiteral("BASE");
    db.gUsuario = QStringLiteral("usr");
    db.gUserPassWord = QStringLiteral("clv");
    db.gProveedor = QStringLiteral("OtroProveedor"); // the SQL Server form ignores it
    db.ArmaConnString();
    QCOMPARE(db.gConnString, esperado);
}

// A password reaches the driver as typed, whatever it holds.
void TstConexion::claves_data() {
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("escrita");
    QTest::newRow("semicolon") << "ab;cd"
                               << "{ab;cd}";
    QTest::newRow("braces") << "{x}y"
                            << "{{x}}y}";
    QTest::newRow("edge blanks") << "  x "
                                 << "{  x }";
    QTest::newRow("plain") << "x=y"
                           << "x=y";
}

void TstConexion::claves() {
    QFETCH(QString, clave);
    QFETCH(QString, escrita);
    QCOMPARE(DB_Dll::valorConexion(clave), escrita);
    DB_Dll& db = nueva();
    for (const QString& servidor : {QStringLiteral("SRV"), QStringLiteral("#ORA")}) {
        db.gServidor = servidor;
        db.gUserPassWord = clave;
        db.ArmaConnString();
        QVERIFY(db.gConnString.contains(QLatin1Char('=') + escrita + QLatin1Char(';')));
        // The layer reads the password back whole.
        QCOMPARE(ado::detail::ConnectionString::parse(db.gConnString)
                     .value({QStringLiteral("Pwd"), QStringLiteral("Password")}),
                 clave);
    }
}

void TstConexion::cadenaArmadaOracle() {
    ScriptedMessages msgs;
    msgs.answer(q42::vbNo);
    DB_Dll& db = nueva();
    db.gServidor = QStringLiteral("#ORA");
    db.gDBName = QStringLiteral("TNS1");
    db.gUsuario = QStringLiteral("u");
    db.gUserPassWord = QStringLiteral("p");
    db.OpenServerADODB(false, ado::adUseClient, QStringLiteral("   "));
    QCOMPARE(db.gConnString,
             QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=TNS1;User Id=u;Password=p;"));
    QVERIFY(!db.gOpenFlag);
    QCOMPARE(db.gProveedor, QStringLiteral("SQLOLEDB"));
}

void TstConexion::cadenaListaNoCambiaProveedor() {
    ScriptedMessages msgs;
    msgs.answer(q42::vbNo);
    DB_Dll& db = nueva();
    const QString cadena =
        QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=TNS1;User Id=u;Password=p;");
    db.OpenServerADODB(false, ado::adUseClient, cadena);
    QCOMPARE(db.gConnString, cadena);
    QCOMPARE(db.gProveedor, QStringLiteral("SQLOLEDB"));
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(msgs.last().title, kTitulo);
    QVERIFY(!msgs.last().prompt.contains(QLatin1String("Password=p")));
}

void TstConexion::dialogo_data() {
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<int>("plataforma");
    QTest::addColumn<QString>("servidor");
    QTest::addColumn<QString>("proveedor");
    QTest::addColumn<bool>("oracle");
    const QString local = QStringLiteral("127.0.0.1,%1").arg(puertoCerrado());
    QTest::newRow("# con SQL Server") << "#ORA" << 0 << "#ORA"
                                      << "SQLOLEDB" << true;
    QTest::newRow("ORACLE sin #") << "ORA" << 1 << "#ORA"
                                  << "OraOLEDB.Oracle.1" << true;
    QTest::newRow("ORACLE con #") << "#ORA" << 1 << "#ORA"
                                  << "OraOLEDB.Oracle.1" << true;
    QTest::newRow("SQL Server") << local << 0 << local << "SQLOLEDB" << false;
}

void TstConexion::dialogo() {
    QFETCH(QString, tecleado);
    QFETCH(int, plataforma);
    QFETCH(QString, servidor);
    QFETCH(QString, proveedor);
    QFETCH(bool, oracle);
    ScriptedMessages msgs;
    msgs.answer(q42::vbNo);
    DB_Dll& db = nueva();
    db.gProveedor = QStringLiteral("OraOLEDB.Oracle.1"); // the dialog decides again
    responde({{QStringLiteral("usr"), QStringLiteral("clv"), QStringLiteral("BASE"), tecleado,
               plataforma, true}});
    db.OpenServerADODB(true);
    QCOMPARE(pedidos.size(), 1);
    QCOMPARE(pedidos[0].plataforma, 0);
    QCOMPARE(db.gServidor, servidor);
    QCOMPARE(db.gProveedor, proveedor);
    QCOMPARE(
        db.gConnString.startsWith(QLatin1String("Provider=OraOLEDB.Oracle.1;Data Source=BASE;")),
        oracle);
    QVERIFY(!db.gOpenFlag);
    QCOMPARE(msgs.count(), 1);
}

// A retry offers the platform of the attempt that failed.
void TstConexion::reintentoMismaPlataforma_data() {
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<int>("plataforma");
    QTest::addColumn<int>("ofrecida");
    QTest::newRow("ORACLE") << "ORA" << 1 << 1;
    QTest::newRow("# con SQL Server") << "#ORA" << 0 << 1;
    QTest::newRow("SQL Server") << QStringLiteral("127.0.0.1,%1").arg(puertoCerrado()) << 0 << 0;
}

void TstConexion::reintentoMismaPlataforma() {
    QFETCH(QString, tecleado);
    QFETCH(int, plataforma);
    QFETCH(int, ofrecida);
    ScriptedMessages msgs;
    msgs.answer(q42::vbYes);
    DB_Dll& db = nueva();
    responde({{QStringLiteral("usr"), QStringLiteral("clv"), QStringLiteral("BASE"), tecleado,
               plataforma, true}});
    db.OpenServerADODB(true);
    QCOMPARE(pedidos.size(), 2);
    QCOMPARE(pedidos[1].plataforma, ofrecida);
    QCOMPARE(pedidos[1].dbName, QStringLiteral("BASE"));
    QCOMPARE(pedidos[1].password, QStringLiteral("clv"));
    QVERIFY(!db.gOpenFlag);
    QCOMPARE(db.gCnn->State(), int(ado::adStateClosed));
    QCOMPARE(msgs.count(), 1);
}

void TstConexion::sinDialogoEsCancelar() {
    ScriptedMessages msgs;
    DB_Dll& db = nueva();
    db.gServidor = QStringLiteral("SRV");
    db.OpenServerADODB(true);
    QVERIFY(!db.gOpenFlag);
    QCOMPARE(msgs.count(), 0);
    QCOMPARE(db.gCnn->State(), int(ado::adStateClosed));
}

void TstConexion::abreSQLite() {
    ScriptedMessages msgs;
    const QString ruta = env.ruta(QStringLiteral("negocio.sqlite"));
    prueba::ejecuta(ruta, QStringLiteral("CREATE TABLE T (A INTEGER)"));
    DB_Dll& db = nueva();
    db.OpenServerADODB(false, ado::adUseClient, cadenaSQLite(ruta));
    QVERIFY(db.gOpenFlag);
    QCOMPARE(db.gCnn->State(), int(ado::adStateOpen));
    QCOMPARE(db.gCnn->CursorLocation(), int(ado::adUseClient));
    QCOMPARE(db.gMotor, ado::Engine::SQLite);
    QVERIFY(!db.gEsAdmin); // no database name: nothing to check
    QCOMPARE(msgs.count(), 0);
}

void TstConexion::archivoInexistente() {
    ScriptedMessages msgs;
    msgs.answer(q42::vbNo);
    const QString ruta = env.ruta(QStringLiteral("no_existe.sqlite"));
    DB_Dll& db = nueva();
    db.OpenServerADODB(false, ado::adUseClient, cadenaSQLite(ruta));
    QVERIFY(!db.gOpenFlag);
    QVERIFY(!QFileInfo::exists(ruta));
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(msgs.last().title, kTitulo);
    QCOMPARE(msgs.last().style, kEstilo);
    QVERIFY(db.gCnn->errors().Count() > 0);
    const ado::Error& e = db.gCnn->errors().Item(0);
    QVERIFY(!e.SQLState.isEmpty());
    QVERIFY(e.NativeError != 0);
    QCOMPARE(msgs.last().prompt,
             QStringLiteral(
                 "No se pudo conectar con la base de datos: no se puede abrir su archivo.\r") +
                 textoEsperado(e));
    QCOMPARE(pedidos.size(), 0);
}

void TstConexion::siPideDatosYReintenta() {
    ScriptedMessages msgs;
    msgs.answer(q42::vbYes);
    msgs.answer(q42::vbNo);
    const QString ruta = env.ruta(QStringLiteral("no_existe.sqlite"));
    const QString local = QStringLiteral("127.0.0.1,%1").arg(puertoCerrado());
    DB_Dll& db = nueva();
    db.gDBName = QStringLiteral("BASE");
    db.gUsuario = QStringLiteral("usr");
    responde({{QStringLiteral("usr"), QStringLiteral("Clave-Secreta9"), QStringLiteral("BASE"),
               local, 0, true}});
    db.OpenServerADODB(false, ado::adUseClient, cadenaSQLite(ruta));
    QCOMPARE(pedidos.size(), 1);
    QCOMPARE(pedidos[0].dbName, QStringLiteral("BASE"));
    QCOMPARE(pedidos[0].usuario, QStringLiteral("usr"));
    // The second attempt used the dialog's values on SQL Server.
    QCOMPARE(msgs.count(), 2);
    QVERIFY(db.gConnString.startsWith(QLatin1String("PROVIDER=SQLOLEDB;Server=") + local));
    QVERIFY(!msgs.last().prompt.contains(QLatin1String("Clave-Secreta9")));
    QVERIFY(msgs.last().prompt != msgs.shown().first().prompt);
    QVERIFY(!db.gOpenFlag);
}

void TstConexion::siYCancela() {
    ScriptedMessages msgs;
    msgs.answer(q42::vbYes);
    DB_Dll& db = nueva();
    responde({});
    db.OpenServerADODB(false, ado::adUseClient,
                       cadenaSQLite(env.ruta(QStringLiteral("falta.sqlite"))));
    QCOMPARE(pedidos.size(), 1);
    QCOMPARE(msgs.count(), 1);
    QVERIFY(!db.gOpenFlag);
    QCOMPARE(db.gCnn->errors().Count(), 0); // cleared before asking
}

// A failure that leaves the errors collection empty: its description in a
// plain box; the start must not go on as if connected.
void TstConexion::errorSinColeccion() {
    ScriptedMessages msgs;
    msgs.answer(q42::vbOK);
    DB_Dll& db = nueva();
    DB_Dll::setLoginHandler([](DatosAcceso&) {
        throw q42::Error(91, QStringLiteral("Variable de objeto no establecida"));
    });
    db.OpenServerADODB(true);
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(msgs.last().prompt, QStringLiteral("Variable de objeto no establecida"));
    QCOMPARE(msgs.last().style, int(q42::vbOKOnly));
    QCOMPARE(msgs.last().title, q42::defaultMessageTitle());
    QVERIFY(!db.gOpenFlag);
    QCOMPARE(db.gCnn->State(), int(ado::adStateClosed));
}

void TstConexion::administrador_data() {
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<bool>("tabla");
    QTest::addColumn<bool>("esAdmin");
    QTest::newRow("1") << "1"
                       << "ana" << true << true;
    QTest::newRow("texto 1") << "'1'"
                             << "ana" << true << true;
    QTest::newRow("-1") << "-1"
                        << "ana" << true << false;
    QTest::newRow("2") << "2"
                       << "ana" << true << false;
    QTest::newRow("vacio") << "''"
                           << "ana" << true << false;
    QTest::newRow("nulo") << "NULL"
                          << "ana" << true << false;
    QTest::newRow("otro usuario") << "1"
                                  << "beto" << true << false;
    QTest::newRow("apostrofe") << "1"
                               << "o'brien" << true << false;
    QTest::newRow("sin tabla") << "1"
                               << "ana" << false << false;
}

void TstConexion::administrador() {
    QFETCH(QString, valor);
    QFETCH(QString, usuario);
    QFETCH(bool, tabla);
    QFETCH(bool, esAdmin);
    ScriptedMessages msgs;
    const QString ruta = env.ruta(QStringLiteral("usuarios.sqlite"));
    QFile::remove(ruta);
    QStringList ddl{QStringLiteral("CREATE TABLE OTRA (A INTEGER)")};
    if (tabla)
        ddl << QStringLiteral("CREATE TABLE TA_USUARIOS (NOMBRE TEXT COLLATE NOCASE, "
                              "ADMINISTRADOR)")
            << QStringLiteral("INSERT INTO TA_USUARIOS VALUES ('ana', %1)").arg(valor)
            << QStringLiteral("INSERT INTO TA_USUARIOS VALUES ('o''brien', 2)");
    prueba::ejecuta(ruta, ddl);
    DB_Dll& db = nueva();
    db.gDBName = QStringLiteral("main");
    db.gUsuario = usuario;
    db.OpenServerADODB(false, ado::adUseClient, cadenaSQLite(ruta));
    QVERIFY(db.gOpenFlag);
    QCOMPARE(db.gEsAdmin, esAdmin);
    QCOMPARE(msgs.count(), 0);
}

void TstConexion::sinValidarAdmin() {
    ScriptedMessages msgs;
    const QString ruta = env.ruta(QStringLiteral("sinvalidar.sqlite"));
    prueba::ejecuta(ruta, QStringLiteral("CREATE TABLE T (A INTEGER)"));
    DB_Dll& db = nueva();
    db.OpenServerADODB(false, ado::adUseClient, cadenaSQLite(ruta), false);
    QVERIFY(db.gOpenFlag);
    QVERIFY(db.gEsAdmin);
}

void TstConexion::freetdsPuertoCerrado() {
    ScriptedMessages msgs;
    msgs.answer(q42::vbNo);
    DB_Dll& db = nueva();
    db.gServidor = QStringLiteral("127.0.0.1,%1").arg(puertoCerrado());
    db.gDBName = QStringLiteral("BASE");
    db.gUsuario = QStringLiteral("sa");
    db.gUserPassWord = QStringLiteral("MuySecreta42");
    db.OpenServerADODB();
    QCOMPARE(msgs.count(), 1);
    const ScriptedMessages::Shown& m = msgs.last();
    QCOMPARE(m.title, kTitulo);
    QCOMPARE(m.style, kEstilo);
    // The Spanish cause first, then what the driver said.
    const QString primera =
        QStringLiteral("No se pudo conectar con el servidor %1: no responde.\r").arg(db.gServidor);
    QVERIFY2(m.prompt.startsWith(primera + QLatin1String(" Estado de Sql: 08001\r")) ||
                 m.prompt.startsWith(primera + QLatin1String(" Estado de Sql: 08S01\r")),
             qPrintable(m.prompt));
    QVERIFY(!m.prompt.contains(QLatin1String("Codigo Nativo: 0\r")));
    QVERIFY(!m.prompt.contains(QLatin1String("Secreta")));
    QVERIFY(!db.gOpenFlag);
    QCOMPARE(db.gCnn->State(), int(ado::adStateClosed));
}

void TstConexion::motivo_data() {
    QTest::addColumn<QString>("estado");
    QTest::addColumn<int>("nativo");
    QTest::addColumn<QString>("servidor");
    QTest::addColumn<QString>("esperado");
    const QString srv = QStringLiteral("No se pudo conectar con el servidor SRVSQL");
    QTest::newRow("closed port") << "08001" << 20009 << "SRVSQL" << srv + ": no responde.";
    QTest::newRow("login refused")
        << "28000" << 18456 << "SRVSQL" << srv + ": rechazó el usuario o la contraseña.";
    // FreeTDS reports a refused login under a general state.
    QTest::newRow("login, other state")
        << "42000" << 18456 << "SRVSQL" << srv + ": rechazó el usuario o la contraseña.";
    QTest::newRow("unknown database") << "42000" << 4060 << "SRVSQL"
                                      << srv + ": no tiene la base de datos EMPRESA o no deja "
                                               "abrirla.";
    // The native number beats the state a driver gives to many causes.
    QTest::newRow("unknown host") << "08001" << 20013 << "SRVSQL"
                                  << srv + ": ese nombre no se encuentra en la red.";
    QTest::newRow("time-out") << "HYT00" << 0 << "SRVSQL" << srv + ": no responde.";
    QTest::newRow("oracle password") << "28000" << 1017 << "#ORA"
                                     << "No se pudo conectar con el servidor ORA: rechazó el "
                                        "usuario o la contraseña.";
    QTest::newRow("unknown cause") << "42S02" << 208 << "SRVSQL" << srv + ".";
    QTest::newRow("embedded file") << "08001" << 14 << ""
                                   << "No se pudo conectar con la base de datos EMPRESA: no se "
                                      "puede abrir su archivo.";
    QTest::newRow("no server") << "HY000" << 14 << ""
                               << "No se pudo conectar con la base de datos EMPRESA.";
}

void TstConexion::motivo() {
    QFETCH(QString, estado);
    QFETCH(int, nativo);
    QFETCH(QString, servidor);
    QFETCH(QString, esperado);
    ado::Error e;
    e.SQLState = estado;
    e.NativeError = nativo;
    QCOMPARE(DB_Dll::motivoConexion(e, servidor, QStringLiteral("EMPRESA")), esperado);
}

// With a waiting registered (the interface's shows a window), the open runs
// on another thread and its failure reaches the prompt as before; the
// operator is told the server and database, never the password.
void TstConexion::conectandoEnOtroHilo() {
    ScriptedMessages msgs;
    msgs.answer(q42::vbNo);
    DB_Dll& db = nueva();
    db.gServidor = QStringLiteral("127.0.0.1,%1").arg(puertoCerrado());
    db.gDBName = QStringLiteral("BASE");
    db.gUsuario = QStringLiteral("sa");
    db.gUserPassWord = QStringLiteral("MuySecreta42");
    QStringList destinos;
    std::thread::id hilo;
    DB_Dll::setConectando([&](const QString& destino, const std::function<void()>& abrir) {
        destinos << destino;
        std::async(std::launch::async, [&] {
            hilo = std::this_thread::get_id();
            abrir();
        }).get();
    });
    db.OpenServerADODB();
    DB_Dll::setConectando(nullptr);
    QCOMPARE(destinos, QStringList{db.gServidor + QStringLiteral(" / BASE")});
    QVERIFY(hilo != std::thread::id() && hilo != std::this_thread::get_id());
    QCOMPARE(msgs.count(), 1);
    QVERIFY2(msgs.last().prompt.startsWith(QLatin1String("No se pudo conectar con el servidor")),
             qPrintable(msgs.last().prompt));
    QVERIFY(!db.gOpenFlag);
    QCOMPARE(db.gCnn->State(), int(ado::adStateClosed));
}

QTEST_GUILESS_MAIN(TstConexion)
#include "tst_conexion.moc"
