#pragma once

// The declarations side by side: every stored month in date order with the
// window's captions as column titles and figures with two decimals, and a
// chart of the stocks, the milling and the flour yield over the months.

#include "Revision.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QWidget;

namespace q42 {
class ModeloPlanilla;
}

namespace declaracion {

// A stored row as its columns' values, by column name.
using FilaDeclaracion = std::function<QVariant(const QString& columna)>;

struct MesHistoria {
    QString periodo;
    FigurasDeclaracion figuras;
};

// Column titles ("Trigo\nExistencia Inicial" …) and the cells of each row
// in date order, figures as two-decimal texts.
std::unique_ptr<q42::ModeloPlanilla> modeloPlanillaQ42(const std::vector<FilaDeclaracion>& filas);
std::vector<MesHistoria> historia(const std::vector<FilaDeclaracion>& filas);

// The chart of the months (stocks and milling in tonnes, yield in % on a
// second axis between the yield limits, and the yield the production parts
// measured where the books give it, by period), with a button to save it as
// PNG. One label per month on its point, or per quarter (per year) when
// they would crowd.
QWidget* creaGraficoQ42(const std::vector<MesHistoria>& meses, const LimitesRevision& limites,
                        const std::map<QString, q42::Currency>& medidos = {});
// The months' labels of the time axis: (instant in ms, "MM/yyyy").
std::vector<std::pair<double, QString>> etiquetasDeMeses(const std::vector<MesHistoria>& meses);

// PLANILLA: reads the table afresh and opens the window; the operator is
// told when the table cannot be read.
QWidget* MuestraPlanillaQ42(const QString& tabla);

} // namespace declaracion
