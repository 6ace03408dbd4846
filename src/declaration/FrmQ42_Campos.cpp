// The events shared by the 41 boxes and the checks run when a box is
// confirmed or before a save.

#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "ado/Ado.h"
#include "core/Conversiones.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"
#include "widgets/Formularios.h"
#include "widgets/PanelBar.h"

#include <QContextMenuEvent>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <memory>

using namespace declaracion;
using q42::Formularios;
using q42::Utiles;

namespace {

const QColor kFondoFoco(0x00, 0xFF, 0xFF);
const QColor kFondoNormal(0xFF, 0xFF, 0xFF);
const QColor kFondoLibros(0xFF, 0xF3, 0xC8); // a figure still as the books gave it

// Enabled boxes only: a disabled box keeps the style's own colour.
void pintaFondo(QLineEdit* c, const QColor& color) {
    QPalette p = c->palette();
    p.setColor(QPalette::Active, QPalette::Base, color);
    p.setColor(QPalette::Inactive, QPalette::Base, color);
    c->setPalette(p);
}

bool esCampo(const QLineEdit* c, const char* nombre) {
    return c->property(Formularios::DataField)
               .toString()
               .compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

} // namespace

int FrmQ42::indiceDe(const QObject* objeto) const {
    for (int i = 0; i < m_txtFields.size(); ++i)
        if (m_txtFields[i] == objeto)
            return i;
    return -1;
}

bool FrmQ42::eventFilter(QObject* objeto, QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo == QEvent::KeyPress) {
        // The form sees every key of its controls first.
        auto* w = qobject_cast<QWidget*>(objeto);
        auto* tecla = static_cast<QKeyEvent*>(evento);
        bool tomada = false;
        if (w && w->window() == this)
            protegido(QStringLiteral("Form_KeyDown"),
                      [&] { tomada = Form_KeyDown(tecla->key(), tecla->modifiers()); });
        if (tomada)
            return true;
    }
    const int indice = indiceDe(objeto);
    if (indice < 0)
        return QWidget::eventFilter(objeto, evento);
    bool tomado = false;
    protegido(QStringLiteral("txtFields"), [&] {
        switch (tipo) {
        case QEvent::FocusIn:
            txtFields_GotFocus(indice);
            break;
        case QEvent::FocusOut:
            txtFields_LostFocus(indice);
            break;
        case QEvent::KeyPress: {
            auto* tecla = static_cast<QKeyEvent*>(evento);
            m_teclaPendiente = -1;
            tomado = txtFields_KeyDown(indice, tecla->key(), tecla->modifiers());
            if (!tomado) {
                m_teclaPendiente = indice;
                m_textoAlPulsar = txtFields(indice)->text();
            }
            break;
        }
        case QEvent::KeyRelease:
            // Shift, arrows, Home/End or Ctrl+A change nothing and check nothing.
            if (!static_cast<QKeyEvent*>(evento)->isAutoRepeat() && m_teclaPendiente == indice) {
                m_teclaPendiente = -1;
                if (txtFields(indice)->text() != m_textoAlPulsar)
                    txtFields_KeyUp(indice);
            }
            break;
        case QEvent::MouseButtonPress:
            txtFields_MouseDown(indice, static_cast<QMouseEvent*>(evento)->button());
            break;
        case QEvent::ContextMenu:
            // A box with a lookup opens it on the right button instead; a
            // figure from the books offers its documents beside the editing.
            tomado = !txtFields(indice)->property(Formularios::Tag).toString().trimmed().isEmpty();
            if (!tomado && m_mes.deLibros(indice)) {
                std::unique_ptr<QMenu> menu(txtFields(indice)->createStandardContextMenu());
                menu->addSeparator();
                QAction* origen = menu->addAction(QStringLiteral("¿De dónde sale?\tF9"));
                if (menu->exec(static_cast<QContextMenuEvent*>(evento)->globalPos()) == origen)
                    OrigenDeCaja(indice);
                tomado = true;
            }
            break;
        default:
            break;
        }
    });
    return tomado || QWidget::eventFilter(objeto, evento);
}

void FrmQ42::ponConsulta(int Index) {
    const QString tag = txtFields(Index)->property(Formularios::Tag).toString();
    PanelBar1->setConsultaenabled(!tag.trimmed().isEmpty());
}

void FrmQ42::txtFields_GotFocus(int Index) {
    QLineEdit* c = txtFields(Index);
    pintaFondo(c, kFondoFoco);
    c->setSelection(0, int(c->text().trimmed().size()));
    m_indiceActual = qint16(Index);
    ponConsulta(Index);
}

void FrmQ42::txtFields_LostFocus(int Index) {
    pintaFondo(txtFields(Index), m_mes.comoEnLibros(Index) ? kFondoLibros : kFondoNormal);
}

bool FrmQ42::txtFields_KeyDown(int Index, int KeyCode, Qt::KeyboardModifiers /*Shift*/) {
    if (KeyCode == Qt::Key_F9) {
        OrigenDeCaja(Index);
        return true;
    }
    bool confirma = Formularios::EsTeclaConfirma(KeyCode);
    QLineEdit* c = txtFields(Index);
    // The month on screen confirmed again: nothing to reload over the entries.
    const bool mismoPeriodo = Index == kCajaPeriodo && m_edicion && !m_mes.periodo().isEmpty() &&
                              c->text().trimmed() == m_mes.periodo();
    if (confirma && !mismoPeriodo) {
        CampoValida(Index, c);
        // Past the last box the entries go round to the first figure, never
        // to the period, whose Enter would start the month again.
        if (!HuboError() && Index == kCajas - 1)
            txtFields(kCajaPExistencia)->setFocus(Qt::TabFocusReason);
        else if (!HuboError())
            Formularios::MueveFoco(c, KeyCode);
    }
    // The lookup switch follows the box the lookup would act on.
    ponConsulta(m_indiceActual);
    return confirma;
}

void FrmQ42::txtFields_KeyUp(int Index) {
    QLineEdit* c = txtFields(Index);
    if (!esCampo(c, "Periodo"))
        return;
    // An operator who types the slash himself after the one put in for
    // him keeps one.
    static const QRegularExpression doble(QStringLiteral("^(\\d\\d/)/"));
    if (const auto m = doble.match(c->text()); m.hasMatch()) {
        const int caret = c->cursorPosition();
        c->setText(c->text().remove(2, 1));
        c->setCursorPosition(qMax(0, caret - 1));
    }
    QString palabra = c->text();
    FormateaPeriodoAnio(palabra, c);
}

void FrmQ42::txtFields_MouseDown(int Index, Qt::MouseButton Button) {
    m_indiceActual = qint16(Index);
    if (Button == Qt::RightButton)
        ConsultaCampo();
}

bool FrmQ42::FormateaPeriodoAnio(QString& Palabra, QLineEdit* Caja) {
    const QString s = Palabra.trimmed();
    if (s.size() != 2)
        return false;
    const qint64 mes = Utiles::TextoAEntero(s);
    if (mes <= 0 || mes >= 13) {
        q42::MsgBox(QStringLiteral("Debe ingresar un mes"), q42::vbOKOnly);
        Caja->setSelection(0, 2);
        return false;
    }
    // "5/" already carries the operator's own slash; the check on
    // confirming tells him the month needs two digits.
    if (!s.at(0).isDigit() || !s.at(1).isDigit())
        return false;
    Palabra = s + QLatin1Char('/');
    Caja->setText(Palabra);
    Caja->setCursorPosition(int(Palabra.size()));
    return true;
}

void FrmQ42::muestraAviso(const QString& mensaje, QLineEdit* caja) {
    q42::MsgBox(mensaje, q42::vbInformation, QStringLiteral("Aviso al operador..."));
    caja->setFocus();
}

// While saving, the period keeps to the record set it was confirmed with:
// a row read for it is stored against the values the operator saw, and a
// new declaration stays new (a row saved meanwhile by someone else makes
// the store fail on the duplicate key instead of being overwritten).
void FrmQ42::validaPeriodo(const QString& valor) {
    ado::Recordset& rs = RsDatos();
    const bool mismo = m_grabando && valor == m_mes.periodo();
    const bool leida =
        mismo && EsExistente() && rs.State() == ado::adStateOpen && !rs.BOF() && !rs.EOF_();
    if (!leida) {
        const bool nuevo = mismo && EsNuevo();
        const bool existe = leePeriodo(valor);
        // The database failed and the operator gave the look-up up (he was
        // told why): whether the month exists is unknown, so the entries on
        // screen stay and nothing is saved on a guess.
        if (rs.State() == ado::adStateClosed) {
            m_mes.ponError(true);
            return;
        }
        if (existe && !nuevo) {
            m_mes.ponEstado(EstadoMes::Guardado);
            if (!m_grabando)
                CargaRegistro();
        } else {
            if (!m_grabando) {
                InicializaDetalle();
                m_mes.abre(valor, EstadoMes::Nuevo);
            }
            m_mes.ponEstado(EstadoMes::Nuevo);
        }
    }
    DetalleOn(true);
    if (!m_grabando) {
        m_mes.ponPeriodo(valor);
        PeriodoAnterior();
        // A new month is what was prepared for it; a stored one stays its
        // row, and what the carry-over changed in it is a change to tell.
        if (EsNuevo())
            m_mes.fijaReferencia();
        StbEstado->setText(m_mes.avisoDeArrastre());
        muestraEstadoDelMes();
    }
    // The carried opening stocks are in the boxes: the labels follow them.
    TotalizaP();
}

// Another period confirmed over edited entries: they are saved, dropped or
// kept as the operator answers; kept, the period box shows their month again.
bool FrmQ42::dejaPorOtroPeriodo(const QString& valor) {
    if (m_grabando || !m_edicion || valor == m_mes.periodo() || dejaDeclaracion())
        return true;
    QLineEdit* periodo = txtFields(kCajaPeriodo);
    periodo->setText(m_mes.periodo());
    // A save that failed has put the focus where the operator is to mend it.
    if (!HuboError()) {
        periodo->setFocus();
        periodo->selectAll();
    }
    return false;
}

void FrmQ42::CampoValida(int Index, QLineEdit* Texto) {
    Q_UNUSED(Index);
    m_mes.ponError(false);
    QString mensaje;
    try {
        const QString valor = Texto->text().trimmed();
        if (esCampo(Texto, "Periodo")) {
            mensaje = mensajeDePeriodo(valor, QDate::currentDate().year());
            m_mes.ponError(!mensaje.isEmpty());
            if (!HuboError() && !dejaPorOtroPeriodo(valor)) {
                m_mes.ponError(true);
                return;
            }
            if (!HuboError())
                validaPeriodo(valor);
        } else if (!esCampo(Texto, "Observaciones")) {
            // A figure the column cannot take keeps the operator in its box.
            if (!leeCantidad(valor)) {
                mensaje = mensajeCantidadInvalida(valor);
                m_mes.ponError(true);
            } else {
                Texto->setText(leeCantidad(valor)->toFixed(2));
                if (!m_grabando)
                    TotalizaP();
            }
        }
    } catch (...) {
        // The operator stays in the box he was told about.
        if (!m_grabando)
            m_mes.ponError(true);
        // During a save the save's own check names the field; on
        // confirming a box the operator is told here.
        if (!m_grabando) {
            const q42::Error e = q42::StepRunner::toError(std::current_exception());
            const QString campo = Texto->property(Formularios::DataField).toString();
            muestraAviso(mensaje.isEmpty()
                             ? e.description() + QStringLiteral("\r\n\r\nEn el campo: ") + campo
                             : mensaje,
                         Texto);
        } else {
            Texto->setFocus();
        }
        return;
    }
    if (HuboError() && !mensaje.isEmpty()) {
        muestraAviso(mensaje, Texto);
        Texto->selectAll();
    } else if (HuboError())
        Texto->setFocus();
}

bool FrmQ42::Datosvalidos() {
    m_mes.ponError(false);
    for (int i = 0; i < m_txtFields.size(); ++i) {
        CampoValida(i, m_txtFields[i]);
        if (HuboError())
            break;
    }
    return !HuboError();
}
