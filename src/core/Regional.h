#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

namespace q42 {

// The one place that answers how numbers and dates are written and read on
// this workstation. It follows the system locale; tests set Spanish
// (Argentina) explicitly.
class Regional {
public:
    static void setLocale(const QLocale& locale);
    static QLocale locale();

    static QChar decimalSeparator();
    static QChar dateSeparator(); // "/" for Spanish
    static QChar timeSeparator(); // ":"

    // Reads a text as a date the way the original platform did: day before
    // month; "d/m/yyyy", "d/m/yy", "d-m-yyyy", "d.m.yyyy", a month/year text
    // ("05/2006": the first of that month), a day/month text (current year),
    // ISO "yyyy-mm-dd"; an optional time "hh:mm[:ss]" may follow.
    static std::optional<QDate> readDate(const QString& text);
    // Only texts that carry day, month and year count.
    static std::optional<QDate> readFullDate(const QString& text);
    static bool isDate(const QString& text) { return readDate(text).has_value(); }

    // Writes with a pattern in the original's notation: "dd", "d", "mm",
    // "m", "yyyy", "yy", "hh", "nn" (minutes; "mm" right after an hour means
    // minutes too), "ss"; "/" and ":" become the regional separators.
    static QString format(const QDateTime& value, const QString& pattern);
    static QString format(const QDate& value, const QString& pattern);

    // Short date of the regional settings (dd/MM/yyyy under Spanish).
    static QString shortDate(const QDate& date);
};

} // namespace q42
