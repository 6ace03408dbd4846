#pragma once

// The months to print when no declaration is on screen: "Desde" and
// "Hasta", each a period MM/AAAA, Desde not after Hasta.

#include <QDialog>

class QLabel;
class QLineEdit;

namespace declaracion {

inline const QString kTituloRango = QStringLiteral("Imprimir declaraciones");

class DlgRango : public QDialog {
    Q_OBJECT
public:
    DlgRango(const QString& desde, const QString& hasta, QWidget* parent = nullptr);
    QString desde() const;
    QString hasta() const;
    // Stays open while the periods cannot be printed, saying why.
    void accept() override;

private:
    QLineEdit* m_desde;
    QLineEdit* m_hasta;
    QLabel* m_aviso;
};

// Runs the dialog through the program's dialog seam with the periods given
// as defaults; true with the periods chosen, false when cancelled. Periods
// that cannot be printed, even if the dialog was answered past its own
// check, are told in a message and give false.
bool pideRango(QString* desde, QString* hasta, QWidget* parent);

} // namespace declaracion
