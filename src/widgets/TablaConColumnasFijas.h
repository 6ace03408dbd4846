#pragma once

// A read-only grid whose first columns stay in sight while the rest
// scroll sideways: a second view over the same model and selection lies
// on top of them and follows the grid's rows, widths and sorting.

#include <QTableView>

namespace q42 {

class TablaConColumnasFijas : public QTableView {
    Q_OBJECT
public:
    explicit TablaConColumnasFijas(int fijas, QWidget* parent = nullptr);
    void setModel(QAbstractItemModel* model) override;
    QTableView* fija() const { return m_fija; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    void ajustaGeometria();
    int anchoFijo() const;
    int m_fijas;
    QTableView* m_fija = nullptr;
};

} // namespace q42
