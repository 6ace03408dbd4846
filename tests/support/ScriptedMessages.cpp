#include "ScriptedMessages.h"

#include <algorithm>

ScriptedMessages::ScriptedMessages() {
    q42::setMessageService(this);
}
ScriptedMessages::~ScriptedMessages() {
    q42::setMessageService(nullptr);
}

int ScriptedMessages::msgBox(const QString& prompt, int style, const QString& title) {
    m_shown.push_back({prompt, style, title});
    if (!m_answers.empty()) {
        const int a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    ++m_unexpected;
    static const int firstAnswer[] = {q42::vbOK,  q42::vbOK,  q42::vbAbort,
                                      q42::vbYes, q42::vbYes, q42::vbRetry};
    static const int secondAnswer[] = {q42::vbOK, q42::vbCancel, q42::vbRetry,
                                       q42::vbNo, q42::vbNo,     q42::vbCancel};
    static const int thirdAnswer[] = {q42::vbOK,     q42::vbCancel, q42::vbIgnore,
                                      q42::vbCancel, q42::vbNo,     q42::vbCancel};
    const int set = std::clamp(style & 0x0F, 0, 5);
    switch (style & 0x300) {
    case q42::vbDefaultButton2:
        return secondAnswer[set];
    case q42::vbDefaultButton3:
        return thirdAnswer[set];
    default:
        return firstAnswer[set];
    }
}

std::optional<QString> ScriptedMessages::inputBox(const QString& prompt, const QString& title,
                                                  const QString& defaultText) {
    m_shown.push_back({prompt, -1, title});
    if (m_inputs.empty()) {
        ++m_unexpected;
        return defaultText;
    }
    const std::optional<QString> text = m_inputs.front();
    m_inputs.pop_front();
    return text;
}
