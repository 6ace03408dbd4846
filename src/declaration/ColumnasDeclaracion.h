#pragma once

// Where each column of a declaration row lives on the form: the 41 bound
// boxes (txtFields), the nine settings boxes of the "Formulas" tab and the
// value labels. Every loop of the form reads these tables.

#include "core/Currency.h"

#include <QString>
#include <array>
#include <optional>

namespace declaracion {

constexpr int kCajas = 41;
constexpr int kCajaPeriodo = 0;
constexpr int kCajaObservaciones = 40;

struct Producto {
    const char* codigo;         // as in the column names: SP<codigo>_Volumen, F<codigo>
    const char* tituloGrilla;   // caption of the grid column
    const char* tituloFormulas; // caption beside its code list
    const char* cajaCodigos;    // settings box with the article codes
};

inline constexpr std::array<Producto, 5> kProductos = {{
    {"000", "000", "000", "Txt000"},
    {"0000", "0000", "0000", "Txt0000"},
    {"Semo", "SEMOLIN", "SEMOLIN", "TxtSemolin"},
    {"Pellet", "Pellet/Otro", "Pellet/Otros", "TxtPellet"},
    {"Basura", "BASURA", "BASURA", "TxtBasura"},
}};

// Rows of the product grid that are boxes, with the index of the box of
// the first product (the other products follow it).
enum class Fila { Existencia, Volumen, Extraccion, Otros, Consumo, Exportacion, Otras };
struct FilaCajas {
    Fila fila;
    const char* sufijo; // column suffix: SP<p>_<sufijo>
    const char* titulo; // caption of the grid row
    int primeraCaja;
};
inline constexpr std::array<FilaCajas, 7> kFilasCajas = {{
    {Fila::Existencia, "Existencia", "Existencia Inicial", 5},
    {Fila::Volumen, "Volumen", "Volumen", 10},
    {Fila::Extraccion, "Extraccion", "Extracción", 15},
    {Fila::Otros, "Otros", "Otros", 20},
    {Fila::Consumo, "Consumo", "Consumo Interno", 25},
    {Fila::Exportacion, "Exportacion", "Exportación", 30},
    {Fila::Otras, "Otras", "Otras", 35},
}};

// Index of the box of one product's row.
constexpr int caja(Fila fila, int producto) {
    return kFilasCajas[static_cast<int>(fila)].primeraCaja + producto;
}

// Column bound to box `indice` (0..40).
QString columnaDeCaja(int indice);
// Box bound to a column (letter case ignored), -1 when none.
int cajaDeColumna(const QString& columna);

// Wheat boxes.
constexpr int kCajaPExistencia = 1;
constexpr int kCajaPIngresos = 2;
constexpr int kCajaPElaboracion = 3;
constexpr int kCajaPOtros = 4;

// The nine settings boxes, in the order they are loaded and saved.
struct CajaAjuste {
    const char* control;
    const char* columna;
    const char* inicial; // content when the form opens
    const char* titulo;  // caption beside the box
};
inline constexpr std::array<CajaAjuste, 9> kAjustes = {{
    {"Txt000", "Cod000", "'1'", "000"},
    {"Txt0000", "Cod0000", "'2'", "0000"},
    {"TxtSemolin", "CodSemo", "'9'", "SEMOLIN"},
    {"TxtPellet", "CodPellet", "'5','6','7','8','12'", "Pellet/Otros"},
    {"TxtBasura", "CodBasura", "", "BASURA"},
    {"TxtResponsalble", "Responsable", "Lic.", "Firma Responsable:"},
    {"TxtSAGPyA", "SAGPyA", "", "Registro SAGPyA..."},
    {"TxtEquiv", "UdMedida", "TON", "Código para toneladas..........."},
    {"TxtCosecha", "Cosecha", "02/03", "Cosecha................"},
}};

// Value labels.
inline constexpr const char* kLblTotIngresos = "LblTotIngresos";
inline constexpr const char* kLblTotEgresos = "lBLTotEgresos";
inline constexpr const char* kLblFinal = "LblFinal";
QString etiquetaTotalIngresos(int producto); // LblST<p>
QString etiquetaSubtotal(int producto);      // LblT<p>
QString etiquetaTotalSalidas(int producto);  // LblTS<p>
QString etiquetaFinal(int producto);         // LblF<p>
QString columnaFinal(int producto);          // F<p>
QString columnaConsumo(int producto);        // SP<p>_Consumo

// Extraction defaults of a new declaration (box, text); BASURA has none.
struct DefectoExtraccion {
    int caja;
    const char* valor;
};
inline constexpr std::array<DefectoExtraccion, 4> kDefectosExtraccion = {
    {{15, "64"}, {16, "7"}, {17, "3"}, {18, "26"}}};

// A period is accepted only as a two-digit month 01-12, "/", and a
// four-digit year.
bool periodoValido(const QString& periodo);
// "MM/YYYY" as year * 12 + month, for ordering by date; -1 if malformed.
int ordenDePeriodo(const QString& periodo);
inline const QString kMensajePeriodoInvalido =
    QStringLiteral("Periodo invalido: ingrese mes y año como MM/AAAA");
constexpr int kPrimerAnio = 1990;
inline const QString kMensajePeriodoVacio = QStringLiteral(" Debe informar el Periodo!");
inline const QString kMensajeSinDeclaracion =
    QStringLiteral("No hay una declaración en pantalla. Confirme el período con Enter.");
// What is wrong with a period typed for a declaration, or empty: the form
// MM/AAAA, a month from 01 to 12, a year from 1990 to the one after
// `anioActual`.
QString mensajeDePeriodo(const QString& periodo, int anioActual);
QString mensajeOtroPeriodo(const QString& escrito, const QString& enPantalla);
QString mensajeCambiosSinGrabar(const QString& periodo);

// A quantity box holds a number its column and the fixed-point arithmetic
// of the totals can both take: empty optional for anything else (a stray
// sign, two separators, a figure past the range). Blank text is zero.
std::optional<q42::Currency> leeCantidad(const QString& texto);
QString mensajeCantidadInvalida(const QString& texto);

} // namespace declaracion
