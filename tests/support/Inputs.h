#pragma once
// The six inputs of a sizing as the tests write them: named by the method's own symbols, so that
// a row reads as the formula does and a swapped pair shows, where six bare numbers in a row would
// not. A field left out takes the hydroelevator's worked example, 150/70 °C, 0,5 Gcal/h, 6 and
// 4 kgf/cm², 1 m, so that a row names only what it changes: Inputs{.q = 0.1, .s = 0}.
// Depends on the selection library's inputs only.

#include "selection/SizingInputs.h"

namespace sizingcases {

struct Inputs {
    double t1 = 150; // supply, °C
    double t2 = 70;  // return, °C
    double q = 0.5;  // load, Gcal/h
    double p1 = 6;   // inlet, kgf/cm²
    double p2 = 4;   // outlet, kgf/cm²
    double s = 1;    // system resistance, m

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
