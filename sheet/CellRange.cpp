#include "sheet/CellRange.h"

#include "sheet/XLApp.h"

#include <algorithm>

namespace sheet {

bool CellRange::contains(const CellRef& cell) const
{
    return cell.row >= firstRow && cell.row <= lastRow && cell.column >= firstColumn
           && cell.column <= lastColumn;
}

bool CellRange::contains(const CellRange& other) const
{
    return contains(CellRef{other.firstRow, other.firstColumn})
           && contains(CellRef{other.lastRow, other.lastColumn});
}

bool CellRange::intersects(const CellRange& other) const
{
    return firstRow <= other.lastRow && other.firstRow <= lastRow && firstColumn <= other.lastColumn
           && other.firstColumn <= lastColumn;
}

QString CellRange::address() const
{
    const QString first = cellName(topLeft());
    return isSingleCell() ? first : first + ':' + cellName({lastRow, lastColumn});
}

QString columnName(int column)
{
    QString name;
    for (int n = column; n > 0; n = (n - 1) / 26)
        name.prepend(QChar('A' + (n - 1) % 26));
    return name;
}

QString cellName(const CellRef& cell)
{
    return columnName(cell.column) + QString::number(cell.row);
}

namespace {

[[noreturn]] void refuseAddress(const QString& address)
{
    throw SheetError(QStringLiteral("Неверный адрес ячейки «%1»: ожидается адрес вида A1 "
                                    "в пределах листа (столбцы A–XFD, строки 1–1048576)")
                         .arg(address));
}

} // namespace

CellRef parseCell(const QString& address)
{
    int i = 0;
    long long column = 0;
    while (i < address.size() && i < 4 && address[i].isLetter() && address[i].toUpper() >= 'A'
           && address[i].toUpper() <= 'Z') {
        column = column * 26 + (address[i].toUpper().unicode() - 'A' + 1);
        ++i;
    }
    const QString digits = address.mid(i);
    bool digitsOnly =
        !digits.isEmpty() && digits.size() <= 8
        && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= '0' && c <= '9'; });
    if (i == 0 || !digitsOnly || column > kMaxColumn)
        refuseAddress(address);
    const long long row = digits.toLongLong();
    if (row < 1 || row > kMaxRow)
        refuseAddress(address);
    return {int(row), int(column)};
}

CellRange parseRange(const QString& first, const QString& last)
{
    const CellRef a = parseCell(first);
    const CellRef b = parseCell(last);
    return {std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
            std::max(a.column, b.column)};
}

} // namespace sheet
