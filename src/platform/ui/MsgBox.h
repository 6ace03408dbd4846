#pragma once

#include <QString>
#include <optional>

class QDialog;

namespace q42 {

// Button sets, icons and default buttons in the classic codes; a style is
// their sum (buttons + icon + default button).
enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// Answers in the classic codes.
enum MsgAnswer : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// Every message box and input box of the program goes through this seam:
// the program installs the Qt implementation, tests a scripted double.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    // Empty optional when the operator cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
};

// The service in use; the Qt one until another is installed.
MessageService& messageService();
// Installs a service (not owned); nullptr restores the Qt one.
void setMessageService(MessageService* service);

// Title used when a caller gives none: the program's name.
QString defaultMessageTitle();

int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());
std::optional<QString> InputBox(const QString& prompt, const QString& title = QString(),
                                const QString& defaultText = QString());

// Modal dialogs of the program (login, lookups, calendar) are run through
// this seam, so that tests answer them instead of a person. The handler
// receives the dialog ready to show and returns its result code.
using DialogHandler = int (*)(QDialog* dialog, void* context);
int execModal(QDialog* dialog);
void setDialogHandler(DialogHandler handler, void* context);

} // namespace q42
