#pragma once

// What the list and the tree lookup dialogs share: the caption, the three
// buttons below ("&Aceptar", "&Cancelar", "&Nueva Busqueda"), accepting and
// cancelling, the keys of a search box and the properties the lookup
// service sets and reads.

#include "core/StepRunner.h"

#include <QDialog>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <initializer_list>
#include <utility>

class QFrame;
class QPushButton;

namespace q42::consultas {

class DialogoConsulta : public QDialog {
    Q_OBJECT
public:
    ~DialogoConsulta() override;

    // --- Set by the lookup service ------------------------------------
    QString SQL;
    QString CampoDevuelto;
    bool CheckBoxes = false;

    // --- Results --------------------------------------------------------
    QVariant ValorDevuelto;
    QVariantList Valores;

    QString SQLActual;

    QFrame* Frame1 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;

    // Reads the choice and closes; a failure the operator abandons while
    // reading it leaves the dialog open.
    void Aceptar();
    void Cancelar();
    // "&Nueva Busqueda".
    virtual void NuevaBusquedaInicial() = 0;

    // The lookup ended by accepting or by cancelling (false while open).
    bool terminada() const { return m_terminada; }
    bool cancelada() const { return m_cancelada; }

    void accept() override;
    void reject() override;

protected:
    explicit DialogoConsulta(QWidget* parent);

    // The parts above the buttons with their stretch, then the buttons.
    // Called once the parts exist, so that they come first in tab order.
    void armaVentana(std::initializer_list<std::pair<QWidget*, int>> partes);
    // A new load: the dialog is open again.
    void reabre() { m_terminada = m_cancelada = false; }

    // F5, the arrows and pages, Enter and Escape in search box i; true when
    // the key was used up.
    bool teclaDeBuscador(int i, int tecla);

    // Fills the results from the selection or the ticks.
    virtual void leeEleccion() = 0;
    // Results beyond the shared ones to forget on cancelling.
    virtual void olvidaEleccion() {}
    // F5 in search box i.
    virtual void buscaDeNuevo(int i) = 0;
    // An arrow or page key in a search box moves on to the rows.
    virtual void vaALasFilas(int tecla) = 0;

    static StepRunner::Handler trataError(const QString& rutina);

private:
    bool m_terminada = false;
    bool m_cancelada = false;
};

} // namespace q42::consultas
