#pragma once
// Modal dialogs of the program (login, lookups, calendar, preview) are run
// through this seam, so that tests answer them instead of a person. The
// handler receives the dialog ready to show and returns its result code.

class QDialog;

namespace q42 {

using DialogHandler = int (*)(QDialog* dialog, void* context);
int execModal(QDialog* dialog);
void setDialogHandler(DialogHandler handler, void* context);

// Installs the Qt message boxes as the default message service and the
// print preview window; the program and the tests call it once at start.
void instalaInterfazQt();

} // namespace q42
