#include "Cifras.h"

#include "Error.h"
#include "Regional.h"

#include <QRegularExpression>

namespace q42 {

namespace {

struct Separadores {
    QChar decimal;
    QChar miles;
};

Separadores separadores() {
    const QChar dec = Regional::decimalSeparator();
    return {dec, dec == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',')};
}

// The patterns of both regional forms, compiled once each.
struct Patrones {
    QRegularExpression agrupada;  // 1-3 digits then groups of three
    QRegularExpression principio; // a figure being typed
};

const Patrones& patrones(QChar dec) {
    const auto crea = [](QChar d, QChar m) {
        const QString ed = QRegularExpression::escape(QString(d));
        const QString em = QRegularExpression::escape(QString(m));
        // A sign, the whole part (its last group of thousands may still be
        // short), then the decimals.
        return Patrones{QRegularExpression(QStringLiteral("^\\d{1,3}(%1\\d{3})+$").arg(em)),
                        QRegularExpression(QStringLiteral("^-?(\\d*|\\d{1,3}(%2\\d{3})*%2\\d{0,2}|"
                                                          "(\\d*|\\d{1,3}(%2\\d{3})+)%1\\d*)$")
                                               .arg(ed, em))};
    };
    static const Patrones coma = crea(QLatin1Char(','), QLatin1Char('.'));
    static const Patrones punto = crea(QLatin1Char('.'), QLatin1Char(','));
    return dec == QLatin1Char(',') ? coma : punto;
}

bool parteEnteraValida(const QString& entera, QChar dec, QChar miles) {
    return !entera.contains(miles) || patrones(dec).agrupada.match(entera).hasMatch();
}

int cifrasSignificativas(const QString& digitos) {
    qsizetype i = 0;
    while (i < digitos.size() && digitos[i] == QLatin1Char('0'))
        ++i;
    return int(digitos.size() - i);
}

bool soloDigitos(const QString& s) {
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

namespace {

// The figure of a text; `limitada` holds it to kCifrasEnteras whole digits.
std::optional<Currency> lee(const QString& texto, bool limitada) {
    QString t = texto.trimmed();
    if (t.isEmpty())
        return Currency();
    const auto [dec, miles] = separadores();
    QString signo;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+')))
        signo = t.left(1), t.remove(0, 1);
    QString entera = t;
    QString fraccion;
    if (t.count(dec) > 1)
        return std::nullopt;
    if (t.contains(dec)) {
        entera = t.section(dec, 0, 0);
        fraccion = t.section(dec, 1);
    } else if (t.count(miles) == 1) {
        // "12.5" from a numeric keypad: the lone mark is the decimal point.
        entera = t.section(miles, 0, 0);
        fraccion = t.section(miles, 1);
    }
    if ((entera.isEmpty() && fraccion.isEmpty()) || !soloDigitos(fraccion) ||
        !parteEnteraValida(entera, dec, miles))
        return std::nullopt;
    entera.remove(miles);
    if (!soloDigitos(entera) || (limitada && cifrasSignificativas(entera) > kCifrasEnteras))
        return std::nullopt;
    try {
        return Currency::parse(signo + (entera.isEmpty() ? QStringLiteral("0") : entera) + dec +
                               fraccion);
    } catch (const Error&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<Currency> leeCifra(const QString& texto) {
    return lee(texto, true);
}

bool esPrincipioDeCifra(const QString& texto) {
    const auto [dec, miles] = separadores();
    if (patrones(dec).principio.match(texto).hasMatch())
        return true;
    // A pasted figure that reads as one ("1.542.000", "12.5"): typing on
    // keeps it one.
    return !texto.isEmpty() && texto == texto.trimmed() && lee(texto, false).has_value();
}

std::optional<CifraTecleada> tecleaCifra(const QString& texto, int desde, int largo, QChar tecla) {
    const auto [dec, miles] = separadores();
    // The key that is not the regional separator ("." in Spanish) writes the
    // decimal separator too, unless it follows one that makes a group of
    // thousands: then both were thousands marks ("1.542.000").
    const bool teclaMiles = tecla == miles;
    if (teclaMiles)
        tecla = dec;
    const bool valida = (tecla >= QLatin1Char('0') && tecla <= QLatin1Char('9')) ||
                        tecla == QLatin1Char('-') || tecla == dec;
    if (!valida)
        return std::nullopt;
    desde = qBound(0, desde, int(texto.size()));
    largo = qBound(0, largo, int(texto.size()) - desde);
    QString nuevo = texto.left(desde) + tecla + texto.mid(desde + largo);
    if (esPrincipioDeCifra(nuevo))
        return CifraTecleada{nuevo, desde + 1};
    // A second separator: the one before it was a thousands mark.
    const qsizetype previo = desde > 0 ? nuevo.lastIndexOf(dec, desde - 1) : -1;
    if (tecla != dec || previo < 0)
        return std::nullopt;
    nuevo[previo] = miles;
    if (teclaMiles)
        nuevo[desde] = miles;
    if (esPrincipioDeCifra(nuevo))
        return CifraTecleada{nuevo, desde + 1};
    return std::nullopt;
}

QString cifraConMiles(Currency valor, int decimales) {
    const auto [dec, miles] = separadores();
    QString s = valor.toFixed(decimales, dec);
    const qsizetype inicio = s.startsWith(QLatin1Char('-')) ? 1 : 0;
    qsizetype fin = s.indexOf(dec);
    if (fin < 0)
        fin = s.size();
    for (qsizetype i = fin - 3; i > inicio; i -= 3)
        s.insert(i, miles);
    return s;
}

} // namespace q42
