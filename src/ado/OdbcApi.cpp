#include "OdbcApi.h"

#include "core/Plataforma.h"

#include <QLibrary>
#include <memory>

namespace ado::detail {

namespace {

struct Loaded {
    OdbcApi api;
    QString why; // empty when loaded
    // Kept, never unloaded: handles and drivers live as long as the program.
    std::unique_ptr<QLibrary> library;
};

Loaded load() {
    Loaded l;
    l.library = std::make_unique<QLibrary>(q42::plataforma::bibliotecaOdbc());
    QLibrary* library = l.library.get();
    if (!library->load()) {
        l.why = library->errorString();
        return l;
    }
#define Q42_ODBC_RESOLVE(name)                                                                     \
    l.api.name = reinterpret_cast<decltype(&::name)>(library->resolve(#name));                     \
    if (!l.api.name && l.why.isEmpty())                                                            \
        l.why = QStringLiteral("%1 no tiene %2").arg(library->fileName(), QLatin1String(#name));
    Q42_ODBC_FUNCTIONS(Q42_ODBC_RESOLVE)
#undef Q42_ODBC_RESOLVE
    return l;
}

const Loaded& loaded() {
    static const Loaded l = load();
    return l;
}

} // namespace

const OdbcApi* loadOdbc(QString* why) {
    const Loaded& l = loaded();
    if (!l.why.isEmpty()) {
        if (why)
            *why = l.why;
        return nullptr;
    }
    return &l.api;
}

const OdbcApi& odbcApi() {
    return loaded().api;
}

} // namespace ado::detail
