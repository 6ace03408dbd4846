// Every statement of the program is written for SQL Server; on Oracle it is
// rewritten here by plain text substitution.

#include "DB_Dll.h"

#include "platform/Regional.h"
#include "platform/Utiles.h"

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

// TOP n becomes a ROWNUM condition placed after the statement's own
// condition and before its GROUP BY or ORDER BY.
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

    QString agrupa, ordena;
    if (const qsizetype g = s.indexOf(QLatin1String(" GROUP BY "), 0, CI); g >= 0)
        agrupa = s.mid(g);
    else if (const qsizetype o = s.indexOf(QLatin1String("ORDER BY "), 0, CI); o >= 0)
        ordena = s.mid(o);
    const QString limite =
        (s.contains(QLatin1String(" WHERE "), CI) ? QStringLiteral(" AND ROWNUM <= ")
                                                  : QStringLiteral(" WHERE ROWNUM <= ")) +
        n;
    const QString cola = (agrupa + ordena).trimmed();
    if (!cola.isEmpty())
        cuerpo = Utiles::SustituyeTexto(cuerpo, cola, QStringLiteral(" "));
    return antes + QLatin1Char(' ') + cuerpo + QLatin1Char(' ') + limite + QLatin1Char(' ') +
           agrupa + QLatin1Char(' ') + ordena;
}

// Literals holding a full date become TO_DATE calls; one already inside a
// TO_DATE call is not wrapped twice.
QString literalesFecha(const QString& s) {
    QString copia = s;
    for (qsizetype abre = s.indexOf(QLatin1Char('\'')); abre >= 0;) {
        const qsizetype cierra = s.indexOf(QLatin1Char('\''), abre + 1);
        if (cierra < 0)
            rechaza(QStringLiteral("Falta el apóstrofo que cierra un texto de la sentencia"));
        const QString texto = s.mid(abre + 1, cierra - abre - 1);
        if (const auto fecha = q42::Regional::readFullDate(texto)) {
            const QString llamada = QStringLiteral("TO_DATE('") +
                                    fecha->toString(QStringLiteral("dd/MM/yyyy")) +
                                    QStringLiteral("','DD/MM/YYYY')");
            copia = Utiles::SustituyeTexto(copia, s.mid(abre, cierra - abre + 1), llamada);
        }
        abre = s.indexOf(QLatin1Char('\''), cierra + 1);
    }
    while (copia.contains(QLatin1String("TO_DATE(TO_DATE("), CI)) {
        copia = Utiles::SustituyeTexto(copia, QStringLiteral("TO_DATE(TO_DATE("),
                                       QStringLiteral("TO_DATE("));
        copia = Utiles::SustituyeTexto(copia, QStringLiteral("'DD/MM/YYYY'),'DD/MM/YYYY')"),
                                       QStringLiteral("'DD/MM/YYYY')"));
    }
    return copia;
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
    if (!gConnString.contains(QLatin1String("ORACLE"), CI))
        return Valor;
    if (Utiles::CuentaPalabras(Valor) <= 1)
        return Valor.compare(QLatin1String("LEN"), CI) == 0 ? QStringLiteral("LENGTH") : Valor;

    QString s = limiteFilas(Valor);
    for (const auto& par : kLongitud)
        s = sustituye(s, par);
    s = sustituye(s, {"[", "\""});
    s = sustituye(s, {"]", "\""});
    s = literalesFecha(s);
    s = sustituye(s, {"Charindex", "InStr"});
    s = sustituye(s, {"CONVERT(NVARCHAR,", "TO_CHAR("});
    s = sustituye(s, {"CONVERT(INT,", "TO_NUMBER("});
    s = vacioEsNulo(s, QStringLiteral("= ''"));
    s = vacioEsNulo(s, QStringLiteral("=''"));
    s = estilo103(s);
    s = sustituye(s, {"SUBSTRING(", "SUBSTR("});
    s = sustituye(s, {"ISNULL(", "NVL("});
    return s;
}
