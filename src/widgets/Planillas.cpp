#include "Planillas.h"

#include "Modal.h"
#include "TablaConColumnasFijas.h"
#include "core/AjustesUsuario.h"
#include "core/Error.h"
#include "core/MsgBox.h"
#include "report/Reportes.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace q42 {

namespace {

const QString kTitulo = QStringLiteral("Planillas");

} // namespace

void ExportaCsv(QWidget* ventana, const ModeloPlanilla& modelo, const QString& sugerido,
                QLabel* estado) {
    QFileDialog dialogo(ventana, QStringLiteral("Exportar CSV"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilter(QStringLiteral("CSV (*.csv)"));
    dialogo.setDefaultSuffix(QStringLiteral("csv"));
    dialogo.selectFile(sugerido + QStringLiteral(".csv"));
    if (execModal(&dialogo) != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return;
    const QString archivo = dialogo.selectedFiles().constFirst();
    // Written aside and renamed at the end: a failed export leaves no half file.
    QSaveFile salida(archivo);
    QString error;
    if (salida.open(QIODevice::WriteOnly) && EscribeCsv(&salida, modelo, &error) &&
        salida.commit()) {
        estado->setText(QStringLiteral("%1 filas exportadas a %2")
                            .arg(modelo.rowCount())
                            .arg(QDir::toNativeSeparators(archivo)));
        return;
    }
    if (error.isEmpty())
        error = salida.errorString();
    MsgBox(QStringLiteral("No se pudo exportar a \"%1\": %2")
               .arg(QDir::toNativeSeparators(archivo), error),
           vbExclamation, kTitulo);
}

QWidget* Planillas::MuestraPlanilla(const QString& tabla, const QString& conexionTexto,
                                    const QString& titulo) {
    Q_UNUSED(conexionTexto) // it holds a password: never kept nor shown
    std::unique_ptr<ModeloPlanilla> modelo;
    try {
        modelo = ModeloPlanilla::deTabla(tabla, Reportes::conexion());
    } catch (const Error& e) {
        MsgBox(QStringLiteral("No se puede mostrar la planilla de %1:\n%2")
                   .arg(tabla.trimmed(), e.description()),
               vbCritical, kTitulo);
        return nullptr;
    }

    OpcionesPlanilla opciones;
    opciones.titulo = titulo;
    opciones.nombre = tabla.trimmed();
    return MuestraModelo(std::move(modelo), opciones);
}

QWidget* Planillas::MuestraModelo(std::unique_ptr<ModeloPlanilla> modelo,
                                  const OpcionesPlanilla& opciones) {
    auto* ventana = new QWidget(nullptr, Qt::Window);
    ventana->setObjectName(QStringLiteral("Planilla"));
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->setWindowTitle(opciones.titulo);
    modelo->setParent(ventana);
    ModeloPlanilla* m = modelo.release();

    auto* vista = new TablaConColumnasFijas(opciones.columnasFijas, ventana);
    vista->setObjectName(QStringLiteral("tabla"));
    vista->setModel(m);
    vista->resizeColumnsToContents();
    // The widths and order the operator gave are kept for the next time.
    QHeaderView* cabecera = vista->horizontalHeader();
    const QString clave = QStringLiteral("Planillas/%1/columnas").arg(opciones.nombre);
    cabecera->restoreState(AjustesUsuario().value(clave).toByteArray());
    cabecera->setSortIndicator(-1, Qt::AscendingOrder);
    const auto guarda = [cabecera, clave] {
        AjustesUsuario().setValue(clave, cabecera->saveState());
    };
    QObject::connect(cabecera, &QHeaderView::sectionResized, ventana, guarda);
    QObject::connect(cabecera, &QHeaderView::sectionMoved, ventana, guarda);

    auto* estado = new QLabel(QStringLiteral("%1 filas").arg(m->rowCount()), ventana);
    estado->setObjectName(QStringLiteral("lblEstado"));
    auto* exportar = new QPushButton(QStringLiteral("Exportar CSV…"), ventana);
    exportar->setObjectName(QStringLiteral("cmdExportar"));
    auto* cerrar = new QPushButton(QStringLiteral("Cerrar"), ventana);
    cerrar->setObjectName(QStringLiteral("cmdCerrar"));
    const QString sugerido = opciones.nombre;
    QObject::connect(exportar, &QPushButton::clicked, ventana,
                     [=] { ExportaCsv(ventana, *m, sugerido, estado); });
    QObject::connect(cerrar, &QPushButton::clicked, ventana, &QWidget::close);
    // Esc closes it, as it closes the program's dialogs.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), ventana);
    esc->setContext(Qt::WindowShortcut);
    QObject::connect(esc, &QShortcut::activated, ventana, &QWidget::close);

    auto* botones = new QHBoxLayout;
    botones->addWidget(estado, 1);
    botones->addWidget(exportar);
    botones->addWidget(cerrar);
    auto* layout = new QVBoxLayout(ventana);
    if (opciones.pestania) {
        auto* pestanias = new QTabWidget(ventana);
        pestanias->setObjectName(QStringLiteral("pestanias"));
        pestanias->addTab(vista, QStringLiteral("Planilla"));
        pestanias->addTab(opciones.pestania, opciones.tituloPestania);
        layout->addWidget(pestanias);
    } else {
        layout->addWidget(vista);
    }
    layout->addLayout(botones);
    ventana->resize(900, 500);
    ventana->show();
    return ventana;
}

} // namespace q42
