#include "AvisosGrabacion.h"

#include "ado/Ado.h"
#include "core/MsgBox.h"
#include "db/DB_Dll.h"
#include "db/Grabacion.h"

#include <optional>

namespace declaracion {

namespace {

enum class Falla { Duplicada, Cambiada, SinConexion, SoloLectura, Ocupada };

struct Aviso {
    Falla falla;
    const char* texto; // %1 the period, %2 "grabó" or "borró"
    int estilo;        // Retry and Cancel when waiting may help
};

constexpr Aviso kAvisos[] = {
    {Falla::Duplicada, "Ya existe una declaración para el período %1.",
     q42::vbOKOnly + q42::vbExclamation},
    {Falla::Cambiada, "Otro usuario modificó o borró la declaración %1. Vuelva a cargarla.",
     q42::vbOKOnly + q42::vbExclamation},
    {Falla::SinConexion,
     "Se perdió la conexión con la base de datos: la declaración %1 no se %2. "
     "Restablezca la conexión y reintente.",
     q42::vbRetryCancel + q42::vbCritical},
    {Falla::SoloLectura,
     "La base de datos es de solo lectura para este usuario: la declaración %1 no se %2.",
     q42::vbRetryCancel + q42::vbCritical},
    {Falla::Ocupada,
     "La base de datos está ocupada por otro usuario: la declaración %1 no se %2. "
     "Reintente en unos momentos.",
     q42::vbRetryCancel + q42::vbExclamation},
};

std::optional<Falla> clasifica(const q42::Error& e, const ado::Error* motor, ado::Engine engine) {
    const qint32 nativo = motor ? motor->NativeError : 0;
    const qint32 numero = motor ? motor->Number : e.number();
    const QString estado = motor ? motor->SQLState : QString();
    const QString texto =
        (motor ? motor->Description : QString()) + QLatin1Char(' ') + e.description();
    if (nativo == 2627 || nativo == 2601)
        return Falla::Duplicada;
    if (e.number() == q42::err::RowNotFoundForUpdate || e.number() == q42::err::NoCurrentRecord)
        return Falla::Cambiada;
    if (estado.startsWith(QLatin1String("08")))
        return Falla::SinConexion;
    // SQLite's SQLITE_READONLY (with its extended codes), SQL Server's 3906.
    if ((engine == ado::Engine::SQLite && (nativo & 0xff) == 8) || nativo == 3906 ||
        texto.contains(QLatin1String("readonly"), Qt::CaseInsensitive) ||
        texto.contains(QLatin1String("read-only"), Qt::CaseInsensitive))
        return Falla::SoloLectura;
    if (e.number() == q42::err::Timeout || numero == q42::err::Timeout ||
        estado.startsWith(QLatin1String("HYT")) || nativo == 1222)
        return Falla::Ocupada;
    return std::nullopt;
}

} // namespace

int avisoGrabacion(const q42::Error& error, const QString& campo, const QString& periodo,
                   bool borrando) {
    DB_Dll& db = DB_Dll::instance();
    ado::Errors* errores = db.gCnn ? &db.gCnn->errors() : nullptr;
    std::optional<ado::Error> motor;
    if (errores && !errores->isEmpty())
        motor = errores->Item(0);
    const std::optional<Falla> falla =
        error.number() == q42::err::WrongType
            ? std::nullopt
            : clasifica(error, motor ? &*motor : nullptr,
                        db.gCnn ? db.gCnn->engine() : ado::Engine::None);
    if (!falla)
        return ErrorGrabacion(error, campo);

    QString detalle = error.description();
    if (motor && motor->Description != error.description())
        detalle += QStringLiteral(" [%1 %2 %3]")
                       .arg(motor->SQLState)
                       .arg(motor->NativeError)
                       .arg(motor->Description);
    DB_Dll::AnotaError(q42::Error(error.number(), detalle, error.source()),
                       (borrando ? QStringLiteral("Borrar ") : QStringLiteral("Grabar ")) +
                           periodo);
    if (errores)
        errores->Clear();
    for (const Aviso& a : kAvisos) {
        if (a.falla != *falla)
            continue;
        const QString texto = QString::fromUtf8(a.texto)
                                  .replace(QLatin1String("%1"), periodo)
                                  .replace(QLatin1String("%2"), borrando ? QStringLiteral("borró")
                                                                         : QStringLiteral("grabó"));
        const int respuesta = q42::MsgBox(texto, a.estilo, QStringLiteral("Aviso al operador..."));
        return respuesta == q42::vbRetry ? q42::vbRetry : 0;
    }
    return 0;
}

} // namespace declaracion
