// Users who are not administrators work against the "SS_" counterparts of
// some objects; "@Admin_" in front of a name keeps the object itself.

#include "DB_Dll.h"

#include "core/Utiles.h"

#include <array>

namespace {

struct Sinonimo {
    const char* objeto;
    const char* contraparte;
    int contextos; // how many rows of kContextos apply
};

// The order matters: each object is handled with all its contexts before
// the next one.
constexpr std::array<Sinonimo, 7> kSinonimos{{
    {"MA_CUENTAS", "SS_MA_CUENTAS", 6},
    {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO", 5},
    {"MV_ASIENTOS", "SS_MV_ASIENTOS", 5},
    {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS", 5},
    {"V_TA_CAJAS", "SS_V_TA_CAJAS", 5},
    {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO", 5},
    {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO", 5},
}};

// Characters that must stand right before and after a name for it to be
// recognised; they stay in place.
struct Contexto {
    char antes;
    char despues;
};
constexpr std::array<Contexto, 6> kContextos{{
    {' ', ' '},
    {'(', ' '},
    {' ', '.'},
    {'(', '.'},
    {',', '.'},
    {'{', '.'},
}};

const QString kMarca = QStringLiteral("@Admin_");

} // namespace

QString DB_Dll::SS_TSinonimos(const QString& SQL) const {
    using q42::Utiles;
    if (gEsAdmin)
        return Utiles::SustituyeTexto(SQL, kMarca, QString());

    QString s = SQL;
    for (std::size_t i = 0; i < kSinonimos.size(); ++i) {
        const Sinonimo& sin = kSinonimos[i];
        for (int c = 0; c < sin.contextos; ++c) {
            const QChar antes = QLatin1Char(kContextos[c].antes);
            const QChar despues = QLatin1Char(kContextos[c].despues);
            s = Utiles::SustituyeTexto(s, antes + QLatin1String(sin.objeto) + despues,
                                       antes + QLatin1String(sin.contraparte) + despues);
        }
        if (i == 0)
            s = Utiles::SustituyeTexto(s, kMarca + QLatin1String(sin.objeto),
                                       QLatin1String(sin.objeto));
    }
    return Utiles::SustituyeTexto(s, kMarca, QString());
}
