// Oracle takes one statement per call and has no batch syntax: a SQL Server
// script is normalised, cut at statement keywords and run piece by piece.

#include "DB_Dll.h"

#include "core/Utiles.h"

#include <array>
#include <utility>

namespace {

using q42::Utiles;
constexpr auto CI = Qt::CaseInsensitive;
constexpr qsizetype kNoEsta = 1999999;
constexpr qint32 kAvisoOracle = 265929;

// Applied in this order: batch syntax out, transaction statements reduced
// to the three words the runner acts on.
constexpr std::array<std::pair<const char*, const char*>, 12> kNormaliza{{
    {"SET NOCOUNT ON", ""},
    {"SET NOCOUNT OFF", ""},
    {" GO ", " "},
    {"\r\nGO ", " "},
    {"\r\nGO\r\n", " "},
    {"\r", " "},
    {"BEGIN TRANSACTION", "SET TRANSACTION"},
    {"BEGIN TRANS", "SET TRANSACTION"},
    {"COMMIT TRANSACTION", "COMMIT"},
    {"COMMIT TRANS", "COMMIT"},
    {"ROLLBACK TRANSACTION", "ROLLBACK"},
    {"ROLLBACK TRANS", "ROLLBACK"},
}};

constexpr std::array<const char*, 12> kClaves{
    "INSERT ",         "DELETE ", "UPDATE ",  "CREATE ",      "DROP ",    "ALTER ",
    "SET TRANSACTION", "COMMIT",  "ROLLBACK", "IF NOT EXIST", "IF EXIST", "GRANT ",
};

// Smallest position of any keyword at or after `desde`; kNoEsta if none.
qsizetype proximaClave(const QString& script, qsizetype desde) {
    qsizetype menor = kNoEsta;
    for (const char* clave : kClaves) {
        const qsizetype p = script.indexOf(QLatin1String(clave), desde, CI);
        if (p >= 0 && p < menor)
            menor = p;
    }
    return menor;
}

class DestinoConexion : public DestinoScript {
public:
    explicit DestinoConexion(std::shared_ptr<ado::Connection> cnn) : m_cnn(std::move(cnn)) {
        if (!m_cnn)
            throw q42::Error(q42::err::ObjectRequired, QStringLiteral("Se requiere un objeto"),
                             QStringLiteral("DB_Dll.EjecutaScriptOracle"));
    }
    void beginTrans() override { m_cnn->BeginTrans(); }
    void commitTrans() override { m_cnn->CommitTrans(); }
    void rollbackTrans() override { m_cnn->RollbackTrans(); }
    void execute(const QString& sentencia, long* recordsAffected) override {
        m_cnn->Execute(sentencia, recordsAffected, -1);
    }
    ado::Errors& errors() override { return m_cnn->errors(); }

private:
    std::shared_ptr<ado::Connection> m_cnn;
};

} // namespace

QString DB_Dll::FiltraSentenciaOracle(QString& Sentencia) {
    if (Sentencia.contains(QLatin1String("SET NOCOUNT"), CI) ||
        Sentencia.contains(QLatin1String("IF NOT EXIST"), CI))
        Sentencia.clear();
    return Sentencia;
}

void DB_Dll::EjecutaScriptOracle(QString& SentenciaSQL, long& RecordsAffected,
                                 DestinoScript* destino) {
    std::unique_ptr<DestinoConexion> porDefecto;
    if (!destino) {
        porDefecto = std::make_unique<DestinoConexion>(gCnn);
        destino = porDefecto.get();
    }

    for (const auto& [busca, pone] : kNormaliza)
        SentenciaSQL = Utiles::SustituyeTexto(SentenciaSQL, QString::fromLatin1(busca),
                                              QString::fromLatin1(pone));

    // A piece runs from one keyword to just before the next; what stands
    // before the first keyword is never run. A failing piece ends the
    // script; the transactions it began are rolled back, which also gives
    // the connection its autocommit back, and the failure goes on up with
    // the driver's errors as they were.
    int abiertas = 0;
    try {
        for (qsizetype inicio = proximaClave(SentenciaSQL, 0); inicio != kNoEsta;
             inicio = proximaClave(SentenciaSQL, 0)) {
            const qsizetype siguiente = proximaClave(SentenciaSQL, inicio + 1);
            const QString pieza =
                (siguiente == kNoEsta ? SentenciaSQL.mid(inicio)
                                      : SentenciaSQL.mid(inicio, siguiente - inicio))
                    .trimmed();
            if (pieza.compare(QLatin1String("SET TRANSACTION"), CI) == 0) {
                destino->beginTrans();
                ++abiertas;
            } else if (pieza.compare(QLatin1String("COMMIT"), CI) == 0) {
                destino->commitTrans();
                abiertas = qMax(0, abiertas - 1);
            } else if (pieza.compare(QLatin1String("ROLLBACK"), CI) == 0) {
                destino->rollbackTrans();
                abiertas = qMax(0, abiertas - 1);
            } else {
                QString sentencia = ORACLE_Dicc(pieza);
                if (!FiltraSentenciaOracle(sentencia).trimmed().isEmpty()) {
                    long afectados = 0;
                    destino->execute(sentencia, &afectados);
                    // Statements that report no count (-1) add nothing.
                    if (afectados > 0)
                        RecordsAffected += afectados;
                }
            }
            SentenciaSQL = siguiente == kNoEsta ? QString() : SentenciaSQL.mid(siguiente);
        }
    } catch (...) {
        const ado::Errors errores = destino->errors();
        for (; abiertas > 0; --abiertas) {
            try {
                destino->rollbackTrans();
            } catch (...) {
                break;
            }
        }
        destino->errors() = errores;
        throw;
    }

    // A lone entry with this number is a notice of the Oracle provider, not a
    // failure of the script.
    ado::Errors& errores = destino->errors();
    if (errores.Count() == 1 && errores.Item(0).Number == kAvisoOracle)
        errores.Clear();
}
