// A declaration opens with the closing stock of the month before.

#include "Arrastre.h"
#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "Revision.h"
#include "db/DB_Dll.h"
#include "platform/StepRunner.h"
#include "platform/ado/Ado.h"
#include "platform/ui/MsgBox.h"
#include "startup/config/Configuracion.h"

#include <QLineEdit>

using namespace declaracion;

// Each step on its own: a failing one is skipped and nothing is reported.
void FrmQ42::PeriodoAnterior() {
    DB_Dll& db = DB_Dll::instance();
    ado::Recordset anterior;
    QString periodo;
    q42::StepRunner::runIgnoringFailures({
        [&] { periodo = periodoAnteriorDe(txtFields(kCajaPeriodo)->text()); },
        [&] {
            QString sentencia = QStringLiteral("Select TOP 1 * from DJ_Q42 where Periodo = ") +
                                DB_Dll::Comillas(periodo) +
                                QStringLiteral(" ORDER BY PERIODO DESC");
            db.AbrirRecordset(sentencia, anterior, db.gCnn, ado::adOpenForwardOnly,
                              ado::adLockReadOnly, -1, true);
        },
        [&] {
            SinAnterior = anterior.BOF();
            // A new month would open with empty stocks without a word.
            if (SinAnterior && EsNuevo && leeLimitesRevision().activa)
                q42::MsgBox(avisoSinMesAnterior(periodo), q42::vbInformation,
                            QStringLiteral("Revisión"));
        },
        [&] {
            if (SinAnterior)
                return;
            const Arrastre a =
                calculaArrastre([&](const QString& columna) { return anterior.value(columna); },
                                EsNuevo, [] { return Cfg(QStringLiteral("SAGPYA")); });
            for (const auto& [indice, texto] : a.cajas)
                txtFields(indice)->setText(texto);
            for (const auto& [control, texto] : a.ajustes)
                caja(control)->setText(texto);
        },
    });
}
