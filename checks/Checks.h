#pragma once
// The engineering checks beside a selection: whether the supply water is liquid at the inlet,
// whether a hydroelevator has the head it needs, whether a valve or regulator cavitates, chokes
// or lets the water flash, whether a valve has authority enough and the water in it a quiet
// velocity, whether a differential-pressure regulator can hold the differential. Each check is
// computed from the converted inputs and the unrounded working values and offers of the sizing,
// and gives a verdict with its formula, numbers, limits and source. A check that concerns the
// case but cannot be evaluated for it (its inputs outside its method's range, or an arithmetic
// fault) has failed, with the reason in its note; "not applicable" is kept for a check that does
// not concern the case, or that rests on a supply.liquid or supply.schedule that already failed.
// A selection that offers no model fails its check selection.offer.
// Depends on the selection library (no Widgets), the water properties and Qt Core.

#include "selection/SizedSelection.h"

#include <QString>
#include <optional>
#include <vector>

namespace checks {

enum class Status { Passed, Warning, Failed, NotApplicable };

struct Check {
    QString id;                         // "valve.cavitation"
    std::optional<QString> designation; // the offered model a per-model check is about
    Status status = Status::NotApplicable;
    QString title;   // Russian
    QString formula; // with the numbers put in, or why the check does not apply
    QString note;    // what the check assumes, or empty
    std::optional<double> value;
    std::optional<double> warningLimit;
    std::optional<double> failLimit;
    QString unit; // of the value and limits; empty for a pure number
    QString source;
};

// A check as the catalogue lists it, whatever the case: its name, where it comes from, which
// kinds it concerns, whether it is made for each offered model, and its fixed limits in words
// ("предупреждение: v > 3 м/с"), empty where its limits come from the case alone.
struct CatalogueEntry {
    QString id;
    QString title;
    QString source;
    std::vector<selection::EquipmentKind> kinds;
    bool perOffer = false;
    QString limits;
};

// Every check, in the order of the checks table. The user's guide prints it.
const std::vector<CatalogueEntry>& catalogue();

// The checks of a sized selection, in the order of the checks table, a per-model check once for
// each offered model; none when its sizing stopped. With texts false the checks have their ids,
// statuses, values and limits but no formulas, notes or units (a batch written as a table needs
// no more).
std::vector<Check> evaluate(const selection::SizedSelection& sized, bool texts = true);

// The verdict of a selection, of a season point and of a batch row, everywhere the same: the
// worst status among its checks, failed before warning before passed; a check that does not
// apply does not count, and when none applies (or there is none) the verdict is NotApplicable.
Status verdict(const std::vector<Check>& checks);

// "passed", "warning", "failed", "not_applicable".
QString statusId(Status status);
// The Russian word for the status.
QString statusText(Status status);

} // namespace checks
