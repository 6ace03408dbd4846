#include "Carpeta.h"

#include "Plataforma.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace q42 {

namespace {

const QString kSettings = QStringLiteral("ZK000pr.INI");

// Folders a package manager owns; writing there would be lost on the next
// upgrade or, for root, would change what every user runs.
const char* const kSistema[] = {"/usr", "/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32"};

QString carpetaDelPrograma() {
    QString folder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    if (folder.isEmpty())
        folder = QDir::currentPath();
    return folder;
}

} // namespace

QString carpetaAplicacion() {
    const QString programa = carpetaDelPrograma();
    const QString delUsuario = carpetaDelUsuario();
    const QString folder = eligeCarpetaAplicacion(qEnvironmentVariable("Q42_CARPETA"), programa,
                                                  delUsuario, &carpetaAdmiteEscritura);
    if (!delUsuario.isEmpty() && folder == delUsuario)
        preparaCarpetaDelUsuario(
            folder, QDir::cleanPath(programa + QStringLiteral("/../share/q42/") + kSettings));
    return QDir::fromNativeSeparators(folder);
}

QString carpetaDelUsuario() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : QDir::cleanPath(base + QStringLiteral("/q42"));
}

bool esCarpetaDelSistema(const QString& carpeta) {
    const QFileInfo info(carpeta);
    QString path = info.canonicalFilePath();
    if (path.isEmpty())
        path = QDir::cleanPath(info.absoluteFilePath());
    for (const char* prefijo : kSistema) {
        const QLatin1String p(prefijo);
        if (path == p || path.startsWith(p + QLatin1Char('/')))
            return true;
    }
    return false;
}

bool carpetaAdmiteEscritura(const QString& carpeta) {
    if (carpeta.isEmpty() || !QFileInfo(carpeta).isDir() || esCarpetaDelSistema(carpeta))
        return false;
    return plataforma::puedeEscribir(carpeta);
}

QString eligeCarpetaAplicacion(const QString& forzada, const QString& programa,
                               const QString& delUsuario,
                               const std::function<bool(const QString&)>& admiteEscritura) {
    if (!forzada.isEmpty())
        return forzada;
    if (delUsuario.isEmpty() || admiteEscritura(programa))
        return programa;
    return delUsuario;
}

bool preparaCarpetaDelUsuario(const QString& carpeta, const QString& ejemplo) {
    if (!QDir().mkpath(carpeta))
        return false;
    // The sample holds every key at its default, commented, for the user to edit.
    const QString destino = QDir(carpeta).filePath(kSettings);
    if (QFileInfo(ejemplo).isFile() && !QFileInfo::exists(archivoEnCarpeta(carpeta, kSettings)) &&
        QFile::copy(ejemplo, destino))
        // The copy keeps the installed file's mode; the user must be able to edit it.
        QFile::setPermissions(destino, QFile::permissions(destino) | QFile::WriteOwner);
    return true;
}

QString archivoEnCarpeta(const QString& folder, const QString& name) {
    QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    // Without name filters: a listing with them compiles a pattern. Of two
    // spellings, the first in name order, whatever the listing's order.
    QString found;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden); it.hasNext();) {
        it.next();
        const QString e = it.fileName();
        if (e.compare(name, Qt::CaseInsensitive) == 0 && (found.isEmpty() || e < found))
            found = e;
    }
    return found.isEmpty() ? exact : dir.filePath(found);
}

} // namespace q42
