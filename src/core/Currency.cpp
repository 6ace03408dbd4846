#include "Currency.h"

#include "Error.h"
#include "Regional.h"

#include <cmath>
#include <limits>

namespace q42 {

namespace {

__extension__ typedef __int128 i128;
__extension__ typedef unsigned __int128 u128;

[[noreturn]] void overflow() {
    throw Error(err::Overflow, QStringLiteral("Desbordamiento"));
}

// Divides by 10^k rounding half to even.
std::int64_t divRoundHalfEven(i128 value, std::int64_t divisor) {
    i128 q = value / divisor;
    i128 r = value % divisor;
    if (r < 0)
        r = -r;
    const i128 twice = r * 2;
    if (twice > divisor || (twice == divisor && (q % 2) != 0))
        q += value < 0 ? -1 : 1;
    if (q > std::numeric_limits<std::int64_t>::max() ||
        q < std::numeric_limits<std::int64_t>::min())
        overflow();
    return static_cast<std::int64_t>(q);
}

std::int64_t checked(i128 v) {
    if (v > std::numeric_limits<std::int64_t>::max() ||
        v < std::numeric_limits<std::int64_t>::min())
        overflow();
    return static_cast<std::int64_t>(v);
}

} // namespace

Currency Currency::fromInt(std::int64_t units) {
    return fromRaw(checked(i128(units) * Scale));
}

Currency Currency::fromDouble(double value) {
    if (!std::isfinite(value))
        overflow();
    const double scaled = value * Scale;
    if (std::fabs(scaled) >= 9.2e18)
        overflow();
    // Decide the half on the decimal text of the double, so 0.00005 (stored
    // a hair below or above) rounds the way it reads.
    const QString text = QString::number(value, 'f', 12);
    const auto parsed =
        parse(QString(text).replace(QLatin1Char('.'), Regional::decimalSeparator()));
    if (parsed)
        return *parsed;
    return fromRaw(static_cast<std::int64_t>(std::nearbyint(scaled)));
}

std::optional<Currency> Currency::parse(const QString& input) {
    const QString text = input.trimmed();
    if (text.isEmpty())
        return Currency();
    const QChar dec = Regional::decimalSeparator();
    const QChar group = dec == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');

    int pos = 0;
    bool negative = false;
    if (text[pos] == QLatin1Char('-') || text[pos] == QLatin1Char('+')) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    // A lone grouping character with no decimal separator reads as the
    // decimal point: "12.5" typed from a numeric keypad under Spanish settings.
    QChar decimalChar = dec;
    if (!text.contains(dec) && text.count(group) == 1)
        decimalChar = group;

    i128 intPart = 0;
    bool anyDigit = false;
    bool inFraction = false;
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    int roundDigit = -1;
    bool stickyBeyond = false;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c.isDigit() && c.unicode() < 128) {
            anyDigit = true;
            const int d = c.unicode() - '0';
            if (!inFraction) {
                intPart = intPart * 10 + d;
                if (intPart > i128(std::numeric_limits<std::int64_t>::max() / Scale) + 1)
                    overflow();
            } else if (fractionDigits < 4) {
                fraction = fraction * 10 + d;
                ++fractionDigits;
            } else if (roundDigit < 0) {
                roundDigit = d;
            } else if (d != 0) {
                stickyBeyond = true;
            }
        } else if (c == decimalChar && !inFraction) {
            inFraction = true;
        } else if (c == group && !inFraction && decimalChar != group) {
            continue;
        } else if (c.isSpace()) {
            // trailing blanks only
            for (; pos < text.size(); ++pos)
                if (!text[pos].isSpace())
                    return std::nullopt;
            break;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    while (fractionDigits < 4) {
        fraction *= 10;
        ++fractionDigits;
    }
    i128 raw = intPart * Scale + fraction;
    if (roundDigit > 5 || (roundDigit == 5 && (stickyBeyond || (raw % 2) != 0)))
        raw += 1;
    if (negative)
        raw = -raw;
    return fromRaw(checked(raw));
}

Currency Currency::rounded(int decimals) const {
    if (decimals >= 4)
        return *this;
    if (decimals < 0)
        decimals = 0;
    std::int64_t unit = 1;
    for (int i = decimals; i < 4; ++i)
        unit *= 10;
    return fromRaw(checked(i128(divRoundHalfEven(m_raw, unit)) * unit));
}

QString Currency::toFixed(int decimals, QChar separator) const {
    if (decimals > 4)
        decimals = 4;
    if (decimals < 0)
        decimals = 0;
    const Currency r = rounded(decimals);
    const bool negative = r.m_raw < 0;
    const u128 absRaw = negative ? static_cast<u128>(-i128(r.m_raw)) : r.m_raw;
    const auto units = static_cast<unsigned long long>(absRaw / Scale);
    auto frac = static_cast<unsigned long long>(absRaw % Scale);
    QString out = QString::number(units);
    if (decimals > 0) {
        for (int i = decimals; i < 4; ++i)
            frac /= 10;
        out += separator;
        out += QStringLiteral("%1").arg(frac, decimals, 10, QLatin1Char('0'));
    }
    if (negative)
        out.prepend(QLatin1Char('-'));
    return out;
}

QString Currency::toFixed(int decimals) const {
    return toFixed(decimals, Regional::decimalSeparator());
}

QString Currency::toText() const {
    QString s = toFixed(4, Regional::decimalSeparator());
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(Regional::decimalSeparator()))
        s.chop(1);
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

QString Currency::toSqlText() const {
    QString s = toFixed(4, QLatin1Char('.'));
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

Currency Currency::operator+(Currency o) const {
    return fromRaw(checked(i128(m_raw) + o.m_raw));
}
Currency Currency::operator-(Currency o) const {
    return fromRaw(checked(i128(m_raw) - o.m_raw));
}
Currency Currency::operator-() const {
    return fromRaw(checked(-i128(m_raw)));
}
Currency Currency::operator*(Currency o) const {
    return fromRaw(divRoundHalfEven(i128(m_raw) * o.m_raw, Scale));
}

} // namespace q42
