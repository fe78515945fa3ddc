#include "calcsheet/SheetSteps.h"

#include "core/Numbers.h"
#include "core/Units.h"
#include "selection/MethodSteps.h"

#include <optional>

using selection::EquipmentKind;
using selection::SelectionRun;
using selection::SizingValues;

namespace calcsheet {

namespace {

// A number as the result box prints it; put into a formula, a negative one is bracketed.
QString f(double v) { return num::f2(v); }
QString p(double v) { return v < 0 ? QLatin1Char('(') + f(v) + QLatin1Char(')') : f(v); }

// Earlier values are present whenever a later one is: the methods compute them in this order.
double v(const std::optional<double>& value) { return value.value_or(0); }

QString withUnit(double value, const char* unit)
{
    return *unit ? f(value) + QLatin1Char(' ') + QString::fromUtf8(unit) : f(value);
}

WrittenStep modelChoice(const SelectionRun& run)
{
    const SizingValues& s = run.values;
    QStringList offered;
    for (const selection::Offer& offer : run.offers)
        offered << offer.designation;
    const QString result = offered.isEmpty() ? QStringLiteral("модель не подходит")
                                             : offered.join(QStringLiteral(", "));
    if (*run.kind == EquipmentKind::Hydroelevator)
        return {QStringLiteral("Подбор модели по диаметру сопла"),
                QStringLiteral("6 < ΔH < 40 м; dс в ступени модели (по 2 мм, до 18 мм)"),
                QStringLiteral("ΔH = ") + f(v(s.availableHead)) + QStringLiteral(" м; dс = ")
                    + f(v(s.nozzleDiameter)) + QStringLiteral(" мм"),
                result};
    return {QStringLiteral("Подбор модели по каталогу"),
            QStringLiteral("Kvy(i−1) < Kvy тр < Kvy(i)"),
            QStringLiteral("Kvy тр = ") + f(v(s.requiredKvy)) + QStringLiteral(" м³/ч"), result};
}

// The valve authority of the offered valves: the offers of a run share one capacity, so one
// step serves each group of offers with the same capacity.
std::vector<WrittenStep> authorities(const SelectionRun& run)
{
    std::vector<WrittenStep> steps;
    std::vector<const selection::Offer*> group;
    const auto flush = [&] {
        if (group.empty())
            return;
        QStringList names;
        for (const selection::Offer* offer : group)
            names << offer->designation;
        const QString g = p(v(run.values.networkFlow));
        const QString dp =
            g + QStringLiteral("² / ") + f(*group.front()->kvy) + QStringLiteral("²");
        const QString perMetre = num::general(double(units::kBarPerMetreOfWater));
        steps.push_back(
            {QStringLiteral("Авторитет клапана ") + names.join(QStringLiteral(", ")),
             QStringLiteral("a = (G² / Kvy²) / (G² / Kvy² + S·") + perMetre + QStringLiteral(")"),
             QStringLiteral("(") + dp + QStringLiteral(") / (") + dp + QStringLiteral(" + ")
                 + p(run.inputs->systemResistance) + QStringLiteral("·") + perMetre
                 + QStringLiteral(")"),
             f(*group.front()->authority)});
        group.clear();
    };
    for (const selection::Offer& offer : run.offers) {
        if (!offer.authority || !offer.kvy)
            continue;
        if (!group.empty() && *group.front()->kvy != *offer.kvy)
            flush();
        group.push_back(&offer);
    }
    flush();
    return steps;
}

} // namespace

std::vector<WrittenStep> writtenSteps(const SelectionRun& run)
{
    std::vector<WrittenStep> steps;
    if (!run.kind || !run.inputs)
        return steps;
    const std::vector<selection::MethodStep>& rows = selection::methodSteps(*run.kind);
    for (const selection::MethodStep& row : rows) {
        const std::optional<double>& value = run.values.*row.value;
        if (!value)
            break;
        steps.push_back({QString::fromUtf8(row.title), QString::fromUtf8(row.formula),
                         row.substituted(*run.inputs, run.values),
                         withUnit(*value, row.sheetUnit)});
    }
    if (run.failure || steps.size() != rows.size())
        return steps;
    steps.push_back(modelChoice(run));
    for (WrittenStep& step : authorities(run))
        steps.push_back(step);
    return steps;
}

} // namespace calcsheet
