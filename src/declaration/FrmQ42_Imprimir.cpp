// Printing the declaration on screen through the report "Q42".

#include "FrmQ42.h"
#include "Impresion.h"
#include "platform/Formularios.h"
#include "platform/Reportes.h"
#include "startup/boot/Inicio.h"

#include <QLineEdit>

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
