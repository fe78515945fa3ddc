#include "substation/Substation.h"

#include "core/Numbers.h"
#include "selection/Formulas.h"
#include "selection/HydroelevatorSizing.h"
#include "selection/RegulatorSizing.h"
#include "selection/ValveSizing.h"
#include "substation/BudgetFormulas.h"
#include "substation/SubstationChecks.h"
#include "water/WaterProperties.h"

#include <algorithm>

using vedan::Ext;
using vedan::MathError;
using vedan::store;
namespace sf = selection::formulas;

namespace substation {

namespace {

std::optional<QString> refusal(const Options& o, qty::Head networkHead)
{
    if (!(o.targetAuthority > 0 && o.targetAuthority < 1))
        return QStringLiteral("Целевой авторитет клапана должен быть больше 0 и меньше 1");
    if (!(o.otherLosses.inMetres() >= 0 && o.otherLosses.inMetres() < networkHead.inMetres()))
        return QStringLiteral("Прочие потери напора должны быть не меньше 0 м и меньше "
                              "располагаемого напора ΔH = ")
               + num::f2(networkHead.inMetres()) + QStringLiteral(" м");
    if (!(o.maxElevatorHead.inMetres() > selection::kHydroelevatorMinHead))
        return QStringLiteral("Наибольший напор элеватора должен быть больше ")
               + num::general(selection::kHydroelevatorMinHead) + QStringLiteral(" м");
    if (!(o.minBore.inMillimetres() > 0))
        return QStringLiteral("Наименьший диаметр отверстия должен быть больше 0 мм");
    const int ranges = static_cast<int>(selection::regulatorSettingRanges().size());
    if (o.settingRange < 1 || o.settingRange >= ranges)
        return QStringLiteral("Диапазон настройки регулятора должен быть от 1 до ")
               + QString::number(ranges - 1);
    return std::nullopt;
}

qty::AbsolutePressure below(qty::AbsolutePressure p, qty::PressureDifference drop)
{
    return qty::AbsolutePressure::kgfPerCm2(store(Ext(p.inKgfPerCm2()) - Ext(drop.inKgfPerCm2())));
}

qty::PressureDifference difference(qty::PressureDifference a, qty::PressureDifference b)
{
    return qty::PressureDifference::kgfPerCm2(store(Ext(a.inKgfPerCm2()) - Ext(b.inKgfPerCm2())));
}

// The budget as it is built along the flow.
struct Path {
    const selection::SizingRequest& request;
    const Options& options;
    qty::MassFlow flow;
    qty::AbsolutePressure inlet; // p₁ before the first device
    std::optional<qty::AbsolutePressure> vapour;
    std::vector<Element> elements;
    bool cavitationOrifice = false;

    void addOrifice(qty::Head head, qty::AbsolutePressure before)
    {
        std::optional<formulas::Water> water;
        if (vapour)
            water = formulas::Water{.inlet = before, .vapour = *vapour};
        Element e;
        e.kind = ElementKind::Orifice;
        e.head = head;
        e.drop = formulas::dropOf(head);
        e.inlet = before;
        e.orifice = orificeFor(flow, head, water, options.minBore);
        elements.push_back(e);
    }

    // The first device in the flow with the drop it has to take: where that drop is above what
    // it may take below its cavitation warning, an orifice ahead of it takes the rest.
    Element& addFirstDevice(ElementKind kind, qty::PressureDifference drop)
    {
        qty::AbsolutePressure before = inlet;
        if (vapour && drop.inKgfPerCm2() > 0) {
            const qty::PressureDifference limit =
                formulas::firstDeviceDropLimit(below(inlet, drop), *vapour);
            if (drop.inKgfPerCm2() > limit.inKgfPerCm2() && limit.inKgfPerCm2() > 0) {
                const qty::PressureDifference excess = difference(drop, limit);
                addOrifice(formulas::headOf(excess), inlet);
                cavitationOrifice = true;
                before = below(inlet, excess);
                drop = limit;
            }
        }
        return addDevice(kind, drop, before);
    }

    Element& addDevice(ElementKind kind, qty::PressureDifference drop, qty::AbsolutePressure before)
    {
        Element e;
        e.kind = kind;
        e.drop = drop;
        e.head = formulas::headOf(drop);
        e.inlet = before;
        size(e);
        elements.push_back(e);
        return elements.back();
    }

    // The selection's method on the device's own drop: its inputs give P₁ − P₂ − S/10 = Δp.
    void size(Element& e) const
    {
        if (!(e.drop->inKgfPerCm2() > 0))
            return;
        selection::SizingInputs in = selection::inputsOf(request.conditions);
        in.inletPressure = e.drop->inKgfPerCm2();
        in.outletPressure = 0;
        in.systemResistance = 0;
        const selection::SizingOutcome sized =
            e.kind == ElementKind::Regulator
                ? selection::sizing::PodborRp(in, differentialSeries(), options.settingRange)
                : selection::sizing::PodborKZR(in);
        if (sized.failure)
            throw MathError(sized.failure->fault.value_or(vedan::MathFault::InvalidOperation));
        e.requiredKv = sized.values.requiredKv;
        e.requiredKvy = sized.values.requiredKvy;
        e.offers = sized.offers;
    }

    void addHead(ElementKind kind, qty::Head head)
    {
        Element e;
        e.kind = kind;
        e.head = head;
        elements.push_back(e);
    }
};

// The valve's authority over the drop it shares, for each offer; the element keeps the first.
void setAuthorities(Element& valve, qty::MassFlow flow, qty::PressureDifference shared)
{
    for (selection::Offer& offer : valve.offers)
        offer.authority = formulas::authorityOver(flow, *offer.kvy, shared);
    if (!valve.offers.empty())
        valve.authority = valve.offers.front().authority;
}

void elevatorScheme(Path& path, BudgetFacts& facts, const sf::DesignConditions& c)
{
    const Options& o = path.options;
    const qty::Head h = facts.devicesHead;
    const double u = sf::mixingRatio(c.schedule);
    const qty::Head needed = sf::elevatorHeadNeeded(u, c.resistance);
    const qty::Head atMinBore = formulas::nozzleHeadAtBore(path.flow, o.minBore);
    const double given = std::min(
        h.inMetres(),
        std::max(needed.inMetres(), std::min(o.maxElevatorHead.inMetres(), atMinBore.inMetres())));
    const qty::Head elevatorHead = qty::Head::metres(given);
    const qty::Head excess = h - elevatorHead;
    qty::AbsolutePressure before = path.inlet;
    if (excess.inMetres() > 0) {
        path.addOrifice(excess, path.inlet);
        before = below(path.inlet, formulas::dropOf(excess));
    }
    Element e;
    e.kind = ElementKind::Elevator;
    e.head = elevatorHead - c.resistance;
    e.inlet = before;
    e.availableHead = elevatorHead;
    e.requiredHead = needed;
    e.nozzle = sf::nozzleDiameter(path.flow, elevatorHead);
    e.throat = sf::throatDiameter(path.flow, u, c.resistance);
    if (given > selection::kHydroelevatorMinHead && given < selection::kHydroelevatorMaxHead) {
        const QString model = selection::hydroelevatorForNozzle(e.nozzle->inMillimetres());
        if (!model.isEmpty())
            e.offers.push_back({model, std::nullopt, std::nullopt, std::nullopt});
    }
    path.elements.push_back(e);
    facts.neededHead = needed;
    facts.mixingRatio = u;
}

void valveScheme(Path& path, BudgetFacts& facts, const sf::DesignConditions& c,
                 qty::Head networkHead)
{
    const qty::PressureDifference drop =
        difference(formulas::dropOf(facts.devicesHead), formulas::dropOf(c.resistance));
    Element& valve = path.addFirstDevice(ElementKind::Valve, drop);
    setAuthorities(valve, path.flow, formulas::dropOf(networkHead));
    facts.neededHead = c.resistance;
}

void regulatorSchemes(Path& path, BudgetFacts& facts, const sf::DesignConditions& c, bool withValve)
{
    const Options& o = path.options;
    const selection::SettingRange range = selection::regulatorSettingRanges()[o.settingRange];
    facts.rangeBottom = qty::PressureDifference::kgfPerCm2(
        qty::GaugePressure::megapascal(range.from).inKgfPerCm2());
    facts.rangeTop =
        qty::PressureDifference::kgfPerCm2(qty::GaugePressure::megapascal(range.to).inKgfPerCm2());
    const qty::PressureDifference systemDrop = formulas::dropOf(c.resistance);
    qty::PressureDifference held = systemDrop;
    if (withValve) {
        facts.heldUnraised = formulas::setPoint(c.resistance, o.targetAuthority,
                                                qty::PressureDifference::kgfPerCm2(0));
        held = formulas::setPoint(c.resistance, o.targetAuthority, *facts.rangeBottom);
    } else {
        facts.heldUnraised = held;
    }
    const qty::PressureDifference regulatorDrop =
        difference(formulas::dropOf(facts.devicesHead), held);
    Element& regulator = path.addFirstDevice(ElementKind::Regulator, regulatorDrop);
    regulator.setPoint = held;
    facts.neededHead = formulas::headOf(held);
    if (!withValve)
        return;
    const qty::AbsolutePressure before = below(*regulator.inlet, *regulator.drop);
    Element& valve = path.addDevice(ElementKind::Valve, difference(held, systemDrop), before);
    setAuthorities(valve, path.flow, held);
}

Budget computed(const selection::SizingRequest& request, const Options& options,
                qty::Head networkHead, bool texts)
{
    const sf::DesignConditions c = sf::designConditions(selection::inputsOf(request.conditions));
    const qty::MassFlow flow = sf::networkFlow(c.load, c.schedule);
    const qty::AbsolutePressure inlet =
        below(c.pressures.inlet.absolute(), formulas::dropOf(options.otherLosses));
    Path path{request, options, flow, inlet, water::saturationPressure(c.schedule.supply), {}};
    BudgetFacts facts{.request = request,
                      .options = options,
                      .devicesHead = networkHead - options.otherLosses,
                      .neededHead = qty::Head::metres(0),
                      .texts = texts};
    if (options.otherLosses.inMetres() > 0)
        path.addHead(ElementKind::Other, options.otherLosses);
    switch (options.scheme) {
    case Scheme::Elevator: elevatorScheme(path, facts, c); break;
    case Scheme::Valve: valveScheme(path, facts, c, networkHead); break;
    case Scheme::ValveRegulator: regulatorSchemes(path, facts, c, true); break;
    case Scheme::Regulator: regulatorSchemes(path, facts, c, false); break;
    }
    path.addHead(ElementKind::System, c.resistance);
    facts.cavitationOrifice = path.cavitationOrifice;

    Budget b{options.scheme, flow, networkHead, std::move(path.elements), {}};
    b.checks = budgetChecks(b, facts);
    return b;
}

} // namespace

vedan::Outcome<Budget> budget(const selection::SizingRequest& request, const Options& options,
                              bool texts)
{
    try {
        const qty::Head networkHead =
            sf::availableHead({.inlet = request.conditions.inletPressure,
                               .outlet = request.conditions.outletPressure});
        if (const std::optional<QString> why = refusal(options, networkHead))
            return vedan::refusedInput<Budget>(*why);
        return {computed(request, options, networkHead, texts), std::nullopt};
    } catch (const MathError& error) {
        return {Budget{}, vedan::Failure::arithmetic(error.fault())};
    }
}

} // namespace substation
