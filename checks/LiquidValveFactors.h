#pragma once
// The liquid factors of IEC 60534-2-1 that the cavitation checks use: the liquid critical
// pressure ratio factor F_F and the pressure drop at which flow through a valve chokes.
// Any consistent pressure unit. Depends on the checked arithmetic only; a fault throws MathError.

namespace checks {

// F_F = 0.96 − 0.28·√(p_v/p_c).
double liquidCriticalPressureRatio(double saturationPressure, double criticalPressure);

// Δp at which the flow chokes: F_L²·(p₁ − F_F·p_v).
double chokedPressureDrop(double recoveryFactor, double inletPressure, double pressureRatioFactor,
                          double saturationPressure);

} // namespace checks
