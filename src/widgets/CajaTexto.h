#pragma once

// A bound entry box that filters what the operator types through
// Formularios::FiltraTecla: number boxes take digits, "-" and the decimal
// separator ("." and "," become the regional one), and the box's typing
// limit holds. Only typed characters are filtered: text the program sets,
// text pasted or dropped and input-method compositions reach the box
// unchanged, so that a wrong paste is caught by the save's conversion check
// instead of being cut silently.

#include <QLineEdit>

namespace q42 {

class CajaTexto : public QLineEdit {
    Q_OBJECT
public:
    explicit CajaTexto(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// For the container of a window's boxes: a closed box (browse mode) still
// shows a figure the operator reads, its text near the open one's instead
// of the style's faint grey.
QPalette paletaDeCajas(QPalette p);

} // namespace q42
