#include "Corpus.h"

#include "DB_Dll.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace corpus {

namespace {

struct Estado {
    bool instalado = false;
    QString ruta;
    QString operacion;
    QSet<QString> vistos; // sent outside any operation: once is enough
};

Estado& estado() {
    static Estado e;
    return e;
}

// Collects what the script runner would execute on Oracle.
class Recolector : public DestinoScript {
public:
    QJsonArray piezas;
    void beginTrans() override {}
    void commitTrans() override {}
    void rollbackTrans() override {}
    void execute(const QString& sentencia, long*) override { piezas.append(sentencia); }
    ado::Errors& errors() override { return m_errores; }

private:
    ado::Errors m_errores;
};

bool esConsulta(const QString& sql) {
    const QString t = sql.trimmed();
    return t.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive) ||
           t.startsWith(QLatin1String("WITH"), Qt::CaseInsensitive);
}

// Queries go through ORACLE_Dicc, changes through the script runner; the
// record sets' own statements are sent as built.
QJsonObject formaOracle(const QString& sql, ado::Connection::Request tipo) {
    static DB_Dll traductor;
    traductor.gMotor = ado::Engine::Oracle;
    QJsonObject o;
    try {
        if (tipo == ado::Connection::Request::Parameterised) {
            o[QStringLiteral("oracle")] = QJsonArray{sql};
        } else if (esConsulta(sql)) {
            o[QStringLiteral("oracle")] = QJsonArray{traductor.ORACLE_Dicc(sql)};
        } else {
            Recolector r;
            QString script = sql;
            long afectados = 0;
            traductor.EjecutaScriptOracle(script, afectados, &r);
            o[QStringLiteral("oracle")] = r.piezas;
        }
    } catch (const q42::Error& e) {
        o[QStringLiteral("oracleError")] = e.description();
    }
    return o;
}

void anota(const QString& texto, ado::Connection::Request tipo) {
    Estado& e = estado();
    const bool catalogo = tipo == ado::Connection::Request::Catalogue;
    const QString clave = QString::number(int(tipo)) + texto;
    if (e.operacion.isEmpty() && (catalogo || e.vistos.contains(clave)))
        return;
    if (e.operacion.isEmpty())
        e.vistos.insert(clave);
    QJsonObject o = catalogo ? QJsonObject() : formaOracle(texto, tipo);
    o[QStringLiteral("op")] = e.operacion;
    o[catalogo ? QStringLiteral("catalogue") : QStringLiteral("tsql")] = texto;
    QFile archivo(e.ruta);
    if (archivo.open(QIODevice::WriteOnly | QIODevice::Append))
        archivo.write(QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n');
}

} // namespace

void instala() {
    Estado& e = estado();
    if (e.instalado)
        return;
    e.instalado = true;
    e.ruta = qEnvironmentVariable("Q42_CORPUS");
    if (!e.ruta.isEmpty())
        ado::Connection::setRequestHook(anota);
}

void operacion(const QString& nombre) {
    estado().operacion = nombre;
}

} // namespace corpus
