#pragma once

// A bound entry box that filters what the operator types: number boxes
// follow the regional rule for figures (core/Cifras.h), other boxes their
// typing limit (Formularios::FiltraTecla). A key that cannot go in is
// refused aloud: a beep and teclaRechazada with the reason, never dropped
// unseen. A paste into a number box is held to the same rule; text the
// program sets reaches the box unchanged and is checked on confirming.

#include <QLineEdit>

namespace q42 {

class CajaTexto : public QLineEdit {
    Q_OBJECT
public:
    explicit CajaTexto(QWidget* parent = nullptr);

Q_SIGNALS:
    void teclaRechazada(const QString& motivo);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool tecleaNumero(QKeyEvent* event);
    void rechaza(const QString& motivo);
};

// For the container of a window's boxes: a closed box (browse mode) still
// shows a figure the operator reads, its text near the open one's instead
// of the style's faint grey.
QPalette paletaDeCajas(QPalette p);

} // namespace q42
