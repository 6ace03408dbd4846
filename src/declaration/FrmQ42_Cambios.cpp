// The declaration on screen: its period is the key that saving, printing and
// deleting keep to, and entries not yet saved are never dropped unasked.

#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "core/MsgBox.h"

#include <QLabel>
#include <QLineEdit>

using namespace declaracion;

// Only what the operator types counts (textEdited); the period box is the
// key, not an entry.
void FrmQ42::vigilaCambios() {
    for (int i = 0; i < m_txtFields.size(); ++i)
        if (i != kCajaPeriodo)
            connect(m_txtFields[i], &QLineEdit::textEdited, this, [this] { marcaCambio(); });
    for (QLineEdit* c : std::as_const(m_ajustes))
        connect(c, &QLineEdit::textEdited, this, [this] { marcaCambio(); });
}

void FrmQ42::marcaCambio() {
    if (m_edicion)
        m_cambios = true;
}

// A period typed over the one on screen and not confirmed would store the
// entries under another month (or replace it): nothing is done under it.
bool FrmQ42::periodoEnPantalla() {
    QLineEdit* periodo = txtFields(kCajaPeriodo);
    const QString valor = periodo->text().trimmed();
    QString mensaje;
    if (valor.isEmpty())
        mensaje = kMensajePeriodoVacio;
    else if (!periodoValido(valor))
        mensaje = kMensajePeriodoInvalido;
    else if (m_periodoConfirmado.isEmpty())
        mensaje = kMensajeSinDeclaracion;
    else if (valor != m_periodoConfirmado)
        mensaje = mensajeOtroPeriodo(valor, m_periodoConfirmado);
    if (mensaje.isEmpty())
        return true;
    HuboError = true;
    muestraAviso(mensaje, periodo);
    periodo->selectAll();
    return false;
}

// The full check and the save; on success the form starts afresh.
bool FrmQ42::grabaDeclaracion() {
    Grabando = true;
    struct Fin {
        FrmQ42& f;
        ~Fin() { f.Grabando = false; }
    } fin{*this};
    HuboError = false;
    if (!periodoEnPantalla() || !Datosvalidos() || !revisaAntesDe(QStringLiteral("Grabar igual")))
        return false;
    const QString periodo = m_periodoConfirmado;
    GrabaRegistro();
    if (HuboError)
        return false;
    Inicializa();
    seleccionaPeriodo();
    StbEstado->setText(QStringLiteral("Declaración %1 grabada.").arg(periodo));
    return true;
}

// True when the caller may go on and replace what is on screen: nothing
// was edited, the operator dropped the edits, or they were saved.
bool FrmQ42::dejaDeclaracion() {
    if (!m_edicion || !m_cambios)
        return true;
    const int respuesta = q42::MsgBox(mensajeCambiosSinGrabar(m_periodoConfirmado),
                                      q42::vbYesNoCancel + q42::vbQuestion + q42::vbDefaultButton3,
                                      QStringLiteral("Atención!"));
    if (respuesta == q42::vbNo)
        return true;
    if (respuesta != q42::vbYes)
        return false;
    QLineEdit* periodo = txtFields(kCajaPeriodo);
    const QString escrito = periodo->text();
    // Saved under the month on screen, whatever the operator typed since.
    periodo->setText(m_periodoConfirmado);
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
    Grabando = false;
}
