#include "VistaPrevia.h"

#include "Modal.h"
#include "core/MsgBox.h"

#include <QFileDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

namespace q42 {

namespace {

const QString kFuente = QStringLiteral("Reportes");

void guardaPdfDesde(QWidget* padre, const PedidoVistaPrevia& pedido) {
    QFileDialog dialogo(padre, QStringLiteral("Guardar PDF"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialogo.setDefaultSuffix(QStringLiteral("pdf"));
    dialogo.selectFile(pedido.titulo + QStringLiteral(".pdf"));
    if (execModal(&dialogo) != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return;
    QString error;
    if (!pedido.guardaPdf(dialogo.selectedFiles().constFirst(), &error))
        MsgBox(error, vbExclamation, kFuente);
}

} // namespace

void vistaPreviaQt(const PedidoVistaPrevia& pedido) {
    QPrinter printer(QPrinter::HighResolution);
    if (!pedido.impresora.isEmpty())
        printer.setPrinterName(pedido.impresora);
    if (pedido.pagina)
        printer.setPageLayout(*pedido.pagina);
    printer.setDocName(pedido.titulo);
    QPrintPreviewDialog dialogo(&printer);
    dialogo.setWindowTitle(QStringLiteral("Vista previa - %1").arg(pedido.titulo));
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, &dialogo,
                     [&pedido](QPrinter* p) {
                         QPainter painter(p);
                         pedido.dibuja(painter, *p);
                     });
    if (auto* barra = dialogo.findChild<QToolBar*>()) {
        barra->addSeparator();
        QAction* guardar = barra->addAction(QStringLiteral("Guardar PDF…"));
        guardar->setObjectName(QStringLiteral("accionGuardarPdf"));
        QObject::connect(guardar, &QAction::triggered, &dialogo,
                         [&] { guardaPdfDesde(&dialogo, pedido); });
    }
    if (auto* vista = dialogo.findChild<QPrintPreviewWidget*>()) {
        if (pedido.ajustarAlAncho) {
            vista->setZoomMode(QPrintPreviewWidget::FitToWidth);
        } else if (pedido.zoomPorCiento > 0) {
            vista->setZoomMode(QPrintPreviewWidget::CustomZoom);
            vista->setZoomFactor(pedido.zoomPorCiento / 100.0);
        } else {
            vista->setZoomMode(QPrintPreviewWidget::FitInView);
        }
    }
    execModal(&dialogo);
}

} // namespace q42
