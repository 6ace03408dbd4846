#pragma once

// How the operator writes a figure under the regional settings: one rule for
// typing, pasting and the check on confirming, so that the figure stored is
// the one the box showed. With Spanish settings "," is the decimal
// separator and "." marks thousands ("1.542,81"); a lone "." with no
// decimal separator reads as a decimal point, as a numeric keypad types it.

#include "Currency.h"

#include <QString>
#include <optional>

namespace q42 {

// Whole digits a figure may have: the declaration's columns keep two
// decimals, and the totals add a few dozen figures in fixed point.
constexpr int kCifrasEnteras = 12;

// The figure a complete text stands for; blank is 0. Empty optional for
// anything else: letters, a sign not in front, two decimal separators,
// thousands marks out of place, more whole digits than kCifrasEnteras.
std::optional<Currency> leeCifra(const QString& texto);

// True when the text is a figure or can still become one by typing on
// ("", "-", "1.54", "12,"). No limit on digits: that is told on confirming.
bool esPrincipioDeCifra(const QString& texto);

// A key typed into a number box whose selection is [desde, desde + largo)
// (largo 0: the caret at desde). "." and "," write the regional decimal
// separator; typed when the figure already has one, that earlier one
// becomes a thousands mark if it can be one ("1,542" then "," gives
// "1.542,"). Empty optional: the key cannot go in.
struct CifraTecleada {
    QString texto;
    int cursor = 0;
};
std::optional<CifraTecleada> tecleaCifra(const QString& texto, int desde, int largo, QChar tecla);

// Why a number box refused a key.
inline const QString kMotivoTeclaRechazada =
    QStringLiteral("Solo dígitos, un separador decimal y el signo menos al principio");

// Two decimals and thousands marks, for messages ("1.671,08"); the boxes
// keep the plain form.
QString cifraConMiles(Currency valor, int decimales = 2);

} // namespace q42
