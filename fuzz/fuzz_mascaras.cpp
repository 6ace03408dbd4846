// The lookup mask file: every record read from it, the statement the lookup
// service builds from each, and a record read back after being written.

#include "ArchivoPrivado.h"
#include "FuzzComun.h"
#include "lookup/MascaraConsultas.h"
#include "lookup/SentenciasConsulta.h"

using q42::mascaras::RegistroMascara;

namespace {

QString describe(const RegistroMascara& r) {
    return r.titulo + QLatin1Char('|') + r.nombre + QLatin1Char('|') + r.columnas +
           QLatin1Char('|') + r.filtro;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString ruta = fuzz::escribeArchivo(QStringLiteral("consultas.qvx"), bytes);
    for (const RegistroMascara& registro : q42::mascaras::leeArchivo(ruta)) {
        QString campoBusqueda;
        (void)q42::consultas::sentenciaDeMascara(registro, campoBusqueda, QString(), 1000);
        campoBusqueda = QStringLiteral("CODIGO");
        (void)q42::consultas::sentenciaDeMascara(registro, campoBusqueda, QStringLiteral("a=1"),
                                                 1000);

        const QByteArray escrito = q42::mascaras::escribeRegistro(registro);
        fuzz::verifica(escrito.size() == q42::mascaras::LargoRegistro, "registro mal medido",
                       describe(registro));
        const auto leido = q42::mascaras::leeRegistro(escrito);
        fuzz::verifica(leido && *leido == registro, "el registro no se relee igual",
                       describe(registro));
    }
    return 0;
}
