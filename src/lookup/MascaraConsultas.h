#pragma once

// The lookup mask file: fixed-length records of 1202 bytes, no header.
// Each field is single-byte text (Latin-1, the Windows code page of the
// program's users), left-aligned and padded with blanks:
//   caption 100 | lookup name 100 | column list 500 | filter 500 | CR LF

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace q42::mascaras {

constexpr int LargoTitulo = 100;
constexpr int LargoNombre = 100;
constexpr int LargoColumnas = 500;
constexpr int LargoFiltro = 500;
constexpr int LargoRegistro = LargoTitulo + LargoNombre + LargoColumnas + LargoFiltro + 2;

struct RegistroMascara {
    QString titulo;   // caption of the entry
    QString nombre;   // table or view name the callers pass
    QString columnas; // "|COL1|COL2|"
    QString filtro;   // condition without WHERE, empty for none
    bool operator==(const RegistroMascara&) const = default;
};

// One record, exactly LargoRegistro bytes. Fields are written as given
// (too long ones are cut); characters outside Latin-1 become "?".
QByteArray escribeRegistro(const RegistroMascara& registro);

// Reads one record: each field without its padding (trailing blanks, NUL
// and code-255 filler removed). No value when the bytes are not one
// record: wrong length, no CR LF at the end, or control characters.
std::optional<RegistroMascara> leeRegistro(const QByteArray& bytes);

// Every readable record of the file in order; records that are not text
// and a short tail are skipped. A missing file gives no record.
QList<RegistroMascara> leeArchivo(const QString& ruta);

// Appends the records at record number (file length / LargoRegistro) + 1,
// creating the file when it is missing. Throws q42::Error(75) when the
// file cannot be written.
void agregaRegistros(const QString& ruta, const QList<RegistroMascara>& registros);

} // namespace q42::mascaras
