#include "substation/BudgetFormulas.h"

#include "checks/LiquidValveFactors.h"
#include "selection/Formulas.h"

#include <algorithm>

using vedan::Ext;
using vedan::store;

namespace substation::formulas {

namespace {

Ext fourthRoot(Ext x) { return sqrt(sqrt(x)); }

} // namespace

qty::PressureDifference chokedDrop(Water water)
{
    const double ff = checks::liquidCriticalPressureRatio(water.vapour);
    return checks::chokedPressureDrop({.recovery = checks::kRecoveryFactor, .pressureRatio = ff},
                                      {.pressure = water.inlet, .saturation = water.vapour});
}

qty::PressureDifference firstDeviceDropLimit(qty::AbsolutePressure outlet,
                                             qty::AbsolutePressure vapour)
{
    const Ext choked(chokedDrop({.inlet = outlet, .vapour = vapour}).inKgfPerCm2());
    const Ext fl(checks::kRecoveryFactor);
    const Ext k(checks::kIncipientShare);
    return qty::PressureDifference::kgfPerCm2(store(k * choked / (Ext(1.0L) - k * fl * fl)));
}

qty::Diameter plateBore(qty::MassFlow flow, qty::Head head)
{
    const Ext g(flow.inTonnesPerHour());
    return qty::Diameter::millimetres(
        store(Ext(kPlateConstant) * fourthRoot(g * g / Ext(head.inMetres()))));
}

qty::Head nozzleHeadAtBore(qty::MassFlow flow, qty::Diameter bore)
{
    // The nozzle's own formula at 1 m gives 9,6·√G; (9,6·√G/d)⁴ is then G²·(9,6/d)⁴ m.
    const qty::Head metre = qty::Head::metres(1);
    const Ext ratio = Ext(selection::formulas::nozzleDiameter(flow, metre).inMillimetres())
                      / Ext(bore.inMillimetres());
    return qty::Head::metres(store(ratio * ratio * ratio * ratio * Ext(metre.inMetres())));
}

qty::PressureDifference setPoint(qty::Head resistance, double targetAuthority,
                                 qty::PressureDifference rangeBottom)
{
    const double held =
        store(Ext(dropOf(resistance).inKgfPerCm2()) / (Ext(1.0L) - Ext(targetAuthority)));
    return qty::PressureDifference::kgfPerCm2(std::max(held, rangeBottom.inKgfPerCm2()));
}

double authorityOver(qty::MassFlow flow, qty::FlowCoefficient kvy, qty::PressureDifference shared)
{
    return store(Ext(selection::formulas::valveDrop(flow, kvy).inBar()) / Ext(shared.inBar()));
}

qty::PressureDifference dropOf(qty::Head head)
{
    return qty::PressureDifference::kgfPerCm2(
        store(Ext(head.inMetres()) / qty::kMetresOfWaterPerKgfCm2));
}

qty::Head headOf(qty::PressureDifference drop)
{
    return qty::Head::metres(store(Ext(drop.inKgfPerCm2()) * qty::kMetresOfWaterPerKgfCm2));
}

} // namespace substation::formulas
