#include "Reportes.h"

#include "ReporteDefinicion.h"
#include "ReporteRender.h"
#include "ReporteSeleccion.h"
#include "core/Carpeta.h"
#include "core/Currency.h"
#include "core/Error.h"
#include "core/MsgBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QSaveFile>
#include <QScopeGuard>

namespace q42 {

namespace {

using namespace reporte;

struct Estado {
    QString carpeta;
    QMap<int, QString> extras;
    bool ajusteA = false;
    double ajusteB = 0;
    std::shared_ptr<ado::Connection> conexion;
};

Estado& estado() {
    static Estado e;
    return e;
}

const QString kFuente = QStringLiteral("Reportes");

// What a print needs, read before anything is shown.
struct Trabajo {
    Definicion def;
    QVector<DatosPagina> paginas;
    QString titulo;
    QString impresora;
};

enum class Preparado { Listo, SinDefinicion, SinFilas };

bool esNumerico(int tipo) {
    static const QList<int> tipos{
        ado::adSmallInt,         ado::adInteger,     ado::adSingle,  ado::adDouble,
        ado::adCurrency,         ado::adDecimal,     ado::adTinyInt, ado::adUnsignedTinyInt,
        ado::adUnsignedSmallInt, ado::adUnsignedInt, ado::adBigInt,  ado::adUnsignedBigInt,
        ado::adNumeric,          ado::adVarNumeric};
    return tipos.contains(tipo);
}

QString literal(const QString& valor, int tipo) {
    if (esNumerico(tipo))
        if (const auto n = Currency::parse(valor); n && !valor.trimmed().isEmpty())
            return n->toSqlText();
    return textoEntreComillas(valor);
}

QString faltaDefinicion(const QString& nombre, const QStringList& buscados) {
    QStringList carpetas;
    for (const QString& c : buscados)
        carpetas << QDir::toNativeSeparators(c);
    return QStringLiteral("No se encuentra la definición del reporte \"%1\": falta el archivo "
                          "\"%1.json\".\nSe buscó en:\n%2")
        .arg(nombre, carpetas.join(QLatin1Char('\n')));
}

QHash<QString, QString> valoresDe(const QStringList& textos) {
    QHash<QString, QString> out;
    QString nombre, valor;
    for (const QString& t : textos)
        if (Reportes::LeeFormula(t, &nombre, &valor))
            out.insert(nombre.toLower(), valor);
    return out;
}

// A part's rows and the formula values of its pages.
struct Parte {
    QString seleccion;
    QHash<QString, QString> valores;
};

// The single part of Imprime: the array, then the slots (the extras of
// FormulasExtra over the five of the call). The extras hold for one print.
Parte parteUnica(const QStringList& arreglo, const QString& seleccion, const QString (&f)[5]) {
    const auto limpia = qScopeGuard([] { estado().extras.clear(); });
    QMap<int, QString> ranuras = estado().extras;
    for (int i = 0; i < 5; ++i)
        if (!ranuras.contains(i))
            ranuras.insert(i, f[i]);
    return {seleccion, valoresDe(arreglo + ranuras.values())};
}

QVector<Parte> partesDe(const QVector<ParteReporte>& partes) {
    estado().extras.clear();
    QVector<Parte> out;
    for (const ParteReporte& p : partes)
        out.push_back({p.seleccion, valoresDe(p.formulas)});
    return out;
}

// The definition's text for "no row", its {T.C} taking the value the
// selection asked for.
QString sinFilas(const Definicion& def, const QVector<Condicion>& condiciones) {
    if (def.sinFilas.isEmpty())
        return QStringLiteral("El reporte %1 no tiene datos para la selección pedida")
            .arg(def.nombre);
    QString texto = def.sinFilas;
    for (const Condicion& c : condiciones)
        texto.replace(QStringLiteral("{%1.%2}").arg(c.campo.tabla, c.campo.columna), c.valor,
                      Qt::CaseInsensitive);
    return texto;
}

void agregaPaginas(Trabajo* trabajo, const QString& sql, const QHash<QString, QString>& valores,
                   const std::shared_ptr<ado::Connection>& cn) {
    ado::Recordset rs;
    {
        const ado::ProgramScope programa;
        rs.Open(sql, cn, ado::adOpenStatic, ado::adLockReadOnly);
    }
    for (; !rs.EOF_(); rs.MoveNext()) {
        DatosPagina pagina;
        pagina.formulas = valores;
        for (int i = 0; i < rs.FieldCount(); ++i)
            pagina.fila.insert(rs.Fields(i).Name().toLower(), rs.Fields(i).Value());
        trabajo->paginas << pagina;
    }
    rs.Close();
}

Preparado prepara(const QString& nombre, const QVector<Parte>& partes, const QString& t1,
                  const QString& t2, Trabajo* trabajo, QString* mensaje) {
    QStringList buscados;
    const QString archivo = Reportes::archivoDefinicion(nombre, &buscados);
    if (archivo.isEmpty()) {
        *mensaje = faltaDefinicion(nombre, buscados);
        return Preparado::SinDefinicion;
    }
    trabajo->def = leeDefinicion(archivo);
    if (trabajo->def.nombre.isEmpty())
        trabajo->def.nombre = nombre;
    trabajo->titulo = t1.trimmed().isEmpty() ? nombre : t1.trimmed();
    trabajo->impresora = t2.trimmed();
    // Every selection is read before any row: a faulty one prints nothing.
    QVector<QVector<Condicion>> condiciones;
    QStringList sentencias;
    for (const Parte& p : partes) {
        condiciones << analizaSeleccion(p.seleccion);
        sentencias << sentenciaSeleccion(trabajo->def.tabla, condiciones.last(),
                                         trabajo->def.orden);
    }

    const auto cn = Reportes::conexion();
    if (!cn)
        throw Error(err::ObjectRequired, QStringLiteral("No hay una conexión para los reportes"),
                    kFuente);
    for (qsizetype i = 0; i < partes.size(); ++i)
        agregaPaginas(trabajo, sentencias[i], partes[i].valores, cn);
    if (trabajo->paginas.isEmpty()) {
        *mensaje = sinFilas(trabajo->def, condiciones.value(0));
        return Preparado::SinFilas;
    }
    // Draw once where nobody sees it, so a fault of the definition against
    // the row surfaces here and not inside the preview's paint handler.
    for (const DatosPagina& p : trabajo->paginas) {
        QPicture prueba;
        QPainter painter(&prueba);
        dibujaPagina(painter, trabajo->def, p);
    }
    return Preparado::Listo;
}

void dibujaTodo(QPainter& painter, QPagedPaintDevice& device, const Trabajo& t) {
    for (int i = 0; i < t.paginas.size(); ++i) {
        if (i > 0)
            device.newPage();
        dibujaPagina(painter, t.def, t.paginas[i]);
    }
}

bool escribePdf(const Trabajo& t, const QString& archivo, QString* error) {
    QSaveFile file(archivo);
    QString motivo;
    if (file.open(QIODevice::WriteOnly)) {
        QPdfWriter writer(&file);
        writer.setPageLayout(t.def.pagina);
        writer.setResolution(300);
        writer.setTitle(t.titulo);
        writer.setCreator(QStringLiteral("Q42"));
        QPainter painter;
        if (painter.begin(&writer)) {
            dibujaTodo(painter, writer, t);
            painter.end();
            if (file.commit())
                return true;
        }
        motivo = file.errorString();
    } else {
        motivo = file.errorString();
    }
    if (error)
        *error = QStringLiteral("No se puede escribir el archivo \"%1\": %2")
                     .arg(QDir::toNativeSeparators(archivo), motivo);
    return false;
}

void muestraVistaPrevia(const Trabajo& t) {
    PedidoVistaPrevia pedido;
    pedido.titulo = t.titulo;
    pedido.impresora = t.impresora;
    pedido.pagina = &t.def.pagina;
    pedido.ajustarAlAncho = estado().ajusteA;
    pedido.zoomPorCiento = estado().ajusteB;
    pedido.dibuja = [&t](QPainter& painter, QPagedPaintDevice& device) {
        try {
            dibujaTodo(painter, device, t);
        } catch (const Error&) {
            // Already drawn once without fault; nothing new can fail.
        }
    };
    pedido.guardaPdf = [&t](const QString& archivo, QString* error) {
        return escribePdf(t, archivo, error);
    };
    q42::muestraVistaPrevia(pedido);
}

Reportes::Resultado muestra(const QString& nombre, const QVector<Parte>& partes, const QString& t1,
                            const QString& t2) {
    Trabajo trabajo;
    QString mensaje;
    switch (prepara(nombre, partes, t1, t2, &trabajo, &mensaje)) {
    case Preparado::SinDefinicion:
        MsgBox(mensaje, vbExclamation, kFuente);
        return Reportes::Resultado::SinDefinicion;
    case Preparado::SinFilas:
        MsgBox(mensaje, vbInformation, kFuente);
        return Reportes::Resultado::SinFilas;
    case Preparado::Listo:
        break;
    }
    muestraVistaPrevia(trabajo);
    return Reportes::Resultado::Mostrado;
}

bool escribe(const QString& nombre, const QVector<Parte>& partes, const QString& t1,
             const QString& t2, const QString& archivoPdf, QString* error) {
    Trabajo trabajo;
    QString mensaje;
    if (prepara(nombre, partes, t1, t2, &trabajo, &mensaje) != Preparado::Listo) {
        if (error)
            *error = mensaje;
        return false;
    }
    return escribePdf(trabajo, archivoPdf, error);
}

} // namespace

void Reportes::CarpetaReportes(const QString& carpeta) {
    estado().carpeta = carpeta;
}

QString Reportes::carpetaReportes() {
    return estado().carpeta;
}

QString Reportes::archivoDefinicion(const QString& nombre, QStringList* buscados) {
    QStringList carpetas;
    const QString base = estado().carpeta;
    if (!base.isEmpty())
        carpetas << QDir(base).filePath(QStringLiteral("reports")) << QDir(base).path();
    if (QCoreApplication::instance()) {
        const QDir programa(QCoreApplication::applicationDirPath());
        carpetas << programa.filePath(QStringLiteral("reports"))
                 << QDir::cleanPath(programa.filePath(QStringLiteral("../share/q42/reports")));
    }
    carpetas.removeDuplicates();
    if (buscados)
        *buscados = carpetas;
    // A name is a file name, never a path.
    const QString n = nombre.trimmed();
    if (n.isEmpty() || n.contains(QLatin1Char('/')) || n.contains(QLatin1Char('\\')) ||
        n.startsWith(QLatin1Char('.')))
        return QString();
    for (const QString& c : carpetas) {
        const QString ruta = archivoEnCarpeta(c, n + QStringLiteral(".json"));
        if (QFileInfo(ruta).isFile())
            return ruta;
    }
    return QString();
}

QString Reportes::FormulaSeleccion(const QVector<CondicionReporte>& condiciones) {
    QStringList partes;
    for (const CondicionReporte& c : condiciones) {
        QString campo = c.campo.trimmed();
        if (campo.isEmpty())
            continue;
        if (!campo.startsWith(QLatin1Char('{')))
            campo = QLatin1Char('{') + campo + QLatin1Char('}');
        if (!c.desde.isEmpty())
            partes << QStringLiteral("%1 >= %2").arg(campo, literal(c.desde, c.tipo));
        if (!c.hasta.isEmpty())
            partes << QStringLiteral("%1 <= %2").arg(campo, literal(c.hasta, c.tipo));
    }
    return partes.join(QLatin1String(" AND "));
}

void Reportes::FormulasExtra(const QStringList& formulas, int primero) {
    for (int i = 0; i < formulas.size(); ++i)
        estado().extras.insert(qMax(primero, 0) + i, formulas[i]);
}

void Reportes::AjusteA(bool ajustarAlAncho) {
    estado().ajusteA = ajustarAlAncho;
}

void Reportes::AjusteB(double zoomPorCiento) {
    estado().ajusteB = zoomPorCiento;
    estado().ajusteA = false;
}

bool Reportes::ajusteA() {
    return estado().ajusteA;
}

double Reportes::ajusteB() {
    return estado().ajusteB;
}

void Reportes::setConexion(std::shared_ptr<ado::Connection> conexion) {
    estado().conexion = std::move(conexion);
}

std::shared_ptr<ado::Connection> Reportes::conexion() {
    return estado().conexion;
}

bool Reportes::LeeFormula(const QString& texto, QString* nombre, QString* valor) {
    if (texto.trimmed().isEmpty())
        return false;
    const qsizetype igual = texto.indexOf(QLatin1Char('='));
    const QString n = igual < 0 ? QString() : texto.left(igual).trimmed();
    if (!esIdentificador(n))
        throw Error(err::InvalidProcedureCall,
                    QStringLiteral("Fórmula sin nombre válido: %1").arg(texto), kFuente);
    const qsizetype primera = texto.indexOf(QLatin1Char('\''), igual + 1);
    const qsizetype ultima = texto.lastIndexOf(QLatin1Char('\''));
    *nombre = n;
    if (primera < 0)
        *valor = texto.mid(igual + 1).trimmed();
    else if (ultima > primera)
        *valor = texto.mid(primera + 1, ultima - primera - 1);
    else
        *valor = texto.mid(primera + 1);
    return true;
}

Reportes::Resultado Reportes::Imprime(const QString& nombre, const QStringList& arreglo,
                                      const QString& seleccion, const QString& conexionTexto,
                                      const QString& f1, const QString& f2, const QString& f3,
                                      const QString& f4, const QString& f5, const QString& t1,
                                      const QString& t2, const QString& t3) {
    Q_UNUSED(conexionTexto) // it holds a password: never kept nor shown
    Q_UNUSED(t3)
    const QString f[5] = {f1, f2, f3, f4, f5};
    return muestra(nombre, {parteUnica(arreglo, seleccion, f)}, t1, t2);
}

bool Reportes::ImprimePdf(const QString& nombre, const QStringList& arreglo,
                          const QString& seleccion, const QString& conexionTexto, const QString& f1,
                          const QString& f2, const QString& f3, const QString& f4,
                          const QString& f5, const QString& t1, const QString& t2,
                          const QString& t3, const QString& archivoPdf, QString* error) {
    Q_UNUSED(conexionTexto)
    Q_UNUSED(t3)
    const QString f[5] = {f1, f2, f3, f4, f5};
    return escribe(nombre, {parteUnica(arreglo, seleccion, f)}, t1, t2, archivoPdf, error);
}

Reportes::Resultado Reportes::ImprimePartes(const QString& nombre,
                                            const QVector<ParteReporte>& partes,
                                            const QString& titulo) {
    return muestra(nombre, partesDe(partes), titulo, QString());
}

bool Reportes::ImprimePartesPdf(const QString& nombre, const QVector<ParteReporte>& partes,
                                const QString& titulo, const QString& archivoPdf, QString* error) {
    return escribe(nombre, partesDe(partes), titulo, QString(), archivoPdf, error);
}

} // namespace q42
