#pragma once

// Carry-over of a new month from the previous declaration: the opening
// stocks always, and for a new declaration its settings too.

#include "core/Currency.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <utility>
#include <vector>

namespace declaracion {

// "05/2006" gives "04/2006"; "01/2006" gives "12/2005".
QString periodoAnteriorDe(const QString& periodo);

// Wheat closing stock: (opening + receipts) - (milled + other outputs).
q42::Currency cierreTrigo(q42::Currency existencia, q42::Currency ingresos,
                          q42::Currency elaboracion, q42::Currency otros);

// A stored number as the text the screen formatting reads.
QString textoDeNumero(const QVariant& valor);

struct Arrastre {
    std::vector<std::pair<int, QString>> cajas;       // box index, two-decimal text
    std::vector<std::pair<QString, QString>> ajustes; // settings control, text
};

// Reads the previous row through `columna` (Null as an invalid or null
// QVariant). A value that cannot be carried (a Null stock) leaves its box
// out; `sagpyaConfigurado` gives the configured registration number used
// when the previous row has none.
using LectorColumna = std::function<QVariant(const QString& columna)>;
Arrastre calculaArrastre(const LectorColumna& columna, bool esNuevo,
                         const std::function<QString()>& sagpyaConfigurado);

} // namespace declaracion
