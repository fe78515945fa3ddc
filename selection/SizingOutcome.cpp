#include "SizingOutcome.h"

#include "Numbers.h"

namespace sizing {

void appendValue(QStringList& lines, const char* prefix, double value, const char* suffix)
{
    lines << QString::fromUtf8(prefix) + num::f2(value) + QString::fromUtf8(suffix);
}

double networkFlow(const SizingInputs& in)
{
    return store(Ext(in.heatLoad) * 1000000.0L * 1.163L * 3.6L
                 / ((Ext(in.supplyTemperature) - Ext(in.returnTemperature)) * 4.2L) / 1000.0L);
}

} // namespace sizing
