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
    const auto row = m_mergeRows.find(cell.row);
    if (row == m_mergeRows.end())
        return nullptr;
    // The areas of one row do not overlap: only the last one starting at or before the
    // column can hold the cell.
    auto next = row->second.upper_bound(cell.column);
    if (next == row->second.begin())
        return nullptr;
    const CellRange& merge = merges[std::prev(next)->second];
    return merge.contains(cell) ? &merge : nullptr;
}

std::vector<CellRange> SheetModel::mergesAcross(const CellRange& range) const
{
    std::vector<CellRange> found;
    for (auto row = m_mergeRows.lower_bound(range.firstRow);
         row != m_mergeRows.end() && row->first <= range.lastRow; ++row) {
        auto it = row->second.upper_bound(range.firstColumn);
        if (it != row->second.begin())
            --it;
        for (; it != row->second.end() && it->first <= range.lastColumn; ++it) {
            const CellRange& merge = merges[it->second];
            // An area spanning several rows is reported once, from its first row in the range.
            const int firstSeen = std::max(merge.firstRow, range.firstRow);
            if (merge.intersects(range) && row->first == firstSeen)
                found.push_back(merge);
        }
    }
    return found;
}

void SheetModel::addMerge(const CellRange& merge)
{
    merges.push_back(merge);
    for (int r = merge.firstRow; r <= merge.lastRow; ++r)
        m_mergeRows[r][merge.firstColumn] = merges.size() - 1;
}

void SheetModel::removeMerge(const CellRange& merge)
{
    const CellRange* found = mergeAt(merge.topLeft());
    if (!found || !(*found == merge))
        return;
    const std::size_t place = static_cast<std::size_t>(found - merges.data());
    for (int r = merge.firstRow; r <= merge.lastRow; ++r) {
        auto row = m_mergeRows.find(r);
        row->second.erase(merge.firstColumn);
        if (row->second.empty())
            m_mergeRows.erase(row);
    }
    // The last area takes the freed place.
    const std::size_t last = merges.size() - 1;
    if (place != last) {
        merges[place] = merges[last];
        const CellRange& moved = merges[place];
        for (int r = moved.firstRow; r <= moved.lastRow; ++r)
            m_mergeRows[r][moved.firstColumn] = place;
    }
    merges.pop_back();
}

void SheetModel::eraseCells(const CellRange& range, const CellRef& kept)
{
    for (auto it = cells.lower_bound({range.firstRow, range.firstColumn});
         it != cells.end() && it->first.first <= range.lastRow;) {
        const auto [row, column] = it->first;
        if (column < range.firstColumn) {
            it = cells.lower_bound({row, range.firstColumn});
        } else if (column > range.lastColumn) {
            it = cells.lower_bound({row + 1, range.firstColumn});
        } else if (row == kept.row && column == kept.column) {
            ++it;
        } else {
            it = cells.erase(it);
        }
    }
}

Cell& SheetModel::touch(const CellRef& ref)
{
    auto [it, inserted] = cells.try_emplace({ref.row, ref.column});
    if (inserted)
        it->second.style = columnsStyle;
    return it->second;
}

} // namespace sheet
