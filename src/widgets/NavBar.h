#pragma once

// The navigation bar of a form that browses rows: first, previous, next,
// last and filter, reported by key ("PRIMERO" ... "FILTRAR").

#include <QHash>
#include <QString>
#include <QWidget>

class QToolButton;

namespace q42 {

class NavBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool navenabled READ navenabled WRITE setNavenabled)
    Q_PROPERTY(int StyleBar READ StyleBar WRITE setStyleBar)

public:
    explicit NavBar(QWidget* parent = nullptr);

    static QStringList claves();
    QToolButton* boton(const QString& clave) const;

    bool navenabled() const { return m_habilitada; }
    void setNavenabled(bool on);

    // 0 raised buttons, any other value flat ones.
    int StyleBar() const { return m_estilo; }
    void setStyleBar(int estilo);

Q_SIGNALS:
    void ButtonClick(const QString& key);

private:
    QHash<QString, QToolButton*> m_botones;
    bool m_habilitada = true;
    int m_estilo = 0;
};

} // namespace q42
