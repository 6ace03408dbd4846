#pragma once

// The month on the declaration window, without the window: its period and
// state, what it was when it came on screen (the stored row, or a new
// month as prepared), what the screen holds now, and what follows: whether
// it changed, and which opening stocks the carry-over changed from the
// stored ones. "Changed" is the screen against that reference, never "a key
// was pressed": a carried stock that differs from the stored one counts.

#include "ColumnasDeclaracion.h"
#include "Revision.h"
#include "Totales.h"
#include "core/Currency.h"

#include <QHash>
#include <QString>
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace declaracion {

enum class EstadoMes { Ninguno, Nuevo, Guardado };

// An opening stock the carry-over put over the stored one.
struct CambioDeArrastre {
    int caja = -1;
    q42::Currency guardada;
    q42::Currency arrastrada;
};

// Also the screen the totals read and write: the value labels' captions
// live here, and the window shows them.
class MesEnPantalla : public PantallaTotales {
public:
    static constexpr int kCuantosAjustes = int(declaracion::kAjustes.size());

    // No month on screen.
    void cierra();
    // A month comes on screen: its period and state; what the screen holds
    // now becomes the reference (the row as shown, or the prepared month).
    void abre(const QString& periodo, EstadoMes estado);
    void fijaReferencia();

    // The view reports every text of its boxes (txtFields by index, the
    // settings of the "Formulas" tab by their order in kAjustes).
    void ponCaja(int caja, const QString& texto);
    void ponAjuste(int indice, const QString& texto);
    QString caja(int caja) const override { return m_cajas.at(size_t(caja)); }
    QString ajuste(int indice) const { return m_ajustes.at(size_t(indice)); }
    QString etiqueta(const QString& nombre) const override { return m_etiquetas.value(nombre); }
    void ponEtiqueta(const QString& nombre, const QString& texto) override {
        m_etiquetas.insert(nombre, texto);
    }

    // The carry-over from `periodoAnterior`: the carried texts by box.
    void ponArrastre(const QString& periodoAnterior,
                     const std::vector<std::pair<int, QString>>& cajas);
    void sinArrastre();

    // The period a save writes, delete removes and print shows: the one
    // confirmed, or the row the navigation brought.
    QString periodo() const { return m_periodo; }
    void ponPeriodo(const QString& periodo) { m_periodo = periodo.trimmed(); }
    EstadoMes estado() const { return m_estado; }
    // Why nothing may be saved, printed or deleted with `periodoEscrito` in
    // the period box (another month typed and not confirmed, none at all),
    // or empty: the entries would go under another key.
    QString motivoParaNoGuardar(const QString& periodoEscrito) const;
    // The figure of a box, empty when its text is none.
    std::optional<q42::Currency> cifra(int caja) const { return leeCantidad(caja_(caja)); }
    // The state alone, the reference kept (a save re-checking its period).
    void ponEstado(EstadoMes estado) {
        m_estado = estado;
        m_baja = false;
    }
    bool esNuevo() const { return m_estado == EstadoMes::Nuevo; }
    bool esGuardado() const { return m_estado == EstadoMes::Guardado; }
    // Deleting the month was confirmed: it is neither new nor stored.
    void marcaBaja() {
        m_estado = EstadoMes::Ninguno;
        m_baja = true;
    }
    bool esBaja() const { return m_baja; }
    // The last check of a box or the last save failed.
    void ponError(bool error) { m_error = error; }
    bool huboError() const { return m_error; }
    bool conCambios() const;
    // "07/2025 — nueva", "06/2025 — guardada", "06/2025 — con cambios"; empty
    // without a month.
    QString titulo() const;

    // The opening stocks of a stored month that the carry-over changed and
    // that still show the carried figure.
    std::vector<CambioDeArrastre> cambiosDeArrastre() const;
    // "Existencias iniciales tomadas del cierre de 02/2025: trigo 1.671,08 →
    // 967,20"; empty when the carry-over changed nothing.
    QString avisoDeArrastre() const;
    // Findings for the checks before signing: each carried change, and a
    // stored month's opening stock that differs from the previous close.
    std::vector<Hallazgo> hallazgosDeArrastre() const;
    // Figures filled from the business database's books: the value and
    // how many documents it comes from, by box, until another month comes.
    void ponDeLibros(int caja, q42::Currency valor, int comprobantes);
    void sinLibros();
    std::optional<q42::Currency> deLibros(int caja) const { return m_libros.at(size_t(caja)); }
    int comprobantes(int caja) const { return m_comprobantes.at(size_t(caja)); }
    // Filled from the books and still showing that figure.
    bool comoEnLibros(int caja) const;
    // Some figure was filled from the books.
    bool llenoDeLibros() const;
    // Boxes filled from the books and changed by hand since.
    std::vector<int> cambiadasAMano() const;

    // The box's text as it was when the month came on screen.
    QString referencia(int caja) const { return m_referencia.at(size_t(caja)); }

private:
    const QString& caja_(int c) const { return m_cajas.at(size_t(c)); }
    QString m_periodo;
    EstadoMes m_estado = EstadoMes::Ninguno;
    bool m_baja = false;
    bool m_error = false;
    QHash<QString, QString> m_etiquetas;
    std::array<QString, kCajas> m_cajas;
    std::array<QString, kCuantosAjustes> m_ajustes;
    std::array<QString, kCajas> m_referencia;
    std::array<QString, kCuantosAjustes> m_referenciaAjustes;
    QString m_periodoAnterior;
    std::array<std::optional<q42::Currency>, kCajas> m_arrastre;
    std::array<std::optional<q42::Currency>, kCajas> m_libros;
    std::array<int, kCajas> m_comprobantes{};
};

// The name of an opening stock in messages: "trigo", "000" ... "BASURA".
QString nombreDeExistencia(int caja);

} // namespace declaracion
