// The login dialog: its controls, the buttons that close it, and the
// handler through which the connection logic fills and reads it.

#include "TestEnv.h"
#include "boot/frmAcceso.h"
#include "db/DB_Dll.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

class TstAcceso : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void controles_data();
    void controles();
    void ordenDeTabulacion();
    void centrado();
    void cierre_data();
    void cierre();
    void handlerDevuelveLoEscrito();
    void handlerCancelado();
};

void TstAcceso::controles_data() {
    QTest::addColumn<QString>("etiqueta");
    QTest::addColumn<QString>("caja");
    QTest::addColumn<QString>("texto");
    QTest::newRow("usuario") << "lbUsuario"
                             << "TxtUserId"
                             << "&Usuario";
    QTest::newRow("contrasena") << "lbcontrasena"
                                << "TxtUserPassword"
                                << "&Contraseña";
    QTest::newRow("base") << "Label1"
                          << "TxtDbName"
                          << "&Base de Datos";
    QTest::newRow("servidor") << "Label2"
                              << "TxtServidor"
                              << "&Servidor";
}

void TstAcceso::controles() {
    QFETCH(QString, etiqueta);
    QFETCH(QString, caja);
    QFETCH(QString, texto);
    frmAcceso f;
    QCOMPARE(f.windowTitle(), QStringLiteral("Control de Acceso"));
    auto* marco = f.findChild<QGroupBox*>(QStringLiteral("framAcceso"));
    QVERIFY(marco);
    auto* label = marco->findChild<QLabel*>(etiqueta);
    auto* edit = marco->findChild<QLineEdit*>(caja);
    QVERIFY(label && edit);
    QCOMPARE(label->text(), texto);
    QCOMPARE(label->buddy(), edit);
    QCOMPARE(edit->echoMode(),
             caja == QLatin1String("TxtUserPassword") ? QLineEdit::Password : QLineEdit::Normal);
    auto* combo = f.findChild<QComboBox*>(QStringLiteral("CboPlataformaDB"));
    QVERIFY(combo);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("SQL Server"));
    QCOMPARE(combo->itemText(1), QStringLiteral("ORACLE"));
    QCOMPARE(f.findChild<QPushButton*>(QStringLiteral("bcAceptar"))->text(),
             QStringLiteral("Aceptar"));
    QCOMPARE(f.findChild<QPushButton*>(QStringLiteral("bcCancelar"))->text(),
             QStringLiteral("Cancelar"));
}

void TstAcceso::ordenDeTabulacion() {
    frmAcceso f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.TxtUserId->setFocus();
    QList<QWidget*> orden;
    QWidget* w = f.TxtUserId;
    for (int i = 0; i < 4; ++i) {
        orden << w;
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
    }
    QCOMPARE(orden, (QList<QWidget*>{f.TxtUserId, f.TxtUserPassword, f.TxtDbName, f.TxtServidor}));
}

void TstAcceso::centrado() {
    frmAcceso f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QRect pantalla = f.screen()->geometry();
    QVERIFY(qAbs(f.x() - (pantalla.width() - f.width()) / 2) <= 1);
    QVERIFY(qAbs(f.y() - (pantalla.height() - f.height()) / 2) <= 1);
}

void TstAcceso::cierre_data() {
    QTest::addColumn<QString>("como");
    QTest::addColumn<bool>("aceptar");
    QTest::newRow("aceptar") << "bcAceptar" << true;
    QTest::newRow("cancelar") << "bcCancelar" << false;
    QTest::newRow("cuadro de cierre") << "close" << false;
    QTest::newRow("escape") << "escape" << false;
}

void TstAcceso::cierre() {
    QFETCH(QString, como);
    QFETCH(bool, aceptar);
    frmAcceso f;
    f.Aceptar = !aceptar; // the closing must set it either way
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    if (como == QLatin1String("close"))
        f.close();
    else if (como == QLatin1String("escape"))
        QTest::keyClick(&f, Qt::Key_Escape);
    else
        QTest::mouseClick(f.findChild<QPushButton*>(como), Qt::LeftButton);
    QCOMPARE(f.Aceptar, aceptar);
    QVERIFY(!f.isVisible());
}

void TstAcceso::handlerDevuelveLoEscrito() {
    DatosAcceso datos{QStringLiteral("u0"),
                      QStringLiteral("p0"),
                      QStringLiteral("d0"),
                      QStringLiteral("s0"),
                      0,
                      false};
    DialogScript guion([](QDialog* d) {
        auto* f = qobject_cast<frmAcceso*>(d);
        // Filled from what the connection logic holds; platform SQL Server.
        if (!f || f->TxtUserId->text() != QLatin1String("u0") ||
            f->TxtUserPassword->text() != QLatin1String("p0") ||
            f->TxtDbName->text() != QLatin1String("d0") ||
            f->TxtServidor->text() != QLatin1String("s0") || f->CboPlataformaDB->currentIndex())
            return 0;
        // Empty boxes are handed back as typed.
        f->TxtUserId->clear();
        QTest::keyClicks(f->TxtUserPassword, QStringLiteral("x"));
        f->TxtDbName->setText(QStringLiteral("EMPRESA"));
        f->TxtServidor->setText(QStringLiteral("ORA1"));
        f->CboPlataformaDB->setCurrentIndex(1);
        f->bcAceptar->click();
        return 1;
    });
    frmAcceso::pideDatosAcceso(datos);
    QCOMPARE(guion.count(), 1);
    QVERIFY(datos.aceptar);
    QCOMPARE(datos.usuario, QString());
    QCOMPARE(datos.password, QStringLiteral("p0x"));
    QCOMPARE(datos.dbName, QStringLiteral("EMPRESA"));
    QCOMPARE(datos.servidor, QStringLiteral("ORA1"));
    QCOMPARE(datos.plataforma, 1);
}

void TstAcceso::handlerCancelado() {
    DatosAcceso datos{QStringLiteral("u0"), QString(), QStringLiteral("d0"),
                      QStringLiteral("s0"), 0,         true};
    DialogScript guion([](QDialog* d) {
        auto* f = qobject_cast<frmAcceso*>(d);
        f->TxtServidor->setText(QStringLiteral("otro"));
        f->bcCancelar->click();
        return 0;
    });
    frmAcceso::pideDatosAcceso(datos);
    QVERIFY(!datos.aceptar);
    QCOMPARE(datos.servidor, QStringLiteral("s0"));
}

QTEST_MAIN(TstAcceso)
#include "tst_frmacceso.moc"
