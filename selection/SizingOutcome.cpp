#include "selection/SizingOutcome.h"

#include "core/Numbers.h"

using vedan::Ext;
using vedan::MathFault;
using vedan::store;

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

double networkFlow(const SizingInputs& in)
{
    return store(Ext(in.heatLoad) * 1000000.0L * 1.163L * 3.6L
                 / ((Ext(in.supplyTemperature) - Ext(in.returnTemperature)) * 4.2L) / 1000.0L);
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
    CapacityFigures f{};
    f.networkFlow = record(outcome, steps[0], networkFlow(in));
    f.pressureDrop = record(
        outcome, steps[1],
        store(Ext(in.inletPressure) - Ext(in.outletPressure) - Ext(in.systemResistance) / 10.0L));
    f.requiredKv = record(outcome, steps[2], store(Ext(f.networkFlow) / sqrt(Ext(f.pressureDrop))));
    f.requiredKvy = record(outcome, steps[3], store(1.2L * Ext(f.requiredKv)));
    return f;
}

} // namespace sizing

} // namespace selection
