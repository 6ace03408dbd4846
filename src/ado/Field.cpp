#include "AdoErrors.h"
#include "AdoPrivate.h"
#include "TypeMap.h"

namespace ado {

using namespace detail;

QVariant Field::Value() const {
    m_owner->d->requireOpen();
    return m_owner->d->value(m_index);
}

QVariant Field::OriginalValue() const {
    const RecordsetPrivate& d = *m_owner->d;
    d.requireOpen();
    if (d.editMode == adEditAdd)
        return {};
    if (!d.onRow() || d.rows[std::size_t(d.pos)].deleted)
        raiseNoCurrentRecord();
    if (d.textFormat)
        return d.value(m_index);
    return d.rows[std::size_t(d.pos)].values.at(m_index);
}

void Field::setValue(const QVariant& value) {
    m_owner->d->setValue(m_index, value);
}

void RecordsetPrivate::setValue(int index, const QVariant& value) {
    requireUpdatable();
    const Field& f = fields[std::size_t(index)];
    if (f.m_baseColumn.isEmpty())
        raise(MultipleStepErrors,
              QStringLiteral("Multiple-step operation generated errors. The field '%1' is no "
                             "column of a table and cannot be written.")
                  .arg(f.m_name));
    const QVariant converted =
        coerceToField(value, {f.m_type, f.m_definedSize, f.m_precision, f.m_scale}, f.m_name);
    if (editMode == adEditNone) {
        requireCurrent();
        buffer = rows[std::size_t(pos)].values;
        changed.assign(fields.size(), false);
        editMode = adEditInProgress;
    }
    buffer[index] = converted;
    changed[std::size_t(index)] = true;
}

} // namespace ado
