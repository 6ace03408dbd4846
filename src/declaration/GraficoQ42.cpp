// The "Gráfico" tab of the planilla: the months' stocks and milling in
// tonnes, and the flour yield in % on its own axis between its limits.

#include "PlanillaQ42.h"

#include "ColumnasDeclaracion.h"
#include "core/MsgBox.h"
#include "widgets/Modal.h"
#include "widgets/Modulos.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

namespace declaracion {

namespace {

qreal instante(const QString& periodo) {
    const int orden = ordenDePeriodo(periodo);
    return qreal(QDateTime(QDate(orden / 12, orden % 12 + 1, 1), QTime(0, 0)).toMSecsSinceEpoch());
}

struct Serie {
    const char* nombre;
    q42::Currency (*valor)(const FigurasDeclaracion&);
    bool porcentaje;
};

const Serie kSeries[] = {
    {"Existencia final de Trigo", [](const FigurasDeclaracion& f) { return f.trigoFinal; }, false},
    {"Existencia final de 000", [](const FigurasDeclaracion& f) { return f.finales[0]; }, false},
    {"Existencia final de 0000", [](const FigurasDeclaracion& f) { return f.finales[1]; }, false},
    {"Trigo molido", [](const FigurasDeclaracion& f) { return f.trigoMolido; }, false},
    {"Rendimiento harinero (%)",
     [](const FigurasDeclaracion& f) { return f.extraccion[0] + f.extraccion[1]; }, true},
};

void guarda(QWidget* grafico, QWidget* vista, QLabel* estado) {
    QFileDialog dialogo(grafico, QStringLiteral("Guardar gráfico"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilter(QStringLiteral("PNG (*.png)"));
    dialogo.setDefaultSuffix(QStringLiteral("png"));
    dialogo.selectFile(QStringLiteral("declaraciones.png"));
    if (q42::execModal(&dialogo) != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return;
    const QString archivo = dialogo.selectedFiles().constFirst();
    if (vista->grab().save(archivo, "PNG"))
        estado->setText(
            QStringLiteral("Gráfico guardado en %1").arg(QDir::toNativeSeparators(archivo)));
    else
        q42::MsgBox(QStringLiteral("No se pudo guardar el gráfico en \"%1\".")
                        .arg(QDir::toNativeSeparators(archivo)),
                    q42::vbExclamation, QStringLiteral("Planillas"));
}

} // namespace

std::vector<std::pair<double, QString>> etiquetasDeMeses(const std::vector<MesHistoria>& meses) {
    std::vector<std::pair<double, QString>> etiquetas;
    if (meses.empty())
        return etiquetas;
    const int primero = ordenDePeriodo(meses.front().periodo);
    const int ultimo = ordenDePeriodo(meses.back().periodo);
    // Up to 13 labels: every month, else January, April, July and October,
    // else every January.
    const int paso = ultimo - primero < 13 ? 1 : ultimo - primero < 39 ? 3 : 12;
    for (int orden = primero; orden <= ultimo; ++orden) {
        if (orden % paso != 0 && paso > 1)
            continue;
        const QString periodo =
            QStringLiteral("%1/%2").arg(orden % 12 + 1, 2, 10, QLatin1Char('0')).arg(orden / 12);
        etiquetas.emplace_back(instante(periodo), periodo);
    }
    return etiquetas;
}

QWidget* creaGraficoQ42(const std::vector<MesHistoria>& meses, const LimitesRevision& limites,
                        const std::map<QString, q42::Currency>& medidos) {
    q42::PedidoGrafico pedido;
    pedido.titulo = QStringLiteral("Declaraciones por mes");
    pedido.tituloTiempo = QStringLiteral("Período");
    pedido.formatoTiempo = QStringLiteral("MM/yyyy");
    pedido.marcasTiempo = qBound(2, int(meses.size()), 13);
    pedido.etiquetasTiempo = etiquetasDeMeses(meses);
    pedido.tituloIzquierdo = QStringLiteral("Toneladas");
    pedido.tituloDerecho = QStringLiteral("Rendimiento (%)");

    double minimo = 0, maximo = 0;
    double pctMin = limites.rendimientoMinimo.toDouble() - 5;
    double pctMax = limites.rendimientoMaximo.toDouble() + 5;
    for (const Serie& s : kSeries) {
        q42::SerieGrafico serie;
        serie.nombre = QString::fromUtf8(s.nombre);
        serie.ejeDerecho = s.porcentaje;
        for (const MesHistoria& m : meses) {
            const double y = s.valor(m.figuras).toDouble();
            serie.puntos.append(QPointF(instante(m.periodo), y));
            double& bajo = s.porcentaje ? pctMin : minimo;
            double& alto = s.porcentaje ? pctMax : maximo;
            bajo = qMin(bajo, y);
            alto = qMax(alto, y);
        }
        pedido.series.push_back(serie);
    }
    // The yield the production parts measured, where the books give it.
    q42::SerieGrafico medido;
    medido.nombre = QStringLiteral("Rendimiento medido (%)");
    medido.ejeDerecho = true;
    medido.color = 0xC71585; // the chart's own palette would repeat the first series' colour
    for (const MesHistoria& m : meses) {
        const auto it = medidos.find(m.periodo);
        if (it == medidos.end())
            continue;
        const double y = it->second.toDouble();
        medido.puntos.append(QPointF(instante(m.periodo), y));
        pctMin = qMin(pctMin, y);
        pctMax = qMax(pctMax, y);
    }
    pedido.series.push_back(medido);
    // The yield limits of the checks, dashed across the months, each in its
    // own colour.
    for (const auto& [nombre, valor, color] :
         {std::tuple{"Rendimiento mínimo", limites.rendimientoMinimo, 0x8B0000u},
          std::tuple{"Rendimiento máximo", limites.rendimientoMaximo, 0xB8860Bu}}) {
        q42::SerieGrafico linea;
        linea.nombre = QString::fromUtf8(nombre);
        linea.ejeDerecho = true;
        linea.limite = true;
        linea.color = color;
        if (!meses.empty())
            linea.puntos = {QPointF(instante(meses.front().periodo), valor.toDouble()),
                            QPointF(instante(meses.back().periodo), valor.toDouble())};
        pedido.series.push_back(linea);
    }
    pedido.izquierdoMinimo = minimo;
    pedido.izquierdoMaximo = maximo > minimo ? maximo * 1.05 : minimo + 1;
    pedido.derechoMinimo = pctMin;
    pedido.derechoMaximo = pctMax;

    auto* grafico = new QWidget;
    grafico->setObjectName(QStringLiteral("grafico"));
    QString error;
    const auto crea = reinterpret_cast<q42::CreaGrafico>(
        q42::funcionDeModulo(q42::kModuloGraficos, q42::kCreaGrafico, &error));
    QWidget* vista =
        crea ? crea(pedido, grafico)
             : new QLabel(QStringLiteral("No se puede mostrar el gráfico.\n") + error, grafico);
    vista->setObjectName(QStringLiteral("vistaGrafico"));
    auto* estado = new QLabel(QStringLiteral("%1 meses").arg(meses.size()), grafico);
    estado->setObjectName(QStringLiteral("lblEstadoGrafico"));
    auto* guardar = new QPushButton(QStringLiteral("Guardar imagen…"), grafico);
    guardar->setObjectName(QStringLiteral("cmdGuardarGrafico"));
    guardar->setEnabled(crea != nullptr);
    QObject::connect(guardar, &QPushButton::clicked, grafico,
                     [=] { guarda(grafico, vista, estado); });
    auto* pie = new QHBoxLayout;
    pie->addWidget(estado, 1);
    pie->addWidget(guardar);
    auto* capas = new QVBoxLayout(grafico);
    capas->addWidget(vista);
    capas->addLayout(pie);
    return grafico;
}

} // namespace declaracion
