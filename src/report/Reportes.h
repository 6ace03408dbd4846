#pragma once

// The report component: prints a row of a table through a report definition
// (see ReporteDefinicion.h for the file format), on screen in a print
// preview from which the operator prints or saves a PDF, or straight into a
// PDF file without any window.
//
// Definitions are looked up, whatever the letter case of the file name, as
// "<Nombre>.json" in
//   1. <folder given to CarpetaReportes>/reports/
//   2. <folder given to CarpetaReportes>/
//   3. <folder of the program file>/reports/   (the build copies it there)
//   4. <folder of the program file>/../share/q42/reports/   (installed)

#include "ado/Ado.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

namespace q42 {

// One record of a selection: the field is a report field "{Tabla.Campo}",
// the type an ADO type code (numbers are compared as numbers, everything
// else as text); `ultimo` is carried for compatibility and not used.
struct CondicionReporte {
    QString desde;
    QString hasta;
    QString campo;
    qint16 tipo = 0;
    qint32 ultimo = 0;
};

// One part of a print made of several: the rows its selection names, each
// page with the part's own formula texts ("Nombre = 'valor'").
struct ParteReporte {
    QString seleccion;
    QStringList formulas;
};

class Reportes {
public:
    enum class Resultado { Mostrado, SinFilas, SinDefinicion };

    static void CarpetaReportes(const QString& carpeta);
    static QString carpetaReportes();
    // Path of the definition, or empty when there is none; `buscados`
    // receives the folders looked in.
    static QString archivoDefinicion(const QString& nombre, QStringList* buscados = nullptr);

    // "{T.C} >= 'desde' AND {T.C} <= 'hasta'" for each record that names a
    // field and a value; apostrophes in values are doubled.
    static QString FormulaSeleccion(const QVector<CondicionReporte>& condiciones);

    // Formula texts for the slots from `primero` on; the five formulas of
    // the print call are slots 0 to 4. They hold for the next print only.
    static void FormulasExtra(const QStringList& formulas, int primero);

    // true: the preview opens fitted to the page width. Calling AjusteB
    // switches it off.
    static void AjusteA(bool ajustarAlAncho);
    // Zoom of the preview in percent (the page at 100 % is its real size);
    // 0 or less: the whole page in the window. Calling AjusteA(true) wins
    // over it until AjusteB is called again.
    static void AjusteB(double zoomPorCiento);
    static bool ajusteA();
    static double ajusteB();

    // The connection the reports and the spreadsheet windows read through;
    // the program registers its own at start.
    static void setConexion(std::shared_ptr<ado::Connection> conexion);
    static std::shared_ptr<ado::Connection> conexion();

    // Shows the rows that `seleccion` names, one page each, in a print
    // preview. `arreglo`: further formula texts, overridden by the formula
    // slots; `t1`: the document title (default: the report's name); `t2`:
    // the printer to start with (default: the system's). `conexionTexto` is
    // kept for compatibility: the registered connection is used.
    // A missing definition or no row is told to the operator in a message
    // box and returned; a faulty definition, selection or statement throws
    // q42::Error.
    static Resultado Imprime(const QString& nombre, const QStringList& arreglo,
                             const QString& seleccion, const QString& conexionTexto,
                             const QString& f1, const QString& f2, const QString& f3,
                             const QString& f4, const QString& f5, const QString& t1,
                             const QString& t2, const QString& t3);

    // The same pages written into a PDF file, without any window. false,
    // with the reason in `error`, when the definition is missing, the
    // selection finds no row or the file cannot be written; throws like
    // Imprime otherwise.
    static bool ImprimePdf(const QString& nombre, const QStringList& arreglo,
                           const QString& seleccion, const QString& conexionTexto,
                           const QString& f1, const QString& f2, const QString& f3,
                           const QString& f4, const QString& f5, const QString& t1,
                           const QString& t2, const QString& t3, const QString& archivoPdf,
                           QString* error);

    // The parts one after the other in one preview (or one PDF file), in the
    // order given; a part whose selection finds no row adds no page. The
    // formula slots of FormulasExtra are not used (and dropped). No row in
    // any part is told as for Imprime, with the first part's selection.
    static Resultado ImprimePartes(const QString& nombre, const QVector<ParteReporte>& partes,
                                   const QString& titulo);
    static bool ImprimePartesPdf(const QString& nombre, const QVector<ParteReporte>& partes,
                                 const QString& titulo, const QString& archivoPdf, QString* error);

    // "Nombre = 'valor'": the name before "=", trimmed; the value between
    // the first apostrophe after "=" and the last one of the text, so
    // apostrophes inside it stay as typed (no apostrophe: the rest,
    // trimmed). false for a blank text; throws q42::Error when the text
    // names no formula.
    static bool LeeFormula(const QString& texto, QString* nombre, QString* valor);
};

} // namespace q42
