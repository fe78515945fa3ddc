#include "season/Season.h"

#include "core/Checked.h"
#include "selection/Formulas.h"

#include <algorithm>
#include <cmath>

using selection::EquipmentKind;
using vedan::Ext;
using vedan::store;
namespace formulas = selection::formulas;

namespace season {

namespace {

// The design mixed water: what the heating system takes, never above the supply.
constexpr double kDesignMixed = 95;

// The design selection with its inputs in the units of the methods.
struct Design {
    const selection::SizedSelection& sized;
    selection::SizingInputs inputs;
};

Design designOf(const selection::SizedSelection& sized)
{
    return {sized, selection::inputsOf(sized.request.conditions)};
}

// The design temperatures of the schedule and the terms of its equations.
struct Terms {
    Ext indoor, outdoorDesign;
    Ext supply, ret, mixed; // τ₁′, τ₂′, τ₃′
    Ext meanHead;           // Δt′ = ½(τ₃′ + τ₂′) − t_i
    Ext networkDrop;        // δτ′ = τ₁′ − τ₂′
    Ext systemDrop;         // θ′ = τ₃′ − τ₂′
};

Terms termsOf(const Design& design, const Schedule& schedule)
{
    Terms t;
    t.indoor = schedule.indoor.inCelsius();
    t.outdoorDesign = schedule.outdoorDesign.inCelsius();
    t.supply = design.inputs.supplyTemperature;
    t.ret = design.inputs.returnTemperature;
    t.mixed = std::min(kDesignMixed, design.inputs.supplyTemperature);
    t.meanHead = Ext(0.5L) * (t.mixed + t.ret) - t.indoor;
    t.networkDrop = t.supply - t.ret;
    t.systemDrop = t.mixed - t.ret;
    return t;
}

std::optional<QString> refusal(const Design& design, const Schedule& schedule)
{
    const double outdoor = schedule.outdoorDesign.inCelsius();
    const double end = schedule.seasonEnd.inCelsius();
    const double indoor = schedule.indoor.inCelsius();
    const double supply = design.inputs.supplyTemperature;
    if (!(std::isfinite(outdoor) && std::isfinite(end) && std::isfinite(indoor)
          && std::isfinite(schedule.step)))
        return QStringLiteral("температуры и шаг должны быть числами");
    if (!(outdoor < end))
        return QStringLiteral("расчётная температура наружного воздуха должна быть ниже "
                              "температуры конца отопительного периода");
    if (!(end < indoor))
        return QStringLiteral("конец отопительного периода должен быть ниже температуры "
                              "внутреннего воздуха");
    if (!(schedule.step > 0))
        return QStringLiteral("шаг по температуре наружного воздуха должен быть больше нуля");
    if (!(design.inputs.returnTemperature < std::min(kDesignMixed, supply)))
        return QStringLiteral("обратная вода должна быть холоднее воды после смешения "
                              "(τ₂′ < τ₃′ = min(95 °C, τ₁′))");
    if (schedule.cut && !(schedule.cut->inCelsius() < supply))
        return QStringLiteral("температура срезки должна быть ниже температуры подачи τ₁′");
    return std::nullopt;
}

// The outdoor temperatures of the season: the design one, then on by the step, and the end;
// none when there would be more than kMaxPoints. A step that lands within a billionth of itself
// short of the end lands on the end; the design point is always one, however large the step.
std::optional<std::vector<double>> outdoorTemperatures(const Schedule& schedule)
{
    const double from = schedule.outdoorDesign.inCelsius();
    const double end = schedule.seasonEnd.inCelsius();
    std::vector<double> points;
    for (int k = 0;; ++k) {
        const double t = from + k * schedule.step;
        if (k > 0 && t >= end - 1e-9 * schedule.step)
            break;
        if (static_cast<int>(points.size()) + 1 >= kMaxPoints)
            return std::nullopt;
        points.push_back(t);
    }
    points.push_back(end);
    return points;
}

// τ₁ at a relative load, before the cut.
long double supplyAt(const Terms& t, long double share)
{
    return t.indoor.value() + t.meanHead.value() * std::pow(share, kExponent)
           + (t.networkDrop.value() - 0.5L * t.systemDrop.value()) * share;
}

const QStringList& elevatorChecks()
{
    static const QStringList ids = {"supply.liquid",   "selection.offer", "elevator.head",
                                    "elevator.mixing", "elevator.nozzle", "elevator.flashing"};
    return ids;
}

} // namespace

const QStringList& checkIds(EquipmentKind kind)
{
    static const QStringList valves = {"supply.liquid", "selection.offer", "valve.cavitation",
                                       "valve.flashing"};
    static const QStringList regulator = {"supply.liquid", "selection.offer",
                                          "regulator.cavitation", "regulator.flashing"};
    switch (kind) {
    case EquipmentKind::Hydroelevator: return elevatorChecks();
    case EquipmentKind::Regulator: return regulator;
    default: return valves;
    }
}

std::optional<double> cutInForce(const Schedule& schedule, double designSupply)
{
    if (schedule.cut)
        return schedule.cut->inCelsius();
    if (designSupply > kDefaultCut)
        return kDefaultCut;
    return std::nullopt;
}

std::optional<Cut> cutOf(const selection::SizedSelection& sized, const Schedule& schedule)
{
    const Design design = designOf(sized);
    const std::optional<double> cut = cutInForce(schedule, design.inputs.supplyTemperature);
    if (!cut)
        return std::nullopt;
    Cut found{*cut, std::nullopt};
    if (refusal(design, schedule))
        return found;
    const Terms t = termsOf(design, schedule);
    // τ₁ rises with the load: below the cut with none, above it at the design (the refusals and
    // the default's condition see to that), and so crosses it once between.
    long double low = 0, high = 1;
    if (!(supplyAt(t, low) < *cut && supplyAt(t, high) > *cut))
        return found;
    for (;;) {
        const long double middle = low + (high - low) / 2;
        if (middle <= low || middle >= high)
            break;
        (supplyAt(t, middle) < *cut ? low : high) = middle;
    }
    const long double share = supplyAt(t, high) - *cut < *cut - supplyAt(t, low) ? high : low;
    const double outdoor =
        static_cast<double>(t.indoor.value() - share * (t.indoor - t.outdoorDesign).value());
    if (outdoor <= schedule.seasonEnd.inCelsius())
        found.outdoor = outdoor;
    return found;
}

vedan::Outcome<std::vector<Point>> sweep(const selection::SizedSelection& sized,
                                         const Schedule& schedule)
{
    const Design design = designOf(sized);
    if (const std::optional<QString> why = refusal(design, schedule))
        return {{}, vedan::Failure::input(*why)};
    const std::optional<std::vector<double>> outdoors = outdoorTemperatures(schedule);
    if (!outdoors)
        return {{},
                vedan::Failure::input(
                    QStringLiteral("точек больше %1: увеличьте шаг").arg(kMaxPoints))};
    const EquipmentKind kind = sized.request.kind;
    const Terms t = termsOf(design, schedule);
    const std::optional<double> cut = cutInForce(schedule, design.inputs.supplyTemperature);
    const formulas::DesignConditions c = formulas::designConditions(design.inputs);
    std::vector<Point> points;
    try {
        const qty::MassFlow designFlow = formulas::networkFlow(c.load, c.schedule);
        const Ext designMixing = (t.supply - t.mixed) / t.systemDrop; // u′
        // The first offered model's capacity; 0 when there is none.
        const double kvy =
            sized.offers.empty()
                ? 0
                : qty::readIn(sized.offers.front().kvy, &qty::FlowCoefficient::inCubicMetresPerHour)
                      .value_or(0);
        for (const double outdoor : *outdoors) {
            Point p;
            p.outdoor = qty::Temperature::celsius(outdoor);
            const Ext share = (t.indoor - Ext(outdoor)) / (t.indoor - t.outdoorDesign);
            p.relativeLoad = store(share);
            const Ext radiator = t.meanHead * Ext(std::pow(share.value(), kExponent));
            const Ext supply = t.indoor + radiator + (t.networkDrop - 0.5L * t.systemDrop) * share;
            const Ext ret = t.indoor + radiator - 0.5L * t.systemDrop * share;
            const Ext mixed = t.indoor + radiator + 0.5L * t.systemDrop * share;
            const bool belowCut = cut && supply < Ext(*cut);
            const Ext held = belowCut ? Ext(*cut) : supply;
            p.supply = qty::Temperature::celsius(store(held));
            p.ret = qty::Temperature::celsius(store(ret));
            p.mixed = qty::Temperature::celsius(store(mixed));
            p.load = qty::HeatLoad::gcalPerHour(store(Ext(c.load.inGcalPerHour()) * share));
            p.networkFlow = belowCut ? qty::MassFlow::tonnesPerHour(
                                store(Ext(designFlow.inTonnesPerHour()) * (1.0L + designMixing)
                                      * (mixed - ret) / (held - ret)))
                                     : designFlow;
            p.mixingRatio = store((held - mixed) / (mixed - ret));
            const qty::MassFlow flow = p.networkFlow;

            selection::SizedSelection at;
            at.request = sized.request;
            at.offers = sized.offers;
            at.request.conditions.supplyTemperature = p.supply;
            at.request.conditions.returnTemperature = p.ret;
            at.request.conditions.heatLoad = p.load;
            selection::SizingValues& values = at.values;
            values.networkFlow = p.networkFlow;
            values.mixingRatio = p.mixingRatio;
            if (kind == EquipmentKind::Hydroelevator) {
                const qty::Head head = formulas::availableHead(c.pressures);
                p.availableHead = head;
                p.nozzleDiameter = formulas::nozzleDiameter(flow, head);
                p.requiredHead = formulas::elevatorHeadNeeded(p.mixingRatio, c.resistance);
                values.availableHead = p.availableHead;
                values.nozzleDiameter = p.nozzleDiameter;
            } else {
                const double flowShare =
                    store(Ext(flow.inTonnesPerHour()) / Ext(designFlow.inTonnesPerHour()));
                const qty::PressureDifference drop =
                    formulas::dropAtFlowShare(c.pressures, c.resistance, flowShare);
                p.pressureDrop = drop;
                p.requiredKv = formulas::requiredKv(flow, drop);
                if (kvy > 0)
                    p.capacityRatio = store(Ext(p.requiredKv->inCubicMetresPerHour()) / Ext(kvy));
                if (kind == EquipmentKind::Regulator)
                    values.regulatorPressureDrop = p.pressureDrop;
                else
                    values.valvePressureDrop = p.pressureDrop;
            }
            const QStringList& ids = checkIds(kind);
            for (checks::Check& check : checks::evaluate(at))
                if (ids.contains(check.id))
                    p.checks.push_back(std::move(check));
            p.verdict = checks::verdict(p.checks);
            points.push_back(std::move(p));
        }
    } catch (const vedan::MathError& error) {
        vedan::Failure failure = vedan::Failure::arithmetic(error.fault());
        failure.message = QStringLiteral("арифметическая ошибка: ") + failure.message;
        return {{}, std::move(failure)};
    }
    return {std::move(points), std::nullopt};
}

} // namespace season
