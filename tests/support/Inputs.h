#pragma once
// The six inputs of a sizing as the tests write them: named by the method's own symbols, so that
// a row reads as the formula does and a swapped pair shows, where six bare numbers in a row would
// not: Inputs{.t1 = 150, .t2 = 70, .q = 0.5, .p1 = 6, .p2 = 4, .s = 1}.
// Depends on the selection library's inputs only.

#include "selection/SizingInputs.h"

namespace sizingcases {

struct Inputs {
    double t1 = 0; // supply, °C
    double t2 = 0; // return, °C
    double q = 0;  // load, Gcal/h
    double p1 = 0; // inlet, kgf/cm²
    double p2 = 0; // outlet, kgf/cm²
    double s = 0;  // system resistance, m

    operator selection::SizingInputs() const
    {
        return {.supplyTemperature = t1,
                .returnTemperature = t2,
                .heatLoad = q,
                .inletPressure = p1,
                .outletPressure = p2,
                .systemResistance = s};
    }
};

} // namespace sizingcases
