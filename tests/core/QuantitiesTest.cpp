// Quantities with their units: each unit's factor, the absolute pressure, values that come back
// in the unit they were made in unchanged, sums and differences, formulas that refuse a swapped
// argument, and the volumetric flow and IEC Kv against python3-fluids.

#include "core/Quantities.h"
#include "selection/Formulas.h"
#include "tests/support/PythonReference.h"
#include "water/WaterProperties.h"

#include <QJsonArray>

#include <gtest/gtest.h>
#include <limits>
#include <type_traits>

namespace {

using namespace qty;
namespace f = selection::formulas;

// A formula called with its arguments in the wrong order, or with one quantity for another,
// does not compile.
static_assert(std::is_invocable_v<decltype(&f::networkFlow), HeatLoad, f::TemperatureSchedule>);
static_assert(!std::is_invocable_v<decltype(&f::networkFlow), f::TemperatureSchedule, HeatLoad>);
static_assert(std::is_invocable_v<decltype(&f::requiredKv), MassFlow, PressureDifference>);
static_assert(!std::is_invocable_v<decltype(&f::requiredKv), PressureDifference, MassFlow>);
static_assert(!std::is_invocable_v<decltype(&f::availableDrop), Head, f::LinePressures>);
static_assert(!std::is_invocable_v<decltype(&f::nozzleDiameter), Head, MassFlow>);
static_assert(!std::is_invocable_v<decltype(&f::valveDrop), FlowCoefficient, MassFlow>);
static_assert(!std::is_invocable_v<decltype(&f::authority), Head, PressureDifference>);
static_assert(!std::is_invocable_v<decltype(&water::liquidDensity), AbsolutePressure, Temperature>);
// No quantity is made from a bare number, nor from another quantity.
static_assert(!std::is_convertible_v<double, Temperature>);
static_assert(!std::is_convertible_v<double, GaugePressure>);
static_assert(!std::is_convertible_v<GaugePressure, AbsolutePressure>);
static_assert(!std::is_convertible_v<Head, PressureDifference>);
static_assert(!std::is_convertible_v<MassFlow, FlowCoefficient>);

} // namespace

TEST(Quantities, EachUnitConvertsByItsFactor)
{
    struct Case {
        const char* what;
        double actual, expected;
    };
    const Case cases[] = {
        {"1 bar", GaugePressure::bar(1).inKgfPerCm2(), 1.019716},
        {"1 MPa", GaugePressure::megapascal(1).inKgfPerCm2(), 10.19716},
        {"−2 MPa", GaugePressure::megapascal(-2).inKgfPerCm2(), -20.39432},
        {"3,8 kgf/cm²", GaugePressure::kgfPerCm2(3.8).inKgfPerCm2(), 3.8},
        {"gauge 6 + atmosphere", GaugePressure::kgfPerCm2(6).absolute().inKgfPerCm2(), 7.0332},
        {"1 kgf/cm² in MPa", AbsolutePressure::kgfPerCm2(1).inMegapascal(), 0.0980665},
        {"1 MPa in kgf/cm²", AbsolutePressure::megapascal(1).inKgfPerCm2(), 10.19716213},
        {"1 kgf/cm² in bar", PressureDifference::kgfPerCm2(1).inBar(), 0.980665},
        {"1 bar in kgf/cm²", PressureDifference::bar(1).inKgfPerCm2(), 1.019716213},
        {"1 MW", HeatLoad::megawatt(1).inGcalPerHour(), 0.8598},
        {"300 K", Temperature::kelvin(300).inCelsius(), 26.85},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.actual, c.expected, 1e-8 * std::max(1.0, std::abs(c.expected))) << c.what;
}

TEST(Quantities, AValueComesBackInItsOwnUnitUnchanged)
{
    // Figures with no short binary form, which a conversion there and back would move.
    for (double v : {0.1, 1.0 / 3.0, 0.3565, 6.02214076e23, -0.7}) {
        EXPECT_EQ(AbsolutePressure::megapascal(v).inMegapascal(), v);
        EXPECT_EQ(AbsolutePressure::kgfPerCm2(v).inKgfPerCm2(), v);
        EXPECT_EQ(PressureDifference::bar(v).inBar(), v);
        EXPECT_EQ(PressureDifference::kgfPerCm2(v).inKgfPerCm2(), v);
        EXPECT_EQ(Temperature::celsius(v).inCelsius(), v);
        EXPECT_EQ(HeatLoad::gcalPerHour(v).inGcalPerHour(), v);
    }
}

TEST(Quantities, AConversionThatOverflowsIsAnArithmeticFault)
{
    EXPECT_THROW((void)GaugePressure::megapascal(1e308).inKgfPerCm2(), vedan::MathError);
    EXPECT_THROW((void)GaugePressure::kgfPerCm2(std::numeric_limits<double>::infinity()).absolute(),
                 vedan::MathError);
}

TEST(Quantities, SumsAndDifferences)
{
    struct Case {
        const char* what;
        double actual, expected;
    };
    using PD = PressureDifference;
    const Case cases[] = {
        {"bar + bar", (PD::bar(0.3) + PD::bar(0.4)).inBar(), 0.7},
        {"bar − kgf/cm², in kgf/cm²", (PD::bar(1) - PD::kgfPerCm2(1)).inKgfPerCm2(),
         0.0197162129779283},
        {"kgf/cm² − bar", (PD::kgfPerCm2(1) - PD::bar(1)).inKgfPerCm2(), -0.0197162129779283},
        {"MW + MW", (HeatLoad::megawatt(1) + HeatLoad::megawatt(2)).inGcalPerHour(), 2.5794},
        {"MW − Gcal/h", (HeatLoad::megawatt(1) - HeatLoad::gcalPerHour(1)).inGcalPerHour(),
         -0.1402},
        {"head", (Head::metres(20) - Head::metres(1.5)).inMetres(), 18.5},
        {"mass flow",
         (MassFlow::tonnesPerHour(6.23) + MassFlow::tonnesPerHour(1)).inTonnesPerHour(), 7.23},
        {"Kv",
         (FlowCoefficient::cubicMetresPerHour(6.3) - FlowCoefficient::cubicMetresPerHour(2.5))
             .inCubicMetresPerHour(),
         3.8},
        {"volume",
         (VolumetricFlow::cubicMetresPerHour(1) + VolumetricFlow::cubicMetresPerHour(2))
             .inCubicMetresPerHour(),
         3},
        {"diameter", (Diameter::millimetres(50) - Diameter::millimetres(32)).inMillimetres(), 18},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.actual, c.expected, 1e-12 * std::max(1.0, std::abs(c.expected))) << c.what;
    // Two values of one unit add in it: read back there, the sum has not been converted.
    EXPECT_EQ((PD::bar(0.3) + PD::bar(0.4)).inBar(), 0.7);
    EXPECT_EQ((HeatLoad::megawatt(0.3) + HeatLoad::megawatt(0.4)).inGcalPerHour(),
              HeatLoad::megawatt(0.7).inGcalPerHour());
    EXPECT_THROW((void)(MassFlow::tonnesPerHour(1e308) + MassFlow::tonnesPerHour(1e308)),
                 vedan::MathError);
    EXPECT_THROW((void)(Head::metres(std::numeric_limits<double>::quiet_NaN()) - Head::metres(1)),
                 vedan::MathError);
}

// Q = G·1000/ρ and the IEC Kv beside the method's: to the last bit the figures the sheet has
// always printed (double precision, which extended precision would move in these rows), and
// within rounding python3-fluids' IEC 60534-2-1 sizing of a turbulent liquid.
TEST(Quantities, VolumetricFlowAndIecKvAgainstFluids)
{
    struct Case {
        const char* what;
        double flow, density, drop; // t/h, kg/m³, kgf/cm²
    };
    const Case cases[] = {
        {"extended precision moves Q", 142.462867, 955.863, 1.519},
        {"and again", 282.02, 936.8, 7.596},
        {"extended precision moves Kv", 100.108, 949.7, 7.335},
        {"and again", 181.689225841854, 973.551, 3.858},
        {"the control-valve example", 6.230357142857143, 917.02, 1.8},
        {"cold and small", 0.05, 999.8, 0.05},
    };
    QJsonArray request;
    for (const Case& c : cases)
        request.append(QJsonArray{c.flow, c.density, c.drop});
    const QJsonObject reference = pythonReference("flow_reference.py", {{"cases", request}});
    ASSERT_EQ(reference.value("iecKv").toArray().size(), std::ssize(cases));
    for (qsizetype i = 0; i < std::ssize(cases); ++i) {
        const Case& c = cases[i];
        const MassFlow g = MassFlow::tonnesPerHour(c.flow);
        const Density rho = Density::kilogramsPerCubicMetre(c.density);
        const double kv =
            f::iecKv(g, rho, PressureDifference::kgfPerCm2(c.drop)).inCubicMetresPerHour();
        EXPECT_EQ(f::volumetricFlow(g, rho).inCubicMetresPerHour(),
                  reference.value("volume")[i].toDouble())
            << c.what;
        EXPECT_EQ(kv, reference.value("sheetKv")[i].toDouble()) << c.what;
        const double iec = reference.value("iecKv")[i].toDouble();
        EXPECT_NEAR(kv, iec, 1e-12 * iec) << c.what;
    }
    const auto faultOf = [](double flow, double density, double drop) {
        try {
            (void)f::iecKv(MassFlow::tonnesPerHour(flow), Density::kilogramsPerCubicMetre(density),
                           PressureDifference::kgfPerCm2(drop));
        } catch (const vedan::MathError& error) {
            return std::optional(error.fault());
        }
        return std::optional<vedan::MathFault>();
    };
    EXPECT_EQ(faultOf(6, 0, 1), vedan::MathFault::DivisionByZero);
    EXPECT_EQ(faultOf(6, 917, 0), vedan::MathFault::DivisionByZero);
    EXPECT_EQ(faultOf(6, 917, -1), vedan::MathFault::InvalidOperation);
}
