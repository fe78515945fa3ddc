#include "selection/Formulas.h"

using vedan::Ext;
using vedan::store;

namespace selection::formulas {

namespace {

// Supply temperature of the heating system after mixing, °C.
constexpr long double kMixedSupply = 95.0L;

// A fourth root taken as two successive square roots.
Ext fourthRoot(Ext x) { return sqrt(sqrt(x)); }

} // namespace

DesignConditions designConditions(const SizingInputs& in)
{
    return {{qty::Temperature::celsius(in.supplyTemperature),
             qty::Temperature::celsius(in.returnTemperature)},
            qty::HeatLoad::gcalPerHour(in.heatLoad),
            {qty::GaugePressure::kgfPerCm2(in.inletPressure),
             qty::GaugePressure::kgfPerCm2(in.outletPressure)},
            qty::Head::metres(in.systemResistance)};
}

qty::MassFlow networkFlow(qty::HeatLoad load, TemperatureSchedule schedule)
{
    return qty::MassFlow::tonnesPerHour(store(
        Ext(load.inGcalPerHour()) * 1000000.0L * 1.163L * 3.6L
        / ((Ext(schedule.supply.inCelsius()) - Ext(schedule.ret.inCelsius())) * 4.2L) / 1000.0L));
}

qty::PressureDifference availableDrop(LinePressures pressures, qty::Head resistance)
{
    return qty::PressureDifference::kgfPerCm2(
        store(Ext(pressures.inlet.inKgfPerCm2()) - Ext(pressures.outlet.inKgfPerCm2())
              - Ext(resistance.inMetres()) / qty::kMetresOfWaterPerKgfCm2));
}

qty::FlowCoefficient requiredKv(qty::MassFlow flow, qty::PressureDifference drop)
{
    return qty::FlowCoefficient::cubicMetresPerHour(
        store(Ext(flow.inTonnesPerHour()) / sqrt(Ext(drop.inKgfPerCm2()))));
}

qty::FlowCoefficient nominalKv(qty::FlowCoefficient required)
{
    return qty::FlowCoefficient::cubicMetresPerHour(
        store(1.2L * Ext(required.inCubicMetresPerHour())));
}

double mixingRatio(TemperatureSchedule schedule)
{
    return store((Ext(schedule.supply.inCelsius()) - kMixedSupply)
                 / (kMixedSupply - Ext(schedule.ret.inCelsius())));
}

qty::Head availableHead(LinePressures pressures)
{
    return qty::Head::metres(
        store((Ext(pressures.inlet.inKgfPerCm2()) - Ext(pressures.outlet.inKgfPerCm2()))
              * qty::kMetresOfWaterPerKgfCm2));
}

double throatDiameter(qty::MassFlow flow, double mixingRatio, qty::Head resistance)
{
    const Ext g = flow.inTonnesPerHour();
    return store(8.5L
                 * fourthRoot(g * g * (1.0L + Ext(mixingRatio)) * (1.0L + Ext(mixingRatio))
                              / Ext(resistance.inMetres())));
}

double nozzleDiameter(qty::MassFlow flow, qty::Head available)
{
    const Ext g = flow.inTonnesPerHour();
    return store(9.6L * fourthRoot(g * g / Ext(available.inMetres())));
}

qty::Head elevatorHeadNeeded(double mixingRatio, qty::Head resistance)
{
    return qty::Head::metres(store(1.4L * (1.0L + Ext(mixingRatio)) * (1.0L + Ext(mixingRatio))
                                   * Ext(resistance.inMetres())));
}

qty::PressureDifference dropAtFlowShare(LinePressures pressures, qty::Head resistance,
                                        double flowShare)
{
    return qty::PressureDifference::kgfPerCm2(
        store(Ext(pressures.inlet.inKgfPerCm2()) - Ext(pressures.outlet.inKgfPerCm2())
              - Ext(resistance.inMetres()) / qty::kMetresOfWaterPerKgfCm2 * Ext(flowShare)
                    * Ext(flowShare)));
}

qty::PressureDifference valveDrop(qty::MassFlow flow, qty::FlowCoefficient kvy)
{
    const Ext g = flow.inTonnesPerHour();
    const Ext k = kvy.inCubicMetresPerHour();
    return qty::PressureDifference::bar(store(g * g / (k * k)));
}

double authority(qty::PressureDifference valveDrop, qty::Head resistance)
{
    const Ext drop = valveDrop.inBar();
    return store(drop / (drop + Ext(resistance.inMetres()) * qty::kBarPerMetreOfWater));
}

} // namespace selection::formulas
