#pragma once
// Sizing of a regulating hydroelevator (a jet pump with an adjustable nozzle) by the elevator
// method of the code of practice for heat substations: network flow, mixing ratio, available
// head, throat and nozzle diameters, and the model chosen by the nozzle diameter.
// Depends on Qt Core and the checked arithmetic only.

#include "selection/SizingInputs.h"
#include "selection/SizingOutcome.h"

#include <QString>
#include <vector>

namespace selection {

// One band of the model table: nozzle diameters above the previous band's upper bound (0 for
// the first band) up to and including `nozzleUpTo` mm.
struct HydroelevatorBand {
    double nozzleUpTo;
    const char* model;
};

const std::vector<HydroelevatorBand>& hydroelevatorModels();

// The available heads, m, for which a model is chosen at all: strictly between the two.
inline constexpr double kHydroelevatorMinHead = 6.0;
inline constexpr double kHydroelevatorMaxHead = 40.0;

// The model whose band holds the nozzle diameter, or an empty text.
QString hydroelevatorForNozzle(double nozzleDiameter);

namespace sizing {

SizingOutcome PodborRG(const SizingInputs& in);

} // namespace sizing

} // namespace selection
