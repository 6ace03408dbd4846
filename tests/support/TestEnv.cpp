#include "TestEnv.h"

#include "core/MsgBox.h"
#include "widgets/Modal.h"

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
    q42::instalaInterfazQt();
    q42::setDialogHandler(&rechazaSinGuion, nullptr);
}

TestEnv::~TestEnv() {
    q42::setDialogHandler(nullptr, nullptr);
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
