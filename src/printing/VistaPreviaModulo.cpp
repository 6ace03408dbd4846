// The module "q42_printing": Qt's print preview of a report. Loaded on
// first use (widgets/Modulos.h), so the start never loads Qt Print Support.
// Links Qt Widgets and Qt Print Support, none of the program's libraries
// (it uses only the request's types from their headers); everything of the
// program it needs comes in the request.

#include "core/MsgBox.h"
#include "widgets/Modulos.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {

// The dialog owns its printer, which must outlive the preview's pages: held
// by a base constructed before the dialog and destroyed after it.
struct ConImpresora {
    std::unique_ptr<QPrinter> impresora;
};

class DialogoVistaPrevia : private ConImpresora, public QPrintPreviewDialog {
public:
    DialogoVistaPrevia(std::unique_ptr<QPrinter> propia, QWidget* padre)
        : ConImpresora{std::move(propia)}, QPrintPreviewDialog(impresora.get(), padre) {}
};

} // namespace

extern "C" Q_DECL_EXPORT QDialog* q42_creaVistaPrevia(const q42::PedidoVistaPrevia& pedido,
                                                      QWidget* padre) {
    auto impresora = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!pedido.impresora.isEmpty())
        impresora->setPrinterName(pedido.impresora);
    if (pedido.pagina)
        impresora->setPageLayout(*pedido.pagina);
    impresora->setDocName(pedido.titulo);
    auto* dialogo = new DialogoVistaPrevia(std::move(impresora), padre);
    dialogo->setWindowTitle(QStringLiteral("Vista previa - %1").arg(pedido.titulo));
    // The request outlives the dialog: the caller runs and deletes it.
    QObject::connect(dialogo, &QPrintPreviewDialog::paintRequested, dialogo,
                     [&pedido](QPrinter* p) {
                         QPainter painter(p);
                         pedido.dibuja(painter, *p);
                     });
    if (auto* vista = dialogo->findChild<QPrintPreviewWidget*>()) {
        if (pedido.ajustarAlAncho) {
            vista->setZoomMode(QPrintPreviewWidget::FitToWidth);
        } else if (pedido.zoomPorCiento > 0) {
            vista->setZoomMode(QPrintPreviewWidget::CustomZoom);
            vista->setZoomFactor(pedido.zoomPorCiento / 100.0);
        } else {
            vista->setZoomMode(QPrintPreviewWidget::FitInView);
        }
    }
    return dialogo;
}

// The program calls it through this type.
static_assert(std::is_same_v<decltype(&q42_creaVistaPrevia), q42::CreaVistaPrevia>);
