// The engineering checks: each on both sides of its limits, where it does not apply, the checks
// each kind gets, and the verdicts on the sizing methods' own examples.

#include "checks/Checks.h"
#include "selection/FormInput.h"
#include "selection/RegulatorSizing.h"
#include "selection/Units.h"
#include "selection/ValveSizing.h"
#include "tests/support/Inputs.h"
#include "tests/support/PythonReference.h"
#include "tests/support/QtPrinters.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

using checks::Check;
using checks::Status;
using selection::Offer;
using namespace selection;
using sizingcases::Inputs;

namespace {

// 150 °C supply at 4 kgf/cm² (gauge): p₁ 5.0332, p_v 4.85488 kgf/cm² absolute.
SizingInputs hotSupply(double resistance = 2) { return Inputs{.p1 = 4, .p2 = 2, .s = resistance}; }

// 115/70 °C, 0,08 Gcal/h, 4 and 3,8 kgf/cm²: the window's example.
SizingInputs smallLoad(double resistance)
{
    return Inputs{.t1 = 115, .q = 0.08, .p1 = 4, .p2 = 3.8, .s = resistance};
}

// A selection of the kind at the inputs, before any working value is set.
SizedSelection selected(EquipmentKind kind, const SizingInputs& in, std::vector<Offer> offers = {})
{
    SizedSelection s;
    s.request.kind = kind;
    s.request.conditions = conditionsOf(in);
    s.offers = std::move(offers);
    return s;
}

std::vector<Check> find(const std::vector<Check>& all, const char* id)
{
    std::vector<Check> found;
    for (const Check& c : all)
        if (c.id == QLatin1String(id))
            found.push_back(c);
    return found;
}

Check only(const std::vector<Check>& all, const char* id)
{
    const std::vector<Check> found = find(all, id);
    EXPECT_EQ(found.size(), 1u) << id;
    return found.empty() ? Check{} : found.front();
}

qty::MassFlow tph(double value) { return qty::MassFlow::tonnesPerHour(value); }
qty::PressureDifference kgf(double value) { return qty::PressureDifference::kgfPerCm2(value); }
qty::FlowCoefficient kv(double value) { return qty::FlowCoefficient::cubicMetresPerHour(value); }
qty::Diameter mm(double value) { return qty::Diameter::millimetres(value); }

SizedSelection valve(SizingInputs in, double drop, std::vector<Offer> offers = {})
{
    SizedSelection s = selected(EquipmentKind::ControlValve, in, std::move(offers));
    s.values.networkFlow = tph(6.230357142857143);
    s.values.valvePressureDrop = kgf(drop);
    return s;
}

SizedSelection elevator(double u, double head, double nozzle, double resistance)
{
    SizedSelection s = selected(EquipmentKind::Hydroelevator, smallLoad(resistance));
    s.values.mixingRatio = u;
    s.values.availableHead = qty::Head::metres(head);
    s.values.nozzleDiameter = mm(nozzle);
    return s;
}

SizedSelection regulator(int series, int range, double resistance, double drop = 0.1)
{
    SizedSelection s = selected(EquipmentKind::Regulator, smallLoad(resistance));
    s.values.regulatorPressureDrop = kgf(drop);
    s.request.regulator = RegulatorChoice{.series = series, .settingRange = range};
    return s;
}

struct Case {
    const char* name;
    SizedSelection subject;
    const char* id;
    Status expected;
};

void expectCases(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        const std::vector<Check> found = find(checks::evaluate(c.subject), c.id);
        ASSERT_FALSE(found.empty()) << c.name;
        EXPECT_EQ(checks::statusId(found.front().status), checks::statusId(c.expected))
            << c.name << ": " << found.front().formula.toStdString();
    }
}

} // namespace

TEST(Checks, SupplyLiquidAroundTheSaturationPressure)
{
    // p_v(150 °C) = 4.85488 kgf/cm²; gauge inlet 3.82 gives 4.8532 absolute, 3.83 gives 4.8632.
    SizingInputs below = hotSupply(), above = hotSupply();
    below.inletPressure = 3.82;
    above.inletPressure = 3.83;
    // Hotter water never passes for being beyond a range: up to the critical point it is judged
    // by its saturation pressure, beyond the range the check cannot evaluate it and fails.
    const auto at = [](double supply, double inlet) {
        SizingInputs in = hotSupply();
        in.supplyTemperature = supply;
        in.inletPressure = inlet;
        return valve(in, 0.1);
    };
    expectCases({
        {"just below p_v", valve(below, 0.1), "supply.liquid", Status::Failed},
        {"just above p_v, within the margin", valve(above, 0.1), "supply.liquid", Status::Warning},
        {"0,5 °C", at(0.5, 4), "supply.liquid", Status::Passed},
        {"below 0 °C", at(-0.5, 4), "supply.liquid", Status::Failed},
        {"200 °C, p_v 15,85 kgf/cm²", at(200, 16), "supply.liquid", Status::Passed},
        {"200,5 °C at 4 kgf/cm²", at(200.5, 4), "supply.liquid", Status::Failed},
        {"250 °C at 4 kgf/cm²", at(250, 4), "supply.liquid", Status::Failed},
        {"250 °C, p_v 40,5 kgf/cm², at 45", at(250, 45), "supply.liquid", Status::Passed},
        {"beyond the critical point", at(374, 300), "supply.liquid", Status::Failed},
        {"200,5 °C: the cavitation check rests on it", at(200.5, 4), "valve.cavitation",
         Status::NotApplicable},
    });
    const Check beyond = only(checks::evaluate(at(374, 300)), "supply.liquid");
    EXPECT_TRUE(beyond.note.contains(QStringLiteral("373,946"))) << beyond.note.toStdString();
    EXPECT_EQ(checks::verdict(checks::evaluate(at(374, 300))), Status::Failed);
}

TEST(Checks, ElevatorHeadMixingAndNozzleAtTheirLimits)
{
    // Needed head 1.4·(1 + 0.8)²·1 = 4.536 m.
    expectCases({
        {"head above need", elevator(0.8, 4.54, 10, 1), "elevator.head", Status::Passed},
        {"head below need", elevator(0.8, 4.53, 10, 1), "elevator.head", Status::Failed},
        {"no mixing, no head check", elevator(0, 1, 10, 1), "elevator.head", Status::NotApplicable},
        {"mixing ratio positive", elevator(0.01, 10, 10, 1), "elevator.mixing", Status::Passed},
        {"mixing ratio zero", elevator(0, 10, 10, 1), "elevator.mixing", Status::Failed},
        {"mixing ratio negative", elevator(-0.2, 10, 10, 1), "elevator.mixing", Status::Failed},
        {"nozzle 3 mm", elevator(0.8, 10, 3, 1), "elevator.nozzle", Status::Passed},
        {"nozzle under 3 mm", elevator(0.8, 10, 2.99, 1), "elevator.nozzle", Status::Warning},
    });
    const Check failed = only(checks::evaluate(elevator(-0.2, 10, 10, 1)), "elevator.mixing");
    EXPECT_TRUE(failed.formula.contains(QStringLiteral("элеватор не может подмешивать воду")));
}

TEST(Checks, ValveAuthorityBands)
{
    const auto withAuthority = [](double a) {
        return valve(hotSupply(), 0.1, {{QStringLiteral("ТВМ-25/17"), kv(6.3), a, mm(25)}});
    };
    expectCases({
        {"0.5", withAuthority(0.5), "valve.authority", Status::Passed},
        {"1.0", withAuthority(1.0), "valve.authority", Status::Passed},
        {"0.49", withAuthority(0.49), "valve.authority", Status::Warning},
        {"0.25", withAuthority(0.25), "valve.authority", Status::Warning},
        {"0.249", withAuthority(0.249), "valve.authority", Status::Failed},
        {"above 1", withAuthority(1.2), "valve.authority", Status::Failed},
        {"negative", withAuthority(-0.1), "valve.authority", Status::Failed},
    });
    EXPECT_TRUE(only(checks::evaluate(withAuthority(1.2)), "valve.authority")
                    .formula.contains(QStringLiteral("нефизичное значение")));
}

TEST(Checks, CavitationAndFlashingAroundTheirLimits)
{
    // At 150 °C and p₁ 5.0332: choked limit 0.4635 kgf/cm², incipient (0.67) 0.3105; p₂ reaches
    // p_v at a drop of 0.1783.
    SizingInputs boiling = hotSupply(), steam = hotSupply();
    boiling.supplyTemperature = 250;
    steam.inletPressure = 3.5;
    expectCases({
        {"well below", valve(hotSupply(), 0.17), "valve.cavitation", Status::Passed},
        {"under 0.67", valve(hotSupply(), 0.30), "valve.cavitation", Status::Passed},
        {"over 0.67", valve(hotSupply(), 0.32), "valve.cavitation", Status::Warning},
        {"under choked", valve(hotSupply(), 0.46), "valve.cavitation", Status::Warning},
        {"over choked", valve(hotSupply(), 0.47), "valve.cavitation", Status::Failed},
        {"p₂ above p_v", valve(hotSupply(), 0.17), "valve.flashing", Status::Passed},
        {"p₂ below p_v", valve(hotSupply(), 0.19), "valve.flashing", Status::Failed},
        {"boiling at 250 °C: no cavitation check", valve(boiling, 0.1), "valve.cavitation",
         Status::NotApplicable},
        {"boiling at 250 °C: no flashing check", valve(boiling, 0.1), "valve.flashing",
         Status::NotApplicable},
        {"steam at the inlet: no cavitation check", valve(steam, 0.1), "valve.cavitation",
         Status::NotApplicable},
        {"steam at the inlet: no flashing check", valve(steam, 0.1), "valve.flashing",
         Status::NotApplicable},
    });
    const Check c = only(checks::evaluate(valve(hotSupply(), 0.47)), "valve.cavitation");
    EXPECT_NEAR(*c.failLimit, 0.46348, 5e-5);
    EXPECT_NEAR(*c.warningLimit, 0.67 * *c.failLimit, 1e-12);
    EXPECT_TRUE(c.note.contains(QStringLiteral(
        "принято: установка на подающем трубопроводе, p₁ — давление на входе, p_v при "
        "температуре подачи")));
}

TEST(Checks, VelocityAroundThreeMetresPerSecond)
{
    // ρ(150 °C, 5.0332 kgf/cm²) = 917.02 kg/m³; 3 m/s in DN 25 is 4.862 t/h.
    const auto withFlow = [](double flow, int bore, SizingInputs in = hotSupply()) {
        SizedSelection s = valve(in, 0.1, {{QStringLiteral("ТВМ"), kv(6.3), 0.8, mm(bore)}});
        s.values.networkFlow = tph(flow);
        return s;
    };
    // Liquid at 360 °C (p_v 18,67 MPa), beyond region 1, which gives the density.
    SizingInputs beyondRegion1 = hotSupply();
    beyondRegion1.supplyTemperature = 360;
    beyondRegion1.inletPressure = 220;
    expectCases({
        {"DN 25 under 3 m/s", withFlow(4.85, 25), "valve.velocity", Status::Passed},
        {"DN 25 over 3 m/s", withFlow(4.88, 25), "valve.velocity", Status::Warning},
        {"DN 32 takes more", withFlow(7.9, 32), "valve.velocity", Status::Passed},
        {"overflowing flow", withFlow(1.7e308, 15), "valve.velocity", Status::Failed},
        {"no density beyond 350 °C", withFlow(4.85, 25, beyondRegion1), "valve.velocity",
         Status::Failed},
        {"liquid at 360 °C", withFlow(4.85, 25, beyondRegion1), "supply.liquid", Status::Passed},
    });
    const Check overflow = only(checks::evaluate(withFlow(1.7e308, 15)), "valve.velocity");
    EXPECT_TRUE(overflow.note.startsWith(QStringLiteral("арифметическая ошибка")));
    const Check noDensity =
        only(checks::evaluate(withFlow(4.85, 25, beyondRegion1)), "valve.velocity");
    EXPECT_TRUE(noDensity.note.contains(QStringLiteral("IAPWS-IF97")))
        << noDensity.note.toStdString();
}

TEST(Checks, RegulatorRangeForTheDifferentialSeriesOnly)
{
    // Range 1: 0.04…0.16 MPa = 0.4079…1.6315 kgf/cm², h from 4.08 to 16.32 m.
    expectCases({
        {"below the range", regulator(1, 1, 4.07), "regulator.range", Status::Warning},
        {"at the bottom", regulator(1, 1, 4.08), "regulator.range", Status::Passed},
        {"at the top", regulator(1, 1, 16.31), "regulator.range", Status::Passed},
        {"above the range", regulator(1, 1, 16.32), "regulator.range", Status::Failed},
        {"range 3 from 3.06 kgf/cm²", regulator(1, 3, 30), "regulator.range", Status::Warning},
        {"pressure regulator after itself", regulator(2, 1, 1), "regulator.range",
         Status::NotApplicable},
        {"pressure regulator before itself", regulator(3, 1, 1), "regulator.range",
         Status::NotApplicable},
        {"small drop, no cavitation", regulator(1, 1, 1, 0.1), "regulator.cavitation",
         Status::Passed},
        {"large drop chokes", regulator(1, 1, 1, 3.0), "regulator.cavitation", Status::Failed},
    });
}

TEST(Checks, EachKindGetsItsChecksAndEachOfferItsOwn)
{
    const std::vector<Offer> two = {{QStringLiteral("ТВМ-25/17"), kv(6.3), 0.83, mm(25)},
                                    {QStringLiteral("ТВМ-32/16"), kv(6.3), 0.83, mm(32)}};
    struct Row {
        SizedSelection subject;
        QStringList ids;
    };
    const Row rows[] = {
        {elevator(0.8, 2, 10, 1),
         {"supply.liquid", "supply.schedule", "selection.offer", "elevator.head", "elevator.mixing",
          "elevator.nozzle", "elevator.flashing"}},
        {valve(hotSupply(), 1.8, two),
         {"supply.liquid", "supply.schedule", "selection.offer", "valve.authority",
          "valve.authority", "valve.cavitation", "valve.flashing", "valve.velocity",
          "valve.velocity"}},
        {valve(hotSupply(), 1.8),
         {"supply.liquid", "supply.schedule", "selection.offer", "valve.cavitation",
          "valve.flashing"}},
        {regulator(1, 1, 1),
         {"supply.liquid", "supply.schedule", "selection.offer", "regulator.cavitation",
          "regulator.flashing", "regulator.range"}},
    };
    for (const Row& row : rows) {
        QStringList ids;
        for (const Check& c : checks::evaluate(row.subject)) {
            ids << c.id;
            EXPECT_FALSE(c.title.isEmpty());
            EXPECT_FALSE(c.source.isEmpty());
            for (const std::optional<double>& x : {c.value, c.warningLimit, c.failLimit})
                EXPECT_TRUE(!x || std::isfinite(*x)) << c.id.toStdString();
        }
        EXPECT_EQ(ids, row.ids);
    }
    const std::vector<Check> velocity =
        find(checks::evaluate(valve(hotSupply(), 1.8, two)), "valve.velocity");
    EXPECT_EQ(velocity[0].designation, QStringLiteral("ТВМ-25/17"));
    EXPECT_EQ(velocity[1].designation, QStringLiteral("ТВМ-32/16"));
}

namespace {

SelectionForm form(const char* kind, const char* inlet, const char* outlet, const char* supply,
                   const char* ret, const char* load, const char* resistance, int series = 0,
                   int range = 0)
{
    SelectionForm f;
    f.title = QString::fromUtf8(kind);
    f.edit1 = QString::fromUtf8(inlet);
    f.edit2 = QString::fromUtf8(outlet);
    f.edit3 = QString::fromUtf8(supply);
    f.edit4 = QString::fromUtf8(ret);
    f.edit5 = QString::fromUtf8(load);
    f.edit6 = QString::fromUtf8(resistance);
    f.comboBox1 = 1;
    f.comboBox2 = f.comboBox3 = 3;
    f.comboBox4 = 2;
    f.comboBox5 = series;
    f.comboBox6 = range;
    return f;
}

std::vector<Check> checksOf(const SelectionForm& f)
{
    const SelectionRun run = selection::runSelection(f);
    return run.sized ? checks::evaluate(*run.sized) : std::vector<Check>();
}

} // namespace

TEST(Checks, VerdictsOnTheSizingExamples)
{
    const std::vector<Check> elevatorDefaults =
        checksOf(form("Регулирующий гидроэлеватор", "4", "3,8", "115", "70", "0,08", "1"));
    const Check head = only(elevatorDefaults, "elevator.head");
    EXPECT_EQ(head.status, Status::Failed);
    EXPECT_NEAR(*head.failLimit, 4.536, 1e-9);
    EXPECT_NEAR(*head.value, 2.0, 1e-9);

    const std::vector<Check> valveExample =
        checksOf(form("Запорно-регулирующий клапан", "4", "2", "150", "70", "0,5", "2"));
    EXPECT_EQ(only(valveExample, "valve.cavitation").status, Status::Failed);
    EXPECT_EQ(only(valveExample, "valve.flashing").status, Status::Failed);
    EXPECT_NEAR(*only(valveExample, "supply.liquid").value
                    - *only(valveExample, "supply.liquid").failLimit,
                0.18, 0.005);
    const std::vector<Check> velocity = find(valveExample, "valve.velocity");
    ASSERT_EQ(velocity.size(), 2u);
    EXPECT_EQ(velocity[0].designation, QStringLiteral("ТВМ-25/17"));
    EXPECT_EQ(velocity[0].status, Status::Warning);
    EXPECT_NEAR(*velocity[0].value, 3.8, 0.05);
    EXPECT_EQ(velocity[1].status, Status::Passed);

    const std::vector<Check> regulatorDefaults =
        checksOf(form("Регулятор давления и перепада", "4", "3,8", "115", "70", "0,08", "1", 1, 1));
    EXPECT_EQ(only(regulatorDefaults, "regulator.range").status, Status::Warning);
    EXPECT_EQ(only(regulatorDefaults, "regulator.cavitation").status, Status::Passed);
}

TEST(Checks, ASelectionThatEndedInAMessageHasNone)
{
    EXPECT_TRUE(checksOf(form("Запорно-регулирующий клапан", "4", "3,8", "115", "70", "0,08", "3"))
                    .empty()); // negative drop: "Неправильный ввод данных.!!!"
    EXPECT_TRUE(
        checksOf(form("Регулятор давления и перепада", "4", "3,8", "115", "70", "0,08", "1", 1, 0))
            .empty()); // "Выбраны не все параметры!"
    EXPECT_TRUE(checksOf(form("Котел", "4", "3,8", "115", "70", "0,08", "1")).empty());
}

// The catalogue columns that the checks read stand beside facts written elsewhere: the bore is
// the first number of each designation, the setting ranges are the ones the combo box names.
TEST(Checks, CatalogueColumnsAgreeWithTheTextsTheyStandBeside)
{
    const QRegularExpression firstNumber(QStringLiteral("-(\\d+)"));
    for (const auto* catalogue : {&controlValveCatalogue(), &mixingValveCatalogue()})
        for (std::size_t i = 1; i < catalogue->size(); ++i) {
            const ValveModel& row = (*catalogue)[i];
            EXPECT_EQ(firstNumber.match(QString::fromUtf8(row.designation)).captured(1).toInt(),
                      row.bore)
                << row.designation;
        }
    for (std::size_t i = 1; i < regulatorCatalogue().size(); ++i) {
        const RegulatorSize& row = regulatorCatalogue()[i];
        EXPECT_EQ(firstNumber.match(QString::fromUtf8(row.sizeSuffix)).captured(1).toInt(),
                  row.bore);
    }
    const QStringList items = units::settingRangeItems();
    ASSERT_EQ(static_cast<std::size_t>(items.size()), selection::regulatorSettingRanges().size());
    for (std::size_t i = 1; i < selection::regulatorSettingRanges().size(); ++i) {
        const selection::SettingRange r = selection::regulatorSettingRanges()[i];
        EXPECT_EQ(items[static_cast<int>(i)],
                  QStringLiteral("от ") + QString::number(r.from).replace('.', ',')
                      + QStringLiteral(" МПа до ") + QString::number(r.to).replace('.', ',')
                      + QStringLiteral(" МПа"));
    }
}

// The worked cases of the new and stricter checks, through the whole selection: the elevator's
// jet boiling at the return pressure, the regulator's outlet boiling, an elevator that cannot
// mix, a supply colder than the return, and a difference exactly at the top of the setting range.
TEST(Checks, TheWorkedCasesGetTheirVerdicts)
{
    struct Expected {
        const char* id;
        Status status;
    };
    struct WorkedCase {
        const char* name;
        SelectionForm form;
        std::vector<Expected> expected;
        Status verdict;
    };
    const char* const elevatorKind = "Регулирующий гидроэлеватор";
    const char* const regulatorKind = "Регулятор давления и перепада";
    const WorkedCase cases[] = {
        {"A: the jet boils",
         form(elevatorKind, "6", "3", "150", "70", "0,5", "1"),
         {{"elevator.flashing", Status::Failed}, {"supply.liquid", Status::Passed}},
         Status::Failed},
        {"B: behind the regulator",
         form(regulatorKind, "7,21", "6,79", "170", "70", "1", "1", 1, 1),
         {{"regulator.flashing", Status::Failed}, {"supply.liquid", Status::Warning}},
         Status::Failed},
        {"C: no mixing",
         form(elevatorKind, "6", "4", "90", "70", "0,1", "1"),
         {{"elevator.mixing", Status::Failed}, {"elevator.head", Status::NotApplicable}},
         Status::Failed},
        {"D: supply colder than return",
         form("Запорно-регулирующий клапан", "4", "2", "70", "150", "1", "2"),
         {{"supply.schedule", Status::Failed}},
         Status::Failed},
        {"E: at the top of the range",
         form(regulatorKind, "6", "4", "150", "70", "0,5", "16,315456", 1, 1),
         {{"regulator.range", Status::Passed}},
         Status::Passed},
    };
    for (const WorkedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Check> found = checksOf(c.form);
        for (const Expected& e : c.expected) {
            const Check check = only(found, e.id);
            EXPECT_EQ(checks::statusId(check.status), checks::statusId(e.status))
                << e.id << ": " << check.formula.toStdString();
        }
        EXPECT_EQ(checks::statusId(checks::verdict(found)), checks::statusId(c.verdict));
    }
}

// Each new or changed limit on both sides, around p_v(150 °C) as python3-iapws gives it.
TEST(Checks, NewLimitsOnBothSidesOfTheBoilingPressure)
{
    const QJsonObject answer =
        pythonReference("water_reference.py", {{"saturation", QJsonArray{150.0}}});
    ASSERT_EQ(answer["saturation"].toArray().size(), 1) << "python3-iapws";
    const double pv = answer["saturation"].toArray()[0].toDouble() / 0.0980665; // kgf/cm²
    const double atmosphere = 1.0332;
    const auto elevatorAt = [&](double backAbsolute) {
        SizingInputs in = hotSupply(1);
        in.inletPressure = backAbsolute - atmosphere + 2;
        in.outletPressure = backAbsolute - atmosphere;
        SizedSelection s = selected(EquipmentKind::Hydroelevator, in);
        s.values.networkFlow = tph(6.23);
        s.values.mixingRatio = 2.2;
        s.values.availableHead = qty::Head::metres(20);
        s.values.nozzleDiameter = mm(11.3);
        return s;
    };
    const auto regulatorAt = [&](double outletAbsolute) {
        SizedSelection s = regulator(1, 1, 1, 0.3);
        SizingInputs in = hotSupply(1);
        in.inletPressure = outletAbsolute + 0.3 - atmosphere;
        in.outletPressure = 0;
        s.request.conditions = conditionsOf(in);
        s.values.networkFlow = tph(6.23);
        return s;
    };
    const auto inletAt = [&](double p1Absolute) {
        SizingInputs in = hotSupply();
        in.inletPressure = p1Absolute - atmosphere;
        return valve(in, 0.1);
    };
    const double d = 0.001;
    expectCases({
        {"jet below p_v", elevatorAt(pv - d), "elevator.flashing", Status::Failed},
        {"jet just above p_v", elevatorAt(pv + d), "elevator.flashing", Status::Warning},
        {"jet just within the margin", elevatorAt(pv + 0.5 - d), "elevator.flashing",
         Status::Warning},
        {"jet beyond the margin", elevatorAt(pv + 0.5 + d), "elevator.flashing", Status::Passed},
        {"behind the regulator below p_v", regulatorAt(pv - d), "regulator.flashing",
         Status::Failed},
        {"behind the regulator above p_v", regulatorAt(pv + d), "regulator.flashing",
         Status::Passed},
        {"inlet within the margin", inletAt(pv + 0.5 - d), "supply.liquid", Status::Warning},
        {"inlet beyond the margin", inletAt(pv + 0.5 + d), "supply.liquid", Status::Passed},
    });
    const Check regulatorNote = only(checks::evaluate(regulatorAt(pv + 1)), "regulator.flashing");
    EXPECT_TRUE(regulatorNote.note.contains(QStringLiteral("подающем трубопроводе")));
}

TEST(Checks, TheScheduleAndTheChecksThatNeedAPositiveFlow)
{
    const auto withFlow = [](double supply, double ret, double flow) {
        SizingInputs in = hotSupply();
        in.supplyTemperature = supply;
        in.returnTemperature = ret;
        SizedSelection s = valve(in, 1.8, {{QStringLiteral("ТВМ-25/17"), kv(6.3), 0.8, mm(25)}});
        s.values.networkFlow = tph(flow);
        return s;
    };
    expectCases({
        {"ordinary", withFlow(150, 70, 6.23), "supply.schedule", Status::Passed},
        {"zero flow", withFlow(150, 70, 0), "supply.schedule", Status::Failed},
        {"negative flow", withFlow(150, 70, -6.23), "supply.schedule", Status::Failed},
        {"supply colder than return", withFlow(70, 150, 6.23), "supply.schedule", Status::Failed},
        {"authority after a failed schedule", withFlow(150, 70, -6.23), "valve.authority",
         Status::NotApplicable},
        {"velocity after a failed schedule", withFlow(150, 70, -6.23), "valve.velocity",
         Status::NotApplicable},
        {"authority with a good schedule", withFlow(150, 70, 6.23), "valve.authority",
         Status::Passed},
    });
    SizedSelection elevator = ::elevator(0.8, 10, 10, 1);
    elevator.values.networkFlow = tph(-1);
    expectCases({{"elevator head after a failed schedule", elevator, "elevator.head",
                  Status::NotApplicable},
                 {"elevator nozzle after a failed schedule", elevator, "elevator.nozzle",
                  Status::NotApplicable}});
}

// A value within 1e-9 of its limit is at the limit, on either side; further away it is not.
TEST(Checks, AValueWithinOnePartInABillionIsAtTheLimit)
{
    // The range's top, 0,16 MPa, in kgf/cm²: S/10 at it and around it.
    const double top = 0.16 * 10.19716;
    expectCases({
        {"a hair above the top", regulator(1, 1, 10 * top * (1 + 5e-10)), "regulator.range",
         Status::Passed},
        {"beyond the share", regulator(1, 1, 10 * top * (1 + 5e-9)), "regulator.range",
         Status::Failed},
        {"a hair below the bottom", regulator(1, 1, 10 * 0.04 * 10.19716 * (1 - 5e-10)),
         "regulator.range", Status::Passed},
        {"beyond the share below", regulator(1, 1, 10 * 0.04 * 10.19716 * (1 - 5e-9)),
         "regulator.range", Status::Warning},
    });
}

TEST(Checks, TheAuthorityStatesItsAssumptionAndTheValueWithoutARegulator)
{
    // 6,23 t/h through Kvy 6,3 with 2 kgf/cm² at the inlet: Δpм = 0,978 bar.
    const Check a =
        only(checks::evaluate(
                 valve(hotSupply(), 1.8, {{QStringLiteral("ТВМ-25/17"), kv(6.3), 0.83, mm(25)}})),
             "valve.authority");
    EXPECT_TRUE(a.note.contains(QStringLiteral("регулятор перепада давления держит перепад")));
    const double modelDrop = 6.230357142857143 * 6.230357142857143 / (6.3 * 6.3);
    const double whole = modelDrop / (2 * 0.980665);
    EXPECT_TRUE(a.formula.contains(QStringLiteral("без регулятора перепада a = Δpм/(P₁ − P₂) = ")
                                   + QString::number(modelDrop, 'f', 2).replace('.', ',')
                                   + QStringLiteral("/(2,00·0,980665) = ")
                                   + QString::number(whole, 'f', 3).replace('.', ',')))
        << a.formula.toStdString();
}

// A selection that offers no model has failed, whatever its other checks say; the check says why.
TEST(Checks, NothingOfferedFails)
{
    struct OfferCase {
        const char* name;
        SelectionForm form;
        Status status;
        const char* why;
    };
    const char* const elevatorKind = "Регулирующий гидроэлеватор";
    const OfferCase cases[] = {
        {"valve offered", form("Запорно-регулирующий клапан", "4", "2", "150", "70", "0,5", "2"),
         Status::Passed, "предложено: ТВМ-25/17, ТВМ-32/16"},
        {"valve beyond the catalogue",
         form("Запорно-регулирующий клапан", "4", "2", "150", "70", "100000", "2"), Status::Failed,
         "не меньше наибольшей условной пропускной способности каталога"},
        {"mixing valve beyond the catalogue",
         form("Клапан смесительный трехходовой", "4", "2", "150", "70", "100000", "2"),
         Status::Failed, "не меньше наибольшей"},
        {"regulator beyond the catalogue",
         form("Регулятор давления и перепада", "6", "4", "150", "70", "100000", "1", 1, 1),
         Status::Failed, "не меньше наибольшей"},
        {"elevator offered", form(elevatorKind, "6", "4", "150", "70", "0,5", "1"), Status::Passed,
         "предложено: ЭЖ-03"},
        {"elevator at a head of 60 m", form(elevatorKind, "10", "4", "150", "70", "0,5", "1"),
         Status::Failed, "Hрасп = 60,00 м вне диапазона 6 < H < 40 м"},
        {"elevator at exactly 40 m", form(elevatorKind, "8", "4", "150", "70", "0,5", "1"),
         Status::Failed, "вне диапазона"},
        {"elevator nozzle beyond 18 mm", form(elevatorKind, "6", "3", "150", "70", "2", "1"),
         Status::Failed, "вне ряда сопел моделей: больше 0 и не больше 18 мм"},
    };
    for (const OfferCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Check> found = checksOf(c.form);
        const Check offer = only(found, "selection.offer");
        EXPECT_EQ(checks::statusId(offer.status), checks::statusId(c.status));
        EXPECT_TRUE(offer.formula.contains(QString::fromUtf8(c.why)))
            << offer.formula.toStdString();
        if (c.status == Status::Failed) {
            EXPECT_EQ(checks::verdict(found), Status::Failed);
        }
    }
}

// One verdict for the window, the JSON, the batch and the season: the worst status among the
// checks that apply, and not_applicable when none does.
TEST(Checks, TheVerdictIsTheWorstStatusThatApplies)
{
    const Status na = Status::NotApplicable;
    struct VerdictCase {
        const char* name;
        std::vector<Status> statuses;
        Status verdict;
    };
    const VerdictCase cases[] = {
        {"no checks", {}, na},
        {"none applies", {na, na}, na},
        {"passed among the inapplicable", {na, Status::Passed, na}, Status::Passed},
        {"a warning after passing", {Status::Passed, Status::Warning, na}, Status::Warning},
        {"a warning before passing", {Status::Warning, Status::Passed}, Status::Warning},
        {"failed last", {Status::Warning, na, Status::Failed}, Status::Failed},
        {"failed first", {Status::Failed, Status::Warning, Status::Passed}, Status::Failed},
    };
    for (const VerdictCase& c : cases) {
        std::vector<Check> found;
        for (const Status status : c.statuses) {
            Check check;
            check.status = status;
            found.push_back(check);
        }
        EXPECT_EQ(checks::statusId(checks::verdict(found)), checks::statusId(c.verdict)) << c.name;
    }
}
