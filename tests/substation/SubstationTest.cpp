// The substation's pressure budget against an independent script written from the method
// (tests/support/substation_reference.py, p_v from python3-iapws), the worked numbers of the
// method, the devices sized on their budgeted drop, and the refusals.

#include "substation/Substation.h"
#include "selection/SizingRequest.h"
#include "selection/ValveSizing.h"
#include "substation/Orifice.h"
#include "substation/Presentation.h"
#include "tests/support/Inputs.h"
#include "tests/support/PythonReference.h"

#include <QJsonArray>
#include <cmath>
#include <gtest/gtest.h>

using substation::ElementKind;
using substation::Scheme;

namespace {

struct Case {
    const char* name;
    Scheme scheme;
    sizingcases::Inputs in;
    double other = 0;
    double authority = 0.5;
    int range = 1;
};

constexpr Scheme kEl = Scheme::Elevator, kV = Scheme::Valve, kVr = Scheme::ValveRegulator,
                 kR = Scheme::Regulator;

// Each scheme; after the inputs the other losses (m), target authority and setting range where
// they are not the defaults.
const Case kCases[] = {
    {"VrRaised", kVr, {.t1 = 130, .q = 0.3, .p1 = 5}},
    {"VrCavOrifice", kVr, {.t1 = 115, .q = 0.18, .p1 = 9, .p2 = 3, .s = 2}},
    {"VrOther", kVr, {.t1 = 115, .q = 0.18, .p1 = 9, .p2 = 3, .s = 2}, 5},
    {"VrHighAuthority", kVr, {.t1 = 130, .s = 3}, 0, 0.7},
    {"VrRange2", kVr, {.t1 = 130, .q = 1.2, .p1 = 8, .p2 = 3, .s = 5}, 0, 0.5, 2},
    {"VrRange3Fails", kVr, {.t1 = 105, .q = 0.8, .p1 = 12, .p2 = 2, .s = 40}, 0, 0.5, 3},
    {"VrShort", kVr, {.t1 = 130, .q = 0.3, .p1 = 4.3}},
    {"ValveChoke2", kV, {.t1 = 130, .q = 0.4, .p1 = 10, .p2 = 2}},
    {"ValveNoOrifice", kV, {.t1 = 130, .q = 0.3, .p1 = 4.5}},
    {"ValveOther", kV, {.t1 = 95, .q = 0.25, .p1 = 7, .p2 = 3, .s = 2}, 10},
    {"ValveShort", kV, {.t1 = 130, .q = 0.3, .p1 = 5, .p2 = 4.5, .s = 6}},
    {"ValveNoHelp", kV, {.p2 = 1}},
    {"RegNoOrifice", kR, {.t1 = 130, .q = 0.3, .p1 = 5}},
    {"RegOrifice", kR, {.t1 = 130, .q = 0.6, .p1 = 10, .s = 2}},
    {"RegOther", kR, {.t1 = 115, .q = 0.4, .p1 = 8, .s = 2}, 3},
    {"RegAboveRange", kR, {.t1 = 130, .q = 0.3, .p1 = 8, .s = 20}},
    {"ElevOrifice", kEl, {.q = 0.2, .p1 = 10}},
    {"ElevNoOrifice", kEl, {.q = 0.2, .p2 = 4.5}},
    {"ElevBore2", kEl, {.q = 0.04, .p1 = 10}},
    {"ElevBoreFails", kEl, {.q = 0.01, .p1 = 14}},
    {"ElevShort", kEl, {.q = 0.2, .p1 = 5}},
    {"ElevOther", kEl, {.t1 = 130, .p1 = 9, .s = 1.5}, 8},
};

const char* const kSchemeNames[] = {"elevator", "valve", "valve-regulator", "regulator"};
const char* const kKindNames[] = {"other", "orifice", "regulator", "valve", "elevator", "system"};

// The one set-up: the case's request and options, and its budget (with the checks' texts unless
// told).
substation::Budget budgetOf(const Case& c, substation::Options o = {}, bool texts = true)
{
    selection::SizingRequest request;
    request.conditions = selection::conditionsOf(c.in);
    o.scheme = c.scheme;
    o.otherLosses = qty::Head::metres(c.other);
    o.targetAuthority = c.authority;
    o.settingRange = c.range;
    const vedan::Outcome<substation::Budget> out = substation::budget(request, o, texts);
    EXPECT_TRUE(out.ok()) << (out.failure ? out.failure->message.toStdString() : "");
    return out.value;
}

const substation::Element* element(const substation::Budget& b, ElementKind kind)
{
    for (const substation::Element& e : b.elements)
        if (e.kind == kind)
            return &e;
    return nullptr;
}

std::optional<checks::Status> status(const substation::Budget& b, const char* id)
{
    for (const checks::Check& c : b.checks)
        if (c.id == QLatin1String(id))
            return c.status;
    return std::nullopt;
}

// The figures of an element, by the names the reference script gives them.
enum class Field { Head, Drop, Kv, Kvy, SetPoint, Nozzle, Given, Need, Plates, Bore };
const std::pair<Field, const char*> kReferenceFields[] = {
    {Field::Head, "head"},         {Field::Drop, "drop"},     {Field::Kv, "kv"},
    {Field::SetPoint, "setPoint"}, {Field::Nozzle, "nozzle"}, {Field::Given, "elevatorHead"},
    {Field::Plates, "plates"},     {Field::Bore, "bore"}};

std::optional<double> value(const substation::Element& e, Field f)
{
    using qty::readIn;
    const std::optional<substation::Orifice>& o = e.orifice;
    switch (f) {
    case Field::Head: return e.head.inMetres();
    case Field::Drop: return readIn(e.drop, &qty::PressureDifference::inKgfPerCm2);
    case Field::Kv: return readIn(e.requiredKv, &qty::FlowCoefficient::inCubicMetresPerHour);
    case Field::Kvy: return readIn(e.requiredKvy, &qty::FlowCoefficient::inCubicMetresPerHour);
    case Field::SetPoint: return readIn(e.setPoint, &qty::PressureDifference::inKgfPerCm2);
    case Field::Nozzle: return readIn(e.nozzle, &qty::Diameter::inMillimetres);
    case Field::Given: return readIn(e.availableHead, &qty::Head::inMetres);
    case Field::Need: return readIn(e.requiredHead, &qty::Head::inMetres);
    case Field::Plates: return o ? std::optional<double>(o->plates) : std::nullopt;
    case Field::Bore: return o ? std::optional<double>(o->bore.inMillimetres()) : std::nullopt;
    }
    return std::nullopt;
}

// Whether a check failed, as the script answers it: null where the budget has no such check.
void expectFailed(const substation::Budget& b, const char* id, const QJsonValue& ref)
{
    const std::optional<checks::Status> s = status(b, id);
    EXPECT_EQ(s.has_value(), !ref.isNull()) << id;
    if (s && !ref.isNull()) {
        EXPECT_EQ(*s == checks::Status::Failed, ref.toBool()) << id;
    }
}

TEST(SubstationBudget, AgreesWithTheReferenceScript)
{
    QJsonArray cases;
    for (const Case& c : kCases)
        cases.append(QJsonObject{{"scheme", kSchemeNames[static_cast<int>(c.scheme)]},
                                 {"p1", c.in.p1},
                                 {"p2", c.in.p2},
                                 {"t1", c.in.t1},
                                 {"t2", c.in.t2},
                                 {"q", c.in.q},
                                 {"s", c.in.s},
                                 {"other", c.other},
                                 {"authority", c.authority},
                                 {"range", c.range},
                                 {"hmax", substation::kDefaultMaxElevatorHead},
                                 {"dmin", substation::kDefaultMinBore}});
    const QJsonArray answers =
        pythonReference("substation_reference.py", {{"cases", cases}})["answers"].toArray();
    ASSERT_EQ(answers.size(), std::ssize(kCases));
    for (std::size_t i = 0; i < std::size(kCases); ++i) {
        SCOPED_TRACE(kCases[i].name);
        const substation::Budget b = budgetOf(kCases[i]);
        const QJsonObject ref = answers[static_cast<int>(i)].toObject();
        EXPECT_NEAR(b.networkFlow.inTonnesPerHour(), ref["flow"].toDouble(), 1e-12);
        const QJsonArray elements = ref["elements"].toArray();
        ASSERT_EQ(b.elements.size(), static_cast<std::size_t>(elements.size()));
        double sum = 0;
        for (std::size_t k = 0; k < b.elements.size(); ++k) {
            const substation::Element& e = b.elements[k];
            const QJsonObject r = elements[static_cast<int>(k)].toObject();
            const char* kind = kKindNames[static_cast<int>(e.kind)];
            ASSERT_EQ(r["kind"].toString().toStdString(), kind);
            sum += e.head.inMetres();
            for (const auto& [field, key] : kReferenceFields) {
                const std::optional<double> got = value(e, field);
                ASSERT_EQ(got.has_value(), r.contains(key) && !r[key].isNull()) << kind << key;
                if (got) {
                    EXPECT_NEAR(*got, r[key].toDouble(), 1e-9 * std::max(1.0, std::abs(*got)))
                        << kind << " " << key;
                }
            }
        }
        EXPECT_NEAR(sum, b.availableHead.inMetres(), 1e-9) << "the heads add up to ΔH";
        expectFailed(b, "budget.head", ref["budgetFailed"]);
        expectFailed(b, "orifice.bore",
                     ref["orificeFits"].isNull() ? QJsonValue()
                                                 : QJsonValue(!ref["orificeFits"].toBool()));
        expectFailed(b, "regulator.range", ref["rangeFailed"]);
    }
}

constexpr std::size_t kVr1 = 0, kVr2 = 1, kValve = 7, kElevator = 16;

// The worked numbers of the method, to the decimals they are given with.
struct Worked {
    const char* name;
    std::size_t caseIndex;
    ElementKind kind;
    Field field;
    double expected;
    int decimals;
};

const Worked kWorked[] = {
    {"Vr1SetPoint", kVr1, ElementKind::Regulator, Field::SetPoint, 0.40789, 5},
    {"Vr1ValveDrop", kVr1, ElementKind::Valve, Field::Drop, 0.30789, 5},
    {"Vr1ValveKv", kVr1, ElementKind::Valve, Field::Kv, 8.9827, 4},
    {"Vr1ValveKvy", kVr1, ElementKind::Valve, Field::Kvy, 10.779, 3},
    {"Vr1RegulatorDrop", kVr1, ElementKind::Regulator, Field::Drop, 0.59211, 5},
    {"Vr1RegulatorKv", kVr1, ElementKind::Regulator, Field::Kv, 6.4774, 4},
    {"Vr1RegulatorKvy", kVr1, ElementKind::Regulator, Field::Kvy, 7.773, 3},
    {"Vr2OrificeHead", kVr2, ElementKind::Orifice, Field::Head, 22.369, 3},
    {"Vr2OrificeBore", kVr2, ElementKind::Orifice, Field::Bore, 9.182, 3},
    {"Vr2OrificePlates", kVr2, ElementKind::Orifice, Field::Plates, 1, 9},
    {"Vr2RegulatorDrop", kVr2, ElementKind::Regulator, Field::Drop, 3.35525, 5},
    {"Vr2RegulatorKv", kVr2, ElementKind::Regulator, Field::Kv, 2.1769, 4},
    {"Vr2ValveDrop", kVr2, ElementKind::Valve, Field::Drop, 0.20789, 5},
    {"Vr2ValveKv", kVr2, ElementKind::Valve, Field::Kv, 8.7454, 4},
    {"ValveOrificeHead", kValve, ElementKind::Orifice, Field::Head, 72.200, 3},
    {"ValvePlates", kValve, ElementKind::Orifice, Field::Plates, 2, 9},
    {"ValveBore", kValve, ElementKind::Orifice, Field::Bore, 10.517, 3},
    {"ValveDrop", kValve, ElementKind::Valve, Field::Drop, 0.67995, 5},
    {"ValveKv", kValve, ElementKind::Valve, Field::Kv, 8.0594, 4},
    {"ElevatorNeed", kElevator, ElementKind::Elevator, Field::Need, 14.336, 3},
    {"ElevatorGiven", kElevator, ElementKind::Elevator, Field::Given, 35, 9},
    {"ElevatorNozzle", kElevator, ElementKind::Elevator, Field::Nozzle, 6.2308, 4},
    {"ElevatorPlateHead", kElevator, ElementKind::Orifice, Field::Head, 25, 9},
    {"ElevatorPlateBore", kElevator, ElementKind::Orifice, Field::Bore, 7.0599, 4},
    {"ElevatorDrop", kElevator, ElementKind::Elevator, Field::Head, 34, 9},
    {"ElevatorSystem", kElevator, ElementKind::System, Field::Head, 1, 9},
};

TEST(SubstationBudget, WorkedNumbers)
{
    EXPECT_NEAR(budgetOf(kCases[kVr1]).networkFlow.inTonnesPerHour(), 4.98429, 5e-6);
    EXPECT_NEAR(budgetOf(kCases[kVr2]).networkFlow.inTonnesPerHour(), 3.98743, 5e-6);
    for (const Worked& w : kWorked) {
        SCOPED_TRACE(w.name);
        const substation::Budget b = budgetOf(kCases[w.caseIndex]);
        const substation::Element* e = element(b, w.kind);
        ASSERT_TRUE(e && value(*e, w.field));
        EXPECT_NEAR(*value(*e, w.field), w.expected, 0.5 * std::pow(10.0, -w.decimals));
    }
    EXPECT_FALSE(element(budgetOf(kCases[kVr1]), ElementKind::Orifice));
    const substation::Budget valveOnly = budgetOf(kCases[kValve]);
    const substation::Element* valve = element(valveOnly, ElementKind::Valve);
    ASSERT_TRUE(valve && valve->authority);
    EXPECT_NEAR(*valve->authority, 0.06, 0.01);
    // Plates by bore alone: one bore of 2,83 mm is below 3 mm, so two plates of 3,365 mm.
    const qty::MassFlow g = qty::MassFlow::tonnesPerHour(0.5);
    EXPECT_NEAR(substation::formulas::plateBore(g, qty::Head::metres(39)).inMillimetres(), 2.83,
                5e-3);
    const substation::Orifice two = substation::orificeFor(g, qty::Head::metres(39), std::nullopt,
                                                           qty::Diameter::millimetres(3));
    EXPECT_EQ(two.plates, 2);
    EXPECT_NEAR(two.bore.inMillimetres(), 3.365, 5e-4);
}

// Without their texts, as a batch's table asks for them, the checks keep their ids, titles,
// statuses, values and limits in every case; only the formulas, notes and units are left out.
TEST(SubstationBudget, ChecksWithoutTextsKeepTheirVerdicts)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const substation::Budget full = budgetOf(c);
        const substation::Budget bare = budgetOf(c, {}, false);
        ASSERT_EQ(bare.checks.size(), full.checks.size());
        for (std::size_t i = 0; i < full.checks.size(); ++i) {
            const checks::Check& f = full.checks[i];
            const checks::Check& b = bare.checks[i];
            SCOPED_TRACE(f.id.toStdString());
            EXPECT_EQ(b.id, f.id);
            EXPECT_EQ(b.title, f.title);
            EXPECT_EQ(b.designation, f.designation);
            EXPECT_EQ(b.status, f.status);
            EXPECT_EQ(b.value, f.value);
            EXPECT_EQ(b.warningLimit, f.warningLimit);
            EXPECT_EQ(b.failLimit, f.failLimit);
            EXPECT_TRUE(b.formula.isEmpty() && b.note.isEmpty() && b.unit.isEmpty());
        }
        ASSERT_EQ(bare.elements.size(), full.elements.size());
        for (std::size_t i = 0; i < full.elements.size(); ++i)
            EXPECT_EQ(bare.elements[i].head.inMetres(), full.elements[i].head.inMetres());
    }
}

TEST(SubstationBudget, WorkedVerdicts)
{
    struct Row {
        const char* name;
        std::size_t caseIndex;
        const char* id;
        checks::Status status;
    };
    const Row rows[] = {
        {"RegulatorAtWarning", kVr2, "regulator.cavitation", checks::Status::Warning},
        {"ValveAtWarning", kValve, "valve.cavitation", checks::Status::Warning},
        {"ValveAuthorityFails", kValve, "valve.authority", checks::Status::Failed},
        {"RaisedSetPointInRange", kVr1, "regulator.range", checks::Status::Passed},
    };
    for (const Row& r : rows)
        EXPECT_EQ(status(budgetOf(kCases[r.caseIndex]), r.id), r.status) << r.name;
}

// Each device is sized on the drop the budget gives it, not on P₁ − P₂ − S/10, which the selection
// of a single device takes, and offered the model above its Kvy.
TEST(SubstationBudget, DevicesSizedOnTheBudgetedDrop)
{
    const double alone =
        selection::sizing::PodborKZR(kCases[kVr1].in).values.requiredKv->inCubicMetresPerHour();
    const substation::Budget b = budgetOf(kCases[kVr1]);
    for (ElementKind kind : {ElementKind::Regulator, ElementKind::Valve}) {
        const substation::Element* e = element(b, kind);
        ASSERT_TRUE(e && e->requiredKv && !e->offers.empty());
        EXPECT_GT(std::abs(*value(*e, Field::Kv) - alone), 0.1);
        EXPECT_GT(e->offers.front().kvy->inCubicMetresPerHour(), *value(*e, Field::Kvy));
    }
}

// The piezometric line falls from 10·P₁ to 10·P₂ element by element, and the regulator's set point
// is the head from its outlet to the return.
TEST(SubstationBudget, PiezometricLine)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const substation::Budget b = budgetOf(c);
        const substation::PiezometricLine line =
            substation::piezometricLine(b, qty::GaugePressure::kgfPerCm2(c.in.p1));
        ASSERT_EQ(line.steps.size(), b.elements.size());
        EXPECT_NEAR(line.steps.front().before, 10 * c.in.p1, 1e-9);
        EXPECT_NEAR(line.steps.back().after, 10 * c.in.p2, 1e-9);
        for (std::size_t i = 0; i + 1 < line.steps.size(); ++i)
            EXPECT_EQ(line.steps[i].after, line.steps[i + 1].before);
        const substation::Element* regulator = element(b, ElementKind::Regulator);
        ASSERT_EQ(line.regulatorStep.has_value(), regulator != nullptr);
        if (regulator) {
            EXPECT_NEAR(*line.setPointHead, line.steps[*line.regulatorStep].after - 10 * c.in.p2,
                        1e-9);
        }
        const std::vector<substation::ChartPoint> points = substation::stepPoints(line);
        ASSERT_EQ(points.size(), 3 * line.steps.size() + 1);
        EXPECT_EQ(points.back().x, static_cast<double>(line.steps.size()));
    }
}

TEST(SubstationBudget, Refusals)
{
    using O = substation::Options;
    const std::pair<const char*, O> rows[] = {
        {"AuthorityZero", {.targetAuthority = 0}},
        {"AuthorityOne", {.targetAuthority = 1}},
        {"OtherLossesNegative", {.otherLosses = qty::Head::metres(-1)}},
        {"OtherLossesWholeHead", {.otherLosses = qty::Head::metres(10)}},
        {"MaxHeadSix", {.maxElevatorHead = qty::Head::metres(6)}},
        {"MinBoreZero", {.minBore = qty::Diameter::millimetres(0)}},
        {"RangeZero", {.settingRange = 0}},
        {"RangeFour", {.settingRange = 4}},
    };
    selection::SizingRequest request;
    request.conditions = selection::conditionsOf(kCases[kVr1].in);
    for (const auto& [name, options] : rows) {
        const vedan::Outcome<substation::Budget> out = substation::budget(request, options);
        ASSERT_TRUE(out.failure) << name;
        EXPECT_TRUE(out.failure->isInputFault()) << name;
    }
}

} // namespace
