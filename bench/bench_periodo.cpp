// Twenty years of declarations (240 rows of DJ_Q42): confirming a period in
// the declaration window (existence check, load, carry-over, totals), for a
// saved month and for the new month after the last one; then the PDF of one
// declaration through the report "Q42".

#include "Medicion.h"

#include "declaration/ColumnasDeclaracion.h"
#include "declaration/FrmQ42.h"
#include "declaration/Impresion.h"
#include "demo/DemoDb.h"
#include "report/Reportes.h"

#include <QApplication>
#include <QDate>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

using namespace declaracion;

namespace {

// Best time of the Enter that confirms `periodo`, the window put back in
// browse mode ("CANCELAR") between tries.
double confirma(FrmQ42& f, const QString& periodo, int veces, banco::Operador& operador) {
    std::vector<double> muestras;
    for (int i = 0; i <= veces; ++i) {
        f.PanelBar1_ButtonClick(QStringLiteral("CANCELAR"));
        QLineEdit* caja = f.txtFields(kCajaPeriodo);
        caja->setFocus();
        caja->setText(periodo);
        const double ms = banco::milisegundos([&] {
            QTest::keyClick(caja, Qt::Key_Return);
            QApplication::processEvents();
        });
        if (!f.txtFields(kCajaPExistencia)->isEnabled() || operador.mensajes() > 0)
            qFatal("el período %s no quedó en edición (%s)", qUtf8Printable(periodo),
                   qUtf8Printable(operador.ultimo()));
        if (i > 0)
            muestras.push_back(ms);
    }
    return banco::mejor(muestras);
}

} // namespace

int main(int argc, char* argv[]) {
    banco::Programa programa(argc, argv);
    banco::Operador& operador = programa.operador;

    demo::DemoOptions opciones;
    opciones.months = 240;
    opciones.movements = 24000;
    opciones.withCosecha = true;
    banco::conectaDemo(QStringLiteral("periodos-240.sqlite"), opciones);

    const QDate ultimo(opciones.lastYear, opciones.lastMonth, 1);
    const QString guardado = demo::periodo(ultimo.year() - 10, ultimo.month());
    const QDate siguiente = ultimo.addMonths(1);
    const QString nuevo = demo::periodo(siguiente.year(), siguiente.month());
    const int n = banco::repeticiones(15);

    bool cumple = true;
    {
        FrmQ42 ventana;
        ventana.Form_Load();
        ventana.show();
        const double cargado = confirma(ventana, guardado, n, operador);
        const double arrastrado = confirma(ventana, nuevo, n, operador);
        banco::detalle(QStringLiteral("confirmar %1 (guardado) %2 ms, %3 (nuevo) %4 ms")
                           .arg(guardado)
                           .arg(cargado, 0, 'f', 2)
                           .arg(nuevo)
                           .arg(arrastrado, 0, 'f', 2));
        cumple &= banco::informa("periodo_confirma_ms", std::max(cargado, arrastrado), 20, 1);
    }

    q42::Reportes::CarpetaReportes(QStringLiteral(Q42_SOURCE_DIR));
    const QString pdf = programa.entorno.carpeta() + QStringLiteral("/declaracion.pdf");
    std::vector<double> muestras;
    for (int i = 0; i <= n; ++i) {
        QString error;
        bool escrito = false;
        const double ms =
            banco::milisegundos([&] { escrito = imprimeQ42Pdf(guardado, guardado, pdf, &error); });
        if (!escrito)
            qFatal("PDF: %s", qUtf8Printable(error));
        if (i > 0)
            muestras.push_back(ms);
    }
    banco::detalle(QStringLiteral("PDF de %1: %2 ms, %3 bytes")
                       .arg(guardado)
                       .arg(banco::mejor(muestras), 0, 'f', 1)
                       .arg(QFileInfo(pdf).size()));
    cumple &= banco::informa("pdf_declaracion_ms", banco::mejor(muestras), 200, 1);
    banco::cierraConexion();
    return cumple ? 0 : 1;
}
