#pragma once

// A program folder this test cannot write to, while it lives. Taking the
// write permission away is enough for an ordinary user; root writes
// through it, so there the calling thread's file-system user becomes
// "nobody" and "nogroup" (Linux keeps them per thread and gives root back on release):
// the folder's ancestors are opened for traversal so that the files in it
// stay readable. vale() says whether the folder really refuses a new file;
// motivo() why not, for QSKIP.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <utility>

#ifdef Q_OS_LINUX
#include <sys/fsuid.h>
#include <unistd.h>
#endif

class CarpetaSoloLectura {
public:
    // Files the test must still read or write while the folder is locked
    // (a database elsewhere) are opened to everyone with abreATodos first.
    explicit CarpetaSoloLectura(const QString& carpeta) : m_carpeta(carpeta) {
        cambia(m_carpeta, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                              QFile::ReadOther | QFile::ExeOther);
        if (!admiteArchivoNuevo())
            return;
#ifdef Q_OS_LINUX
        if (::geteuid() == 0) {
            // Only folders closed to others (a private temporary folder) are
            // opened; /tmp and the like keep their mode, sticky bit included.
            for (QDir d = QFileInfo(m_carpeta).absoluteDir(); !d.isRoot(); d.cdUp()) {
                const QString ruta = d.absolutePath();
                if (!(QFile::permissions(ruta) & QFile::ExeOther))
                    cambia(ruta, QFile::permissions(ruta) | QFile::ExeOther);
            }
            // The group too: root's group would otherwise meet the group
            // bits of root's own folders. setfsuid answers the previous
            // value: asking twice tells whether the change took.
            ::setfsgid(kNadie);
            ::setfsuid(kNadie);
            m_usuarioCambiado = unsigned(::setfsuid(kNadie)) == kNadie;
            if (m_usuarioCambiado && !admiteArchivoNuevo())
                return;
        }
#endif
        m_motivo = QStringLiteral("the folder %1 still takes new files (neither the permission "
                                  "nor another file-system user stops this process)")
                       .arg(m_carpeta);
    }

    ~CarpetaSoloLectura() {
#ifdef Q_OS_LINUX
        if (m_usuarioCambiado) {
            ::setfsuid(::geteuid());
            ::setfsgid(::getegid());
        }
#endif
        for (auto it = m_permisos.crbegin(); it != m_permisos.crend(); ++it)
            QFile::setPermissions(it->first, it->second);
    }

    CarpetaSoloLectura(const CarpetaSoloLectura&) = delete;
    CarpetaSoloLectura& operator=(const CarpetaSoloLectura&) = delete;

    bool vale() const {
        return m_motivo.isEmpty();
    }
    QString motivo() const {
        return m_motivo;
    }

    // Read and write for everyone: a folder, or a file the test still needs.
    static void abreATodos(const QString& ruta) {
        QFile::setPermissions(ruta, QFile::permissions(ruta) | QFile::ReadOther |
                                        QFile::WriteOther | QFile::ExeOther | QFile::ReadGroup |
                                        QFile::WriteGroup | QFile::ExeGroup);
    }

private:
#ifdef Q_OS_LINUX
    static constexpr unsigned kNadie = 65534;
#endif

    void cambia(const QString& ruta, QFile::Permissions permisos) {
        m_permisos.append({ruta, QFile::permissions(ruta)});
        QFile::setPermissions(ruta, permisos);
    }

    bool admiteArchivoNuevo() const {
        QFile prueba(QDir(m_carpeta).filePath(QStringLiteral(".escritura")));
        if (!prueba.open(QIODevice::WriteOnly))
            return false;
        prueba.close();
        prueba.remove();
        return true;
    }

    QString m_carpeta;
    QString m_motivo;
    QList<std::pair<QString, QFile::Permissions>> m_permisos;
    bool m_usuarioCambiado = false;
};

// What the tests put in the folder before locking it and read back after.
inline QByteArray lee(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void escribeArchivo(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(ruta));
}
