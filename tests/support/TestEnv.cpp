#include "TestEnv.h"

#include "platform/Regional.h"
#include "platform/ui/MsgBox.h"

#include <QDir>
#include <QLocale>
#include <QSettings>

namespace {

// A dialog no test answers is refused at once, with a warning naming it,
// instead of waiting for a person who is not there.
int rechazaSinGuion(QDialog* dialog, void*) {
    qWarning("unanswered dialog %s (%s): rejected", qPrintable(dialog->objectName()),
             dialog->metaObject()->className());
    return QDialog::Rejected;
}

} // namespace

TestEnv::TestEnv() {
    q42::setDialogHandler(&rechazaSinGuion, nullptr);
    q42::Regional::setLocale(QLocale(QLocale::Spanish, QLocale::Argentina));
    qputenv("Q42_CARPETA", QDir::toNativeSeparators(m_dir.path()).toLocal8Bit());
    // Window places and column widths stay out of the user's own settings.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
}

TestEnv::~TestEnv() {
    q42::setDialogHandler(nullptr, nullptr);
    qunsetenv("Q42_CARPETA");
}

DialogScript::DialogScript(Answer answer) : m_answer(std::move(answer)) {
    q42::setDialogHandler(&DialogScript::dispatch, this);
}

DialogScript::~DialogScript() {
    q42::setDialogHandler(&rechazaSinGuion, nullptr);
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
