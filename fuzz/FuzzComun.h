#pragma once

// Shared by the fuzz targets: the input as text, the regional settings the
// program is used with, and a check that stops the run with a message when a
// property of the code under test does not hold.

#include "core/Regional.h"

#include <QLocale>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Invalid UTF-8 becomes replacement characters: the code under test only
// ever sees QString.
inline QString texto(const std::uint8_t* data, std::size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Spanish (Argentina), as in the tests: "," decimal separator, day first.
inline void regionalArgentina() {
    q42::Regional::setLocale(QLocale(QLocale::Spanish, QLocale::Argentina));
}

inline void verifica(bool condicion, const char* que, const QString& detalle = QString()) {
    if (condicion)
        return;
    std::fprintf(stderr, "fuzz: %s\n  %s\n", que, qPrintable(detalle));
    std::abort();
}

} // namespace fuzz
