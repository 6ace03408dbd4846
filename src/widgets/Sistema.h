#pragma once

#include <QString>

class QWidget;

namespace q42 {

class Sistema {
public:
    // Host name of the workstation.
    static QString Equipo();
    // Login name of the user running the program.
    static QString Usuario();
    // The maker's standard look: fonts, palette and minimum size.
    static void DecoraFormulario(QWidget* formulario);
};

} // namespace q42
