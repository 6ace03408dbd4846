// Every statement of the program is written for SQL Server; on Oracle it is
// rewritten here by plain text substitution.

#include "DB_Dll.h"

#include "core/Regional.h"
#include "core/Utiles.h"

#include <QRegularExpression>
#include <array>
#include <utility>

namespace {

using q42::Utiles;
constexpr auto CI = Qt::CaseInsensitive;

[[noreturn]] void rechaza(const QString& motivo) {
    throw q42::Error(q42::err::InvalidProcedureCall, motivo, QStringLiteral("DB_Dll.ORACLE_Dicc"));
}

QString sustituye(const QString& texto, const std::pair<const char*, const char*>& par) {
    return Utiles::SustituyeTexto(texto, QString::fromLatin1(par.first),
                                  QString::fromLatin1(par.second));
}

bool esParteDeNombre(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The first "top " that is a word of its own: a column such as "desktop "
// is no row limit.
qsizetype posicionTop(const QString& s) {
    for (qsizetype p = s.indexOf(QLatin1String("top "), 0, CI); p >= 0;
         p = s.indexOf(QLatin1String("top "), p + 1, CI))
        if (p == 0 || !esParteDeNombre(s[p - 1]))
            return p;
    return -1;
}

// TOP n limits the finished query: the SELECT that carries it, ORDER BY
// included, becomes an inline view filtered by ROWNUM, so the n rows are
// the first n of the order and not n arbitrary rows sorted afterwards.
QString limiteFilas(const QString& s) {
    const qsizetype top = posicionTop(s);
    if (top < 0)
        return s;
    const QString antes = s.left(top);
    const QString resto = s.mid(top + 3).trimmed();
    qsizetype blanco = 0;
    while (blanco < resto.size() && !resto[blanco].isSpace())
        ++blanco;
    if (blanco >= resto.size())
        rechaza(QStringLiteral("Falta el blanco después del número de filas de TOP"));
    const QString n = resto.left(blanco);
    QString cuerpo = resto.mid(blanco + 1);
    // A SELECT in parentheses ends at the one that closes them.
    QString despues;
    int nivel = 0;
    for (qsizetype i = 0; i < cuerpo.size(); ++i) {
        if (cuerpo[i] == QLatin1Char('('))
            ++nivel;
        else if (cuerpo[i] == QLatin1Char(')') && nivel-- == 0) {
            despues = cuerpo.mid(i);
            cuerpo.truncate(i);
            break;
        }
    }
    const qsizetype select = antes.lastIndexOf(QLatin1String("SELECT"), -1, CI);
    const QString fuera = select < 0 ? QString() : antes.left(select);
    const QString dentro = (select < 0 ? antes : antes.mid(select)) + cuerpo.trimmed();
    return fuera + QStringLiteral("SELECT * FROM (") + dentro.trimmed() +
           QStringLiteral(") WHERE ROWNUM <= ") + n + despues;
}

// The statement with its string literals set aside: each becomes a mark
// that no rewriting step can match, so an operator's text never turns into
// SQL ("'abc" is no "= ''", "[x]" stays brackets). The empty literal stays
// in place: the empty-text step looks for it.
struct Literales {
    QString texto;
    QStringList originales;
};

QString marca(qsizetype indice) {
    QString letras;
    do {
        letras.prepend(QChar(u'a' + char16_t(indice % 26)));
        indice /= 26;
    } while (indice > 0);
    return QChar(0xE000) + letras + QChar(0xE001);
}

Literales apartaLiterales(const QString& s) {
    Literales r;
    const QChar apostrofo(u'\'');
    for (qsizetype i = 0; i < s.size();) {
        if (s[i] != apostrofo) {
            r.texto += s[i++];
            continue;
        }
        qsizetype j = i + 1;
        for (;; ++j) {
            if (j >= s.size())
                rechaza(QStringLiteral("Falta el apóstrofo que cierra un texto de la sentencia"));
            if (s[j] != apostrofo)
                continue;
            if (j + 1 < s.size() && s[j + 1] == apostrofo) {
                ++j;
                continue;
            }
            break;
        }
        const QString literal = s.mid(i, j - i + 1);
        if (literal.size() == 2) {
            r.texto += literal;
        } else {
            r.texto += marca(r.originales.size());
            r.originales << literal;
        }
        i = j + 1;
    }
    return r;
}

// The date literal of the SQL Server form (CONVERT(datetime, '...', 120 or
// 121)) as Oracle reads it; DATE keeps no fractions of a second.
QString fechaConvertida(const QString& s, QStringList& originales) {
    static const QRegularExpression convert(
        QStringLiteral(
            "CONVERT\\s*\\(\\s*datetime\\s*,\\s*(\\x{E000}[a-z]+\\x{E001})\\s*,\\s*12[01]\\s*\\)"),
        QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype desde = 0;
    for (auto it = convert.globalMatch(s); it.hasNext();) {
        const auto m = it.next();
        const QString mark = m.captured(1);
        qsizetype indice = 0;
        for (qsizetype k = 1; k < mark.size() - 1; ++k)
            indice = indice * 26 + (mark[k].unicode() - u'a');
        QString& literal = originales[indice];
        if (literal.size() > 21)
            literal = literal.left(20) + QLatin1Char('\'');
        out += s.mid(desde, m.capturedStart() - desde) + QStringLiteral("TO_DATE(") + mark +
               QStringLiteral(", 'YYYY-MM-DD HH24:MI:SS')");
        desde = m.capturedEnd();
    }
    return out + s.mid(desde);
}

// Whether the text before position p ends with "TO_DATE(" (blanks apart).
bool dentroDeToDate(const QString& s, qsizetype p) {
    const QString antes = s.left(p).trimmed();
    return antes.endsWith(QLatin1String("TO_DATE("), CI);
}

// The literals put back; one that reads as a full date becomes a TO_DATE
// call unless it already is the argument of one.
QString reponeLiterales(QString s, const QStringList& originales) {
    for (qsizetype i = 0; i < originales.size(); ++i) {
        const QString m = marca(i);
        const qsizetype p = s.indexOf(m);
        if (p < 0)
            continue;
        QString valor = originales.at(i);
        const QString texto = valor.mid(1, valor.size() - 2);
        if (!dentroDeToDate(s, p))
            if (const auto fecha = q42::Regional::readFullDate(texto))
                valor = QStringLiteral("TO_DATE('") +
                        fecha->toString(QStringLiteral("dd/MM/yyyy")) +
                        QStringLiteral("','DD/MM/YYYY')");
        s.replace(p, m.size(), valor);
    }
    return s;
}

// "= ''" only after the first WHERE: before it, it is an assignment.
QString vacioEsNulo(const QString& s, const QString& busca) {
    const qsizetype where = s.indexOf(QLatin1String("WHERE "), 0, CI);
    if (where < 0)
        return s;
    return s.left(where) + Utiles::SustituyeTexto(s.mid(where), busca, QStringLiteral(" IS NULL "));
}

// The "(" of the call that encloses position p, skipping calls that close
// before it; -1 when p is inside no call.
qsizetype parentesisAbierto(const QString& s, qsizetype p) {
    int cerrados = 0;
    for (qsizetype i = p - 1; i >= 0; --i) {
        if (s[i] == QLatin1Char(')'))
            ++cerrados;
        else if (s[i] == QLatin1Char('(') && cerrados-- == 0)
            return i;
    }
    return -1;
}

// Style 103 of a date converted to text, inside a TO_CHAR( call only.
QString estilo103(QString s) {
    for (qsizetype p = s.indexOf(QLatin1String("103")); p >= 0;
         p = s.indexOf(QLatin1String("103"), p + 3)) {
        const qsizetype abre = parentesisAbierto(s, p);
        if (abre >= 7 && s.mid(abre - 7, 8).compare(QLatin1String("TO_CHAR("), CI) == 0)
            s.replace(p, 3, QStringLiteral("'DD/MM/YYYY'"));
    }
    return s;
}

constexpr std::array<std::pair<const char*, const char*>, 5> kLongitud{{
    {" LEN(", " LENGTH("},
    {" LEN (", " LENGTH("},
    {" LEN  (", " LENGTH("},
    {" LEN   (", " LENGTH("},
    {" LEN    (", " LENGTH("},
}};

} // namespace

QString DB_Dll::ORACLE_Dicc(const QString& Valor) const {
    if (!esOracle())
        return Valor;
    if (Utiles::CuentaPalabras(Valor) <= 1)
        return Valor.compare(QLatin1String("LEN"), CI) == 0 ? QStringLiteral("LENGTH") : Valor;

    Literales apartados = apartaLiterales(Valor);
    QString s = limiteFilas(fechaConvertida(apartados.texto, apartados.originales));
    for (const auto& par : kLongitud)
        s = sustituye(s, par);
    s = sustituye(s, {"[", "\""});
    s = sustituye(s, {"]", "\""});
    s = sustituye(s, {"Charindex", "InStr"});
    s = sustituye(s, {"CONVERT(NVARCHAR,", "TO_CHAR("});
    s = sustituye(s, {"CONVERT(INT,", "TO_NUMBER("});
    s = vacioEsNulo(s, QStringLiteral("= ''"));
    s = vacioEsNulo(s, QStringLiteral("=''"));
    s = estilo103(s);
    s = sustituye(s, {"SUBSTRING(", "SUBSTR("});
    s = sustituye(s, {"ISNULL(", "NVL("});
    return reponeLiterales(s, apartados.originales);
}
