// The operator's first line above what the driver said when a connection
// could not be opened: the cause in Spanish, told by SQL state or native
// error (FreeTDS, Microsoft's driver and Oracle's each have their own).

#include "DB_Dll.h"

namespace {

struct Motivo {
    const char* estado; // "" matches any state
    qint32 nativo;      // 0 matches any native error
    const char* causa;  // %1 is the database
};

// Native errors first: they tell more than the states some drivers share.
constexpr Motivo kMotivos[] = {
    {"", 18456, "rechazó el usuario o la contraseña"}, // SQL Server login failed
    {"", 1017, "rechazó el usuario o la contraseña"},  // ORA-01017
    {"", 4060, "no tiene la base de datos %1 o no deja abrirla"},
    {"", 911, "no tiene la base de datos %1"},
    {"", 12514, "no conoce la base de datos %1"},        // ORA-12514
    {"", 20013, "ese nombre no se encuentra en la red"}, // FreeTDS unknown host
    {"", 11001, "ese nombre no se encuentra en la red"}, // Microsoft's driver
    {"", 12154, "ese nombre no se encuentra"},           // ORA-12154
    {"", 12545, "ese nombre no se encuentra en la red"}, // ORA-12545
    {"", 20009, "no responde"},                          // FreeTDS closed port
    {"", 20003, "no responde"},                          // FreeTDS time-out
    {"", 12541, "no responde"},                          // ORA-12541 no listener
    {"", 12170, "no responde"},                          // ORA-12170 time-out
    {"08001", 14, "no se puede abrir su archivo"},       // SQLite's CANTOPEN
    {"28000", 0, "rechazó el usuario o la contraseña"},
    {"08004", 0, "rechazó la conexión a la base de datos %1"},
    {"HYT00", 0, "no responde"},
    {"08001", 0, "no responde"},
    {"08S01", 0, "no responde"},
    {"IM002", 0, "falta el controlador ODBC que lo atiende"},
};

} // namespace

QString DB_Dll::motivoConexion(const ado::Error& error, const QString& servidor,
                               const QString& base) {
    QString nombre = servidor;
    nombre.remove(QLatin1Char('#'));
    nombre = nombre.trimmed();
    QString primera = nombre.isEmpty()
                          ? QStringLiteral("No se pudo conectar con la base de datos %1").arg(base)
                          : QStringLiteral("No se pudo conectar con el servidor %1").arg(nombre);
    primera = primera.trimmed();
    for (const Motivo& m : kMotivos) {
        const bool estado = *m.estado == '\0' || error.SQLState.compare(QLatin1String(m.estado),
                                                                        Qt::CaseInsensitive) == 0;
        const bool nativo = m.nativo == 0 || error.NativeError == m.nativo;
        if (estado && nativo) {
            QString causa = QString::fromUtf8(m.causa);
            if (causa.contains(QLatin1String("%1")))
                causa = causa.arg(base);
            return primera + QStringLiteral(": ") + causa + QLatin1Char('.');
        }
    }
    return primera + QLatin1Char('.');
}
