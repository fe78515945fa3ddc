#include "sheet/SheetModel.h"

namespace sheet {

std::optional<Cell> SheetModel::cell(const QString& address) const
{
    const CellRef ref = parseCell(address);
    const auto found = cells.find({ref.row, ref.column});
    if (found == cells.end())
        return std::nullopt;
    return found->second;
}

double SheetModel::columnWidth(int column) const
{
    const auto found = columnWidths.find(column);
    return found == columnWidths.end() ? columnsWidth : found->second;
}

const CellRange* SheetModel::mergeAt(const CellRef& cell) const
{
    for (const CellRange& merge : merges)
        if (merge.contains(cell))
            return &merge;
    return nullptr;
}

Cell& SheetModel::touch(const CellRef& ref)
{
    auto [it, inserted] = cells.try_emplace({ref.row, ref.column});
    if (inserted)
        it->second.style = columnsStyle;
    return it->second;
}

} // namespace sheet
