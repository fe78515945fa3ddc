#include "calcsheet/SubstationPage.h"

#include "calcsheet/SheetHtml.h"
#include "checks/LiquidValveFactors.h"
#include "core/Numbers.h"
#include "selection/Formulas.h"
#include "selection/MethodSteps.h"
#include "selection/RegulatorSizing.h"
#include "selection/Units.h"
#include "substation/BudgetFormulas.h"
#include "substation/Presentation.h"
#include "water/WaterProperties.h"

#include <functional>
#include <optional>

using substation::Element;
using substation::ElementKind;
using substation::Scheme;
namespace bf = substation::formulas;
namespace sf = selection::formulas;

namespace calcsheet {

namespace {

// How a result is printed: its unit and its decimals, as the tool's table prints them.
struct Unit {
    const char* text;
    int decimals;
};
constexpr Unit kMetres{"м", 3};
constexpr Unit kKgf{"кгс/см²", 4};
constexpr Unit kAbsoluteKgf{"кгс/см² (абс.)", 4};
constexpr Unit kFlow{"т/ч", 3};
constexpr Unit kKv{"м³/ч", 4};
constexpr Unit kKvy{"м³/ч", 3};
constexpr Unit kBore{"мм", 3};
constexpr Unit kRatio{"", 3};

// An input as the budget took it.
QString p(double input) { return selection::formulaNumber(num::general(input)); }
// An earlier value with the decimals the row needs to recompute.
QString q(double value, int decimals)
{
    return selection::formulaNumber(num::fixed(value, decimals));
}

QString symbolOf(const QString& formula)
{
    const qsizetype at = formula.indexOf(QStringLiteral(" = "));
    return at < 0 ? QString() : formula.left(at);
}

class Steps {
public:
    void computed(const QString& what, const char* formula,
                  const std::function<QString(int)>& numbers, double value, Unit unit)
    {
        const QString number = num::fixed(value, unit.decimals);
        const QString unitText = QString::fromUtf8(unit.text);
        const QString symbolic = QString::fromUtf8(formula);
        m_steps.push_back({what, symbolic, recomputing(numbers, value, unit.decimals),
                           unitText.isEmpty() ? number : number + QLatin1Char(' ') + unitText,
                           symbolOf(symbolic), number, unitText});
    }
    // A step that states or chooses rather than computes: nothing to substitute.
    void stated(const QString& what, const QString& formula, const QString& result)
    {
        m_steps.push_back({what, formula, QString(), result, QString(), result, QString()});
    }
    std::vector<WrittenStep> taken() { return std::move(m_steps); }

private:
    std::vector<WrittenStep> m_steps;
};

struct Parts {
    const Element* other = nullptr;
    const Element* orifice = nullptr;
    const Element* regulator = nullptr;
    const Element* valve = nullptr;
    const Element* elevator = nullptr;
    const Element* first = nullptr; // the first device: the regulator, else the valve
};

Parts partsOf(const substation::Budget& b)
{
    Parts parts;
    for (const Element& e : b.elements) {
        switch (e.kind) {
        case ElementKind::Other: parts.other = &e; break;
        case ElementKind::Orifice: parts.orifice = &e; break;
        case ElementKind::Regulator: parts.regulator = &e; break;
        case ElementKind::Valve: parts.valve = &e; break;
        case ElementKind::Elevator: parts.elevator = &e; break;
        case ElementKind::System: break;
        }
    }
    parts.first = parts.regulator ? parts.regulator : parts.valve;
    return parts;
}

// An orifice ahead of the regulator or the valve takes what that device may not for cavitation.
bool cavitationOrifice(const SubstationSheet& s, const Parts& parts)
{
    return s.budget.scheme != Scheme::Elevator && parts.orifice && parts.first && parts.first->drop
           && parts.first->inlet && parts.orifice->inlet;
}

double kgf(const std::optional<qty::PressureDifference>& drop)
{
    return drop ? drop->inKgfPerCm2() : 0;
}

double metres(const std::optional<qty::Head>& head) { return head ? head->inMetres() : 0; }

QString offered(const Element& e)
{
    QStringList names;
    for (const selection::Offer& offer : e.offers)
        names << offer.designation;
    return names.isEmpty() ? QStringLiteral("модель не подходит")
                           : names.join(QStringLiteral(", "));
}

// The device's capacity, its nominal capacity and the catalogue's models.
void deviceSteps(Steps& steps, const Element& e, double flow, const char* dropSymbol)
{
    if (!e.requiredKv || !e.requiredKvy || !e.drop)
        return;
    const QString name = substation::elementName(e.kind);
    const QByteArray kvFormula = QByteArray("Kv = G / √") + dropSymbol;
    steps.computed(
        QStringLiteral("Пропускная способность: ") + name, kvFormula.constData(),
        [&](int d) { return q(flow, d) + QStringLiteral(" / √") + q(e.drop->inKgfPerCm2(), d); },
        e.requiredKv->inCubicMetresPerHour(), kKv);
    steps.computed(
        QStringLiteral("Условная пропускная способность: ") + name, "Kvy = 1,2·Kv",
        [&](int d) { return QStringLiteral("1,2·") + q(e.requiredKv->inCubicMetresPerHour(), d); },
        e.requiredKvy->inCubicMetresPerHour(), kKvy);
    steps.stated(QStringLiteral("Подбор по каталогу: ") + name,
                 QStringLiteral("Kvy(i−1) < Kvy тр < Kvy(i): Kvy тр = ")
                     + num::fixed(e.requiredKvy->inCubicMetresPerHour(), kKvy.decimals)
                     + QStringLiteral(" м³/ч"),
                 offered(e));
}

void orificeSteps(Steps& steps, const Element& e, double flow)
{
    if (!e.orifice)
        return;
    const substation::Orifice& o = *e.orifice;
    steps.stated(QStringLiteral("Число шайб дроссельной диафрагмы"),
                 QStringLiteral("наименьшее n из 1…%1, при котором d ≥ d_min и последняя шайба "
                                "не запирается")
                     .arg(substation::kMaxPlates),
                 QStringLiteral("n = %1").arg(o.plates));
    steps.computed(
        QStringLiteral("Диаметр отверстия шайбы"), "d = 10·⁴√(G² / (H_д / n))",
        [&](int d) {
            return QStringLiteral("10·⁴√(") + q(flow, d) + QStringLiteral("² / (")
                   + q(o.head.inMetres(), d) + QStringLiteral(" / ") + QString::number(o.plates)
                   + QStringLiteral("))");
        },
        o.bore.inMillimetres(), kBore);
}

// The first device's drop above its cavitation limit: the limit, and the excess the orifice
// takes.
void cavitationSteps(Steps& steps, const SubstationSheet& s, const Parts& parts, double required)
{
    const selection::SizingInputs in = selection::inputsOf(s.request.conditions);
    const Element& first = *parts.first;
    const Element& orifice = *parts.orifice;
    const double atmosphere = qty::kAtmosphereKgfCm2;
    const double hOther = s.options.otherLosses.inMetres();
    const double p1 = orifice.inlet->inKgfPerCm2();
    steps.computed(
        QStringLiteral("Абсолютное давление перед первым устройством"),
        "p₁ = P1 + 1,0332 − h_пр / 10",
        [&](int) {
            return p(in.inletPressure) + QStringLiteral(" + ") + num::fixed(atmosphere, 4)
                   + QStringLiteral(" − ") + p(hOther) + QStringLiteral(" / 10");
        },
        p1, kAbsoluteKgf);
    const double outlet = first.inlet->inKgfPerCm2() - first.drop->inKgfPerCm2();
    steps.computed(
        QStringLiteral("Абсолютное давление за устройством: ")
            + substation::elementName(first.kind),
        "p_вых = p₁ − Δp", [&](int d) { return q(p1, d) + QStringLiteral(" − ") + q(required, d); },
        outlet, kAbsoluteKgf);
    const std::optional<qty::AbsolutePressure> vapour =
        water::saturationPressure(qty::Temperature::celsius(in.supplyTemperature));
    if (!vapour)
        return;
    const double pv = vapour->inKgfPerCm2();
    steps.stated(QStringLiteral("Давление насыщения при τ1 (IAPWS-IF97)"),
                 QStringLiteral("p_v = p_нас(") + p(in.supplyTemperature) + QStringLiteral(" °C)"),
                 num::fixed(vapour->inMegapascal(), 5) + QStringLiteral(" МПа = ")
                     + num::fixed(pv, 4) + QStringLiteral(" кгс/см² (абс.)"));
    const double ff = checks::liquidCriticalPressureRatio(*vapour);
    steps.computed(
        QStringLiteral("Коэффициент критического давления жидкости"),
        "F_F = 0,96 − 0,28·√(p_v / p_c)",
        [&](int d) {
            return num::general(double(checks::kFfConstant)) + QStringLiteral(" − ")
                   + num::general(double(checks::kFfSlope)) + QStringLiteral("·√(")
                   + q(vapour->inMegapascal(), d + 2) + QStringLiteral(" / ")
                   + num::general(water::kCriticalPressure.inMegapascal()) + QStringLiteral(")");
        },
        ff, kRatio);
    const QString k = num::general(double(checks::kIncipientShare));
    const QString fl = num::general(checks::kRecoveryFactor);
    steps.computed(
        QStringLiteral("Наибольший перепад без кавитации (k = ") + k
            + QStringLiteral(" от перепада запирания)"),
        "Δp_max = k·F_L²·(p_вых − F_F·p_v) / (1 − k·F_L²)",
        [&](int d) {
            return k + QStringLiteral("·") + fl + QStringLiteral("²·(") + q(outlet, d)
                   + QStringLiteral(" − ") + q(ff, d) + QStringLiteral("·") + q(pv, d)
                   + QStringLiteral(") / (1 − ") + k + QStringLiteral("·") + fl
                   + QStringLiteral("²)");
        },
        kgf(first.drop), kKgf);
    steps.computed(
        QStringLiteral("Избыток перепада, принимаемый дроссельной диафрагмой"),
        "Δp_д = Δp − Δp_max",
        [&](int d) { return q(required, d) + QStringLiteral(" − ") + q(kgf(first.drop), d); },
        kgf(substation::elementDrop(orifice)), kKgf);
    steps.computed(
        QStringLiteral("Напор, принимаемый дроссельной диафрагмой"), "H_д = 10·Δp_д",
        [&](int d) { return QStringLiteral("10·") + q(kgf(substation::elementDrop(orifice)), d); },
        orifice.head.inMetres(), kMetres);
}

void elevatorSteps(Steps& steps, const SubstationSheet& s, const Parts& parts, double h)
{
    if (!parts.elevator)
        return;
    const Element& e = *parts.elevator;
    const selection::SizingInputs in = selection::inputsOf(s.request.conditions);
    const double flow = s.budget.networkFlow.inTonnesPerHour();
    const std::vector<selection::MethodStep>& rows =
        selection::methodSteps(selection::EquipmentKind::Hydroelevator);
    const double u = sf::mixingRatio(sf::designConditions(in).schedule);
    selection::SizingValues values;
    values.networkFlow = s.budget.networkFlow;
    values.mixingRatio = u;
    const selection::MethodStep& mixing = rows.at(1);
    steps.computed(
        QString::fromUtf8(mixing.title), mixing.formula,
        [&](int d) { return mixing.substituted(in, values, d); }, u, kRatio);
    const double needed = metres(e.requiredHead);
    steps.computed(
        QStringLiteral("Необходимый напор перед элеватором"), "Hтреб = 1,4·(1 + u)²·S",
        [&](int d) {
            return QStringLiteral("1,4·(1 + ") + q(u, d) + QStringLiteral(")²·")
                   + p(in.systemResistance);
        },
        needed, kMetres);
    const double atMinBore =
        bf::nozzleHeadAtBore(s.budget.networkFlow, s.options.minBore).inMetres();
    steps.computed(
        QStringLiteral("Напор, при котором сопло выходит на d_min"), "H₃ = G²·(9,6 / d_min)⁴",
        [&](int d) {
            return q(flow, d) + QStringLiteral("²·(9,6 / ") + p(s.options.minBore.inMillimetres())
                   + QStringLiteral(")⁴");
        },
        atMinBore, kMetres);
    const double given = metres(e.availableHead);
    steps.computed(
        QStringLiteral("Напор, срабатываемый элеватором"),
        "Hэ = min(H; max(Hтреб; min(H_max; H₃)))",
        [&](int d) {
            return QStringLiteral("min(") + q(h, d) + QStringLiteral("; max(") + q(needed, d)
                   + QStringLiteral("; min(") + p(s.options.maxElevatorHead.inMetres())
                   + QStringLiteral("; ") + q(atMinBore, d) + QStringLiteral(")))");
        },
        given, kMetres);
    if (parts.orifice)
        steps.computed(
            QStringLiteral("Напор, принимаемый дроссельной диафрагмой"), "H_д = H − Hэ",
            [&](int d) { return q(h, d) + QStringLiteral(" − ") + q(given, d); },
            parts.orifice->head.inMetres(), kMetres);
    if (e.nozzle)
        steps.computed(
            QStringLiteral("Диаметр сопла"), "dс = 9,6·⁴√(G² / Hэ)",
            [&](int d) {
                return QStringLiteral("9,6·⁴√(") + q(flow, d) + QStringLiteral("² / ") + q(given, d)
                       + QStringLiteral(")");
            },
            e.nozzle->inMillimetres(), kBore);
    const selection::MethodStep& throat = rows.at(3);
    if (e.throat)
        steps.computed(
            QString::fromUtf8(throat.title), throat.formula,
            [&](int d) { return throat.substituted(in, values, d); }, e.throat->inMillimetres(),
            kBore);
    if (parts.orifice)
        orificeSteps(steps, *parts.orifice, flow);
    steps.stated(QStringLiteral("Подбор элеватора по диаметру сопла"),
                 QStringLiteral("6 < Hэ < 40 м; dс в ступени модели"), offered(e));
}

void authoritySteps(Steps& steps, const SubstationSheet& s, const Element& valve)
{
    const selection::Offer* offer = valve.offer();
    if (!offer || !offer->kvy || !valve.authority)
        return;
    const double flow = s.budget.networkFlow.inTonnesPerHour();
    const bool overSetPoint = s.budget.scheme == Scheme::ValveRegulator;
    const Parts parts = partsOf(s.budget);
    const double setPoint = parts.regulator ? kgf(parts.regulator->setPoint) : 0;
    steps.computed(
        QStringLiteral("Авторитет клапана ") + offer->designation,
        overSetPoint ? "a = (G² / Kvy²) / (0,980665·Δp_уст)" : "a = (G² / Kvy²) / (0,0980665·ΔH)",
        [&](int d) {
            return QStringLiteral("(") + q(flow, d) + QStringLiteral("² / ")
                   + p(offer->kvy->inCubicMetresPerHour()) + QStringLiteral("²) / (")
                   + (overSetPoint
                          ? num::general(qty::kBarPerKgfCm2) + QStringLiteral("·") + q(setPoint, d)
                          : num::general(double(qty::kBarPerMetreOfWater)) + QStringLiteral("·")
                                + q(s.budget.availableHead.inMetres(), d))
                   + QStringLiteral(")");
        },
        *valve.authority, kRatio);
}

std::vector<WrittenStep> stepsOf(const SubstationSheet& s)
{
    Steps steps;
    const substation::Budget& b = s.budget;
    const selection::SizingInputs in = selection::inputsOf(s.request.conditions);
    const Parts parts = partsOf(b);
    const double flow = b.networkFlow.inTonnesPerHour();
    const double dH = b.availableHead.inMetres();
    steps.computed(
        QStringLiteral("Располагаемый напор на вводе"), "ΔH = 10·(P1 − P2)",
        [&](int) {
            return QStringLiteral("10·(") + p(in.inletPressure) + QStringLiteral(" − ")
                   + p(in.outletPressure) + QStringLiteral(")");
        },
        dH, kMetres);
    const double h = (b.availableHead - s.options.otherLosses).inMetres();
    steps.computed(
        QStringLiteral("Напор, распределяемый между устройствами"), "H = ΔH − h_пр",
        [&](int d) {
            return q(dH, d) + QStringLiteral(" − ") + p(s.options.otherLosses.inMetres());
        },
        h, kMetres);
    const selection::MethodStep& flowRow = selection::methodSteps(s.request.kind).front();
    steps.computed(
        QString::fromUtf8(flowRow.title), flowRow.formula,
        [&](int d) { return flowRow.substituted(in, {}, d); }, flow, kFlow);
    if (b.scheme == Scheme::Elevator) {
        elevatorSteps(steps, s, parts, h);
        return steps.taken();
    }
    const double resistance = in.systemResistance;
    const double setPoint = parts.regulator ? kgf(parts.regulator->setPoint) : 0;
    if (b.scheme == Scheme::ValveRegulator && parts.regulator && parts.valve) {
        const selection::SettingRange range =
            selection::regulatorSettingRanges().at(static_cast<size_t>(s.options.settingRange));
        const double bottom = qty::GaugePressure::megapascal(range.from).inKgfPerCm2();
        steps.computed(
            QStringLiteral("Уставка регулятора перепада (целевой авторитет клапана, не ниже "
                           "нижней границы диапазона настройки)"),
            "Δp_уст = max((S / 10) / (1 − a_ц); Δp_нижн)",
            [&](int d) {
                return QStringLiteral("max((") + p(resistance) + QStringLiteral(" / 10) / (1 − ")
                       + p(s.options.targetAuthority) + QStringLiteral("); ") + q(bottom, d)
                       + QStringLiteral(")");
            },
            setPoint, kKgf);
        steps.computed(
            QStringLiteral("Перепад на регулирующем клапане"), "Δp_кл = Δp_уст − S / 10",
            [&](int d) {
                return q(setPoint, d) + QStringLiteral(" − ") + p(resistance)
                       + QStringLiteral(" / 10");
            },
            kgf(parts.valve->drop), kKgf);
    } else if (b.scheme == Scheme::Regulator && parts.regulator) {
        steps.computed(
            QStringLiteral("Уставка регулятора перепада"), "Δp_уст = S / 10",
            [&](int) { return p(resistance) + QStringLiteral(" / 10"); }, setPoint, kKgf);
    }
    // The drop left to the first device.
    const bool withOrifice = cavitationOrifice(s, parts);
    const double required = kgf(parts.first ? parts.first->drop : std::nullopt)
                            + (withOrifice ? kgf(substation::elementDrop(*parts.orifice)) : 0.0);
    const bool valveFirst = b.scheme == Scheme::Valve;
    steps.computed(
        valveFirst ? QStringLiteral("Перепад на регулирующем клапане")
                   : QStringLiteral("Перепад на регуляторе перепада давления"),
        valveFirst ? "Δp = H / 10 − S / 10" : "Δp = H / 10 − Δp_уст",
        [&](int d) {
            return q(h, d) + QStringLiteral(" / 10 − ")
                   + (valveFirst ? p(resistance) + QStringLiteral(" / 10") : q(setPoint, d));
        },
        required, kKgf);
    if (withOrifice) {
        cavitationSteps(steps, s, parts, required);
        orificeSteps(steps, *parts.orifice, flow);
    }
    if (parts.first)
        deviceSteps(steps, *parts.first, flow, withOrifice ? "Δp_max" : "Δp");
    if (parts.regulator && parts.valve)
        deviceSteps(steps, *parts.valve, flow, "Δp_кл");
    if (parts.valve)
        authoritySteps(steps, s, *parts.valve);
    return steps.taken();
}

QString inputRow(const QString& name, const QString& value) { return row({name, value}); }

QString inputsPart(const SubstationSheet& s)
{
    const selection::SizingInputs in = selection::inputsOf(s.request.conditions);
    const Scheme scheme = s.budget.scheme;
    QString rows = headRow({QStringLiteral("Величина"), QStringLiteral("Для расчёта")}, {60, 40});
    rows += inputRow(QStringLiteral("Схема теплового пункта"), substation::schemeTitle(scheme));
    const auto unit = [](double value, const char* name) {
        return num::general(value) + QLatin1Char(' ') + QString::fromUtf8(name);
    };
    rows += inputRow(QStringLiteral("Давление на входе P1"), unit(in.inletPressure, "кгс/см²"));
    rows += inputRow(QStringLiteral("Давление на выходе P2"), unit(in.outletPressure, "кгс/см²"));
    rows += inputRow(QStringLiteral("Температура в подающем трубопроводе τ1"),
                     unit(in.supplyTemperature, "°C"));
    rows += inputRow(QStringLiteral("Температура в обратном трубопроводе τ2"),
                     unit(in.returnTemperature, "°C"));
    rows += inputRow(QStringLiteral("Тепловая нагрузка Q"), unit(in.heatLoad, "Гкал/ч"));
    rows += inputRow(QStringLiteral("Сопротивление системы S"),
                     unit(in.systemResistance, "м вод. ст."));
    rows += inputRow(QStringLiteral("Прочие потери напора на входе h_пр"),
                     unit(s.options.otherLosses.inMetres(), "м"));
    if (scheme == Scheme::ValveRegulator)
        rows += inputRow(QStringLiteral("Целевой авторитет клапана a_ц"),
                         num::general(s.options.targetAuthority));
    if (scheme == Scheme::ValveRegulator || scheme == Scheme::Regulator) {
        const QStringList& ranges = units::settingRangeItems();
        const int range = s.options.settingRange;
        rows += inputRow(
            QStringLiteral("Регулятор перепада давления"),
            QStringLiteral("серия ЖМ, диапазон настройки ")
                + (range > 0 && range < ranges.size() ? ranges[range] : QString::number(range)));
    }
    if (scheme == Scheme::Elevator)
        rows +=
            inputRow(QStringLiteral("Наибольший напор сопла элеватора H_max (правило практики)"),
                     unit(s.options.maxElevatorHead.inMetres(), "м"));
    rows += inputRow(QStringLiteral("Наименьший диаметр отверстия шайбы и сопла d_min"),
                     unit(s.options.minBore.inMillimetres(), "мм"));
    return heading(QStringLiteral("Исходные данные теплового пункта")) + table(rows);
}

// One step as a line: the formula, the numbers and the result, or what a choice compared and
// chose.
QString stepLine(const WrittenStep& step)
{
    if (step.substituted.isEmpty())
        return step.symbolic + QStringLiteral(": ") + step.result;
    return step.symbolic + QStringLiteral(" = ") + step.substituted + QStringLiteral(" = ")
           + step.result;
}

QString stepsPart(const SubstationSheet& s)
{
    QString rows = headRow({QStringLiteral("№"), QStringLiteral("Величина"),
                            QStringLiteral("Формула, подстановка и результат")},
                           {4, 34, 62});
    int n = 0;
    for (const WrittenStep& step : substationSteps(s))
        rows += row({QString::number(++n), step.what, stepLine(step)});
    return heading(QStringLiteral("Расчёт")) + table(rows);
}

QString paragraph(const QString& text)
{
    return QStringLiteral("<p>") + esc(text) + QStringLiteral("</p>");
}

QString notesPart(const SubstationSheet& s)
{
    const Parts parts = partsOf(s.budget);
    QString part = paragraph(
        QStringLiteral("Диаметр отверстия шайбы d = ") + num::general(double(bf::kPlateConstant))
        + QStringLiteral("·⁴√(G²/H) мм (G — т/ч, H — м) принят по практике наладки тепловых "
                         "сетей (правило практики): постоянная ")
        + num::general(double(bf::kPlateConstant))
        + QStringLiteral(" соответствует коэффициенту расхода около 0,80, то есть шайбе толщиной "
                         "порядка диаметра её отверстия; тонкая шайба с острой кромкой того же "
                         "отверстия приняла бы напор примерно в ")
        + num::general(bf::kThinPlateHeadRatio) + QStringLiteral(" раза больший."));
    if (cavitationOrifice(s, parts)) {
        const QString device = substation::elementName(parts.first->kind);
        part += paragraph(
            QStringLiteral("Перепад, приходящийся на первое по ходу воды устройство (") + device
            + QStringLiteral("), больше наибольшего перепада Δp_max, при котором в нём ещё не "
                             "начинается кавитация (доля k = ")
            + num::general(double(checks::kIncipientShare))
            + QStringLiteral(" перепада запирания потока). Избыток Δp_д принимает дроссельная "
                             "диафрагма перед устройством, а устройство подобрано на Δp_max. "
                             "Поэтому его проверка кавитации стоит на пороге предупреждения: "
                             "при расчётном расходе кавитация в нём только начинается."));
    }
    return part;
}

QString elementsPart(const SubstationSheet& s)
{
    QString rows = headRow({QStringLiteral("Элемент"), QStringLiteral("Напор, м"),
                            QStringLiteral("Перепад, кгс/см²"), QStringLiteral("Kv, м³/ч"),
                            QStringLiteral("Kvy, м³/ч"), QStringLiteral("Модель"),
                            QStringLiteral("Отверстия")},
                           {22, 9, 11, 9, 9, 16, 24});
    const auto figure = [](const std::optional<double>& value, int decimals) {
        return value ? num::fixed(*value, decimals) : QStringLiteral("—");
    };
    for (const Element& e : s.budget.elements)
        rows += row(
            {substation::elementName(e.kind), num::fixed(e.head.inMetres(), 3),
             figure(qty::readIn(substation::elementDrop(e), &qty::PressureDifference::inKgfPerCm2),
                    4),
             figure(qty::readIn(e.requiredKv, &qty::FlowCoefficient::inCubicMetresPerHour), 4),
             figure(qty::readIn(e.requiredKvy, &qty::FlowCoefficient::inCubicMetresPerHour), 3),
             e.offer() ? e.offer()->designation : QStringLiteral("—"), substation::boresText(e)});
    return heading(QStringLiteral("Элементы теплового пункта по ходу воды")) + table(rows);
}

} // namespace

QString substationPageTitle()
{
    return QStringLiteral("Распределение располагаемого напора и расчёт дроссельных устройств");
}

std::vector<WrittenStep> substationSteps(const SubstationSheet& sheet)
{
    try {
        return stepsOf(sheet);
    } catch (const vedan::MathError&) {
        // A budget that was computed recomputes; one beyond any number shows no steps.
        return {};
    }
}

QString substationHtml(const SubstationSheet& sheet, bool newPage)
{
    QString html = newPage ? QStringLiteral("<h2 style=\"page-break-before: always\">")
                           : QStringLiteral("<h2>");
    html += esc(substationPageTitle()) + QStringLiteral("</h2>");
    html += inputsPart(sheet) + stepsPart(sheet) + notesPart(sheet);
    html += chartParagraph(QString::fromLatin1(kPiezometricChart), kPiezometricChartHeightMm);
    html += elementsPart(sheet) + checksHtml(sheet.budget.checks);
    return html;
}

} // namespace calcsheet
