#include "selection/SizingOutcome.h"

#include "core/Numbers.h"
#include "selection/Formulas.h"

using vedan::MathFault;

namespace selection {

namespace sizing {

vedan::Failure arithmeticFailure(MathFault fault)
{
    return {vedan::Failure::Kind::Input, QStringLiteral("Неправильный ввод данных.!!!"), fault};
}

vedan::Failure choicesMissing()
{
    return vedan::Failure::input(QStringLiteral("Выбраны не все параметры!"));
}

double record(SizingOutcome& outcome, const MethodStep& step, double value)
{
    outcome.values.*step.value = value;
    outcome.lines << memoLine(step, value);
    return value;
}

CapacityFigures appendCapacityFigures(SizingOutcome& outcome, const SizingInputs& in,
                                      EquipmentKind kind)
{
    const std::vector<MethodStep>& steps = methodSteps(kind);
    const formulas::DesignConditions c = formulas::designConditions(in);
    const qty::MassFlow flow = formulas::networkFlow(c.load, c.schedule);
    record(outcome, steps[0], flow.inTonnesPerHour());
    const qty::PressureDifference drop = formulas::availableDrop(c.pressures, c.resistance);
    record(outcome, steps[1], drop.inKgfPerCm2());
    const qty::FlowCoefficient kv = formulas::requiredKv(flow, drop);
    record(outcome, steps[2], kv.inCubicMetresPerHour());
    const qty::FlowCoefficient kvy = formulas::nominalKv(kv);
    record(outcome, steps[3], kvy.inCubicMetresPerHour());
    return {flow, drop, kv, kvy};
}

} // namespace sizing

} // namespace selection
