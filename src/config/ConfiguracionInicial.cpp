#include "ConfiguracionInicial.h"

#include "Configuracion.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"

#include <QHash>
#include <memory>

namespace {

struct Guardada {
    std::weak_ptr<ado::Connection> conexion;
    QHash<QString, ValorConfiguracion> valores; // by the trimmed, lower-cased key
};

Guardada& guardada() {
    static Guardada g;
    return g;
}

QString claveDe(const QString& clave) {
    return clave.trimmed().toLower();
}

} // namespace

void LeeConfiguracionInicial(const QStringList& claves) {
    DB_Dll& db = DB_Dll::instance();
    Guardada& g = guardada();
    g = Guardada();
    if (!db.gCnn || claves.isEmpty())
        return;
    QStringList literales;
    for (const QString& c : claves)
        literales << DB_Dll::Comillas(c.trimmed());
    const QString tabla = gTablaConfiguracion.trimmed().isEmpty()
                              ? QStringLiteral("TA_CONFIGURACION")
                              : gTablaConfiguracion;
    QString sql = QStringLiteral("SELECT CLAVE, VALOR, valoraux FROM ") + tabla +
                  QStringLiteral(" WHERE CLAVE IN (") + literales.join(QStringLiteral(", ")) +
                  QLatin1Char(')');
    QHash<QString, ValorConfiguracion> valores;
    try {
        sql = db.SS_TSinonimos(sql);
        if (db.esOracle())
            sql = db.ORACLE_Dicc(sql);
        const ado::ProgramScope programa;
        ado::Recordset rs;
        rs.Open(sql, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
        // The first row of a key, as a read of the key alone gives it.
        for (; !rs.EOF_(); rs.MoveNext()) {
            const QString clave =
                claveDe(q42::Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("Clave"))));
            if (!valores.contains(clave))
                valores.insert(
                    clave, {q42::Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("Valor"))),
                            q42::Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("ValorAux")))});
        }
        rs.Close();
    } catch (const std::exception&) {
        return;
    }
    // A key without a row reads as one blank.
    for (const QString& c : claves)
        if (!valores.contains(claveDe(c)))
            valores.insert(claveDe(c), {QStringLiteral(" "), QString()});
    g.conexion = db.gCnn;
    g.valores = std::move(valores);
}

std::optional<ValorConfiguracion> configuracionInicial(const QString& clave) {
    const Guardada& g = guardada();
    const auto cnn = g.conexion.lock();
    if (!cnn || cnn != DB_Dll::instance().gCnn)
        return std::nullopt;
    const auto it = g.valores.constFind(claveDe(clave));
    if (it == g.valores.constEnd())
        return std::nullopt;
    return *it;
}
