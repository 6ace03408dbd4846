// The command-line reading: every key of the start, then the server-name
// normaliser on the whole text and on the server value.

#include "FuzzComun.h"
#include "boot/Inicio.h"

namespace {

const char* const kClaves[] = {
    "@ParametroAdicional", "@Menu",           "@Server", "@DbName", "@Usuario",
    "@Password",           "@UsuarioLogeado", "@Caja",   "@Archivo"};

void compruebaServidor(const QString& nombre) {
    const QString host = ExtraeServidor(nombre);
    fuzz::verifica(!host.contains(QLatin1Char(':')), "ExtraeServidor deja un ':'", nombre);
    fuzz::verifica(host.size() <= nombre.size(), "ExtraeServidor alarga el nombre", nombre);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString parametros = fuzz::texto(data, size);
    for (const char* clave : kClaves) {
        const QString valor =
            ExtraeParametro(parametros, QLatin1String(clave), QStringLiteral("1"));
        fuzz::verifica(!valor.contains(QLatin1Char('=')), "un '=' llega al valor", parametros);
        fuzz::verifica(valor == valor.trimmed(), "valor con blancos alrededor", parametros);
    }
    compruebaServidor(parametros);
    compruebaServidor(ExtraeParametro(parametros, QStringLiteral("@Server")));
    return 0;
}
