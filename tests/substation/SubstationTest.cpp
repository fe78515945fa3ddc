// The substation's pressure budget against an independent script written from the method
// (tests/support/substation_reference.py, p_v from python3-iapws), the worked numbers of the
// method, the devices sized on their budgeted drop, and the refusals.

#include "substation/Substation.h"
#include "selection/SizingRequest.h"
#include "selection/ValveSizing.h"
#include "substation/Orifice.h"
#include "tests/support/Inputs.h"
#include "tests/support/PythonReference.h"

#include <QJsonArray>
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

const Case kCases[] = {
    {"VrRaisedToRange",
     Scheme::ValveRegulator,
     {.t1 = 130, .t2 = 70, .q = 0.3, .p1 = 5, .p2 = 4, .s = 1}},
    {"VrOrificeForCavitation",
     Scheme::ValveRegulator,
     {.t1 = 115, .t2 = 70, .q = 0.18, .p1 = 9, .p2 = 3, .s = 2}},
    {"VrOtherLosses",
     Scheme::ValveRegulator,
     {.t1 = 115, .t2 = 70, .q = 0.18, .p1 = 9, .p2 = 3, .s = 2},
     5},
    {"VrAuthorityAboveRange",
     Scheme::ValveRegulator,
     {.t1 = 130, .t2 = 70, .q = 0.5, .p1 = 6, .p2 = 4, .s = 3},
     0,
     0.7},
    {"VrRange2",
     Scheme::ValveRegulator,
     {.t1 = 130, .t2 = 70, .q = 1.2, .p1 = 8, .p2 = 3, .s = 5},
     0,
     0.5,
     2},
    {"VrRange3Fails",
     Scheme::ValveRegulator,
     {.t1 = 105, .t2 = 70, .q = 0.8, .p1 = 12, .p2 = 2, .s = 40},
     0,
     0.5,
     3},
    {"VrShortOfHead",
     Scheme::ValveRegulator,
     {.t1 = 130, .t2 = 70, .q = 0.3, .p1 = 4.3, .p2 = 4, .s = 1}},
    {"ValveTwoPlatesForChoking",
     Scheme::Valve,
     {.t1 = 130, .t2 = 70, .q = 0.4, .p1 = 10, .p2 = 2, .s = 1}},
    {"ValveNoOrifice", Scheme::Valve, {.t1 = 130, .t2 = 70, .q = 0.3, .p1 = 4.5, .p2 = 4, .s = 1}},
    {"ValveOtherLosses",
     Scheme::Valve,
     {.t1 = 95, .t2 = 70, .q = 0.25, .p1 = 7, .p2 = 3, .s = 2},
     10},
    {"ValveBudgetFails",
     Scheme::Valve,
     {.t1 = 130, .t2 = 70, .q = 0.3, .p1 = 5, .p2 = 4.5, .s = 6}},
    {"ValveBeyondOrificeHelp",
     Scheme::Valve,
     {.t1 = 150, .t2 = 70, .q = 0.5, .p1 = 6, .p2 = 1, .s = 1}},
    {"RegulatorNoOrifice",
     Scheme::Regulator,
     {.t1 = 130, .t2 = 70, .q = 0.3, .p1 = 5, .p2 = 4, .s = 1}},
    {"RegulatorOrifice",
     Scheme::Regulator,
     {.t1 = 130, .t2 = 70, .q = 0.6, .p1 = 10, .p2 = 4, .s = 2}},
    {"RegulatorOtherLosses",
     Scheme::Regulator,
     {.t1 = 115, .t2 = 70, .q = 0.4, .p1 = 8, .p2 = 4, .s = 2},
     3},
    {"RegulatorAboveRange",
     Scheme::Regulator,
     {.t1 = 130, .t2 = 70, .q = 0.3, .p1 = 8, .p2 = 4, .s = 20}},
    {"ElevatorOrifice",
     Scheme::Elevator,
     {.t1 = 150, .t2 = 70, .q = 0.2, .p1 = 10, .p2 = 4, .s = 1}},
    {"ElevatorNoOrifice",
     Scheme::Elevator,
     {.t1 = 150, .t2 = 70, .q = 0.2, .p1 = 6, .p2 = 4.5, .s = 1}},
    {"ElevatorTwoPlatesForBore",
     Scheme::Elevator,
     {.t1 = 150, .t2 = 70, .q = 0.04, .p1 = 10, .p2 = 4, .s = 1}},
    {"ElevatorBoreFails",
     Scheme::Elevator,
     {.t1 = 150, .t2 = 70, .q = 0.01, .p1 = 14, .p2 = 4, .s = 1}},
    {"ElevatorBudgetFails",
     Scheme::Elevator,
     {.t1 = 150, .t2 = 70, .q = 0.2, .p1 = 5, .p2 = 4, .s = 1}},
    {"ElevatorOtherLosses",
     Scheme::Elevator,
     {.t1 = 130, .t2 = 70, .q = 0.5, .p1 = 9, .p2 = 4, .s = 1.5},
     8},
};

const char* schemeName(Scheme s)
{
    switch (s) {
    case Scheme::Elevator: return "elevator";
    case Scheme::Valve: return "valve";
    case Scheme::ValveRegulator: return "valve-regulator";
    case Scheme::Regulator: return "regulator";
    }
    return "";
}

const char* kindName(ElementKind k)
{
    static const char* const names[] = {"other", "orifice",  "regulator",
                                        "valve", "elevator", "system"};
    return names[static_cast<int>(k)];
}

// The one set-up: the case's request and options, and its budget.
substation::Budget budgetOf(const Case& c, substation::Options o = {})
{
    selection::SizingRequest request;
    request.conditions = selection::conditionsOf(c.in);
    o.scheme = c.scheme;
    o.otherLosses = qty::Head::metres(c.other);
    o.targetAuthority = c.authority;
    o.settingRange = c.range;
    const vedan::Outcome<substation::Budget> out = substation::budget(request, o);
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

std::optional<checks::Status> status(const substation::Budget& b, const QString& id)
{
    for (const checks::Check& c : b.checks)
        if (c.id == id)
            return c.status;
    return std::nullopt;
}

QJsonObject requestOf(const Case& c)
{
    return {{"scheme", schemeName(c.scheme)},
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
            {"dmin", substation::kDefaultMinBore}};
}

void expectField(const QJsonObject& ref, const char* key, std::optional<double> got,
                 const char* what)
{
    if (!ref.contains(key) || ref[key].isNull()) {
        EXPECT_FALSE(got) << what << " " << key;
        return;
    }
    ASSERT_TRUE(got) << what << " " << key;
    const double want = ref[key].toDouble();
    EXPECT_NEAR(*got, want, 1e-9 * std::max(1.0, std::abs(want))) << what << " " << key;
}

TEST(SubstationBudget, AgreesWithTheReferenceScript)
{
    QJsonArray cases;
    for (const Case& c : kCases)
        cases.append(requestOf(c));
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
            const char* kind = kindName(e.kind);
            ASSERT_EQ(r["kind"].toString().toStdString(), kind);
            sum += e.head.inMetres();
            expectField(r, "head", e.head.inMetres(), kind);
            expectField(r, "drop", qty::readIn(e.drop, &qty::PressureDifference::inKgfPerCm2),
                        kind);
            expectField(r, "kv",
                        qty::readIn(e.requiredKv, &qty::FlowCoefficient::inCubicMetresPerHour),
                        kind);
            expectField(r, "setPoint",
                        qty::readIn(e.setPoint, &qty::PressureDifference::inKgfPerCm2), kind);
            expectField(r, "nozzle", qty::readIn(e.nozzle, &qty::Diameter::inMillimetres), kind);
            expectField(r, "elevatorHead", qty::readIn(e.availableHead, &qty::Head::inMetres),
                        kind);
            if (e.orifice) {
                EXPECT_EQ(e.orifice->plates, r["plates"].toInt());
                expectField(r, "bore", e.orifice->bore.inMillimetres(), kind);
            }
        }
        EXPECT_NEAR(sum, b.availableHead.inMetres(), 1e-9) << "the heads add up to ΔH";
        const auto failed = [&](const char* id) {
            const std::optional<checks::Status> s = status(b, QString::fromLatin1(id));
            return s ? std::optional<bool>(*s == checks::Status::Failed) : std::nullopt;
        };
        EXPECT_EQ(failed("budget.head"), ref["budgetFailed"].toBool());
        const std::optional<bool> orificeFailed = failed("orifice.bore");
        if (ref["orificeFits"].isNull())
            EXPECT_FALSE(orificeFailed);
        else
            EXPECT_EQ(orificeFailed, !ref["orificeFits"].toBool());
        const std::optional<bool> rangeFailed = failed("regulator.range");
        if (ref["rangeFailed"].isNull())
            EXPECT_FALSE(rangeFailed);
        else
            EXPECT_EQ(rangeFailed, ref["rangeFailed"].toBool());
    }
}

// The worked numbers of the method, to the digits they are given with.
struct Worked {
    const char* name;
    std::size_t caseIndex;
    ElementKind kind;
    double (*read)(const substation::Element&);
    double expected;
    double halfUlp; // half a unit of the last digit shown
};

double headOf(const substation::Element& e) { return e.head.inMetres(); }
double dropOf(const substation::Element& e) { return e.drop->inKgfPerCm2(); }
double kvOf(const substation::Element& e) { return e.requiredKv->inCubicMetresPerHour(); }
double kvyOf(const substation::Element& e) { return e.requiredKvy->inCubicMetresPerHour(); }
double setPointOf(const substation::Element& e) { return e.setPoint->inKgfPerCm2(); }
double boreOf(const substation::Element& e) { return e.orifice->bore.inMillimetres(); }
double platesOf(const substation::Element& e) { return e.orifice->plates; }
double nozzleOf(const substation::Element& e) { return e.nozzle->inMillimetres(); }
double elevatorHeadOf(const substation::Element& e) { return e.availableHead->inMetres(); }
double requiredHeadOf(const substation::Element& e) { return e.requiredHead->inMetres(); }

constexpr std::size_t kVr1 = 0, kVr2 = 1, kValve = 7, kElevator = 16;

const Worked kWorked[] = {
    {"Vr1SetPoint", kVr1, ElementKind::Regulator, setPointOf, 0.40789, 5e-6},
    {"Vr1ValveDrop", kVr1, ElementKind::Valve, dropOf, 0.30789, 5e-6},
    {"Vr1ValveKv", kVr1, ElementKind::Valve, kvOf, 8.9827, 5e-5},
    {"Vr1ValveKvy", kVr1, ElementKind::Valve, kvyOf, 10.779, 5e-4},
    {"Vr1RegulatorDrop", kVr1, ElementKind::Regulator, dropOf, 0.59211, 5e-6},
    {"Vr1RegulatorKv", kVr1, ElementKind::Regulator, kvOf, 6.4774, 5e-5},
    {"Vr1RegulatorKvy", kVr1, ElementKind::Regulator, kvyOf, 7.773, 5e-4},
    {"Vr2OrificeHead", kVr2, ElementKind::Orifice, headOf, 22.369, 5e-4},
    {"Vr2OrificeBore", kVr2, ElementKind::Orifice, boreOf, 9.182, 5e-4},
    {"Vr2OrificePlates", kVr2, ElementKind::Orifice, platesOf, 1, 0},
    {"Vr2RegulatorDrop", kVr2, ElementKind::Regulator, dropOf, 3.35525, 5e-6},
    {"Vr2RegulatorKv", kVr2, ElementKind::Regulator, kvOf, 2.1769, 5e-5},
    {"Vr2ValveDrop", kVr2, ElementKind::Valve, dropOf, 0.20789, 5e-6},
    {"Vr2ValveKv", kVr2, ElementKind::Valve, kvOf, 8.7454, 5e-5},
    {"ValveOrificeHead", kValve, ElementKind::Orifice, headOf, 72.200, 5e-4},
    {"ValvePlates", kValve, ElementKind::Orifice, platesOf, 2, 0},
    {"ValveBore", kValve, ElementKind::Orifice, boreOf, 10.517, 5e-4},
    {"ValveDrop", kValve, ElementKind::Valve, dropOf, 0.67995, 5e-6},
    {"ValveKv", kValve, ElementKind::Valve, kvOf, 8.0594, 5e-5},
    {"ElevatorNeed", kElevator, ElementKind::Elevator, requiredHeadOf, 14.336, 5e-4},
    {"ElevatorGiven", kElevator, ElementKind::Elevator, elevatorHeadOf, 35, 1e-12},
    {"ElevatorNozzle", kElevator, ElementKind::Elevator, nozzleOf, 6.2308, 5e-5},
    {"ElevatorPlateHead", kElevator, ElementKind::Orifice, headOf, 25, 1e-9},
    {"ElevatorPlateBore", kElevator, ElementKind::Orifice, boreOf, 7.0599, 5e-5},
    {"ElevatorDrop", kElevator, ElementKind::Elevator, headOf, 34, 1e-9},
    {"ElevatorSystem", kElevator, ElementKind::System, headOf, 1, 0},
};

TEST(SubstationBudget, WorkedNumbers)
{
    EXPECT_NEAR(budgetOf(kCases[kVr1]).networkFlow.inTonnesPerHour(), 4.98429, 5e-6);
    EXPECT_NEAR(budgetOf(kCases[kVr2]).networkFlow.inTonnesPerHour(), 3.98743, 5e-6);
    for (const Worked& w : kWorked) {
        SCOPED_TRACE(w.name);
        const substation::Budget b = budgetOf(kCases[w.caseIndex]);
        const substation::Element* e = element(b, w.kind);
        ASSERT_TRUE(e);
        EXPECT_NEAR(w.read(*e), w.expected, w.halfUlp);
    }
    EXPECT_FALSE(element(budgetOf(kCases[kVr1]), ElementKind::Orifice));
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
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(status(budgetOf(kCases[r.caseIndex]), QString::fromLatin1(r.id)), r.status);
    }
    const substation::Element* valve = element(budgetOf(kCases[kValve]), ElementKind::Valve);
    ASSERT_TRUE(valve && valve->authority);
    EXPECT_NEAR(*valve->authority, 0.06, 0.01);
}

TEST(SubstationOrifice, PlatesByBoreAlone)
{
    const substation::Orifice one =
        substation::orificeFor(qty::MassFlow::tonnesPerHour(0.5), qty::Head::metres(39),
                               std::nullopt, qty::Diameter::millimetres(3));
    EXPECT_EQ(one.plates, 2);
    EXPECT_NEAR(one.bore.inMillimetres(), 3.365, 5e-4);
    EXPECT_NEAR(
        substation::formulas::plateBore(qty::MassFlow::tonnesPerHour(0.5), qty::Head::metres(39))
            .inMillimetres(),
        2.83, 5e-3);
}

// Each device is sized on the drop the budget gives it, not on P₁ − P₂ − S/10, which the selection
// of a single device takes.
TEST(SubstationBudget, DevicesSizedOnTheBudgetedDrop)
{
    const Case& c = kCases[kVr1];
    const selection::SizingOutcome alone = selection::sizing::PodborKZR(c.in);
    const substation::Budget b = budgetOf(c);
    for (ElementKind kind : {ElementKind::Regulator, ElementKind::Valve}) {
        SCOPED_TRACE(kindName(kind));
        const substation::Element* e = element(b, kind);
        ASSERT_TRUE(e && e->requiredKv);
        EXPECT_GT(std::abs(e->requiredKv->inCubicMetresPerHour()
                           - alone.values.requiredKv->inCubicMetresPerHour()),
                  0.1);
        EXPECT_NEAR(e->requiredKv->inCubicMetresPerHour(),
                    b.networkFlow.inTonnesPerHour() / std::sqrt(e->drop->inKgfPerCm2()), 1e-12);
        ASSERT_FALSE(e->offers.empty());
        EXPECT_GT(e->offers.front().kvy->inCubicMetresPerHour(),
                  e->requiredKvy->inCubicMetresPerHour());
    }
}

TEST(SubstationBudget, Refusals)
{
    struct Row {
        const char* name;
        void (*spoil)(substation::Options&);
        double other;
    };
    const Row rows[] = {
        {"AuthorityZero", [](substation::Options& o) { o.targetAuthority = 0; }, 0},
        {"AuthorityOne", [](substation::Options& o) { o.targetAuthority = 1; }, 0},
        {"OtherLossesNegative", [](substation::Options&) {}, -1},
        {"OtherLossesWholeHead", [](substation::Options&) {}, 10},
        {"MaxHeadSix", [](substation::Options& o) { o.maxElevatorHead = qty::Head::metres(6); }, 0},
        {"MinBoreZero", [](substation::Options& o) { o.minBore = qty::Diameter::millimetres(0); },
         0},
        {"RangeZero", [](substation::Options& o) { o.settingRange = 0; }, 0},
        {"RangeFour", [](substation::Options& o) { o.settingRange = 4; }, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        selection::SizingRequest request;
        request.conditions = selection::conditionsOf(kCases[kVr1].in);
        substation::Options o;
        o.otherLosses = qty::Head::metres(r.other);
        r.spoil(o);
        const vedan::Outcome<substation::Budget> out = substation::budget(request, o);
        ASSERT_TRUE(out.failure);
        EXPECT_TRUE(out.failure->isInputFault());
        EXPECT_FALSE(out.failure->message.isEmpty());
    }
}

} // namespace
