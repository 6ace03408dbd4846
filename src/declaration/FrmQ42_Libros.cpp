// "Desde los libros": the month's figures read from the business database's
// books into the boxes, each one marked with the documents behind it until
// the operator changes it; F9 shows those documents.

#include "ColumnasDeclaracion.h"
#include "DlgOrigen.h"
#include "FrmQ42.h"
#include "Libros.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "widgets/Formularios.h"
#include "widgets/UtilesUi.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace declaracion;
using q42::Currency;

PedidoLibros FrmQ42::pedidoLibros() const {
    PedidoLibros p;
    p.periodo = m_mes.periodo();
    p.unidad = caja(QStringLiteral("TxtEquiv"))->text().trimmed();
    for (int i = 0; i < int(kProductos.size()); ++i)
        p.codigos[size_t(i)] = caja(QLatin1String(kProductos[size_t(i)].cajaCodigos))->text();
    p.otrasSalidasTrigo = m_mes.cifra(kCajaPOtros).value_or(Currency());
    return p;
}

void FrmQ42::CmdLibros_Click() {
    // Only into the month on screen, being edited.
    if (!m_edicion || !periodoEnPantalla())
        return;
    const PedidoLibros pedido = pedidoLibros();
    const AjustesLibros ajustes = leeAjustesLibros();
    if (const QString problema = problemaLibros(pedido, ajustes); !problema.isEmpty()) {
        q42::MsgBox(problema, q42::vbOKOnly + q42::vbInformation,
                    QStringLiteral("Aviso al operador..."));
        return;
    }
    ResultadoLibros libros;
    bool leidos = false;
    q42::StepRunner::run({[&] {
                             q42::UtilesUi::Espera(true);
                             libros = leeLibros(pedido, ajustes);
                             leidos = true;
                         }},
                         [](const q42::Error& e) {
                             q42::UtilesUi::Espera(false);
                             return q42::TrataError(e);
                         });
    q42::UtilesUi::Espera(false);
    if (!leidos)
        return;
    int sinComprobantes = 0;
    for (const FiguraLibros& f : libros.figuras) {
        const int indice = cajaDeColumna(f.columna);
        if (indice < 0)
            continue;
        m_mes.ponDeLibros(indice, f.valor, f.comprobantes);
        txtFields(indice)->setText(f.valor.toFixed(2));
        muestraMarcaLibros(indice);
        if (f.comprobantes == 0)
            ++sinComprobantes;
    }
    TotalizaP();
    StbEstado->setText(
        QStringLiteral("Desde los libros: %1 cifras de %2%3.")
            .arg(libros.figuras.size())
            .arg(m_mes.periodo(),
                 sinComprobantes == 0
                     ? QString()
                     : QStringLiteral(" (%1 sin comprobantes en el mes: quedan en 0,00)")
                           .arg(sinComprobantes)));
}

void FrmQ42::muestraMarcaLibros(int Index) {
    QLineEdit* c = txtFields(Index);
    const bool marcada = m_mes.comoEnLibros(Index);
    c->setToolTip(marcada ? leyendaLibros(m_mes.comprobantes(Index)) : QString());
    // The focus colour stays until the operator leaves the box.
    if (!c->hasFocus())
        txtFields_LostFocus(Index);
}

void FrmQ42::OrigenDeCaja(int Index) {
    if (!m_mes.deLibros(Index)) {
        StbEstado->setText(QStringLiteral("Esta cifra no se llenó desde los libros."));
        return;
    }
    const QString columna = columnaDeCaja(Index);
    const PedidoLibros pedido = pedidoLibros();
    std::vector<LineaOrigen> lineas;
    bool leidas = false;
    q42::StepRunner::run({[&] {
                             lineas = origenDeFigura(columna, pedido, leeAjustesLibros());
                             leidas = true;
                         }},
                         [](const q42::Error& e) { return q42::TrataError(e); });
    if (leidas)
        muestraOrigen(columna, lineas, this);
}

// A figure changed by hand after the fill, and the closing stocks the books
// give: only for a month filled from them (one more statement).
std::vector<Hallazgo> FrmQ42::hallazgosDeLibros(const FigurasDeclaracion& figuras) const {
    std::vector<Hallazgo> lista;
    if (!m_edicion || !m_mes.llenoDeLibros())
        return lista;
    for (int c : m_mes.cambiadasAMano())
        if (auto h = hallazgoCambioManual(columnaDeCaja(c), *m_mes.deLibros(c),
                                          m_mes.cifra(c).value_or(Currency())))
            lista.push_back(*h);
    try {
        for (Hallazgo& h :
             cierreDeLibros(figuras, pedidoLibros(), leeAjustesLibros(), leeToleranciaLibros()))
            lista.push_back(std::move(h));
    } catch (const q42::Error& e) {
        lista.push_back({QStringLiteral("No se pudo comparar el cierre con los libros: %1")
                             .arg(e.description()),
                         -1, QString()});
    }
    return lista;
}
