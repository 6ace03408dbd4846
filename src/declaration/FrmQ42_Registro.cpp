// A declaration row onto the screen and back: the only place, apart from
// the carry-over, where a row is read or written column by column.

#include "Arrastre.h"
#include "AvisosGrabacion.h"
#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "ado/Ado.h"
#include "core/Conversiones.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"
#include "db/Grabacion.h"
#include "widgets/Formularios.h"
#include "widgets/UtilesUi.h"

#include <QLabel>
#include <QLineEdit>

using namespace declaracion;
using q42::StepRunner;
using q42::Utiles;
using q42::UtilesUi;

namespace {

QString campoDe(const QLineEdit* c) {
    return c->property(q42::Formularios::DataField).toString();
}

bool esTexto(const QString& campo) {
    return campo.compare(QLatin1String("Periodo"), Qt::CaseInsensitive) == 0 ||
           campo.compare(QLatin1String("Observaciones"), Qt::CaseInsensitive) == 0;
}

void descartaPendiente(ado::Recordset& rs) {
    try {
        if (rs.State() == ado::adStateOpen && rs.EditMode() != ado::adEditNone)
            rs.CancelUpdate();
    } catch (const std::exception&) {
        // Nothing pending on a record set that cannot tell.
    }
}

bool esNulo(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

} // namespace

// Each assignment on its own: a value that cannot be shown leaves only its
// box behind. A null shows as an empty box rather than the previous row's.
void FrmQ42::CargaRegistro() {
    ado::Recordset& rs = RsDatos();
    std::vector<StepRunner::Step> pasos;
    pasos.push_back([this] {
        // A row read is no new month, whatever the new-declaration command set.
        m_mes.ponEstado(EstadoMes::Guardado);
    });
    for (QLineEdit* c : std::as_const(m_txtFields))
        pasos.push_back([&rs, c] {
            const QString campo = campoDe(c);
            const QVariant v = rs.value(campo);
            if (esTexto(campo))
                c->setText(Utiles::ValorNoNuloTexto(v).trimmed());
            else
                c->setText(esNulo(v) ? QString() : FmtMoneda(textoDeNumero(v), 2));
        });
    for (int i = 0; i < int(kAjustes.size()); ++i)
        pasos.push_back([this, &rs, i] {
            m_ajustes[i]->setText(
                Utiles::ValorNoNuloTexto(rs.value(QLatin1String(kAjustes[i].columna))).trimmed());
        });
    pasos.push_back([this] { TotalizaP(); });
    pasos.push_back([this] {
        m_mes.abre(txtFields(kCajaPeriodo)->text(), EstadoMes::Guardado);
        muestraEstadoDelMes();
    });
    StepRunner::runIgnoringFailures(pasos);
}

// A declaration is written only under a period the carry-over and the
// printout can read, and only under the month on screen: the print command
// saves without the field checks.
bool FrmQ42::periodoParaGrabar() {
    return periodoEnPantalla();
}

// After a save that keeps the declaration on screen (the print command),
// the record set is the stored row again: printing twice, or saving after
// printing, updates that row instead of failing on a closed record set or
// adding the month a second time.
void FrmQ42::releePeriodo() {
    const QString periodo = txtFields(kCajaPeriodo)->text().trimmed();
    m_listaCargada = false;
    if (DB_Dll::instance().ExisteEnTabla(TablaActiva, periodo, QStringLiteral("Periodo"),
                                         &RsDatos(), ado::adBSTR, QString(), false)) {
        m_mes.ponEstado(EstadoMes::Guardado);
        m_mes.ponPeriodo(periodo);
    }
}

void FrmQ42::GrabaRegistro() {
    enum class Accion { Nada, Escribe, Borra };
    if ((EsNuevo() || EsExistente()) && !periodoParaGrabar())
        return;
    ado::Recordset& rs = RsDatos();
    Accion accion = Accion::Nada;
    QString campo;            // column of the box last handled
    bool almacenando = false; // the row is being stored
    bool almacenado = false;  // the row reached the table

    std::vector<StepRunner::Step> pasos;
    pasos.push_back([this] { TotalizaP(); });
    pasos.push_back([&] {
        if (EsNuevo()) {
            rs.AddNew();
            accion = Accion::Escribe;
        } else if (EsExistente()) {
            accion = Accion::Escribe;
        } else if (EsBaja()) {
            accion = Accion::Borra;
        }
    });
    pasos.push_back([&] {
        if (accion == Accion::Borra)
            rs.Delete();
    });
    pasos.push_back([&] {
        if (accion == Accion::Borra)
            Inicializa();
    });
    for (QLineEdit* c : std::as_const(m_txtFields))
        pasos.push_back([&, c] {
            if (accion != Accion::Escribe)
                return;
            campo = campoDe(c);
            AsignaCampo(rs, campo, c->text());
        });
    for (int p = 0; p < int(kProductos.size()); ++p)
        pasos.push_back([&, p] {
            if (accion != Accion::Escribe)
                return;
            const q42::Currency final = Utiles::TextoANumero(etiqueta(etiquetaFinal(p))->text());
            rs.Fields(columnaFinal(p)).setValue(final.toSqlText());
        });
    for (int i = 0; i < int(kAjustes.size()); ++i)
        pasos.push_back([&, i] {
            if (accion != Accion::Escribe)
                return;
            rs.Fields(QLatin1String(kAjustes[i].columna)).setValue(m_ajustes[i]->text().trimmed());
        });
    pasos.push_back([&] {
        if (accion != Accion::Escribe)
            return;
        almacenando = true;
        rs.Update();
        almacenando = false;
        almacenado = true;
        rs.Close();
    });

    const bool terminado = StepRunner::run(pasos, [&](const q42::Error& e) {
        UtilesUi::Espera(false);
        m_mes.ponError(true);
        const int respuesta = avisoGrabacion(e, campo, m_mes.periodo(), accion == Accion::Borra);
        // Retry stores the same row again (the database may take it now);
        // any other answer drops it.
        if (almacenando) {
            almacenando = false;
            if (respuesta != q42::vbRetry)
                descartaPendiente(rs);
        }
        return respuesta;
    });
    // An abandoned save leaves nothing pending that a later move could store.
    if (!terminado)
        descartaPendiente(rs);
    // A store that went through on Retry still counts as a failed save (the
    // form stays in edit mode), but the row is there now: the next save
    // updates it instead of adding the month a second time.
    if (almacenado && HuboError())
        releePeriodo();
}
