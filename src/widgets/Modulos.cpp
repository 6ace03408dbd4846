#include "Modulos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <memory>

namespace q42 {

namespace {

QStringList carpetasDeModulos() {
    QStringList carpetas;
    const QString indicada = qEnvironmentVariable("Q42_MODULOS");
    if (!indicada.isEmpty())
        carpetas << indicada;
    const QString programa = QCoreApplication::applicationDirPath();
    carpetas << programa << QDir(programa).filePath(QStringLiteral("../lib/q42"));
    return carpetas;
}

} // namespace

QFunctionPointer funcionDeModulo(const QString& modulo, const char* funcion, QString* error) {
    // Loaded modules stay loaded: their widgets may outlive the call.
    static QHash<QString, std::shared_ptr<QLibrary>> cargados;
    std::shared_ptr<QLibrary>& libreria = cargados[modulo];
    QString motivo;
    if (!libreria) {
        const QStringList carpetas = carpetasDeModulos();
        for (const QString& carpeta : carpetas) {
            const QString archivo = QDir(carpeta).filePath(QStringLiteral("lib%1.so").arg(modulo));
            if (!QFileInfo::exists(archivo))
                continue;
            auto candidata = std::make_shared<QLibrary>(archivo);
            if (candidata->load()) {
                libreria = candidata;
                break;
            }
            // Present but not loadable: a library it needs is missing.
            motivo = candidata->errorString();
        }
        if (!libreria && motivo.isEmpty())
            motivo = QStringLiteral("no está en %1")
                         .arg(QDir::toNativeSeparators(carpetas.join(QStringLiteral(", "))));
    }
    if (!libreria) {
        cargados.remove(modulo);
        if (error)
            *error = QStringLiteral("No se pudo cargar el módulo %1: %2").arg(modulo, motivo);
        return nullptr;
    }
    const QFunctionPointer f = libreria->resolve(funcion);
    if (!f && error)
        *error = QStringLiteral("El módulo %1 no tiene la función %2.")
                     .arg(modulo, QLatin1String(funcion));
    return f;
}

} // namespace q42
