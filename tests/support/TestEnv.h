#pragma once

#include "platform/Error.h"

#include <QDialog>
#include <QString>
#include <QTemporaryDir>
#include <functional>

// Common set-up of a test program: Spanish (Argentina) regional settings
// and a private application folder (Q42_CARPETA) in a temporary directory.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();
    QString carpeta() const { return m_dir.path(); }
    QString ruta(const QString& nombre) const { return m_dir.filePath(nombre); }

private:
    QTemporaryDir m_dir;
};

// Answers the program's modal dialogs while alive: the function receives
// each dialog (already built, not shown) and returns its result code.
class DialogScript {
public:
    using Answer = std::function<int(QDialog*)>;
    explicit DialogScript(Answer answer);
    ~DialogScript();
    int count() const { return m_count; }

private:
    static int dispatch(QDialog* dialog, void* self);
    Answer m_answer;
    int m_count = 0;
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
