#include "Inicio.h"

#include "config/Configuracion.h"
#include "config/ConfiguracionInicial.h"
#include "frmAcceso.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/MascaraConsultas.h"

#include "core/ArchivoIni.h"
#include "core/Carpeta.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"
#include "report/Reportes.h"
#include "widgets/Sistema.h"

#include <QFileInfo>

QString gCarpetaAplicacion;
QString gPerfil;
double gFlatToolbars = 0;
QString gParametroAdicional;
QString gMenu;
QString gUsuarioLogeado;
QString gCaja;
QString gConnStringDsn;
qint32 gIdAcceso = 0;

namespace {

constexpr int LargoPerfil = 50;

struct EntradaMascara {
    const char* titulo;
    const char* tabla;
    const char* columnas;
};

constexpr EntradaMascara kMascarasPorDefecto[] = {
    {"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
    {"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
    {"PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
    {"CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
    {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
    {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"},
    {"MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
};

const QString kNombreMascaras = QStringLiteral("consultas.qvx");

// The settings read before the window is ready (the lookup service's and
// the declaration's), fetched together.
const QStringList kClavesDeInicio = {
    QStringLiteral("SAGPYA"),          QStringLiteral("MostrarStockenConsultas"),
    QStringLiteral("Stk_Nivel1"),      QStringLiteral("Stk_Nivel2"),
    QStringLiteral("Stk_Nivel3"),      QStringLiteral("Stk_Nivel4"),
    QStringLiteral("UsaConsultaLike"),
};

} // namespace

QString ExtraeParametro(const QString& texto, const QString& clave, const QString& defecto) {
    const qsizetype p = texto.indexOf(clave, 0, Qt::CaseInsensitive);
    if (p < 0 || clave.isEmpty())
        return defecto;
    const qsizetype desde = p + clave.size();
    const qsizetype s = texto.indexOf(QLatin1Char(';'), p);
    const QString valor = s < 0 ? texto.mid(desde) : texto.mid(desde, s - desde);
    return q42::Utiles::QuitaCaracteres(valor, QStringLiteral("=")).trimmed();
}

QString ExtraeServidor(const QString& servidor) {
    QString nombre = servidor;
    const qsizetype barra = nombre.indexOf(QLatin1Char('/'));
    if (barra >= 0)
        nombre = nombre.mid(barra + 1);
    const qsizetype dosPuntos = nombre.indexOf(QLatin1Char(':'));
    if (dosPuntos < 0)
        return nombre;
    // "tcp:host,port" names the protocol first: the host and port follow it.
    const QString antes = nombre.left(dosPuntos).trimmed();
    for (const char* protocolo : {"tcp", "np", "lpc", "admin"})
        if (antes.compare(QLatin1String(protocolo), Qt::CaseInsensitive) == 0)
            return nombre.mid(dosPuntos + 1).trimmed();
    return nombre.left(dosPuntos);
}

void CreaMascarasConsultas() {
    QList<q42::mascaras::RegistroMascara> registros;
    for (const EntradaMascara& e : kMascarasPorDefecto)
        registros.append({QString::fromLatin1(e.titulo).trimmed(), QString::fromLatin1(e.tabla),
                          QString::fromLatin1(e.columnas).trimmed(), QString()});
    q42::mascaras::agregaRegistros(Lib_ClsCons3::instance().gRutaMascaraConsultas, registros);
}

namespace {

// Error 5 skips the failed step; any other failure ends the start silently
// with what was done so far.
int trataFallaInicio(const q42::Error& e) {
    return e.number() == q42::err::InvalidProcedureCall ? q42::vbIgnore : 0;
}

} // namespace

bool PreparaConsultas() {
    return q42::StepRunner::run(
        {
            // 13. Lookup service.
            [] {
                DB_Dll::instance().gCnn->setDefaultDatabase(DB_Dll::instance().gDBName);
                Lib_ClsCons3& consultas = Lib_ClsCons3::instance();
                consultas.gConnString = DB_Dll::instance().gConnString;
                consultas.gUsarMascarasConsultas = true;
                // One file whatever the letter case its name was given.
                const QString existente =
                    q42::archivoEnCarpeta(gCarpetaAplicacion, kNombreMascaras);
                consultas.gRutaMascaraConsultas =
                    QFileInfo::exists(existente) ? existente : gCarpetaAplicacion + kNombreMascaras;
            },
            // 14. Default lookup entries when the mask file is missing.
            [] {
                if (!QFileInfo::exists(Lib_ClsCons3::instance().gRutaMascaraConsultas))
                    CreaMascarasConsultas();
            },
        },
        trataFallaInicio);
}

bool IniciaSistema(const QString& parametros, bool consultasDespues) {
    DB_Dll::setLoginHandler(&frmAcceso::pideDatosAcceso);
    DB_Dll& db = DB_Dll::instance();

    bool fin = false;       // the routine returned early (step 10)
    bool conectado = false; // a connection was already open: steps 4 to 9 skipped
    bool abandono = false;  // the operator gave up connecting
    QString servidor, dbName, usuario, password, archivo, connString;

    auto paso = [&fin](std::function<void()> f) {
        return [&fin, f = std::move(f)] {
            if (!fin)
                f();
        };
    };
    auto pasoConexion = [&fin, &conectado](std::function<void()> f) {
        return [&fin, &conectado, f = std::move(f)] {
            if (!fin && !conectado)
                f();
        };
    };

    const std::vector<q42::StepRunner::Step> pasos = {
        // 1. Application folder.
        paso([] { gCarpetaAplicacion = q42::Utiles::CarpetaConBarra(q42::carpetaAplicacion()); }),
        // 2. Workstation profile, the settings-file section.
        paso([] {
            gPerfil = q42::Sistema::Equipo().toUpper() + QLatin1Char('|') +
                      q42::Sistema::Usuario().toUpper();
            if (gPerfil.trimmed().size() > LargoPerfil)
                gPerfil = gPerfil.left(LargoPerfil);
        }),
        // 3. Toolbar style.
        paso([] {
            gFlatToolbars = q42::Utiles::ValorInicial(
                q42::ArchivoIni::LeeIni(QStringLiteral("ZK000pr.INI"), gPerfil,
                                        QStringLiteral("FlatToolbars"), QStringLiteral("1")));
        }),
        // 4. Command-line values, unless a connection is already open.
        paso([&] {
            if (db.gOpenFlag) {
                conectado = true;
                return;
            }
            gParametroAdicional =
                ExtraeParametro(parametros, QStringLiteral("@ParametroAdicional"));
            gMenu = ExtraeParametro(parametros, QStringLiteral("@Menu"));
            servidor = ExtraeParametro(parametros, QStringLiteral("@Server"));
            dbName = ExtraeParametro(parametros, QStringLiteral("@DbName"));
            usuario = ExtraeParametro(parametros, QStringLiteral("@Usuario"));
            password = ExtraeParametro(parametros, QStringLiteral("@Password"));
            gUsuarioLogeado = ExtraeParametro(parametros, QStringLiteral("@UsuarioLogeado"));
            gCaja = ExtraeParametro(parametros, QStringLiteral("@Caja"), QStringLiteral("1"));
            archivo = ExtraeParametro(parametros, QStringLiteral("@Archivo"));
        }),
        // 5. Oracle marker; an embedded database file needs no server.
        pasoConexion([&] {
            connString.clear();
            if (!archivo.isEmpty()) {
                connString =
                    QStringLiteral("Provider=SQLite;Data Source=") + archivo + QLatin1Char(';');
                if (dbName.isEmpty())
                    dbName = QFileInfo(archivo).completeBaseName();
                return;
            }
            const QString recortado = servidor.trimmed();
            if (recortado.isEmpty() || recortado.at(0) != QLatin1Char('#'))
                return;
            servidor = recortado.mid(1);
            connString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") +
                         DB_Dll::valorConexion(dbName) + QStringLiteral(";User Id=") +
                         DB_Dll::valorConexion(usuario) + QStringLiteral(";Password=") +
                         DB_Dll::valorConexion(password) + QLatin1Char(';');
        }),
        // 6. Values for the connection.
        pasoConexion([&] {
            db.gUsuario = usuario;
            db.gDBName = dbName;
            db.gUserPassWord = password;
            db.gServidor = ExtraeServidor(servidor);
        }),
        // 7. Open; the program ends when the operator gives up.
        pasoConexion([&] {
            const bool pide = archivo.isEmpty() && servidor.trimmed().isEmpty();
            db.OpenServerADODB(pide, ado::adUseClient, connString, true);
            if (!db.gOpenFlag) {
                abandono = true;
                fin = true;
            }
        }),
        // 8.
        pasoConexion([&] { gUsuarioLogeado = db.gUsuario; }),
        // 9. Long reports, no locks held while reading.
        pasoConexion([&] {
            db.gCnn->setCommandTimeout(360);
            db.gCnn->setIsolationLevel(ado::adXactReadUncommitted);
        }),
        // 10.
        paso([&] {
            if (db.gDBName.isEmpty())
                fin = true;
        }),
        // 11. Data-source text for printing.
        paso([&] {
            gConnStringDsn = QStringLiteral("DSN=") + DB_Dll::valorConexion(db.gDBName) +
                             QStringLiteral("; UID=") + DB_Dll::valorConexion(db.gUsuario) +
                             QStringLiteral("; PWD=") + DB_Dll::valorConexion(db.gUserPassWord);
        }),
        // 12.
        paso([] { q42::Reportes::CarpetaReportes(gCarpetaAplicacion); }),
        // The settings the start reads, in one statement.
        paso([] { LeeConfiguracionInicial(kClavesDeInicio); }),
        // 13 and 14, unless the caller runs them once the window is up.
        paso([&] {
            if (!consultasDespues && !PreparaConsultas())
                fin = true;
        }),
        // 15.
        paso([&] { db.gCnn->setDefaultDatabase(db.gDBName); }),
        // 16.
        paso([&] {
            if (!db.gDBName.isEmpty())
                CargaConfiguracion();
        }),
    };

    q42::StepRunner::run(pasos, trataFallaInicio);
    return !abandono;
}
