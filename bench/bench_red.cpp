// Round trips: the statements each operation hands to the engine on the
// demo database, counted by the connection's statement trace; then the same
// operations with every statement delayed as a VPN delays it (5 ms), the
// time the operator waits for them.

#include "Medicion.h"
#include "widgets/Modal.h"

#include "ado/Ado.h"
#include "boot/Inicio.h"
#include "declaration/ColumnasDeclaracion.h"
#include "declaration/FrmQ42.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"

#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QThread>
#include <memory>

using namespace declaracion;

namespace {

int cuenta(const std::function<void()>& operacion) {
    banco::red().sentencias = 0;
    operacion();
    return banco::red().sentencias;
}

// The start as the program makes it: IniciaSistema, then the window loaded
// and shown.
std::unique_ptr<FrmQ42> arranca(const QString& base) {
    if (!IniciaSistema(QStringLiteral("@Archivo=%1;").arg(base)))
        qFatal("IniciaSistema falló");
    auto ventana = std::make_unique<FrmQ42>();
    ventana->Form_Load();
    ventana->show();
    QApplication::processEvents();
    return ventana;
}

void termina(std::unique_ptr<FrmQ42>& ventana) {
    ventana.reset();
    banco::cierraConexion();
}

void escribePeriodo(FrmQ42& f, const QString& periodo) {
    f.PanelBar1_ButtonClick(QStringLiteral("CANCELAR"));
    QLineEdit* caja = f.txtFields(kCajaPeriodo);
    caja->setFocus();
    caja->setText(periodo);
}

void confirma(FrmQ42& f) {
    QTest::keyClick(f.txtFields(kCajaPeriodo), Qt::Key_Return);
    QApplication::processEvents();
    if (!f.txtFields(kCajaPExistencia)->isEnabled())
        qFatal("el período %s no quedó en edición",
               qUtf8Printable(f.txtFields(kCajaPeriodo)->text()));
}

// A remark changed each time, so that the save has something to write.
void graba(FrmQ42& f) {
    static int vez = 0;
    f.txtFields(kCajaObservaciones)->setText(QStringLiteral("revisada %1").arg(++vez));
    f.PanelBar1_ButtonClick(QStringLiteral("GRABAR"));
    if (!f.StbEstado->text().contains(QStringLiteral("grabada")))
        qFatal("no se grabó: %s", qUtf8Printable(f.StbEstado->text()));
}

} // namespace

int main(int argc, char* argv[]) {
    banco::Programa programa(argc, argv);
    demo::DemoOptions opciones;
    opciones.withCosecha = true;
    const QString original = banco::baseDemo(QStringLiteral("red.sqlite"), opciones);
    const QString base = banco::copiaDe(original, programa.entorno.carpeta());
    const QDate ultimo(opciones.lastYear, opciones.lastMonth, 1);
    const QString guardado = demo::periodo(ultimo.year(), ultimo.month());
    const QDate siguiente = ultimo.addMonths(1);
    const QString nuevo = demo::periodo(siguiente.year(), siguiente.month());

    banco::simulaRed();
    q42::setDialogHandler([](QDialog*, void*) { return int(QDialog::Rejected); }, nullptr);

    std::unique_ptr<FrmQ42> f;
    const int inicio = cuenta([&] { f = arranca(base); });
    escribePeriodo(*f, guardado);
    const int periodo = cuenta([&] { confirma(*f); });
    escribePeriodo(*f, nuevo);
    const int periodoNuevo = cuenta([&] { confirma(*f); });
    escribePeriodo(*f, guardado);
    confirma(*f);
    const int grabar = cuenta([&] { graba(*f); });
    const int consulta =
        cuenta([] { Lib_ClsCons3::instance().ConsultaSearch(QStringLiteral("V_MA_ARTICULOS")); });
    escribePeriodo(*f, guardado);
    confirma(*f);
    const int borrar = cuenta([&] { f->PanelBar1_ButtonClick(QStringLiteral("BORRAR")); });
    if (!f->StbEstado->text().contains(QStringLiteral("borrada")))
        qFatal("no se borró: %s", qUtf8Printable(f->StbEstado->text()));
    // The delete's confirmation, answered "Sí"; no other message.
    const int mensajes = programa.operador.mensajes();
    if (mensajes != 1)
        qFatal("mensaje inesperado: %s", qUtf8Printable(programa.operador.ultimo()));
    termina(f);

    bool cumple = banco::informa("sentencias_inicio", inicio, 8, 0);
    cumple &= banco::informa("sentencias_periodo", periodo, 1, 0);
    cumple &= banco::informa("sentencias_periodo_nuevo", periodoNuevo, 2, 0);
    cumple &= banco::informa("sentencias_grabar", grabar, 2, 0);
    cumple &= banco::informa("sentencias_borrar", borrar, 2, 0);
    cumple &= banco::informa("sentencias_consulta", consulta, 2, 0);

    // The same operations on a fresh copy, every statement delayed.
    const QString otra = banco::copiaDe(original, programa.entorno.carpeta());
    std::vector<double> arranques, periodos, grabaciones;
    banco::red().demora = true;
    for (int i = 0, n = banco::pares(9); i <= n; ++i) {
        const double a = banco::milisegundos([&] { f = arranca(otra); });
        escribePeriodo(*f, guardado);
        const double p = banco::milisegundos([&] { confirma(*f); });
        const double g = banco::milisegundos([&] { graba(*f); });
        termina(f);
        if (i == 0)
            continue; // warms the caches
        arranques.push_back(a);
        periodos.push_back(p);
        grabaciones.push_back(g);
    }
    banco::sinRed();
    q42::setDialogHandler(nullptr, nullptr);
    if (programa.operador.mensajes() > mensajes)
        qFatal("mensaje inesperado: %s", qUtf8Printable(programa.operador.ultimo()));

    banco::detalle(QStringLiteral("red de %1 ms por sentencia: inicio %2 ms, período %3 ms, "
                                  "grabar %4 ms (medianas)")
                       .arg(banco::Red::kDemoraMs)
                       .arg(banco::mediana(arranques), 0, 'f', 1)
                       .arg(banco::mediana(periodos), 0, 'f', 1)
                       .arg(banco::mediana(grabaciones), 0, 'f', 1));
    cumple &= banco::informa("red_inicio_ms", banco::mediana(arranques), 80, 1);
    cumple &= banco::informa("red_grabar_ms", banco::mediana(grabaciones), 20, 1);
    cumple &= banco::informa("red_periodo_ms", banco::mediana(periodos), 20, 1);
    return cumple ? 0 : 1;
}
