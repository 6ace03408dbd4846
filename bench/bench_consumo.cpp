// "&Calcular" on the 1 000 000-movement demo database, clicked in the
// declaration window, against the same five statements run by the sqlite3
// command-line program on the same file.

#include "Medicion.h"

#include "db/DB_Dll.h"
#include "declaration/ColumnasDeclaracion.h"
#include "declaration/Consumo.h"
#include "declaration/FrmQ42.h"
#include "demo/DemoDb.h"
#include "platform/ado/TsqlAdapter.h"

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
    QString script;
    for (const Producto& p : kProductos) {
        const auto lista = listaCodigos(f.caja(QLatin1String(p.cajaCodigos))->text());
        if (lista && !lista->isEmpty())
            script += ado::adaptTsqlForSqlite(sentenciaConsumo(desde, hasta, unidad, *lista)) +
                      QStringLiteral(";\n");
    }
    return script;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    banco::Entorno entorno;
    banco::Operador operador;

    demo::DemoOptions opciones;
    opciones.movements = 1000000;
    // The window adds the column at its start; the kept file stays as made.
    opciones.withCosecha = true;
    const QString base = banco::baseDemo(QStringLiteral("consumo-1000000.sqlite"), opciones);
    if (!banco::abreConexion(base))
        qFatal("sin conexión con %s", qUtf8Printable(base));

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

        const QString guion = entorno.carpeta() + QStringLiteral("/consumo.sql");
        QFile archivo(guion);
        if (!archivo.open(QIODevice::WriteOnly) ||
            archivo.write(sentenciasDelCalculo(ventana).toUtf8()) < 0)
            qFatal("no se pudo escribir %s", qUtf8Printable(guion));
        archivo.close();

        const auto calcula = [&] { ventana.CmdCalcular->click(); };
        const QStringList cli{QStringLiteral("sqlite3"), QStringLiteral("-batch"), base};
        // Both once before measuring: the file in the page cache.
        calcula();
        banco::ejecuta(cli, guion);
        std::vector<double> programa, sqlite;
        for (int i = 0, n = banco::repeticiones(7); i < n; ++i) {
            programa.push_back(banco::milisegundos(calcula));
            const banco::Hijo h = banco::ejecuta(cli, guion);
            if (h.codigo != 0)
                qFatal("sqlite3 terminó con %d", h.codigo);
            sqlite.push_back(h.ms);
        }
        if (operador.mensajes() > 0)
            qFatal("mensaje inesperado: %s", qUtf8Printable(operador.ultimo()));

        QStringList consumos;
        for (int p = 0; p < int(kProductos.size()); ++p)
            consumos << ventana.txtFields(caja(Fila::Consumo, p))->text();
        banco::detalle(QStringLiteral("consumo %1: CmdCalcular %2 ms, sqlite3 %3 ms (%4)")
                           .arg(periodo->text())
                           .arg(banco::mejor(programa), 0, 'f', 1)
                           .arg(banco::mejor(sqlite), 0, 'f', 1)
                           .arg(consumos.join(QStringLiteral(" | "))));
        if (!banco::informa("consumo_calcular", banco::mejor(programa) / banco::mejor(sqlite),
                            1.15))
            codigo = 1;
    }
    banco::cierraConexion();
    return codigo;
}
