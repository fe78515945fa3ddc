#pragma once
// What a sizing method hands back: the result lines written so far, the working values and
// offered models it reached, and the failure that stopped it. The selection reports an
// arithmetic fault as bad input, with its own message.
// Depends on Qt Core and the checked arithmetic only.

#include "core/Checked.h"
#include "core/Failure.h"
#include "core/Quantities.h"
#include "selection/MethodSteps.h"
#include "selection/SizingInputs.h"
#include "selection/SizingValues.h"

#include <QStringList>

namespace selection {

struct SizingOutcome {
    QStringList lines;
    std::optional<vedan::Failure> failure;
    selection::SizingValues values;       // unrounded, as far as the run got
    std::vector<selection::Offer> offers; // in the order of the offer lines

    bool ok() const { return !failure; }
};

namespace sizing {

// "Неправильный ввод данных.!!!": an arithmetic fault of a sizing, which the selection window
// reports as bad input.
vedan::Failure arithmeticFailure(vedan::MathFault fault);
// "Выбраны не все параметры!": the regulator's series or setting range is not chosen.
vedan::Failure choicesMissing();

// Runs body(outcome); a MathError thrown inside ends the run with the lines and values written
// before it.
template <typename Body> SizingOutcome guarded(Body&& body)
{
    SizingOutcome outcome;
    try {
        body(outcome);
    } catch (const vedan::MathError& error) {
        outcome.failure = arithmeticFailure(error.fault());
    }
    return outcome;
}

// The figures that a valve and a regulator are chosen by.
struct CapacityFigures {
    qty::MassFlow networkFlow;
    qty::PressureDifference pressureDrop; // left across the device after the system's resistance
    qty::FlowCoefficient requiredKv;
    qty::FlowCoefficient requiredKvy; // 1.2 × requiredKv
};

// Appends the line of a step, with its value as the outcome's values hold it.
void appendLine(SizingOutcome& outcome, const MethodStep& step);

// Keeps a computed value in its field of the outcome's values and appends its step's line.
template <typename Quantity>
Quantity record(SizingOutcome& outcome, std::optional<Quantity> selection::SizingValues::*field,
                const MethodStep& step, Quantity value)
{
    outcome.values.*field = value;
    appendLine(outcome, step);
    return value;
}

// Computes the four figures of the kind's method (selection/MethodSteps.h: flow, pressure drop,
// capacity, nominal capacity) and, as soon as each is known, records it.
CapacityFigures appendCapacityFigures(SizingOutcome& outcome, const SizingInputs& in,
                                      EquipmentKind kind);

} // namespace sizing

} // namespace selection
