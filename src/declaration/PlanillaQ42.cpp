#include "PlanillaQ42.h"

#include "ColumnasDeclaracion.h"
#include "Libros.h"
#include "core/Currency.h"
#include "core/Error.h"
#include "core/MsgBox.h"
#include "core/Utiles.h"
#include "report/Reportes.h"
#include "widgets/Planillas.h"

#include <QRegularExpression>
#include <algorithm>
#include <climits>

namespace declaracion {

namespace {

struct Columna {
    QString nombre; // column of DJ_Q42
    QString titulo;
    bool cifra;
};

// "Existencia Inicial........" -> "Existencia Inicial"
QString sinPuntos(const char* titulo) {
    static const QRegularExpression relleno(QStringLiteral("[.:]+$"));
    return QString::fromUtf8(titulo).remove(relleno).trimmed();
}

// The columns in the window's reading order: the wheat, each product's
// rows and its final stock, then the notes and the month's settings.
std::vector<Columna> columnas() {
    std::vector<Columna> c{{QStringLiteral("Periodo"), QStringLiteral("Período"), false}};
    const std::pair<int, const char*> trigo[] = {{kCajaPExistencia, "Existencia Inicial"},
                                                 {kCajaPIngresos, "Ingresos del Mes"},
                                                 {kCajaPElaboracion, "Elaboración"},
                                                 {kCajaPOtros, "Otros"}};
    for (const auto& [caja, titulo] : trigo)
        c.push_back(
            {columnaDeCaja(caja), QStringLiteral("Trigo\n") + QString::fromUtf8(titulo), true});
    c.push_back({QString(), QStringLiteral("Trigo\nEXISTENCIA FINAL"), true});
    for (int p = 0; p < int(kProductos.size()); ++p) {
        const QString producto = QString::fromUtf8(kProductos[size_t(p)].tituloFormulas);
        for (const FilaCajas& f : kFilasCajas)
            c.push_back({columnaDeCaja(caja(f.fila, p)),
                         producto + QLatin1Char('\n') + QString::fromUtf8(f.titulo), true});
        c.push_back({columnaFinal(p), producto + QStringLiteral("\nEXISTENCIA FINAL"), true});
    }
    c.push_back({QStringLiteral("Observaciones"), QStringLiteral("Observaciones"), false});
    // The first settings are the products' article lists.
    for (size_t i = 0; i < kAjustes.size(); ++i)
        c.push_back({QString::fromLatin1(kAjustes[i].columna),
                     (i < kProductos.size() ? QStringLiteral("Artículos\n") : QString()) +
                         sinPuntos(kAjustes[i].titulo),
                     false});
    return c;
}

QString texto(const QVariant& v) {
    return q42::Utiles::ValorNoNuloTexto(v);
}

// Two decimals with the regional separator, as the window shows figures.
QString dosDecimales(const QString& valor) {
    const auto n = q42::Currency::parse(valor);
    return valor.trimmed().isEmpty() || !n ? valor : n->toFixed(2);
}

std::vector<const FilaDeclaracion*> enOrden(const std::vector<FilaDeclaracion>& filas) {
    std::vector<const FilaDeclaracion*> orden;
    for (const FilaDeclaracion& f : filas)
        orden.push_back(&f);
    // Malformed periods after the others, in the table's order.
    std::stable_sort(orden.begin(), orden.end(), [](auto* a, auto* b) {
        const int x = ordenDePeriodo(texto((*a)(QStringLiteral("Periodo"))));
        const int y = ordenDePeriodo(texto((*b)(QStringLiteral("Periodo"))));
        return (x < 0 ? INT_MAX : x) < (y < 0 ? INT_MAX : y);
    });
    return orden;
}

FigurasDeclaracion figurasDe(const FilaDeclaracion& fila) {
    return figurasDeFila([&fila](const QString& columna) { return texto(fila(columna)); });
}

// The flour yield of each month as the books measure it; none when they
// cannot be read (the chart goes without it).
std::map<QString, q42::Currency> rendimientosMedidos(const std::vector<MesHistoria>& meses,
                                                     const std::vector<FilaDeclaracion>& filas) {
    std::vector<std::pair<QString, std::array<QString, 2>>> listas;
    for (const MesHistoria& m : meses)
        listas.push_back({m.periodo, {m.figuras.codigos[0], m.figuras.codigos[1]}});
    QString unidad = QStringLiteral("TON");
    for (const FilaDeclaracion& f : filas)
        if (const QString u = texto(f(QStringLiteral("UdMedida"))).trimmed(); !u.isEmpty())
            unidad = u;
    try {
        return rendimientosDeLibros(listas, unidad, leeAjustesLibros());
    } catch (const q42::Error&) {
        return {};
    }
}

} // namespace

std::unique_ptr<q42::ModeloPlanilla> modeloPlanillaQ42(const std::vector<FilaDeclaracion>& filas) {
    const std::vector<Columna> cols = columnas();
    QStringList titulos;
    QVector<bool> numericas;
    for (const Columna& c : cols) {
        titulos << c.titulo;
        numericas << c.cifra;
    }
    QVector<QVector<QVariant>> celdas;
    for (const FilaDeclaracion* fila : enOrden(filas)) {
        const FigurasDeclaracion figuras = figurasDe(*fila);
        QVector<QVariant> celda;
        for (const Columna& c : cols) {
            const QString valor =
                c.nombre.isEmpty() ? figuras.trigoFinal.toFixed(2) : texto((*fila)(c.nombre));
            celda << (c.cifra ? dosDecimales(valor) : valor);
        }
        celdas << celda;
    }
    return std::make_unique<q42::ModeloPlanilla>(titulos, celdas, numericas);
}

std::vector<MesHistoria> historia(const std::vector<FilaDeclaracion>& filas) {
    std::vector<MesHistoria> meses;
    for (const FilaDeclaracion* fila : enOrden(filas)) {
        const QString periodo = texto((*fila)(QStringLiteral("Periodo"))).trimmed();
        if (ordenDePeriodo(periodo) >= 0)
            meses.push_back({periodo, figurasDe(*fila)});
    }
    return meses;
}

QWidget* MuestraPlanillaQ42(const QString& tabla) {
    const QString titulo = QStringLiteral("Planilla de declaraciones");
    std::unique_ptr<q42::ModeloPlanilla> deLaBase;
    try {
        // The rows are read afresh: another operator may have saved a month.
        deLaBase = q42::ModeloPlanilla::deTabla(tabla, q42::Reportes::conexion());
    } catch (const q42::Error& e) {
        q42::MsgBox(QStringLiteral("No se puede mostrar la planilla de %1:\n%2")
                        .arg(tabla.trimmed(), e.description()),
                    q42::vbCritical, titulo);
        return nullptr;
    }
    const q42::ModeloPlanilla& leida = *deLaBase;
    std::vector<FilaDeclaracion> filas;
    for (int f = 0; f < leida.rowCount(); ++f)
        filas.push_back([&leida, f](const QString& columna) {
            for (int c = 0; c < leida.columnCount(); ++c)
                if (leida.columnas()[c].compare(columna, Qt::CaseInsensitive) == 0)
                    return leida.valor(f, c);
            return QVariant();
        });
    q42::OpcionesPlanilla opciones;
    opciones.titulo = titulo;
    opciones.nombre = tabla.trimmed();
    opciones.columnasFijas = 1;
    const std::vector<MesHistoria> meses = historia(filas);
    opciones.pestania =
        creaGraficoQ42(meses, leeLimitesRevision(), rendimientosMedidos(meses, filas));
    opciones.tituloPestania = QStringLiteral("Gráfico");
    return q42::Planillas::MuestraModelo(modeloPlanillaQ42(filas), opciones);
}

} // namespace declaracion
