#include "frmAcceso.h"

#include "core/MsgBox.h"
#include "db/DB_Dll.h"
#include "widgets/Modal.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

template <typename T> T* crea(QWidget* padre, const char* nombre) {
    auto* w = new T(padre);
    w->setObjectName(QLatin1String(nombre));
    return w;
}

} // namespace

frmAcceso::frmAcceso(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowTitle(QStringLiteral("Control de Acceso"));
    setModal(true);

    framAcceso = crea<QGroupBox>(this, "framAcceso");
    lbUsuario = crea<QLabel>(framAcceso, "lbUsuario");
    TxtUserId = crea<QLineEdit>(framAcceso, "TxtUserId");
    lbcontrasena = crea<QLabel>(framAcceso, "lbcontrasena");
    TxtUserPassword = crea<QLineEdit>(framAcceso, "TxtUserPassword");
    Label1 = crea<QLabel>(framAcceso, "Label1");
    TxtDbName = crea<QLineEdit>(framAcceso, "TxtDbName");
    Label2 = crea<QLabel>(framAcceso, "Label2");
    TxtServidor = crea<QLineEdit>(framAcceso, "TxtServidor");
    CboPlataformaDB = crea<QComboBox>(framAcceso, "CboPlataformaDB");
    bcAceptar = crea<QPushButton>(this, "bcAceptar");
    bcCancelar = crea<QPushButton>(this, "bcCancelar");

    const struct {
        QLabel* etiqueta;
        QLineEdit* caja;
        const char* texto;
    } filas[] = {
        {lbUsuario, TxtUserId, "&Usuario"},
        {lbcontrasena, TxtUserPassword, "&Contrase\u00f1a"},
        {Label1, TxtDbName, "&Base de Datos"},
        {Label2, TxtServidor, "&Servidor"},
    };
    auto* rejilla = new QGridLayout(framAcceso);
    int fila = 0;
    for (const auto& f : filas) {
        f.etiqueta->setText(QString::fromUtf8(f.texto));
        f.etiqueta->setBuddy(f.caja);
        rejilla->addWidget(f.etiqueta, fila, 0);
        rejilla->addWidget(f.caja, fila, 1);
        ++fila;
    }
    TxtUserPassword->setEchoMode(QLineEdit::Password);
    CboPlataformaDB->addItems({QStringLiteral("SQL Server"), QStringLiteral("ORACLE")});
    rejilla->addWidget(CboPlataformaDB, fila, 1);

    bcAceptar->setText(QStringLiteral("Aceptar"));
    bcAceptar->setDefault(true);
    bcCancelar->setText(QStringLiteral("Cancelar"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(bcAceptar);
    botones->addWidget(bcCancelar);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(framAcceso);
    principal->addLayout(botones);

    setTabOrder(TxtUserId, TxtUserPassword);
    setTabOrder(TxtUserPassword, TxtDbName);
    setTabOrder(TxtDbName, TxtServidor);
    setTabOrder(TxtServidor, CboPlataformaDB);
    setTabOrder(CboPlataformaDB, bcAceptar);
    setTabOrder(bcAceptar, bcCancelar);
    TxtUserId->setFocus();

    connect(bcAceptar, &QPushButton::clicked, this, [this] {
        Aceptar = true;
        accept();
    });
    connect(bcCancelar, &QPushButton::clicked, this, &frmAcceso::reject);

    adjustSize();
    centra();
}

void frmAcceso::reject() {
    Aceptar = false;
    QDialog::reject();
}

void frmAcceso::showEvent(QShowEvent* event) {
    centra();
    QDialog::showEvent(event);
}

void frmAcceso::centra() {
    const QScreen* pantalla = screen();
    if (!pantalla)
        return;
    const QRect area = pantalla->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void frmAcceso::pideDatosAcceso(DatosAcceso& datos) {
    frmAcceso dialogo;
    dialogo.TxtDbName->setText(datos.dbName);
    dialogo.TxtServidor->setText(datos.servidor);
    dialogo.TxtUserId->setText(datos.usuario);
    dialogo.TxtUserPassword->setText(datos.password);
    dialogo.CboPlataformaDB->setCurrentIndex(datos.plataforma > 0 ? 1 : 0);
    q42::execModal(&dialogo);
    datos.aceptar = dialogo.Aceptar;
    if (!datos.aceptar)
        return;
    datos.usuario = dialogo.TxtUserId->text();
    datos.password = dialogo.TxtUserPassword->text();
    datos.dbName = dialogo.TxtDbName->text();
    datos.servidor = dialogo.TxtServidor->text();
    datos.plataforma = dialogo.CboPlataformaDB->currentIndex();
}
