#include "selection/SelectionRun.h"

namespace selection {

std::optional<vedan::Failure> SelectionRun::failure() const
{
    if (refusal)
        return refusal;
    return sized ? sized->failure : std::nullopt;
}

std::optional<QString> SelectionRun::message() const
{
    const std::optional<vedan::Failure> stopped = failure();
    if (!stopped)
        return std::nullopt;
    return stopped->message;
}

QStringList SelectionRun::lines() const { return sized ? sized->lines : QStringList(); }

} // namespace selection
