#pragma once

// The Windows code page 1252, in which the program's files (error log,
// lookup masks) are written: Latin-1 but for 0x80-0x9F, where it keeps "€",
// "–", the curly quotes and a few letters.

#include <QByteArray>
#include <QString>

namespace q42 {

// Characters the code page lacks become "?".
QByteArray aCp1252(const QString& texto);
// The five unused bytes read as the control characters Windows gives them.
QString deCp1252(const QByteArray& bytes);

} // namespace q42
