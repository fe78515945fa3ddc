#pragma once
// The liquid factors of IEC 60534-2-1 that the cavitation checks use: the liquid critical
// pressure ratio factor F_F and the pressure drop at which flow through a valve chokes.
// Depends on the quantities and the properties of water; a fault throws MathError.

#include "core/Quantities.h"

namespace checks {

// The two coefficients of F_F = 0.96 − 0.28·√(p_v/p_c).
inline constexpr long double kFfConstant = 0.96L;
inline constexpr long double kFfSlope = 0.28L;
// The liquid pressure recovery factor F_L taken for the plant's globe valves and regulators.
inline constexpr double kRecoveryFactor = 0.9;
// The share of the choked-flow drop at which cavitation begins (a rule of practice).
inline constexpr long double kIncipientShare = 0.67L;

// The two factors of a valve for liquid flow.
struct LiquidFactors {
    double recovery;      // F_L
    double pressureRatio; // F_F
};

// The water before a valve: its pressure and its saturation pressure p_v.
struct InletWater {
    qty::AbsolutePressure pressure;
    qty::AbsolutePressure saturation;
};

// F_F = 0.96 − 0.28·√(p_v/p_c), p_c the critical pressure of water.
double liquidCriticalPressureRatio(qty::AbsolutePressure saturation);

// Δp at which the flow chokes: F_L²·(p₁ − F_F·p_v), in kgf/cm².
qty::PressureDifference chokedPressureDrop(LiquidFactors factors, InletWater water);

} // namespace checks
