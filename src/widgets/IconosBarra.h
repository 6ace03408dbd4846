#pragma once

// The bars' pictures, drawn as lines and shapes at whatever size and screen
// scale they are shown: nothing to read or decode when the window opens
// (the style's pictures cost a third of the window's construction), and
// each one says its command (a printer for printing, a grid for the
// spreadsheet).

#include <QIcon>

namespace q42 {

enum class IconoBarra {
    Nuevo,
    Borrar,
    Imprimir,
    Consultar,
    Planilla,
    Cancelar,
    Grabar,
    Cerrar,
    Primero,
    Anterior,
    Siguiente,
    Ultimo,
    Filtrar,
};

QIcon iconoBarra(IconoBarra icono);

} // namespace q42
