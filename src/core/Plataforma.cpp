#include "Plataforma.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace q42::plataforma {

bool puedeEscribir(const QString& carpeta) {
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(carpeta).constData(), W_OK) == 0;
#else
    return QFileInfo(carpeta).isWritable();
#endif
}

QString usuarioDelSistema() {
#ifdef Q_OS_UNIX
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
#endif
    return QString();
}

QString bibliotecaOdbc() {
    const QString elegida = qEnvironmentVariable("Q42_ODBC_BIBLIOTECA");
    if (!elegida.isEmpty())
        return elegida;
#ifdef Q_OS_WIN
    return QStringLiteral("odbc32");
#else
    return QStringLiteral("libodbc.so.2");
#endif
}

} // namespace q42::plataforma
