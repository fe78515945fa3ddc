#pragma once
// The working values of a sizing run as the methods computed them, unrounded, and the models a
// run offered. A value a run did not reach (it stopped before, or the kind has no such value)
// is absent. The engineering checks read these, never the printed texts.
// Depends on Qt Core only.

#include "selection/EquipmentKinds.h"

#include <QString>
#include <optional>
#include <vector>

namespace selection {

struct SizingValues {
    std::optional<double> networkFlow;           // t/h
    std::optional<double> mixingRatio;           // hydroelevator, none
    std::optional<double> availableHead;         // hydroelevator, m
    std::optional<double> throatDiameter;        // hydroelevator, mm
    std::optional<double> nozzleDiameter;        // hydroelevator, mm
    std::optional<double> regulatorPressureDrop; // regulator, kgf/cm²
    std::optional<double> valvePressureDrop;     // control and mixing valves, kgf/cm²
    std::optional<double> requiredKv;            // m³/h
    std::optional<double> requiredKvy;           // m³/h
};

// A working value under its name, for output that names the values.
struct NamedValue {
    const char* name;
    std::optional<double> SizingValues::*value;
};

// Every working value of every kind, in the order of SizingValues.
const std::vector<NamedValue>& allValues();
// The working values a kind has, in the order its method computes them.
const std::vector<NamedValue>& valuesOf(EquipmentKind kind);

// One model a run offered. A field the kind's catalogue does not have is absent.
struct Offer {
    QString designation;
    std::optional<double> kvy;       // nominal capacity, m³/h
    std::optional<double> authority; // valve authority at the network flow
    std::optional<int> bore;         // nominal bore DN, mm
};

} // namespace selection
