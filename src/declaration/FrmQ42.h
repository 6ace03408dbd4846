#pragma once

// The declaration window: the program's only business form. Its command
// bar, navigation bar and the two tabs ("Datos", "Formulas").

#include <QWidget>

class QTabWidget;

namespace q42 {
class NavBar;
class PanelBar;
} // namespace q42

class FrmQ42 : public QWidget {
    Q_OBJECT
public:
    explicit FrmQ42(QWidget* parent = nullptr);

    q42::PanelBar* PanelBar1;
    q42::NavBar* NavBar1;
    QTabWidget* SSTab1;
};
