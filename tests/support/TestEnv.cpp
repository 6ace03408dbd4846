#include "TestEnv.h"

#include "platform/Regional.h"
#include "platform/ui/MsgBox.h"

#include <QDir>
#include <QLocale>
#include <QSettings>

TestEnv::TestEnv() {
    q42::Regional::setLocale(QLocale(QLocale::Spanish, QLocale::Argentina));
    qputenv("Q42_CARPETA", QDir::toNativeSeparators(m_dir.path()).toLocal8Bit());
    // Window places and column widths stay out of the user's own settings.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
}

TestEnv::~TestEnv() {
    qunsetenv("Q42_CARPETA");
}

DialogScript::DialogScript(Answer answer) : m_answer(std::move(answer)) {
    q42::setDialogHandler(&DialogScript::dispatch, this);
}

DialogScript::~DialogScript() {
    q42::setDialogHandler(nullptr, nullptr);
}

int DialogScript::dispatch(QDialog* dialog, void* self) {
    auto* script = static_cast<DialogScript*>(self);
    ++script->m_count;
    return script->m_answer(dialog);
}

QString sourcePath(const QString& relative) {
    const QString root = qEnvironmentVariable("Q42_SOURCE_DIR");
    return QDir(root.isEmpty() ? QDir::currentPath() : root).filePath(relative);
}
