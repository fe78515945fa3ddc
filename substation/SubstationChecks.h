#pragma once
// The checks of a substation's budget: the budget's own (budget.head, orifice.bore,
// regulator.range) and the selection's checks of each device at its budgeted drop and inlet
// pressure. Internal to the substation library; depends on its budget and the checks.

#include "checks/Checks.h"
#include "substation/Substation.h"

#include <vector>

namespace substation {

// What the checks take beyond the budget's elements.
struct BudgetFacts {
    const selection::SizingRequest& request;
    const Options& options;
    qty::Head devicesHead;                            // H = ΔH − h_o
    qty::Head neededHead;                             // what the devices cannot do without
    std::optional<double> mixingRatio = std::nullopt; // elevator
    std::optional<qty::PressureDifference> rangeBottom = std::nullopt; // regulator
    std::optional<qty::PressureDifference> rangeTop = std::nullopt;
    qty::PressureDifference heldUnraised =
        qty::PressureDifference::kgfPerCm2(0); // before the range
    bool cavitationOrifice = false;            // an orifice takes what the first device may not
    bool texts = true; // the formulas, notes and units are wanted, not the statuses alone
};

// The row of selection::regulatorSeries() of the differential-pressure regulator "ЖМ".
int differentialSeries();

std::vector<checks::Check> budgetChecks(const Budget& budget, const BudgetFacts& facts);

} // namespace substation
