// "&Calcular" on the 1 000 000-movement demo database, clicked in the
// declaration window, against the same five statements run by the sqlite3
// command-line program on the same file.

#include "Medicion.h"

#include "ado/TsqlAdapter.h"
#include "db/DB_Dll.h"
#include "declaration/ColumnasDeclaracion.h"
#include "declaration/Consumo.h"
#include "declaration/FrmQ42.h"
#include "declaration/Libros.h"
#include "demo/DemoDb.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace declaracion;

namespace {

// The statements the window runs for the period on screen, in SQLite's
// dialect, one after the other.
QString sentenciasDelCalculo(FrmQ42& f) {
    const QString periodo = f.txtFields(kCajaPeriodo)->text();
    const QString desde = DB_Dll::instance().FechaSQL(primerDia(periodo));
    const QString hasta = DB_Dll::instance().FechaSQL(ultimoDia(periodo));
    const QString unidad = f.caja(QStringLiteral("TxtEquiv"))->text().trimmed();
    // The window leaves the export document types out, as the books do.
    const QString exportacion =
        listaCodigos(leeAjustesLibros().cpteExportacion).value_or(QString());
    QString script;
    for (const Producto& p : kProductos) {
        const auto lista = listaCodigos(f.caja(QLatin1String(p.cajaCodigos))->text());
        if (lista && !lista->isEmpty())
            script += ado::adaptTsqlForSqlite(
                          sentenciaConsumo(desde, hasta, unidad, *lista, exportacion)) +
                      QStringLiteral(";\n");
    }
    return script;
}

} // namespace

int main(int argc, char* argv[]) {
    banco::Programa programa(argc, argv);
    banco::Operador& operador = programa.operador;

    demo::DemoOptions opciones;
    opciones.movements = banco::tamano(1000000);
    // The window adds the column at its start; the kept file stays as made.
    opciones.withCosecha = true;
    const QString base = banco::conectaDemo(QStringLiteral("consumo-1000000.sqlite"), opciones);

    int codigo = 0;
    {
        FrmQ42 ventana;
        ventana.Form_Load();
        ventana.show();
        // The month after the last declaration: sales and no row yet.
        QLineEdit* periodo = ventana.txtFields(kCajaPeriodo);
        periodo->setFocus();
        const QDate mes = QDate(opciones.lastYear, opciones.lastMonth, 1).addMonths(1);
        periodo->setText(demo::periodo(mes.year(), mes.month()));
        QTest::keyClick(periodo, Qt::Key_Return);

        const QString guion = programa.entorno.carpeta() + QStringLiteral("/consumo.sql");
        QFile archivo(guion);
        if (!archivo.open(QIODevice::WriteOnly) ||
            archivo.write(sentenciasDelCalculo(ventana).toUtf8()) < 0)
            qFatal("no se pudo escribir %s", qUtf8Printable(guion));
        archivo.close();

        const auto calcula = [&] { ventana.CmdCalcular->click(); };
        const QStringList cli{QStringLiteral("sqlite3"), QStringLiteral("-batch"), base};
        // The warming pair brings the file into the page cache.
        const banco::Pares pares = banco::alterna(
            banco::pares(9), [&] { return banco::milisegundos(calcula); },
            [&] {
                const banco::Hijo h = banco::ejecuta(cli, guion);
                if (h.codigo != 0)
                    qFatal("sqlite3 terminó con %d", h.codigo);
                return h.ms;
            });
        if (operador.mensajes() > 0)
            qFatal("mensaje inesperado: %s", qUtf8Printable(operador.ultimo()));

        QStringList consumos;
        for (int p = 0; p < int(kProductos.size()); ++p)
            consumos << ventana.txtFields(caja(Fila::Consumo, p))->text();
        banco::detalle(QStringLiteral("consumo %1: CmdCalcular %2 ms, sqlite3 %3 ms (medianas; %4)")
                           .arg(periodo->text())
                           .arg(banco::mediana(pares.programa), 0, 'f', 1)
                           .arg(banco::mediana(pares.base), 0, 'f', 1)
                           .arg(consumos.join(QStringLiteral(" | "))));
        if (!banco::informaRazon("consumo_calcular", pares, 1.0))
            codigo = 1;
    }
    banco::cierraConexion();
    return codigo;
}
