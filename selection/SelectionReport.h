#pragma once
// The selection report: the equipment kind, the date and time, the inputs as typed with their
// units, and the result lines, laid out on the sheet "Подбор ЭЖ" through the spreadsheet
// operations; a result line wider than its merged row wraps inside it. Depends on Qt Core and the
// spreadsheet layer only.

#include "core/Failure.h"
#include "sheet/XLApp.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace selection {

struct SelectionReportData {
    QString caption;       // the window's title: the equipment kind
    QString inletPressure; // as typed
    QString outletPressure;
    QString supplyTemperature;
    QString returnTemperature;
    QString heatLoad;
    QString systemResistance;
    QString inletUnit; // the unit choice's text as shown (may be the prompt)
    QString outletUnit;
    QString loadUnit;
    QString resistanceUnit;
    QStringList resultLines; // the lines of the result box, empty lines included
    QDateTime when;          // the moment of the export
};

// Runs the whole export on xl, from connect to disconnect; a refused operation ends it there.
vedan::Status writeSelectionReport(sheet::XLApp& xl, const SelectionReportData& data);

} // namespace selection
