#pragma once
// The user's regional settings: decimal separator, short date and long time formats.
// Where the process has no regional settings at all (C or POSIX), the program uses the
// Russian settings it is made for. Depends on Qt Core only.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

namespace regional {

// The locale the program works with (the system one, or Russian for C/POSIX).
QLocale locale();
QChar decimalSeparator();
// Short date, e.g. "07.12.2026" under Russian settings.
QString shortDate(const QDate& date);
// Long time as hours, minutes and seconds, without a time-zone name, e.g. "19:44:39".
QString longTime(const QTime& time);

// Tests may pin the settings; nullopt restores the user's own.
void overrideLocale(const std::optional<QLocale>& value);

} // namespace regional
