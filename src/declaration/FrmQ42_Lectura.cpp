// Reading declaration rows into the form's record set. Each statement is a
// round trip on the mill's network: a period and the month before it come
// in one, and the list of every month only when the operator moves among
// them. The rows are always read afresh, never kept from an earlier read.

#include "Arrastre.h"
#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "ado/Ado.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"

#include <QLineEdit>

using namespace declaracion;

void FrmQ42::olvidaLista() {
    ado::Recordset& rs = RsDatos();
    DB_Dll::instance().CierraRecordset(rs);
    // Opened later with the types the list is opened with: a period read
    // into it is updated and deleted through it.
    rs.setCursorType(ado::adOpenDynamic);
    rs.setLockType(ado::adLockOptimistic);
    m_listaCargada = false;
}

bool FrmQ42::leePeriodo(const QString& valor) {
    ado::Recordset& rs = RsDatos();
    const QString periodo = valor.trimmed();
    const QString anterior = periodoAnteriorDe(txtFields(kCajaPeriodo)->text());
    m_anterior.clear();
    m_listaCargada = false;
    // The month as its existence check compares it, the previous one as the
    // carry-over does.
    const QString condicion = QStringLiteral("LTRIM(RTRIM(Periodo)) = ") +
                              DB_Dll::Comillas(periodo) + QStringLiteral(" OR Periodo = ") +
                              DB_Dll::Comillas(anterior);
    DB_Dll::instance().ExisteEnTablaST(TablaActiva, periodo, QStringLiteral("Periodo"), &rs,
                                       ado::adBSTR, condicion, false);
    if (rs.State() == ado::adStateClosed)
        return false;
    int fila = -1;
    for (int i = 0; !rs.EOF_(); rs.MoveNext(), ++i) {
        const QString leido =
            q42::Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("Periodo"))).trimmed();
        if (leido == periodo && fila < 0) {
            fila = i;
        } else if (leido == anterior.trimmed() && m_anterior.isEmpty()) {
            for (int c = 0; c < rs.FieldCount(); ++c)
                m_anterior.insert(rs.Fields(c).Name().toLower(), rs.Fields(c).Value());
        }
    }
    if (fila < 0)
        return false;
    rs.MoveFirst();
    for (int i = 0; i < fila; ++i)
        rs.MoveNext();
    return true;
}
