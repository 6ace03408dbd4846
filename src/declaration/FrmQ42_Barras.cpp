// The command bar, the navigation bar and the keys that reach them.

#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "PlanillaQ42.h"
#include "ado/Ado.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "db/DB_Dll.h"
#include "widgets/PanelBar.h"

#include <QLabel>
#include <QLineEdit>

using namespace declaracion;

void FrmQ42::seleccionaPeriodo() {
    QLineEdit* periodo = txtFields(kCajaPeriodo);
    periodo->setFocus();
    periodo->setSelection(0, int(periodo->text().size()));
}

void FrmQ42::PanelBar1_ButtonClick(const QString& Key) {
    using Comando = void (*)(FrmQ42&);
    struct Entrada {
        const char* clave;
        Comando accion;
    };
    static const Entrada kComandos[] = {
        {"NUEVO",
         [](FrmQ42& f) {
             if (!f.dejaDeclaracion())
                 return;
             f.Inicializa();
             f.m_mes.ponEstado(EstadoMes::Nuevo);
             f.seleccionaPeriodo();
         }},
        {"BORRAR",
         [](FrmQ42& f) {
             // A month never saved has no row to delete: its entries are dropped.
             if (f.EsNuevo()) {
                 f.cancelaDeclaracion();
                 return;
             }
             f.m_mes.ponError(false);
             if (!f.periodoEnPantalla())
                 return;
             if (q42::MsgBox(QStringLiteral("Confirma la baja de este registro?"),
                             q42::vbYesNo + q42::vbExclamation + q42::vbDefaultButton2,
                             QStringLiteral("Atención!")) != q42::vbYes)
                 return;
             f.m_mes.marcaBaja();
             // A failure left over from an earlier check is not this one's.
             f.m_mes.ponError(false);
             const QString periodo = f.m_mes.periodo();
             f.GrabaRegistro();
             if (!f.HuboError()) {
                 f.Inicializa();
                 f.seleccionaPeriodo();
                 f.StbEstado->setText(QStringLiteral("Declaración %1 borrada.").arg(periodo));
             }
         }},
        {"GRABAR", [](FrmQ42& f) { f.grabaDeclaracion(); }},
        {"PLANILLA", [](FrmQ42& f) { declaracion::MuestraPlanillaQ42(f.TablaActiva); }},
        {"CONSULTAR", [](FrmQ42& f) { f.ConsultaCampo(); }},
        {"REPORTE",
         [](FrmQ42& f) {
             f.m_mes.ponError(false);
             // Nothing on screen nor typed: the months to print are asked for.
             if (!f.m_edicion && f.m_mes.periodo().isEmpty() &&
                 f.txtFields(kCajaPeriodo)->text().trimmed().isEmpty()) {
                 f.ImprimirRango();
                 return;
             }
             f.TotalizaP();
             if (!f.periodoEnPantalla() || (f.m_edicion && !f.cifrasValidas()) ||
                 !f.revisaAntesDe(QStringLiteral("Imprimir igual")))
                 return;
             // Browse mode prints the stored row as it is; edit mode saves
             // the entries (without the field checks) before printing them.
             if (f.m_edicion) {
                 f.GrabaRegistro();
                 if (f.HuboError())
                     return;
                 f.releePeriodo();
                 // Stored as it stands: the screen is the row now.
                 f.m_mes.abre(f.m_mes.periodo(), EstadoMes::Guardado);
                 f.muestraEstadoDelMes();
             }
             f.Imprimir();
         }},
        {"CERRAR",
         [](FrmQ42& f) {
             if (f.dejaDeclaracion())
                 f.Form_Unload(0);
         }},
        {"CANCELAR", [](FrmQ42& f) { f.cancelaDeclaracion(); }},
    };
    const QString clave = Key.toUpper();
    for (const Entrada& e : kComandos)
        if (clave.compare(QLatin1String(e.clave), Qt::CaseInsensitive) == 0) {
            e.accion(*this);
            return;
        }
}

// Every statement on its own: a move past either end is skipped silently
// and the screen keeps the row it shows.
void FrmQ42::NavBar1_ButtonClick(const QString& Key) {
    using Movimiento = void (*)(ado::Recordset&);
    struct Entrada {
        const char* clave;
        Movimiento mueve;
    };
    static const Entrada kMovimientos[] = {
        {"PRIMERO", [](ado::Recordset& rs) { rs.MoveFirst(); }},
        {"ANTERIOR", [](ado::Recordset& rs) { rs.MovePrevious(); }},
        {"SIGUIENTE", [](ado::Recordset& rs) { rs.MoveNext(); }},
        {"ULTIMO", [](ado::Recordset& rs) { rs.MoveLast(); }},
        {"FILTRAR", [](ado::Recordset&) {}},
    };
    if (!dejaDeclaracion())
        return;
    if (!m_listaCargada)
        AbrirRecordset(TablaActiva);
    ado::Recordset& rs = RsDatos();
    QString clave;
    q42::StepRunner::runIgnoringFailures({
        [&] { clave = Key.toUpper(); },
        [&] {
            for (const Entrada& e : kMovimientos)
                if (clave == QLatin1String(e.clave))
                    e.mueve(rs);
        },
        [&] {
            if (!rs.BOF() && !rs.EOF_()) {
                CargaRegistro();
                muestraPosicion();
                // Another month is on screen: the news was the last one's,
                // and typing goes over its period.
                StbEstado->clear();
                seleccionaPeriodo();
            }
        },
    });
}

// Browse mode only: the label is cleared by every switch of mode.
void FrmQ42::muestraPosicion() {
    ado::Recordset& rs = RsDatos();
    const long posicion = rs.AbsolutePosition();
    const long total = rs.RecordCount();
    StbPosicion->setText(
        posicion > 0 && total > 0
            ? QStringLiteral("%1 — %2 de %3").arg(m_mes.periodo()).arg(posicion).arg(total)
            : m_mes.periodo());
}

// PgUp/PgDn in browse mode: the stored month before or after the one shown,
// staying on it at either end; from an empty screen, the latest (PgUp) or
// the earliest (PgDn).
bool FrmQ42::teclaDeMes(int KeyCode) {
    struct Tecla {
        int codigo;
        const char* paso;
        void (ado::Recordset::*vuelve)(); // back onto the end row, past it
        const char* sinMes;
    };
    static const Tecla kTeclas[] = {
        {Qt::Key_PageUp, "ANTERIOR", &ado::Recordset::MoveFirst, "ULTIMO"},
        {Qt::Key_PageDown, "SIGUIENTE", &ado::Recordset::MoveLast, "PRIMERO"},
    };
    if (m_edicion)
        return false;
    for (const Tecla& t : kTeclas) {
        if (t.codigo != KeyCode)
            continue;
        if (m_mes.periodo().isEmpty()) {
            NavBar1_ButtonClick(QLatin1String(t.sinMes));
            return true;
        }
        NavBar1_ButtonClick(QLatin1String(t.paso));
        ado::Recordset& rs = RsDatos();
        q42::StepRunner::runIgnoringFailures({[&] {
            if (rs.BOF() || rs.EOF_())
                (rs.*t.vuelve)();
        }});
        return true;
    }
    return false;
}

bool FrmQ42::Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift) {
    if (!(Shift & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) &&
        teclaDeMes(KeyCode))
        return true;
    return PanelBar1->KeyDown(KeyCode, Shift);
}
