#pragma once
// The export of an assessment report to a worksheet: one merged row A:E per report line, the
// first four rows centred, the rest left, a line wider than its row wrapped inside it, on a sheet
// named "ТЭО" and the object name.
// Depends on Qt Core and the spreadsheet operations only.

#include "core/Failure.h"

#include <QString>
#include <QStringList>

namespace sheet {
class XLApp;
}

namespace assessment {

QString exportSheetName(const QString& objectName);

// Builds the sheet from the lines and shows it; a refused operation (a sheet name that the
// spreadsheet refuses, say) ends it there, and what was written before stays in the workbook.
vedan::Status exportReport(sheet::XLApp& xl, const QStringList& lines, const QString& objectName);

} // namespace assessment
