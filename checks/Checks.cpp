#include "checks/Checks.h"

#include "checks/LiquidValveFactors.h"
#include "core/Numbers.h"
#include "core/Units.h"
#include "selection/Formulas.h"
#include "selection/HydroelevatorSizing.h"
#include "selection/RegulatorSizing.h"
#include "selection/ValveSizing.h"
#include "water/WaterProperties.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

using vedan::Ext;
using vedan::MathError;
using vedan::store;
using namespace selection;

namespace checks {

namespace {

// Each cavitation and flashing check says where the valve stands and which pressures it uses.
const QString kInstallation = QStringLiteral(
    "принято: установка на подающем трубопроводе, p₁ — давление на входе, p_v при температуре "
    "подачи");
const QString kKgf = QStringLiteral("кгс/см²");

QString gaugeNote()
{
    return QStringLiteral("давления приняты избыточными: p_абс = p + ")
           + num::fixed(qty::kAtmosphereKgfCm2, 4) + QStringLiteral(" кгс/см² (101,325 кПа)");
}

QString joined(std::initializer_list<QString> parts)
{
    QStringList list;
    for (const QString& part : parts)
        if (!part.isEmpty())
            list << part;
    return list.join(QStringLiteral("; "));
}

// A bound and the side of it on which a check warns or fails.
enum class Side { Below, AtOrBelow, AtOrAbove, Above };

struct Limit {
    double bound;
    Side side;
};

// How every check compares a value with a limit: within this share of the limit the value is at
// the limit, so that the last bits of two computations of one figure (S/10 against 0,16 MPa in
// kgf/cm², say) never decide a verdict. The sizing's own comparisons stay exact.
constexpr double kAtLimitShare = 1e-9;

bool atLimit(double value, double bound)
{
    return std::abs(value - bound) <= kAtLimitShare * std::max(std::abs(value), std::abs(bound));
}

bool crosses(double value, const Limit& limit)
{
    const bool at = atLimit(value, limit.bound);
    switch (limit.side) {
    case Side::Below: return value < limit.bound && !at;
    case Side::AtOrBelow: return value <= limit.bound || at;
    case Side::AtOrAbove: return value >= limit.bound || at;
    case Side::Above: return value > limit.bound && !at;
    }
    return false;
}

// Sets the value, the limits and the status they give: failed before warning before passed.
void grade(Check& check, double value, std::optional<Limit> warning, std::optional<Limit> fail)
{
    check.value = value;
    if (warning)
        check.warningLimit = warning->bound;
    if (fail)
        check.failLimit = fail->bound;
    if (fail && crosses(value, *fail))
        check.status = Status::Failed;
    else if (warning && crosses(value, *warning))
        check.status = Status::Warning;
    else
        check.status = Status::Passed;
}

// The status and formula of a check that has no value to compare with its limits.
void withoutFigures(Check& check, Status status, const QString& formula)
{
    check.status = status;
    check.formula = formula;
    check.value.reset();
    check.warningLimit.reset();
    check.failLimit.reset();
}

// A check that concerns the case but cannot be computed for it (its inputs lie outside its
// method's range, or its arithmetic faults) has failed: the verdict never gets better for what
// the checks cannot evaluate. The formula cell shows what could not be computed, the note why.
struct Unevaluated {
    QString formula;
    QString why;
};

void failedOutOfRange(Check& check, const Unevaluated& unevaluated)
{
    withoutFigures(check, Status::Failed, unevaluated.formula);
    check.note = unevaluated.why;
}

void notApplicable(Check& check, const QString& why)
{
    withoutFigures(check, Status::NotApplicable, why);
}

// The comparison sign a verdict rests on, for the formula text.
QString sign(double a, double b)
{
    if (atLimit(a, b))
        return QStringLiteral(" = ");
    return a < b ? QStringLiteral(" < ") : QStringLiteral(" > ");
}

// The margin over boiling that heat-network design keeps (a rule of practice), kgf/cm².
constexpr double kBoilingMargin = 0.5;
// The nozzle below which an elevator clogs (a rule of practice), mm.
constexpr double kMinNozzle = 3;
// The valve's authority below which it warns and below which it fails (a rule of practice).
constexpr double kAuthorityWarning = 0.5;
constexpr double kAuthorityFailure = 0.25;
// The water's velocity in a valve above which it is noisy (a rule of practice), m/s.
constexpr double kMaxVelocity = 3;

QString missing() { return QStringLiteral("величина не рассчитана при подборе"); }

// The state of the supply water at the inlet, shared by the checks that need it.
struct Water {
    std::optional<qty::AbsolutePressure> inlet;  // p₁
    std::optional<qty::AbsolutePressure> vapour; // p_v at the supply temperature
    std::optional<double> inletAbsolute;         // p₁, kgf/cm² absolute
    std::optional<double> saturation;            // p_v, kgf/cm²
    std::optional<double> density;               // at the supply temperature and p₁, kg/m³
    bool liquid = false;                         // p₁ > p_v
    QString whyNot;                              // why supply.liquid cannot be evaluated

    bool usable() const { return liquid && whyNot.isEmpty(); }
};

// The inputs do not say whether their pressures are gauge; the checks take them as gauge.
Water waterOf(const SizingInputs& in)
{
    Water w;
    const qty::Temperature t = qty::Temperature::celsius(in.supplyTemperature);
    try {
        w.inlet = qty::GaugePressure::kgfPerCm2(in.inletPressure).absolute();
        w.inletAbsolute = w.inlet->inKgfPerCm2();
    } catch (const MathError&) {
        w.whyNot = QStringLiteral("давление на входе не переводится в абсолютное");
        return w;
    }
    w.vapour = water::saturationPressure(t);
    if (!w.vapour) {
        w.whyNot = QStringLiteral("температура подачи ") + num::f1(in.supplyTemperature)
                   + QStringLiteral(" °C вне диапазона ") + num::general(water::kMinTemperature)
                   + QStringLiteral("…") + num::general(water::kCriticalTemperature)
                   + QStringLiteral(" °C, в котором IAPWS-IF97 дает давление насыщения: "
                                    "состояние воды на входе не определено");
        return w;
    }
    w.saturation = w.vapour->inKgfPerCm2();
    w.liquid = *w.inletAbsolute > *w.saturation;
    if (!w.liquid)
        return w;
    if (const auto rho = water::liquidDensity(t, *w.inlet))
        w.density = rho->inKilogramsPerCubicMetre();
    return w;
}

// What the checks are computed from: the selection's figures in the units of the methods.
struct Subject {
    EquipmentKind kind;
    SizingInputs inputs;
    const SizingValues& values;
    const std::vector<Offer>& offers;
    int regulatorSeries; // a row of regulatorSeries() (regulator only)
    int settingRange;    // a row of regulatorSettingRanges() (regulator only)
};

struct Context {
    const Subject& subject;
    Water water;
    bool texts; // the formulas, notes and units are wanted, not the statuses alone
};

// What the checks that need the state of the water say when supply.liquid has failed.
QString afterLiquid()
{
    return QStringLiteral("вода на входе не в жидком состоянии или ее состояние не определено "
                          "(проверка supply.liquid не пройдена)");
}

// A text of a check, made only when the texts are wanted.
template <typename Make> void setText(const Context& x, QString& text, Make make)
{
    if (x.texts)
        text = make();
}
template <typename Make> void addText(const Context& x, QString& text, Make make)
{
    if (x.texts)
        text += make();
}

// --- The checks -------------------------------------------------------------------------------

void supplyLiquid(Check& c, const Context& x, const selection::Offer*)
{
    const Water& w = x.water;
    if (!w.inletAbsolute || !w.saturation)
        return failedOutOfRange(
            c, {.formula = QStringLiteral("τ₁ = ") + num::f1(x.subject.inputs.supplyTemperature)
                           + QStringLiteral(" °C, p = ") + num::f2(x.subject.inputs.inletPressure)
                           + QStringLiteral(" кгс/см²"),
                .why = w.whyNot});
    const double p1 = *w.inletAbsolute;
    const double pv = *w.saturation;
    setText(x, c.unit, [&] { return QString(kKgf); });
    setText(x, c.note, [&] { return QString(gaugeNote()); });
    setText(x, c.formula, [&] {
        return QString(QStringLiteral("p₁ = ") + num::f2(x.subject.inputs.inletPressure)
                       + QStringLiteral(" + ") + num::fixed(qty::kAtmosphereKgfCm2, 4)
                       + QStringLiteral(" = ") + num::f2(p1) + sign(p1, pv) + QStringLiteral("p_v(")
                       + num::f1(x.subject.inputs.supplyTemperature) + QStringLiteral(" °C) = ")
                       + num::f3(pv) + QStringLiteral(" кгс/см²; запас p₁ − p_v = ")
                       + num::f2(store(Ext(p1) - Ext(pv))) + QStringLiteral(" кгс/см²"));
    });
    grade(c, p1, Limit{store(Ext(pv) + kBoilingMargin), Side::Below}, Limit{pv, Side::AtOrBelow});
    if (c.status == Status::Warning)
        addText(x, c.formula, [&] {
            return QString(QStringLiteral(" < ") + num::f1(kBoilingMargin)
                           + QStringLiteral(" кгс/см²: вода на входе близка к вскипанию"));
        });
}

// The temperature schedule and the flow the sizing took from it: a supply colder than the
// return, or a flow that is not positive (a zero or negative load), cannot be sized at all.
bool scheduleFails(const Subject& s)
{
    return s.inputs.supplyTemperature < s.inputs.returnTemperature
           || (s.values.networkFlow && !(s.values.networkFlow->inTonnesPerHour() > 0));
}

void supplySchedule(Check& c, const Context& x, const selection::Offer*)
{
    const SizingInputs& in = x.subject.inputs;
    const std::optional<double> flow =
        qty::readIn(x.subject.values.networkFlow, &qty::MassFlow::inTonnesPerHour);
    if (!flow)
        return notApplicable(c, missing());
    setText(x, c.unit, [&] { return QString(QStringLiteral("т/ч")); });
    setText(x, c.formula, [&] {
        return QString(QStringLiteral("τ₁ = ") + num::f1(in.supplyTemperature)
                       + QStringLiteral(" °C") + sign(in.supplyTemperature, in.returnTemperature)
                       + QStringLiteral("τ₂ = ") + num::f1(in.returnTemperature)
                       + QStringLiteral(" °C; G = ") + num::f2(*flow) + QStringLiteral(" т/ч")
                       + sign(*flow, 0) + QStringLiteral("0"));
    });
    grade(c, *flow, std::nullopt, Limit{0, Side::AtOrBelow});
    if (in.supplyTemperature < in.returnTemperature)
        c.status = Status::Failed;
    if (c.status == Status::Failed)
        addText(x, c.formula, [&] {
            return QString(QStringLiteral(
                ": подача должна быть горячее обратной воды, а расход — больше нуля"));
        });
}

// Why the elevator's table offers no model: the head outside the band in which a model is chosen
// at all, or the nozzle outside the table's bands.
QString noElevator(const selection::SizingValues& v)
{
    if (!v.availableHead || !v.nozzleDiameter)
        return missing();
    const double head = v.availableHead->inMetres();
    if (!(head > kHydroelevatorMinHead && head < kHydroelevatorMaxHead))
        return QStringLiteral("Hрасп = ") + num::f2(head) + QStringLiteral(" м вне диапазона ")
               + num::general(kHydroelevatorMinHead) + QStringLiteral(" < H < ")
               + num::general(kHydroelevatorMaxHead)
               + QStringLiteral(" м, в котором подбирается гидроэлеватор");
    return QStringLiteral("dс = ") + num::f2(v.nozzleDiameter->inMillimetres())
           + QStringLiteral(" мм вне ряда сопел моделей: больше 0 и не больше ")
           + num::general(hydroelevatorModels().back().nozzleUpTo) + QStringLiteral(" мм");
}

// Why a capacity catalogue offers no model: none has the next nominal capacity above Kvy.
QString noCapacity(const selection::SizingValues& v, double largest)
{
    if (!v.requiredKvy)
        return missing();
    const double kvy = v.requiredKvy->inCubicMetresPerHour();
    const QString figure = QStringLiteral("Kvy = ") + num::f2(kvy) + QStringLiteral(" м³/ч");
    if (kvy >= largest)
        return figure
               + QStringLiteral(" не меньше наибольшей условной пропускной способности каталога ")
               + num::f2(largest) + QStringLiteral(" м³/ч");
    return figure
           + QStringLiteral(": в каталоге нет модели со следующей условной пропускной "
                            "способностью выше нее");
}

template <typename Row> double largestCapacity(const std::vector<Row>& rows)
{
    return rows.empty() ? 0 : rows.back().kvy;
}

QString whyNothingOffered(const Subject& s)
{
    switch (s.kind) {
    case EquipmentKind::Hydroelevator: return noElevator(s.values);
    case EquipmentKind::ControlValve:
        return noCapacity(s.values, largestCapacity(controlValveCatalogue()));
    case EquipmentKind::MixingValve:
        return noCapacity(s.values, largestCapacity(mixingValveCatalogue()));
    case EquipmentKind::Regulator:
        return noCapacity(s.values, largestCapacity(regulatorCatalogue()));
    }
    return {};
}

// A selection that offers no model has failed, whatever its other checks say.
void selectionOffer(Check& c, const Context& x, const selection::Offer*)
{
    const Subject& s = x.subject;
    if (s.offers.empty()) {
        c.status = Status::Failed;
        setText(x, c.formula, [&] { return whyNothingOffered(s); });
        setText(x, c.note, [&] {
            return QString(QStringLiteral("каталог завода не предлагает изделия для этих "
                                          "величин: подбор не состоялся"));
        });
        return;
    }
    c.status = Status::Passed;
    setText(x, c.formula, [&] {
        QStringList models;
        for (const selection::Offer& offer : s.offers)
            models << offer.designation;
        return QString(QStringLiteral("предложено: ") + models.join(QStringLiteral(", ")));
    });
}

// What the checks that need a positive flow say when the schedule check failed.
QString afterSchedule()
{
    return QStringLiteral(
        "график температур или расход не годятся (проверка supply.schedule не пройдена)");
}

void elevatorHead(Check& c, const Context& x, const selection::Offer*)
{
    const selection::SizingValues& v = x.subject.values;
    if (!v.mixingRatio || !v.availableHead)
        return notApplicable(c, missing());
    if (scheduleFails(x.subject))
        return notApplicable(c, afterSchedule());
    const double u = *v.mixingRatio;
    const double h = x.subject.inputs.systemResistance;
    if (u <= 0)
        return notApplicable(c, QStringLiteral("u = ") + num::f2(u)
                                    + QStringLiteral(" ≤ 0: элеватор не подмешивает воду"));
    const double needed = formulas::elevatorHeadNeeded(u, qty::Head::metres(h)).inMetres();
    setText(x, c.unit, [&] { return QString(QStringLiteral("м")); });
    setText(x, c.note, [&] {
        return QString(QStringLiteral("u — расчетный коэффициент смешения, как напечатан, без "
                                      "дополнительного запаса; S — сопротивление системы"));
    });
    setText(x, c.formula, [&] {
        return QString(QStringLiteral("Hрасп = ") + num::f2(v.availableHead->inMetres())
                       + QStringLiteral(" м") + sign(v.availableHead->inMetres(), needed)
                       + QStringLiteral("Hтреб = 1,4·(1 + u)²·S = 1,4·(1 + ") + num::f2(u)
                       + QStringLiteral(")²·") + num::f2(h) + QStringLiteral(" = ")
                       + num::f2(needed) + QStringLiteral(" м"));
    });
    grade(c, v.availableHead->inMetres(), std::nullopt, Limit{needed, Side::Below});
}

void elevatorMixing(Check& c, const Context& x, const selection::Offer*)
{
    const std::optional<double> u = x.subject.values.mixingRatio;
    if (!u)
        return notApplicable(c, missing());
    setText(x, c.formula,
            [&] { return QString(QStringLiteral("u = (τ₁ − 95)/(95 − τ₂) = ") + num::f2(*u)); });
    grade(c, *u, std::nullopt, Limit{0, Side::AtOrBelow});
    if (c.status == Status::Failed)
        addText(x, c.formula, [&] {
            return QString(QStringLiteral(" ≤ 0: элеватор не может подмешивать воду"));
        });
}

void elevatorNozzle(Check& c, const Context& x, const selection::Offer*)
{
    const std::optional<double> d =
        qty::readIn(x.subject.values.nozzleDiameter, &qty::Diameter::inMillimetres);
    if (!d)
        return notApplicable(c, missing());
    if (scheduleFails(x.subject))
        return notApplicable(c, afterSchedule());
    setText(x, c.unit, [&] { return QString(QStringLiteral("мм")); });
    setText(x, c.formula, [&] {
        return QString(QStringLiteral("dс = ") + num::f2(*d) + QStringLiteral(" мм")
                       + sign(*d, kMinNozzle) + num::general(kMinNozzle) + QStringLiteral(" мм"));
    });
    grade(c, *d, Limit{kMinNozzle, Side::Below}, std::nullopt);
    if (c.status == Status::Warning)
        addText(x, c.formula,
                [&] { return QString(QStringLiteral(": сопло такого диаметра засоряется")); });
}

void valveAuthority(Check& c, const Context& x, const selection::Offer* offer)
{
    const std::optional<double> flow =
        qty::readIn(x.subject.values.networkFlow, &qty::MassFlow::inTonnesPerHour);
    if (!offer || !offer->authority || !offer->kvy || !flow)
        return notApplicable(c, missing());
    if (scheduleFails(x.subject))
        return notApplicable(c, afterSchedule());
    const double a = *offer->authority;
    const double h = x.subject.inputs.systemResistance;
    const double modelDrop =
        formulas::valveDrop(qty::MassFlow::tonnesPerHour(*flow), *offer->kvy).inBar();
    const QString perMetre = num::general(double(qty::kBarPerMetreOfWater));
    setText(x, c.formula, [&] {
        return QString(QStringLiteral("Δpм = G²/Kvy² = ") + num::f2(*flow) + QStringLiteral("²/")
                       + num::f2(offer->kvy->inCubicMetresPerHour()) + QStringLiteral("² = ")
                       + num::f2(modelDrop) + QStringLiteral(" бар; a = Δpм/(Δpм + ") + perMetre
                       + QStringLiteral("·S) = ") + num::f2(modelDrop) + QStringLiteral("/(")
                       + num::f2(modelDrop) + QStringLiteral(" + ") + perMetre + QStringLiteral("·")
                       + num::f2(h) + QStringLiteral(") = ") + num::f3(a));
    });
    // For information: what the valve sees without a regulator holding the difference.
    const SizingInputs& in = x.subject.inputs;
    const double inletDifference =
        store((Ext(in.inletPressure) - Ext(in.outletPressure)) * Ext(qty::kBarPerKgfCm2));
    if (inletDifference > 0) {
        const double whole = store(Ext(modelDrop) / Ext(inletDifference));
        addText(x, c.formula, [&] {
            return QString(QStringLiteral("; без регулятора перепада a = Δpм/(P₁ − P₂) = ")
                           + num::f2(modelDrop) + QStringLiteral("/(")
                           + num::f2(store(Ext(in.inletPressure) - Ext(in.outletPressure)))
                           + QStringLiteral("·") + num::general(qty::kBarPerKgfCm2)
                           + QStringLiteral(") = ") + num::f3(whole));
        });
    }
    setText(x, c.note, [&] {
        return QString(
            QStringLiteral("принято: регулятор перепада давления держит перепад на клапане и "
                           "системе; без него клапан работает на весь перепад P₁ − P₂ на вводе"));
    });
    grade(c, a, Limit{kAuthorityWarning, Side::Below}, Limit{kAuthorityFailure, Side::Below});
    if (a < 0 || a > 1) {
        c.status = Status::Failed;
        addText(x, c.formula,
                [&] { return QString(QStringLiteral(": нефизичное значение (вне 0…1)")); });
    }
}

// The choked-flow limit of IEC 60534-2-1 for the drop `drop` across a globe valve or a
// regulator: warning from 0.67 of it (incipient cavitation), failed at it (choked flow).
void cavitation(Check& c, const Context& x, std::optional<double> drop)
{
    const Water& w = x.water;
    if (!w.usable())
        return notApplicable(c, afterLiquid());
    if (!drop)
        return notApplicable(c, missing());
    const double pvMPa = w.vapour->inMegapascal();
    const double ff = liquidCriticalPressureRatio(*w.vapour);
    const double p1 = *w.inletAbsolute;
    const double pv = *w.saturation;
    const double choked = chokedPressureDrop({.recovery = kRecoveryFactor, .pressureRatio = ff},
                                             {.pressure = *w.inlet, .saturation = *w.vapour})
                              .inKgfPerCm2();
    const double incipient = store(kIncipientShare * Ext(choked));
    const QString fl = num::general(kRecoveryFactor);
    const QString ffTerms = num::fixed(double(kFfConstant), 2) + QStringLiteral(" − ")
                            + num::fixed(double(kFfSlope), 2);
    setText(x, c.unit, [&] { return QString(kKgf); });
    setText(x, c.note, [&] {
        return QString(
            joined({QStringLiteral("F_L = ") + fl
                        + QStringLiteral(" для седельных клапанов и регуляторов этого ряда"),
                    gaugeNote(), kInstallation}));
    });
    setText(x, c.formula, [&] {
        return QString(
            QStringLiteral("F_F = ") + ffTerms + QStringLiteral("·√(p_v/p_c) = ") + ffTerms
            + QStringLiteral("·√(") + num::fixed(pvMPa, 4) + QStringLiteral("/")
            + num::general(water::kCriticalPressure.inMegapascal()) + QStringLiteral(" МПа) = ")
            + num::f3(ff) + QStringLiteral("; Δp_пред = F_L²·(p₁ − F_F·p_v) = ") + fl
            + QStringLiteral("²·(") + num::f2(p1) + QStringLiteral(" − ") + num::f3(ff)
            + QStringLiteral("·") + num::f3(pv) + QStringLiteral(") = ") + num::f2(choked)
            + QStringLiteral(" кгс/см²; Δp = ") + num::f2(*drop) + QStringLiteral(" кгс/см², ")
            + num::f1(store(Ext(*drop) / Ext(choked) * 100.0L))
            + QStringLiteral(" % предела (кавитация начинается с ")
            + num::general(double(kIncipientShare * 100)) + QStringLiteral(" %)"));
    });
    grade(c, *drop, Limit{incipient, Side::AtOrAbove}, Limit{choked, Side::AtOrAbove});
}

void valveCavitation(Check& c, const Context& x, const selection::Offer*)
{
    cavitation(
        c, x,
        qty::readIn(x.subject.values.valvePressureDrop, &qty::PressureDifference::inKgfPerCm2));
}

void regulatorCavitation(Check& c, const Context& x, const selection::Offer*)
{
    cavitation(
        c, x,
        qty::readIn(x.subject.values.regulatorPressureDrop, &qty::PressureDifference::inKgfPerCm2));
}

// Flashing behind a device on the supply line: p₂ = p₁ − Δp against p_v at the supply temperature.
void flashing(Check& c, const Context& x, std::optional<double> drop, const QString& behind)
{
    const Water& w = x.water;
    if (!w.usable())
        return notApplicable(c, afterLiquid());
    if (!drop)
        return notApplicable(c, missing());
    const double p1 = *w.inletAbsolute;
    const double pv = *w.saturation;
    const double p2 = store(Ext(p1) - Ext(*drop));
    setText(x, c.unit, [&] { return QString(kKgf); });
    setText(x, c.note, [&] { return QString(joined({gaugeNote(), kInstallation})); });
    setText(x, c.formula, [&] {
        return QString(QStringLiteral("p₂ = p₁ − Δp = ") + num::f2(p1) + QStringLiteral(" − ")
                       + num::f2(*drop) + QStringLiteral(" = ") + num::f2(p2) + sign(p2, pv)
                       + QStringLiteral("p_v = ") + num::f3(pv) + QStringLiteral(" кгс/см²"));
    });
    grade(c, p2, std::nullopt, Limit{pv, Side::Below});
    if (c.status == Status::Failed)
        addText(x, c.formula,
                [&] { return QString(QStringLiteral(": вода вскипает за ") + behind); });
}

void valveFlashing(Check& c, const Context& x, const selection::Offer*)
{
    flashing(c, x,
             qty::readIn(x.subject.values.valvePressureDrop, &qty::PressureDifference::inKgfPerCm2),
             QStringLiteral("клапаном"));
}

void regulatorFlashing(Check& c, const Context& x, const selection::Offer*)
{
    flashing(
        c, x,
        qty::readIn(x.subject.values.regulatorPressureDrop, &qty::PressureDifference::inKgfPerCm2),
        QStringLiteral("регулятором"));
    setText(x, c.note, [&] {
        return QString(
            joined({c.note, QStringLiteral("принято: регулятор стоит на подающем трубопроводе")}));
    });
}

// The jet leaves the nozzle at about the pressure of the mixing chamber, the return pressure:
// at or below p_v at the supply temperature it boils there.
void elevatorFlashing(Check& c, const Context& x, const selection::Offer*)
{
    const Water& w = x.water;
    if (!w.saturation)
        return notApplicable(c, afterLiquid());
    const double outlet = x.subject.inputs.outletPressure;
    const double back = store(Ext(outlet) + qty::kAtmosphereKgfCm2);
    const double pv = *w.saturation;
    setText(x, c.unit, [&] { return QString(kKgf); });
    setText(x, c.note, [&] {
        return QString(
            joined({QStringLiteral("струя выходит из сопла при давлении в камере смешения, "
                                   "равном давлению в обратном трубопроводе"),
                    gaugeNote()}));
    });
    setText(x, c.formula, [&] {
        return QString(QStringLiteral("p_обр = ") + num::f2(outlet) + QStringLiteral(" + ")
                       + num::fixed(qty::kAtmosphereKgfCm2, 4) + QStringLiteral(" = ")
                       + num::f2(back) + sign(back, pv) + QStringLiteral("p_v(")
                       + num::f1(x.subject.inputs.supplyTemperature) + QStringLiteral(" °C) = ")
                       + num::f3(pv) + QStringLiteral(" кгс/см²; запас p_обр − p_v = ")
                       + num::f2(store(Ext(back) - Ext(pv))) + QStringLiteral(" кгс/см²"));
    });
    grade(c, back, Limit{store(Ext(pv) + kBoilingMargin), Side::Below}, Limit{pv, Side::AtOrBelow});
    if (c.status == Status::Failed)
        addText(x, c.formula, [&] { return QString(QStringLiteral(": струя вскипает в сопле")); });
}

void valveVelocity(Check& c, const Context& x, const selection::Offer* offer)
{
    const Water& w = x.water;
    if (!w.usable())
        return notApplicable(c, afterLiquid());
    const std::optional<double> flow =
        qty::readIn(x.subject.values.networkFlow, &qty::MassFlow::inTonnesPerHour);
    if (!offer || !offer->bore || !flow)
        return notApplicable(c, missing());
    if (scheduleFails(x.subject))
        return notApplicable(c, afterSchedule());
    if (!w.density)
        return failedOutOfRange(
            c, {.formula = QStringLiteral("ρ(") + num::f1(x.subject.inputs.supplyTemperature)
                           + QStringLiteral(" °C; ") + num::f2(*w.inletAbsolute)
                           + QStringLiteral(" кгс/см² абс.) не рассчитана"),
                .why = QStringLiteral("плотность воды дает область 1 IAPWS-IF97: до ")
                       + num::general(water::kMaxRegion1Temperature)
                       + QStringLiteral(" °C и до 100 МПа; скорость не оценена")});
    const double rho = *w.density;
    const double dn = offer->bore->inMillimetres();
    const double v = formulas::velocity(qty::MassFlow::tonnesPerHour(*flow),
                                        qty::Density::kilogramsPerCubicMetre(rho), *offer->bore);
    setText(x, c.unit, [&] { return QString(QStringLiteral("м/с")); });
    setText(x, c.note, [&] {
        return QString(QStringLiteral("ρ по IAPWS-IF97 при температуре подачи ")
                       + num::f1(x.subject.inputs.supplyTemperature) + QStringLiteral(" °C и p₁ = ")
                       + num::f2(*w.inletAbsolute) + QStringLiteral(" кгс/см² (абс.); ")
                       + gaugeNote());
    });
    setText(x, c.formula, [&] {
        return QString(QStringLiteral("v = G·1000/ρ/3600/(π·(DN/1000)²/4) = ") + num::f2(*flow)
                       + QStringLiteral("·1000/") + num::f1(rho) + QStringLiteral("/3600/(π·(")
                       + QString::number(dn) + QStringLiteral("/1000)²/4); v = ") + num::f2(v)
                       + QStringLiteral(" м/с") + sign(v, kMaxVelocity) + num::general(kMaxVelocity)
                       + QStringLiteral(" м/с"));
    });
    grade(c, v, Limit{kMaxVelocity, Side::Above}, std::nullopt);
}

void regulatorRange(Check& c, const Context& x, const selection::Offer*)
{
    const Subject& s = x.subject;
    const auto& series = regulatorSeries();
    const auto& ranges = selection::regulatorSettingRanges();
    if (s.regulatorSeries <= 0 || s.regulatorSeries >= static_cast<int>(series.size())
        || s.settingRange <= 0 || s.settingRange >= static_cast<int>(ranges.size()))
        return notApplicable(c, QStringLiteral("серия или диапазон настройки не выбраны"));
    const QString name = QString::fromUtf8(series[s.regulatorSeries].code);
    if (!series[s.regulatorSeries].differential)
        return notApplicable(c, QStringLiteral("регулятор давления ") + name
                                    + QStringLiteral(" держит давление, а не перепад"));
    const selection::SettingRange range = ranges[s.settingRange];
    const double from = qty::GaugePressure::megapascal(range.from).inKgfPerCm2();
    const double to = qty::GaugePressure::megapascal(range.to).inKgfPerCm2();
    const double held = store(Ext(s.inputs.systemResistance) / 10.0L);
    setText(x, c.unit, [&] { return QString(kKgf); });
    setText(x, c.formula, [&] {
        return QString(QStringLiteral("Δpрег = S/10 = ") + num::f2(s.inputs.systemResistance)
                       + QStringLiteral("/10 = ") + num::f3(held)
                       + QStringLiteral(" кгс/см²; диапазон настройки ") + num::general(range.from)
                       + QStringLiteral("…") + num::general(range.to) + QStringLiteral(" МПа = ")
                       + num::f3(from) + QStringLiteral("…") + num::f3(to)
                       + QStringLiteral(" кгс/см²"));
    });
    grade(c, held, Limit{from, Side::Below}, Limit{to, Side::Above});
    if (c.status == Status::Warning)
        setText(x, c.note, [&] {
            return QString(QStringLiteral(
                "перепад ниже диапазона настройки. Перепад, который держит регулятор перепада, "
                "обычно "
                "включает и потерю давления на регулирующем клапане; тогда её следует включить в "
                "сопротивление системы"));
        });
    else if (c.status == Status::Failed)
        setText(x, c.note, [&] {
            return QString(
                QStringLiteral("перепад выше диапазона настройки: регулятор его не удержит"));
        });
}

// --- The checks table --------------------------------------------------------------------------

using Kinds = std::vector<EquipmentKind>;
const Kinds kElevator = {EquipmentKind::Hydroelevator};
const Kinds kValves = {EquipmentKind::ControlValve, EquipmentKind::MixingValve};
const Kinds kRegulator = {EquipmentKind::Regulator};

// The fixed limits of the checks that have them, in words, from the constants they grade with.
QString kgfText(double value) { return num::general(value) + QStringLiteral(" кгс/см²"); }

QString boilingLimits(const QString& pressure)
{
    return QStringLiteral("не пройдена: ") + pressure + QStringLiteral(" ≤ p_v; предупреждение: ")
           + pressure + QStringLiteral(" < p_v + ") + kgfText(kBoilingMargin);
}
QString liquidLimits() { return boilingLimits(QStringLiteral("p₁")); }
QString scheduleLimits() { return QStringLiteral("не пройдена: τ₁ < τ₂ или G ≤ 0"); }
QString headLimits() { return QStringLiteral("не пройдена: Hрасп < Hтреб"); }
QString mixingLimits() { return QStringLiteral("не пройдена: u ≤ 0"); }
QString nozzleLimits()
{
    return QStringLiteral("предупреждение: dс < ") + num::general(kMinNozzle)
           + QStringLiteral(" мм");
}
QString elevatorFlashingLimits() { return boilingLimits(QStringLiteral("p_обр")); }
QString authorityLimits()
{
    return QStringLiteral("не пройдена: a < ") + num::general(kAuthorityFailure)
           + QStringLiteral("; предупреждение: a < ") + num::general(kAuthorityWarning);
}
QString cavitationLimits()
{
    return QStringLiteral("не пройдена: Δp ≥ Δp_пред; предупреждение: Δp ≥ ")
           + num::general(double(kIncipientShare)) + QStringLiteral("·Δp_пред; F_L = ")
           + num::general(kRecoveryFactor);
}
QString flashingLimits() { return QStringLiteral("не пройдена: p₂ < p_v"); }
QString velocityLimits()
{
    return QStringLiteral("предупреждение: v > ") + num::general(kMaxVelocity)
           + QStringLiteral(" м/с");
}
QString rangeLimits()
{
    return QStringLiteral("не пройдена: S/10 выше диапазона настройки; предупреждение: ниже");
}

struct CheckRow {
    const char* id;
    const char* title;
    const char* source;
    std::span<const EquipmentKind> kinds;
    bool perOffer;
    void (*compute)(Check&, const Context&, const selection::Offer*);
    QString (*limits)();
};

const std::vector<CheckRow>& table()
{
    static const std::string kIec = "IEC 60534-2-1; порог "
                                    + num::general(double(kIncipientShare)).toStdString()
                                    + " — правило практики";
    static const std::vector<CheckRow> rows = {
        {"supply.liquid", "Вода на входе в жидком состоянии",
         "IAPWS-IF97; запас 0,5 кгс/см² — правило практики", kinds::kAll, false, supplyLiquid,
         liquidLimits},
        {"supply.schedule", "График температур и расход сетевой воды", "–", kinds::kAll, false,
         supplySchedule, scheduleLimits},
        {"selection.offer", "Изделие подобрано по каталогу", "каталог завода", kinds::kAll, false,
         selectionOffer, nullptr},
        {"elevator.head", "Напор, необходимый элеватору", "метод расчета элеватора СП 41-101-95",
         kElevator, false, elevatorHead, headLimits},
        {"elevator.mixing", "Коэффициент смешения", "–", kElevator, false, elevatorMixing,
         mixingLimits},
        {"elevator.nozzle", "Диаметр сопла", "правило практики", kElevator, false, elevatorNozzle,
         nozzleLimits},
        {"elevator.flashing", "Вскипание струи в сопле элеватора",
         "IAPWS-IF97; запас 0,5 кгс/см² — правило практики", kElevator, false, elevatorFlashing,
         elevatorFlashingLimits},
        {"valve.authority", "Авторитет клапана", "правило практики", kValves, true, valveAuthority,
         authorityLimits},
        {"valve.cavitation", "Кавитация и запирание потока в клапане", kIec.c_str(), kValves, false,
         valveCavitation, cavitationLimits},
        {"valve.flashing", "Вскипание воды за клапаном", "IEC 60534-2-1", kValves, false,
         valveFlashing, flashingLimits},
        {"valve.velocity", "Скорость воды в клапане", "правило практики (шум)", kValves, true,
         valveVelocity, velocityLimits},
        {"regulator.cavitation", "Кавитация и запирание потока в регуляторе", kIec.c_str(),
         kRegulator, false, regulatorCavitation, cavitationLimits},
        {"regulator.flashing", "Вскипание воды за регулятором", "IEC 60534-2-1", kRegulator, false,
         regulatorFlashing, flashingLimits},
        {"regulator.range", "Диапазон настройки регулятора перепада", "правило практики",
         kRegulator, false, regulatorRange, rangeLimits},
    };
    return rows;
}

Check computed(const CheckRow& row, const Context& context, const selection::Offer* offer)
{
    Check check;
    check.id = QString::fromLatin1(row.id);
    check.title = QString::fromUtf8(row.title);
    check.source = QString::fromUtf8(row.source);
    if (offer)
        check.designation = offer->designation;
    try {
        row.compute(check, context, offer);
    } catch (const MathError& error) {
        check.unit.clear();
        failedOutOfRange(check,
                         {.formula = QStringLiteral("не рассчитана"),
                          .why = QStringLiteral("арифметическая ошибка: ")
                                 + QString::fromStdString(MathError::russianText(error.fault()))});
    }
    return check;
}

struct StatusName {
    Status status;
    const char* id;
    const char* text;
};

const StatusName kStatusNames[] = {
    {Status::Passed, "passed", "пройдена"},
    {Status::Warning, "warning", "предупреждение"},
    {Status::Failed, "failed", "не пройдена"},
    {Status::NotApplicable, "not_applicable", "неприменима"},
};

const StatusName& nameOf(Status status)
{
    return *std::find_if(std::begin(kStatusNames), std::end(kStatusNames),
                         [&](const StatusName& n) { return n.status == status; });
}

} // namespace

std::vector<Check> evaluate(const SizedSelection& sized, bool texts)
{
    if (sized.failure)
        return {};
    const SizingRequest& request = sized.request;
    const RegulatorChoice regulator = request.regulator.value_or(RegulatorChoice{});
    const Subject subject{request.kind,     inputsOf(request.conditions),
                          sized.values,     sized.offers,
                          regulator.series, regulator.settingRange};
    const Context context{subject, waterOf(subject.inputs), texts};
    std::vector<Check> checks;
    for (const CheckRow& row : table()) {
        if (std::find(row.kinds.begin(), row.kinds.end(), subject.kind) == row.kinds.end())
            continue;
        if (!row.perOffer) {
            checks.push_back(computed(row, context, nullptr));
            continue;
        }
        for (const selection::Offer& offer : subject.offers)
            checks.push_back(computed(row, context, &offer));
    }
    return checks;
}

const std::vector<CatalogueEntry>& catalogue()
{
    static const std::vector<CatalogueEntry> entries = [] {
        std::vector<CatalogueEntry> out;
        for (const CheckRow& row : table())
            out.push_back({.id = QString::fromLatin1(row.id),
                           .title = QString::fromUtf8(row.title),
                           .source = QString::fromUtf8(row.source),
                           .kinds = {row.kinds.begin(), row.kinds.end()},
                           .perOffer = row.perOffer,
                           .limits = row.limits ? row.limits() : QString()});
        return out;
    }();
    return entries;
}

Status verdict(const std::vector<Check>& checks)
{
    Status worst = Status::NotApplicable;
    for (const Check& c : checks) {
        if (c.status == Status::Failed)
            return Status::Failed;
        if (c.status == Status::Warning)
            worst = Status::Warning;
        else if (c.status == Status::Passed && worst == Status::NotApplicable)
            worst = Status::Passed;
    }
    return worst;
}

QString statusId(Status status) { return QString::fromLatin1(nameOf(status).id); }

QString statusText(Status status) { return QString::fromUtf8(nameOf(status).text); }

} // namespace checks
