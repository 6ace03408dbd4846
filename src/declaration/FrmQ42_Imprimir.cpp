// Printing through the report "Q42": the declaration on screen, or the
// stored months between two periods.

#include "DlgRango.h"
#include "FrmQ42.h"
#include "Impresion.h"
#include "boot/Inicio.h"
#include "core/MsgBox.h"
#include "report/Reportes.h"
#include "widgets/Formularios.h"

#include <QLineEdit>
#include <algorithm>

using namespace declaracion;
using q42::Reportes;

// No handler of its own: a failure of the report component reaches the
// command that asked for the print.
void FrmQ42::Imprimir() {
    const QString periodo =
        txtFields(q42::Formularios::IndiceCampo(QStringLiteral("Periodo"), cajas()))->text();
    const ImpresionQ42 t = preparaQ42(TablaActiva, periodo, leeEmpresa(),
                                      caja(QStringLiteral("TxtResponsalble"))->text(),
                                      caja(QStringLiteral("TxtSAGPyA"))->text());
    Reportes::FormulasExtra(t.extras, 5);
    const QStringList arreglo{QString()};
    Reportes::AjusteA(true);
    Reportes::Imprime(kReporteQ42, arreglo, t.seleccion, gConnStringDsn, t.formulas[0],
                      t.formulas[1], t.formulas[2], t.formulas[3], t.formulas[4], QString(),
                      QString(), QString());
    Reportes::AjusteB(50);
}

void FrmQ42::ImprimirRango() {
    std::vector<MesImpreso> meses;
    if (!leeDeclaraciones(&meses))
        return;
    if (meses.empty()) {
        q42::MsgBox(QStringLiteral("No hay declaraciones grabadas."), q42::vbInformation,
                    kTituloRango);
        return;
    }
    // The last twelve stored months, whatever gaps lie between them.
    QString desde = meses[meses.size() - std::min<size_t>(12, meses.size())].periodo;
    QString hasta = meses.back().periodo;
    // Read again after the dialog: another operator may have saved a month.
    if (!pideRango(&desde, &hasta, this) || !leeDeclaraciones(&meses, desde, hasta))
        return;
    if (meses.empty()) {
        q42::MsgBox(sinDeclaraciones(desde, hasta), q42::vbInformation, kTituloRango);
        return;
    }
    Reportes::AjusteA(true);
    Reportes::ImprimePartes(kReporteQ42, partesQ42(meses, leeEmpresa()), tituloQ42(desde, hasta));
    Reportes::AjusteB(50);
}
