// The "Gráfico" tab of the planilla: the months' stocks and milling in
// tonnes, and the flour yield in % on its own axis between its limits.

#include "PlanillaQ42.h"

#include "ColumnasDeclaracion.h"
#include "core/MsgBox.h"
#include "widgets/Modal.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPen>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

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

void guarda(QWidget* grafico, QChartView* vista, QLabel* estado) {
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

QWidget* creaGraficoQ42(const std::vector<MesHistoria>& meses, const LimitesRevision& limites) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Declaraciones por mes"));
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* tiempo = new QDateTimeAxis;
    tiempo->setFormat(QStringLiteral("MM/yyyy"));
    tiempo->setTitleText(QStringLiteral("Período"));
    tiempo->setTickCount(qBound(2, int(meses.size()), 13));
    auto* toneladas = new QValueAxis;
    toneladas->setTitleText(QStringLiteral("Toneladas"));
    toneladas->setLabelFormat(QStringLiteral("%.0f"));
    auto* porcentaje = new QValueAxis;
    porcentaje->setTitleText(QStringLiteral("Rendimiento (%)"));
    porcentaje->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(tiempo, Qt::AlignBottom);
    chart->addAxis(toneladas, Qt::AlignLeft);
    chart->addAxis(porcentaje, Qt::AlignRight);

    double minimo = 0, maximo = 0;
    double pctMin = limites.rendimientoMinimo.toDouble() - 5;
    double pctMax = limites.rendimientoMaximo.toDouble() + 5;
    for (const Serie& s : kSeries) {
        auto* serie = new QLineSeries;
        serie->setName(QString::fromUtf8(s.nombre));
        for (const MesHistoria& m : meses) {
            const double y = s.valor(m.figuras).toDouble();
            serie->append(instante(m.periodo), y);
            double& bajo = s.porcentaje ? pctMin : minimo;
            double& alto = s.porcentaje ? pctMax : maximo;
            bajo = qMin(bajo, y);
            alto = qMax(alto, y);
        }
        chart->addSeries(serie);
        serie->attachAxis(tiempo);
        serie->attachAxis(s.porcentaje ? porcentaje : toneladas);
    }
    // The yield limits of the checks, dashed across the months.
    for (const auto& [nombre, valor] :
         {std::pair{"Rendimiento mínimo", limites.rendimientoMinimo},
          std::pair{"Rendimiento máximo", limites.rendimientoMaximo}}) {
        auto* linea = new QLineSeries;
        linea->setName(QString::fromUtf8(nombre));
        QPen pen(Qt::darkRed);
        pen.setStyle(Qt::DashLine);
        linea->setPen(pen);
        if (!meses.empty()) {
            linea->append(instante(meses.front().periodo), valor.toDouble());
            linea->append(instante(meses.back().periodo), valor.toDouble());
        }
        chart->addSeries(linea);
        linea->attachAxis(tiempo);
        linea->attachAxis(porcentaje);
    }
    if (!meses.empty())
        tiempo->setRange(QDateTime::fromMSecsSinceEpoch(qint64(instante(meses.front().periodo))),
                         QDateTime::fromMSecsSinceEpoch(qint64(instante(meses.back().periodo))));
    toneladas->setRange(minimo, maximo > minimo ? maximo * 1.05 : minimo + 1);
    toneladas->applyNiceNumbers();
    porcentaje->setRange(pctMin, pctMax);

    auto* grafico = new QWidget;
    grafico->setObjectName(QStringLiteral("grafico"));
    auto* vista = new QChartView(chart, grafico);
    vista->setObjectName(QStringLiteral("vistaGrafico"));
    vista->setRenderHint(QPainter::Antialiasing);
    auto* estado = new QLabel(QStringLiteral("%1 meses").arg(meses.size()), grafico);
    estado->setObjectName(QStringLiteral("lblEstadoGrafico"));
    auto* guardar = new QPushButton(QStringLiteral("Guardar imagen…"), grafico);
    guardar->setObjectName(QStringLiteral("cmdGuardarGrafico"));
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
