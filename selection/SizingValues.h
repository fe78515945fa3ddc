#pragma once
// The working values of a sizing run as the methods computed them, unrounded, each a quantity
// with its unit, and the models a run offered. A value a run did not reach (it stopped before,
// or the kind has no such value) is absent. The engineering checks read these, never the printed
// texts. Output that names the values (JSON, CSV, the result box) reads each through its
// ValueField, in the unit the output gives it.
// Depends on the quantities and Qt Core only.

#include "core/Quantities.h"
#include "selection/EquipmentKinds.h"

#include <QString>
#include <optional>
#include <vector>

namespace selection {

struct SizingValues {
    std::optional<qty::MassFlow> networkFlow;
    std::optional<double> mixingRatio;                            // hydroelevator, a pure number
    std::optional<qty::Head> availableHead;                       // hydroelevator
    std::optional<qty::Diameter> throatDiameter;                  // hydroelevator
    std::optional<qty::Diameter> nozzleDiameter;                  // hydroelevator
    std::optional<qty::PressureDifference> regulatorPressureDrop; // regulator
    std::optional<qty::PressureDifference> valvePressureDrop;     // control and mixing valves
    std::optional<qty::FlowCoefficient> requiredKv;
    std::optional<qty::FlowCoefficient> requiredKvy;
};

// One working value as output gives it: read from SizingValues in its output unit (t/h, m, mm,
// kgf/cm², m³/h) as a plain number. Each value has one ValueField (valuefields::kNetworkFlow …),
// so that the address names the value.
struct ValueField {
    std::optional<double> (*read)(const SizingValues& values);
};

namespace detail {

template <auto Member, auto Unit> std::optional<double> readIn(const SizingValues& values)
{
    return qty::readIn(values.*Member, Unit);
}

inline std::optional<double> readMixingRatio(const SizingValues& values)
{
    return values.mixingRatio;
}

} // namespace detail

namespace valuefields {

using V = SizingValues;
inline constexpr ValueField kNetworkFlow{
    &detail::readIn<&V::networkFlow, &qty::MassFlow::inTonnesPerHour>};
inline constexpr ValueField kMixingRatio{&detail::readMixingRatio};
inline constexpr ValueField kAvailableHead{
    &detail::readIn<&V::availableHead, &qty::Head::inMetres>};
inline constexpr ValueField kThroatDiameter{
    &detail::readIn<&V::throatDiameter, &qty::Diameter::inMillimetres>};
inline constexpr ValueField kNozzleDiameter{
    &detail::readIn<&V::nozzleDiameter, &qty::Diameter::inMillimetres>};
inline constexpr ValueField kRegulatorPressureDrop{
    &detail::readIn<&V::regulatorPressureDrop, &qty::PressureDifference::inKgfPerCm2>};
inline constexpr ValueField kValvePressureDrop{
    &detail::readIn<&V::valvePressureDrop, &qty::PressureDifference::inKgfPerCm2>};
inline constexpr ValueField kRequiredKv{
    &detail::readIn<&V::requiredKv, &qty::FlowCoefficient::inCubicMetresPerHour>};
inline constexpr ValueField kRequiredKvy{
    &detail::readIn<&V::requiredKvy, &qty::FlowCoefficient::inCubicMetresPerHour>};

// Every value, in the order of SizingValues.
inline constexpr const ValueField* kAll[] = {
    &kNetworkFlow,       &kMixingRatio,    &kAvailableHead,
    &kThroatDiameter,    &kNozzleDiameter, &kRegulatorPressureDrop,
    &kValvePressureDrop, &kRequiredKv,     &kRequiredKvy};

} // namespace valuefields

// A working value under its name, for output that names the values.
struct NamedValue {
    const char* name;
    const ValueField* value;
    // The value of a run in its output unit; absent where the run has none.
    std::optional<double> of(const SizingValues& values) const { return value->read(values); }
};

// Every working value of every kind, in the order of SizingValues.
const std::vector<NamedValue>& allValues();
// The working values a kind has, in the order its method computes them.
const std::vector<NamedValue>& valuesOf(EquipmentKind kind);

// One model a run offered. A field the kind's catalogue does not have is absent.
struct Offer {
    QString designation;
    std::optional<qty::FlowCoefficient> kvy; // nominal capacity
    std::optional<double> authority;         // valve authority at the network flow
    std::optional<qty::Diameter> bore;       // nominal bore DN, a whole number of mm
};

} // namespace selection
