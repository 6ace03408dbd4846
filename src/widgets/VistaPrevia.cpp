#include "VistaPrevia.h"

#include "Modal.h"
#include "Modulos.h"
#include "core/MsgBox.h"

#include <QDialog>
#include <QFileDialog>
#include <QToolBar>
#include <memory>

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
    QString error;
    const auto crea = reinterpret_cast<CreaVistaPrevia>(
        funcionDeModulo(kModuloImpresion, kCreaVistaPrevia, &error));
    if (!crea) {
        MsgBox(QStringLiteral("No se puede mostrar la vista previa de %1.\n%2")
                   .arg(pedido.titulo, error),
               vbCritical, kFuente);
        return;
    }
    const std::unique_ptr<QDialog> dialogo(crea(pedido, nullptr));
    if (auto* barra = dialogo->findChild<QToolBar*>()) {
        barra->addSeparator();
        QAction* guardar = barra->addAction(QStringLiteral("Guardar PDF…"));
        guardar->setObjectName(QStringLiteral("accionGuardarPdf"));
        QObject::connect(guardar, &QAction::triggered, dialogo.get(),
                         [&] { guardaPdfDesde(dialogo.get(), pedido); });
    }
    execModal(dialogo.get());
}

} // namespace q42
