#include "AdoErrors.h"
#include "AdoPrivate.h"
#include "SqlTokens.h"

namespace ado {

using namespace detail;

void RecordsetPrivate::load(Result&& result, const Driver* driver) {
    fields.clear();
    rows.clear();
    fields.reserve(result.columns.size());
    for (std::size_t i = 0; i < result.columns.size(); ++i) {
        const Column& c = result.columns[i];
        Field f;
        f.m_owner = q;
        f.m_index = int(i);
        f.m_name = c.name;
        f.m_baseColumn = c.baseColumn;
        f.m_type = c.type;
        f.m_definedSize = c.definedSize;
        f.m_precision = c.precision;
        f.m_scale = c.scale;
        fields.push_back(f);
    }
    rows.reserve(result.rows.size());
    for (QVariantList& stored : result.rows) {
        Row row;
        row.values.reserve(stored.size());
        for (qsizetype i = 0; i < stored.size(); ++i)
            row.values.append(driver ? driver->present(stored.at(i), fields[std::size_t(i)].m_type)
                                     : stored.at(i));
        row.stored = std::move(stored);
        rows.push_back(std::move(row));
    }
    pos = rows.empty() ? -1 : 0;
    editMode = adEditNone;
    buffer.clear();
    changed.clear();
    state = adStateOpen;
}

void RecordsetPrivate::loadText(Result&& result, TextRows&& cells) {
    load(std::move(result), nullptr);
    text = std::move(cells);
    // Positions only: the cells stay in the block.
    rows.resize(std::size_t(text.rowCount()));
    pos = rows.empty() ? -1 : 0;
}

void RecordsetPrivate::requireOpen() const {
    if (state != adStateOpen)
        raiseClosed();
}

bool RecordsetPrivate::onRow() const {
    return pos >= 0 && pos < int(rows.size());
}

int RecordsetPrivate::liveCount() const {
    int n = 0;
    for (const Row& r : rows)
        n += r.deleted ? 0 : 1;
    return n;
}

// Past the first row, or an empty set (a deleted current row still counts
// as a position until the next move).
bool RecordsetPrivate::bof() const {
    if (editMode == adEditAdd)
        return false;
    return pos < 0 || (!onRow() && liveCount() == 0);
}

bool RecordsetPrivate::eof() const {
    if (editMode == adEditAdd)
        return false;
    return pos >= int(rows.size()) || (!onRow() && liveCount() == 0);
}

void RecordsetPrivate::requireCurrent() const {
    requireOpen();
    if (editMode == adEditAdd)
        return;
    if (!onRow() || rows[std::size_t(pos)].deleted)
        raiseNoCurrentRecord();
}

// Server-side forward-only rows are read once, front to back.
void RecordsetPrivate::requireBackward() const {
    if (serverSide && cursorType == adOpenForwardOnly)
        raise(CantFetchBackwards, QStringLiteral("Rowset does not support fetching backward."));
}

void RecordsetPrivate::requireUpdatable() const {
    requireOpen();
    if (lockType == adLockReadOnly || table.isEmpty() || !connection)
        raiseNotUpdatable();
}

int RecordsetPrivate::nextLive(int from, int step) const {
    int i = from + step;
    while (i >= 0 && i < int(rows.size()) && rows[std::size_t(i)].deleted)
        i += step;
    return i < 0 ? -1 : qMin(i, int(rows.size()));
}

void RecordsetPrivate::flushEdit() {
    if (editMode != adEditNone)
        q->Update();
}

QVariant RecordsetPrivate::value(int index) const {
    if (editMode != adEditNone)
        return buffer.at(index);
    requireCurrent();
    if (textFormat)
        return text.cell(pos, index).toString();
    return rows[std::size_t(pos)].values.at(index);
}

Recordset::Recordset() : d(std::make_unique<RecordsetPrivate>()) {
    d->q = this;
}

Recordset::~Recordset() = default;

void Recordset::Open(const QString& source, const std::shared_ptr<Connection>& connection,
                     int cursorType, int lockType, int /*options*/) {
    if (d->state == adStateOpen)
        raise(q42::err::NotAllowedOpen,
              QStringLiteral("Operation is not allowed when the object is open."));
    if (!connection || connection->State() != adStateOpen)
        raise(3709, QStringLiteral("The connection cannot be used to perform this operation. It "
                                   "is either closed or invalid in this context."));
    if (cursorType != adOpenUnspecified)
        d->cursorType = cursorType;
    if (lockType != adLockUnspecified)
        d->lockType = lockType;
    // Client-side cursors are always static, whatever was asked.
    d->serverSide = connection->CursorLocation() != adUseClient;
    if (!d->serverSide)
        d->cursorType = adOpenStatic;
    TextRows cells;
    Result r = d->textFormat ? connection->d->runText(source, d->textFormat, cells)
                             : connection->d->run(source);
    d->source = source;
    d->connection = connection;
    if (!r.hasColumns) {
        // A statement without rows leaves the record set closed.
        d->state = adStateClosed;
        return;
    }
    if (d->textFormat) {
        d->table.clear();
        d->loadText(std::move(r), std::move(cells));
        return;
    }
    d->table = d->lockType == adLockReadOnly ? QString() : singleTableOf(source);
    d->load(std::move(r), connection->d->driver.get());
}

void Recordset::setTextCells(CellFormat format) {
    d->textFormat = std::move(format);
}

TextRows Recordset::takeTextRows() {
    d->requireOpen();
    TextRows cells = std::move(d->text);
    d->text = TextRows();
    Close();
    return cells;
}

void Recordset::Close() {
    d->requireOpen();
    // A pending edit is dropped: nothing reaches the table unless Update ran.
    d->editMode = adEditNone;
    d->buffer.clear();
    d->changed.clear();
    d->rows.clear();
    d->text = TextRows();
    d->pos = -1;
    d->state = adStateClosed;
}

int Recordset::State() const {
    return d->state;
}

int Recordset::CursorType() const {
    return d->cursorType;
}

void Recordset::setCursorType(int type) {
    if (d->state == adStateOpen)
        raise(q42::err::NotAllowedOpen,
              QStringLiteral("Operation is not allowed when the object is open."));
    d->cursorType = type;
}

int Recordset::LockType() const {
    return d->lockType;
}

void Recordset::setLockType(int type) {
    if (d->state == adStateOpen)
        raise(q42::err::NotAllowedOpen,
              QStringLiteral("Operation is not allowed when the object is open."));
    d->lockType = type;
}

QString Recordset::Source() const {
    return d->source;
}

std::shared_ptr<Connection> Recordset::ActiveConnection() const {
    return d->connection;
}

bool Recordset::BOF() const {
    d->requireOpen();
    return d->bof();
}

bool Recordset::EOF_() const {
    d->requireOpen();
    return d->eof();
}

void Recordset::MoveFirst() {
    d->requireOpen();
    d->flushEdit();
    if (d->liveCount() == 0)
        raiseNoCurrentRecord();
    d->pos = d->nextLive(-1, 1);
}

void Recordset::MoveLast() {
    d->requireOpen();
    d->requireBackward();
    d->flushEdit();
    if (d->liveCount() == 0)
        raiseNoCurrentRecord();
    d->pos = d->nextLive(int(d->rows.size()), -1);
}

void Recordset::MoveNext() {
    Move(1);
}

void Recordset::MovePrevious() {
    Move(-1);
}

void Recordset::Move(long n) {
    d->requireOpen();
    if (n < 0)
        d->requireBackward();
    d->flushEdit();
    if (n == 0) {
        d->requireCurrent();
        return;
    }
    if ((n > 0 && d->eof()) || (n < 0 && d->bof()))
        raiseNoCurrentRecord();
    const int step = n > 0 ? 1 : -1;
    int p = d->pos;
    for (long k = 0; k != n; k += step) {
        p = d->nextLive(p, step);
        if (p < 0 || p >= int(d->rows.size()))
            break;
    }
    d->pos = p;
}

long Recordset::RecordCount() const {
    d->requireOpen();
    if (d->serverSide && d->cursorType == adOpenForwardOnly)
        return -1;
    return d->liveCount();
}

long Recordset::AbsolutePosition() const {
    d->requireOpen();
    if (d->serverSide && d->cursorType == adOpenForwardOnly)
        return adPosUnknown;
    if (d->editMode == adEditAdd)
        return adPosUnknown;
    if (d->bof())
        return adPosBOF;
    if (d->eof())
        return adPosEOF;
    if (d->rows[std::size_t(d->pos)].deleted)
        return adPosUnknown;
    long n = 0;
    for (int i = 0; i <= d->pos; ++i)
        n += d->rows[std::size_t(i)].deleted ? 0 : 1;
    return n;
}

int Recordset::FieldCount() const {
    d->requireOpen();
    return int(d->fields.size());
}

Field& Recordset::Fields(int index) {
    d->requireOpen();
    if (index < 0 || index >= int(d->fields.size()))
        raise(q42::err::ItemNotFound,
              QStringLiteral("Item cannot be found in the collection corresponding to the "
                             "requested name or ordinal."));
    return d->fields[std::size_t(index)];
}

Field& Recordset::Fields(const QString& name) {
    d->requireOpen();
    for (Field& f : d->fields)
        if (f.m_name.compare(name, Qt::CaseInsensitive) == 0)
            return f;
    raise(q42::err::ItemNotFound,
          QStringLiteral("Item cannot be found in the collection corresponding to the requested "
                         "name or ordinal."));
}

bool Recordset::hasField(const QString& name) const {
    for (const Field& f : d->fields)
        if (f.m_name.compare(name, Qt::CaseInsensitive) == 0)
            return d->state == adStateOpen;
    return false;
}

int Recordset::EditMode() const {
    d->requireOpen();
    return d->editMode;
}

} // namespace ado
