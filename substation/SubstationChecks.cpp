#include "substation/SubstationChecks.h"

#include "core/Numbers.h"
#include "selection/RegulatorSizing.h"
#include "selection/SizedSelection.h"
#include "substation/BudgetFormulas.h"
#include "substation/Orifice.h"
#include "substation/Presentation.h"

#include <algorithm>

using checks::Check;
using checks::Status;
using vedan::Ext;
using vedan::store;

namespace substation {

namespace {

const QString kKgf = QStringLiteral("кгс/см²");
const QString kMetres = QStringLiteral("м");

QString metres(qty::Head h) { return num::f2(h.inMetres()) + QStringLiteral(" м"); }
QString kgf(qty::PressureDifference p)
{
    return num::f3(p.inKgfPerCm2()) + QStringLiteral(" кгс/см²");
}

// The texts that name a check.
struct Heading {
    const char* id;
    const char* title;
    const char* source;
};

const Heading kBudgetHead = {.id = "budget.head",
                             .title = "Располагаемый напор теплового пункта",
                             .source = "баланс напоров"};
const Heading kOrificeBore = {
    .id = "orifice.bore",
    .title = "Дроссельная диафрагма: диаметр отверстия и запирание",
    .source = "практика наладки тепловых сетей (правило практики); IEC 60534-2-1"};
const Heading kRegulatorRange = {.id = "regulator.range",
                                 .title = "Диапазон настройки регулятора перепада",
                                 .source = "правило практики"};

Check made(const Heading& h)
{
    Check c;
    c.id = QString::fromLatin1(h.id);
    c.title = QString::fromUtf8(h.title);
    c.source = QString::fromUtf8(h.source);
    return c;
}

QString deviceName(ElementKind kind)
{
    return kind == ElementKind::Regulator ? QStringLiteral("регуляторе")
                                          : QStringLiteral("клапане");
}

Check budgetHead(const Budget& b, const BudgetFacts& f)
{
    Check c = made(kBudgetHead);
    const double h = f.devicesHead.inMetres();
    const double needed = f.neededHead.inMetres();
    c.value = h;
    c.failLimit = needed;
    const bool elevator = b.scheme == Scheme::Elevator;
    c.status = (elevator ? h < needed : h <= needed) ? Status::Failed : Status::Passed;
    if (!f.texts)
        return c;
    c.unit = kMetres;
    c.formula = QStringLiteral("H = ΔH − h_пр = ") + num::f2(b.availableHead.inMetres())
                + QStringLiteral(" − ") + num::f2(f.options.otherLosses.inMetres())
                + QStringLiteral(" = ") + metres(f.devicesHead);
    if (elevator) {
        c.formula += QStringLiteral("; Hтреб = 1,4·(1 + u)²·S = ") + metres(f.neededHead);
    } else {
        for (const Element& e : b.elements)
            if (e.kind == ElementKind::Regulator || e.kind == ElementKind::Valve)
                c.formula += QStringLiteral("; Δp на ") + deviceName(e.kind) + QStringLiteral(" = ")
                             + kgf(*e.drop);
    }
    if (c.status == Status::Failed)
        c.formula += QStringLiteral(": напора недостаточно, недостает ")
                     + metres(f.neededHead - f.devicesHead);
    return c;
}

Check orificeBore(const Element& e, const BudgetFacts& f, qty::MassFlow flow)
{
    Check c = made(kOrificeBore);
    const Orifice& o = *e.orifice;
    const double dMin = f.options.minBore.inMillimetres();
    c.value = o.bore.inMillimetres();
    c.failLimit = dMin;
    c.status = o.fits() ? Status::Passed : Status::Failed;
    if (!f.texts)
        return c;
    c.unit = QStringLiteral("мм");
    c.formula = QStringLiteral("n = ") + QString::number(o.plates)
                + QStringLiteral("; d = 10·⁴√(G²/(H_д/n)) = 10·⁴√(")
                + num::f3(flow.inTonnesPerHour()) + QStringLiteral("²/")
                + num::f3(o.headPerPlate.inMetres()) + QStringLiteral(") = ")
                + num::f3(o.bore.inMillimetres()) + QStringLiteral(" мм")
                + (o.boreFits ? QStringLiteral(" ≥ ") : QStringLiteral(" < "))
                + QStringLiteral("d_min = ") + num::general(dMin) + QStringLiteral(" мм");
    if (o.lastPlateChoked)
        c.formula += QStringLiteral("; Δp посл. = ") + kgf(o.lastPlateDrop)
                     + (o.chokeFits ? QStringLiteral(" < ") : QStringLiteral(" ≥ "))
                     + QStringLiteral("Δp_пред = F_L²·(p − F_F·p_v) = ") + kgf(*o.lastPlateChoked);
    c.note = QStringLiteral("постоянная 10 соответствует коэффициенту расхода около 0,80 "
                            "(диафрагма толщиной порядка диаметра отверстия); тонкая "
                            "острая диафрагма того же отверстия дает напор примерно в ")
             + num::general(formulas::kThinPlateHeadRatio) + QStringLiteral(" раза больше");
    if (!o.fits())
        c.note += QStringLiteral("; трех диафрагм недостаточно: установите регулятор перепада "
                                 "давления");
    return c;
}

Check regulatorRange(const Element& e, const BudgetFacts& f)
{
    Check c = made(kRegulatorRange);
    const double held = e.setPoint->inKgfPerCm2();
    const double bottom = f.rangeBottom->inKgfPerCm2();
    const double top = f.rangeTop->inKgfPerCm2();
    const bool withValve = f.options.scheme == Scheme::ValveRegulator;
    c.value = held;
    c.warningLimit = bottom;
    c.failLimit = top;
    c.status = held > top ? Status::Failed : held < bottom ? Status::Warning : Status::Passed;
    if (!f.texts)
        return c;
    c.unit = kKgf;
    c.formula = (withValve ? QStringLiteral("Δp_уст = max((S/10)/(1 − a_ц), Δp_нижн) = max(")
                                 + num::f3(f.heldUnraised.inKgfPerCm2()) + QStringLiteral("; ")
                                 + num::f3(bottom) + QStringLiteral(") = ")
                           : QStringLiteral("Δp_уст = S/10 = "))
                + kgf(*e.setPoint) + QStringLiteral("; диапазон настройки ") + num::f3(bottom)
                + QStringLiteral("…") + num::f3(top) + QStringLiteral(" кгс/см²");
    if (c.status == Status::Failed) {
        c.note = QStringLiteral("уставка выше диапазона настройки: регулятор ее не удержит");
    } else if (c.status == Status::Warning) {
        c.note = QStringLiteral("уставка ниже диапазона настройки");
    } else if (withValve && f.heldUnraised.inKgfPerCm2() < bottom) {
        c.note = QStringLiteral("уставка поднята до нижней границы диапазона настройки: "
                                "клапан принимает разницу, и его авторитет растет");
    }
    return c;
}

selection::EquipmentKind equipmentOf(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Regulator: return selection::EquipmentKind::Regulator;
    case ElementKind::Elevator: return selection::EquipmentKind::Hydroelevator;
    default: return selection::EquipmentKind::ControlValve;
    }
}

// The authority the budget gives the valve, in place of the selection's, which takes the system
// alone to share the valve's drop.
void rewriteAuthority(Check& c, const Budget& b, const BudgetFacts& f, const Element& valve)
{
    const auto offer =
        std::find_if(valve.offers.begin(), valve.offers.end(),
                     [&](const selection::Offer& o) { return o.designation == c.designation; });
    if (offer == valve.offers.end() || !offer->kvy || !offer->authority)
        return;
    const double modelDrop = store(
        Ext(b.networkFlow.inTonnesPerHour()) * Ext(b.networkFlow.inTonnesPerHour())
        / (Ext(offer->kvy->inCubicMetresPerHour()) * Ext(offer->kvy->inCubicMetresPerHour())));
    const bool overSetPoint = f.options.scheme == Scheme::ValveRegulator;
    c.formula = QStringLiteral("Δpм = G²/Kvy² = ") + num::f2(b.networkFlow.inTonnesPerHour())
                + QStringLiteral("²/") + num::f2(offer->kvy->inCubicMetresPerHour())
                + QStringLiteral("² = ") + num::f3(modelDrop)
                + (overSetPoint ? QStringLiteral(" бар; a = Δpм/(0,980665·Δp_уст) = ")
                                : QStringLiteral(" бар; a = Δpм/(0,0980665·ΔH) = "))
                + num::f3(*offer->authority);
    c.note = overSetPoint ? QStringLiteral("регулятор перепада держит Δp_уст на клапане и системе")
                          : QStringLiteral("без регулятора перепада клапан работает на весь "
                                           "располагаемый напор ΔH");
}

// The selection's checks of one device at its budgeted drop and inlet pressure.
std::vector<Check> deviceChecks(const Budget& b, const BudgetFacts& f, const Element& e, bool first)
{
    selection::SizedSelection sized;
    sized.request = f.request;
    sized.request.kind = equipmentOf(e.kind);
    sized.request.conditions.inletPressure = qty::GaugePressure::kgfPerCm2(
        store(Ext(e.inlet->inKgfPerCm2()) - Ext(qty::kAtmosphereKgfCm2)));
    sized.request.regulator = selection::RegulatorChoice{.series = differentialSeries(),
                                                         .settingRange = f.options.settingRange};
    selection::SizingValues& v = sized.values;
    v.networkFlow = b.networkFlow;
    v.requiredKv = e.requiredKv;
    v.requiredKvy = e.requiredKvy;
    if (e.kind == ElementKind::Regulator)
        v.regulatorPressureDrop = e.drop;
    if (e.kind == ElementKind::Valve)
        v.valvePressureDrop = e.drop;
    if (e.kind == ElementKind::Elevator) {
        v.mixingRatio = f.mixingRatio;
        v.availableHead = e.availableHead;
        v.throatDiameter = e.throat;
        v.nozzleDiameter = e.nozzle;
    }
    sized.offers = e.offers;
    std::vector<Check> out;
    for (Check& c : checks::evaluate(sized, f.texts)) {
        if (c.id == QLatin1String(kRegulatorRange.id))
            continue; // the budget's own, on the set point
        if (!first && c.id.startsWith(QLatin1String("supply.")))
            continue;
        if (f.texts && c.id == QLatin1String("valve.authority"))
            rewriteAuthority(c, b, f, e);
        if (f.texts && first && f.cavitationOrifice && c.id.endsWith(QLatin1String(".cavitation")))
            c.note += QStringLiteral("; дроссельная диафрагма перед устройством принимает избыток "
                                     "напора, и устройство подобрано на перепад, при котором "
                                     "кавитация только начинается");
        out.push_back(c);
    }
    return out;
}

} // namespace

const std::vector<checks::CatalogueEntry>& budgetCheckCatalogue()
{
    static const std::vector<checks::CatalogueEntry> entries = [] {
        const auto entry = [](const Heading& h, const QString& limits) {
            return checks::CatalogueEntry{.id = QString::fromLatin1(h.id),
                                          .title = QString::fromUtf8(h.title),
                                          .source = QString::fromUtf8(h.source),
                                          .kinds = {},
                                          .perOffer = false,
                                          .limits = limits};
        };
        return std::vector<checks::CatalogueEntry>{
            entry(kBudgetHead, QStringLiteral("не пройдена: H = ΔH − h_пр меньше напора, без "
                                              "которого устройства не обходятся")),
            entry(kOrificeBore, QStringLiteral("не пройдена: d < d_min (по умолчанию ")
                                    + num::general(kDefaultMinBore)
                                    + QStringLiteral(" мм) или Δp последней диафрагмы ≥ "
                                                     "Δp_пред при ")
                                    + QString::number(kMaxPlates) + QStringLiteral(" диафрагмах")),
            entry(kRegulatorRange, QStringLiteral("не пройдена: уставка выше диапазона настройки; "
                                                  "предупреждение: ниже")),
        };
    }();
    return entries;
}

std::vector<QString> reusedCheckIds()
{
    std::vector<QString> ids;
    for (const checks::CatalogueEntry& e : checks::catalogue())
        if (e.id != QLatin1String(kRegulatorRange.id))
            ids.push_back(e.id);
    return ids;
}

int differentialSeries()
{
    const auto& rows = selection::regulatorSeries();
    const auto row =
        std::find_if(rows.begin(), rows.end(),
                     [](const selection::RegulatorSeries& s) { return s.differential; });
    return static_cast<int>(row - rows.begin());
}

std::vector<Check> budgetChecks(const Budget& b, const BudgetFacts& f)
{
    std::vector<Check> out{budgetHead(b, f)};
    bool first = true;
    for (const Element& e : b.elements) {
        if (e.kind == ElementKind::Orifice)
            out.push_back(orificeBore(e, f, b.networkFlow));
        if (e.kind != ElementKind::Regulator && e.kind != ElementKind::Valve
            && e.kind != ElementKind::Elevator)
            continue;
        const std::vector<Check> device = deviceChecks(b, f, e, first);
        out.insert(out.end(), device.begin(), device.end());
        if (e.kind == ElementKind::Regulator)
            out.push_back(regulatorRange(e, f));
        first = false;
    }
    return out;
}

} // namespace substation
