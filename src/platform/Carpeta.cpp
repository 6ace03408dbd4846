#include "Carpeta.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace q42 {

QString carpetaAplicacion() {
    const QString forced = qEnvironmentVariable("Q42_CARPETA");
    QString folder = forced.isEmpty() ? QCoreApplication::applicationDirPath() : forced;
    if (folder.isEmpty())
        folder = QDir::currentPath();
    return QDir::fromNativeSeparators(folder);
}

QString archivoEnCarpeta(const QString& folder, const QString& name) {
    QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return exact;
}

} // namespace q42
