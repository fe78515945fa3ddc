#pragma once
// Cell addresses of a worksheet in the "A1" style (column letters, then the row number) and
// rectangular ranges given by two corner cells in either order. Depends on Qt Core only.

#include <QString>

namespace sheet {

constexpr int kMaxRow = 1048576;  // the last row of a worksheet
constexpr int kMaxColumn = 16384; // the last column, XFD

struct CellRef {
    int row = 1;    // 1-based
    int column = 1; // 1-based, A = 1
    bool operator==(const CellRef&) const = default;
};

struct CellRange {
    int firstRow = 1;
    int firstColumn = 1;
    int lastRow = 1;
    int lastColumn = 1;

    bool operator==(const CellRange&) const = default;
    bool contains(const CellRef& cell) const;
    bool contains(const CellRange& other) const;
    bool intersects(const CellRange& other) const;
    bool isSingleCell() const { return firstRow == lastRow && firstColumn == lastColumn; }
    CellRef topLeft() const { return {firstRow, firstColumn}; }
    QString address() const; // "A1:C1", or "A1" for a single cell
};

// "A" for 1, "Z" for 26, "AA" for 27, "XFD" for 16384.
QString columnName(int column);
QString cellName(const CellRef& cell);

// Parses "B7" (letters in either case); throws SheetError naming the refused address.
CellRef parseCell(const QString& address);
// The range between two corner cells, given in either order ("C1" to "A1" is A1:C1).
CellRange parseRange(const QString& first, const QString& last);

} // namespace sheet
