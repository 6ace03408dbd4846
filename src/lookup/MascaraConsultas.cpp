#include "MascaraConsultas.h"

#include "core/Cp1252.h"
#include "core/Error.h"

#include <QFile>

namespace q42::mascaras {

namespace {

struct Campo {
    int inicio;
    int largo;
};
constexpr Campo kTitulo{0, LargoTitulo};
constexpr Campo kNombre{LargoTitulo, LargoNombre};
constexpr Campo kColumnas{LargoTitulo + LargoNombre, LargoColumnas};
constexpr Campo kFiltro{LargoTitulo + LargoNombre + LargoColumnas, LargoFiltro};

// The file is in the Windows code page, as the program has always written it.
QByteArray ajusta(const QString& texto, int largo) {
    QByteArray bytes = q42::aCp1252(texto).left(largo);
    bytes.append(largo - bytes.size(), ' ');
    return bytes;
}

bool esTexto(const QByteArray& bytes) {
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        // NUL padding is tolerated; any other control character means the
        // record is binary or out of step with the 1202-byte grid.
        if (u != 0 && u != '\t' && u < 0x20)
            return false;
    }
    return true;
}

QString campo(const QByteArray& bytes, Campo c) {
    QString texto = q42::deCp1252(bytes.mid(c.inicio, c.largo));
    texto.remove(QChar(0));
    texto.remove(QChar(0xFF));
    return texto.trimmed();
}

} // namespace

QByteArray escribeRegistro(const RegistroMascara& registro) {
    QByteArray bytes;
    bytes.reserve(LargoRegistro);
    bytes += ajusta(registro.titulo, LargoTitulo);
    bytes += ajusta(registro.nombre, LargoNombre);
    bytes += ajusta(registro.columnas, LargoColumnas);
    bytes += ajusta(registro.filtro, LargoFiltro);
    bytes += "\r\n";
    return bytes;
}

std::optional<RegistroMascara> leeRegistro(const QByteArray& bytes) {
    if (bytes.size() != LargoRegistro || !bytes.endsWith("\r\n") ||
        !esTexto(bytes.left(LargoRegistro - 2)))
        return std::nullopt;
    return RegistroMascara{campo(bytes, kTitulo), campo(bytes, kNombre), campo(bytes, kColumnas),
                           campo(bytes, kFiltro)};
}

QList<RegistroMascara> leeArchivo(const QString& ruta) {
    QList<RegistroMascara> registros;
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return registros;
    while (true) {
        const QByteArray bytes = archivo.read(LargoRegistro);
        if (bytes.size() < LargoRegistro)
            break;
        if (auto registro = leeRegistro(bytes))
            registros.append(*registro);
    }
    return registros;
}

void agregaRegistros(const QString& ruta, const QList<RegistroMascara>& registros) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadWrite))
        throw Error(err::PathFileAccess,
                    QStringLiteral("Error de acceso a ruta o archivo: ") + ruta);
    qint64 numero = archivo.size() / LargoRegistro + 1;
    for (const RegistroMascara& registro : registros) {
        const QByteArray bytes = escribeRegistro(registro);
        if (!archivo.seek((numero - 1) * LargoRegistro) || archivo.write(bytes) != bytes.size())
            throw Error(err::PathFileAccess,
                        QStringLiteral("Error de acceso a ruta o archivo: ") + ruta);
        ++numero;
    }
    archivo.close();
    if (archivo.error() != QFileDevice::NoError)
        throw Error(err::PathFileAccess,
                    QStringLiteral("Error de acceso a ruta o archivo: ") + ruta);
}

} // namespace q42::mascaras
