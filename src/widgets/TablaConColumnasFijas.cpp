#include "TablaConColumnasFijas.h"

#include <QHeaderView>
#include <QScrollBar>

namespace q42 {

TablaConColumnasFijas::TablaConColumnasFijas(int fijas, QWidget* parent)
    : QTableView(parent), m_fijas(qMax(0, fijas)) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAlternatingRowColors(true);
    // No indicator yet: the rows stay in the model's order until a click.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    horizontalHeader()->setSectionsMovable(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    if (m_fijas == 0)
        return;

    m_fija = new QTableView(this);
    m_fija->setObjectName(QStringLiteral("columnasFijas"));
    m_fija->setFocusPolicy(Qt::NoFocus);
    m_fija->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fija->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_fija->setAlternatingRowColors(true);
    m_fija->verticalHeader()->hide();
    m_fija->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_fija->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fija->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fija->setVerticalScrollMode(verticalScrollMode());
    m_fija->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    m_fija->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    viewport()->stackUnder(m_fija);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int columna, int, int ancho) {
                if (columna < m_fijas) {
                    m_fija->setColumnWidth(columna, ancho);
                    ajustaGeometria();
                }
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int fila, int, int alto) { m_fija->setRowHeight(fila, alto); });
    connect(m_fija->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_fija->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // Sorting from either header orders the one model both views show.
    connect(m_fija->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int columna) {
        const Qt::SortOrder orden =
            horizontalHeader()->sortIndicatorSection() == columna &&
                    horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder
                ? Qt::DescendingOrder
                : Qt::AscendingOrder;
        sortByColumn(columna, orden);
    });
}

void TablaConColumnasFijas::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    if (!m_fija)
        return;
    m_fija->setModel(model);
    m_fija->setSelectionModel(selectionModel());
    for (int c = 0; c < model->columnCount(); ++c)
        m_fija->setColumnHidden(c, c >= m_fijas);
    m_fija->show();
    ajustaGeometria();
}

int TablaConColumnasFijas::anchoFijo() const {
    int ancho = 0;
    for (int c = 0; c < m_fijas; ++c)
        ancho += columnWidth(c);
    return ancho;
}

void TablaConColumnasFijas::ajustaGeometria() {
    if (!m_fija)
        return;
    for (int c = 0; c < m_fijas; ++c)
        m_fija->setColumnWidth(c, columnWidth(c));
    // Two-line titles elsewhere make the grid's heading taller: the rows
    // only line up with a heading of the same height.
    m_fija->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    m_fija->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), anchoFijo(),
                        viewport()->height() + horizontalHeader()->height());
}

void TablaConColumnasFijas::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    ajustaGeometria();
}

// Moving left past the fixed columns scrolls the rest back into view.
QModelIndex TablaConColumnasFijas::moveCursor(CursorAction cursorAction,
                                              Qt::KeyboardModifiers modifiers) {
    QModelIndex actual = QTableView::moveCursor(cursorAction, modifiers);
    if (m_fija && cursorAction == MoveLeft && actual.column() >= m_fijas &&
        visualRect(actual).topLeft().x() < anchoFijo()) {
        const int nuevo =
            horizontalScrollBar()->value() + visualRect(actual).topLeft().x() - anchoFijo();
        horizontalScrollBar()->setValue(nuevo);
    }
    return actual;
}

void TablaConColumnasFijas::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!m_fija || index.column() >= m_fijas)
        QTableView::scrollTo(index, hint);
}

} // namespace q42
