#pragma once
// The substation as a whole: the network's pressure difference shared between the other losses, a
// throttle orifice where one is needed, the differential-pressure regulator, the control valve,
// the elevator and the heating system, in the order of the flow. Each device is sized on the drop
// the budget gives it, with the selection's own catalogue rule, and the checks of the selection
// run for it at that drop and at its own inlet pressure, beside the checks of the budget.
// Depends on the selection and the checks (no Widgets).

#include "checks/Checks.h"
#include "core/Failure.h"
#include "core/Quantities.h"
#include "selection/SizingRequest.h"
#include "selection/SizingValues.h"
#include "substation/Orifice.h"

#include <optional>
#include <vector>

namespace substation {

enum class Scheme {
    Elevator,       // a regulating hydroelevator, dependent connection
    Valve,          // a control valve without a regulator
    ValveRegulator, // a differential-pressure regulator holding the valve and the system
    Regulator,      // a differential-pressure regulator holding the system
};

// The head an elevator's nozzle should throttle at most (правило практики), m.
inline constexpr double kDefaultMaxElevatorHead = 35.0;
// The least bore of an orifice plate and of an elevator's nozzle, mm.
inline constexpr double kDefaultMinBore = 3.0;
// The target authority of the control valve behind a regulator.
inline constexpr double kDefaultTargetAuthority = 0.5;

struct Options {
    Scheme scheme = Scheme::ValveRegulator;
    qty::Head otherLosses = qty::Head::metres(0); // at the inlet, ahead of every device
    double targetAuthority = kDefaultTargetAuthority;
    int settingRange = 1; // a row of selection::regulatorSettingRanges(), 1–3
    qty::Head maxElevatorHead = qty::Head::metres(kDefaultMaxElevatorHead);
    qty::Diameter minBore = qty::Diameter::millimetres(kDefaultMinBore);
};

enum class ElementKind { Other, Orifice, Regulator, Valve, Elevator, System };

// One element along the flow. Every element has its head; the rest is filled as its kind has it.
struct Element {
    ElementKind kind = ElementKind::System;
    qty::Head head = qty::Head::metres(0);
    std::optional<qty::PressureDifference> drop;     // orifice, regulator, valve
    std::optional<qty::AbsolutePressure> inlet;      // the absolute pressure before it
    std::optional<Orifice> orifice;                  // orifice
    std::optional<qty::PressureDifference> setPoint; // regulator
    std::optional<qty::FlowCoefficient> requiredKv;  // regulator, valve; none for a drop ≤ 0
    std::optional<qty::FlowCoefficient> requiredKvy;
    std::vector<selection::Offer> offers;   // regulator, valve (with their authority), elevator
    std::optional<double> authority;        // valve: that of the first offer
    std::optional<qty::Head> availableHead; // elevator: H_e
    std::optional<qty::Head> requiredHead;  // elevator: H_need
    std::optional<qty::Diameter> nozzle;    // elevator
    std::optional<qty::Diameter> throat;    // elevator

    const selection::Offer* offer() const { return offers.empty() ? nullptr : &offers.front(); }
};

struct Budget {
    Scheme scheme = Scheme::ValveRegulator;
    qty::MassFlow networkFlow = qty::MassFlow::tonnesPerHour(0);
    qty::Head availableHead = qty::Head::metres(0); // ΔH = 10·(P₁ − P₂)
    std::vector<Element> elements;                  // in the order of the flow
    std::vector<checks::Check> checks;
};

// The budget of the substation for the request's design conditions. Options out of their range
// are refused with an input failure; an arithmetic fault ends with its failure. With texts false
// the checks have their ids, titles, statuses, values and limits but no formulas, notes or units,
// as checks::evaluate gives them (a batch written as a table needs no more).
vedan::Outcome<Budget> budget(const selection::SizingRequest& request, const Options& options,
                              bool texts = true);

} // namespace substation
