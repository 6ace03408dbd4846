#pragma once

#include <QString>
#include <functional>

namespace q42 {

// The application folder: where the settings file, the lookup masks, the
// column widths and the error log live. The folder named by the environment
// variable Q42_CARPETA when set; else the folder of the program file when
// the program may write there (a portable copy); else, for an installed
// program, the user's own folder (carpetaDelUsuario), created when missing.
QString carpetaAplicacion();

// Finds a file in a folder whatever the letter case of its name; returns the
// path to use (the existing file, or folder + name when there is none).
QString archivoEnCarpeta(const QString& folder, const QString& name);

// The user's folder of an installed program: the user's data folder plus
// "q42" (~/.local/share/q42, beside the demo database). Empty when the user
// has no data folder. Nothing is created.
QString carpetaDelUsuario();

// true when the program may keep its files in `carpeta`: the process may
// write there and it is not a system folder (/usr and the like), which even
// root must leave alone.
bool carpetaAdmiteEscritura(const QString& carpeta);
bool esCarpetaDelSistema(const QString& carpeta);

// The choice of carpetaAplicacion with its inputs given: `forzada` wins;
// then `programa` when `admiteEscritura` says so; then `delUsuario`; with no
// user folder, `programa` all the same.
QString eligeCarpetaAplicacion(const QString& forzada, const QString& programa,
                               const QString& delUsuario,
                               const std::function<bool(const QString&)>& admiteEscritura);

// Creates the user's folder when missing and copies the installed sample
// settings file `ejemplo` into it when it holds none. false when the folder
// cannot be made.
bool preparaCarpetaDelUsuario(const QString& carpeta, const QString& ejemplo);

} // namespace q42
