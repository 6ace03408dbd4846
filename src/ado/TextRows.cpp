#include "TextRows.h"

#include "Driver.h"

#include <algorithm>
#include <stdexcept>

namespace ado {

namespace detail {

namespace {

// The largest block of each kind that went last, per thread.
template <class T> struct Spare {
    std::unique_ptr<T[]> data;
    qsizetype capacity = 0;
};
template <class T> Spare<T>& spare() {
    thread_local Spare<T> s;
    return s;
}

} // namespace

template <class T> Block<T>::~Block() {
    Spare<T>& s = spare<T>();
    if (m_capacity > s.capacity) {
        s.data = std::move(m_data);
        s.capacity = m_capacity;
    }
}

template <class T> void Block<T>::reserve(qsizetype capacity) {
    Spare<T>& s = spare<T>();
    if (m_capacity == 0 && s.capacity >= capacity) {
        m_data = std::move(s.data);
        m_capacity = s.capacity;
        s.capacity = 0;
        return;
    }
    // Fourfold: fresh memory costs only where it is first touched, and every
    // copy touches the old block again, so fewer copies mean fewer faults.
    const qsizetype grown = std::max({capacity, 4 * m_capacity, qsizetype(4096)});
    auto bigger = std::make_unique_for_overwrite<T[]>(std::size_t(grown));
    std::copy_n(m_data.get(), m_size, bigger.get());
    m_data = std::move(bigger);
    m_capacity = grown;
}

template class Block<char16_t>;
template class Block<quint32>;

} // namespace detail

void TextRows::append(QStringView text) {
    // A cell of this block copied into it again: growing would free it.
    if (text.utf16() >= m_text.data() && text.utf16() < m_text.data() + m_text.size()) {
        append(text.toString());
        return;
    }
    const qsizetype start = m_text.size();
    std::copy_n(text.utf16(), text.size(), m_text.room(text.size()));
    m_text.grow(text.size());
    close(start);
}

void TextRows::appendLatin1(QLatin1String text) {
    const qsizetype start = m_text.size();
    std::copy_n(reinterpret_cast<const uchar*>(text.data()), text.size(), m_text.room(text.size()));
    m_text.grow(text.size());
    close(start);
}

qsizetype TextRows::decode(char16_t* out, QByteArrayView utf8) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QChar* end = decoder.appendToBuffer(reinterpret_cast<QChar*>(out), utf8);
    return end - reinterpret_cast<const QChar*>(out);
}

void TextRows::set(int row, int column, QStringView text) {
    append(text);
    const qsizetype added = m_bounds.size() - 2;
    const qsizetype i = index(row, column);
    m_bounds.data()[i] = m_bounds.data()[added];
    m_bounds.data()[i + 1] = m_bounds.data()[added + 1];
    m_bounds.shrink(added);
}

void TextRows::trim(int row, int column) {
    const qsizetype i = index(row, column);
    const QStringView full = at(i);
    const QStringView trimmed = full.trimmed();
    quint32* b = m_bounds.data() + i;
    b[0] += quint32(trimmed.data() - full.data());
    b[1] = b[0] + quint32(trimmed.size());
}

void TextRows::tooLong() {
    throw std::length_error("ado::TextRows: more than 4 G characters");
}

namespace detail {

// Engines without a text path of their own: every value as Field::Value
// gives it, handed to the format.
Result Driver::runText(const QString& sql, const CellFormat& format, TextRows& cells) {
    Result r = run(sql, {});
    cells = TextRows(int(r.columns.size()));
    for (const QVariantList& row : r.rows)
        for (qsizetype i = 0; i < row.size(); ++i)
            cells.append(format(present(row.at(i), r.columns[std::size_t(i)].type)));
    r.rows.clear();
    return r;
}

} // namespace detail

} // namespace ado
