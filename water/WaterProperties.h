#pragma once
// Properties of water from the industrial formulation IAPWS-IF97 (the IAPWS release of 1997,
// revised 2007): the saturation pressure from the saturation-pressure equation of region 4, and
// the density of liquid water from the basic equation of region 1, each over the range the
// release gives it: the saturation line from 0 °C (273,15 K) to the critical point, 373,946 °C
// (647,096 K), and region 1 from 0 to 350 °C (623,15 K) at pressures from saturation up to
// 100 MPa. Outside that range, and where the arithmetic faults, the answer is "no value".
// Depends on the checked arithmetic and the quantities only.

#include "core/Quantities.h"

#include <optional>

namespace water {

// The temperatures, °C, of IAPWS-IF97's equations (both ends included): the lowest of both,
// the critical temperature, where the saturation line ends, and the highest of region 1.
inline constexpr double kMinTemperature = 0.0;
inline constexpr double kCriticalTemperature = 373.946;
inline constexpr double kMaxRegion1Temperature = 350.0;

// Critical pressure of water (IAPWS-IF97).
inline constexpr qty::AbsolutePressure kCriticalPressure =
    qty::AbsolutePressure::megapascal(22.064);

// Saturation pressure at a temperature from 0 °C to the critical temperature.
std::optional<qty::AbsolutePressure> saturationPressure(qty::Temperature t);

// The equations themselves, for any temperature (no range check; a fault throws MathError): the
// saturation pressure of region 4, MPa, and the specific volume of region 1, m³/kg. The release's
// verification tables are checked against these.
namespace if97 {
double saturationPressureAt(qty::Temperature t);
double region1SpecificVolume(qty::Temperature t, qty::AbsolutePressure p);
} // namespace if97

// Density of liquid water at a temperature from 0 to 350 °C and an absolute pressure from the
// saturation pressure up to 100 MPa (region 1); no value elsewhere.
std::optional<qty::Density> liquidDensity(qty::Temperature t, qty::AbsolutePressure p);

} // namespace water
