#pragma once
// Writes a worksheet model as an .xlsx workbook with libxlsxwriter. The file appears whole or
// not at all: the workbook is written in a private folder first and then moved into place
// (core/SafeFile.h). Every text goes through the file's escapes (sheet/XlsxText.h), so the
// workbook is always valid. Depends on Qt Core and libxlsxwriter only.

#include "sheet/SheetModel.h"

#include <QString>

namespace sheet {

// Replaces the file at `path` (standard output for "-"); its folder must exist.
// Throws SheetError naming the file and the reason when it cannot be written.
void writeXlsx(const SheetModel& model, const QString& path);
// A new file in the folder of unsaved workbooks, named from `stem`; answers its path.
// Throws SheetError as writeXlsx does.
QString writeNewExport(const SheetModel& model, const QString& stem);

} // namespace sheet
