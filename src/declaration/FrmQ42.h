#pragma once

// The declaration window: the program's only business form. One month's
// declaration at a time, in two modes: browse (only the period box open,
// the navigation bar walks the rows) and edit (every box open). The month
// itself (period, state, changes, carry-over, totals) is its model,
// MesEnPantalla; the window shows it and hands it the operator's actions. Its code is
// split by concern: FrmQ42.cpp builds the window, FrmQ42_Ciclo.cpp the
// lifecycle and modes, FrmQ42_Totales.cpp the totals, FrmQ42_Registro.cpp
// loading and saving, FrmQ42_Arrastre.cpp the carry-over, FrmQ42_Campos.cpp
// the field events and checks, FrmQ42_Barras.cpp the bars and keys,
// FrmQ42_Consulta.cpp the lookups.

#include "MesEnPantalla.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace ado {
class Recordset;
}

namespace declaracion {
struct Hallazgo;
struct FigurasDeclaracion;
struct PedidoLibros;
} // namespace declaracion

namespace q42 {
class NavBar;
class PanelBar;
} // namespace q42

class FrmQ42 : public QWidget {
    Q_OBJECT
public:
    explicit FrmQ42(QWidget* parent = nullptr);
    ~FrmQ42() override;

    q42::PanelBar* PanelBar1;
    q42::NavBar* NavBar1;
    QLabel* StbEstado; // status line: what the last save or delete did
    // Browse mode: the month shown and where it stands ("06/2025 — 24 de 24").
    QLabel* StbPosicion;
    QTabWidget* SSTab1;
    QPushButton* CmdCalcular;
    // The instructions on "Formulas".
    QLabel* Text1;

    QString TablaActiva;

    // The state of the month on screen, as its model holds it.
    bool EsNuevo() const { return m_mes.esNuevo(); }        // no row yet
    bool EsBaja() const { return m_mes.esBaja(); }          // deleting it was confirmed
    bool EsExistente() const { return m_mes.esGuardado(); } // read from its row
    bool HuboError() const { return m_mes.huboError(); }    // the last check or save failed
    // The month on screen: its period, state, changes and totals.
    const declaracion::MesEnPantalla& mes() const { return m_mes; }

    // Form state shared by every routine of the window.
    bool Grabando() const { return m_grabando; }           // a save is running
    qint16 IndiceActual() const { return m_indiceActual; } // box last focused or clicked
    bool SinAnterior() const { return m_sinAnterior; }     // no previous month carried

    // The bound boxes (txtFields_0 .. txtFields_40) and the settings boxes
    // of the "Formulas" tab by control name (Txt000 .. TxtCosecha).
    QLineEdit* txtFields(int indice) const;
    QList<QLineEdit*> cajas() const;
    QLineEdit* caja(const QString& control) const;
    // A value label by name (LblTotIngresos, LblF000 ...).
    QLabel* etiqueta(const QString& nombre) const;
    // The form's record set on the declaration table, created on first use.
    ado::Recordset& RsDatos();

    // Lifecycle and modes.
    void Form_Load();
    void Inicializa();
    void InicializaDetalle();
    void DetalleOn(bool Off);
    void AbrirRecordset(const QString& Tabla);
    // Drops the list of months; the next move among them reads it afresh.
    void olvidaLista();
    void Form_Unload(int Cancel = 0);

    // Totals of the wheat, then of the products.
    void TotalizaP();
    void TotalizaSP();

    // Loading and saving.
    void CargaRegistro();
    void GrabaRegistro();
    void PeriodoAnterior();
    // The month and the one before it, read together into the record set;
    // true when the month has a row (the current one then).
    bool leePeriodo(const QString& valor);

    // Field checks.
    bool FormateaPeriodoAnio(QString& Palabra, QLineEdit* Caja);
    void CampoValida(int Index, QLineEdit* Texto);
    bool Datosvalidos();

    // Bars and keys. Form_KeyDown tells whether the command bar took the key.
    void PanelBar1_ButtonClick(const QString& Key);
    void NavBar1_ButtonClick(const QString& Key);
    bool Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);

    // Lookup for the box of IndiceActual; the articles lookup of a product's
    // code list on the "Formulas" tab.
    void ConsultaCampo();
    void EligeArticulosProducto(int producto);

    // "&Calcular": the five consumption boxes from the month's sales.
    void CmdCalcular_Click();
    // "Desde los &libros": every figure the books hold, each marked with
    // its documents; F9 on a marked box lists them.
    void CmdLibros_Click();
    void OrigenDeCaja(int Index);
    QPushButton* CmdLibros;
    // Prints the declaration on screen through the report "Q42".
    void Imprimir();
    // No month on screen nor typed: asks for "Desde" and "Hasta" and previews the
    // stored months between them, one page each in date order.
    void ImprimirRango();

Q_SIGNALS:
    // Form_Unload ended the program: the application quits on it.
    void terminado();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    // Construction.
    void creaCajas();
    QWidget* creaPestaniaDatos();
    QWidget* creaPestaniaFormulas();
    QWidget* creaGrillaProductos();
    QLabel* creaEtiqueta(const QString& nombre);

    // Field events of txtFields.
    void txtFields_GotFocus(int Index);
    void txtFields_LostFocus(int Index);
    bool txtFields_KeyDown(int Index, int KeyCode, Qt::KeyboardModifiers Shift);
    void txtFields_KeyUp(int Index);
    void txtFields_MouseDown(int Index, Qt::MouseButton Button);
    void ponConsulta(int Index);
    void validaPeriodo(const QString& valor);
    bool dejaPorOtroPeriodo(const QString& valor);
    void muestraAviso(const QString& mensaje, QLineEdit* caja);
    void seleccionaPeriodo();
    void leeEtiquetasConsulta();
    int indiceDe(const QObject* objeto) const;
    bool periodoParaGrabar();
    void releePeriodo();
    void muestraPosicion();
    bool teclaDeMes(int KeyCode);

    // The declaration on screen and its unsaved edits (FrmQ42_Cambios.cpp).
    bool periodoEnPantalla();
    bool dejaDeclaracion();
    bool grabaDeclaracion();
    void cancelaDeclaracion();
    void vigilaCambios();
    void muestraEstadoDelMes();
    // Every figure box holds a figure (F6 saves without the period's check).
    bool cifrasValidas();

    // The books (FrmQ42_Libros.cpp).
    declaracion::PedidoLibros pedidoLibros() const;
    void muestraMarcaLibros(int Index);
    std::vector<declaracion::Hallazgo>
    hallazgosDeLibros(const declaracion::FigurasDeclaracion& figuras) const;

    // The checks before signing (FrmQ42_Revision.cpp).
    std::vector<declaracion::Hallazgo> hallazgos() const;
    bool revisaAntesDe(const QString& seguir);

    // Runs an event of the window; a failure no routine met is shown.
    void protegido(const QString& rutina, const std::function<void()>& accion);

    QList<QLineEdit*> m_txtFields;
    QList<QLineEdit*> m_ajustes;
    QList<QLabel*> m_etiquetas;
    QList<QToolButton*> m_botonesArticulos;
    std::unique_ptr<ado::Recordset> m_rsDatos;
    bool m_listaCargada = false; // the record set holds every month, in order
    // The previous month's row as the last period read found it, by the
    // lower-cased column name; empty without one.
    QHash<QString, QVariant> m_anterior;
    bool m_edicion = false; // edit mode
    bool m_grabando = false;
    qint16 m_indiceActual = 0;
    bool m_sinAnterior = false;
    // The month on screen against what it was when it came: its state, its
    // changes, the carry-over's changes of stored stocks.
    declaracion::MesEnPantalla m_mes;
    bool m_descargado = false;
    // Box whose key press is waiting for its release: a release that closed
    // a message box elsewhere is no key of the box.
    int m_teclaPendiente = -1;
    // The box's text when that key went down: only a key that changed it
    // shapes the period.
    QString m_textoAlPulsar;
};
