#pragma once

#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

namespace q42 {

// Fixed-point number with four decimals (value x 10 000 in 64 bits), the
// type in which every quantity of a declaration is computed. Rounding goes
// half to even, as the original platform's currency type did.
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    static Currency fromInt(std::int64_t units); // throws Error(Overflow)
    // Nearest value with four decimals, half to even; throws Error(Overflow).
    static Currency fromDouble(double value);

    // Reads a number written under the regional settings: optional sign,
    // digits with the regional decimal separator (a lone "." is accepted as
    // a decimal point too), grouping separators ignored. Blank text is 0.
    // Nothing else is a number: empty optional.
    static std::optional<Currency> parse(const QString& text);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }

    // Half to even at the given number of decimals (0 to 4).
    Currency rounded(int decimals) const;

    // Shortest text with the regional decimal separator, no grouping:
    // 1234.5 gives "1234,5" under Spanish settings, 3 gives "3".
    QString toText() const;
    // Fixed count of decimals (rounded half to even), no grouping.
    QString toFixed(int decimals, QChar decimalSeparator) const;
    QString toFixed(int decimals) const;
    // Invariant form with "." as decimal point, for SQL.
    QString toSqlText() const;

    Currency operator+(Currency o) const; // throws Error(Overflow)
    Currency operator-(Currency o) const;
    Currency operator-() const;
    // Product kept to four decimals, half to even.
    Currency operator*(Currency o) const;
    Currency& operator+=(Currency o) { return *this = *this + o; }
    Currency& operator-=(Currency o) { return *this = *this - o; }

    constexpr auto operator<=>(const Currency&) const = default;
    constexpr bool isZero() const { return m_raw == 0; }

private:
    std::int64_t m_raw = 0;
};

} // namespace q42
