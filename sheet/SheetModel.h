#pragma once
// The worksheet that the spreadsheet operations build in memory: cells with their value kind
// and style, merged areas, the column defaults of the whole sheet and the widths of single
// columns. The operations change it; showApplication writes it as an .xlsx file; tests read it.
// Cells are kept sorted by position and merged areas are indexed by row, so that finding a
// cell, the merged area over a cell or the merged areas across a range costs a logarithm of the
// sheet's size, however long the sheet grows.
// Depends on Qt Core only.

#include "sheet/CellRange.h"

#include <QString>
#include <cstddef>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace sheet {

constexpr double kStandardWidth = 8.43; // a new sheet's column width, in characters
constexpr int kGeneralAlignment = 1;    // the alignment of a new sheet: by value kind

struct CellStyle {
    bool bold = false;
    int alignment = kGeneralAlignment; // xlLeft, xlCenter, xlRight or kGeneralAlignment
    bool wrap = false;                 // a text wider than the cell goes on to further lines
    bool operator==(const CellStyle&) const = default;
    bool operator<(const CellStyle& o) const
    {
        return std::tuple(bold, alignment, wrap) < std::tuple(o.bold, o.alignment, o.wrap);
    }
};

struct Cell {
    enum class Kind { Empty, Number, Text, Formula };
    Kind kind = Kind::Empty;
    QString text;      // the text, the formula, or the number's typed text
    double number = 0; // the value of a number cell
    CellStyle style;
};

class SheetModel {
public:
    QString name = QStringLiteral("Лист1");
    CellStyle columnsStyle; // the sheet-wide column defaults
    double columnsWidth = kStandardWidth;
    std::map<int, double> columnWidths; // single columns set apart from the default
    // The merged areas, none overlapping another, in no particular order. Read them here;
    // change them only through addMerge and removeMerge, which keep the index.
    std::vector<CellRange> merges;
    // Every cell that holds a value or a style of its own, keyed by (row, column).
    std::map<std::pair<int, int>, Cell> cells;

    // The cell at an "A1" address, or nullopt where nothing was written or styled.
    std::optional<Cell> cell(const QString& address) const;
    double columnWidth(int column) const;
    // The merged area that holds the cell, if any.
    const CellRange* mergeAt(const CellRef& cell) const;
    // Every merged area that shares at least one cell with the range.
    std::vector<CellRange> mergesAcross(const CellRange& range) const;
    // Adds a merged area that overlaps none of the present ones.
    void addMerge(const CellRange& merge);
    void removeMerge(const CellRange& merge);
    // Removes every cell of the range, except the one given.
    void eraseCells(const CellRange& range, const CellRef& kept);

    // Creates the cell with the sheet's current column style where it does not exist yet.
    Cell& touch(const CellRef& ref);

private:
    // For each row that merged areas cross: their first column -> their place in `merges`.
    std::map<int, std::map<int, std::size_t>> m_mergeRows;
};

} // namespace sheet
