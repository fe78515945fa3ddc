#include "selection/ReportInputs.h"

namespace selection {

SelectionReportData reportData(const TypedTexts& texts, const QStringList& resultLines,
                               const QDateTime& when)
{
    SelectionReportData data;
    data.caption = texts.caption;
    data.inletPressure = texts.inletPressure;
    data.outletPressure = texts.outletPressure;
    data.supplyTemperature = texts.supplyTemperature;
    data.returnTemperature = texts.returnTemperature;
    data.heatLoad = texts.heatLoad;
    data.systemResistance = texts.systemResistance;
    data.inletUnit = texts.inletUnit.text;
    data.outletUnit = texts.outletUnit.text;
    data.loadUnit = texts.loadUnit.text;
    data.resistanceUnit = texts.resistanceUnit.text;
    data.resultLines = resultLines;
    data.when = when;
    return data;
}

} // namespace selection
