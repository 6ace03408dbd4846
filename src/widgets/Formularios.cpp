#include "Formularios.h"

#include "ado/Ado.h"
#include "core/Cifras.h"
#include "core/Error.h"

#include <QHash>
#include <QLineEdit>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <array>
#include <optional>

namespace q42 {

namespace {

// A figure has no typing limit: one too long is told on confirming.
constexpr int LargoNumero = 0;
constexpr int LargoPeriodo = 7;
// Wider than any text a box is meant to hold: a long-text column, no limit.
constexpr int LargoTextoLargo = 8000;

QString campoDe(const QWidget* caja) {
    return caja->property(Formularios::DataField).toString().trimmed();
}

bool esCampo(const QString& campo, const char* nombre) {
    return campo.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

struct Columna {
    bool numerica = false;
    int largo = 0; // defined size of a text column; 0 when unknown
};

bool esTipoNumerico(int tipo) {
    static constexpr std::array numericos = {
        ado::adSmallInt,         ado::adInteger,     ado::adSingle,  ado::adDouble,
        ado::adCurrency,         ado::adDecimal,     ado::adTinyInt, ado::adUnsignedTinyInt,
        ado::adUnsignedSmallInt, ado::adUnsignedInt, ado::adBigInt,  ado::adUnsignedBigInt,
        ado::adNumeric,          ado::adVarNumeric};
    return std::find(numericos.begin(), numericos.end(), tipo) != numericos.end();
}

using Columnas = QHash<QString, Columna>; // keyed by the lower-cased column name

Columnas columnasDelEsquema(ado::Connection& cn, const QString& tabla) {
    Columnas out;
    auto rs = cn.OpenSchema(ado::adSchemaColumns, {QVariant(), QVariant(), tabla});
    if (!rs)
        return out;
    for (; !rs->EOF_(); rs->MoveNext()) {
        const QString nombre = rs->Fields(QStringLiteral("COLUMN_NAME")).Value().toString();
        const int tipo = rs->Fields(QStringLiteral("DATA_TYPE")).Value().toInt();
        const int largo = rs->Fields(QStringLiteral("CHARACTER_MAXIMUM_LENGTH")).Value().toInt();
        out.insert(nombre.toLower(), {esTipoNumerico(tipo), largo});
    }
    return out;
}

Columnas columnasDeLaConsulta(ado::Connection& cn, const QString& tabla) {
    Columnas out;
    // The table name is the program's own, never the operator's; still, only
    // a plain (optionally qualified) name is put into the statement.
    static const QRegularExpression nombreSimple(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.]*$"));
    if (!nombreSimple.match(tabla).hasMatch())
        return out;
    const ado::ProgramScope programa;
    auto rs = cn.Execute(QStringLiteral("SELECT * FROM %1 WHERE 1=0").arg(tabla));
    if (!rs)
        return out;
    for (int i = 0; i < rs->FieldCount(); ++i) {
        const ado::Field& f = rs->Fields(i);
        out.insert(f.Name().toLower(), {esTipoNumerico(f.Type()), f.DefinedSize()});
    }
    return out;
}

std::optional<Columnas> leeColumnas(ado::Connection* cn, const QString& tabla) {
    if (!cn || cn->State() != ado::adStateOpen || tabla.trimmed().isEmpty())
        return std::nullopt;
    try {
        Columnas cols = columnasDelEsquema(*cn, tabla.trimmed());
        if (cols.isEmpty())
            cols = columnasDeLaConsulta(*cn, tabla.trimmed());
        if (!cols.isEmpty())
            return cols;
    } catch (const std::exception&) {
        // No schema to read: the boxes are classified by their names below.
    }
    return std::nullopt;
}

// Without the table's columns: the period and the remarks are text, the
// rest of the declaration's boxes hold quantities.
Columna columnaPorNombre(const QString& campo) {
    if (esCampo(campo, "Periodo") || esCampo(campo, "Observaciones"))
        return {false, 0};
    return {true, 0};
}

// The limit the form itself gave the box, remembered the first time the box
// is prepared so that later preparations do not take their own for it.
constexpr const char* LargoPropio = "q42LargoPropio";

int largoPropio(QLineEdit* caja) {
    if (!caja->property(LargoPropio).isValid())
        caja->setProperty(LargoPropio, caja->property(Formularios::LargoMaximo).toInt());
    return caja->property(LargoPropio).toInt();
}

int largoDeTexto(QLineEdit* caja, int largoColumna) {
    int largo = (largoColumna > 0 && largoColumna < LargoTextoLargo) ? largoColumna : 0;
    // A tighter limit the form gave the box keeps holding.
    const int previo = largoPropio(caja);
    if (previo > 0 && (largo == 0 || previo < largo))
        largo = previo;
    return largo;
}

} // namespace

bool Formularios::NombreIndexado(const QString& nombre, QString* base, int* indice) {
    const qsizetype raya = nombre.lastIndexOf(QLatin1Char('_'));
    if (raya < 1 || raya == nombre.size() - 1)
        return false;
    for (qsizetype i = raya + 1; i < nombre.size(); ++i)
        if (nombre[i] < QLatin1Char('0') || nombre[i] > QLatin1Char('9'))
            return false;
    if (base)
        *base = nombre.left(raya);
    if (indice)
        *indice = QStringView(nombre).mid(raya + 1).toInt();
    return true;
}

void Formularios::LimpiaFormulario(QWidget* formulario, int modo) {
    if (!formulario)
        return;
    for (QLineEdit* caja : formulario->findChildren<QLineEdit*>()) {
        const QString campo = campoDe(caja);
        if (campo.isEmpty() || (modo == 1 && esCampo(campo, "Periodo")))
            continue;
        // An empty box the operator never touched is already clean: clearing
        // it would only run its change signals again (50 boxes at start).
        if (!caja->text().isEmpty() || caja->isModified())
            caja->clear();
    }
}

void Formularios::PreparaCampos(const QList<QLineEdit*>& cajas, const QString& tabla,
                                ado::Connection* conexion) {
    const std::optional<Columnas> columnas = leeColumnas(conexion, tabla);
    for (QLineEdit* caja : cajas) {
        if (!caja)
            continue;
        const QString campo = campoDe(caja);
        if (campo.isEmpty())
            continue;
        largoPropio(caja);
        Columna col = columnaPorNombre(campo);
        if (columnas) {
            if (auto it = columnas->constFind(campo.toLower()); it != columnas->constEnd())
                col = *it;
        }
        int largo = 0;
        if (esCampo(campo, "Periodo"))
            largo = LargoPeriodo;
        else if (col.numerica)
            largo = LargoNumero;
        else
            largo = largoDeTexto(caja, col.largo);
        caja->setProperty(Numerico, col.numerica && !esCampo(campo, "Periodo"));
        caja->setProperty(LargoMaximo, largo);
    }
}

bool Formularios::EsTeclaConfirma(int codigoTecla) {
    return codigoTecla == 13 || codigoTecla == Qt::Key_Return || codigoTecla == Qt::Key_Enter;
}

void Formularios::MueveFoco(QWidget* caja, int codigoTecla) {
    if (!caja)
        return;
    QWidget* ventana = caja->window();
    const bool atras = codigoTecla == Qt::Key_Up || codigoTecla == Qt::Key_Backtab;
    auto disponible = [ventana](QWidget* w) {
        return w->isEnabled() && w->isVisibleTo(ventana) && (w->focusPolicy() & Qt::TabFocus);
    };

    QString base, otra;
    int indice = 0;
    if (NombreIndexado(caja->objectName(), &base, &indice)) {
        // The box's siblings by index, wrapping round at the end.
        QList<std::pair<int, QWidget*>> hermanos;
        for (QWidget* w : ventana->findChildren<QWidget*>()) {
            if (NombreIndexado(w->objectName(), &otra, &indice) && otra == base)
                hermanos.append({indice, w});
        }
        std::sort(hermanos.begin(), hermanos.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        if (atras)
            std::reverse(hermanos.begin(), hermanos.end());
        const auto pos = std::find_if(hermanos.begin(), hermanos.end(),
                                      [caja](const auto& h) { return h.second == caja; });
        const qsizetype inicio = pos - hermanos.begin();
        for (qsizetype i = 1; i < hermanos.size(); ++i) {
            QWidget* w = hermanos[(inicio + i) % hermanos.size()].second;
            if (disponible(w)) {
                w->setFocus(atras ? Qt::BacktabFocusReason : Qt::TabFocusReason);
                return;
            }
        }
        return;
    }
    // Any other box: the next control of the window's tab chain.
    for (QWidget* w = atras ? caja->previousInFocusChain() : caja->nextInFocusChain();
         w && w != caja; w = atras ? w->previousInFocusChain() : w->nextInFocusChain()) {
        if (w->window() == ventana && disponible(w)) {
            w->setFocus(atras ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            return;
        }
    }
}

bool Formularios::FiltraTecla(QLineEdit* caja, QChar& caracter) {
    // Backspace, Escape, Enter and the other control characters are the
    // box's own editing keys.
    if (!caja || caracter.unicode() < 32 || caracter.unicode() == 127)
        return true;
    const int desde = caja->hasSelectedText() ? caja->selectionStart() : caja->cursorPosition();
    const int largo = int(caja->selectedText().size());
    if (caja->property(Numerico).toBool()) {
        const std::optional<CifraTecleada> r = tecleaCifra(caja->text(), desde, largo, caracter);
        caracter = r ? r->texto.at(desde) : QChar();
        return r.has_value();
    }
    const int limite = caja->property(LargoMaximo).toInt();
    if (limite > 0 && caja->text().size() - largo >= limite) {
        // A full period box takes a new period: typed over, never swallowed.
        if (esCampo(campoDe(caja), "Periodo")) {
            caja->selectAll();
            return true;
        }
        caracter = QChar();
        return false;
    }
    return true;
}

int Formularios::IndiceCampo(const QString& campo, const QList<QLineEdit*>& cajas) {
    const QString buscado = campo.trimmed();
    if (buscado.isEmpty()) // an unbound box is no column's box
        return -1;
    for (qsizetype i = 0; i < cajas.size(); ++i)
        if (cajas[i] && campoDe(cajas[i]).compare(buscado, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

} // namespace q42
