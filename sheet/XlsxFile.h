#pragma once
// Writes a worksheet model as an .xlsx workbook with libxlsxwriter. The file appears whole or
// not at all: the workbook is written next to it first and then moved into place, replacing
// an earlier file of that name. Depends on Qt Core and libxlsxwriter only.

#include "sheet/SheetModel.h"

#include <QString>

namespace sheet {

// Throws SheetError naming the file when it cannot be written.
void writeXlsx(const SheetModel& model, const QString& path);

} // namespace sheet
