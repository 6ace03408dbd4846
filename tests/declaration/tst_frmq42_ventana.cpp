// The window as the operator sees it: captions, alignment and colours of
// boxes and labels, typing limits, the read-only instruction box and a
// layout in which no figure is clipped.
// Q42_CAPTURA=<file.png> saves a picture of the loaded window.

#include "FormularioPrueba.h"
#include "core/AjustesUsuario.h"
#include "declaration/ColumnasDeclaracion.h"
#include "widgets/Colocacion.h"
#include "widgets/Formularios.h"
#include "widgets/NavBar.h"
#include "widgets/PanelBar.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QImageReader>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <cmath>

using namespace prueba;

class TstFrmQ42Ventana : public QObject {
    Q_OBJECT
    TestEnv env;
    QString ruta;

    static QColor fondo(QWidget* w) { return w->palette().color(QPalette::Active, QPalette::Base); }

    // WCAG contrast ratio of two colours (1 to 21).
    static double contraste(const QColor& a, const QColor& b) {
        const auto luz = [](const QColor& c) {
            const auto canal = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) +
                   0.0722 * canal(c.blueF());
        };
        const double x = luz(a), y = luz(b);
        return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
    }

private Q_SLOTS:
    void initTestCase() { ruta = abreBase(env, QStringLiteral("v.sqlite"), 2025, 6); }
    void cleanupTestCase() { cierraBase(); }

    void cajasYEtiquetas() {
        FrmQ42 f;
        for (int i = 0; i < declaracion::kCajas; ++i) {
            QLineEdit* c = f.findChild<QLineEdit*>(QStringLiteral("txtFields_%1").arg(i));
            QVERIFY(c);
            QCOMPARE(c->property(q42::Formularios::DataField).toString(),
                     declaracion::columnaDeCaja(i));
            const bool izquierda = i == 0 || i == 40;
            QCOMPARE(bool(c->alignment() & Qt::AlignLeft), izquierda);
        }
        const QList<QLabel*> etiquetas =
            f.findChildren<QLabel*>(QRegularExpression("^[lL][bB][lL]"));
        QCOMPARE(etiquetas.size(), 23);
        for (QLabel* l : etiquetas) {
            QCOMPARE(l->text(), QStringLiteral("0.00"));
            QVERIFY(l->alignment() & Qt::AlignRight);
            QCOMPARE(l->palette().color(QPalette::Window), QColor(0xC0, 0xFF, 0xC0));
            QVERIFY(l->autoFillBackground());
        }
        // Closed boxes (browse mode) keep figures readable.
        for (QLineEdit* c : f.findChildren<QLineEdit*>()) {
            const QPalette& p = c->palette();
            QVERIFY2(contraste(p.color(QPalette::Disabled, QPalette::Text),
                               p.color(QPalette::Disabled, QPalette::Base)) >= 4.5,
                     qPrintable(c->objectName()));
        }
        QCOMPARE(f.caja(QStringLiteral("TxtPellet"))->text(),
                 QStringLiteral("'5','6','7','8','12'"));
        QCOMPARE(f.caja(QStringLiteral("TxtEquiv"))->text(), QStringLiteral("TON"));
        QCOMPARE(f.CmdCalcular->text(), QStringLiteral("&Calcular"));
        QVERIFY(f.findChild<QGroupBox*>(QStringLiteral("FrameProductos"))
                    ->title()
                    .startsWith(QStringLiteral("Existencia y Movimiento Fisico de Productos")));
    }

    // The instructions take no typing; their text stays, wrapped beside the
    // code lists.
    void text1SoloLectura() {
        FrmQ42 f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.SSTab1->setCurrentIndex(1);
        QTRY_VERIFY(f.Text1->isVisible());
        QVERIFY(f.Text1->wordWrap());
        const QString antes = f.Text1->text();
        QTest::keyClicks(f.Text1, QStringLiteral("abc"));
        QCOMPARE(f.Text1->text(), antes);
        QVERIFY(antes.startsWith(QStringLiteral("Ingrese los Códigos de Productos")));
    }

    void foco() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        QCOMPARE(QApplication::focusWidget(), caja(*f, 0));
        QCOMPARE(fondo(caja(*f, 0)), QColor(0, 255, 255));
        escribe(*f, 0, QStringLiteral("05/2025"));
        QCOMPARE(QApplication::focusWidget(), caja(*f, 1));
        QCOMPARE(f->IndiceActual(), qint16(1));
        QCOMPARE(fondo(caja(*f, 1)), QColor(0, 255, 255));
        QCOMPARE(fondo(caja(*f, 0)), QColor(255, 255, 255));
        // Enter goes on in the order of the indexes, across the grid.
        escribe(*f, 4, QStringLiteral("1"));
        QCOMPARE(QApplication::focusWidget(), caja(*f, 5));
        // Past the remarks the entries go round to the first figure, never to
        // the period, whose Enter would start the month again.
        escribe(*f, 40, QStringLiteral("x"));
        QCOMPARE(QApplication::focusWidget(), caja(*f, 1));
        QVERIFY(!f->windowIcon().isNull());
    }

    // Only typing is limited: the remarks to the column's size; a period
    // typed over a full one starts afresh; a figure is not limited (one
    // too long is told on confirming). Text set by the program is never cut.
    void limites_data() {
        QTest::addColumn<int>("indice");
        QTest::addColumn<int>("teclas");
        QTest::addColumn<int>("largo");
        // Six keys fill "11/1111", the seventh starts a period afresh and
        // the last six fill it again.
        QTest::newRow("period") << 0 << 12 << 7;
        QTest::newRow("number") << 2 << 25 << 25;
        QTest::newRow("remarks") << 40 << 260 << 255;
    }
    void limites() {
        QFETCH(int, indice);
        QFETCH(int, teclas);
        QFETCH(int, largo);
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("07/2025"));
        QLineEdit* c = caja(*f, indice);
        c->setFocus();
        c->clear();
        QTest::keyClicks(c, QString(teclas, QLatin1Char('1')));
        QCOMPARE(int(c->text().size()), largo);
        const QString largoTexto(largo + 100, QLatin1Char('2'));
        c->setText(largoTexto);
        QCOMPARE(c->text(), largoTexto);
    }

    // The widest figures fit in their boxes and labels.
    void sinCifrasCortadas() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        f->resize(f->minimumSizeHint());
        QApplication::processEvents();
        const QString cifra = QStringLiteral("-1000000000,00");
        for (int i = 1; i < 40; ++i) {
            QLineEdit* c = caja(*f, i);
            QVERIFY2(c->width() >= c->fontMetrics().horizontalAdvance(cifra) + 6,
                     qPrintable(c->objectName()));
        }
        for (QLabel* l : f->findChildren<QLabel*>(QRegularExpression("^[lL][bB][lL]"))) {
            QVERIFY2(l->contentsRect().width() >= l->fontMetrics().horizontalAdvance(cifra),
                     qPrintable(l->objectName()));
        }
        for (QLabel* l : f->findChildren<QLabel*>()) {
            if (l->wordWrap() || !l->isVisibleTo(f.get()))
                continue;
            QVERIFY2(l->width() >= l->fontMetrics().horizontalAdvance(l->text().remove('&')),
                     qPrintable(l->text()));
        }
        const QString destino = qEnvironmentVariable("Q42_CAPTURA");
        if (!destino.isEmpty()) {
            escribe(*f, 0, QStringLiteral("05/2025"));
            caja(*f, 2)->setFocus();
            QApplication::processEvents();
            QVERIFY(f->grab().save(destino));
        }
    }

    // A 1366x768 laptop (728 px under the task bar) shows the whole window;
    // a smaller or scaled screen keeps it inside the area, the bars in sight
    // and the figures scrolling between them.
    void cabe_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<bool>("desplaza");
        QTest::newRow("1366x728") << QRect(0, 0, 1366, 728) << false;
        QTest::newRow("1280x800 at 125%") << QRect(0, 0, 1024, 610) << true;
        QTest::newRow("1280x800 at 150%") << QRect(0, 0, 853, 503) << true;
        QTest::newRow("second screen, small") << QRect(1366, 100, 800, 500) << true;
    }
    void cabe() {
        QFETCH(QRect, area);
        QFETCH(bool, desplaza);
        ScriptedMessages msgs;
        auto f = abreVentana();
        q42::colocaVentana(f.get(), QStringLiteral("prueba"), area);
        QApplication::processEvents();
        QVERIFY2(area.contains(f->geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                              .arg(f->x())
                                                              .arg(f->y())
                                                              .arg(f->width())
                                                              .arg(f->height())));
        if (!desplaza)
            QCOMPARE(f->size(), f->sizeHint());
        auto* area2 = f->findChild<QScrollArea*>(QStringLiteral("Desplazable"));
        QCOMPARE(area2->verticalScrollBar()->maximum() > 0 ||
                     area2->horizontalScrollBar()->maximum() > 0,
                 desplaza);
        for (QWidget* barra :
             {static_cast<QWidget*>(f->PanelBar1), static_cast<QWidget*>(f->NavBar1)})
            QVERIFY2(f->rect().contains(QRect(barra->mapTo(f.get(), QPoint()), barra->size())),
                     qPrintable(barra->objectName()));
        // The box Enter reaches comes into sight.
        escribe(*f, 0, QStringLiteral("05/2025"));
        for (int i : {38, 39}) {
            caja(*f, i)->setFocus();
            QApplication::processEvents();
            const QRect visto(caja(*f, i)->mapTo(area2->viewport(), QPoint()), caja(*f, i)->size());
            QVERIFY(area2->viewport()->rect().contains(visto));
        }
    }

    // The window opens where the operator left it, unless that place is no
    // longer on a screen (offscreen: one 800x600 screen).
    void recuerdaLugar_data() {
        QTest::addColumn<QRect>("guardado");
        QTest::addColumn<bool>("restaurado");
        QTest::newRow("on screen") << QRect(40, 50, 700, 500) << true;
        QTest::newRow("screen gone") << QRect(1900, 50, 700, 500) << false;
        QTest::newRow("partly off") << QRect(400, 300, 700, 500) << false;
    }
    void recuerdaLugar() {
        QFETCH(QRect, guardado);
        QFETCH(bool, restaurado);
        ScriptedMessages msgs;
        {
            QWidget otra;
            otra.setGeometry(guardado);
            q42::guardaVentana(&otra, QStringLiteral("FrmQ42"));
        }
        auto f = abreVentana();
        QCOMPARE(f->geometry() == guardado, restaurado);
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(f->geometry()));
        q42::AjustesUsuario().remove(QStringLiteral("Ventanas"));
    }

    // F4 on the demo months: the window's captions, two decimals, the months
    // by date (a December stored last still comes first), the period column
    // fixed, and the chart of every month, saved as PNG.
    void planillaYGrafico() {
        prueba::ejecuta(ruta, "INSERT INTO DJ_Q42 (Periodo, P_Existencia, P_Elaboracion, "
                              "SP000_Extraccion) VALUES ('12/2024', 1.5, 1000, 64)");
        auto f = abreVentana();
        tecla(*f, Qt::Key_F4);
        std::unique_ptr<QWidget> planilla;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "Planilla" && w->isVisible())
                planilla.reset(w);
        QVERIFY(planilla);
        auto* vista = planilla->findChild<QTableView*>("tabla");
        QAbstractItemModel* m = vista->model();
        QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QString("Trigo\nExistencia Inicial"));
        QCOMPARE(m->headerData(5, Qt::Horizontal).toString(), QString("Trigo\nEXISTENCIA FINAL"));
        QStringList periodos;
        for (int r = 0; r < m->rowCount(); ++r)
            periodos << m->data(m->index(r, 0)).toString();
        QCOMPARE(periodos, (QStringList{"12/2024", "04/2025", "05/2025", "06/2025"}));
        QCOMPARE(m->data(m->index(0, 1)).toString(), QString("1,50"));
        QCOMPARE(m->data(m->index(0, 5)).toString(), QString("-998,50"));
        auto* fija = vista->findChild<QTableView*>("columnasFijas");
        QVERIFY(fija && fija->isVisible());
        QVERIFY(!fija->isColumnHidden(0) && fija->isColumnHidden(1));

        auto* grafico = planilla->findChild<QChartView*>("vistaGrafico");
        QVERIFY(grafico);
        const auto series = grafico->chart()->series();
        QCOMPARE(series.size(), 8);
        QCOMPARE(static_cast<QLineSeries*>(series.first())->count(), 4);
        // Yield of the December row: 64 + 0.
        QCOMPARE(static_cast<QLineSeries*>(series.at(4))->at(0).y(), 64.0);
        // The yield the demo's production parts measured: none in December,
        // whose row has no books behind it.
        const auto* medido = static_cast<QLineSeries*>(series.at(5));
        QVERIFY(medido->count() >= 1 && medido->count() <= 3);
        for (const QPointF& p : medido->points())
            QVERIFY2(p.y() > 70 && p.y() < 80, qPrintable(QString::number(p.y())));
        // Tonnes on the left axis; the yields and the two limits (dashed, each
        // in its colour) on the right one, where the limits' range stays in
        // sight.
        for (int i = 0; i < series.size(); ++i) {
            const auto ejes = grafico->chart()->axes(Qt::Vertical, series.at(i));
            QCOMPARE(ejes.size(), 1);
            QCOMPARE(ejes.first()->alignment(), i < 4 ? Qt::AlignLeft : Qt::AlignRight);
            const bool limite = i >= 6;
            QCOMPARE(static_cast<QLineSeries*>(series.at(i))->pen().style() == Qt::DashLine,
                     limite);
        }
        QVERIFY(static_cast<QLineSeries*>(series.at(6))->pen().color() !=
                static_cast<QLineSeries*>(series.at(7))->pen().color());
        // One label per month from December to June, each on its month's point.
        auto* meses = qobject_cast<QCategoryAxis*>(grafico->chart()->axes(Qt::Horizontal).first());
        QVERIFY(meses);
        QCOMPARE(meses->categoriesLabels(), (QStringList{"12/2024", "01/2025", "02/2025", "03/2025",
                                                         "04/2025", "05/2025", "06/2025"}));
        QCOMPARE(meses->endValue("04/2025"), static_cast<QLineSeries*>(series.first())->at(1).x());
        QCOMPARE(grafico->chart()->legend()->alignment(), Qt::AlignRight);
        auto* porcentaje =
            qobject_cast<QValueAxis*>(grafico->chart()->axes(Qt::Vertical, series.at(4)).first());
        QVERIFY(porcentaje->min() <= 64.0 && porcentaje->max() >= 80.0);
        const QString png = env.ruta("grafico.png");
        DialogScript dialogos([&](QDialog* d) {
            qobject_cast<QFileDialog*>(d)->selectFile(png);
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(planilla->findChild<QPushButton*>("cmdGuardarGrafico"), Qt::LeftButton);
        QCOMPARE(QImageReader(png).format(), QByteArray("png"));
        // Esc closes the planilla.
        QApplication::setActiveWindow(planilla.get());
        QVERIFY(QTest::qWaitForWindowActive(planilla.get()));
        QTest::keyClick(vista, Qt::Key_Escape);
        QVERIFY(!planilla->isVisible());
        prueba::ejecuta(ruta, "DELETE FROM DJ_Q42 WHERE Periodo = '12/2024'");
    }
};

QTEST_MAIN(TstFrmQ42Ventana)
#include "tst_frmq42_ventana.moc"
