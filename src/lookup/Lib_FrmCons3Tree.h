#pragma once

// The tree lookup dialog, captioned "Consulta...": the rows of a statement
// (code, description) as a tree in which a longer code lies below the
// shorter one before it. The twin of the list dialog: one search box, the
// same three buttons, a tree in place of the list.

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>

class QComboBox;
class QFrame;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class Lib_FrmCons3Tree : public QDialog {
    Q_OBJECT
public:
    explicit Lib_FrmCons3Tree(QWidget* parent = nullptr);
    ~Lib_FrmCons3Tree() override;

    // --- Set by the lookup service ------------------------------------
    QString SQL;
    QString CampoDevuelto;
    bool CheckBoxes = false;

    // --- Results --------------------------------------------------------
    QVariant ValorDevuelto;
    QVariantList Valores;

    QString SQLActual;

    QTreeWidget* TreeV = nullptr;
    QComboBox* CmbSearch = nullptr;
    QFrame* Frame1 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;

    void Cargar();
    void ArmarTreeVAutomatico();
    void Aceptar();
    void Cancelar();
    // F5 in the search box: a condition on Descripcion, then a reload.
    void NuevaBusqueda();
    // "&Nueva Busqueda": the tree rebuilt from the current statement.
    void NuevaBusquedaInicial();
    void Descargar();

    // Nodes in the order they were added, the root ("A") first.
    const QList<QTreeWidgetItem*>& nodos() const { return m_nodos; }
    QTreeWidgetItem* nodo(const QString& clave) const { return m_claves.value(clave); }
    static QString clave(const QTreeWidgetItem* nodo);

    bool terminada() const { return m_terminada; }
    bool cancelada() const { return m_cancelada; }

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QTreeWidgetItem* agregaNodo(QTreeWidgetItem* padre, int posicion, const QString& clave,
                                const QString& texto);
    void ubicaFila(QTreeWidgetItem*& actual, const QString& codigo, const QString& texto);
    void busquedaIncremental();
    void propagaMarca(QTreeWidgetItem* nodo, int columna);
    QTreeWidgetItem* nodoSeleccionado() const;

    QList<QTreeWidgetItem*> m_nodos;
    QHash<QString, QTreeWidgetItem*> m_claves;
    bool m_propagando = false;
    bool m_terminada = false;
    bool m_cancelada = false;
};
