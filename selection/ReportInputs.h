#pragma once
// What the selection report is built from: the window's inputs as typed, the unit combo texts
// as displayed, and the result lines. Shared by the window and the command-line tool.
// Depends on Qt Core and the selection library only.

#include "selection/SelectionReport.h"
#include "selection/SelectionRun.h"

#include <QDateTime>
#include <QStringList>

namespace selection {

SelectionReportData reportData(const SelectionForm& form, const QStringList& resultLines,
                               const QDateTime& when);

} // namespace selection
