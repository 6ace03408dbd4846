// The Oracle script runner's cutting, on a destination that records what it
// is asked to run instead of reaching a server.

#include "FuzzComun.h"
#include "db/DB_Dll.h"

namespace {

class Grabador : public DestinoScript {
public:
    ado::Errors errores;
    int transacciones = 0;

    void beginTrans() override { ++transacciones; }
    void commitTrans() override { --transacciones; }
    void rollbackTrans() override { --transacciones; }
    void execute(const QString& sentencia, long* afectados) override {
        // What Oracle cannot run never reaches the connection.
        fuzz::verifica(!sentencia.trimmed().isEmpty(), "ejecuta una pieza vacia", sentencia);
        fuzz::verifica(!sentencia.contains(QLatin1String("SET NOCOUNT"), Qt::CaseInsensitive) &&
                           !sentencia.contains(QLatin1String("IF NOT EXIST"), Qt::CaseInsensitive),
                       "ejecuta una pieza filtrada", sentencia);
        *afectados = 1;
    }
    ado::Errors& errors() override { return errores; }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::regionalArgentina();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static DB_Dll* db = [] {
        auto* d = new DB_Dll; // lives for the whole run
        d->gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=X;");
        return d;
    }();
    QString script = fuzz::texto(data, size);
    Grabador destino;
    long afectados = 0;
    try {
        db->EjecutaScriptOracle(script, afectados, &destino);
    } catch (const q42::Error&) {
        return 0; // a piece the translation rejects ends the script
    }
    fuzz::verifica(afectados >= 0, "cuenta de filas negativa", fuzz::texto(data, size));
    return 0;
}
