#pragma once
// Properties of water from the industrial formulation IAPWS-IF97 (the IAPWS release of 1997,
// revised 2007): the saturation pressure from the saturation-pressure equation of region 4, and
// the density of liquid water from the basic equation of region 1. The program needs them for
// heating water from 1 to 200 °C; outside that range, and where the arithmetic faults, the
// answer is "no value". Depends on the checked arithmetic and the quantities only.

#include "core/Quantities.h"

#include <optional>

namespace water {

// The temperatures, °C, for which the program computes the properties (both ends included).
inline constexpr double kMinTemperature = 1.0;
inline constexpr double kMaxTemperature = 200.0;

// Critical pressure of water (IAPWS-IF97).
inline constexpr qty::AbsolutePressure kCriticalPressure =
    qty::AbsolutePressure::megapascal(22.064);

// Saturation pressure at a temperature from 1 to 200 °C.
std::optional<qty::AbsolutePressure> saturationPressure(qty::Temperature t);

// The equations themselves, for any temperature (no range check; a fault throws MathError): the
// saturation pressure of region 4, MPa, and the specific volume of region 1, m³/kg. The release's
// verification tables are checked against these.
namespace if97 {
double saturationPressureAt(qty::Temperature t);
double region1SpecificVolume(qty::Temperature t, qty::AbsolutePressure p);
} // namespace if97

// Density of liquid water at a temperature from 1 to 200 °C and an absolute pressure from the
// saturation pressure up to 100 MPa (region 1); no value elsewhere.
std::optional<qty::Density> liquidDensity(qty::Temperature t, qty::AbsolutePressure p);

} // namespace water
