#pragma once

// The column-width file of the list dialog, "CONSULTASLEN.QVX" in the
// program's folder: one text line per lookup table with two quoted fields,
// the table and its widths in twips, each followed by "|":
//   "VT_CLIENTES","2880|1440|1215|"

#include <QList>
#include <QString>
#include <optional>

namespace q42::anchos {

// Path of the file in the program's folder, whatever the case of its name.
QString rutaArchivo();

// Widths of the table's last line (letter case ignored); no value when no
// line names it. Lines that are not two quoted fields are skipped; a width
// that is no number from 0 to the largest int ends that line's list.
std::optional<QList<double>> leeAnchos(const QString& ruta, const QString& tabla);

// Replaces the table's lines by one with the given widths, keeping the
// others in order. The new file is written as "CONSULTASLEN.AUX" beside it
// and then takes the old one's place, so a failure leaves the old file
// whole. Throws q42::Error(75) on failure.
void grabaAnchos(const QString& ruta, const QString& tabla, const QList<int>& anchosTwips);

} // namespace q42::anchos
