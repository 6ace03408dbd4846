// Lookups from the window: a box's tag names its lookup (a calendar, the
// customers or a code table), and the product code lists of the "Formulas"
// tab are picked from the articles.

#include "ColumnasDeclaracion.h"
#include "FrmQ42.h"
#include "core/ArchivoIni.h"
#include "core/Carpeta.h"
#include "core/Utiles.h"
#include "lookup/Def_QConsulta.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/SeleccionArticulos.h"
#include "widgets/Formularios.h"
#include "widgets/UtilesUi.h"

#include <QLineEdit>

using namespace declaracion;
using q42::Formularios;

// A site gives a box its lookup in the settings file, section "Consultas",
// under the box's column name.
void FrmQ42::leeEtiquetasConsulta() {
    // One read of the file for all the boxes.
    const QString ini = q42::ArchivoIni::leeTexto(QStringLiteral("ZK000pr.INI"));
    for (QLineEdit* c : std::as_const(m_txtFields)) {
        const QString columna = c->property(Formularios::DataField).toString();
        c->setProperty(Formularios::Tag, q42::ArchivoIni::leeDeTexto(
                                             ini, QStringLiteral("Consultas"), columna, QString()));
    }
}

void FrmQ42::ConsultaCampo() {
    QLineEdit* c = txtFields(m_indiceActual);
    const QString tag = c->property(Formularios::Tag).toString();
    if (tag.trimmed().isEmpty())
        return;
    Lib_ClsCons3& consultas = Lib_ClsCons3::instance();
    consultas.gUsarMascarasConsultas = true;
    // The mask file whatever the letter case of its name.
    consultas.gRutaMascaraConsultas = q42::archivoEnCarpeta(
        q42::Utiles::CarpetaConBarra(q42::carpetaAplicacion()), QStringLiteral("CONSULTAS.QVX"));

    QString valor;
    const bool fecha = tag.compare(QLatin1String("FECHA"), Qt::CaseInsensitive) == 0;
    if (fecha) {
        valor = q42::UtilesUi::EligeFecha();
    } else if (tag.compare(QLatin1String("VT_CLIENTES"), Qt::CaseInsensitive) == 0) {
        consultas.CampoDevuelto = QStringLiteral("CODIGO");
        QString filtro, busqueda, condicion, alternativa;
        consultas.ConsultaSearch(tag, nullptr, &filtro, &busqueda, &condicion, &alternativa, false,
                                 nullptr);
        valor = consultas.ValorDevuelto.toString();
    } else {
        QString descripcion, clave, adicional;
        DefinirConsulta(tag, descripcion, clave, adicional, true, QString());
        valor = clave;
    }
    // Nothing chosen (the dialog cancelled): the box stays as it was.
    if (valor.trimmed().isEmpty())
        return;
    c->setText(fecha ? valor : valor.trimmed());
    // Confirmed as if the operator had pressed Enter.
    txtFields_KeyDown(m_indiceActual, Qt::Key_Return, Qt::NoModifier);
}

void FrmQ42::EligeArticulosProducto(int producto) {
    QLineEdit* c = caja(QLatin1String(kProductos[std::size_t(producto)].cajaCodigos));
    if (const std::optional<QString> lista = EligeArticulos(c->text()))
        c->setText(*lista);
}
