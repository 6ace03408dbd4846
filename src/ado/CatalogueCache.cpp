#include "CatalogueCache.h"

#include <QRegularExpression>

namespace ado::detail {

QString CatalogueCache::key(int schema, const QVariantList& restrictions, const QString& database) {
    QStringList parts{QString::number(schema)};
    for (qsizetype i = 0; i < restrictions.size(); ++i) {
        QString r = restrictions.at(i).toString().trimmed();
        if (i == 0 && r.compare(database, Qt::CaseInsensitive) == 0)
            r.clear();
        parts << r.toLower();
    }
    while (parts.size() > 1 && parts.last().isEmpty())
        parts.removeLast();
    return parts.join(QLatin1Char('\x1f'));
}

std::optional<Result> CatalogueCache::find(int schema, const QVariantList& restrictions,
                                           const QString& database) const {
    const auto it = m_kept.constFind(key(schema, restrictions, database));
    if (it == m_kept.constEnd())
        return std::nullopt;
    return *it;
}

void CatalogueCache::keep(int schema, const QVariantList& restrictions, const QString& database,
                          const Result& result) {
    m_kept.insert(key(schema, restrictions, database), result);
}

void CatalogueCache::seeStatement(const QString& sql) {
    if (m_kept.isEmpty())
        return;
    // A word in a string or a comment only costs a fresh read.
    static const QRegularExpression ddl(
        QStringLiteral("\\b(CREATE|ALTER|DROP|RENAME|sp_rename)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    if (ddl.match(sql).hasMatch())
        m_kept.clear();
}

} // namespace ado::detail
