#pragma once
// The formulas of each sizing method as an engineer writes them: the symbols, then the same
// formula with the numbers put in, then the result. Data, one table per kind, read by the
// calculation sheet. Depends on the selection library only.

#include "selection/EquipmentKinds.h"
#include "selection/SizedSelection.h"

#include <QString>
#include <functional>
#include <vector>

namespace calcsheet {

// One written-out step of a method, present once the method reached it.
struct WrittenStep {
    QString what;        // "Расход сетевой воды"
    QString symbolic;    // "G = Q·10⁶·1,163·3,6 / ((τ1 − τ2)·4,2) / 1000"
    QString substituted; // the same with the numbers, which evaluated as printed round to the
                         // printed result; empty for a step that chooses rather than computes
    QString result;      // "1,77 т/ч"
    QString symbol;      // "G": what the formula defines, empty for a choice
    QString number;      // "1,77": the result without its unit
    QString unit;        // "т/ч", or empty
};

// The substitution `substitute(d)`, the earlier values in it written with d decimals, for the
// fewest d (from two) at which the printed expression recomputes to the result as printed with
// `resultDecimals`; with twelve, if none does.
QString recomputing(const std::function<QString(int)>& substitute, double result,
                    int resultDecimals = 2);

// The steps the sizing reached, in the order of its method, the model choice last.
std::vector<WrittenStep> writtenSteps(const selection::SizedSelection& run);

} // namespace calcsheet
