#pragma once

// The spreadsheet window: the rows of a table, read only, sortable by any
// column, with an export to CSV.

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

class QIODevice;
class QLabel;
class QWidget;

namespace ado {
class Connection;
}

namespace q42 {

class ModeloPlanilla : public QAbstractTableModel {
    Q_OBJECT
public:
    // `numericas`: columns whose type is a number (their texts read as
    // numbers too); may be empty.
    ModeloPlanilla(QStringList columnas, QVector<QVector<QVariant>> filas,
                   QVector<bool> numericas = {}, QObject* parent = nullptr);

    // "SELECT * FROM <tabla>"; the name must be a plain identifier, with at
    // most a schema before a dot. Throws q42::Error.
    static std::unique_ptr<ModeloPlanilla>
    deTabla(const QString& tabla, const std::shared_ptr<ado::Connection>& conexion);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Nulls first, then numbers by value, then texts in the regional
    // collation ignoring letter case; column -1 restores the table's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    const QStringList& columnas() const { return m_columnas; }
    // What a cell shows: numbers with the regional decimal separator and no
    // grouping, dates as dd/mm/yyyy, null as empty text.
    QString texto(int fila, int columna) const;
    // The value as read, in the model's current row order.
    QVariant valor(int fila, int columna) const { return m_filas[fila].valores[columna]; }
    bool esNumero(int fila, int columna) const;

private:
    struct Fila {
        int original;
        QVector<QVariant> valores;
    };
    QStringList m_columnas;
    QVector<Fila> m_filas;
    QVector<bool> m_numericas;
};

// CSV that Spanish spreadsheets open cleanly: UTF-8 with a byte-order mark,
// ";" between fields, CRLF line ends, a heading line, cells written as the
// model shows them (decimal comma), a field quoted (quotes doubled) when it
// holds ";", a quote, a line break or surrounding blanks. false with the
// reason in `error` when the device cannot be written.
bool EscribeCsv(QIODevice* destino, const ModeloPlanilla& modelo, QString* error = nullptr);
// "Exportar CSV…": asks for the file (suggesting `sugerido`.csv) through the
// dialog seam and writes it whole or not at all; `estado` tells the rows
// written, a failure is told in a message.
void ExportaCsv(QWidget* ventana, const ModeloPlanilla& modelo, const QString& sugerido,
                QLabel* estado);

// How a planilla window shows its model.
struct OpcionesPlanilla {
    QString titulo;
    // File name suggested for the CSV export; also names the window's
    // remembered column widths (per user).
    QString nombre;
    // Leading columns that stay in sight while the others scroll.
    int columnasFijas = 0;
    // A second tab beside the grid (taken over by the window), or nullptr.
    QWidget* pestania = nullptr;
    QString tituloPestania;
};

class Planillas {
public:
    // Opens the window (not modal; deleted when closed) over a model it
    // takes over: the grid, the CSV export and any extra tab.
    static QWidget* MuestraModelo(std::unique_ptr<ModeloPlanilla> modelo,
                                  const OpcionesPlanilla& opciones);
    // Opens the window (not modal; deleted when closed) over `tabla`, read
    // through the connection registered with Reportes::setConexion;
    // `conexionTexto` is kept for compatibility. When the table cannot be
    // read the operator is told why and nullptr is returned.
    static QWidget* MuestraPlanilla(const QString& tabla, const QString& conexionTexto,
                                    const QString& titulo);
};

} // namespace q42
