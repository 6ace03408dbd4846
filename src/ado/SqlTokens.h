#pragma once

// A light tokenizer for the SQL the program writes: enough to tell string
// literals, quoted names and comments from words and punctuation, so that
// rewriting never touches the inside of a literal.

#include <QString>
#include <vector>

namespace ado::detail {

struct Token {
    enum Kind { Space, Comment, Word, Number, String, NString, Bracketed, Quoted, Punct };
    Kind kind;
    QString text;
    bool is(Kind k, const char* upper) const {
        return kind == k && text.compare(QLatin1String(upper), Qt::CaseInsensitive) == 0;
    }
    bool isPunct(char c) const { return kind == Punct && text == QLatin1Char(c); }
    bool significant() const { return kind != Space && kind != Comment; }
};

using Tokens = std::vector<Token>;

Tokens tokenize(const QString& sql);

// Index of the next significant token at or after `from`, or `end`.
int nextSignificant(const Tokens& t, int from, int end);
// Index of the ")" closing the "(" at `open`, or -1.
int matchingParen(const Tokens& t, int open, int end);

// For "SELECT ... FROM name [alias] [WHERE|ORDER BY ...]" reading one table:
// the name as written ("dbo.DJ_Q42", "[Mi Tabla]"). Empty for joins,
// several tables, sub-queries, compounds, DISTINCT or GROUP BY.
QString singleTableOf(const QString& select);

// A name as written ("[a b]", "\"a\"", "dbo.t") without its quoting, last
// part only.
QString bareName(const QString& name);

} // namespace ado::detail
