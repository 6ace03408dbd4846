#pragma once

// The readers of the lookup files take a path: the input is written to a file
// in a folder of this run's own, removed when the run ends.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>

namespace fuzz {

inline QString carpetaPrivada() {
    // In memory where the system offers it: the files are rewritten for
    // every input. Removed at exit.
    static QTemporaryDir carpeta(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                     ? QStringLiteral("/dev/shm/q42-fuzz-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/q42-fuzz-XXXXXX"));
    if (!carpeta.isValid())
        std::abort();
    return carpeta.path();
}

inline QString escribeArchivo(const QString& nombre, const QByteArray& bytes) {
    const QString ruta = carpetaPrivada() + QLatin1Char('/') + nombre;
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        archivo.write(bytes) != bytes.size())
        std::abort();
    return ruta;
}

} // namespace fuzz
