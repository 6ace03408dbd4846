#pragma once

// Printing a declaration through the report definition "Q42": the record
// selection on the period and the formula texts the layout shows besides
// the row (company, signer, registration, the month sentence). The window
// (FrmQ42_Imprimir.cpp) and the batch PDF of the command line build them
// here alike.

#include "Revision.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>
#include <vector>

namespace q42 {
struct ParteReporte;
}

namespace declaracion {

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

// A stored declaration as a printout of several months takes it: signer
// and registration from its row, and the checks on its stored figures.
struct MesImpreso {
    QString periodo;
    QString responsable;
    QString sagpya;
    std::vector<Hallazgo> hallazgos;
};

// Why the months from `desde` to `hasta` cannot be asked for (a malformed
// period, Desde after Hasta); empty when they can.
QString problemaDeRango(const QString& desde, const QString& hasta);
// "No hay declaración para el período X", or for several months "No hay
// declaraciones entre X y Y".
QString sinDeclaraciones(const QString& desde, const QString& hasta);

// The stored declarations in date order through the program's connection,
// only those from `desde` to `hasta` (both included) when both are given;
// rows with a malformed period are left out. false when the table cannot
// be read (the connection's handler has told why).
bool leeDeclaraciones(std::vector<MesImpreso>* meses, const QString& desde = QString(),
                      const QString& hasta = QString());

// One report part per month, in the order given, each page with its own
// month sentence, signer and registration.
QVector<q42::ParteReporte> partesQ42(const std::vector<MesImpreso>& meses, const Empresa& empresa);
// The preview's title and the PDF's default name: "Q42 01-2025 a 06-2025".
QString tituloQ42(const QString& desde, const QString& hasta);

// The saved declarations from `desde` to `hasta` written, one page each in
// date order, as one PDF file through the program's connection, without
// any window. false, with the reason in `error`, for a malformed period or
// range, no declaration in the range, a missing report definition or a
// file that cannot be written. `meses`, when given, receives the months
// printed with the checks on their stored figures.
bool imprimeQ42Pdf(const QString& desde, const QString& hasta, const QString& archivo,
                   QString* error, std::vector<MesImpreso>* meses = nullptr);

// The command line's batch PDF: starts with `parametros` with nobody to
// answer (messages go to stderr and take their cancelling answer, dialogs
// are cancelled), writes the PDF and tells what failed, and the findings
// of each month, on stderr. The process's exit code: 0 when the file was
// written.
int pdfEnLote(const QString& parametros, const QString& desde, const QString& hasta,
              const QString& archivo);
// A command-line run with nobody to answer, as pdfEnLote's: starts with
// `parametros`, runs `trabajo` and returns its exit code; 1 when there is
// no connection or something thrown (told on stderr).
int enLote(const QString& parametros, const std::function<int()>& trabajo);

} // namespace declaracion
