// The command-line grammar: one "@Key=value;" entry per key, found by its
// first occurrence in any letter case, and the server-name normaliser.

#include "TestEnv.h"
#include "boot/Inicio.h"

#include <QTest>

class TstParametros : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void extrae_data();
    void extrae();
    void textoMuyLargo();
    void servidor_data();
    void servidor();
};

void TstParametros::extrae_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("defecto");
    QTest::addColumn<QString>("esperado");

    const QString todo =
        QStringLiteral("@Server=SRV1;@DbName=EMPRESA;@Usuario=sa;@Password=x y;@Menu=M1;@Caja=7");
    QTest::newRow("vacio") << QString() << "@Server" << QString() << QString();
    QTest::newRow("vacio caja") << QString() << "@Caja"
                                << "1"
                                << "1";
    QTest::newRow("ausente") << todo << "@ParametroAdicional" << QString() << QString();
    QTest::newRow("servidor") << todo << "@Server" << QString() << "SRV1";
    QTest::newRow("base") << todo << "@DbName" << QString() << "EMPRESA";
    QTest::newRow("blanco interior") << todo << "@Password" << QString() << "x y";
    QTest::newRow("caja al final sin ;") << todo << "@Caja"
                                         << "1"
                                         << "7";
    QTest::newRow("minusculas y blancos") << "  @server  =  SRV2  ; @DBNAME= B ;"
                                          << "@Server" << QString() << "SRV2";
    QTest::newRow("mayusculas") << "@DBNAME= B ;"
                                << "@DbName" << QString() << "B";
    QTest::newRow("todo = se quita") << "@Password==a=b=;"
                                     << "@Password" << QString() << "ab";
    QTest::newRow("valor vacio") << "@Server=;@DbName=X;"
                                 << "@Server" << QString() << QString();
    QTest::newRow("primera aparicion") << "@Menu=A;@Menu=B;"
                                       << "@Menu" << QString() << "A";
    // "@Usuario" also matches the start of "@UsuarioLogeado".
    QTest::newRow("logeado antes de usuario") << "@UsuarioLogeado=juan;@Usuario=pedro;"
                                              << "@Usuario" << QString() << "Logeadojuan";
    QTest::newRow("logeado propio") << "@UsuarioLogeado=juan;@Usuario=pedro;"
                                    << "@UsuarioLogeado" << QString() << "juan";
    QTest::newRow("usuario antes de logeado") << "@Usuario=pedro;@UsuarioLogeado=juan;"
                                              << "@Usuario" << QString() << "pedro";
    QTest::newRow("marca oracle sola") << "@Server=#;"
                                       << "@Server" << QString() << "#";
    QTest::newRow("marca oracle") << "@Server = #ORA1 ;"
                                  << "@Server" << QString() << "#ORA1";
    QTest::newRow("texto sin entradas") << "basura sin claves"
                                        << "@Caja"
                                        << "1"
                                        << "1";
}

void TstParametros::extrae() {
    QFETCH(QString, texto);
    QFETCH(QString, clave);
    QFETCH(QString, defecto);
    QFETCH(QString, esperado);
    QCOMPARE(ExtraeParametro(texto, clave, defecto), esperado);
}

// Positions used to be 16-bit: a text past 32 767 characters must still be
// read, with keys before, across and after that limit.
void TstParametros::textoMuyLargo() {
    const QString relleno(40000, QLatin1Char('x'));
    const QString texto = QStringLiteral("@Server=S1;@ParametroAdicional=") + relleno +
                          QStringLiteral(";@DbName=BASE;@Caja=9");
    QVERIFY(texto.size() > 32767);
    QCOMPARE(ExtraeParametro(texto, QStringLiteral("@Server")), QStringLiteral("S1"));
    QCOMPARE(ExtraeParametro(texto, QStringLiteral("@ParametroAdicional")), relleno);
    QCOMPARE(ExtraeParametro(texto, QStringLiteral("@DbName")), QStringLiteral("BASE"));
    QCOMPARE(ExtraeParametro(texto, QStringLiteral("@Caja"), QStringLiteral("1")),
             QStringLiteral("9"));
    QCOMPARE(ExtraeParametro(texto, QStringLiteral("@Menu")), QString());
}

void TstParametros::servidor_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("protocolo host puerto") << "tcp/srvsql:1433"
                                           << "srvsql";
    QTest::newRow("host simple") << "SRVSQL"
                                 << "SRVSQL";
    QTest::newRow("host puerto") << "srvsql:1433"
                                 << "srvsql";
    QTest::newRow("protocolo host") << "np/srvsql"
                                    << "srvsql";
    QTest::newRow("instancia con coma") << "srv\\INST,1433"
                                        << "srv\\INST,1433";
    QTest::newRow("dos barras") << "a/b/c:9"
                                << "b/c";
    QTest::newRow("tcp host coma puerto") << "tcp:srvsql,1433"
                                          << "srvsql,1433";
    QTest::newRow("TCP host") << "TCP:srvsql"
                              << "srvsql";
    QTest::newRow("protocolo con blancos") << " Tcp : srvsql,1433 "
                                           << "srvsql,1433";
    QTest::newRow("admin") << "ADMIN:srvsql"
                           << "srvsql";
    QTest::newRow("no es protocolo") << "tcpx:srvsql"
                                     << "tcpx";
    QTest::newRow("vacio") << ""
                           << "";
}

void TstParametros::servidor() {
    QFETCH(QString, nombre);
    QFETCH(QString, esperado);
    QCOMPARE(ExtraeServidor(nombre), esperado);
}

QTEST_GUILESS_MAIN(TstParametros)
#include "tst_parametros.moc"
