#pragma once

#include "core/Error.h"

#include <QString>
#include <QTemporaryDir>

// Set-up every test program shares, without windows: Spanish (Argentina)
// regional settings, a private application folder (Q42_CARPETA) and user
// settings in a temporary directory. Tests of the libraries under the
// widgets use it directly; the others through TestEnv.
class EntornoPrueba {
public:
    EntornoPrueba();
    ~EntornoPrueba();
    EntornoPrueba(const EntornoPrueba&) = delete;
    EntornoPrueba& operator=(const EntornoPrueba&) = delete;
    QString carpeta() const { return m_dir.path(); }
    QString ruta(const QString& nombre) const { return m_dir.filePath(nombre); }

private:
    QTemporaryDir m_dir;
};

// Path of a file of the source tree (reports, sql), for tests.
QString sourcePath(const QString& relative);

// The number of the q42::Error that `f` throws, 0 when it throws none.
template <typename F> qint32 errorOf(F&& f) {
    try {
        f();
    } catch (const q42::Error& e) {
        return e.number();
    }
    return 0;
}
