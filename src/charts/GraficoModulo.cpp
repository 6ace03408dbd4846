// The module "q42_charts": a line chart over months with Qt Charts. Loaded
// on first use (widgets/Modulos.h), so the start never loads Qt Charts nor
// the OpenGL libraries under it. Links Qt Widgets and Qt Charts, none of
// the program's libraries (it uses only the request's types from their
// headers).

#include "widgets/Modulos.h"

#include <QDateTime>
#include <QPen>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

extern "C" Q_DECL_EXPORT QWidget* q42_creaGrafico(const q42::PedidoGrafico& pedido,
                                                  QWidget* padre) {
    auto* chart = new QChart;
    chart->setTitle(pedido.titulo);
    // Beside the plot the legend's names fit whole; below it, eight of them
    // were cut short.
    chart->legend()->setAlignment(Qt::AlignRight);

    QAbstractAxis* tiempo = nullptr;
    QCategoryAxis* etiquetas = nullptr;
    QDateTimeAxis* fechas = nullptr;
    if (!pedido.etiquetasTiempo.empty()) {
        etiquetas = new QCategoryAxis;
        etiquetas->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        for (const auto& [valor, texto] : pedido.etiquetasTiempo)
            etiquetas->append(texto, valor);
        tiempo = etiquetas;
    } else {
        fechas = new QDateTimeAxis;
        fechas->setFormat(pedido.formatoTiempo);
        fechas->setTickCount(pedido.marcasTiempo);
        tiempo = fechas;
    }
    tiempo->setTitleText(pedido.tituloTiempo);
    auto* izquierdo = new QValueAxis;
    izquierdo->setTitleText(pedido.tituloIzquierdo);
    izquierdo->setLabelFormat(QStringLiteral("%.0f"));
    auto* derecho = new QValueAxis;
    derecho->setTitleText(pedido.tituloDerecho);
    derecho->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(tiempo, Qt::AlignBottom);
    chart->addAxis(izquierdo, Qt::AlignLeft);
    chart->addAxis(derecho, Qt::AlignRight);

    double desde = 0, hasta = 0;
    bool conPuntos = false;
    for (const q42::SerieGrafico& s : pedido.series) {
        auto* serie = new QLineSeries;
        serie->setName(s.nombre);
        if (s.limite) {
            QPen pen(s.color ? QColor(QRgb(s.color)) : QColor(Qt::darkRed));
            pen.setStyle(Qt::DashLine);
            serie->setPen(pen);
        } else if (s.color) {
            serie->setColor(QColor(QRgb(s.color)));
        }
        for (const QPointF& p : s.puntos) {
            serie->append(p);
            desde = conPuntos ? qMin(desde, p.x()) : p.x();
            hasta = conPuntos ? qMax(hasta, p.x()) : p.x();
            conPuntos = true;
        }
        chart->addSeries(serie);
        serie->attachAxis(tiempo);
        serie->attachAxis(s.ejeDerecho ? derecho : izquierdo);
    }
    if (conPuntos && fechas)
        fechas->setRange(QDateTime::fromMSecsSinceEpoch(qint64(desde)),
                         QDateTime::fromMSecsSinceEpoch(qint64(hasta)));
    if (conPuntos && etiquetas) {
        etiquetas->setStartValue(desde);
        etiquetas->setRange(desde, hasta);
    }
    izquierdo->setRange(pedido.izquierdoMinimo, pedido.izquierdoMaximo);
    izquierdo->applyNiceNumbers();
    derecho->setRange(pedido.derechoMinimo, pedido.derechoMaximo);

    auto* vista = new QChartView(chart, padre);
    vista->setRenderHint(QPainter::Antialiasing);
    return vista;
}

// The program calls it through this type.
static_assert(std::is_same_v<decltype(&q42_creaGrafico), q42::CreaGrafico>);
