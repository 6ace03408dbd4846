#pragma once

// The cells of a result kept only as text, in one block, row after row:
// a list of a hundred thousand rows then costs a few allocations instead of
// a value object and a string per cell. Read through
// Recordset::setTextCells; shown by lists that display text anyway.

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringView>
#include <QVariant>
#include <functional>
#include <memory>

namespace ado {

// Turns a cell that is neither text nor an integer into its text. It gets
// the value as Field::Value gives it (null as an invalid QVariant); an engine
// may hand it text and integers too, so it must give a text unchanged and an
// integer as its decimal digits.
using CellFormat = std::function<QString(const QVariant& value)>;

namespace detail {

// A growing array whose memory, when it goes, is kept for the next one of
// its kind in the thread: the blocks of a long list are tens of megabytes,
// and fresh memory costs a page fault every 4 KB, where a sandboxed system
// takes longer than reading the rows.
template <class T> class Block {
public:
    Block() = default;
    Block(Block&& other) noexcept { *this = std::move(other); }
    Block& operator=(Block&& other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
        return *this;
    }
    ~Block();

    T* data() const { return m_data.get(); }
    qsizetype size() const { return m_size; }
    // Room for n more elements at the end; they count once `grow` says so.
    T* room(qsizetype n) {
        if (m_size + n > m_capacity)
            reserve(m_size + n);
        return m_data.get() + m_size;
    }
    void grow(qsizetype n) { m_size += n; }
    void shrink(qsizetype size) { m_size = size; }

private:
    void reserve(qsizetype capacity);

    std::unique_ptr<T[]> m_data;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};

} // namespace detail

class TextRows {
public:
    TextRows() = default;
    explicit TextRows(int columns) : m_columns(columns > 0 ? columns : 0) {}

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_columns > 0 ? int(m_bounds.size() / 2 / m_columns) : 0; }
    // Valid until the block changes (append, set).
    QStringView cell(int row, int column) const { return at(index(row, column)); }
    // The cell appended last.
    QStringView last() const { return at(m_bounds.size() - 2); }

    // Filled row by row, each row column by column.
    void append(QStringView text);
    void appendLatin1(QLatin1String text);
    // Decoded exactly as QString::fromUtf8 decodes.
    void appendUtf8(QByteArrayView utf8) {
        const qsizetype start = m_text.size();
        const qsizetype n = utf8.size();
        // UTF-16 never needs more units than UTF-8 has bytes.
        char16_t* out = m_text.room(n);
        const auto* in = reinterpret_cast<const uchar*>(utf8.data());
        uchar any = 0;
        for (qsizetype i = 0; i < n; ++i) {
            any |= in[i];
            out[i] = in[i];
        }
        m_text.grow(any < 0x80 ? n : decode(out, utf8));
        close(start);
    }

    // Replaces a cell's text; the old text stays in the block unused.
    void set(int row, int column, QStringView text);
    // Drops the blanks around a cell's text, as QString::trimmed does.
    void trim(int row, int column);

private:
    qsizetype index(int row, int column) const { return 2 * (qsizetype(row) * m_columns + column); }
    QStringView at(qsizetype i) const {
        const quint32* b = m_bounds.data() + i;
        return QStringView(m_text.data() + b[0], b[1] - b[0]);
    }
    // Beyond ASCII: the cell through Qt's decoder. Units written.
    static qsizetype decode(char16_t* out, QByteArrayView utf8);
    void close(qsizetype start) {
        // Offsets are 32-bit: 4 G characters are far beyond any list.
        if (m_text.size() > qsizetype(UINT32_MAX))
            tooLong();
        quint32* b = m_bounds.room(2);
        b[0] = quint32(start);
        b[1] = quint32(m_text.size());
        m_bounds.grow(2);
    }
    [[noreturn]] static void tooLong();

    int m_columns = 0;
    detail::Block<char16_t> m_text;
    detail::Block<quint32> m_bounds; // start and end of each cell in m_text
};

} // namespace ado
