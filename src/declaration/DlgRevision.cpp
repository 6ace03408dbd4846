#include "DlgRevision.h"

#include "core/MsgBox.h"
#include "widgets/Modal.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace declaracion {

DlgRevision::DlgRevision(const QString& periodo, const std::vector<Hallazgo>& hallazgos,
                         const QString& seguir, QWidget* parent)
    : QDialog(parent), m_lista(new QListWidget(this)) {
    setObjectName(QStringLiteral("DlgRevision"));
    setWindowTitle(QStringLiteral("Revisión de la declaración %1").arg(periodo));
    auto* texto = new QLabel(QStringLiteral("Estas cifras merecen una revisión antes de "
                                            "firmar:"),
                             this);
    m_lista->setObjectName(QStringLiteral("LstHallazgos"));
    for (const Hallazgo& h : hallazgos)
        m_lista->addItem(h.texto);
    m_lista->setCurrentRow(0);
    m_lista->setMinimumWidth(560);
    // Long findings wrap instead of scrolling sideways.
    m_lista->setWordWrap(true);
    m_lista->setResizeMode(QListView::Adjust);
    m_lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* botones = new QDialogButtonBox(this);
    QPushButton* igual = botones->addButton(seguir, QDialogButtonBox::AcceptRole);
    igual->setObjectName(QStringLiteral("CmdSeguirIgual"));
    QPushButton* revisar =
        botones->addButton(QStringLiteral("Revisar"), QDialogButtonBox::RejectRole);
    revisar->setObjectName(QStringLiteral("CmdRevisar"));
    // A slip of Enter must never sign questioned figures.
    igual->setAutoDefault(false);
    revisar->setDefault(true);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_lista, &QListWidget::itemActivated, this, &QDialog::reject);

    auto* capas = new QVBoxLayout(this);
    capas->addWidget(texto);
    capas->addWidget(m_lista);
    capas->addWidget(botones);
    // The list has the keys: the first arrow moves to the next finding;
    // Enter on it revises, as the default button does.
    m_lista->setFocus();
}

int DlgRevision::elegido() const {
    return qMax(0, m_lista->currentRow());
}

bool confirmaRevision(const QString& periodo, const std::vector<Hallazgo>& hallazgos,
                      const QString& seguir, QWidget* parent, int* elegido) {
    if (hallazgos.empty())
        return true;
    DlgRevision dialogo(periodo, hallazgos, seguir, parent);
    const bool seguirIgual = q42::execModal(&dialogo) == QDialog::Accepted;
    if (elegido)
        *elegido = dialogo.elegido();
    return seguirIgual;
}

} // namespace declaracion
