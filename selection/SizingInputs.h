#pragma once
// The six converted inputs that every sizing method receives, in this order.
// Plain data; depends on nothing.

namespace selection {

struct SizingInputs {
    double supplyTemperature = 0; // °C
    double returnTemperature = 0; // °C
    double heatLoad = 0;          // Gcal/h
    double inletPressure = 0;     // kgf/cm²
    double outletPressure = 0;    // kgf/cm²
    double systemResistance = 0;  // metres of water column
};

} // namespace selection
