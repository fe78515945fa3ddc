#pragma once
// The formulas of the sizing methods on quantities with their units: the network flow, the drop
// left across a valve or regulator, the capacities, and the elevator's mixing ratio, head and
// diameters. The sizing methods compute every figure through these, and so will anything else
// that takes the method to other conditions. Each formula is evaluated in the checked
// arithmetic; a fault throws MathError. Depends on the quantities and the checked arithmetic.

#include "core/Quantities.h"
#include "selection/SizingInputs.h"

namespace selection::formulas {

// Supply (τ₁) and return (τ₂) temperatures of the network water.
struct TemperatureSchedule {
    qty::Temperature supply;
    qty::Temperature ret;
};

// Pressures in the supply (P₁) and return (P₂) lines at the inlet of the building.
struct LinePressures {
    qty::GaugePressure inlet;
    qty::GaugePressure outlet;
};

// The six inputs of a sizing, each with its unit.
struct DesignConditions {
    TemperatureSchedule schedule;
    qty::HeatLoad load;
    LinePressures pressures;
    qty::Head resistance; // of the heating system
};

// The converted inputs read as what they are: °C, Gcal/h, kgf/cm² (gauge), metres of water.
DesignConditions designConditions(const SizingInputs& in);

// G = Q·10⁶·1,163·3,6 / ((τ₁ − τ₂)·4,2) / 1000, t/h.
qty::MassFlow networkFlow(qty::HeatLoad load, TemperatureSchedule schedule);

// ΔP = P₁ − P₂ − h/10: what the system's resistance leaves across the device.
qty::PressureDifference availableDrop(LinePressures pressures, qty::Head resistance);

// Kv = G/√ΔP (G in t/h, ΔP in kgf/cm²).
qty::FlowCoefficient requiredKv(qty::MassFlow flow, qty::PressureDifference drop);

// Kvy = 1,2·Kv.
qty::FlowCoefficient nominalKv(qty::FlowCoefficient required);

// u = (τ₁ − 95)/(95 − τ₂): the mixing ratio of an elevator that gives 95 °C to the system.
double mixingRatio(TemperatureSchedule schedule);

// Hрасп = (P₁ − P₂)·10: the head available to an elevator.
qty::Head availableHead(LinePressures pressures);

// dг = 8,5·⁴√(G²·(1 + u)²/h), mm: the elevator's throat.
qty::Diameter throatDiameter(qty::MassFlow flow, double mixingRatio, qty::Head resistance);

// dс = 9,6·⁴√(G²/Hрасп), mm: the elevator's nozzle.
qty::Diameter nozzleDiameter(qty::MassFlow flow, qty::Head available);

// Hтреб = 1,4·(1 + u)²·S: the head an elevator of mixing ratio u needs for a system of
// resistance S (the elevator method of СП 41-101-95).
qty::Head elevatorHeadNeeded(double mixingRatio, qty::Head resistance);

// ΔP = (P₁ − P₂) − (S/10)·(G/G′)²: what is left across a device in series with the system when
// the flow is the share G/G′ of the design flow (the system's loss goes with the flow squared).
qty::PressureDifference dropAtFlowShare(LinePressures pressures, qty::Head resistance,
                                        double flowShare);

// Δpм = G²/Kvy², bar: the drop across a valve of capacity Kvy at the flow G.
qty::PressureDifference valveDrop(qty::MassFlow flow, qty::FlowCoefficient kvy);

// Q = G·1000/ρ, m³/h: the volume a mass flow G in t/h takes at the density ρ in kg/m³.
// Evaluated in double precision, each step checked, as the calculation sheet prints it.
qty::VolumetricFlow volumetricFlow(qty::MassFlow flow, qty::Density density);

// Kv = Q·√((ρ/ρ₀)/Δp) of IEC 60534-2-1 for a liquid in turbulent flow, with Q = volumetricFlow,
// ρ₀ = 1000 kg/m³ and Δp in bar (the drop in kgf/cm² times 0,980665): the capacity the standard
// gives beside the method's G/√ΔP. In double precision, each step checked, as volumetricFlow.
qty::FlowCoefficient iecKv(qty::MassFlow flow, qty::Density density, qty::PressureDifference drop);

// v = G·1000/ρ/3600/(π·(DN/1000)²/4), m/s: the mean velocity of the flow G in t/h through a
// bore DN at the density ρ. In extended precision, as Ext is; the volume G·1000/ρ stays unstored
// inside it, so it is not volumetricFlow's double-precision figure.
double velocity(qty::MassFlow flow, qty::Density density, qty::Diameter bore);

// a = Δpм/(Δpм + 0,0980665·h): the authority of a valve with a drop Δpм in a system of
// resistance h.
double authority(qty::PressureDifference valveDrop, qty::Head resistance);

} // namespace selection::formulas
