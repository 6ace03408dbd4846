#include "Lib_ClsCons3.h"

#include "config/Configuracion.h"

#include <memory>

namespace {
std::unique_ptr<Lib_ClsCons3>& shared() {
    static std::unique_ptr<Lib_ClsCons3> instance;
    return instance;
}

QVariant nivel(const QString& clave) {
    const QString valor = Cfg(clave).trimmed();
    return valor.isEmpty() ? QVariant(0) : QVariant(valor);
}
} // namespace

Lib_ClsCons3& Lib_ClsCons3::instance() {
    auto& s = shared();
    if (!s)
        s = std::make_unique<Lib_ClsCons3>();
    return *s;
}

void Lib_ClsCons3::release() {
    shared().reset();
}

Lib_ClsCons3::Lib_ClsCons3() {
    MuestraStock = Cfg(QStringLiteral("MostrarStockenConsultas"));
    StkNivel1 = nivel(QStringLiteral("Stk_Nivel1"));
    StkNivel2 = nivel(QStringLiteral("Stk_Nivel2"));
    StkNivel3 = nivel(QStringLiteral("Stk_Nivel3"));
    StkNivel4 = nivel(QStringLiteral("Stk_Nivel4"));
    CfgUsaConsultaLIKE = Cfg(QStringLiteral("UsaConsultaLike"))
                             .trimmed()
                             .compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
}

Lib_ClsCons3::~Lib_ClsCons3() = default;
