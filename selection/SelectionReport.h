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
    QString caption;           // the window's title: the equipment kind
    QString inletPressure;     // Edit1 as typed
    QString outletPressure;    // Edit2
    QString supplyTemperature; // Edit3
    QString returnTemperature; // Edit4
    QString heatLoad;          // Edit5
    QString systemResistance;  // Edit6
    QString inletUnit;         // ComboBox2's displayed text (may be the prompt)
    QString outletUnit;        // ComboBox3
    QString loadUnit;          // ComboBox4
    QString resistanceUnit;    // ComboBox1
    QStringList resultLines;   // the lines of Memo2, empty lines included
    QDateTime when;            // the moment of the export
};

// Runs the whole export on xl, from connect to disconnect; a refused operation ends it there.
vedan::Status writeSelectionReport(sheet::XLApp& xl, const SelectionReportData& data);

} // namespace selection
