#pragma once

// The findings of the checks before signing, one per line; the operator
// goes on ("Grabar igual") or goes back to the figures ("Revisar", the
// default and Esc) with the focus on the box of the finding chosen.

#include "Revision.h"

#include <QDialog>

class QListWidget;

namespace declaracion {

class DlgRevision : public QDialog {
    Q_OBJECT
public:
    // `seguir` is the going-on button's caption ("Grabar igual").
    DlgRevision(const QString& periodo, const std::vector<Hallazgo>& hallazgos,
                const QString& seguir, QWidget* parent = nullptr);
    // Index of the finding chosen in the list (the first unless another is).
    int elegido() const;

private:
    QListWidget* m_lista;
};

// Runs the dialog through the program's dialog seam. true to go on; false to
// revise, with *elegido the finding whose box should take the focus. No
// findings: true without asking.
bool confirmaRevision(const QString& periodo, const std::vector<Hallazgo>& hallazgos,
                      const QString& seguir, QWidget* parent, int* elegido);

} // namespace declaracion
