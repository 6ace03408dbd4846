#include "ModeloConsulta.h"

#include <QFont>
#include <algorithm>
#include <numeric>

namespace q42::consultas {

ModeloConsulta::ModeloConsulta(QObject* parent) : QAbstractTableModel(parent) {}

void ModeloConsulta::carga(const QStringList& encabezados, ado::TextRows celdas,
                           std::vector<std::optional<QColor>> colores, std::vector<char> marcadas) {
    beginResetModel();
    m_encabezados = encabezados;
    m_celdas = std::move(celdas);
    const int n = m_encabezados.isEmpty() || m_celdas.columnCount() != m_encabezados.size()
                      ? 0
                      : m_celdas.rowCount();
    m_orden.resize(std::size_t(n));
    std::iota(m_orden.begin(), m_orden.end(), 0);
    m_colores = std::move(colores);
    m_colores.resize(std::size_t(n));
    m_marcadas = std::move(marcadas);
    m_marcadas.resize(std::size_t(n), 0);
    m_claves.assign(std::size_t(m_encabezados.size()), {});
    endResetModel();
}

void ModeloConsulta::vacia() {
    carga(m_encabezados, ado::TextRows(int(m_encabezados.size())), {}, {});
}

void ModeloConsulta::setCasillas(bool activas) {
    if (activas == m_casillas)
        return;
    beginResetModel();
    m_casillas = activas;
    endResetModel();
}

void ModeloConsulta::setEncabezado(int columna, const QString& texto) {
    if (columna < 0 || columna >= columnas())
        return;
    m_encabezados[columna] = texto;
    Q_EMIT headerDataChanged(Qt::Horizontal, columna, columna);
}

QStringView ModeloConsulta::celda(int fila, int columna) const {
    return m_celdas.cell(m_orden.at(std::size_t(fila)), columna);
}

QString ModeloConsulta::texto(int fila, int columna) const {
    if (fila < 0 || fila >= filas() || columna < 0 || columna >= columnas())
        return QString();
    return celda(fila, columna).toString();
}

void ModeloConsulta::setTexto(int fila, int columna, const QString& texto) {
    if (fila < 0 || fila >= filas() || columna < 0 || columna >= columnas())
        return;
    const int cargada = m_orden[std::size_t(fila)];
    m_celdas.set(cargada, columna, texto);
    auto& c = m_claves[std::size_t(columna)];
    if (!c.empty())
        c[std::size_t(cargada)] = texto.trimmed().toCaseFolded();
    const QModelIndex i = index(fila, columna);
    Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
}

bool ModeloConsulta::marcada(int fila) const {
    if (fila < 0 || fila >= filas())
        return false;
    return m_marcadas[std::size_t(m_orden[std::size_t(fila)])] != 0;
}

void ModeloConsulta::setMarcada(int fila, bool marcada) {
    if (fila < 0 || fila >= filas())
        return;
    m_marcadas[std::size_t(m_orden[std::size_t(fila)])] = marcada ? 1 : 0;
    const QModelIndex i = index(fila, 0);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
    Q_EMIT marcaCambiada(fila, marcada);
}

std::optional<QColor> ModeloConsulta::color(int fila) const {
    if (fila < 0 || fila >= filas())
        return std::nullopt;
    return m_colores[std::size_t(m_orden[std::size_t(fila)])];
}

const std::vector<QString>& ModeloConsulta::claves(int columna) const {
    auto& c = m_claves[std::size_t(columna)];
    if (c.empty() && filas() > 0) {
        const int n = int(m_orden.size());
        c.resize(std::size_t(n));
        for (int r = 0; r < n; ++r)
            c[std::size_t(r)] = m_celdas.cell(r, columna).trimmed().toString().toCaseFolded();
    }
    return c;
}

int ModeloConsulta::buscaPrefijo(int columna, const QString& prefijo) const {
    if (columna < 0 || columna >= columnas() || filas() == 0)
        return -1;
    // In place, no key per row: the first keystroke on a long list would
    // otherwise pay for a hundred thousand of them.
    const QStringView p = QStringView(prefijo).trimmed();
    for (int fila = 0; fila < filas(); ++fila)
        if (celda(fila, columna).trimmed().startsWith(p, Qt::CaseInsensitive))
            return fila;
    return -1;
}

void ModeloConsulta::ordena(int columna, Qt::SortOrder orden) {
    if (columna < 0 || columna >= columnas())
        return;
    const std::vector<QString>& c = claves(columna);
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> anterior = m_orden;
    std::stable_sort(m_orden.begin(), m_orden.end(), [&](int a, int b) {
        const int r = c[std::size_t(a)].compare(c[std::size_t(b)]);
        return orden == Qt::AscendingOrder ? r < 0 : r > 0;
    });
    std::vector<int> posicion(m_orden.size());
    for (std::size_t i = 0; i < m_orden.size(); ++i)
        posicion[std::size_t(m_orden[i])] = int(i);
    const QModelIndexList viejos = persistentIndexList();
    QModelIndexList nuevos;
    nuevos.reserve(viejos.size());
    for (const QModelIndex& v : viejos)
        nuevos << index(posicion[std::size_t(anterior[std::size_t(v.row())])], v.column());
    changePersistentIndexList(viejos, nuevos);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ModeloConsulta::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : filas();
}

int ModeloConsulta::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnas();
}

QVariant ModeloConsulta::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= filas() || index.column() >= columnas())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return celda(index.row(), index.column()).toString();
    case Qt::CheckStateRole:
        if (m_casillas && index.column() == 0)
            return marcada(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ForegroundRole:
        if (const auto c = color(index.row()))
            return *c;
        return {};
    case Qt::FontRole:
        if (color(index.row())) {
            QFont negrita;
            negrita.setBold(true);
            return negrita;
        }
        return {};
    default:
        return {};
    }
}

bool ModeloConsulta::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !m_casillas || !index.isValid() || index.column() != 0)
        return false;
    setMarcada(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ModeloConsulta::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_casillas && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ModeloConsulta::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_encabezados.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace q42::consultas
