// Writing through a record set: AddNew/Update/Delete become parameterised
// statements on the one table the record set reads. Update and Delete are
// optimistic: the row must still hold every value it was read with.

#include "AdoErrors.h"
#include "AdoPrivate.h"
#include "TypeMap.h"

namespace ado {

using namespace detail;

namespace {

// Long text and binary columns cannot be compared with "=" on a server.
bool comparable(const Field& f, Engine engine) {
    return !f.Name().isEmpty() && (engine == Engine::SQLite || !isLongType(f.Type()));
}

} // namespace

QString RecordsetPrivate::whereOriginal(const Row& row, QVariantList& params) const {
    const ConnectionPrivate& c = *connection->d;
    const Driver& drv = *c.driver;
    QStringList terms;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        if (f.m_baseColumn.isEmpty() || !comparable(f, drv.engine()))
            continue;
        const QString column = c.quoteName(f.m_baseColumn);
        const QVariant& original = row.stored.at(qsizetype(i));
        if (!original.isValid() || original.isNull()) {
            terms << column + QStringLiteral(" IS NULL");
        } else {
            terms << drv.equalsParameter(column, f.m_type);
            params << original;
        }
    }
    if (terms.isEmpty())
        connection->d->fail(q42::err::E_Fail,
                            QStringLiteral("Insufficient key column information for updating "
                                           "or refreshing."));
    return terms.join(QStringLiteral(" AND "));
}

void RecordsetPrivate::insertRow() {
    ConnectionPrivate& c = *connection->d;
    const Driver& drv = c.open();
    QStringList names;
    QStringList marks;
    QVariantList params;
    Row row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QVariant stored = drv.toStorage(buffer.at(qsizetype(i)), fields[i].m_type);
        row.values << buffer.at(qsizetype(i));
        row.stored << stored;
        if (!changed[i])
            continue;
        names << c.quoteName(fields[i].m_baseColumn);
        marks << QStringLiteral("?");
        params << stored;
    }
    const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                              .arg(table, names.join(QStringLiteral(", ")),
                                                   marks.join(QStringLiteral(", ")));
    c.run(sql, params);
    rereadInserted(row, params, names);
    rows.push_back(std::move(row));
    pos = int(rows.size()) - 1;
    editMode = adEditNone;
    buffer.clear();
    changed.clear();
}

// Defaults, identities and the engine's own conversions become visible by
// reading the new row back; when it cannot be told apart, the values set
// stay as they are.
void RecordsetPrivate::rereadInserted(Row& row, const QVariantList& params,
                                      const QStringList& names) {
    ConnectionPrivate& c = *connection->d;
    const Driver& drv = *c.driver;
    QStringList columns;
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (!fields[i].m_baseColumn.isEmpty()) {
            columns << c.quoteName(fields[i].m_baseColumn);
            at.push_back(i);
        }
    if (columns.isEmpty())
        return;
    QString where;
    QVariantList whereParams;
    if (drv.engine() == Engine::SQLite) {
        where = QStringLiteral("rowid = last_insert_rowid()");
    } else {
        QStringList terms;
        qsizetype p = 0;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (!changed[i])
                continue;
            const QVariant& v = params.at(p++);
            if (!comparable(fields[i], drv.engine()))
                continue;
            const QString column = c.quoteName(fields[i].m_baseColumn);
            if (!v.isValid() || v.isNull()) {
                terms << column + QStringLiteral(" IS NULL");
            } else {
                terms << drv.equalsParameter(column, fields[i].m_type);
                whereParams << v;
            }
        }
        if (terms.isEmpty() || names.isEmpty())
            return;
        where = terms.join(QStringLiteral(" AND "));
    }
    try {
        const Result r = c.run(QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                                   .arg(columns.join(QStringLiteral(", ")), table, where),
                               whereParams);
        if (r.rows.size() != 1)
            return;
        for (std::size_t k = 0; k < at.size(); ++k) {
            const QVariant& v = r.rows.front().at(qsizetype(k));
            row.stored[qsizetype(at[k])] = v;
            row.values[qsizetype(at[k])] = drv.present(v, fields[at[k]].m_type);
        }
    } catch (const q42::Error&) {
        // The insert itself succeeded; only the read-back is given up.
        c.errors.Clear();
    }
}

void RecordsetPrivate::updateRow() {
    ConnectionPrivate& c = *connection->d;
    const Driver& drv = c.open();
    Row& row = rows[std::size_t(pos)];
    QStringList sets;
    QVariantList params;
    QVariantList stored = row.stored;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!changed[i])
            continue;
        const QVariant v = drv.toStorage(buffer.at(qsizetype(i)), fields[i].m_type);
        sets << c.quoteName(fields[i].m_baseColumn) + QStringLiteral(" = ?");
        params << v;
        stored[qsizetype(i)] = v;
    }
    if (!sets.isEmpty()) {
        const QString where = whereOriginal(row, params);
        const Result r = c.run(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                   .arg(table, sets.join(QStringLiteral(", ")), where),
                               params);
        if (r.affected == 0)
            c.fail(q42::err::RowNotFoundForUpdate,
                   QStringLiteral("Row cannot be located for updating. Some values may have been "
                                  "changed since it was last read."));
        row.values = buffer;
        row.stored = stored;
    }
    editMode = adEditNone;
    buffer.clear();
    changed.clear();
}

void RecordsetPrivate::deleteRow() {
    ConnectionPrivate& c = *connection->d;
    Row& row = rows[std::size_t(pos)];
    QVariantList params;
    const QString where = whereOriginal(row, params);
    const Result r = c.run(QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, where), params);
    if (r.affected == 0)
        c.fail(q42::err::RowNotFoundForUpdate,
               QStringLiteral("Row cannot be located for updating. Some values may have been "
                              "changed since it was last read."));
    row.deleted = true;
}

void Recordset::AddNew() {
    d->requireUpdatable();
    d->flushEdit();
    d->posBeforeAdd = d->pos;
    d->buffer = QVariantList(qsizetype(d->fields.size()));
    d->changed.assign(d->fields.size(), false);
    d->editMode = adEditAdd;
}

void Recordset::Update() {
    d->requireOpen();
    if (d->editMode == adEditNone)
        return;
    d->requireUpdatable();
    if (d->editMode == adEditAdd)
        d->insertRow();
    else
        d->updateRow();
}

void Recordset::CancelUpdate() {
    d->requireOpen();
    if (d->editMode == adEditAdd)
        d->pos = d->posBeforeAdd;
    d->editMode = adEditNone;
    d->buffer.clear();
    d->changed.clear();
}

void Recordset::Delete() {
    d->requireUpdatable();
    // Deleting a row being added only drops it; pending changes are dropped.
    if (d->editMode != adEditNone) {
        const bool adding = d->editMode == adEditAdd;
        CancelUpdate();
        if (adding)
            return;
    }
    d->requireCurrent();
    d->deleteRow();
}

} // namespace ado
