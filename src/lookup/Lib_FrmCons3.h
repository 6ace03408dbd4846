#pragma once

// The list lookup dialog, captioned "Consulta...": the rows of a statement in
// a list with a search box over each column. The lookup service sets its
// properties, loads it (Cargar), shows it modally and reads the results.
// Typing into a box selects the first row that starts with the text; F5
// adds a condition on that column and reloads.

#include "DialogoConsulta.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <optional>

class QComboBox;
class QScrollBar;
class QTableView;
class QWidget;
class QKeyEvent;

namespace ado {
class Recordset;
}
namespace q42::consultas {
class ModeloConsulta;
}

class Lib_FrmCons3 : public q42::consultas::DialogoConsulta {
    Q_OBJECT
public:
    explicit Lib_FrmCons3(QWidget* parent = nullptr);
    ~Lib_FrmCons3() override;

    // --- Set by the lookup service (with those of DialogoConsulta) -----
    std::optional<QStringList> CmpsDevueltos;
    QString FiltroInicial;
    QString CampoBusqueda;
    bool OrdenarPorLwv = false;
    QString ValoresDefault;
    QVariant StkNivel1;
    QVariant StkNivel2;
    QVariant StkNivel3;
    QVariant StkNivel4;
    QString MuestraStock;
    bool CfgUsaConsultaLIKE = false;
    bool UsaCantidades = false;
    QString gConnString;
    bool GrabarCfg = false;

    // --- Results (with those of DialogoConsulta) ------------------------
    QVariantList Cantidades;
    // Preselected values that no row of the list showed: the operator could
    // not untick them, so a caller that writes the choice back keeps them.
    QStringList ValoresNoMostrados;

    // --- State ----------------------------------------------------------
    QString SQLOriginal;
    QString TablaConsulta;
    bool EsArticulos = false;
    int BuscadorActivo = 0;

    // --- Controls ---------------------------------------------------------
    QTableView* ListView1 = nullptr;
    QList<QComboBox*> CmbSearch;
    QWidget* picFields = nullptr;
    QScrollBar* HScroll1 = nullptr;
    q42::consultas::ModeloConsulta* modelo() const { return m_modelo; }

    // --- Operations -------------------------------------------------------
    // Loads the statement: columns, rows, saved widths and sizes.
    void Cargar();
    // Position (from 1) of the first column whose header is the name,
    // letter case and blanks ignored; 0 when none.
    int IndiceColumna(const QString& Columna) const;
    // Row (from 1, in list order) whose text in column Clave (from 0)
    // starts with QueValor; 0 when none.
    long Busqueda(long Clave, const QString& QueValor) const;
    void CalcularAncho();

    // F5 in search box i.
    void NuevaBusqueda(int i);
    // "&Nueva Busqueda": the first statement again.
    void NuevaBusquedaInicial() override;
    // Keys of the list; true when the key was used up.
    bool ListView1_KeyDown(int tecla, Qt::KeyboardModifiers shift, const QString& texto);
    // F12 on an articles list: reports the selected article as missing.
    void InformaFaltante();
    // Saves the widths when asked to and empties the list.
    void Descargar();

    // Selected row in list order, -1 when none.
    int filaSeleccionada() const;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void leeEleccion() override;
    void olvidaEleccion() override;
    void buscaDeNuevo(int i) override { NuevaBusqueda(i); }
    void vaALasFilas(int tecla) override;

private:
    void Encolumnar(ado::Recordset& rs);
    void Leer(ado::Recordset& rs, long Cdesde, int Cuantas = 0);
    // An articles list that colours rows by their stock.
    bool coloreaStock() const;
    void aplicaAnchosGrabados();
    void grabaAnchos();
    QComboBox* buscador(int i);
    void ubicaBuscadores();
    void busquedaIncremental(int i);
    void seleccionaFila(int fila);
    void ordenaPorColumna(int columna);
    void cambiaCantidad(int fila, int delta);
    void pideCantidad(int fila);
    void anotaMarca(int fila, bool marcada);
    void marcaValor(const QString& valor, bool marcada);
    QString valorDevueltoDeFila(int fila) const;
    int columnaDevuelta() const;
    QString valorColumna(int fila, int columna) const;
    void instalaFiltro(QWidget* w);

    q42::consultas::ModeloConsulta* m_modelo = nullptr;
    QWidget* m_franja = nullptr;
    QStringList m_campos;
    QStringList m_marcados;        // values ticked so far, kept across reloads
    QSet<QString> m_marcadosClave; // the same, lower case
    QSet<QString> m_mostrados;     // returned values of the loaded rows, lower case
    QList<int> m_anchos;           // widths of the columns being built, in pixels
    QStringList m_encabezados;
    bool m_ascendente = true;
    bool m_descargada = false;
};
