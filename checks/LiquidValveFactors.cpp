#include "checks/LiquidValveFactors.h"

#include "core/Checked.h"
#include "water/WaterProperties.h"

using vedan::Ext;
using vedan::store;

namespace checks {

double liquidCriticalPressureRatio(qty::AbsolutePressure saturation)
{
    return store(kFfConstant
                 - kFfSlope
                       * sqrt(Ext(saturation.inMegapascal())
                              / Ext(water::kCriticalPressure.inMegapascal())));
}

qty::PressureDifference chokedPressureDrop(LiquidFactors factors, InletWater water)
{
    return qty::PressureDifference::kgfPerCm2(
        store(Ext(factors.recovery) * Ext(factors.recovery)
              * (Ext(water.pressure.inKgfPerCm2())
                 - Ext(factors.pressureRatio) * Ext(water.saturation.inKgfPerCm2()))));
}

} // namespace checks
