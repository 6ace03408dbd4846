#pragma once

#include <QString>

namespace q42 {

// Reads the program's INI-style settings files: "[section]" lines and
// "key=value" lines; sections and keys match whatever their letter case;
// ";" and "#" start comment lines. A missing, unreadable or malformed file
// gives the default; a malformed line is skipped.
class ArchivoIni {
public:
    // fileName is a bare name looked up in the application folder, or a path.
    static QString LeeIni(const QString& fileName, const QString& section, const QString& key,
                          const QString& defaultValue);
    // The file's whole text (empty when missing or unreadable), for reading
    // many keys with leeDeTexto after one trip to the disk.
    static QString leeTexto(const QString& fileName);
    // Same reading over a text already in memory.
    static QString leeDeTexto(const QString& text, const QString& section, const QString& key,
                              const QString& defaultValue);
    static QString rutaDe(const QString& fileName);
};

} // namespace q42
