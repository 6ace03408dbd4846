#pragma once

// The rows of the list dialog: every cell's text in one block, the list
// order as a permutation of the loaded rows, so that a hundred thousand rows
// load, sort and search without one object per cell. The incremental search
// compares the texts in place, letter case ignored; sorting uses lower-case
// keys made once per column.

#include "ado/TextRows.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <optional>
#include <vector>

namespace q42::consultas {

class ModeloConsulta : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloConsulta(QObject* parent = nullptr);

    // Replaces columns and rows; `celdas` has encabezados.size() columns.
    void carga(const QStringList& encabezados, ado::TextRows celdas,
               std::vector<std::optional<QColor>> colores, std::vector<char> marcadas);
    void vacia();

    // Rows carry a check box in the first column.
    void setCasillas(bool activas);
    bool casillas() const { return m_casillas; }

    int filas() const { return int(m_orden.size()); }
    int columnas() const { return int(m_encabezados.size()); }
    QString encabezado(int columna) const { return m_encabezados.value(columna); }
    void setEncabezado(int columna, const QString& texto);

    // Rows in list order, counting from 0.
    QString texto(int fila, int columna) const;
    void setTexto(int fila, int columna, const QString& texto);
    bool marcada(int fila) const;
    void setMarcada(int fila, bool marcada);
    std::optional<QColor> color(int fila) const;

    // First row in list order whose trimmed text in the column begins with
    // the trimmed prefix, letter case ignored; -1 when none does.
    int buscaPrefijo(int columna, const QString& prefijo) const;

    // Sorts the list on a column as text, letter case ignored; rows with
    // equal texts keep their order.
    void ordena(int columna, Qt::SortOrder orden);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // A row was ticked or unticked, by the operator or by the dialog.
    void marcaCambiada(int fila, bool marcada);

private:
    QStringView celda(int fila, int columna) const;
    const std::vector<QString>& claves(int columna) const;

    QStringList m_encabezados;
    ado::TextRows m_celdas;
    std::vector<int> m_orden; // list position -> loaded row
    std::vector<std::optional<QColor>> m_colores;
    std::vector<char> m_marcadas;
    bool m_casillas = false;
    mutable std::vector<std::vector<QString>> m_claves; // per column, by loaded row
};

} // namespace q42::consultas
