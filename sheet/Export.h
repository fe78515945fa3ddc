#pragma once
// The frame of every export: the opening operations that give a new workbook its first
// worksheet with the sheet-wide defaults, and the closing ones that show the spreadsheet
// application and let go of it. A refusal of any operation in between ends the export as a
// Failure of kind Sheet, with the spreadsheet layer's message; what was written before it stays.
// Depends on Qt Core and the spreadsheet operations only.

#include "core/Failure.h"
#include "sheet/XLApp.h"

#include <QString>
#include <functional>

namespace sheet {

// connect, a new one-sheet workbook, its first worksheet named `sheetName`, every column bold,
// right-aligned and 14 characters wide; then `body`, shows the application and lets go of it.
vedan::Status runExport(XLApp& xl, const QString& sheetName, const std::function<void()>& body);

} // namespace sheet
