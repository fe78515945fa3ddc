#include "selection/SizedSelection.h"

#include "selection/HydroelevatorSizing.h"
#include "selection/RegulatorSizing.h"
#include "selection/ValveSizing.h"

namespace selection {

std::optional<QString> SizedSelection::message() const
{
    if (!failure)
        return std::nullopt;
    return failure->message;
}

SizingOutcome sizeWithLibrary(const SizingRequest& request)
{
    const SizingInputs in = inputsOf(request.conditions);
    switch (request.kind) {
    case EquipmentKind::Hydroelevator: return sizing::PodborRG(in);
    case EquipmentKind::ControlValve: return sizing::PodborKZR(in);
    case EquipmentKind::MixingValve: return sizing::PodborKST(in);
    case EquipmentKind::Regulator: {
        const RegulatorChoice choice = request.regulator.value_or(RegulatorChoice{});
        return sizing::PodborRp(in, choice.series, choice.settingRange);
    }
    }
    return {};
}

SizedSelection size(const SizingRequest& request, const SizingMethod& method)
{
    SizingOutcome outcome = method(request);
    return {.request = request,
            .lines = std::move(outcome.lines),
            .failure = std::move(outcome.failure),
            .values = outcome.values,
            .offers = std::move(outcome.offers)};
}

} // namespace selection
