#include "core/Checked.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>

using vedan::Ext;
using vedan::MathError;
using vedan::MathFault;
using vedan::store;

namespace {

std::optional<MathFault> faultOf(const std::function<double()>& formula)
{
    try {
        formula();
    } catch (const MathError& error) {
        return error.fault();
    }
    return std::nullopt;
}

struct FaultCase {
    const char* name;
    std::function<double()> formula;
    std::optional<MathFault> expected;
};

TEST(Checked, FaultsOfFormulas)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const FaultCase cases[] = {
        {"division by zero", [] { return store(Ext(1.0) / Ext(0.0)); }, MathFault::DivisionByZero},
        {"negative by zero", [] { return store(Ext(-1.0) / Ext(-0.0)); },
         MathFault::DivisionByZero},
        {"zero by zero", [] { return store(Ext(0.0) / Ext(0.0)); }, MathFault::InvalidOperation},
        {"root of negative", [] { return store(sqrt(Ext(-1e-300))); }, MathFault::InvalidOperation},
        {"NaN operand", [nan] { return store(Ext(nan) + Ext(1.0)); }, MathFault::InvalidOperation},
        {"NaN compared", [nan] { return Ext(nan) < Ext(1.0) ? 1.0 : 0.0; },
         MathFault::InvalidOperation},
        {"infinite operand", [inf] { return store(Ext(inf) * Ext(0.5)); }, MathFault::Overflow},
        {"too large for a double", [] { return store(Ext(DBL_MAX) * Ext(2.0)); },
         MathFault::Overflow},
        {"extended overflow", [] { return store(Ext(LDBL_MAX) * Ext(2.0)); }, MathFault::Overflow},
        {"underflow passes", [] { return store(Ext(1e-300) * Ext(1e-300)); }, std::nullopt},
        {"root of minus zero", [] { return store(sqrt(Ext(-0.0))); }, std::nullopt},
        {"inexact passes", [] { return store(Ext(1.0) / Ext(3.0)); }, std::nullopt},
    };
    for (const FaultCase& c : cases)
        EXPECT_EQ(faultOf(c.formula), c.expected) << c.name;
}

TEST(Checked, EvaluatesInExtendedPrecisionAndStoresADouble)
{
    // (1e16 + 1) - 1e16 is lost in double arithmetic but kept in extended precision.
    EXPECT_EQ(store((Ext(1e16) + Ext(1.0)) - Ext(1e16)), 1.0);
    // The stored value is the double nearest to the extended result.
    EXPECT_EQ(store(Ext(1.0) / Ext(10.0)), 0.1);
}

TEST(Checked, RussianTextsNameTheFault)
{
    EXPECT_EQ(MathError::russianText(MathFault::DivisionByZero), "Деление на ноль");
    EXPECT_NE(MathError(MathFault::Overflow).what(), std::string());
}

} // namespace
