#include "EntornoPrueba.h"

#include "core/Regional.h"

#include <QDir>
#include <QLocale>
#include <QSettings>

EntornoPrueba::EntornoPrueba() {
    q42::Regional::setLocale(QLocale(QLocale::Spanish, QLocale::Argentina));
    qputenv("Q42_CARPETA", QDir::toNativeSeparators(m_dir.path()).toLocal8Bit());
    // Window places and column widths stay out of the user's own settings.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
}

EntornoPrueba::~EntornoPrueba() {
    qunsetenv("Q42_CARPETA");
}

QString sourcePath(const QString& relative) {
    const QString root = qEnvironmentVariable("Q42_SOURCE_DIR");
    return QDir(root.isEmpty() ? QDir::currentPath() : root).filePath(relative);
}
