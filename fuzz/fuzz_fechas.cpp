// Dates typed by the operator, read day first under the regional settings;
// a date read must come back from its short text, and FechaSQL must accept
// every full date.

#include "FuzzComun.h"
#include "db/DB_Dll.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::regionalArgentina();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString texto = fuzz::texto(data, size);
    if (const auto fecha = q42::Regional::readDate(texto)) {
        fuzz::verifica(fecha->isValid(), "fecha no valida", texto);
        const QString corta = q42::Regional::shortDate(*fecha);
        fuzz::verifica(q42::Regional::readFullDate(corta) == fecha, "la fecha no se relee",
                       texto + QStringLiteral(" -> ") + corta);
        (void)q42::Regional::format(*fecha, texto);
    }
    const auto completa = q42::Regional::readFullDate(texto);
    for (const auto motor : {ado::Engine::SqlServer, ado::Engine::Oracle, ado::Engine::SQLite}) {
        try {
            (void)DB_Dll::FechaSQL(texto, motor);
            fuzz::verifica(completa.has_value(), "FechaSQL toma algo que no es fecha", texto);
        } catch (const q42::Error&) {
            fuzz::verifica(!completa, "FechaSQL rechaza una fecha", texto);
        }
    }
    return 0;
}
