#pragma once
// One substation case of vedan-cli, shared by the single command and by every row of its batch so
// that both read, compute and print it the same way: the sizing kind whose inputs a scheme reads,
// the budget's options from the numbers given, and the budget as JSON. Depends on Qt Core, core
// and the selection, checks and substation libraries.

#include "core/Failure.h"
#include "core/Json.h"
#include "selection/EquipmentKinds.h"
#include "selection/SizingRequest.h"
#include "substation/Substation.h"

#include <QString>
#include <optional>

namespace cli {

// The scheme of its identifier, or the message that refuses it: none given, or not a scheme.
vedan::Outcome<substation::Scheme> schemeOf(const std::optional<QString>& id);

// The regulator's schemes read their inputs as the control valve does: the regulator's series is
// always "ЖМ" and its range is the substation's own, so the choices of the regulator's own sizing
// do not apply. The elevator reads them as the hydroelevator.
selection::EquipmentKind requestKind(substation::Scheme scheme);
// The same kind as size names it ("hydroelevator", "control-valve").
QString sizeKindOf(substation::Scheme scheme);

struct SubstationRequest {
    selection::SizingRequest sizing;
    substation::Options options;
};

// The substation's own numbers as given, none where left out.
struct SubstationNumbers {
    std::optional<double> otherLosses;
    std::optional<double> authority;
    std::optional<double> range;
    std::optional<double> maxElevatorHead;
    std::optional<double> minBore;
};

// Each number by its name as an option without its dashes and as a column of the batch, in the
// order they are read; "range" is also a field of size, the regulator's setting range.
struct SubstationNumberField {
    const char* name;
    std::optional<double> SubstationNumbers::*member;
};
inline constexpr SubstationNumberField kSubstationNumberFields[] = {
    {"other-losses", &SubstationNumbers::otherLosses},
    {"authority", &SubstationNumbers::authority},
    {"range", &SubstationNumbers::range},
    {"max-elevator-head", &SubstationNumbers::maxElevatorHead},
    {"min-bore", &SubstationNumbers::minBore},
};

// The scheme's options with the numbers given and the library's defaults for the rest; the budget
// refuses those out of their range.
substation::Options substationOptions(substation::Scheme scheme, const SubstationNumbers& numbers);

// {"scheme", "networkFlow", "availableHead", "elements", "checks", "verdict"}: numbers unrounded,
// each element with the fields of its kind, null where it has none.
json::Value budgetJson(const substation::Budget& b);

} // namespace cli
