#include "checks/LiquidValveFactors.h"

#include "core/Checked.h"

using vedan::Ext;
using vedan::store;

namespace checks {

double liquidCriticalPressureRatio(double saturationPressure, double criticalPressure)
{
    return store(kFfConstant - kFfSlope * sqrt(Ext(saturationPressure) / Ext(criticalPressure)));
}

double chokedPressureDrop(double recoveryFactor, double inletPressure, double pressureRatioFactor,
                          double saturationPressure)
{
    return store(Ext(recoveryFactor) * Ext(recoveryFactor)
                 * (Ext(inletPressure) - Ext(pressureRatioFactor) * Ext(saturationPressure)));
}

} // namespace checks
