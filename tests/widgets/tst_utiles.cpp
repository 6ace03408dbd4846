#include "TestEnv.h"
#include "core/Regional.h"
#include "widgets/Conectando.h"
#include "widgets/Modulos.h"
#include "widgets/Progreso.h"
#include "widgets/UtilesUi.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QtTest>
#include <thread>

using q42::UtilesUi;

class TstUtiles : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void eligeFecha_data() {
        QTest::addColumn<QString>("inicial");
        QTest::addColumn<QDate>("elige");
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("picks leap day")
            << "01/02/2024" << QDate(2024, 2, 29) << true << "29/02/2024";
        QTest::newRow("one-digit day written with two")
            << "" << QDate(2006, 5, 1) << true << "01/05/2006";
        QTest::newRow("cancelled") << "01/02/2024" << QDate(2024, 2, 29) << false << "";
    }
    void eligeFecha() {
        QFETCH(QString, inicial);
        QFETCH(QDate, elige);
        QFETCH(bool, acepta);
        QFETCH(QString, esperado);
        QDate mostrada;
        QLocale idioma;
        Qt::DayOfWeek primerDia = Qt::Sunday;
        DialogScript script([&](QDialog* d) {
            auto* cal = d->findChild<QCalendarWidget*>();
            if (!cal)
                return int(QDialog::Rejected);
            mostrada = cal->selectedDate();
            idioma = cal->locale();
            primerDia = cal->firstDayOfWeek();
            cal->setSelectedDate(elige);
            return int(acepta ? QDialog::Accepted : QDialog::Rejected);
        });
        QCOMPARE(UtilesUi::EligeFecha(inicial), esperado);
        QCOMPARE(script.count(), 1);
        QCOMPARE(mostrada, inicial.isEmpty() ? QDate::currentDate() : QDate(2024, 2, 1));
        // Spanish names, the week as the regional settings start it.
        QCOMPARE(idioma.language(), QLocale::Spanish);
        QCOMPARE(primerDia, q42::Regional::locale().firstDayOfWeek());
    }

    // Printing and charts come from modules loaded on first use: a missing
    // module or function is told by name, never a crash or a null call.
    void funcionDeModulo_data() {
        QTest::addColumn<QString>("modulo");
        QTest::addColumn<QString>("funcion");
        QTest::addColumn<bool>("hallada");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("vista previa")
            << q42::kModuloImpresion << q42::kCreaVistaPrevia << true << "";
        QTest::newRow("grafico") << q42::kModuloGraficos << q42::kCreaGrafico << true << "";
        QTest::newRow("sin modulo") << "q42_inexistente" << q42::kCreaGrafico << false
                                    << "No se pudo cargar el módulo q42_inexistente: no está en";
        QTest::newRow("sin funcion") << q42::kModuloGraficos << "q42_otra" << false
                                     << "El módulo q42_charts no tiene la función q42_otra.";
    }
    void funcionDeModulo() {
        QFETCH(QString, modulo);
        QFETCH(QString, funcion);
        QFETCH(bool, hallada);
        QFETCH(QString, motivo);
        QString error;
        const QFunctionPointer f =
            q42::funcionDeModulo(modulo, funcion.toLatin1().constData(), &error);
        QCOMPARE(f != nullptr, hallada);
        QVERIFY2(motivo.isEmpty() ? error.isEmpty() : error.startsWith(motivo), qPrintable(error));
    }

    void esperaNeverStacks() {
        UtilesUi::Espera(true);
        UtilesUi::Espera(true);
        QVERIFY(QGuiApplication::overrideCursor());
        UtilesUi::Espera(false);
        QVERIFY(!QGuiApplication::overrideCursor());
        UtilesUi::Espera(false); // an extra "off" restores nobody else's cursor
        QGuiApplication::setOverrideCursor(Qt::IBeamCursor);
        UtilesUi::Espera(false);
        QVERIFY(QGuiApplication::overrideCursor());
        QGuiApplication::restoreOverrideCursor();
    }

    void preparaFormularioOrdersBoxesByIndex() {
        QWidget form;
        QList<QLineEdit*> cajas(4);
        for (int i : {2, 1, 0, 3}) { // created out of order
            cajas[i] = new QLineEdit(&form);
            cajas[i]->setObjectName(QStringLiteral("txtFields_%1").arg(i));
            cajas[i]->setProperty("DataField", QStringLiteral("C%1").arg(i));
        }
        UtilesUi::PreparaFormulario(&form, 0);
        // Tab skips what takes no focus (the form itself).
        auto siguiente = [](QWidget* w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            return w;
        };
        for (int i = 0; i < 4; ++i)
            QCOMPARE(siguiente(cajas[i]), cajas[(i + 1) % 4]);
    }

    // The window appears only for a wait longer than its delay, counts the
    // seconds while this thread keeps running its timers, and a failure of the
    // step comes back to the caller.
    void esperaConVentana_data() {
        QTest::addColumn<int>("duracion");
        QTest::addColumn<bool>("ventana");
        QTest::addColumn<bool>("falla");
        QTest::newRow("instant") << 0 << false << false;
        QTest::newRow("slow") << 700 << true << false;
        QTest::newRow("fails") << 0 << false << true;
    }

    void esperaConVentana() {
        QFETCH(int, duracion);
        QFETCH(bool, ventana);
        QFETCH(bool, falla);
        QString vista; // what the window said while waiting
        int tics = 0;
        QTimer sonda;
        connect(&sonda, &QTimer::timeout, this, [&] {
            ++tics;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("Conectando") && w->isVisible())
                    vista = w->findChild<QLabel*>(QStringLiteral("leyenda"))->text() +
                            QLatin1Char('|') +
                            w->findChild<QLabel*>(QStringLiteral("segundos"))->text();
        });
        sonda.start(50);
        bool fallo = false;
        try {
            q42::esperaConVentana(
                QStringLiteral("Conectando con SRV / BASE…"),
                [&] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(duracion));
                    if (falla)
                        throw q42::Error(3709, QStringLiteral("sin conexión"));
                },
                std::chrono::milliseconds(300));
        } catch (const q42::Error& e) {
            fallo = e.number() == 3709;
        }
        QCOMPARE(fallo, falla);
        QCOMPARE(vista.isEmpty(), !ventana);
        if (ventana) {
            QCOMPARE(vista, QStringLiteral("Conectando con SRV / BASE…|0 s"));
            QVERIFY(tics >= 5);
        }
    }

    void progresoWindow() {
        q42::Progreso::Cierra();                         // closing what is not open is harmless
        q42::Progreso::Mensaje(QStringLiteral("nadie")); // nor opens anything
        QVERIFY(!q42::Progreso::abierto());
        QCOMPARE(q42::Progreso::mensajeActual(), QString());

        q42::Progreso::Abre(QStringLiteral("Leyendo datos"));
        QVERIFY(q42::Progreso::abierto());
        QWidget* ventana = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmProgreso"))
                ventana = w;
        QVERIFY(ventana);
        QVERIFY(ventana->isVisible());
        QCOMPARE(ventana->findChild<QLabel*>()->text(), QStringLiteral("Leyendo datos"));
        QCOMPARE(ventana->findChild<QProgressBar*>()->maximum(), 0);

        q42::Progreso::Mensaje(QStringLiteral("'1','2'"));
        QCOMPARE(q42::Progreso::mensajeActual(), QStringLiteral("'1','2'"));
        QCOMPARE(ventana->findChild<QLabel*>()->text(), QStringLiteral("'1','2'"));
        q42::Progreso::Cierra();
        q42::Progreso::Cierra();
        QVERIFY(!q42::Progreso::abierto());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != QLatin1String("frmProgreso"));
    }
};

QTEST_MAIN(TstUtiles)
#include "tst_utiles.moc"
