#include "SqlTokens.h"

namespace ado::detail {

namespace {

bool wordStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#');
}

bool wordChar(QChar c) {
    return wordStart(c) || c.isDigit() || c == QLatin1Char('$');
}

// Length of a run closed by `close`, where a doubled `close` is part of it.
qsizetype quotedLength(const QString& s, qsizetype start, QChar close) {
    qsizetype k = start + 1;
    while (k < s.size()) {
        if (s.at(k) == close) {
            if (k + 1 < s.size() && s.at(k + 1) == close) {
                k += 2;
                continue;
            }
            return k + 1 - start;
        }
        ++k;
    }
    return s.size() - start; // unterminated: to the end
}

qsizetype tokenLength(const QString& s, qsizetype i, Token::Kind& kind) {
    const QChar c = s.at(i);
    const QChar next = i + 1 < s.size() ? s.at(i + 1) : QChar();
    if (c.isSpace()) {
        kind = Token::Space;
        qsizetype k = i;
        while (k < s.size() && s.at(k).isSpace())
            ++k;
        return k - i;
    }
    if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
        kind = Token::Comment;
        const qsizetype eol = s.indexOf(QLatin1Char('\n'), i);
        return (eol < 0 ? s.size() : eol) - i;
    }
    if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
        kind = Token::Comment;
        const qsizetype close = s.indexOf(QLatin1String("*/"), i + 2);
        return (close < 0 ? s.size() : close + 2) - i;
    }
    if (c == QLatin1Char('\'')) {
        kind = Token::String;
        return quotedLength(s, i, QLatin1Char('\''));
    }
    if ((c == QLatin1Char('N') || c == QLatin1Char('n')) && next == QLatin1Char('\'')) {
        kind = Token::NString;
        return 1 + quotedLength(s, i + 1, QLatin1Char('\''));
    }
    if (c == QLatin1Char('[')) {
        kind = Token::Bracketed;
        return quotedLength(s, i, QLatin1Char(']'));
    }
    if (c == QLatin1Char('"')) {
        kind = Token::Quoted;
        return quotedLength(s, i, QLatin1Char('"'));
    }
    if (wordStart(c)) {
        kind = Token::Word;
        qsizetype k = i;
        while (k < s.size() && wordChar(s.at(k)))
            ++k;
        return k - i;
    }
    if (c.isDigit() || (c == QLatin1Char('.') && next.isDigit())) {
        kind = Token::Number;
        qsizetype k = i;
        while (k < s.size() && (s.at(k).isDigit() || s.at(k) == QLatin1Char('.')))
            ++k;
        if (k < s.size() && (s.at(k) == QLatin1Char('e') || s.at(k) == QLatin1Char('E'))) {
            qsizetype e = k + 1;
            if (e < s.size() && (s.at(e) == QLatin1Char('+') || s.at(e) == QLatin1Char('-')))
                ++e;
            if (e < s.size() && s.at(e).isDigit()) {
                k = e;
                while (k < s.size() && s.at(k).isDigit())
                    ++k;
            }
        }
        return k - i;
    }
    kind = Token::Punct;
    return 1;
}

bool isClauseKeyword(const Token& t) {
    static const char* const words[] = {"WHERE", "ORDER",  "GROUP", "HAVING",
                                        "LIMIT", "OPTION", "FOR",   "WITH"};
    for (const char* w : words)
        if (t.is(Token::Word, w))
            return true;
    return false;
}

bool isCompound(const Token& t) {
    return t.is(Token::Word, "UNION") || t.is(Token::Word, "EXCEPT") ||
           t.is(Token::Word, "INTERSECT");
}

} // namespace

Tokens tokenize(const QString& sql) {
    Tokens out;
    qsizetype i = 0;
    while (i < sql.size()) {
        Token::Kind kind = Token::Punct;
        const qsizetype len = tokenLength(sql, i, kind);
        out.push_back({kind, sql.mid(i, len)});
        i += len;
    }
    return out;
}

int nextSignificant(const Tokens& t, int from, int end) {
    int i = from;
    while (i < end && !t[std::size_t(i)].significant())
        ++i;
    return i;
}

int matchingParen(const Tokens& t, int open, int end) {
    int depth = 0;
    for (int i = open; i < end; ++i) {
        if (t[std::size_t(i)].isPunct('('))
            ++depth;
        else if (t[std::size_t(i)].isPunct(')') && --depth == 0)
            return i;
    }
    return -1;
}

QString singleTableOf(const QString& select) {
    const Tokens t = tokenize(select);
    const int end = int(t.size());
    auto at = [&](int i) -> const Token& { return t[std::size_t(i)]; };
    int i = nextSignificant(t, 0, end);
    if (i >= end || !at(i).is(Token::Word, "SELECT"))
        return {};
    // Up to FROM at the outer level.
    int depth = 0;
    for (++i; i < end; ++i) {
        const Token& k = at(i);
        if (k.isPunct('('))
            ++depth;
        else if (k.isPunct(')'))
            --depth;
        else if (depth == 0 && k.is(Token::Word, "DISTINCT"))
            return {};
        else if (depth == 0 && k.is(Token::Word, "FROM"))
            break;
    }
    i = nextSignificant(t, i + 1, end);
    QString name;
    // name ( "." name )*
    while (i < end) {
        const Token& k = at(i);
        if (k.kind != Token::Word && k.kind != Token::Bracketed && k.kind != Token::Quoted)
            return {};
        name += k.text;
        if (i + 1 < end && at(i + 1).isPunct('.')) {
            name += QLatin1Char('.');
            i += 2;
            continue;
        }
        ++i;
        break;
    }
    if (name.isEmpty())
        return {};
    i = nextSignificant(t, i, end);
    // Optional alias.
    if (i < end && at(i).is(Token::Word, "AS"))
        i = nextSignificant(t, i + 1, end) + 1;
    else if (i < end &&
             (at(i).kind == Token::Word || at(i).kind == Token::Quoted ||
              at(i).kind == Token::Bracketed) &&
             !isClauseKeyword(at(i)))
        ++i;
    i = nextSignificant(t, i, end);
    if (i < end && !at(i).isPunct(';') && !isClauseKeyword(at(i)))
        return {};
    for (depth = 0; i < end; ++i) {
        const Token& k = at(i);
        if (k.isPunct('('))
            ++depth;
        else if (k.isPunct(')'))
            --depth;
        else if (depth == 0 && (isCompound(k) || k.is(Token::Word, "GROUP")))
            return {};
    }
    return name;
}

QString bareName(const QString& name) {
    const Tokens t = tokenize(name);
    QString last;
    for (const Token& k : t) {
        if (k.kind == Token::Bracketed || k.kind == Token::Quoted) {
            QString inner = k.text.mid(1, k.text.size() - 2);
            const QString close =
                k.kind == Token::Bracketed ? QStringLiteral("]") : QStringLiteral("\"");
            inner.replace(close + close, close);
            last = inner;
        } else if (k.kind == Token::Word) {
            last = k.text;
        }
    }
    return last;
}

} // namespace ado::detail
