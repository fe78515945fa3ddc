#include "calcsheet/SheetSteps.h"

#include "calcsheet/Expression.h"
#include "core/Numbers.h"
#include "core/Units.h"
#include "selection/MethodSteps.h"

#include <optional>

using selection::EquipmentKind;
using selection::SizedSelection;
using selection::SizingValues;

namespace calcsheet {

namespace {

// A result as the sheet prints it: two decimals, as the result box does.
QString f(double v) { return num::f2(v); }
double v(const std::optional<double>& value) { return value.value_or(0); }

// The fewest decimals of the earlier values, from two.
constexpr int kFewestDecimals = 2;
constexpr int kMostDecimals = 12;

// The symbol a formula defines: what stands before its first " = ".
QString symbolOf(const QString& formula)
{
    const qsizetype at = formula.indexOf(QStringLiteral(" = "));
    return at < 0 ? QString() : formula.left(at);
}

WrittenStep step(const QString& what, const QString& formula, const QString& substituted,
                 const QString& number, const QString& unit)
{
    const QString result = unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
    return {what, formula, substituted, result, symbolOf(formula), number, unit};
}

// A step that chooses rather than computes: the values it compares stand in its formula, and it
// has nothing to substitute and no symbol.
WrittenStep modelChoiceTexts(const SizedSelection& run)
{
    const SizingValues& s = run.values;
    QStringList offered;
    for (const selection::Offer& offer : run.offers)
        offered << offer.designation;
    const QString result = offered.isEmpty() ? QStringLiteral("модель не подходит")
                                             : offered.join(QStringLiteral(", "));
    if (run.request.kind == EquipmentKind::Hydroelevator)
        return step(QStringLiteral("Подбор модели по диаметру сопла"),
                    QStringLiteral("6 < ΔH < 40 м; dс в ступени модели (по 2 мм, до 18 мм): ΔH = ")
                        + f(v(qty::readIn(s.availableHead, &qty::Head::inMetres)))
                        + QStringLiteral(" м; dс = ")
                        + f(v(qty::readIn(s.nozzleDiameter, &qty::Diameter::inMillimetres)))
                        + QStringLiteral(" мм"),
                    QString(), result, QString());
    return step(QStringLiteral("Подбор модели по каталогу"),
                QStringLiteral("Kvy(i−1) < Kvy тр < Kvy(i): Kvy тр = ")
                    + f(v(qty::readIn(s.requiredKvy, &qty::FlowCoefficient::inCubicMetresPerHour)))
                    + QStringLiteral(" м³/ч"),
                QString(), result, QString());
}

WrittenStep modelChoice(const SizedSelection& run)
{
    WrittenStep chosen = modelChoiceTexts(run);
    chosen.symbol.clear();
    return chosen;
}

// The valve authority of the offered valves: the offers of a run share one capacity, so one
// step serves each group of offers with the same capacity.
std::vector<WrittenStep> authorities(const SizedSelection& run)
{
    std::vector<WrittenStep> steps;
    std::vector<const selection::Offer*> group;
    const auto flush = [&] {
        if (group.empty())
            return;
        QStringList names;
        for (const selection::Offer* offer : group)
            names << offer->designation;
        const QString perMetre = num::general(double(qty::kBarPerMetreOfWater));
        const double authority = *group.front()->authority;
        const QString substituted = recomputing(
            [&](int d) {
                const QString dp =
                    selection::formulaNumber(num::fixed(
                        v(qty::readIn(run.values.networkFlow, &qty::MassFlow::inTonnesPerHour)), d))
                    + QStringLiteral("² / ")
                    + selection::formulaNumber(
                        num::general(group.front()->kvy->inCubicMetresPerHour()))
                    + QStringLiteral("²");
                return QStringLiteral("(") + dp + QStringLiteral(") / (") + dp
                       + QStringLiteral(" + ")
                       + selection::formulaNumber(
                           num::general(run.request.conditions.systemResistance.inMetres()))
                       + QStringLiteral("·") + perMetre + QStringLiteral(")");
            },
            authority);
        steps.push_back(step(
            QStringLiteral("Авторитет клапана ") + names.join(QStringLiteral(", ")),
            QStringLiteral("a = (G² / Kvy²) / (G² / Kvy² + S·") + perMetre + QStringLiteral(")"),
            substituted, f(authority), QString()));
        group.clear();
    };
    for (const selection::Offer& offer : run.offers) {
        if (!offer.authority || !offer.kvy)
            continue;
        if (!group.empty()
            && group.front()->kvy->inCubicMetresPerHour() != offer.kvy->inCubicMetresPerHour())
            flush();
        group.push_back(&offer);
    }
    flush();
    return steps;
}

} // namespace

QString recomputing(const std::function<QString(int)>& substitute, double result,
                    int resultDecimals)
{
    const QString printed = num::fixed(result, resultDecimals);
    QString text;
    for (int d = kFewestDecimals; d <= kMostDecimals; ++d) {
        text = substitute(d);
        const std::optional<double> value = evaluatePrinted(text);
        if (value && num::fixed(*value, resultDecimals) == printed)
            return text;
    }
    return text;
}

std::vector<WrittenStep> writtenSteps(const SizedSelection& run)
{
    std::vector<WrittenStep> steps;
    const selection::SizingInputs inputs = selection::inputsOf(run.request.conditions);
    const std::vector<selection::MethodStep>& rows = selection::methodSteps(run.request.kind);
    for (const selection::MethodStep& row : rows) {
        const std::optional<double> value = row.value->read(run.values);
        if (!value)
            break;
        const QString substituted =
            recomputing([&](int d) { return row.substituted(inputs, run.values, d); }, *value);
        steps.push_back(step(QString::fromUtf8(row.title), QString::fromUtf8(row.formula),
                             substituted, f(*value), QString::fromUtf8(row.sheetUnit)));
    }
    if (run.failure || steps.size() != rows.size())
        return steps;
    steps.push_back(modelChoice(run));
    for (WrittenStep& written : authorities(run))
        steps.push_back(written);
    return steps;
}

} // namespace calcsheet
