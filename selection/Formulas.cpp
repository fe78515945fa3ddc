#include "selection/Formulas.h"

#include <cmath>
#include <limits>
#include <numbers>

using vedan::Ext;
using vedan::store;

namespace selection::formulas {

namespace {

// Supply temperature of the heating system after mixing, °C.
constexpr long double kMixedSupply = 95.0L;

// A fourth root taken as two successive square roots.
Ext fourthRoot(Ext x) { return sqrt(sqrt(x)); }

// A double-precision operand whose operations are checked as Ext's are: for the figures that
// have always been computed in doubles, which extended precision could move by a last bit.
class Narrow {
public:
    explicit Narrow(double v) : m_v(v) { vedan::checkFinite(v); }
    double value() const { return m_v; }
    friend Narrow operator*(Narrow a, Narrow b) { return Narrow(a.m_v * b.m_v); }
    friend Narrow operator/(Narrow a, Narrow b)
    {
        if (b.m_v == 0)
            vedan::throwDivision(a.m_v);
        return Narrow(a.m_v / b.m_v);
    }
    friend Narrow sqrt(Narrow a)
    {
        if (a.m_v < 0)
            vedan::throwNotFinite(std::numeric_limits<double>::quiet_NaN());
        return Narrow(std::sqrt(a.m_v));
    }

private:
    double m_v;
};

// ρ₀ of IEC 60534-2-1, kg/m³, and kilograms per tonne.
constexpr double kReferenceDensity = 1000.0;
constexpr double kKilogramsPerTonne = 1000.0;

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

qty::Diameter throatDiameter(qty::MassFlow flow, double mixingRatio, qty::Head resistance)
{
    const Ext g = flow.inTonnesPerHour();
    return qty::Diameter::millimetres(
        store(8.5L
              * fourthRoot(g * g * (1.0L + Ext(mixingRatio)) * (1.0L + Ext(mixingRatio))
                           / Ext(resistance.inMetres()))));
}

qty::Diameter nozzleDiameter(qty::MassFlow flow, qty::Head available)
{
    const Ext g = flow.inTonnesPerHour();
    return qty::Diameter::millimetres(store(9.6L * fourthRoot(g * g / Ext(available.inMetres()))));
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

qty::VolumetricFlow volumetricFlow(qty::MassFlow flow, qty::Density density)
{
    return qty::VolumetricFlow::cubicMetresPerHour(
        (Narrow(flow.inTonnesPerHour()) * Narrow(kKilogramsPerTonne)
         / Narrow(density.inKilogramsPerCubicMetre()))
            .value());
}

qty::FlowCoefficient iecKv(qty::MassFlow flow, qty::Density density, qty::PressureDifference drop)
{
    const Narrow rho(density.inKilogramsPerCubicMetre());
    const Narrow q(volumetricFlow(flow, density).inCubicMetresPerHour());
    return qty::FlowCoefficient::cubicMetresPerHour(
        (q
         * sqrt((rho / Narrow(kReferenceDensity))
                / (Narrow(drop.inKgfPerCm2()) * Narrow(qty::kBarPerKgfCm2))))
            .value());
}

double velocity(qty::MassFlow flow, qty::Density density, qty::Diameter bore)
{
    const Ext dn = bore.inMillimetres();
    const double area =
        store(std::numbers::pi_v<long double> * (dn / 1000.0L) * (dn / 1000.0L) / 4.0L);
    return store(Ext(flow.inTonnesPerHour()) * 1000.0L / Ext(density.inKilogramsPerCubicMetre())
                 / 3600.0L / Ext(area));
}

double authority(qty::PressureDifference valveDrop, qty::Head resistance)
{
    const Ext drop = valveDrop.inBar();
    return store(drop / (drop + Ext(resistance.inMetres()) * qty::kBarPerMetreOfWater));
}

} // namespace selection::formulas
