#include "selection/SizingValues.h"

namespace selection {

const std::vector<NamedValue>& allValues()
{
    using V = SizingValues;
    static const std::vector<NamedValue> all = {
        {"networkFlow", &V::networkFlow},
        {"mixingRatio", &V::mixingRatio},
        {"availableHead", &V::availableHead},
        {"throatDiameter", &V::throatDiameter},
        {"nozzleDiameter", &V::nozzleDiameter},
        {"regulatorPressureDrop", &V::regulatorPressureDrop},
        {"valvePressureDrop", &V::valvePressureDrop},
        {"requiredKv", &V::requiredKv},
        {"requiredKvy", &V::requiredKvy},
    };
    return all;
}

const std::vector<NamedValue>& valuesOf(EquipmentKind kind)
{
    using V = SizingValues;
    static const std::vector<NamedValue> hydroelevator = {
        {"networkFlow", &V::networkFlow},       {"mixingRatio", &V::mixingRatio},
        {"availableHead", &V::availableHead},   {"throatDiameter", &V::throatDiameter},
        {"nozzleDiameter", &V::nozzleDiameter},
    };
    static const std::vector<NamedValue> valve = {
        {"networkFlow", &V::networkFlow},
        {"valvePressureDrop", &V::valvePressureDrop},
        {"requiredKv", &V::requiredKv},
        {"requiredKvy", &V::requiredKvy},
    };
    static const std::vector<NamedValue> regulator = {
        {"networkFlow", &V::networkFlow},
        {"regulatorPressureDrop", &V::regulatorPressureDrop},
        {"requiredKv", &V::requiredKv},
        {"requiredKvy", &V::requiredKvy},
    };
    switch (kind) {
    case EquipmentKind::Hydroelevator: return hydroelevator;
    case EquipmentKind::ControlValve:
    case EquipmentKind::MixingValve: return valve;
    case EquipmentKind::Regulator: return regulator;
    }
    return hydroelevator;
}

} // namespace selection
