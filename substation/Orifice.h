#pragma once
// A throttle orifice of the substation: the fewest equal plates in series (one to three) that take
// an excess head, each with a bore not below the least allowed and the last one not choked.
// Depends on the quantities and the budget's formulas.

#include "core/Quantities.h"
#include "substation/BudgetFormulas.h"

#include <optional>

namespace substation {

// The most plates fitted in series; beyond them a differential-pressure regulator is the remedy.
inline constexpr int kMaxPlates = 3;

struct Orifice {
    int plates = 1;
    qty::Diameter bore = qty::Diameter::millimetres(0); // of each plate
    qty::Head head = qty::Head::metres(0);              // of the whole orifice
    qty::Head headPerPlate = qty::Head::metres(0);
    // The last plate's drop and its choked limit; absent where p_v is not known.
    qty::PressureDifference lastPlateDrop = qty::PressureDifference::kgfPerCm2(0);
    std::optional<qty::PressureDifference> lastPlateChoked;
    bool boreFits = false;  // each bore at least the least allowed
    bool chokeFits = false; // the last plate's drop below its choked limit
    bool fits() const { return boreFits && chokeFits; }
};

// The plates for the head `head` at the flow `flow`: the fewest n that fit, or three plates that
// do not. `water` is the water before the first plate (absent: choking is not judged).
Orifice orificeFor(qty::MassFlow flow, qty::Head head, std::optional<formulas::Water> water,
                   qty::Diameter minBore);

} // namespace substation
