#pragma once

#include "core/MsgBox.h"

namespace q42 {

// Shows the classic message boxes with QMessageBox and the input box with
// QInputDialog, parented to the active window.
class QtMessageService : public MessageService {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
};

} // namespace q42
