#pragma once
// Properties of water from the industrial formulation IAPWS-IF97 (the IAPWS release of 1997,
// revised 2007): the saturation pressure from the saturation-pressure equation of region 4, and
// the density of liquid water from the basic equation of region 1. The program needs them for
// heating water from 1 to 200 °C; outside that range, and where the arithmetic faults, the
// answer is "no value". Depends on the checked arithmetic only.

#include <optional>

namespace water {

// The temperatures, °C, for which the program computes the properties (both ends included).
inline constexpr double kMinTemperature = 1.0;
inline constexpr double kMaxTemperature = 200.0;

// Critical pressure of water, MPa (IAPWS-IF97).
inline constexpr double kCriticalPressure = 22.064;

// Saturation pressure, MPa, at a temperature in °C from 1 to 200.
std::optional<double> saturationPressure(double celsius);

// The equations themselves, for any temperature in kelvin (no range check; a fault throws
// MathError): the saturation pressure of region 4, MPa, and the specific volume of region 1,
// m³/kg, at a pressure in MPa. The release's verification tables are checked against these.
namespace if97 {
double saturationPressureAt(double kelvin);
double region1SpecificVolume(double kelvin, double pressure);
} // namespace if97

// Density of liquid water, kg/m³, at a temperature in °C from 1 to 200 and an absolute pressure
// in MPa from the saturation pressure up to 100 MPa (region 1); no value elsewhere.
std::optional<double> liquidDensity(double celsius, double absolutePressure);

} // namespace water
