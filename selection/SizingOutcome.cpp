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

void appendLine(SizingOutcome& outcome, const MethodStep& step)
{
    outcome.lines << memoLine(step, step.value->read(outcome.values).value());
}

CapacityFigures appendCapacityFigures(SizingOutcome& outcome, const SizingInputs& in,
                                      EquipmentKind kind)
{
    const std::vector<MethodStep>& steps = methodSteps(kind);
    const formulas::DesignConditions c = formulas::designConditions(in);
    const qty::MassFlow flow = formulas::networkFlow(c.load, c.schedule);
    record(outcome, &SizingValues::networkFlow, steps[0], flow);
    const qty::PressureDifference drop = formulas::availableDrop(c.pressures, c.resistance);
    record(outcome,
           kind == EquipmentKind::Regulator ? &SizingValues::regulatorPressureDrop
                                            : &SizingValues::valvePressureDrop,
           steps[1], drop);
    const qty::FlowCoefficient kv = formulas::requiredKv(flow, drop);
    record(outcome, &SizingValues::requiredKv, steps[2], kv);
    const qty::FlowCoefficient kvy = formulas::nominalKv(kv);
    record(outcome, &SizingValues::requiredKvy, steps[3], kvy);
    return {flow, drop, kv, kvy};
}

} // namespace sizing

} // namespace selection
