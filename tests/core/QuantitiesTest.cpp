// Quantities with their units: each unit's factor, the absolute pressure, values that come back
// in the unit they were made in unchanged, and formulas that refuse a swapped argument.

#include "core/Quantities.h"
#include "selection/Formulas.h"
#include "water/WaterProperties.h"

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
