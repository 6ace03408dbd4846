#pragma once

// The catalogue (table list, column lists) as a connection last read it.
// Every look-up on a network costs a round trip, and the program asks the
// same questions several times at start; the schema only changes through
// the program's own DDL or a new connection, both of which drop what is kept.

#include "Driver.h"

#include <QHash>
#include <QString>
#include <QVariantList>
#include <optional>

namespace ado::detail {

class CatalogueCache {
public:
    // `database` is the connection's own: a catalogue restriction naming it
    // asks the same as none.
    std::optional<Result> find(int schema, const QVariantList& restrictions,
                               const QString& database) const;
    void keep(int schema, const QVariantList& restrictions, const QString& database,
              const Result& result);
    void clear() { m_kept.clear(); }
    // Drops everything when the text may change the schema.
    void seeStatement(const QString& sql);

private:
    static QString key(int schema, const QVariantList& restrictions, const QString& database);
    QHash<QString, Result> m_kept;
};

} // namespace ado::detail
