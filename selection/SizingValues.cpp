#include "selection/SizingValues.h"

#include "selection/MethodSteps.h"

namespace selection {

// The columns of every value in the order of SizingValues, each under the name its step gives it.
const std::vector<NamedValue>& allValues()
{
    static const std::vector<NamedValue> all = [] {
        std::vector<NamedValue> columns;
        for (const ValueField* member : valuefields::kAll) {
            const char* name = nullptr;
            for (const EquipmentKind kind : kinds::kAll)
                for (const MethodStep& step : methodSteps(kind))
                    if (step.value == member)
                        name = step.name;
            columns.push_back({name, member});
        }
        return columns;
    }();
    return all;
}

const std::vector<NamedValue>& valuesOf(EquipmentKind kind)
{
    static const auto named = [](EquipmentKind of) {
        std::vector<NamedValue> values;
        for (const MethodStep& step : methodSteps(of))
            values.push_back({step.name, step.value});
        return values;
    };
    static const std::vector<NamedValue> byKind[] = {
        named(EquipmentKind::Hydroelevator), named(EquipmentKind::ControlValve),
        named(EquipmentKind::MixingValve), named(EquipmentKind::Regulator)};
    return byKind[static_cast<int>(kind)];
}

} // namespace selection
