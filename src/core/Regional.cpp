#include "Regional.h"

#include <QRegularExpression>

namespace q42 {

namespace {

QLocale& current() {
    static QLocale loc = [] {
        const QByteArray forced = qgetenv("Q42_TEST_LOCALE");
        return forced.isEmpty() ? QLocale::system() : QLocale(QString::fromLatin1(forced));
    }();
    return loc;
}

std::optional<QDate> build(int y, int m, int d) {
    const QDate date(y, m, d);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

int expandYear(int y, int digits) {
    if (digits > 2)
        return y;
    // Two-digit years: 00-29 are this century, 30-99 the last one.
    return y < 30 ? 2000 + y : 1900 + y;
}

std::optional<QDate> read(const QString& input, bool fullOnly) {
    static const QRegularExpression timeTail(
        QStringLiteral("\\s+\\d{1,2}:\\d{1,2}(:\\d{1,2})?\\s*([aApP]\\.?[mM]\\.?)?$"));
    QString text = input.trimmed();
    text.remove(timeTail);
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;

    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    if (auto m = iso.match(text); m.hasMatch())
        return build(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());

    static const QRegularExpression dmy(
        QStringLiteral("^(\\d{1,2})([/.-])(\\d{1,2})\\2(\\d{1,4})$"));
    if (auto m = dmy.match(text); m.hasMatch()) {
        const QString y = m.captured(4);
        if (y.size() == 3)
            return std::nullopt;
        return build(expandYear(y.toInt(), int(y.size())), m.captured(3).toInt(),
                     m.captured(1).toInt());
    }
    if (fullOnly)
        return std::nullopt;

    static const QRegularExpression twoParts(QStringLiteral("^(\\d{1,4})[/.-](\\d{1,4})$"));
    if (auto m = twoParts.match(text); m.hasMatch()) {
        const QString a = m.captured(1), b = m.captured(2);
        const int ai = a.toInt(), bi = b.toInt();
        // month/year: "05/2006"; a first part that cannot be a day-of-month
        // pair with the second reads as month and year.
        if (b.size() >= 3 && a.size() <= 2)
            return build(bi, ai, 1);
        // day/month of the current year
        if (a.size() <= 2 && b.size() <= 2) {
            if (auto d = build(QDate::currentDate().year(), bi, ai))
                return d;
            // month/two-digit year
            return build(expandYear(bi, 2), ai, 1);
        }
    }
    return std::nullopt;
}

} // namespace

void Regional::setLocale(const QLocale& locale) {
    current() = locale;
}
QLocale Regional::locale() {
    return current();
}

QChar Regional::decimalSeparator() {
    const QString s = current().decimalPoint();
    return s.isEmpty() ? QLatin1Char('.') : s.at(0);
}

QChar Regional::dateSeparator() {
    const QString f = current().dateFormat(QLocale::ShortFormat);
    for (QChar c : f)
        if (!c.isLetter())
            return c;
    return QLatin1Char('/');
}

QChar Regional::timeSeparator() {
    const QString f = current().timeFormat(QLocale::ShortFormat);
    for (QChar c : f)
        if (!c.isLetter() && !c.isSpace())
            return c;
    return QLatin1Char(':');
}

std::optional<QDate> Regional::readDate(const QString& text) {
    return read(text, false);
}
std::optional<QDate> Regional::readFullDate(const QString& text) {
    return read(text, true);
}

QString Regional::format(const QDateTime& value, const QString& pattern) {
    QString out;
    const QDate d = value.date();
    const QTime t = value.time();
    bool afterHour = false;
    for (int i = 0; i < pattern.size();) {
        const QChar c = pattern[i].toLower();
        int run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == c)
            ++run;
        auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
        if (c == QLatin1Char('d')) {
            out += run >= 2 ? two(d.day()) : QString::number(d.day());
            afterHour = false;
        } else if (c == QLatin1Char('m')) {
            if (afterHour)
                out += run >= 2 ? two(t.minute()) : QString::number(t.minute());
            else
                out += run >= 2 ? two(d.month()) : QString::number(d.month());
            afterHour = false;
        } else if (c == QLatin1Char('y')) {
            out += run >= 4 ? QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'))
                            : two(d.year() % 100);
            afterHour = false;
        } else if (c == QLatin1Char('h')) {
            out += run >= 2 ? two(t.hour()) : QString::number(t.hour());
            afterHour = true;
        } else if (c == QLatin1Char('n')) {
            out += run >= 2 ? two(t.minute()) : QString::number(t.minute());
            afterHour = false;
        } else if (c == QLatin1Char('s')) {
            out += run >= 2 ? two(t.second()) : QString::number(t.second());
            afterHour = false;
        } else if (c == QLatin1Char('/')) {
            out += QString(dateSeparator()).repeated(run);
        } else if (c == QLatin1Char(':')) {
            out += QString(timeSeparator()).repeated(run);
        } else {
            out += pattern.mid(i, run);
        }
        i += run;
    }
    return out;
}

QString Regional::format(const QDate& value, const QString& pattern) {
    return format(QDateTime(value, QTime(0, 0)), pattern);
}

QString Regional::shortDate(const QDate& date) {
    return format(date, QStringLiteral("dd/mm/yyyy"));
}

} // namespace q42
