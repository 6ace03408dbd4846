#include "Configuracion.h"

#include "ConfiguracionInicial.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"

#include <memory>

using q42::StepRunner;
using q42::Utiles;

QString gTablaConfiguracion;

namespace {

// The connection on which the configuration table was found missing: the
// operator is told once, later reads give the defaults without a word.
std::weak_ptr<ado::Connection>& conexionSinTabla() {
    static std::weak_ptr<ado::Connection> conexion;
    return conexion;
}

bool faltaTabla(const ado::Connection& cnn) {
    const ado::Errors& e = cnn.errors();
    return !e.isEmpty() &&
           (e.Item(0).SQLState == QLatin1String("42S02") || e.Item(0).Number == q42::err::NoTable);
}

// What a key without a row gives.
QString porDefecto(QString& ValorAux) {
    ValorAux.clear();
    return QStringLiteral(" ");
}

} // namespace

QString Cfg(const QString& Clave, QString& ValorAux) {
    DB_Dll& db = DB_Dll::instance();
    if (db.gCnn && conexionSinTabla().lock() == db.gCnn)
        return porDefecto(ValorAux);
    if (const auto inicial = configuracionInicial(Clave)) {
        ValorAux = inicial->aux;
        return inicial->valor;
    }
    ado::Recordset rs;
    QString sql;
    QString valor;
    bool sinTabla = false;
    const bool completo = StepRunner::run(
        {[&] {
             if (gTablaConfiguracion.trimmed().isEmpty())
                 gTablaConfiguracion = QStringLiteral("TA_CONFIGURACION");
         },
         [&] {
             sql = QStringLiteral("SELECT VALOR, valoraux FROM ") + gTablaConfiguracion +
                   QStringLiteral(" WHERE CLAVE = ") + DB_Dll::Comillas(Clave.trimmed());
         },
         // As AbrirRecordset opens it, but a missing table is told apart.
         [&] {
             QString texto = db.SS_TSinonimos(sql);
             if (db.esOracle())
                 texto = db.ORACLE_Dicc(texto);
             const ado::ProgramScope programa;
             try {
                 rs.Open(texto, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
             } catch (const q42::Error&) {
                 if (!faltaTabla(*db.gCnn))
                     throw;
                 sinTabla = true;
             }
         },
         [&] {
             if (sinTabla || rs.EOF_()) {
                 valor = porDefecto(ValorAux);
             } else {
                 valor = Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("Valor")));
                 ValorAux = Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("ValorAux")));
             }
         },
         [&] { db.CierraRecordset(rs); }},
        // Only "ignore" goes on; any other answer (retry too) gives up.
        [](const q42::Error& e) {
            const int respuesta = q42::TrataError(e, std::nullopt, QStringLiteral("Cfg"));
            return respuesta == q42::vbIgnore ? q42::vbIgnore : 0;
        });
    if (sinTabla) {
        conexionSinTabla() = db.gCnn;
        db.TratamientoErrores(q42::Error(q42::err::NoTable,
                                         QStringLiteral("No existe la tabla de configuración ") +
                                             gTablaConfiguracion.trimmed().toUpper() +
                                             QStringLiteral(": se usan los valores por omisión."),
                                         QStringLiteral("Cfg")),
                              q42::vbOKOnly + q42::vbExclamation, QStringLiteral("Cfg"));
    }
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
