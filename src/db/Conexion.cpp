// Connection members of DB_Dll: the two connection-string forms, the login
// request and the open with its retry prompt and administrator check.

#include "DB_Dll.h"

#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"

namespace {

DB_Dll::LoginHandler& loginHandler() {
    static DB_Dll::LoginHandler handler;
    return handler;
}

DB_Dll::Conectando& conectando() {
    static DB_Dll::Conectando espera;
    return espera;
}

// What the operator is told the program is connecting to: never the
// password, only server and database.
QString destinoConexion(const QString& servidor, const QString& base) {
    const QString nombre = QString(servidor).remove(QLatin1Char('#')).trimmed();
    if (nombre.isEmpty())
        return base;
    return base.isEmpty() ? nombre : nombre + QStringLiteral(" / ") + base;
}

QString textoReintento(const ado::Error& e) {
    const QChar cr(13);
    return QStringLiteral(" Estado de Sql: ") + e.SQLState + cr +
           QStringLiteral("Numero de Error: ") + QString::number(e.Number) + cr +
           QStringLiteral("Descripcion: ") + ado::redactPasswords(e.Description) + cr +
           QStringLiteral("Codigo Nativo: ") + QString::number(e.NativeError) + cr +
           QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
}

} // namespace

void DB_Dll::setLoginHandler(LoginHandler handler) {
    loginHandler() = std::move(handler);
}

void DB_Dll::setConectando(Conectando espera) {
    conectando() = std::move(espera);
}

ado::Engine DB_Dll::motorDe(const QString& connString, const QString& servidor) {
    // The first "Provider=" entry, read as the connection string is written.
    QString p;
    for (const QStringView entrada : QStringView(connString).split(QLatin1Char(';'))) {
        const qsizetype igual = entrada.indexOf(QLatin1Char('='));
        if (igual >= 0 && entrada.left(igual).trimmed().compare(QLatin1String("provider"),
                                                                Qt::CaseInsensitive) == 0) {
            p = entrada.mid(igual + 1).trimmed().toString();
            break;
        }
    }
    const auto empieza = [&p](const char* nombre) {
        return p.startsWith(QLatin1String(nombre), Qt::CaseInsensitive);
    };
    if (servidor.contains(QLatin1Char('#')) || empieza("OraOLEDB") || empieza("MSDAORA"))
        return ado::Engine::Oracle;
    if (empieza("SQLOLEDB") || empieza("SQLNCLI") || empieza("MSOLEDBSQL"))
        return ado::Engine::SqlServer;
    if (p.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0)
        return ado::Engine::SQLite;
    return ado::Engine::None;
}

QString DB_Dll::valorConexion(const QString& valor) {
    const bool llaves = valor != valor.trimmed() || valor.contains(QLatin1Char(';')) ||
                        valor.contains(QLatin1Char('{')) || valor.contains(QLatin1Char('}'));
    if (!llaves)
        return valor;
    return QLatin1Char('{') + QString(valor).replace(QLatin1Char('}'), QLatin1String("}}")) +
           QLatin1Char('}');
}

void DB_Dll::ArmaConnString() {
    if (gServidor.contains(QLatin1Char('#')))
        gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") +
                      valorConexion(gDBName) + QStringLiteral(";User Id=") +
                      valorConexion(gUsuario) + QStringLiteral(";Password=") +
                      valorConexion(gUserPassWord) + QStringLiteral(";");
    else
        gConnString = QStringLiteral("PROVIDER=") + pSQLOLEDB() + QStringLiteral(";") +
                      QStringLiteral("Server=") + valorConexion(gServidor) + QStringLiteral(";") +
                      QStringLiteral("Database =") + valorConexion(gDBName) + QStringLiteral(";") +
                      QStringLiteral("UId=") + valorConexion(gUsuario) + QStringLiteral(";") +
                      QStringLiteral("Pwd=") + valorConexion(gUserPassWord) + QStringLiteral(";");
}

bool DB_Dll::PideParametros() {
    DatosAcceso datos;
    datos.usuario = gUsuario;
    datos.password = gUserPassWord;
    datos.dbName = gDBName;
    datos.servidor = gServidor;
    // A retry after an Oracle attempt offers Oracle again.
    datos.plataforma = gServidor.contains(QLatin1Char('#')) || esOracle() ? 1 : 0;
    datos.aceptar = false;
    // Without a dialog to ask, the request counts as cancelled.
    if (loginHandler())
        loginHandler()(datos);
    if (!datos.aceptar) {
        gOpenFlag = false;
        return false;
    }
    gOpenFlag = true;
    gDBName = datos.dbName;
    gServidor = datos.servidor;
    gUsuario = datos.usuario;
    gUserPassWord = datos.password;
    if (datos.plataforma > 0) {
        gProveedor = proveedorOracle();
        if (!gServidor.contains(QLatin1Char('#')))
            gServidor.prepend(QLatin1Char('#'));
    } else {
        gProveedor = pSQLOLEDB();
    }
    return true;
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, ado::CursorLocationEnum lCursor,
                             const QString& ConnString, bool ValidaAdmin) {
    bool fin = false;      // the routine ended before its last step
    bool abriendo = false; // the failure, if any, is the open's
    auto paso = [&fin](std::function<void()> f) {
        return [&fin, f = std::move(f)] {
            if (!fin)
                f();
        };
    };

    const std::vector<q42::StepRunner::Step> pasos = {
        paso([this] {
            gOpenFlag = true;
            if (gProveedor.isEmpty())
                gProveedor = QStringLiteral("SQLOLEDB");
        }),
        paso([this, &ConnString] {
            if (ConnString.trimmed().isEmpty())
                ArmaConnString();
            else
                gConnString = ConnString;
        }),
        paso([this, PideParametrosSQL, &fin] {
            if (!PideParametrosSQL)
                return;
            if (!PideParametros()) {
                fin = true;
                return;
            }
            ArmaConnString();
        }),
        paso([this, lCursor, &abriendo] {
            gCnn->setCursorLocation(lCursor);
            gMotor = motorDe(gConnString, gServidor);
            abriendo = true;
            const auto abrir = [this] { gCnn->Open(gConnString, QString(), QString(), -1); };
            // A database file opens on this machine at once: only a server
            // is waited for with the window.
            if (conectando() && gMotor != ado::Engine::SQLite)
                conectando()(destinoConexion(gServidor, gDBName), abrir);
            else
                abrir();
            abriendo = false;
            if (gMotor != ado::Engine::Oracle)
                gMotor = gCnn->engine();
        }),
        paso([this, ValidaAdmin, &fin] {
            if (ValidaAdmin)
                return;
            gEsAdmin = true;
            fin = true;
        }),
        paso([this] {
            if (gDBName.trimmed().isEmpty())
                return;
            gCnn->setDefaultDatabase(gDBName);
            if (!ExisteTablaDB(QStringLiteral("TA_USUARIOS")))
                return;
            const std::optional<QString> valor =
                DatosTabla(QStringLiteral("ta_usuarios"), gUsuario, QStringLiteral("Administrador"),
                           QStringLiteral("nombre"));
            if (valor)
                gEsAdmin = q42::Utiles::ValorInicial(*valor) == 1.0;
        }),
    };

    // Whatever ends the open unfinished leaves no half-open connection behind.
    const auto abandona = [this] {
        gOpenFlag = false;
        if (gCnn->State() != ado::adStateClosed)
            gCnn->Close();
    };
    q42::StepRunner::run(pasos, [this, &abandona, &abriendo](const q42::Error& error) -> int {
        ado::Errors& errores = gCnn->errors();
        if (errores.isEmpty()) {
            abriendo = false;
            q42::MsgBox(ado::redactPasswords(error.description()));
            abandona();
            return 0;
        }
        // A failed open says first, in Spanish, what went wrong.
        QString texto = textoReintento(errores.Item(0));
        if (abriendo)
            texto.prepend(motivoConexion(errores.Item(0), gServidor, gDBName) + QChar(13));
        abriendo = false;
        const int respuesta = q42::MsgBox(texto, q42::vbYesNo + q42::vbCritical,
                                          QStringLiteral(" Error de Conexion a Base de Datos"));
        if (respuesta != q42::vbYes) {
            abandona();
            return 0;
        }
        errores.Clear();
        if (!PideParametros()) {
            abandona();
            return 0;
        }
        ArmaConnString();
        return q42::vbRetry;
    });
}
