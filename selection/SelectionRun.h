#pragma once
// What the button "Подобрать" did, as the window shows it and the command-line tool prints it:
// the failure that stopped the inputs from reading, or the sized selection with its lines and
// the failure that stopped its sizing. Depends on Qt Core and the selection library only.

#include "core/Failure.h"
#include "selection/SizedSelection.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace selection {

// Neither a refusal nor a sized selection when there was no kind to size.
struct SelectionRun {
    std::optional<vedan::Failure> refusal; // the form's
    std::optional<SizedSelection> sized;

    // The refusal, or the failure that stopped the sizing.
    std::optional<vedan::Failure> failure() const;
    // The text of the message box the run calls for, if any.
    std::optional<QString> message() const;
    // The result lines; none without a sizing.
    QStringList lines() const;
};

} // namespace selection
