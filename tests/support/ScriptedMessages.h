#pragma once

#include "core/MsgBox.h"

#include <QList>
#include <QString>
#include <deque>

// Stands in for the operator: records every message box and input box and
// answers from a queue. With the queue empty a message box answers its
// default button and is counted as unexpected, so a test notices.
class ScriptedMessages : public q42::MessageService {
public:
    struct Shown {
        QString prompt;
        int style = 0;
        QString title;
        int buttons() const { return style & 0x0F; }
        int icon() const { return style & 0x70; }
        int defaultButton() const { return style & 0x300; }
    };

    ScriptedMessages();           // installs itself
    ~ScriptedMessages() override; // restores the Qt service

    void answer(int code) { m_answers.push_back(code); }
    void answerInput(const QString& text) { m_inputs.push_back(text); }
    void cancelInput() { m_inputs.push_back(std::nullopt); }

    const QList<Shown>& shown() const { return m_shown; }
    const Shown& last() const { return m_shown.last(); }
    int count() const { return int(m_shown.size()); }
    int unexpected() const { return m_unexpected; }
    int pendingAnswers() const { return int(m_answers.size()); }
    void clear() {
        m_shown.clear();
        m_answers.clear();
        m_unexpected = 0;
    }

    int msgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;

private:
    QList<Shown> m_shown;
    std::deque<int> m_answers;
    std::deque<std::optional<QString>> m_inputs;
    int m_unexpected = 0;
};
