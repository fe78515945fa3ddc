#pragma once
// What the selection report is built from: the inputs as typed, the unit choices as shown, and
// the result lines. Shared by the window and the command-line tool.
// Depends on Qt Core and the selection library only.

#include "selection/SelectionReport.h"
#include "selection/SizingRequest.h"

#include <QDateTime>
#include <QStringList>

namespace selection {

SelectionReportData reportData(const TypedTexts& texts, const QStringList& resultLines,
                               const QDateTime& when);

} // namespace selection
