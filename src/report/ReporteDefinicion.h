#pragma once

// A report definition is a UTF-8 JSON file "<Nombre>.json" in the report
// folder. All lengths are millimetres; element positions are measured from
// the top-left corner of the printable area (the page inside its margins).
//
// {
//   "nombre": "Q42",
//   "tabla": "DJ_Q42",            the one table the report reads
//   "orden": "Periodo",           optional column the pages follow
//   "sinFilas": "No hay ... {DJ_Q42.Periodo}",  text when the selection finds
//                                 no row; {Tabla.Columna} takes the value the
//                                 selection asked for
//   "pagina": { "tamano": "A4", "orientacion": "vertical",
//               "margenes": [izq, arriba, der, abajo] },
//   "fuentes": { "normal": { "familia": "DejaVu Sans", "puntos": 8.5,
//                            "negrita": false, "cursiva": false }, ... },
//   "calculos": [ { "nombre": "TotIngresos",
//                   "expresion": "{DJ_Q42.P_Existencia} + {DJ_Q42.P_Ingresos}" },
//                 { "para": ["000", "Semo"], "nombre": "F$", "expresion": "T$ - TS$" } ],
//   "elementos": [ ... drawn in this order, one page per row ... ]
// }
//
// Computed figures ("calculos", see ReporteExpresion.h) are evaluated in
// order and each is rounded to two decimals (half to even) before a later
// one uses it, as the figures on screen are. "para" repeats an entry once per
// key, "$" in name and expression standing for the key.
//
// Elements ("tipo"), each with "x", "y", "ancho", "alto":
//   "texto"  fixed text: "texto", "fuente", "alineacion" (izquierda, centro,
//            derecha, justificado), "ajuste" (word wrap), "color" ("#rrggbb")
//   "campo"  like "texto", showing "valor": "{Tabla.Columna}" or "@Formula"
//            (format "texto", the default), or an expression (format
//            "numero": fixed "decimales", 2 by default, regional separator);
//            "antes" and "despues" are fixed texts around the value
//   "caja"   rectangle: "grosor" of the border (0: none), "relleno" colour
//   "linea"  from (x, y) to (x + ancho, y + alto): "grosor"
//   "tabla"  a grid of figures: "columnas": [{ "titulo", "clave" }],
//            "filas": [{ "titulo", "valor", "estilo": normal|total|final,
//            "formato" }] where "$" in "valor" stands for the column's key;
//            "anchoGrupo", "anchoTitulo", "altoFila", "altoEncabezado",
//            "titulo" (a heading over the figure columns), "esquina" (text
//            of the top-left cell), "grupos": [{ "titulo", "desde", "hasta" }]
//            (0-based rows, spanned by a caption at the left)

#include "ReporteExpresion.h"

#include <QColor>
#include <QHash>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QVector>
#include <optional>

namespace q42::reporte {

struct Fuente {
    QString familia = QStringLiteral("DejaVu Sans");
    double puntos = 9;
    bool negrita = false;
    bool cursiva = false;
};

// A value shown by an element or a grid cell.
struct Valor {
    enum Tipo { Ninguno, Campo, Formula, Numero } tipo = Ninguno;
    RefCampo campo;                     // Campo
    QString formula;                    // Formula (name without "@")
    std::optional<Expresion> expresion; // Numero
    int decimales = 2;
};

struct FilaTabla {
    QString titulo;
    enum Estilo { Normal, Total, Final } estilo = Normal;
    QVector<Valor> valores; // one per column
};

struct GrupoTabla {
    QString titulo;
    int desde = 0;
    int hasta = 0;
};

struct Tabla {
    QStringList columnas;
    QVector<FilaTabla> filas;
    QVector<GrupoTabla> grupos;
    QString titulo;
    QString esquina;
    double anchoGrupo = 0;
    double anchoTitulo = 50;
    double altoFila = 6;
    double altoEncabezado = 6;
};

struct Elemento {
    enum Tipo { Texto, Campo, Caja, Linea, Grilla } tipo = Texto;
    QRectF rect;
    QString texto; // Texto; the fixed text before a Campo's value
    QString despues;
    Valor valor;
    QString fuente = QStringLiteral("normal");
    Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter;
    bool ajuste = false;
    QColor color = Qt::black;
    double grosor = 0.2;
    QColor relleno; // invalid: none
    Tabla tabla;
};

struct Calculo {
    QString nombre;
    Expresion expresion;
};

struct Definicion {
    QString nombre;
    QString tabla;
    QString orden;
    QString sinFilas;
    QPageLayout pagina;
    QHash<QString, Fuente> fuentes;
    QVector<Calculo> calculos;
    QVector<Elemento> elementos;

    Fuente fuente(const QString& nombre) const { return fuentes.value(nombre, Fuente()); }
};

// Reads and checks a definition: every column must belong to "tabla", every
// computed figure must be defined before it is used, every font must exist.
// Throws q42::Error naming the file and the fault.
Definicion leeDefinicion(const QString& archivo);
Definicion leeDefinicion(const QByteArray& json, const QString& archivo);

} // namespace q42::reporte
