// The class's error dialog and its log QXERR.LOG: one line per reported
// error with the operator's answer.

#include "DB_Dll.h"

#include "core/Carpeta.h"
#include "core/Cp1252.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <array>

namespace {

constexpr int kEstiloPorDefecto = q42::vbAbortRetryIgnore + q42::vbCritical; // 18

QString textoRespuesta(int respuesta) {
    static const std::array<QString, 8> textos{
        QString(),
        QString(),
        QStringLiteral("Cancelar"),
        QStringLiteral("Abortar"),
        QStringLiteral("Reintentar"),
        QStringLiteral("Ignorar"),
        QStringLiteral("S\u00ed"),
        QStringLiteral("No"),
    };
    return respuesta >= 0 && respuesta < int(textos.size()) ? textos[std::size_t(respuesta)]
                                                            : QString();
}

void agregaLinea(const QString& ruta, const QString& linea) {
    QFile log(ruta);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        throw q42::Error(q42::err::PathFileAccess, log.errorString(),
                         QStringLiteral("DB_Dll.TratamientoErrores"));
    const QByteArray bytes = q42::aCp1252(linea) + "\r\n";
    if (log.write(bytes) != bytes.size())
        throw q42::Error(q42::err::PathFileAccess, log.errorString(),
                         QStringLiteral("DB_Dll.TratamientoErrores"));
}

} // namespace

QString DB_Dll::rutaErrorLog() {
    QString carpeta = q42::carpetaAplicacion();
    if (!carpeta.endsWith(QLatin1Char('/')) && !carpeta.endsWith(QLatin1Char('\\')))
        carpeta += QLatin1Char('/');
    return q42::archivoEnCarpeta(carpeta, QStringLiteral("QXERR.LOG"));
}

q42::MsgAnswer DB_Dll::TratamientoErrores(const q42::Error& CodErr, std::optional<int> Botones,
                                          const QString& Rutina) {
    // Nothing asked: no answer (0).
    if (CodErr.number() == 0)
        return q42::MsgAnswer(0);

    QString ruta, mensaje, parteRutina, titulo;
    int respuesta = 0;
    // A step that fails is skipped: a log that cannot be written loses its
    // line and the operator's answer still goes back.
    q42::StepRunner::runIgnoringFailures({
        [&] { ruta = rutaErrorLog(); },
        [&] {
            mensaje = ado::redactPasswords(QStringLiteral("Ha ocurrido el Siguiente Error (") +
                                           QString::number(CodErr.number()) + QStringLiteral(") ") +
                                           CodErr.description().trimmed());
        },
        [&] {
            if (!Rutina.isEmpty())
                parteRutina = QStringLiteral(" - ") + Rutina;
        },
        [&] { titulo = CodErr.source() + parteRutina + QStringLiteral(" Aviso al operador!!! "); },
        [&] { respuesta = q42::MsgBox(mensaje, Botones.value_or(kEstiloPorDefecto), titulo); },
        [&] {
            const QDateTime ahora = QDateTime::currentDateTime();
            const QString linea = ahora.toString(QStringLiteral("MM-dd-yyyy HH:mm:ss")) +
                                  QStringLiteral(" Rutina: ") + parteRutina.trimmed() +
                                  QStringLiteral(" Mensaje ") + mensaje.trimmed() +
                                  QStringLiteral(" Respondi\u00f3 : ") + textoRespuesta(respuesta);
            agregaLinea(ruta, linea);
        },
    });
    return q42::MsgAnswer(respuesta);
}

void DB_Dll::AnotaError(const q42::Error& CodErr, const QString& Rutina) {
    q42::StepRunner::runIgnoringFailures({[&] {
        const QString linea =
            QDateTime::currentDateTime().toString(QStringLiteral("MM-dd-yyyy HH:mm:ss")) +
            QStringLiteral(" Rutina: ") + Rutina.trimmed() + QStringLiteral(" Mensaje ") +
            ado::redactPasswords(QStringLiteral("(") + QString::number(CodErr.number()) +
                                 QStringLiteral(") ") + CodErr.description().trimmed());
        agregaLinea(rutaErrorLog(), linea);
    }});
}
