#pragma once

// Printing and charts need large Qt libraries (Print Support, Charts and
// the OpenGL ones below it) that the start does not: each is a module of
// its own, loaded the first time it is used. A module links Qt only and
// exports one function, declared here with the data it takes.

#include <QFunctionPointer>
#include <QList>
#include <QPointF>
#include <QString>
#include <vector>

class QDialog;
class QWidget;

namespace q42 {

struct PedidoVistaPrevia;

// The module's exported function, or null with the reason in *error (the
// module's file is missing, or a library it needs). Looked for in the
// folder Q42_MODULOS names, then beside the program (a build), then in
// <program>/../lib/q42 (installed). A module is loaded once.
QFunctionPointer funcionDeModulo(const QString& modulo, const char* funcion, QString* error);

// "q42_printing": the preview dialog of a report, ready to run; its tool
// bar is the caller's to extend. Owns its printer.
inline constexpr const char* kModuloImpresion = "q42_printing";
inline constexpr const char* kCreaVistaPrevia = "q42_creaVistaPrevia";
using CreaVistaPrevia = QDialog* (*)(const PedidoVistaPrevia& pedido, QWidget* padre);

// "q42_charts": a line chart over months, values on a left axis and, for
// the series that ask for it, on a right one.
struct SerieGrafico {
    QString nombre;
    QList<QPointF> puntos; // x: the month's first moment in ms since 1970
    bool ejeDerecho = false;
    bool limite = false; // a dashed line: a limit, not a figure
    unsigned color = 0;  // 0xRRGGBB; 0 leaves the chart's own (a limit: dark red)
};
struct PedidoGrafico {
    QString titulo;
    QString tituloTiempo;
    QString formatoTiempo; // of the month labels, as QDateTime::toString
    int marcasTiempo = 2;
    // When given, the time axis labels these instants (ms since 1970) and
    // no others, each on its own point.
    std::vector<std::pair<double, QString>> etiquetasTiempo;
    QString tituloIzquierdo;
    QString tituloDerecho;
    double izquierdoMinimo = 0, izquierdoMaximo = 1;
    double derechoMinimo = 0, derechoMaximo = 1;
    std::vector<SerieGrafico> series;
};
inline constexpr const char* kModuloGraficos = "q42_charts";
inline constexpr const char* kCreaGrafico = "q42_creaGrafico";
using CreaGrafico = QWidget* (*)(const PedidoGrafico& pedido, QWidget* padre);

} // namespace q42
