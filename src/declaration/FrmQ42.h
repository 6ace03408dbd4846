#pragma once

// The declaration window: the program's only business form. Its command
// bar, navigation bar and the two tabs ("Datos", "Formulas").

#include <QList>
#include <QString>
#include <QWidget>

class QLineEdit;
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

    QString TablaActiva;

    // The bound boxes (txtFields_0 .. txtFields_40) and the settings boxes
    // of the "Formulas" tab by control name (Txt000 .. TxtCosecha).
    QLineEdit* txtFields(int indice) const;
    QList<QLineEdit*> cajas() const;
    QLineEdit* caja(const QString& control) const;

    // "&Calcular": the five consumption boxes from the month's sales.
    void CmdCalcular_Click();
    // Prints the declaration on screen through the report "Q42".
    void Imprimir();

private:
    QList<QLineEdit*> m_txtFields;
};
