#pragma once
// Valve capacity selection, shared by the shut-off and control valves and the three-way mixing
// valves: network flow, the pressure drop across the valve, the required capacity Kv and nominal
// capacity Kvy = 1.2 Kv, and the catalogue models with the next nominal capacity above it, each
// with its valve authority. The two catalogues are tables here.
// Depends on Qt Core and the checked arithmetic only.

#include "selection/SizingInputs.h"
#include "selection/SizingOutcome.h"

#include <vector>

namespace selection {

// One catalogue row. The nominal bore is the first number of the designation (ТВМ-25/17: 25 mm),
// kept as a column of its own beside the catalogue's designation and capacity.
struct ValveModel {
    const char* designation;
    double kvy;            // nominal capacity, m³/h
    int bore;              // nominal bore DN, mm (0 in the bound row)
    double authority = -1; // working field of one run; -1: not offered
};

// Row 0 of each catalogue is a bound row (capacity 0), never offered; the capacities never
// decrease, and rows with equal capacity stand next to each other.
const std::vector<ValveModel>& controlValveCatalogue(); // 25 rows
const std::vector<ValveModel>& mixingValveCatalogue();  // 19 rows

namespace sizing {

SizingOutcome selectValveCapacity(const SizingInputs& in, const std::vector<ValveModel>& catalogue);

inline SizingOutcome PodborKZR(const SizingInputs& in)
{
    return selectValveCapacity(in, controlValveCatalogue());
}

inline SizingOutcome PodborKST(const SizingInputs& in)
{
    return selectValveCapacity(in, mixingValveCatalogue());
}

} // namespace sizing

} // namespace selection
