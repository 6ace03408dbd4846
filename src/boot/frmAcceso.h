#pragma once

// The login dialog: user, password, database, server and platform. The
// connection logic fills it, shows it modally and reads it back.

#include <QDialog>

struct DatosAcceso;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmAcceso : public QDialog {
    Q_OBJECT
public:
    explicit frmAcceso(QWidget* parent = nullptr);

    // The login handler registered with DB_Dll: fills a fresh dialog from
    // `datos`, shows it and reads it back.
    static void pideDatosAcceso(DatosAcceso& datos);

    // True when closed with bcAceptar; the close box and Escape count as
    // bcCancelar.
    bool Aceptar = false;

    QGroupBox* framAcceso;
    QLabel* lbUsuario;
    QLineEdit* TxtUserId;
    QLabel* lbcontrasena;
    QLineEdit* TxtUserPassword;
    QLabel* Label1;
    QLineEdit* TxtDbName;
    QLabel* Label2;
    QLineEdit* TxtServidor;
    QComboBox* CboPlataformaDB;
    QPushButton* bcAceptar;
    QPushButton* bcCancelar;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void centra();
};
