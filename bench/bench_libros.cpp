// "Desde los libros" on the 1 000 000-movement demo database against the
// same statements run by the sqlite3 command-line program on the same file;
// the statements it sends; and its wait with every statement delayed as a
// VPN delays it (5 ms), on the default demo.

#include "Medicion.h"

#include "ado/Ado.h"
#include "ado/TsqlAdapter.h"
#include "db/DB_Dll.h"
#include "declaration/Consumo.h"
#include "declaration/Libros.h"
#include "demo/DemoDb.h"

#include <QDate>
#include <QFile>
#include <QThread>

using namespace declaracion;

namespace {

// The month after the last declaration, with the demo's code lists.
PedidoLibros pedidoDe(const demo::DemoOptions& o) {
    const QDate mes = QDate(o.lastYear, o.lastMonth, 1).addMonths(1);
    PedidoLibros p;
    p.periodo = demo::periodo(mes.year(), mes.month());
    p.codigos = {QStringLiteral("'1'"), QStringLiteral("'2'"), QStringLiteral("'9'"),
                 QStringLiteral("'5','6','7','8','12'"), QStringLiteral("'14'")};
    return p;
}

// The statements leeLibros sends, in SQLite's dialect, one after the other.
QString guion(const PedidoLibros& p, const AjustesLibros& a) {
    DB_Dll& db = DB_Dll::instance();
    QString texto;
    for (const QString& s : sentenciasLibros(db.FechaSQL(primerDia(p.periodo)),
                                             db.FinDiaSQL(ultimoDia(p.periodo)), p, a))
        texto += ado::adaptTsqlForSqlite(s) + QStringLiteral(";\n");
    return texto;
}

} // namespace

int main(int argc, char* argv[]) {
    banco::Programa programa(argc, argv);
    const AjustesLibros ajustes;
    bool cumple = true;

    demo::DemoOptions grande;
    grande.movements = banco::tamano(1000000);
    // The same file as the consumption's benchmark.
    grande.withCosecha = true;
    const QString base = banco::conectaDemo(QStringLiteral("consumo-1000000.sqlite"), grande);
    const PedidoLibros pedido = pedidoDe(grande);
    const QString archivo = programa.entorno.carpeta() + QStringLiteral("/libros.sql");
    QFile f(archivo);
    if (!f.open(QIODevice::WriteOnly) || f.write(guion(pedido, ajustes).toUtf8()) < 0)
        qFatal("no se pudo escribir %s", qUtf8Printable(archivo));
    f.close();

    banco::simulaRed();
    ResultadoLibros r;
    const QStringList cli{QStringLiteral("sqlite3"), QStringLiteral("-batch"), base};
    const banco::Pares pares = banco::alterna(
        banco::pares(9),
        [&] { return banco::milisegundos([&] { r = leeLibros(pedido, ajustes); }); },
        [&] {
            const banco::Hijo h = banco::ejecuta(cli, archivo);
            if (h.codigo != 0)
                qFatal("sqlite3 terminó con %d", h.codigo);
            return h.ms;
        });
    banco::red().sentencias = 0;
    r = leeLibros(pedido, ajustes);
    const int sentencias = banco::red().sentencias;
    banco::detalle(QStringLiteral("libros %1: leeLibros %2 ms, sqlite3 %3 ms (medianas; "
                                  "P_Elaboracion %4 en %5 comprobantes)")
                       .arg(pedido.periodo)
                       .arg(banco::mediana(pares.programa), 0, 'f', 1)
                       .arg(banco::mediana(pares.base), 0, 'f', 1)
                       .arg(r.figura(QStringLiteral("P_Elaboracion"))->valor.toText())
                       .arg(r.figura(QStringLiteral("P_Elaboracion"))->comprobantes));
    cumple &= banco::informaRazon("libros_calcular", pares, 1.0);
    cumple &= banco::informa("sentencias_libros", sentencias, 2, 0);
    banco::cierraConexion();

    // The default demo, as bench_red.cpp opens it: the wait is the network's.
    demo::DemoOptions normal;
    normal.withCosecha = true;
    banco::conectaDemo(QStringLiteral("red.sqlite"), normal);
    std::vector<double> esperas;
    banco::red().demora = true;
    for (int i = 0, n = banco::pares(9); i <= n; ++i) {
        const double ms = banco::milisegundos([&] { leeLibros(pedidoDe(normal), ajustes); });
        if (i > 0) // the first warms the caches
            esperas.push_back(ms);
    }
    banco::sinRed();
    banco::cierraConexion();
    if (programa.operador.mensajes() > 0)
        qFatal("mensaje inesperado: %s", qUtf8Printable(programa.operador.ultimo()));
    banco::detalle(QStringLiteral("red de %1 ms por sentencia: libros %2 ms (mediana)")
                       .arg(banco::Red::kDemoraMs)
                       .arg(banco::mediana(esperas), 0, 'f', 1));
    cumple &= banco::informa("red_libros_ms", banco::mediana(esperas), 20, 1);
    return cumple ? 0 : 1;
}
