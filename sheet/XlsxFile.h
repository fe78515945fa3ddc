#pragma once
// Writes a worksheet model as an .xlsx workbook with libxlsxwriter. The file appears whole or
// not at all: the workbook is written in a private folder first and then moved into place
// (core/SafeFile.h). Every text goes through the file's escapes (sheet/XlsxText.h), so the
// workbook is always valid. Depends on Qt Core and libxlsxwriter only.

#include "sheet/SheetModel.h"

#include "core/Failure.h"

#include <QString>
#include <functional>

namespace sheet {

// The most rows and the longest text (in the file's escaped form) a sheet holds.
inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxCellText = 32767;
// Whether a text fits one cell.
bool fitsInCell(const QString& text);

// A sheet written a row at a time, in the writer's constant-memory mode: the rows must come in
// order, and memory does not grow with them.
class RowSheet {
public:
    virtual ~RowSheet() = default;
    // Row 0 is the first; within a row, cells left to right. A text that does not fit a cell is
    // the caller's to refuse before.
    virtual void number(int row, int column, double value) = 0;
    virtual void text(int row, int column, const QString& value) = 0;
};

// Writes a workbook of one sheet at `path` as writeXlsx does (standard output for "-"), its rows
// given by `produce`; a failure `produce` answers ends the save without replacing anything.
struct RowsBook {
    QString path;
    QString sheetName;
};
vedan::Status writeRowsXlsx(const RowsBook& book,
                            const std::function<vedan::Status(RowSheet&)>& produce);

// Replaces the file at `path` (standard output for "-"); its folder must exist.
// Throws SheetError naming the file and the reason when it cannot be written.
void writeXlsx(const SheetModel& model, const QString& path);
// A new file in the folder of unsaved workbooks, named from `stem`; answers its path.
// Throws SheetError as writeXlsx does.
QString writeNewExport(const SheetModel& model, const QString& stem);

} // namespace sheet
