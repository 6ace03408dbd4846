#include "SeleccionArticulos.h"

#include "Def_QConsulta.h"
#include "Lib_ClsCons3.h"
#include "MascaraConsultas.h"
#include "SentenciasConsulta.h"
#include "core/Carpeta.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"

#include <QFileInfo>

namespace {

// The table of the mask entry captioned "ARTICULOS"; the articles view
// when the file has none.
QString tablaDeArticulos(const QString& rutaMascaras) {
    const QFileInfo info(rutaMascaras);
    const QString ruta = q42::archivoEnCarpeta(info.path(), info.fileName());
    for (const auto& r : q42::mascaras::leeArchivo(ruta))
        if (r.titulo.compare(QLatin1String("ARTICULOS"), Qt::CaseInsensitive) == 0 &&
            !r.nombre.isEmpty())
            return r.nombre;
    return QStringLiteral("V_MA_ARTICULOS");
}

bool contiene(const QStringList& lista, const QString& valor) {
    return lista.contains(valor.trimmed(), Qt::CaseInsensitive);
}

} // namespace

std::optional<QString> EligeArticulos(const QString& listaActual) {
    Lib_ClsCons3& consultas = Lib_ClsCons3::instance();
    consultas.gUsarMascarasConsultas = true;
    if (consultas.gRutaMascaraConsultas.trimmed().isEmpty())
        consultas.gRutaMascaraConsultas =
            q42::archivoEnCarpeta(q42::Utiles::CarpetaConBarra(q42::carpetaAplicacion()),
                                  QStringLiteral("consultas.qvx"));
    const QString tabla = tablaDeArticulos(consultas.gRutaMascaraConsultas);

    QString descripcion, adicional;
    QString clave = QStringLiteral("IDARTICULO");
    DefinirConsulta(tabla, descripcion, clave, adicional, false, QString());

    const QStringList actuales = q42::consultas::valoresLista(listaActual);
    QString preseleccion = actuales.join(QLatin1Char(','));
    consultas.Checks = true;
    consultas.CampoDevuelto = clave;
    consultas.ConsultaSearch(tabla, nullptr, nullptr, nullptr, nullptr, nullptr, false,
                             &preseleccion);
    if (consultas.Cancelado)
        return std::nullopt;

    QStringList elegidos = consultas.ValoresNoMostrados;
    for (const QVariant& v : std::as_const(consultas.Valores))
        if (!v.toString().trimmed().isEmpty())
            elegidos << v.toString().trimmed();
    // The codes that stay keep their place; new ones follow in list order.
    QStringList codigos;
    for (const QString& c : actuales)
        if (contiene(elegidos, c) && !contiene(codigos, c))
            codigos << c;
    for (const QString& c : std::as_const(elegidos))
        if (!contiene(codigos, c))
            codigos << c;
    QStringList citados;
    for (const QString& c : std::as_const(codigos))
        citados << DB_Dll::Comillas(c);
    return citados.join(QLatin1Char(','));
}
