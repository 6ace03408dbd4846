#pragma once

#include <QString>

namespace q42 {

// The application folder: where the settings file, the lookup masks, the
// column widths and the error log live. The folder of the program file, or
// the folder named by the environment variable Q42_CARPETA when set.
QString carpetaAplicacion();

// Finds a file in a folder whatever the letter case of its name; returns the
// path to use (the existing file, or folder + name when there is none).
QString archivoEnCarpeta(const QString& folder, const QString& name);

} // namespace q42
