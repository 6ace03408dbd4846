// "&Calcular": the consumption boxes of the five products from the month's
// sales (Consumo.h computes, this file reads and writes the window).

#include "ColumnasDeclaracion.h"
#include "Consumo.h"
#include "FrmQ42.h"
#include "Libros.h"
#include "ado/Ado.h"
#include "core/Conversiones.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "db/DB_Dll.h"
#include "widgets/Formularios.h"
#include "widgets/Progreso.h"

#include <QLineEdit>

using namespace declaracion;
using q42::Currency;
using q42::Formularios;
using q42::Progreso;
using q42::StepRunner;

namespace {

// One product: its box is written only when its sales were read in full.
// A malformed code list is told to the operator and the box keeps its value.
void calculaProducto(FrmQ42& f, int producto, const QString& desde, const QString& hasta,
                     const QString& unidad) {
    const QString texto = f.caja(QLatin1String(kProductos[producto].cajaCodigos))->text().trimmed();
    const std::optional<QString> codigos = listaCodigos(texto);
    if (!codigos) {
        q42::MsgBox(mensajeListaInvalida(producto), q42::vbOKOnly + q42::vbInformation,
                    QStringLiteral("Aviso al operador..."));
        return;
    }
    Currency consumo;
    if (!codigos->isEmpty()) {
        Progreso::Mensaje(texto);
        DB_Dll& db = DB_Dll::instance();
        // The exports are declared apart: their documents are no domestic sale.
        const std::optional<QString> exportacion = listaCodigos(leeAjustesLibros().cpteExportacion);
        QString sql = sentenciaConsumo(db.FechaSQL(desde), db.FinDiaSQL(hasta), unidad, *codigos,
                                       exportacion.value_or(QString()));
        ado::Recordset rs;
        db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
        // The operator gave up the statement in the database's own dialog.
        if (rs.State() == ado::adStateClosed)
            throw q42::Error(q42::err::NotAllowedClosed,
                             QStringLiteral("No se leyeron las ventas del producto %1")
                                 .arg(QLatin1String(kProductos[producto].tituloFormulas)),
                             QStringLiteral("CmdCalcular_Click"));
        consumo = sumaConsumo(rs);
    }
    const int indice = Formularios::IndiceCampo(columnaConsumo(producto), f.cajas());
    f.txtFields(indice)->setText(FmtMoneda(consumo.toText(), 2));
}

} // namespace

void FrmQ42::CmdCalcular_Click() {
    const QString unidad = caja(QStringLiteral("TxtEquiv"))->text().trimmed();
    if (unidad.isEmpty()) {
        q42::MsgBox(kMensajeSinUnidad, q42::vbOKOnly);
        return;
    }
    QLineEdit* cajaPeriodo =
        txtFields(Formularios::IndiceCampo(QStringLiteral("Periodo"), cajas()));
    const QString periodo = cajaPeriodo->text();
    // The declaration being edited takes the sales of its own month only.
    if (m_edicion && !periodoEnPantalla())
        return;
    // A typing slip: the operator is asked for the month, nothing is read.
    if (!periodoValido(periodo)) {
        muestraAviso(periodo.trimmed().isEmpty() ? kMensajePeriodoVacio : kMensajePeriodoInvalido,
                     cajaPeriodo);
        return;
    }
    QString desde, hasta;
    std::vector<StepRunner::Step> pasos = {
        [&] { desde = primerDia(periodo); },
        [&] { hasta = ultimoDia(periodo); },
        [] { Progreso::Abre(kProgresoLeyendo); },
    };
    for (int p = 0; p < int(kProductos.size()); ++p)
        pasos.push_back([&, p] { calculaProducto(*this, p, desde, hasta, unidad); });
    pasos.push_back([] { Progreso::Cierra(); });
    // Retry repeats the failed step, ignore goes on with the next product;
    // the boxes already written keep their new values.
    StepRunner::run(pasos, [](const q42::Error& e) {
        Progreso::Cierra();
        return q42::TrataError(e);
    });
    // Whatever consumption reached the boxes, the totals and final stocks
    // on screen follow it.
    TotalizaP();
}
