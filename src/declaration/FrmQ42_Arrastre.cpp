// A declaration opens with the closing stock of the month before.

#include "Arrastre.h"
#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "Revision.h"
#include "ado/Ado.h"
#include "config/Configuracion.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "db/DB_Dll.h"

#include <QLineEdit>

using namespace declaracion;

// Each step on its own: a failing one is skipped and nothing is reported.
void FrmQ42::PeriodoAnterior() {
    QString periodo;
    q42::StepRunner::runIgnoringFailures({
        [&] { periodo = periodoAnteriorDe(txtFields(kCajaPeriodo)->text()); },
        [&] {
            // Read with the period itself (leePeriodo).
            m_sinAnterior = m_anterior.isEmpty();
            // A new month would open with empty stocks without a word.
            if (m_sinAnterior && EsNuevo() && leeLimitesRevision().activa)
                q42::MsgBox(avisoSinMesAnterior(periodo), q42::vbInformation,
                            QStringLiteral("Revisión"));
        },
        [&] {
            if (m_sinAnterior)
                return;
            const Arrastre a = calculaArrastre(
                [&](const QString& columna) {
                    const auto it = m_anterior.constFind(columna.toLower());
                    if (it == m_anterior.constEnd())
                        throw q42::Error(q42::err::ItemNotFound,
                                         QStringLiteral("Item cannot be found in the collection "
                                                        "corresponding to the requested name or "
                                                        "ordinal."));
                    return *it;
                },
                EsNuevo(), [] { return Cfg(QStringLiteral("SAGPYA")); });
            m_mes.ponArrastre(periodo, a.cajas);
            for (const auto& [indice, texto] : a.cajas)
                txtFields(indice)->setText(texto);
            for (const auto& [control, texto] : a.ajustes)
                caja(control)->setText(texto);
        },
    });
}
