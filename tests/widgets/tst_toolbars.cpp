#include "TestEnv.h"
#include "widgets/IconosBarra.h"
#include "widgets/NavBar.h"
#include "widgets/PanelBar.h"

#include <QImage>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using q42::NavBar;
using q42::PanelBar;

class TstToolbars : public QObject {
    Q_OBJECT
    TestEnv env;

    static QStringList emitted(const QSignalSpy& spy) {
        QStringList out;
        for (const auto& args : spy)
            out << args.at(0).toString();
        return out;
    }

private Q_SLOTS:
    void enableSwitchesAreTheFormsProperties() {
        PanelBar bar;
        const QStringList nombres = {"nuevoenabled",    "borrarenabled",   "reporteenabled",
                                     "consultaenabled", "planillaenabled", "cancelarenabled",
                                     "grabarenabled",   "cerrarenabled"};
        QStringList encontrados;
        const QMetaObject* mo = bar.metaObject();
        for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
            if (mo->property(i).typeId() == QMetaType::Bool)
                encontrados << QString::fromLatin1(mo->property(i).name());
        QCOMPARE(encontrados, nombres);
        for (int k = 0; k < nombres.size(); ++k) {
            const QByteArray n = nombres[k].toLatin1();
            QCOMPARE(bar.property(n.constData()), QVariant(false)); // all off at first
            QVERIFY(bar.setProperty(n.constData(), true));
            QVERIFY(bar.property(n.constData()).toBool());
            // Each switch drives its own button and no other.
            QStringList encendidos;
            for (const QString& clave : PanelBar::claves())
                if (bar.boton(clave)->isEnabled())
                    encendidos << clave;
            QCOMPARE(encendidos, QStringList{PanelBar::claves().at(k)});
            bar.setProperty(n.constData(), false);
        }
    }

    void keyDown_data() {
        QTest::addColumn<QString>("encendido"); // the one button switched on
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("modificadores");
        QTest::addColumn<QString>("evento"); // empty: no event, key not taken
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("F2 new") << "NUEVO" << int(Qt::Key_F2) << none << "NUEVO";
        QTest::newRow("F3 lookup") << "CONSULTAR" << int(Qt::Key_F3) << none << "CONSULTAR";
        QTest::newRow("F4 sheet") << "PLANILLA" << int(Qt::Key_F4) << none << "PLANILLA";
        QTest::newRow("F5 save") << "GRABAR" << int(Qt::Key_F5) << none << "GRABAR";
        QTest::newRow("F6 print") << "REPORTE" << int(Qt::Key_F6) << none << "REPORTE";
        QTest::newRow("F8 delete") << "BORRAR" << int(Qt::Key_F8) << none << "BORRAR";
        QTest::newRow("Escape cancel") << "CANCELAR" << int(Qt::Key_Escape) << none << "CANCELAR";
        QTest::newRow("Ctrl+Q close") << "CERRAR" << int(Qt::Key_Q) << ctrl << "CERRAR";
        QTest::newRow("shift does not matter")
            << "GRABAR" << int(Qt::Key_F5) << int(Qt::ShiftModifier) << "GRABAR";
        QTest::newRow("F5 while save is off") << "NUEVO" << int(Qt::Key_F5) << none << "";
        QTest::newRow("Escape while cancel is off")
            << "GRABAR" << int(Qt::Key_Escape) << none << "";
        QTest::newRow("Q alone is typing") << "CERRAR" << int(Qt::Key_Q) << none << "";
        QTest::newRow("Alt+F4 is not the sheet")
            << "PLANILLA" << int(Qt::Key_F4) << int(Qt::AltModifier) << "";
        QTest::newRow("Enter is the form's") << "GRABAR" << int(Qt::Key_Return) << none << "";
        QTest::newRow("F7 is nobody's") << "GRABAR" << int(Qt::Key_F7) << none << "";
    }
    void keyDown() {
        QFETCH(QString, encendido);
        QFETCH(int, tecla);
        QFETCH(int, modificadores);
        QFETCH(QString, evento);
        PanelBar bar;
        bar.setHabilitado(encendido, true);
        QSignalSpy spy(&bar, &PanelBar::ButtonClick);
        QCOMPARE(bar.KeyDown(tecla, Qt::KeyboardModifiers(modificadores)), !evento.isEmpty());
        QCOMPARE(emitted(spy), evento.isEmpty() ? QStringList() : QStringList{evento});
    }

    void keyDownOnADisabledForm() {
        QWidget form;
        auto* bar = new PanelBar(&form);
        bar->setGrabarenabled(true);
        form.setEnabled(false);
        QSignalSpy spy(bar, &PanelBar::ButtonClick);
        QVERIFY(!bar->KeyDown(Qt::Key_F5, Qt::NoModifier));
        QCOMPARE(spy.count(), 0);
        QVERIFY(bar->grabarenabled()); // the switch itself is kept
    }

    void captionsShowTheirKeys_data() {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("tecla");
        QTest::newRow("NUEVO") << "NUEVO"
                               << "F2";
        QTest::newRow("CONSULTAR") << "CONSULTAR"
                                   << "F3";
        QTest::newRow("PLANILLA") << "PLANILLA"
                                  << "F4";
        QTest::newRow("GRABAR") << "GRABAR"
                                << "F5";
        QTest::newRow("REPORTE") << "REPORTE"
                                 << "F6";
        QTest::newRow("BORRAR") << "BORRAR"
                                << "F8";
        QTest::newRow("CANCELAR") << "CANCELAR"
                                  << "Esc";
        QTest::newRow("CERRAR") << "CERRAR"
                                << "Ctrl+Q";
    }
    void captionsShowTheirKeys() {
        QFETCH(QString, clave);
        QFETCH(QString, tecla);
        PanelBar bar;
        QToolButton* b = bar.findChild<QToolButton*>(QStringLiteral("btn") + clave);
        QVERIFY(b);
        QCOMPARE(b->text().section(QLatin1Char('\n'), 1), tecla);
        QVERIFY(!b->text().section(QLatin1Char('\n'), 0, 0).isEmpty());
        QVERIFY(b->toolTip().contains(tecla));
        QVERIFY(!b->icon().isNull());
    }

    void clicksOnlyWhenSwitchedOn() {
        PanelBar bar;
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QSignalSpy spy(&bar, &PanelBar::ButtonClick);
        QToolButton* grabar = bar.boton(QStringLiteral("GRABAR"));
        QTest::mouseClick(grabar, Qt::LeftButton);
        QCOMPARE(spy.count(), 0);
        bar.setProperty("grabarenabled", true);
        QTest::mouseClick(grabar, Qt::LeftButton);
        QCOMPARE(emitted(spy), QStringList{QStringLiteral("GRABAR")});
    }

    // Every bar picture is drawn at the sizes and screen scales the bars
    // use, in its normal and its disabled colours, unlike any other picture.
    void iconosDibujados_data() {
        QTest::addColumn<int>("lado");
        QTest::addColumn<qreal>("escala");
        QTest::newRow("16") << 16 << 1.0;
        QTest::newRow("24") << 24 << 1.0;
        QTest::newRow("32 at 1.5") << 32 << 1.5;
        QTest::newRow("24 at 2") << 24 << 2.0;
    }
    void iconosDibujados() {
        QFETCH(int, lado);
        QFETCH(qreal, escala);
        const auto pinta = [&](q42::IconoBarra i, QIcon::Mode modo) {
            const QPixmap pm = q42::iconoBarra(i).pixmap(QSize(lado, lado), escala, modo);
            // The size shown, drawn with at least a pixel per screen pixel.
            if (pm.deviceIndependentSize() != QSizeF(lado, lado) ||
                pm.width() < qRound(lado * escala))
                return QImage();
            return pm.toImage();
        };
        const auto tinta = [](const QImage& img) {
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    n += qAlpha(img.pixel(x, y)) > 0;
            return n;
        };
        QList<QImage> vistas;
        for (int i = int(q42::IconoBarra::Nuevo); i <= int(q42::IconoBarra::Filtrar); ++i) {
            const auto icono = q42::IconoBarra(i);
            for (QIcon::Mode modo : {QIcon::Normal, QIcon::Disabled}) {
                const QImage img = pinta(icono, modo);
                QVERIFY2(!img.isNull(), qPrintable(QString::number(i)));
                // Neither blank nor a filled square.
                const int pintados = tinta(img);
                QVERIFY2(pintados > img.width() && pintados < img.width() * img.height(),
                         qPrintable(QString::number(i)));
            }
            const QImage normal = pinta(icono, QIcon::Normal);
            QVERIFY(normal != pinta(icono, QIcon::Disabled));
            QVERIFY2(!vistas.contains(normal), qPrintable(QString::number(i)));
            vistas << normal;
        }
    }

    void styleBar_data() {
        QTest::addColumn<int>("estilo");
        QTest::addColumn<bool>("plano");
        QTest::newRow("raised") << 0 << false;
        QTest::newRow("flat") << 1 << true;
    }
    void styleBar() {
        QFETCH(int, estilo);
        QFETCH(bool, plano);
        PanelBar panel;
        NavBar nav;
        panel.setStyleBar(1 - estilo);
        QVERIFY(panel.setProperty("StyleBar", estilo));
        QVERIFY(nav.setProperty("StyleBar", estilo));
        QCOMPARE(panel.property("StyleBar").toInt(), estilo);
        for (QToolButton* b : panel.findChildren<QToolButton*>())
            QCOMPARE(b->autoRaise(), plano);
        for (QToolButton* b : nav.findChildren<QToolButton*>())
            QCOMPARE(b->autoRaise(), plano);
    }

    void navBarEvents_data() {
        QTest::addColumn<bool>("encendida");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void navBarEvents() {
        QFETCH(bool, encendida);
        NavBar nav;
        nav.show();
        QVERIFY(QTest::qWaitForWindowExposed(&nav));
        QVERIFY(nav.setProperty("navenabled", encendida));
        QSignalSpy spy(&nav, &NavBar::ButtonClick);
        const QStringList claves = {"PRIMERO", "ANTERIOR", "SIGUIENTE", "ULTIMO", "FILTRAR"};
        QCOMPARE(NavBar::claves(), claves);
        for (const QString& clave : claves) {
            QToolButton* b = nav.findChild<QToolButton*>(QStringLiteral("btn") + clave);
            QVERIFY(b);
            QTest::mouseClick(b, Qt::LeftButton);
        }
        QCOMPARE(emitted(spy), encendida ? claves : QStringList());
        nav.setVisible(false);
        QVERIFY(!nav.isVisible());
    }
};

QTEST_MAIN(TstToolbars)
#include "tst_toolbars.moc"
