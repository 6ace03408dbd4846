// The totals read the boxes and write the value labels of the window.

#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "Totales.h"

#include <QLabel>
#include <QLineEdit>

namespace {

class PantallaFormulario : public declaracion::PantallaTotales {
public:
    explicit PantallaFormulario(const FrmQ42& f) : m_f(f) {}
    QString caja(int indice) const override { return m_f.txtFields(indice)->text(); }
    QString etiqueta(const QString& nombre) const override { return m_f.etiqueta(nombre)->text(); }
    void ponEtiqueta(const QString& nombre, const QString& texto) override {
        QLabel* l = m_f.etiqueta(nombre);
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

private:
    const FrmQ42& m_f;
};

} // namespace

void FrmQ42::TotalizaP() {
    PantallaFormulario p(*this);
    declaracion::TotalizaP(p);
}

void FrmQ42::TotalizaSP() {
    PantallaFormulario p(*this);
    declaracion::TotalizaSP(p);
}
