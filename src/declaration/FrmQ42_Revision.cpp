// The checks before signing, on the figures the window shows: a warning
// the operator may pass over, never a block.

#include "ColumnasDeclaracion.h"
#include "DlgRevision.h"
#include "FrmQ42.h"
#include "Revision.h"
#include "Totales.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

using namespace declaracion;

std::vector<Hallazgo> FrmQ42::hallazgos() const {
    const FigurasDeclaracion figuras = figurasDePantalla(m_mes, [this](int p) {
        return caja(QString::fromLatin1(kProductos[size_t(p)].cajaCodigos))->text();
    });
    std::vector<Hallazgo> lista = revisaDeclaracion(figuras, leeLimitesRevision());
    if (m_edicion && leeLimitesRevision().activa) {
        for (Hallazgo& h : m_mes.hallazgosDeArrastre())
            lista.push_back(std::move(h));
        for (Hallazgo& h : hallazgosDeLibros(figuras))
            lista.push_back(std::move(h));
    }
    return lista;
}

// true to go on; "Revisar" puts the focus on the box of the chosen finding.
bool FrmQ42::revisaAntesDe(const QString& seguir) {
    const std::vector<Hallazgo> lista = hallazgos();
    int elegido = 0;
    if (confirmaRevision(m_mes.periodo(), lista, seguir, this, &elegido))
        return true;
    const Hallazgo& h = lista[size_t(qBound(0, elegido, int(lista.size()) - 1))];
    QLineEdit* destino = h.caja >= 0 ? txtFields(h.caja) : caja(h.control);
    SSTab1->setCurrentIndex(h.caja >= 0 ? 0 : 1);
    // A stored figure the carry-over replaced goes back in its box.
    if (destino && !h.restaura.isEmpty()) {
        destino->setText(h.restaura);
        TotalizaP();
        // The news of the carry-over follows what is left of it.
        StbEstado->setText(m_mes.avisoDeArrastre());
    }
    if (destino && destino->isEnabled()) {
        destino->setFocus();
        destino->selectAll();
    }
    return false;
}
