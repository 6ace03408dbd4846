#include "Modal.h"

#include "QtMessageService.h"
#include "VistaPrevia.h"
#include "core/MsgBox.h"

#include <QDialog>

namespace q42 {

namespace {
DialogHandler g_dialogHandler = nullptr;
void* g_dialogContext = nullptr;
} // namespace

int execModal(QDialog* dialog) {
    if (g_dialogHandler)
        return g_dialogHandler(dialog, g_dialogContext);
    return dialog->exec();
}

void setDialogHandler(DialogHandler handler, void* context) {
    g_dialogHandler = handler;
    g_dialogContext = context;
}

void instalaInterfazQt() {
    static QtMessageService qtService;
    setDefaultMessageService(&qtService);
    setVistaPrevia(&vistaPreviaQt);
}

} // namespace q42
