// The class's error dialog and its log QXERR.LOG: one line per reported
// error with the operator's answer.

#include "DB_Dll.h"

#include "platform/Carpeta.h"
#include "platform/StepRunner.h"
#include "platform/ui/MsgBox.h"

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

// Windows code page 1252: Latin-1 plus the printable characters it puts
// in 0x80-0x9F; anything else becomes "?".
QByteArray aCp1252(const QString& texto) {
    static const std::array<char16_t, 32> altos{
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    QByteArray out;
    out.reserve(texto.size());
    for (QChar c : texto) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += char(u);
            continue;
        }
        char b = '?';
        for (std::size_t i = 0; i < altos.size(); ++i)
            if (altos[i] != 0 && altos[i] == u)
                b = char(0x80 + i);
        out += b;
    }
    return out;
}

void agregaLinea(const QString& ruta, const QString& linea) {
    QFile log(ruta);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        throw q42::Error(q42::err::PathFileAccess, log.errorString(),
                         QStringLiteral("DB_Dll.TratamientoErrores"));
    const QByteArray bytes = aCp1252(linea) + "\r\n";
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

int DB_Dll::TratamientoErrores(const q42::Error& CodErr, std::optional<int> Botones,
                               const QString& Rutina) {
    if (CodErr.number() == 0)
        return 0;

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
    return respuesta;
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
