#include "selection/ReportInputs.h"

#include "selection/Units.h"

namespace selection {

SelectionReportData reportData(const SelectionForm& form, const QStringList& resultLines,
                               const QDateTime& when)
{
    SelectionReportData data;
    data.caption = form.title;
    data.inletPressure = form.edit1;
    data.outletPressure = form.edit2;
    data.supplyTemperature = form.edit3;
    data.returnTemperature = form.edit4;
    data.heatLoad = form.edit5;
    data.systemResistance = form.edit6;
    data.inletUnit = units::pressureUnitItems().value(form.comboBox2);
    data.outletUnit = units::pressureUnitItems().value(form.comboBox3);
    data.loadUnit = units::loadUnitItems().value(form.comboBox4);
    data.resistanceUnit = units::headUnitItems().value(form.comboBox1);
    data.resultLines = resultLines;
    data.when = when;
    return data;
}

} // namespace selection
