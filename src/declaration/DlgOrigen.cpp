#include "DlgOrigen.h"

#include "widgets/Modal.h"
#include "widgets/Planillas.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>

namespace declaracion {

std::unique_ptr<q42::ModeloPlanilla> modeloOrigen(const std::vector<LineaOrigen>& lineas) {
    QVector<QVector<QVariant>> filas;
    filas.reserve(qsizetype(lineas.size()));
    for (const LineaOrigen& l : lineas)
        filas.push_back(
            {l.fecha, l.tipo, l.numero, l.articulo, l.cantidad, l.unidad, l.toneladas.toDouble()});
    return std::make_unique<q42::ModeloPlanilla>(
        QStringList{QStringLiteral("Fecha"), QStringLiteral("Tipo"), QStringLiteral("Número"),
                    QStringLiteral("Artículo"), QStringLiteral("Cantidad"),
                    QStringLiteral("Unidad"), QStringLiteral("Toneladas")},
        std::move(filas), QVector<bool>{false, false, false, false, true, false, true});
}

QString totalOrigen(const std::vector<LineaOrigen>& lineas) {
    q42::Currency total;
    QSet<QString> documentos;
    for (const LineaOrigen& l : lineas) {
        total += l.toneladas;
        documentos.insert(l.tipo + QLatin1Char(' ') + l.numero);
    }
    return QStringLiteral("Total: %1 t en %2")
        .arg(cifraConMiles(total))
        .arg(documentos.size() == 1 ? QStringLiteral("1 comprobante")
                                    : QStringLiteral("%1 comprobantes").arg(documentos.size()));
}

DlgOrigen::DlgOrigen(const QString& columna, const std::vector<LineaOrigen>& lineas,
                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DlgOrigen"));
    setWindowTitle(QStringLiteral("¿De dónde sale? %1").arg(nombreFigura(columna)));
    auto modelo = modeloOrigen(lineas);
    m_modelo = modelo.release();
    m_modelo->setParent(this);
    auto* vista = new QTableView(this);
    vista->setObjectName(QStringLiteral("tabla"));
    vista->setModel(m_modelo);
    vista->setSortingEnabled(true);
    vista->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    vista->resizeColumnsToContents();
    auto* total = new QLabel(totalOrigen(lineas), this);
    total->setObjectName(QStringLiteral("lblTotal"));
    auto* estado = new QLabel(this);
    estado->setObjectName(QStringLiteral("lblEstado"));
    auto* exportar = new QPushButton(QStringLiteral("Exportar CSV…"), this);
    exportar->setObjectName(QStringLiteral("cmdExportar"));
    auto* cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    cerrar->setObjectName(QStringLiteral("cmdCerrar"));
    cerrar->setDefault(true);
    const QString sugerido = columna;
    connect(exportar, &QPushButton::clicked, this,
            [this, sugerido, estado] { q42::ExportaCsv(this, *m_modelo, sugerido, estado); });
    connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);
    auto* botones = new QHBoxLayout;
    botones->addWidget(estado, 1);
    botones->addWidget(exportar);
    botones->addWidget(cerrar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(vista);
    layout->addWidget(total);
    layout->addLayout(botones);
    resize(760, 420);
}

void muestraOrigen(const QString& columna, const std::vector<LineaOrigen>& lineas,
                   QWidget* parent) {
    DlgOrigen dialogo(columna, lineas, parent);
    q42::execModal(&dialogo);
}

} // namespace declaracion
