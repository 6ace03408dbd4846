// The totals are computed on the month on screen (its model) and shown in
// the window's value labels.

#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "Totales.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// The labels follow the model even when a computation stopped half-way:
// the captions written so far are the ones it keeps.
struct MuestraEtiquetas {
    const declaracion::MesEnPantalla& mes;
    const QList<QLabel*>& etiquetas;
    ~MuestraEtiquetas() {
        for (QLabel* l : etiquetas) {
            const QString texto = mes.etiqueta(l->objectName());
            if (texto.isNull() || texto == l->text())
                continue;
            l->setText(texto);
            // A negative stock stands out before anyone signs it.
            const auto n = declaracion::leeCantidad(texto);
            QPalette paleta = l->palette();
            paleta.setColor(QPalette::WindowText,
                            n && n->raw() < 0
                                ? QColor(Qt::red)
                                : l->parentWidget()->palette().color(QPalette::WindowText));
            l->setPalette(paleta);
        }
    }
};

} // namespace

void FrmQ42::TotalizaP() {
    const MuestraEtiquetas muestra{m_mes, m_etiquetas};
    declaracion::TotalizaP(m_mes);
}

void FrmQ42::TotalizaSP() {
    const MuestraEtiquetas muestra{m_mes, m_etiquetas};
    declaracion::TotalizaSP(m_mes);
}
