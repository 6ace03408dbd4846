#include "TsqlAdapter.h"

#include "SqlTokens.h"

#include <utility>
#include <vector>

namespace ado {

namespace {

using detail::Token;
using detail::Tokens;

struct Rename {
    const char* from;
    const char* to;
};

// SQLite knows SUBSTRING only from 3.34 on, SUBSTR in every version.
constexpr Rename kFunctions[] = {{"ISNULL", "IFNULL"}, {"LEN", "LENGTH"}, {"SUBSTRING", "SUBSTR"}};

struct CastTarget {
    const char* type;
    const char* sqlite; // nullptr: a date, see convertDate
};

constexpr CastTarget kCasts[] = {
    {"NVARCHAR", "TEXT"},       {"VARCHAR", "TEXT"},    {"NCHAR", "TEXT"},
    {"CHAR", "TEXT"},           {"NTEXT", "TEXT"},      {"TEXT", "TEXT"},
    {"INT", "INTEGER"},         {"INTEGER", "INTEGER"}, {"BIGINT", "INTEGER"},
    {"SMALLINT", "INTEGER"},    {"TINYINT", "INTEGER"}, {"BIT", "INTEGER"},
    {"FLOAT", "REAL"},          {"REAL", "REAL"},       {"DECIMAL", "NUMERIC"},
    {"NUMERIC", "NUMERIC"},     {"MONEY", "NUMERIC"},   {"DATETIME", nullptr},
    {"SMALLDATETIME", nullptr}, {"DATE", nullptr},
};

// CONVERT(<text type>, date, style): how SQLite writes the same.
struct DateStyle {
    int style;
    const char* format;
};

constexpr DateStyle kStyles[] = {
    {103, "%d/%m/%Y"},          {3, "%d/%m/%y"},   {112, "%Y%m%d"},
    {23, "%Y-%m-%d"},           {108, "%H:%M:%S"}, {120, "%Y-%m-%d %H:%M:%S"},
    {121, "%Y-%m-%d %H:%M:%f"},
};

class Adapter {
public:
    explicit Adapter(const QString& sql) : t(detail::tokenize(sql)) {}
    QString run() { return render(0, int(t.size())); }

private:
    Tokens t;

    const Token& at(int i) const { return t[std::size_t(i)]; }
    int next(int from, int end) const { return detail::nextSignificant(t, from, end); }

    QString render(int from, int to) {
        QString out;
        int i = from;
        while (i < to) {
            const Token& k = at(i);
            switch (k.kind) {
            case Token::NString:
                out += k.text.mid(1);
                ++i;
                continue;
            case Token::Bracketed:
                if (isOwner(i, to)) {
                    i += 2;
                    continue;
                }
                out += quoted(k.text);
                ++i;
                continue;
            case Token::Word:
                i = word(i, to, out);
                continue;
            default:
                out += k.text;
                ++i;
            }
        }
        return out;
    }

    // "dbo." in front of a name.
    bool isOwner(int i, int to) const {
        const Token& k = at(i);
        const bool dbo = k.kind == Token::Word
                             ? k.is(Token::Word, "DBO")
                             : k.text.compare(QLatin1String("[dbo]"), Qt::CaseInsensitive) == 0;
        return dbo && i + 1 < to && at(i + 1).isPunct('.');
    }

    static QString quoted(const QString& bracketed) {
        QString inner = bracketed.mid(
            1, bracketed.endsWith(QLatin1Char(']')) ? bracketed.size() - 2 : bracketed.size() - 1);
        inner.replace(QLatin1String("]]"), QLatin1String("]"));
        inner.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + inner + QLatin1Char('"');
    }

    // Handles the word at i; returns the index after what it consumed.
    int word(int i, int to, QString& out) {
        const Token& k = at(i);
        if (isOwner(i, to))
            return i + 2;
        if (k.is(Token::Word, "SELECT")) {
            const int after = selectTop(i, to, out);
            if (after > i)
                return after;
        }
        const int open = next(i + 1, to);
        const bool call = open < to && at(open).isPunct('(');
        const int close = call ? detail::matchingParen(t, open, to) : -1;
        if (call && close > 0) {
            // "nvarchar(max)": SQLite takes only numbers there; without a
            // size the column is a long one anyway.
            const int size = next(open + 1, close);
            if (size < close && at(size).is(Token::Word, "MAX") && next(size + 1, close) == close &&
                (k.is(Token::Word, "NVARCHAR") || k.is(Token::Word, "VARCHAR") ||
                 k.is(Token::Word, "VARBINARY"))) {
                out += k.text;
                return close + 1;
            }
            for (const Rename& r : kFunctions)
                if (k.is(Token::Word, r.from)) {
                    out += QLatin1String(r.to);
                    return i + 1;
                }
            if (k.is(Token::Word, "GETDATE") && next(open + 1, to) == close) {
                out += QLatin1String("datetime('now','localtime')");
                return close + 1;
            }
            const auto args = arguments(open, close);
            if (k.is(Token::Word, "CHARINDEX") && args.size() == 2) {
                out += QLatin1String("INSTR(") + arg(args[1]) + QLatin1String(", ") + arg(args[0]) +
                       QLatin1Char(')');
                return close + 1;
            }
            if (k.is(Token::Word, "CONVERT") && (args.size() == 2 || args.size() == 3)) {
                const QString converted = convert(args);
                if (!converted.isEmpty()) {
                    out += converted;
                    return close + 1;
                }
            }
        }
        // Table hints have no counterpart.
        if (k.is(Token::Word, "WITH") && call && close > 0) {
            const int hint = next(open + 1, close);
            if (hint < close && at(hint).is(Token::Word, "NOLOCK") &&
                next(hint + 1, close) == close) {
                while (out.endsWith(QLatin1Char(' ')))
                    out.chop(1);
                return close + 1;
            }
        }
        out += k.text;
        return i + 1;
    }

    std::vector<std::pair<int, int>> arguments(int open, int close) const {
        std::vector<std::pair<int, int>> args;
        int depth = 0;
        int start = open + 1;
        for (int i = open + 1; i < close; ++i) {
            if (at(i).isPunct('('))
                ++depth;
            else if (at(i).isPunct(')'))
                --depth;
            else if (depth == 0 && at(i).isPunct(',')) {
                args.emplace_back(start, i);
                start = i + 1;
            }
        }
        if (next(start, close) < close || !args.empty())
            args.emplace_back(start, close);
        return args;
    }

    QString arg(std::pair<int, int> range) { return render(range.first, range.second).trimmed(); }

    // The text of a range as written, nothing rewritten.
    QString raw(std::pair<int, int> range) const {
        QString out;
        for (int i = range.first; i < range.second; ++i)
            out += at(i).text;
        return out.trimmed();
    }

    // Whether the conversion has an SQLite form is decided on the tokens
    // before the value is rendered: a value rendered and then dropped is
    // rendered again as plain text, and nested calls made that exponential.
    QString convert(const std::vector<std::pair<int, int>>& args) {
        const int typeAt = next(args[0].first, args[0].second);
        if (typeAt >= args[0].second || at(typeAt).kind != Token::Word)
            return {};
        const QString type = at(typeAt).text.toUpper();
        const QString style = args.size() == 3 ? raw(args[2]) : QString();
        for (const CastTarget& c : kCasts) {
            if (type != QLatin1String(c.type))
                continue;
            if (!c.sqlite) {
                const char* pattern = datePattern(style);
                if (!pattern)
                    return {};
                const QString fn = type == QLatin1String("DATE") ? QStringLiteral("date")
                                                                 : QStringLiteral("datetime");
                return QString::fromLatin1(pattern).arg(fn, arg(args[1]));
            }
            if (!style.isEmpty() && QLatin1String(c.sqlite) == QLatin1String("TEXT")) {
                for (const DateStyle& s : kStyles)
                    if (style.toInt() == s.style)
                        return QStringLiteral("strftime('%1', %2)")
                            .arg(QLatin1String(s.format), arg(args[1]));
                return {};
            }
            return QStringLiteral("CAST(%1 AS %2)").arg(arg(args[1]), QLatin1String(c.sqlite));
        }
        return {};
    }

    // A text read as a date (%1 the function, %2 the value): ISO texts
    // directly, dd/mm/yyyy (103) and yyyymmdd (112) rearranged first.
    static const char* datePattern(const QString& style) {
        const int s = style.isEmpty() ? 0 : style.toInt();
        if (s == 0 || s == 120 || s == 121 || s == 23 || s == 126)
            return "%1(%2)";
        if (s == 103)
            return "%1(substr(%2,7,4)||'-'||substr(%2,4,2)||'-'||substr(%2,1,2))";
        if (s == 112)
            return "%1(substr(%2,1,4)||'-'||substr(%2,5,2)||'-'||substr(%2,7,2))";
        return nullptr;
    }

    // SELECT [DISTINCT|ALL] TOP n ... → SELECT ... LIMIT n. Returns the index
    // after the rewritten SELECT, or i when there is no TOP to rewrite.
    int selectTop(int i, int to, QString& out) {
        int j = next(i + 1, to);
        int quantifier = -1;
        if (j < to && (at(j).is(Token::Word, "DISTINCT") || at(j).is(Token::Word, "ALL"))) {
            quantifier = j;
            j = next(j + 1, to);
        }
        if (j >= to || !at(j).is(Token::Word, "TOP"))
            return i;
        int n = next(j + 1, to);
        int afterN = n + 1;
        if (n < to && at(n).isPunct('(')) {
            const int close = detail::matchingParen(t, n, to);
            n = next(n + 1, to);
            if (close < 0 || next(n + 1, to) != close)
                return i;
            afterN = close + 1;
        }
        if (n >= to || at(n).kind != Token::Number)
            return i;
        const int body = next(afterN, to);
        if (body < to && (at(body).is(Token::Word, "PERCENT") || at(body).is(Token::Word, "WITH")))
            return i;
        // The end of this SELECT: its closing parenthesis, ";", a compound
        // operator or the end of the text.
        int end = body;
        bool compound = false;
        for (int depth = 0; end < to; ++end) {
            const Token& k = at(end);
            if (k.isPunct('('))
                ++depth;
            else if (k.isPunct(')') && depth-- == 0)
                break;
            else if (depth == 0 && k.isPunct(';'))
                break;
            else if (depth == 0 && (k.is(Token::Word, "UNION") || k.is(Token::Word, "EXCEPT") ||
                                    k.is(Token::Word, "INTERSECT"))) {
                compound = true;
                break;
            }
        }
        compound = compound || followsCompound(i);
        int last = end - 1;
        while (last >= body && !at(last).significant())
            --last;
        QString select = at(i).text;
        if (quantifier >= 0)
            select += render(i + 1, quantifier + 1);
        select += render(quantifier >= 0 ? quantifier + 1 : i + 1, j); // blank before TOP
        if (select == at(i).text)
            select += QLatin1Char(' ');
        select += render(body, last + 1) + QLatin1String(" LIMIT ") + at(n).text;
        if (compound)
            select = QLatin1String("SELECT * FROM (") + select + QLatin1Char(')');
        out += select + render(last + 1, end);
        return end;
    }

    bool followsCompound(int i) const {
        for (int k = i - 1; k >= 0; --k) {
            if (!at(k).significant())
                continue;
            return at(k).is(Token::Word, "UNION") || at(k).is(Token::Word, "ALL") ||
                   at(k).is(Token::Word, "EXCEPT") || at(k).is(Token::Word, "INTERSECT");
        }
        return false;
    }
};

} // namespace

QString adaptTsqlForSqlite(const QString& sql) {
    return Adapter(sql).run();
}

} // namespace ado
