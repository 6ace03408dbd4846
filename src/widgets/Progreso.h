#pragma once

#include <QString>

namespace q42 {

// A small modeless progress window with a message, shown while a long
// operation runs on the program's one thread.
class Progreso {
public:
    static void Abre(const QString& mensaje);
    static void Mensaje(const QString& mensaje);
    static void Cierra();
    static bool abierto();
    static QString mensajeActual();
};

} // namespace q42
