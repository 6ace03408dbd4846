#include "AnchosColumnas.h"

#include "core/Carpeta.h"
#include "core/Error.h"
#include "core/Utiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <limits>
#include <system_error>

namespace q42::anchos {

namespace {

struct Linea {
    QString tabla;
    QString anchos;
};

QString sinComillas(QString campo) {
    campo = campo.trimmed();
    if (campo.size() >= 2 && campo.startsWith(QLatin1Char('"')) && campo.endsWith(QLatin1Char('"')))
        return campo.mid(1, campo.size() - 2);
    return campo;
}

bool esTexto(const QByteArray& linea) {
    for (const char c : linea) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && u != '\t')
            return false;
    }
    return true;
}

// Two fields separated by the first comma outside quotes.
std::optional<Linea> leeLinea(QByteArray bytes) {
    while (bytes.endsWith('\r') || bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.trimmed().isEmpty() || !esTexto(bytes))
        return std::nullopt;
    const QString texto = QString::fromLatin1(bytes);
    bool entreComillas = false;
    qsizetype coma = -1;
    int comas = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto.at(i) == QLatin1Char('"'))
            entreComillas = !entreComillas;
        else if (texto.at(i) == QLatin1Char(',') && !entreComillas && comas++ == 0)
            coma = i;
    }
    if (coma < 0 || comas != 1 || entreComillas)
        return std::nullopt;
    Linea l{sinComillas(texto.left(coma)), sinComillas(texto.mid(coma + 1))};
    if (l.tabla.isEmpty())
        return std::nullopt;
    return l;
}

// One width as the file keeps it: the whole twips of a column, as
// grabaAnchos writes them. A damaged file may hold anything; a number past
// that range is no width either (it would overflow the pixel size).
std::optional<double> ancho(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    std::optional<Currency> n;
    try {
        n = Currency::parse(t);
    } catch (const Error&) {
        return std::nullopt; // past the largest number
    }
    if (!n || *n < Currency() || *n > Currency::fromInt(std::numeric_limits<int>::max()))
        return std::nullopt;
    return n->toDouble();
}

QList<QByteArray> lineas(const QString& ruta) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> out;
    while (!archivo.atEnd())
        out << archivo.readLine();
    return out;
}

Error errorDeArchivo(const QString& ruta) {
    return Error(err::PathFileAccess, QStringLiteral("Error de acceso a ruta o archivo: ") + ruta);
}

} // namespace

QString rutaArchivo() {
    return archivoEnCarpeta(Utiles::CarpetaConBarra(carpetaAplicacion()),
                            QStringLiteral("CONSULTASLEN.QVX"));
}

std::optional<QList<double>> leeAnchos(const QString& ruta, const QString& tabla) {
    std::optional<QList<double>> resultado;
    for (const QByteArray& bytes : lineas(ruta)) {
        const auto l = leeLinea(bytes);
        if (!l || l->tabla.compare(tabla.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        QList<double> anchos;
        const QStringList partes = l->anchos.split(QLatin1Char('|'));
        // The last piece follows the final "|": it is no width.
        for (qsizetype i = 0; i + 1 < partes.size(); ++i) {
            const auto n = ancho(partes.at(i));
            if (!n)
                break;
            anchos << *n;
        }
        resultado = anchos;
    }
    return resultado;
}

void grabaAnchos(const QString& ruta, const QString& tabla, const QList<int>& anchosTwips) {
    QByteArray contenido;
    for (const QByteArray& bytes : lineas(ruta)) {
        const auto l = leeLinea(bytes);
        if (!l || l->tabla.compare(tabla.trimmed(), Qt::CaseInsensitive) == 0)
            continue;
        QByteArray linea = bytes;
        while (linea.endsWith('\r') || linea.endsWith('\n'))
            linea.chop(1);
        contenido += linea + "\r\n";
    }
    QString anchos;
    for (int a : anchosTwips)
        anchos += QString::number(a) + QLatin1Char('|');
    contenido +=
        (QLatin1Char('"') + tabla + QStringLiteral("\",\"") + anchos + QStringLiteral("\"\r\n"))
            .toLatin1();

    const QFileInfo info(ruta);
    const QString aux = info.dir().filePath(QStringLiteral("CONSULTASLEN.AUX"));
    QFile archivo(aux);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw errorDeArchivo(aux);
    const bool escrito = archivo.write(contenido) == contenido.size() && archivo.flush();
    archivo.close();
    if (!escrito || archivo.error() != QFileDevice::NoError) {
        QFile::remove(aux);
        throw errorDeArchivo(aux);
    }
    // Renaming over the old file replaces it in one step.
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(aux).toStdString()),
                            std::filesystem::path(QFile::encodeName(ruta).toStdString()), ec);
    if (ec) {
        QFile::remove(aux);
        throw errorDeArchivo(ruta);
    }
}

} // namespace q42::anchos
