#pragma once

// "¿De dónde sale?": the documents behind a figure filled from the books,
// sortable by any column, their total (the box's figure) beneath, and an
// export to CSV.

#include "Libros.h"

#include <QDialog>
#include <memory>

class QLabel;

namespace q42 {
class ModeloPlanilla;
}

namespace declaracion {

// Fecha, Tipo, Número, Artículo, Cantidad, Unidad, Toneladas.
std::unique_ptr<q42::ModeloPlanilla> modeloOrigen(const std::vector<LineaOrigen>& lineas);
// "Total: 1.234,00 t en 14 comprobantes".
QString totalOrigen(const std::vector<LineaOrigen>& lineas);

class DlgOrigen : public QDialog {
    Q_OBJECT
public:
    DlgOrigen(const QString& columna, const std::vector<LineaOrigen>& lineas,
              QWidget* parent = nullptr);
    const q42::ModeloPlanilla& modelo() const { return *m_modelo; }

private:
    q42::ModeloPlanilla* m_modelo;
};

// Runs the dialog through the program's dialog seam.
void muestraOrigen(const QString& columna, const std::vector<LineaOrigen>& lineas, QWidget* parent);

} // namespace declaracion
