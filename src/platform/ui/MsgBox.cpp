#include "MsgBox.h"

#include "QtMessageService.h"

#include <QCoreApplication>
#include <QDialog>

namespace q42 {

namespace {
MessageService* g_service = nullptr;
DialogHandler g_dialogHandler = nullptr;
void* g_dialogContext = nullptr;
} // namespace

MessageService& messageService() {
    static QtMessageService qtService;
    return g_service ? *g_service : qtService;
}

void setMessageService(MessageService* service) {
    g_service = service;
}

QString defaultMessageTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Q42") : name;
}

int MsgBox(const QString& prompt, int style, const QString& title) {
    return messageService().msgBox(prompt, style, title.isEmpty() ? defaultMessageTitle() : title);
}

std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                const QString& defaultText) {
    return messageService().inputBox(prompt, title.isEmpty() ? defaultMessageTitle() : title,
                                     defaultText);
}

int execModal(QDialog* dialog) {
    if (g_dialogHandler)
        return g_dialogHandler(dialog, g_dialogContext);
    return dialog->exec();
}

void setDialogHandler(DialogHandler handler, void* context) {
    g_dialogHandler = handler;
    g_dialogContext = context;
}

} // namespace q42
