// The declaration on screen: its period is the key that saving, printing and
// deleting keep to, and entries not yet saved are never dropped unasked.

#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "core/MsgBox.h"
#include "widgets/CajaTexto.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

using namespace declaracion;

// The model follows every text of the boxes, typed or put there by the
// program (a carried stock differs from the stored one just the same).
void FrmQ42::vigilaCambios() {
    for (int i = 0; i < m_txtFields.size(); ++i)
        m_mes.ponCaja(i, m_txtFields[i]->text());
    for (int i = 0; i < m_ajustes.size(); ++i)
        m_mes.ponAjuste(i, m_ajustes[i]->text());
    for (int i = 0; i < m_txtFields.size(); ++i)
        connect(m_txtFields[i], &QLineEdit::textChanged, this, [this, i](const QString& t) {
            m_mes.ponCaja(i, t);
            // A figure from the books changed by hand loses its mark.
            if (m_mes.deLibros(i))
                muestraMarcaLibros(i);
            muestraEstadoDelMes();
        });
    for (int i = 0; i < m_ajustes.size(); ++i)
        connect(m_ajustes[i], &QLineEdit::textChanged, this, [this, i](const QString& t) {
            m_mes.ponAjuste(i, t);
            muestraEstadoDelMes();
        });
    // A key a box refused is told where the operator looks for news.
    for (auto* c : findChildren<q42::CajaTexto*>())
        connect(c, &q42::CajaTexto::teclaRechazada, this,
                [this](const QString& motivo) { StbEstado->setText(motivo); });
}

// The title says which month the keys go to, and in what state.
void FrmQ42::muestraEstadoDelMes() {
    static const QString base =
        QStringLiteral("Declaraciones Juradas de existencias y movimientos");
    const QString estado = m_mes.titulo();
    setWindowTitle(estado.isEmpty() ? base : estado + QStringLiteral(" — ") + base);
}

bool FrmQ42::cifrasValidas() {
    for (int i = 0; i < m_txtFields.size(); ++i) {
        if (i == kCajaPeriodo || i == kCajaObservaciones)
            continue;
        QLineEdit* c = m_txtFields[i];
        if (!leeCantidad(c->text())) {
            m_mes.ponError(true);
            SSTab1->setCurrentIndex(0);
            muestraAviso(mensajeCantidadInvalida(c->text()), c);
            c->selectAll();
            return false;
        }
    }
    return true;
}

// A period typed over the one on screen and not confirmed would store the
// entries under another month (or replace it): nothing is done under it.
bool FrmQ42::periodoEnPantalla() {
    QLineEdit* periodo = txtFields(kCajaPeriodo);
    const QString mensaje = m_mes.motivoParaNoGuardar(periodo->text());
    if (mensaje.isEmpty())
        return true;
    m_mes.ponError(true);
    muestraAviso(mensaje, periodo);
    periodo->selectAll();
    return false;
}

// The full check and the save; on success the form starts afresh.
bool FrmQ42::grabaDeclaracion() {
    m_grabando = true;
    struct Fin {
        FrmQ42& f;
        ~Fin() { f.m_grabando = false; }
    } fin{*this};
    m_mes.ponError(false);
    if (!periodoEnPantalla() || !Datosvalidos() || !revisaAntesDe(QStringLiteral("Grabar igual")))
        return false;
    const QString periodo = m_mes.periodo();
    GrabaRegistro();
    if (HuboError())
        return false;
    Inicializa();
    seleccionaPeriodo();
    StbEstado->setText(QStringLiteral("Declaración %1 grabada.").arg(periodo));
    return true;
}

// True when the caller may go on and replace what is on screen: nothing
// was edited, the operator dropped the edits, or they were saved.
bool FrmQ42::dejaDeclaracion() {
    if (!m_edicion || !m_mes.conCambios())
        return true;
    const int respuesta = q42::MsgBox(mensajeCambiosSinGrabar(m_mes.periodo()),
                                      q42::vbYesNoCancel + q42::vbQuestion + q42::vbDefaultButton3,
                                      QStringLiteral("Atención!"));
    if (respuesta == q42::vbNo)
        return true;
    if (respuesta != q42::vbYes)
        return false;
    QLineEdit* periodo = txtFields(kCajaPeriodo);
    const QString escrito = periodo->text();
    // Saved under the month on screen, whatever the operator typed since.
    periodo->setText(m_mes.periodo());
    if (!grabaDeclaracion())
        return false;
    periodo->setText(escrito);
    return true;
}

void FrmQ42::cancelaDeclaracion() {
    if (!dejaDeclaracion())
        return;
    Inicializa();
    seleccionaPeriodo();
    m_grabando = false;
}
