#pragma once
// The liquid factors of IEC 60534-2-1 that the cavitation checks use: the liquid critical
// pressure ratio factor F_F and the pressure drop at which flow through a valve chokes.
// Any consistent pressure unit. Depends on the checked arithmetic only; a fault throws MathError.

namespace checks {

// The two coefficients of F_F = 0.96 − 0.28·√(p_v/p_c).
inline constexpr long double kFfConstant = 0.96L;
inline constexpr long double kFfSlope = 0.28L;
// The liquid pressure recovery factor F_L taken for the plant's globe valves and regulators.
inline constexpr double kRecoveryFactor = 0.9;
// The share of the choked-flow drop at which cavitation begins (a rule of practice).
inline constexpr long double kIncipientShare = 0.67L;

// F_F = 0.96 − 0.28·√(p_v/p_c).
double liquidCriticalPressureRatio(double saturationPressure, double criticalPressure);

// Δp at which the flow chokes: F_L²·(p₁ − F_F·p_v).
double chokedPressureDrop(double recoveryFactor, double inletPressure, double pressureRatioFactor,
                          double saturationPressure);

} // namespace checks
