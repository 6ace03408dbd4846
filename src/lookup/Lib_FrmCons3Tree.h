#pragma once

// The tree lookup dialog, captioned "Consulta...": the rows of a statement
// (code, description) as a tree in which a longer code lies below the
// shorter one before it. The twin of the list dialog: one search box, the
// same three buttons, a tree in place of the list.

#include "DialogoConsulta.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

class Lib_FrmCons3Tree : public q42::consultas::DialogoConsulta {
    Q_OBJECT
public:
    explicit Lib_FrmCons3Tree(QWidget* parent = nullptr);
    ~Lib_FrmCons3Tree() override;

    // The properties, results and buttons are those of DialogoConsulta.
    QTreeWidget* TreeV = nullptr;
    QComboBox* CmbSearch = nullptr;

    void Cargar();
    void ArmarTreeVAutomatico();
    // F5 in the search box: a condition on Descripcion, then a reload.
    void NuevaBusqueda();
    // "&Nueva Busqueda": the tree rebuilt from the current statement.
    void NuevaBusquedaInicial() override;
    void Descargar();

    // Nodes in the order they were added, the root ("A") first.
    const QList<QTreeWidgetItem*>& nodos() const { return m_nodos; }
    QTreeWidgetItem* nodo(const QString& clave) const { return m_claves.value(clave); }
    static QString clave(const QTreeWidgetItem* nodo);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void leeEleccion() override;
    void buscaDeNuevo(int) override { NuevaBusqueda(); }
    void vaALasFilas(int tecla) override;

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
};
