// The program start: profile and toolbar style, the command line handed to
// the connection, the set-up after connecting and the lookup mask file.

#include "ScriptedMessages.h"
#include "TestEnv.h"
#include "boot/Inicio.h"
#include "boot/frmAcceso.h"
#include "config/Configuracion.h"
#include "db/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/MascaraConsultas.h"
#include "report/Reportes.h"
#include "widgets/Sistema.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sqlite3.h>

using q42::mascaras::RegistroMascara;

namespace {

void escribe(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray lee(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void creaBase(const QString& ruta) {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(ruta.toUtf8().constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db,
                          "CREATE TABLE TA_CONFIGURACION (CLAVE TEXT COLLATE NOCASE, VALOR TEXT, "
                          "VALORAUX TEXT)",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(db);
}

QByteArray campo(const char* texto, int ancho) {
    QByteArray b(texto);
    return b + QByteArray(ancho - b.size(), ' ');
}

// The seven default entries, laid out by hand.
QByteArray mascarasEsperadas() {
    const char* const e[][3] = {
        {"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
        {"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
        {"PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
        {"CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
        {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
        {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"},
        {"MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
    };
    QByteArray todo;
    for (const auto& r : e)
        todo += campo(r[0], 100) + campo(r[1], 100) + campo(r[2], 500) + campo("", 500) + "\r\n";
    return todo;
}

} // namespace

class TstInicio : public QObject {
    Q_OBJECT
    TestEnv env;

    QString perfil() const {
        return (q42::Sistema::Equipo().toUpper() + QLatin1Char('|') +
                qEnvironmentVariable("USER").toUpper())
            .left(50);
    }

private Q_SLOTS:
    void init();
    void cleanup();
    void perfilCortado();
    void estiloBarras_data();
    void estiloBarras();
    void lineaVacia();
    void marcaOracleSola();
    void marcaOracleConServidor();
    void arranqueCompleto();
    void mascaraExistenteIntacta();
    void yaConectado();
    void registros_data();
    void registros();
    void archivoConRegistrosMalos();
    void textoLatin1();
};

void TstInicio::init() {
    qputenv("USER", "operador");
    gConnStringDsn.clear();
    gTablaConfiguracion.clear();
    QDir(env.carpeta()).removeRecursively();
    QDir().mkpath(env.carpeta());
}

void TstInicio::cleanup() {
    DB_Dll::release();
    Lib_ClsCons3::release();
}

void TstInicio::perfilCortado() {
    const QByteArray largo(60, 'u');
    qputenv("USER", largo);
    DialogScript guion([](QDialog*) { return 0; });
    QVERIFY(!IniciaSistema(QString()));
    QCOMPARE(gPerfil.size(), 50);
    QCOMPARE(gPerfil, perfil());
}

void TstInicio::estiloBarras_data() {
    QTest::addColumn<QByteArray>("ini"); // "-" for no file; "%P" is the profile
    QTest::addColumn<double>("esperado");
    QTest::newRow("sin archivo") << QByteArray("-") << 1.0;
    QTest::newRow("plano 0") << QByteArray("[%P]\r\nFlatToolbars=0\r\n") << 0.0;
    QTest::newRow("otra seccion") << QByteArray("[OTRA|SECCION]\nFlatToolbars=0\n") << 1.0;
    QTest::newRow("sin la clave") << QByteArray("[%P]\nOtra=0\n") << 1.0;
    QTest::newRow("numero con resto") << QByteArray("[%P]\nflattoolbars = 2.5 x\n") << 2.5;
    QTest::newRow("no numero") << QByteArray("[%P]\nFlatToolbars=abc\n") << 0.0;
    QTest::newRow("corrupto") << QByteArray("\x00\xff\xfe[\x01\x02\n\x80\x81=", 10) << 1.0;
}

void TstInicio::estiloBarras() {
    QFETCH(QByteArray, ini);
    QFETCH(double, esperado);
    if (ini != "-")
        escribe(env.ruta(QStringLiteral("ZK000pr.INI")), ini.replace("%P", perfil().toUtf8()));
    DialogScript guion([](QDialog*) { return 0; });
    IniciaSistema(QString());
    QCOMPARE(gFlatToolbars, esperado);
}

void TstInicio::lineaVacia() {
    ScriptedMessages msgs;
    QStringList vistos;
    int plataforma = -1;
    DialogScript guion([&](QDialog* d) {
        auto* f = qobject_cast<frmAcceso*>(d);
        vistos << f->TxtServidor->text() << f->TxtDbName->text() << f->TxtUserId->text()
               << f->TxtUserPassword->text();
        plataforma = f->CboPlataformaDB->currentIndex();
        f->bcCancelar->click();
        return 0;
    });
    QVERIFY(!IniciaSistema(QString()));
    QCOMPARE(guion.count(), 1);
    QCOMPARE(vistos, QStringList(4, QString()));
    QCOMPARE(plataforma, 0);
    QCOMPARE(gCaja, QStringLiteral("1"));
    QCOMPARE(gMenu, QString());
    QCOMPARE(gParametroAdicional, QString());
    QCOMPARE(gUsuarioLogeado, QString());
    QVERIFY(!DB_Dll::instance().gOpenFlag);
    QCOMPARE(msgs.count(), 0);
}

void TstInicio::marcaOracleSola() {
    ScriptedMessages msgs;
    DialogScript guion([](QDialog*) { return 0; });
    QVERIFY(!IniciaSistema(QStringLiteral("@Server=#;@DbName=TNS;")));
    QCOMPARE(guion.count(), 1);
    QCOMPARE(DB_Dll::instance().gServidor, QString());
}

void TstInicio::marcaOracleConServidor() {
    ScriptedMessages msgs;
    msgs.answer(q42::vbYes);
    // "Sí" to the retry: the login dialog opens on the platform that failed.
    int plataforma = -1;
    DialogScript guion([&](QDialog* d) {
        plataforma = qobject_cast<frmAcceso*>(d)->CboPlataformaDB->currentIndex();
        return 0;
    });
    QVERIFY(!IniciaSistema(
        QStringLiteral("@Server=#tcp/ORA1:1521;@DbName=TNS;@Usuario=u;@Password=p;")));
    QCOMPARE(guion.count(), 1);
    QCOMPARE(plataforma, 1);
    DB_Dll& db = DB_Dll::instance();
    QCOMPARE(db.gServidor, QStringLiteral("ORA1"));
    QCOMPARE(db.gConnString,
             QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=TNS;User Id=u;Password=p;"));
    QCOMPARE(msgs.count(), 1);
}

void TstInicio::arranqueCompleto() {
    ScriptedMessages msgs;
    DialogScript guion([](QDialog*) { return 0; });
    const QString base = env.ruta(QStringLiteral("molino.sqlite"));
    creaBase(base);
    QVERIFY(IniciaSistema(QStringLiteral("@Archivo=%1; @Usuario=ana; @Password=; @Caja=3; "
                                         "@Menu=M; @UsuarioLogeado=x")
                              .arg(base)));
    QCOMPARE(guion.count(), 0);
    QCOMPARE(msgs.count(), 0);
    DB_Dll& db = DB_Dll::instance();
    QVERIFY(db.gOpenFlag);
    QCOMPARE(gCarpetaAplicacion, env.carpeta() + QLatin1Char('/'));
    QCOMPARE(gUsuarioLogeado, QStringLiteral("ana"));
    QCOMPARE(gCaja, QStringLiteral("3"));
    QCOMPARE(db.gCnn->CommandTimeout(), 360);
    QCOMPARE(db.gCnn->IsolationLevel(), int(ado::adXactReadUncommitted));
    QCOMPARE(gConnStringDsn, QStringLiteral("DSN=molino; UID=ana; PWD="));
    QCOMPARE(q42::Reportes::carpetaReportes(), gCarpetaAplicacion);
    const Lib_ClsCons3& consultas = Lib_ClsCons3::instance();
    QCOMPARE(consultas.gConnString, db.gConnString);
    QVERIFY(consultas.gUsarMascarasConsultas);
    QCOMPARE(consultas.gRutaMascaraConsultas, gCarpetaAplicacion + "consultas.qvx");
    const QByteArray escrito = lee(consultas.gRutaMascaraConsultas);
    QCOMPARE(escrito.size(), 7 * 1202);
    QCOMPARE(escrito, mascarasEsperadas());
    QCOMPARE(gTablaConfiguracion, QStringLiteral("ta_configuracion"));
}

void TstInicio::mascaraExistenteIntacta() {
    ScriptedMessages msgs;
    const QString base = env.ruta(QStringLiteral("molino.sqlite"));
    creaBase(base);
    const QString existente = env.ruta(QStringLiteral("CONSULTAS.QVX"));
    const QByteArray propio = q42::mascaras::escribeRegistro(
        {QStringLiteral("MIA"), QStringLiteral("TA_MIA"), QStringLiteral("|A|"), QString()});
    escribe(existente, propio);
    QVERIFY(IniciaSistema(QStringLiteral("@Archivo=%1;").arg(base)));
    QCOMPARE(lee(existente), propio);
    QCOMPARE(Lib_ClsCons3::instance().gRutaMascaraConsultas, existente);
    QCOMPARE(QDir(env.carpeta())
                 .entryList({QStringLiteral("*.qvx")}, QDir::Files, QDir::IgnoreCase)
                 .size(),
             1);
    QCOMPARE(gTablaConfiguracion, QStringLiteral("ta_configuracion"));
}

void TstInicio::yaConectado() {
    ScriptedMessages msgs;
    DialogScript guion([](QDialog*) { return 0; });
    const QString base = env.ruta(QStringLiteral("molino.sqlite"));
    creaBase(base);
    DB_Dll& db = DB_Dll::instance();
    db.gDBName = QStringLiteral("main");
    db.gUsuario = QStringLiteral("ana");
    db.OpenServerADODB(false, ado::adUseClient,
                       QStringLiteral("Provider=SQLite;Data Source=%1;").arg(base));
    QVERIFY(db.gOpenFlag);
    const int plazo = db.gCnn->CommandTimeout();
    QVERIFY(IniciaSistema(QStringLiteral("@Server=OTRO;@Usuario=beto;")));
    QCOMPARE(guion.count(), 0);
    QCOMPARE(db.gServidor, QString());
    QCOMPARE(db.gUsuario, QStringLiteral("ana"));
    QCOMPARE(db.gCnn->CommandTimeout(), plazo);
    QCOMPARE(gConnStringDsn, QStringLiteral("DSN=main; UID=ana; PWD="));
    QCOMPARE(lee(Lib_ClsCons3::instance().gRutaMascaraConsultas).size(), 7 * 1202);
}

void TstInicio::registros_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valido");
    const QByteArray bueno = mascarasEsperadas().left(1202);
    QTest::newRow("bueno") << bueno << true;
    QTest::newRow("corto") << bueno.left(1201) << false;
    QTest::newRow("largo") << bueno + ' ' << false;
    QTest::newRow("sin CR LF") << QByteArray(bueno).replace(1200, 2, "  ") << false;
    QTest::newRow("binario") << QByteArray(bueno).replace(5, 1, "\x01") << false;
    QTest::newRow("relleno NUL") << QByteArray(bueno).replace(150, 50, QByteArray(50, '\0'))
                                 << true;
    QTest::newRow("vacio") << QByteArray() << false;
}

void TstInicio::registros() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valido);
    const auto r = q42::mascaras::leeRegistro(bytes);
    QCOMPARE(r.has_value(), valido);
    if (valido)
        QCOMPARE(*r, (RegistroMascara{QStringLiteral("ARTICULOS"), QStringLiteral("V_MA_ARTICULOS"),
                                      QStringLiteral("|DESCRIPCION|IDARTICULO|"), QString()}));
}

void TstInicio::archivoConRegistrosMalos() {
    const QByteArray siete = mascarasEsperadas();
    QByteArray bytes =
        siete.left(1202) + QByteArray(1202, '\x02') + siete.mid(1202, 1202) + QByteArray(700, 'x');
    const QString ruta = env.ruta(QStringLiteral("malo.qvx"));
    escribe(ruta, bytes);
    const QList<RegistroMascara> leidos = q42::mascaras::leeArchivo(ruta);
    QCOMPARE(leidos.size(), 2);
    QCOMPARE(leidos[1].nombre, QStringLiteral("VT_CLIENTES"));
    QCOMPARE(q42::mascaras::leeArchivo(env.ruta(QStringLiteral("no.qvx"))).size(), 0);
}

// Single-byte text in the Windows code page, cut to the field's width.
void TstInicio::textoLatin1() {
    // "–" and "€" live in 0x80-0x9F, where the code page is no Latin-1.
    const RegistroMascara r{QStringLiteral("Año"), QString(150, QLatin1Char('N')),
                            QStringLiteral("|Descripción|"),
                            QStringLiteral("Rubro = 'A–B' AND Precio < '€ 5'")};
    const QByteArray b = q42::mascaras::escribeRegistro(r);
    QCOMPARE(b.size(), 1202);
    QCOMPARE(b.mid(0, 3), QByteArray("A\xf1o"));
    QVERIFY(b.contains("'A\x96"
                       "B'") &&
            b.contains("'\x80 5'"));
    QCOMPARE(b.mid(100, 100), QByteArray(100, 'N'));
    const auto leido = q42::mascaras::leeRegistro(b);
    QVERIFY(leido);
    QCOMPARE(leido->titulo, r.titulo);
    QCOMPARE(leido->columnas, r.columnas);
    QCOMPARE(leido->filtro, r.filtro);
    QCOMPARE(leido->nombre, QString(100, QLatin1Char('N')));
}

QTEST_MAIN(TstInicio)
#include "tst_inicio.moc"
