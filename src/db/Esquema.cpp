// Schema verification: the program runs on a business database it does not
// create, so at start it checks for the columns it needs and adds them.

#include "DB_Dll.h"

#include "core/StepRunner.h"

#include <functional>

using q42::StepRunner;

namespace {

// A step that relies on an earlier one whose failure was ignored meets no
// catalogue, and fails the way the original platform did.
ado::Recordset& catalogo(const std::unique_ptr<ado::Recordset>& rs) {
    if (!rs)
        throw q42::Error(q42::err::ObjectRequired, QStringLiteral("Se requiere un objeto"),
                         QStringLiteral("DB_Dll"));
    return *rs;
}

// Walks a catalogue looking for a name in one of its columns; trimmed on
// both sides and letter case ignored, as the server compares names.
bool buscaEnCatalogo(DB_Dll& db, const std::function<std::unique_ptr<ado::Recordset>()>& abre,
                     const QString& columna, const QString& nombre) {
    std::unique_ptr<ado::Recordset> rs;
    bool encontrado = false;
    bool vacio = false;
    const QString buscado = nombre.trimmed();
    StepRunner::run({[&] {
                         const ado::ProgramScope programa;
                         rs = abre();
                     },
                     [&] { vacio = catalogo(rs).EOF_() && catalogo(rs).BOF(); },
                     [&] {
                         if (vacio)
                             return;
                         ado::Recordset& r = catalogo(rs);
                         for (; !r.EOF_(); r.MoveNext()) {
                             const QString nombreFila = r.value(columna).toString().trimmed();
                             if (nombreFila.compare(buscado, Qt::CaseInsensitive) == 0) {
                                 encontrado = true;
                                 return;
                             }
                         }
                     }},
                    [&db](const q42::Error& e) {
                        return db.TratamientoErrores(e, std::nullopt,
                                                     QStringLiteral("VerificaCampos"));
                    });
    return encontrado;
}

} // namespace

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar,
                        const QString& Tipo, bool PermiteNulos,
                        const std::optional<QString>& ValorDefault) {
    if (!ExisteTablaDB(Tabla))
        return true;
    if (!ExisteCampoDB(Tabla, Campo) && Agregar)
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}

bool DB_Dll::ExisteTablaDB(const QString& Tabla) {
    return buscaEnCatalogo(
        *this, [this] { return gCnn->OpenSchema(ado::adSchemaTables); },
        QStringLiteral("TABLE_NAME"), Tabla);
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo) {
    // Oracle's catalogue is not asked: every column counts as present there,
    // however Oracle was chosen (login dialog or a "#" server).
    if (esOracle() || gProveedor.contains(QStringLiteral("ORACLE"), Qt::CaseInsensitive))
        return true;
    return buscaEnCatalogo(
        *this,
        [&] {
            return gCnn->OpenSchema(ado::adSchemaColumns, {gDBName, QVariant(), Tabla, QVariant()});
        },
        QStringLiteral("COLUMN_NAME"), Campo);
}

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo,
                      bool PermiteNulos, const std::optional<QString>& ValorDefault) {
    QString sql;
    StepRunner::run({[&] {
                         const QString nulos =
                             PermiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null ");
                         const QString defecto =
                             ValorDefault ? QStringLiteral(" CONSTRAINT DF_") + Tabla.trimmed() +
                                                QLatin1Char('_') + Campo.trimmed() +
                                                QStringLiteral(" DEFAULT (") + *ValorDefault +
                                                QLatin1Char(')')
                                          : QString();
                         sql = QStringLiteral("ALTER TABLE dbo.") + Tabla +
                               QStringLiteral(" ADD ") + Campo + QLatin1Char(' ') + Tipo + nulos +
                               defecto;
                     },
                     [&] { EjecutaConsultaSQL(sql); }},
                    [this](const q42::Error& e) {
                        return TratamientoErrores(e, std::nullopt, QStringLiteral("errAddField"));
                    });
}
