#include "Configuracion.h"

#include "db/DB_Dll.h"
#include "platform/StepRunner.h"
#include "platform/Utiles.h"

using q42::StepRunner;
using q42::Utiles;

QString gTablaConfiguracion;

QString Cfg(const QString& Clave, QString& ValorAux) {
    DB_Dll& db = DB_Dll::instance();
    ado::Recordset rs;
    QString sql;
    QString valor;
    const bool completo = StepRunner::run(
        {[&] {
             if (gTablaConfiguracion.trimmed().isEmpty())
                 gTablaConfiguracion = QStringLiteral("TA_CONFIGURACION");
         },
         [&] {
             sql = QStringLiteral("SELECT VALOR, valoraux FROM ") + gTablaConfiguracion +
                   QStringLiteral(" WHERE CLAVE = ") + DB_Dll::Comillas(Clave.trimmed());
         },
         [&] {
             db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1,
                               true);
         },
         [&] {
             if (rs.EOF_()) {
                 valor = QStringLiteral(" ");
                 ValorAux.clear();
             } else {
                 valor = Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("Valor")));
                 ValorAux = Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("ValorAux")));
             }
         },
         [&] { db.CierraRecordset(rs); }},
        // Only "ignore" goes on; any other answer (retry too) gives up.
        [](const q42::Error& e) {
            const int respuesta = Utiles::TrataError(e, std::nullopt, QStringLiteral("Cfg"));
            return respuesta == StepRunner::Next ? StepRunner::Next : 0;
        });
    if (!completo) {
        db.CierraRecordset(rs);
        return QString();
    }
    return valor;
}

QString Cfg(const QString& Clave) {
    QString ignorado;
    return Cfg(Clave, ignorado);
}

void CargaConfiguracion() {
    gTablaConfiguracion = QStringLiteral("ta_configuracion");
}
