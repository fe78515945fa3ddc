#include "calcsheet/SheetSteps.h"

#include "core/Numbers.h"
#include "core/Units.h"

#include <functional>
#include <optional>

using selection::EquipmentKind;
using selection::SelectionRun;
using selection::SizingInputs;
using selection::SizingValues;

namespace calcsheet {

namespace {

// A number as the result box prints it; put into a formula, a negative one is bracketed.
QString f(double v) { return num::f2(v); }
QString p(double v) { return v < 0 ? QLatin1Char('(') + f(v) + QLatin1Char(')') : f(v); }

// One row of a method's table: the working value it computes, the texts around it, and the
// formula with the numbers of the inputs and of the earlier values put in.
struct StepRow {
    std::optional<double> SizingValues::*value;
    const char* what;
    const char* symbolic;
    const char* unit;
    std::function<QString(const SizingInputs&, const SizingValues&)> numbers;
};

// Earlier values are present whenever a later one is: the methods compute them in this order.
double v(const std::optional<double>& value) { return value.value_or(0); }

QString flowNumbers(const SizingInputs& in, const SizingValues&)
{
    return p(in.heatLoad) + QStringLiteral("·10⁶·1,163·3,6 / ((") + p(in.supplyTemperature)
           + QStringLiteral(" − ") + p(in.returnTemperature) + QStringLiteral(")·4,2) / 1000");
}

const char* const kFlowFormula = "G = Q·10⁶·1,163·3,6 / ((τ1 − τ2)·4,2) / 1000";

const std::vector<StepRow>& hydroelevatorRows()
{
    static const std::vector<StepRow> rows = {
        {&SizingValues::networkFlow, "Расход сетевой воды на отопление", kFlowFormula, "т/ч",
         flowNumbers},
        {&SizingValues::mixingRatio, "Расчётный коэффициент смешения", "u = (τ1 − 95) / (95 − τ2)",
         "",
         [](const SizingInputs& in, const SizingValues&) {
             return QStringLiteral("(") + p(in.supplyTemperature)
                    + QStringLiteral(" − 95) / (95 − ") + p(in.returnTemperature)
                    + QLatin1Char(')');
         }},
        {&SizingValues::availableHead, "Располагаемый перепад на вводе", "ΔH = (P1 − P2)·10", "м",
         [](const SizingInputs& in, const SizingValues&) {
             return QStringLiteral("(") + p(in.inletPressure) + QStringLiteral(" − ")
                    + p(in.outletPressure) + QStringLiteral(")·10");
         }},
        {&SizingValues::throatDiameter, "Диаметр горловины (камеры смешения)",
         "dг = 8,5·⁴√(G²·(1 + u)² / S)", "мм",
         [](const SizingInputs& in, const SizingValues& s) {
             return QStringLiteral("8,5·⁴√(") + p(v(s.networkFlow)) + QStringLiteral("²·(1 + ")
                    + p(v(s.mixingRatio)) + QStringLiteral(")² / ") + p(in.systemResistance)
                    + QLatin1Char(')');
         }},
        {&SizingValues::nozzleDiameter, "Диаметр сопла (воронки)", "dс = 9,6·⁴√(G² / ΔH)", "мм",
         [](const SizingInputs&, const SizingValues& s) {
             return QStringLiteral("9,6·⁴√(") + p(v(s.networkFlow)) + QStringLiteral("² / ")
                    + p(v(s.availableHead)) + QLatin1Char(')');
         }},
    };
    return rows;
}

// The control and mixing valves, and the regulator with its own names for the drop.
std::vector<StepRow> capacityRows(bool regulator)
{
    const auto drop =
        regulator ? &SizingValues::regulatorPressureDrop : &SizingValues::valvePressureDrop;
    const char* device = regulator ? "регуляторе" : "клапане";
    std::vector<StepRow> rows = {
        {&SizingValues::networkFlow, "Расход сетевой воды", kFlowFormula, "т/ч", flowNumbers},
        {drop, device, "ΔP = (P1 − P2) − S / 10", "кгс/см²",
         [](const SizingInputs& in, const SizingValues&) {
             return QStringLiteral("(") + p(in.inletPressure) + QStringLiteral(" − ")
                    + p(in.outletPressure) + QStringLiteral(") − ") + p(in.systemResistance)
                    + QStringLiteral(" / 10");
         }},
        {&SizingValues::requiredKv, "Пропускная способность", "Kv = G / √ΔP", "м³/ч",
         [drop](const SizingInputs&, const SizingValues& s) {
             return p(v(s.networkFlow)) + QStringLiteral(" / √") + p(v(s.*drop));
         }},
        {&SizingValues::requiredKvy, "Условная пропускная способность", "Kvy = 1,2·Kv", "м³/ч",
         [](const SizingInputs&, const SizingValues& s) {
             return QStringLiteral("1,2·") + p(v(s.requiredKv));
         }},
    };
    return rows;
}

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
    const bool regulator = *run.kind == EquipmentKind::Regulator;
    const std::vector<StepRow> rows =
        *run.kind == EquipmentKind::Hydroelevator ? hydroelevatorRows() : capacityRows(regulator);
    for (const StepRow& row : rows) {
        const std::optional<double>& value = run.values.*row.value;
        if (!value)
            break;
        QString what = QString::fromUtf8(row.what);
        if (row.value == &SizingValues::regulatorPressureDrop
            || row.value == &SizingValues::valvePressureDrop)
            what = QStringLiteral("Перепад давления на ") + what
                   + QStringLiteral(" с учётом сопротивления системы");
        steps.push_back({what, QString::fromUtf8(row.symbolic),
                         row.numbers(*run.inputs, run.values), withUnit(*value, row.unit)});
    }
    if (run.failure || steps.size() != rows.size())
        return steps;
    steps.push_back(modelChoice(run));
    for (WrittenStep& step : authorities(run))
        steps.push_back(step);
    return steps;
}

} // namespace calcsheet
