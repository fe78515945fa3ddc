#include "cli/SizeOutput.h"

#include <QLocale>
#include <QStringList>

using namespace selection;

namespace cli {

QString jsonString(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (ch.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += ch;
        }
    }
    return out + QLatin1Char('"');
}

// The shortest text that reads back as the same double; the values are always finite.
QString jsonNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString jsonOr(const std::optional<double>& value)
{
    return value ? jsonNumber(*value) : QStringLiteral("null");
}

QString jsonOr(const std::optional<QString>& text)
{
    return text ? jsonString(*text) : QStringLiteral("null");
}

QString object(const std::vector<std::pair<QString, QString>>& fields)
{
    QStringList parts;
    for (const auto& [key, value] : fields)
        parts << jsonString(key) + QStringLiteral(": ") + value;
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

QString array(const QStringList& items)
{
    return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
}

namespace {

QString jsonInt(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QStringLiteral("null");
}

QString values(const SelectionRun& run)
{
    std::vector<std::pair<QString, QString>> fields;
    if (run.kind) {
        for (const selection::NamedValue& named : selection::valuesOf(*run.kind))
            fields.push_back({QString::fromLatin1(named.name), jsonOr(run.values.*named.value)});
    }
    return object(fields);
}

QString offer(const selection::Offer& o)
{
    return object({{QStringLiteral("designation"), jsonString(o.designation)},
                   {QStringLiteral("kvy"), jsonOr(o.kvy)},
                   {QStringLiteral("authority"), jsonOr(o.authority)},
                   {QStringLiteral("bore"), jsonInt(o.bore)}});
}

QString check(const checks::Check& c)
{
    const std::optional<QString> unit = c.unit.isEmpty() ? std::nullopt : std::optional(c.unit);
    const std::optional<QString> note = c.note.isEmpty() ? std::nullopt : std::optional(c.note);
    return object({{QStringLiteral("id"), jsonString(c.id)},
                   {QStringLiteral("designation"), jsonOr(c.designation)},
                   {QStringLiteral("status"), jsonString(checks::statusId(c.status))},
                   {QStringLiteral("title"), jsonString(c.title)},
                   {QStringLiteral("formula"), jsonString(c.formula)},
                   {QStringLiteral("value"), jsonOr(c.value)},
                   {QStringLiteral("warningLimit"), jsonOr(c.warningLimit)},
                   {QStringLiteral("failLimit"), jsonOr(c.failLimit)},
                   {QStringLiteral("unit"), jsonOr(unit)},
                   {QStringLiteral("source"), jsonString(c.source)},
                   {QStringLiteral("note"), jsonOr(note)}});
}

} // namespace

QString checkLine(const checks::Check& c)
{
    QString line = QLatin1Char('[') + checks::statusText(c.status) + QStringLiteral("] ") + c.title;
    if (c.designation)
        line += QStringLiteral(" (") + *c.designation + QLatin1Char(')');
    line += QStringLiteral(": ") + c.formula;
    if (!c.note.isEmpty())
        line += QStringLiteral("; ") + c.note;
    return line + QStringLiteral(" — источник: ") + c.source;
}

QString sizeJson(const SelectionRun& run, const std::vector<checks::Check>& found)
{
    QStringList lines, offers, checkList;
    for (const QString& line : run.lines)
        lines << jsonString(line);
    for (const selection::Offer& o : run.offers)
        offers << offer(o);
    for (const checks::Check& c : found)
        checkList << check(c);
    return object({{QStringLiteral("lines"), array(lines)},
                   {QStringLiteral("message"), jsonOr(run.message())},
                   {QStringLiteral("values"), values(run)},
                   {QStringLiteral("offers"), array(offers)},
                   {QStringLiteral("checks"), array(checkList)}});
}

} // namespace cli
