#pragma once

#include "EntornoPrueba.h"

#include <QDialog>
#include <functional>

// The common set-up (EntornoPrueba) for tests with windows: the Qt message
// boxes and preview installed, and every modal dialog no script answers
// refused at once.
class TestEnv : public EntornoPrueba {
public:
    TestEnv();
    ~TestEnv();
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
