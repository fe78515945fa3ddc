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

void appendValue(QStringList& lines, const char* prefix, double value, const char* suffix)
{
    lines << QString::fromUtf8(prefix) + num::f2(value) + QString::fromUtf8(suffix);
}

double networkFlow(const SizingInputs& in)
{
    return store(Ext(in.heatLoad) * 1000000.0L * 1.163L * 3.6L
                 / ((Ext(in.supplyTemperature) - Ext(in.returnTemperature)) * 4.2L) / 1000.0L);
}

CapacityFigures appendCapacityFigures(SizingOutcome& outcome, const SizingInputs& in,
                                      std::optional<double> selection::SizingValues::*dropValue,
                                      const char* devicePrepositional, const char* deviceGenitive)
{
    QStringList& lines = outcome.lines;
    selection::SizingValues& values = outcome.values;
    CapacityFigures f{};
    f.networkFlow = networkFlow(in);
    values.networkFlow = f.networkFlow;
    appendValue(lines, "Расход сетевой воды = ", f.networkFlow, " т/час");

    f.pressureDrop =
        store(Ext(in.inletPressure) - Ext(in.outletPressure) - Ext(in.systemResistance) / 10.0L);
    values.*dropValue = f.pressureDrop;
    const QByteArray drop =
        QByteArray("Перепад давления на ") + devicePrepositional + " с учетом падения давления = ";
    appendValue(lines, drop.constData(), f.pressureDrop, " кгс/см2");

    f.requiredKv = store(Ext(f.networkFlow) / sqrt(Ext(f.pressureDrop)));
    values.requiredKv = f.requiredKv;
    const QByteArray kv = QByteArray("Пропускная способность ") + deviceGenitive + " = ";
    appendValue(lines, kv.constData(), f.requiredKv, " м3/час");

    f.requiredKvy = store(1.2L * Ext(f.requiredKv));
    values.requiredKvy = f.requiredKvy;
    const QByteArray kvy = QByteArray("Условная пропускная способность ") + deviceGenitive + " = ";
    appendValue(lines, kvy.constData(), f.requiredKvy, " м3/час");
    return f;
}

} // namespace sizing

} // namespace selection
