#pragma once

// Small conversions shared by the declaration form and the access log. None
// handles its own failures: they reach the caller.

#include <QString>

// A number written as text, rounded half to even to `Decimales` places and
// written with exactly that many decimals, the regional decimal separator,
// no thousands separator and a leading minus ("1234,5" gives "1234,50").
// A text that is no number throws q42::Error(13); blank text is 0.
QString FmtMoneda(const QString& Valor, int Decimales);

// False for "FALSE", "FALSO", "0", "NO" and "N" in any letter case; true
// for any other text, the empty text included.
bool EsVerdadero(const QString& Texto);

// Date and time patterns in the notation of q42::Regional::format.
QString FormatoFecha();
QString FormatoHora();
