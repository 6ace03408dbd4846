// Lifecycle of the window: loading, the reset to an empty declaration, the
// switch between browse and edit mode, the record set and the close.

#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "ado/Ado.h"
#include "boot/CicloVentana.h"
#include "config/Configuracion.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "report/Reportes.h"
#include "widgets/Colocacion.h"
#include "widgets/Formularios.h"
#include "widgets/NavBar.h"
#include "widgets/PanelBar.h"
#include "widgets/UtilesUi.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

using namespace declaracion;
using q42::Formularios;
using q42::StepRunner;
using q42::Utiles;
using q42::UtilesUi;

namespace {

// Command bar switches the mode drives, and whether each is on in edit mode
// (browse mode is the reverse).
struct Interruptor {
    const char* clave;
    bool enEdicion;
};
constexpr Interruptor kInterruptores[] = {
    {"NUEVO", false}, {"CERRAR", false}, {"GRABAR", true}, {"CANCELAR", true}, {"BORRAR", true},
};

} // namespace

// The program start (IniciaSistema) has run before the window is built.
void FrmQ42::Form_Load() {
    DB_Dll& db = DB_Dll::instance();
    StepRunner::run({
                        [&] {
                            Lib_ClsCons3::instance().gConnString = db.gConnString;
                            // Reports and the spreadsheet read through the program's connection.
                            q42::Reportes::setConexion(db.gCnn);
                        },
                        [&] {
                            db.VerCampoDB(QStringLiteral("DJ_Q42"), QStringLiteral("Cosecha"), true,
                                          QStringLiteral("nvarchar(50)"), true);
                        },
                        [&] { UtilesUi::PreparaFormulario(this, 0); },
                        [&] { q42::colocaVentana(this, objectName()); },
                        [&] { ConfiguraFormulario(this); },
                        [&] { UtilesUi::Espera(false); },
                        [&] { leeEtiquetasConsulta(); },
                        [&] { Inicializa(); },
                        [&] { NavBar1->setVisible(true); },
                        [&] {
                            QLineEdit* periodo = txtFields(kCajaPeriodo);
                            periodo->setFocus();
                            periodo->setSelection(0, int(periodo->text().trimmed().size()));
                        },
                    },
                    [](const q42::Error& e) {
                        return q42::TrataError(e, std::nullopt, QStringLiteral("Form_Load"));
                    });
}

void FrmQ42::Inicializa() {
    m_mes.cierra();
    TablaActiva = QStringLiteral("DJ_Q42");
    olvidaLista();
    Formularios::LimpiaFormulario(this);
    Formularios::PreparaCampos(m_txtFields, TablaActiva, DB_Dll::instance().gCnn.get());
    InicializaDetalle();
    DetalleOn(false);
    TotalizaP();
    m_mes.cierra();
    muestraEstadoDelMes();
    SSTab1->setCurrentIndex(0);
}

void FrmQ42::InicializaDetalle() {
    // Mode 1 keeps the period: the operator has just typed it.
    Formularios::LimpiaFormulario(this, 1);
    for (const DefectoExtraccion& d : kDefectosExtraccion) {
        QLineEdit* c = txtFields(d.caja);
        if (Utiles::TextoANumero(c->text()).isZero())
            c->setText(QLatin1String(d.valor));
    }
    caja(QStringLiteral("TxtSAGPyA"))->setText(Cfg(QStringLiteral("SAGPYA")));
}

void FrmQ42::DetalleOn(bool Off) {
    // A focused box about to be closed lets the focus go, instead of Qt
    // passing it along every box as each is closed in turn.
    if (QWidget* foco = focusWidget();
        !Off && foco && foco != txtFields(kCajaPeriodo) && m_txtFields.contains(foco))
        foco->clearFocus();
    m_edicion = Off;
    StbPosicion->clear();
    for (QLineEdit* c : std::as_const(m_txtFields))
        c->setEnabled(Off);
    if (!Off)
        txtFields(kCajaPeriodo)->setEnabled(true);
    // Nothing picked on the "Formulas" tab in browse mode could be saved.
    for (QLineEdit* c : std::as_const(m_ajustes))
        c->setEnabled(Off);
    for (QToolButton* b : std::as_const(m_botonesArticulos))
        b->setEnabled(Off);
    CmdLibros->setEnabled(Off);
    NavBar1->setNavenabled(!Off);
    NavBar1->setVisible(!Off);
    for (const Interruptor& i : kInterruptores)
        PanelBar1->setHabilitado(QLatin1String(i.clave), i.enEdicion == Off);
}

void FrmQ42::AbrirRecordset(const QString& Tabla) {
    DB_Dll& db = DB_Dll::instance();
    // Months in date order, not in the order of their text ("12/2024" before
    // "01/2025"); Oracle reads SUBSTRING as SUBSTR, SQLite as substr.
    QString sentencia = QStringLiteral("SELECT * FROM ") + Tabla +
                        QStringLiteral(" ORDER BY SUBSTRING(Periodo,4,4), SUBSTRING(Periodo,1,2)");
    db.AbrirRecordset(sentencia, RsDatos(), db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1,
                      true);
    m_listaCargada = RsDatos().State() != ado::adStateClosed;
}

void FrmQ42::Form_Unload(int /*Cancel*/) {
    if (m_descargado)
        return;
    m_descargado = true;
    StepRunner::runIgnoringFailures({
        [] { UtilesUi::Espera(false); },
        [&] { m_rsDatos.reset(); },
        [] { FinalizaSistema(); },
        [&] {
            if (isVisible())
                q42::guardaVentana(this, objectName());
        },
        [&] { hide(); },
        [&] { Q_EMIT terminado(); },
    });
}

void FrmQ42::closeEvent(QCloseEvent* evento) {
    if (!m_descargado && !dejaDeclaracion()) {
        evento->ignore();
        return;
    }
    Form_Unload(0);
    evento->accept();
}

void FrmQ42::protegido(const QString& rutina, const std::function<void()>& accion) {
    try {
        accion();
    } catch (...) {
        q42::TrataError(StepRunner::toError(std::current_exception()),
                        q42::vbOKOnly + q42::vbCritical, rutina);
    }
}
