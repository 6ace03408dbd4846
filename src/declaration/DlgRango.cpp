#include "DlgRango.h"

#include "ColumnasDeclaracion.h"
#include "Impresion.h"
#include "core/MsgBox.h"
#include "widgets/Modal.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace declaracion {

namespace {

QLineEdit* cajaPeriodo(const QString& nombre, const QString& texto, QWidget* padre) {
    auto* c = new QLineEdit(texto, padre);
    c->setObjectName(nombre);
    c->setMaxLength(7);
    c->setPlaceholderText(QStringLiteral("MM/AAAA"));
    return c;
}

} // namespace

DlgRango::DlgRango(const QString& desde, const QString& hasta, QWidget* parent)
    : QDialog(parent), m_desde(cajaPeriodo(QStringLiteral("TxtDesde"), desde, this)),
      m_hasta(cajaPeriodo(QStringLiteral("TxtHasta"), hasta, this)), m_aviso(new QLabel(this)) {
    setObjectName(QStringLiteral("DlgRango"));
    setWindowTitle(kTituloRango);
    auto* texto = new QLabel(QStringLiteral("Declaraciones grabadas a imprimir, una página por "
                                            "mes:"),
                             this);
    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("&Desde"), m_desde);
    campos->addRow(QStringLiteral("&Hasta"), m_hasta);
    m_aviso->setObjectName(QStringLiteral("LblAviso"));
    m_aviso->setWordWrap(true);
    QPalette p = m_aviso->palette();
    p.setColor(QPalette::WindowText, Qt::darkRed);
    m_aviso->setPalette(p);

    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Imprimir"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(botones, &QDialogButtonBox::accepted, this, &DlgRango::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* capas = new QVBoxLayout(this);
    capas->addWidget(texto);
    capas->addLayout(campos);
    capas->addWidget(m_aviso);
    capas->addWidget(botones);
    m_desde->setFocus();
    m_desde->selectAll();
}

QString DlgRango::desde() const {
    return m_desde->text().trimmed();
}

QString DlgRango::hasta() const {
    return m_hasta->text().trimmed();
}

void DlgRango::accept() {
    const QString problema = problemaDeRango(desde(), hasta());
    if (problema.isEmpty()) {
        QDialog::accept();
        return;
    }
    m_aviso->setText(problema);
    QLineEdit* caja = periodoValido(desde()) ? m_hasta : m_desde;
    caja->setFocus();
    caja->selectAll();
}

bool pideRango(QString* desde, QString* hasta, QWidget* parent) {
    DlgRango dialogo(*desde, *hasta, parent);
    if (q42::execModal(&dialogo) != QDialog::Accepted)
        return false;
    if (const QString problema = problemaDeRango(dialogo.desde(), dialogo.hasta());
        !problema.isEmpty()) {
        q42::MsgBox(problema, q42::vbExclamation, kTituloRango);
        return false;
    }
    *desde = dialogo.desde();
    *hasta = dialogo.hasta();
    return true;
}

} // namespace declaracion
