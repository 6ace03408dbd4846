#pragma once

namespace q42 {

struct PedidoVistaPrevia;

// The print preview window of a report, from which the operator prints or
// saves a PDF ("Guardar PDF…"); run through the modal-dialog seam.
void vistaPreviaQt(const PedidoVistaPrevia& pedido);

} // namespace q42
