#include "ReporteDefinicion.h"

#include "core/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace q42::reporte {

namespace {

class Lector {
public:
    explicit Lector(const QString& archivo) : m_archivo(QFileInfo(archivo).fileName()) {}

    Definicion lee(const QJsonObject& raiz) {
        m_def.nombre = raiz.value(QLatin1String("nombre")).toString();
        m_def.tabla = raiz.value(QLatin1String("tabla")).toString();
        if (!esIdentificador(m_def.tabla))
            throw falla(QStringLiteral("\"tabla\" debe nombrar una tabla"));
        m_def.orden = raiz.value(QLatin1String("orden")).toString();
        if (!m_def.orden.isEmpty() && !esIdentificador(m_def.orden))
            throw falla(QStringLiteral("\"orden\" debe nombrar una columna"));
        m_def.sinFilas = raiz.value(QLatin1String("sinFilas")).toString();
        leePagina(raiz.value(QLatin1String("pagina")).toObject());
        const QJsonObject fuentes = raiz.value(QLatin1String("fuentes")).toObject();
        for (auto it = fuentes.begin(); it != fuentes.end(); ++it)
            m_def.fuentes.insert(it.key(), leeFuente(it.value().toObject()));
        if (!m_def.fuentes.contains(QStringLiteral("normal")))
            m_def.fuentes.insert(QStringLiteral("normal"), Fuente());
        for (const QJsonValue v : raiz.value(QLatin1String("calculos")).toArray())
            leeCalculo(v.toObject());
        const QJsonArray elementos = raiz.value(QLatin1String("elementos")).toArray();
        for (qsizetype i = 0; i < elementos.size(); ++i) {
            m_donde = QStringLiteral("elemento %1: ").arg(i + 1);
            m_def.elementos << leeElemento(elementos.at(i).toObject());
        }
        return std::move(m_def);
    }

    Error falla(const QString& motivo) const {
        return Error(err::InvalidProcedureCall,
                     QStringLiteral("Definición de reporte no válida (%1): %2%3")
                         .arg(m_archivo, m_donde, motivo),
                     QStringLiteral("Reportes"));
    }

private:
    static double num(const QJsonObject& o, const char* clave, double defecto) {
        return o.value(QLatin1String(clave)).toDouble(defecto);
    }

    void leePagina(const QJsonObject& o) {
        static const QHash<QString, QPageSize::PageSizeId> tamanos{
            {QStringLiteral("A4"), QPageSize::A4},
            {QStringLiteral("LEGAL"), QPageSize::Legal},
            {QStringLiteral("CARTA"), QPageSize::Letter}};
        const QString tamano = o.value(QLatin1String("tamano")).toString(QStringLiteral("A4"));
        if (!tamanos.contains(tamano.toUpper()))
            throw falla(QStringLiteral("tamaño de página desconocido \"%1\"").arg(tamano));
        const bool apaisada =
            o.value(QLatin1String("orientacion")).toString() == QLatin1String("horizontal");
        const QJsonArray m = o.value(QLatin1String("margenes")).toArray();
        QMarginsF margenes(15, 15, 15, 15);
        if (m.size() == 4)
            margenes =
                QMarginsF(m[0].toDouble(), m[1].toDouble(), m[2].toDouble(), m[3].toDouble());
        m_def.pagina = QPageLayout(QPageSize(tamanos.value(tamano.toUpper())),
                                   apaisada ? QPageLayout::Landscape : QPageLayout::Portrait,
                                   margenes, QPageLayout::Millimeter);
    }

    static Fuente leeFuente(const QJsonObject& o) {
        Fuente f;
        f.familia = o.value(QLatin1String("familia")).toString(f.familia);
        f.puntos = num(o, "puntos", f.puntos);
        f.negrita = o.value(QLatin1String("negrita")).toBool();
        f.cursiva = o.value(QLatin1String("cursiva")).toBool();
        return f;
    }

    Expresion expresion(const QString& texto) {
        Expresion e = [&] {
            try {
                return Expresion::analiza(texto);
            } catch (const Error& e) {
                throw falla(e.description());
            }
        }();
        for (const RefCampo& c : e.campos())
            compruebaTabla(c);
        for (const QString& n : e.calculos())
            if (!m_calculos.contains(n.toLower()))
                throw falla(QStringLiteral("\"%1\" usa el cálculo \"%2\", que no está definido "
                                           "antes")
                                .arg(texto, n));
        return e;
    }

    void compruebaTabla(const RefCampo& c) const {
        if (c.tabla.compare(m_def.tabla, Qt::CaseInsensitive) != 0)
            throw falla(QStringLiteral("{%1.%2} no es de la tabla %3")
                            .arg(c.tabla, c.columna, m_def.tabla));
    }

    void leeCalculo(const QJsonObject& o) {
        const QString nombre = o.value(QLatin1String("nombre")).toString();
        const QString texto = o.value(QLatin1String("expresion")).toString();
        QStringList claves;
        for (const QJsonValue v : o.value(QLatin1String("para")).toArray())
            claves << v.toString();
        if (claves.isEmpty())
            claves << QString();
        for (const QString& clave : claves) {
            const QString n = QString(nombre).replace(QLatin1Char('$'), clave);
            m_donde = QStringLiteral("cálculo %1: ").arg(n);
            if (!esIdentificador(n) || m_calculos.contains(n.toLower()))
                throw falla(QStringLiteral("nombre no válido o repetido"));
            m_def.calculos << Calculo{n,
                                      expresion(QString(texto).replace(QLatin1Char('$'), clave))};
            m_calculos.insert(n.toLower());
        }
        m_donde.clear();
    }

    // "{T.C}" or "@Nombre" for text; an expression for numbers.
    Valor leeValor(const QString& texto, const QString& formato, int decimales) {
        Valor v;
        v.decimales = decimales;
        const QString t = texto.trimmed();
        if (t.isEmpty())
            return v;
        if (formato == QLatin1String("numero")) {
            v.tipo = Valor::Numero;
            v.expresion = expresion(t);
        } else if (t.startsWith(QLatin1Char('@')) && esIdentificador(t.mid(1))) {
            v.tipo = Valor::Formula;
            v.formula = t.mid(1);
        } else if (leeRefCampo(t, &v.campo)) {
            compruebaTabla(v.campo);
            v.tipo = Valor::Campo;
        } else {
            throw falla(QStringLiteral("valor \"%1\" no es {Tabla.Columna} ni @Formula").arg(t));
        }
        return v;
    }

    static Qt::Alignment alineacion(const QString& texto) {
        if (texto == QLatin1String("centro"))
            return Qt::AlignHCenter | Qt::AlignVCenter;
        if (texto == QLatin1String("derecha"))
            return Qt::AlignRight | Qt::AlignVCenter;
        if (texto == QLatin1String("justificado"))
            return Qt::AlignJustify | Qt::AlignTop;
        return Qt::AlignLeft | Qt::AlignVCenter;
    }

    QColor color(const QJsonObject& o, const char* clave, QColor defecto) const {
        const QJsonValue v = o.value(QLatin1String(clave));
        if (v.isUndefined())
            return defecto;
        QColor c = QColor::fromString(v.toString());
        if (!c.isValid())
            throw falla(QStringLiteral("color no válido \"%1\"").arg(v.toString()));
        return c;
    }

    Elemento leeElemento(const QJsonObject& o) {
        static const QHash<QString, Elemento::Tipo> tipos{
            {QStringLiteral("texto"), Elemento::Texto},
            {QStringLiteral("campo"), Elemento::Campo},
            {QStringLiteral("caja"), Elemento::Caja},
            {QStringLiteral("linea"), Elemento::Linea},
            {QStringLiteral("tabla"), Elemento::Grilla}};
        const QString tipo = o.value(QLatin1String("tipo")).toString();
        if (!tipos.contains(tipo))
            throw falla(QStringLiteral("tipo desconocido \"%1\"").arg(tipo));
        Elemento e;
        e.tipo = tipos.value(tipo);
        e.rect = QRectF(num(o, "x", 0), num(o, "y", 0), num(o, "ancho", 0), num(o, "alto", 0));
        e.fuente = o.value(QLatin1String("fuente")).toString(e.fuente);
        if (!m_def.fuentes.contains(e.fuente))
            throw falla(QStringLiteral("fuente desconocida \"%1\"").arg(e.fuente));
        e.alineacion = alineacion(o.value(QLatin1String("alineacion")).toString());
        e.ajuste = o.value(QLatin1String("ajuste")).toBool();
        e.color = color(o, "color", Qt::black);
        e.relleno = color(o, "relleno", QColor());
        e.grosor =
            num(o, "grosor", e.tipo == Elemento::Caja || e.tipo == Elemento::Linea ? 0.2 : 0);
        if (e.tipo == Elemento::Texto)
            e.texto = o.value(QLatin1String("texto")).toString();
        if (e.tipo == Elemento::Campo) {
            e.texto = o.value(QLatin1String("antes")).toString();
            e.despues = o.value(QLatin1String("despues")).toString();
            e.valor =
                leeValor(o.value(QLatin1String("valor")).toString(),
                         o.value(QLatin1String("formato")).toString(), int(num(o, "decimales", 2)));
            if (e.valor.tipo == Valor::Ninguno)
                throw falla(QStringLiteral("el campo no tiene \"valor\""));
        }
        if (e.tipo == Elemento::Grilla)
            e.tabla = leeTabla(o);
        return e;
    }

    Tabla leeTabla(const QJsonObject& o) {
        Tabla t;
        QStringList claves;
        for (const QJsonValue v : o.value(QLatin1String("columnas")).toArray()) {
            t.columnas << v.toObject().value(QLatin1String("titulo")).toString();
            claves << v.toObject().value(QLatin1String("clave")).toString();
        }
        if (claves.isEmpty())
            throw falla(QStringLiteral("la tabla no tiene columnas"));
        static const QHash<QString, FilaTabla::Estilo> estilos{
            {QStringLiteral("total"), FilaTabla::Total},
            {QStringLiteral("final"), FilaTabla::Final}};
        for (const QJsonValue v : o.value(QLatin1String("filas")).toArray()) {
            const QJsonObject f = v.toObject();
            FilaTabla fila;
            fila.titulo = f.value(QLatin1String("titulo")).toString();
            fila.estilo = estilos.value(f.value(QLatin1String("estilo")).toString());
            const QString valor = f.value(QLatin1String("valor")).toString();
            const QString formato =
                f.value(QLatin1String("formato")).toString(QStringLiteral("numero"));
            for (const QString& clave : claves)
                fila.valores << leeValor(QString(valor).replace(QLatin1Char('$'), clave), formato,
                                         int(num(f, "decimales", 2)));
            t.filas << fila;
        }
        for (const QJsonValue v : o.value(QLatin1String("grupos")).toArray()) {
            const QJsonObject g = v.toObject();
            GrupoTabla grupo{g.value(QLatin1String("titulo")).toString(),
                             g.value(QLatin1String("desde")).toInt(),
                             g.value(QLatin1String("hasta")).toInt()};
            if (grupo.desde < 0 || grupo.hasta < grupo.desde || grupo.hasta >= t.filas.size())
                throw falla(QStringLiteral("grupo \"%1\" fuera de las filas").arg(grupo.titulo));
            t.grupos << grupo;
        }
        t.titulo = o.value(QLatin1String("titulo")).toString();
        t.esquina = o.value(QLatin1String("esquina")).toString();
        t.anchoGrupo = num(o, "anchoGrupo", t.grupos.isEmpty() ? 0 : 20);
        t.anchoTitulo = num(o, "anchoTitulo", t.anchoTitulo);
        t.altoFila = num(o, "altoFila", t.altoFila);
        t.altoEncabezado = num(o, "altoEncabezado", t.altoEncabezado);
        return t;
    }

    QString m_archivo;
    QString m_donde;
    Definicion m_def;
    QSet<QString> m_calculos;
};

} // namespace

Definicion leeDefinicion(const QByteArray& json, const QString& archivo) {
    Lector lector(archivo);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (doc.isNull() || !doc.isObject())
        throw lector.falla(QStringLiteral("JSON mal formado en el carácter %1 (%2)")
                               .arg(error.offset)
                               .arg(error.errorString()));
    return lector.lee(doc.object());
}

Definicion leeDefinicion(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(err::FileNotFound,
                    QStringLiteral("No se puede leer el reporte \"%1\": %2")
                        .arg(QDir::toNativeSeparators(archivo), f.errorString()),
                    QStringLiteral("Reportes"));
    return leeDefinicion(f.readAll(), archivo);
}

} // namespace q42::reporte
