#include "ConnectionString.h"

#include "Ado.h"

#include <QRegularExpression>

namespace ado {

QString redactPasswords(const QString& text) {
    // A value runs to the next ";" unless it is in braces or quotes.
    static const QRegularExpression re(
        QStringLiteral(
            R"((\b(?:pwd|password)\s*=)\s*(\{(?:[^}]|\}\})*\}?|"[^"]*"?|'[^']*'?|[^;]*))"),
        QRegularExpression::CaseInsensitiveOption);
    QString out = text;
    out.replace(re, QStringLiteral("\\1***"));
    return out;
}

namespace detail {

ConnectionString ConnectionString::parse(const QString& text) {
    ConnectionString cs;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype eq = text.indexOf(QLatin1Char('='), i);
        const qsizetype semi = text.indexOf(QLatin1Char(';'), i);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            // A piece without "=" carries nothing.
            if (semi < 0)
                break;
            i = semi + 1;
            continue;
        }
        const QString key = text.mid(i, eq - i).trimmed();
        qsizetype v = eq + 1;
        while (v < n && text.at(v).isSpace())
            ++v;
        QString value;
        // ODBC quotes with braces, OLE DB with either quote; the closing
        // character doubled stands for itself.
        const QChar open = v < n ? text.at(v) : QChar();
        const QChar close = open == QLatin1Char('{')    ? QLatin1Char('}')
                            : open == QLatin1Char('"')  ? QLatin1Char('"')
                            : open == QLatin1Char('\'') ? QLatin1Char('\'')
                                                        : QChar();
        if (!close.isNull()) {
            qsizetype k = v + 1;
            while (k < n) {
                if (text.at(k) == close) {
                    if (k + 1 < n && text.at(k + 1) == close) {
                        value += close;
                        k += 2;
                        continue;
                    }
                    break;
                }
                value += text.at(k++);
            }
            i = text.indexOf(QLatin1Char(';'), k);
            i = i < 0 ? n : i + 1;
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), v);
            value = text.mid(v, end < 0 ? -1 : end - v).trimmed();
            i = end < 0 ? n : end + 1;
        }
        if (!key.isEmpty())
            cs.m_items.append({key, value});
    }
    return cs;
}

QString ConnectionString::value(const QStringList& keys) const {
    for (const QString& wanted : keys)
        for (const auto& [key, value] : m_items)
            if (key.compare(wanted, Qt::CaseInsensitive) == 0)
                return value;
    return {};
}

bool ConnectionString::has(const QStringList& keys) const {
    for (const QString& wanted : keys)
        for (const auto& item : m_items)
            if (item.first.compare(wanted, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

void ConnectionString::remove(const QStringList& keys) {
    m_items.removeIf([&](const QPair<QString, QString>& item) {
        return keys.contains(item.first, Qt::CaseInsensitive);
    });
}

void ConnectionString::set(const QString& key, const QString& value) {
    for (auto& item : m_items)
        if (item.first.compare(key, Qt::CaseInsensitive) == 0) {
            item.second = value;
            return;
        }
    m_items.append({key, value});
}

QString ConnectionString::toOdbc() const {
    QString out;
    for (const auto& [key, value] : m_items)
        out += key + QLatin1Char('=') + odbcValue(value) + QLatin1Char(';');
    return out;
}

QString odbcValue(const QString& value) {
    static const QString special = QStringLiteral(";{}=");
    bool needs = value != value.trimmed();
    for (QChar c : value)
        needs = needs || special.contains(c);
    if (!needs)
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

HostPort splitHostPort(const QString& server) {
    const QString s = server.trimmed();
    qsizetype at = s.lastIndexOf(QLatin1Char(','));
    // A colon separates a port only when there is exactly one (not IPv6).
    if (at < 0 && s.count(QLatin1Char(':')) == 1)
        at = s.indexOf(QLatin1Char(':'));
    if (at < 0)
        return {s, {}};
    return {s.left(at).trimmed(), s.mid(at + 1).trimmed()};
}

} // namespace detail
} // namespace ado
