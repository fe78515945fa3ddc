#pragma once
// The formulas of the substation's pressure budget on quantities with their units: the drop the
// first device may take below its cavitation warning, the bore of a throttle orifice plate, the
// head at which an elevator's nozzle comes out at a given bore, the set point of a
// differential-pressure regulator and a valve's authority over the drop it shares. Each formula
// is evaluated in the checked arithmetic; a fault throws MathError. Depends on the quantities,
// the selection's formulas and the liquid valve factors of the checks.

#include "core/Quantities.h"

namespace substation::formulas {

// The plate constant of the heat-network adjustment practice: d = 10·⁴√(G²/H) mm, G in t/h, H in
// m. It corresponds to a discharge coefficient of about 0,80, that of a plate about as thick as
// its bore (правило практики наладки тепловых сетей).
inline constexpr long double kPlateConstant = 10.0L;
// A thin sharp-edged plate of the same bore takes about this many times the head.
inline constexpr double kThinPlateHeadRatio = 1.8;

// The water at a device or plate: the absolute pressure before it and p_v at the supply
// temperature.
struct Water {
    qty::AbsolutePressure inlet;
    qty::AbsolutePressure vapour;
};

// Δp_max = k·F_L²·(p_out − F_F·p_v)/(1 − k·F_L²), kgf/cm²: the largest drop a device whose
// outlet stands at p_out may take below the cavitation warning k of the checks.
qty::PressureDifference firstDeviceDropLimit(qty::AbsolutePressure outlet,
                                             qty::AbsolutePressure vapour);

// Δp_пред = F_L²·(p − F_F·p_v): the choked drop of a device or plate with the water before it.
qty::PressureDifference chokedDrop(Water water);

// d = 10·⁴√(G²/H), mm: the bore of one plate that takes the head H at the flow G.
qty::Diameter plateBore(qty::MassFlow flow, qty::Head head);

// H₃ = G²·(9,6/d)⁴: the head at which the elevator's nozzle dс = 9,6·⁴√(G²/H) comes out at d.
qty::Head nozzleHeadAtBore(qty::MassFlow flow, qty::Diameter bore);

// Δp_уст = max((S/10)/(1 − a_т), bottom): the set point of a differential-pressure regulator that
// gives the valve the target authority a_т, not below the bottom of its setting range.
qty::PressureDifference setPoint(qty::Head resistance, double targetAuthority,
                                 qty::PressureDifference rangeBottom);

// a = Δpм/Δp, both in bar, with Δpм = G²/Kvy²: the authority of a valve of capacity Kvy over the
// drop Δp it shares with what follows it.
double authorityOver(qty::MassFlow flow, qty::FlowCoefficient kvy, qty::PressureDifference shared);

// h/10: a head of water as a pressure difference in kgf/cm².
qty::PressureDifference dropOf(qty::Head head);
// 10·Δp: a pressure difference in kgf/cm² as a head of water.
qty::Head headOf(qty::PressureDifference drop);

} // namespace substation::formulas
