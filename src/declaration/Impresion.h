#pragma once

// Printing a declaration through the report definition "Q42": the record
// selection on the period and the formula texts the layout shows besides
// the row (company, signer, registration, the month sentence). The window
// (FrmQ42_Imprimir.cpp) and the batch PDF of the command line build them
// here alike.

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace declaracion {

struct Hallazgo;

inline const QString kReporteQ42 = QStringLiteral("Q42");

// The company as the configuration holds it.
struct Empresa {
    QString nombre;
    QString calle;
    QString numero;
    QString localidad;
    QString provincia;
    QString cuit;
};
// Read with Cfg: a missing key gives a single blank.
Empresa leeEmpresa();

// What the print call receives besides the report name.
struct ImpresionQ42 {
    QString seleccion;
    // The five formula slots: company name, address, locality, an empty
    // slot and the province.
    std::array<QString, 5> formulas;
    // Slots 5 to 8: tax number, signer, registration and the month sentence.
    QStringList extras;
};

// " Correspondiente al mes de <month name> del año <year>"; the month is
// the number in the period's first two characters, the year the four
// characters after the slash.
QString fraseMes(const QString& periodo);

// Values go into the formulas as they are: an apostrophe inside a value is
// not doubled (the report takes the text between the first and the last).
ImpresionQ42 preparaQ42(const QString& tabla, const QString& periodo, const Empresa& empresa,
                        const QString& responsable, const QString& sagpya);

// The saved declaration of `periodo` written as a PDF file through the
// program's connection, without any window; signer and registration come
// from the row. false, with the reason in `error`, for a malformed period,
// a period without a declaration, a missing report definition or a file
// that cannot be written. `hallazgos`, when given, receives the checks on
// the stored figures.
bool imprimeQ42Pdf(const QString& periodo, const QString& archivo, QString* error,
                   std::vector<Hallazgo>* hallazgos = nullptr);

// The command line's batch PDF: starts with `parametros` with nobody to
// answer (messages go to stderr and take their cancelling answer, dialogs
// are cancelled), writes the PDF and tells what failed on stderr. The
// process's exit code: 0 when the file was written.
int pdfEnLote(const QString& parametros, const QString& periodo, const QString& archivo);

} // namespace declaracion
