#include "selection/SizingRequest.h"

namespace selection {

SizingInputs inputsOf(const DesignConditions& conditions)
{
    return {.supplyTemperature = conditions.supplyTemperature.inCelsius(),
            .returnTemperature = conditions.returnTemperature.inCelsius(),
            .heatLoad = conditions.heatLoad.inGcalPerHour(),
            .inletPressure = conditions.inletPressure.inKgfPerCm2(),
            .outletPressure = conditions.outletPressure.inKgfPerCm2(),
            .systemResistance = conditions.systemResistance.inMetres()};
}

DesignConditions conditionsOf(const SizingInputs& in)
{
    return {.supplyTemperature = qty::Temperature::celsius(in.supplyTemperature),
            .returnTemperature = qty::Temperature::celsius(in.returnTemperature),
            .heatLoad = qty::HeatLoad::gcalPerHour(in.heatLoad),
            .inletPressure = qty::GaugePressure::kgfPerCm2(in.inletPressure),
            .outletPressure = qty::GaugePressure::kgfPerCm2(in.outletPressure),
            .systemResistance = qty::Head::metres(in.systemResistance)};
}

} // namespace selection
