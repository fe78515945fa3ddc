#include "core/Regional.h"

#include <atomic>
#include <optional>

namespace {

std::optional<QLocale>& pinned()
{
    static std::optional<QLocale> value;
    return value;
}

QLocale systemOrRussian()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::Russian, QLocale::Russia);
    return system;
}

// The long time format without the time-zone field ("t", "tt", ...) and the blanks around it.
QString withoutZone(const QString& format)
{
    QString out;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.trimmed();
}

} // namespace

namespace regional {

QLocale locale()
{
    if (pinned())
        return *pinned();
    static const QLocale chosen = systemOrRussian();
    return chosen;
}

namespace {

QChar separatorOf(const QLocale& l)
{
    const QString point = l.decimalPoint();
    return point.isEmpty() ? QChar(u',') : point.front();
}

// The separator of the settings in force, kept so that every number text does not look it up
// anew; it changes only when the settings are pinned.
std::atomic<char16_t>& separator()
{
    static std::atomic<char16_t> value{separatorOf(locale()).unicode()};
    return value;
}

} // namespace

QChar decimalSeparator() { return QChar(separator().load(std::memory_order_relaxed)); }

QString shortDate(const QDate& date)
{
    const QLocale l = locale();
    return l.toString(date, l.dateFormat(QLocale::ShortFormat));
}

QString longTime(const QTime& time)
{
    const QLocale l = locale();
    return l.toString(time, withoutZone(l.timeFormat(QLocale::LongFormat)));
}

void overrideLocale(const std::optional<QLocale>& value)
{
    pinned() = value;
    separator() = separatorOf(locale()).unicode();
}

} // namespace regional
