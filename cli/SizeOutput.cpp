#include "cli/SizeOutput.h"

#include <QLocale>
#include <cmath>

using namespace selection;

namespace cli {

QString shortestNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

namespace {

json::Value values(const SelectionRun& run)
{
    json::Value fields = json::Value::object();
    if (run.sized) {
        for (const selection::NamedValue& named : selection::valuesOf(run.sized->request.kind))
            fields[named.name] = json::numberOr(named.of(run.sized->values));
    }
    return fields;
}

json::Value offer(const selection::Offer& o)
{
    json::Value object;
    object["designation"] = json::text(o.designation);
    object["kvy"] = json::numberOr(qty::readIn(o.kvy, &qty::FlowCoefficient::inCubicMetresPerHour));
    object["authority"] = json::numberOr(o.authority);
    object["bore"] = o.bore ? json::Value(std::lround(o.bore->inMillimetres())) : json::Value();
    return object;
}

} // namespace

json::Value checkJson(const checks::Check& c)
{
    json::Value object;
    object["id"] = json::text(c.id);
    object["designation"] = json::textOr(c.designation);
    object["status"] = json::text(checks::statusId(c.status));
    object["title"] = json::text(c.title);
    object["formula"] = json::text(c.formula);
    object["value"] = json::numberOr(c.value);
    object["warningLimit"] = json::numberOr(c.warningLimit);
    object["failLimit"] = json::numberOr(c.failLimit);
    object["unit"] = c.unit.isEmpty() ? json::Value() : json::text(c.unit);
    object["source"] = json::text(c.source);
    object["note"] = c.note.isEmpty() ? json::Value() : json::text(c.note);
    return object;
}

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

json::Value sizeJsonValue(const SelectionRun& run, const std::vector<checks::Check>& found)
{
    json::Value lines = json::Value::array();
    for (const QString& line : run.lines())
        lines.push_back(json::text(line));
    json::Value offers = json::Value::array();
    if (run.sized)
        for (const selection::Offer& o : run.sized->offers)
            offers.push_back(offer(o));
    json::Value checkList = json::Value::array();
    for (const checks::Check& c : found)
        checkList.push_back(checkJson(c));
    json::Value object;
    object["lines"] = std::move(lines);
    object["message"] = json::textOr(run.message());
    object["values"] = values(run);
    object["offers"] = std::move(offers);
    object["checks"] = std::move(checkList);
    object["verdict"] =
        run.failure() ? json::Value() : json::text(checks::statusId(checks::verdict(found)));
    return object;
}

QString sizeJson(const SelectionRun& run, const std::vector<checks::Check>& found)
{
    return QString::fromUtf8(json::dump(sizeJsonValue(run, found)));
}

} // namespace cli
