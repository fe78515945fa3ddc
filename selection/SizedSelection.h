#pragma once
// One sized selection: the request, the result lines its sizing method wrote, the working values
// and offered models it reached and the failure that stopped it. Everything the engineering
// checks, the heating season, the calculation sheet and the reports take from a selection.
// Depends on Qt Core and the selection library only.

#include "core/Failure.h"
#include "selection/SizingOutcome.h"
#include "selection/SizingRequest.h"
#include "selection/SizingValues.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace selection {

struct SizedSelection {
    SizingRequest request;
    QStringList lines;
    std::optional<vedan::Failure> failure;
    SizingValues values;
    std::vector<Offer> offers;

    // The text of the message box the sizing calls for, if any.
    std::optional<QString> message() const;
};

// A sizing method for a request: the library's, or a window's that shows its lines as it goes.
using SizingMethod = std::function<SizingOutcome(const SizingRequest&)>;

// The library's sizing method of the request's kind.
SizingOutcome sizeWithLibrary(const SizingRequest& request);

// The request sized by the method.
SizedSelection size(const SizingRequest& request, const SizingMethod& method = sizeWithLibrary);

} // namespace selection
