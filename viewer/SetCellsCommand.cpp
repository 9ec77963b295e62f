#include "viewer/SetCellsCommand.h"

#include <algorithm>

namespace zuninfo {

SetCellsCommand::SetCellsCommand(const WorkingCopy& copy, std::vector<CellValue> cells, std::string text)
    : text_(std::move(text))
{
    changes_.reserve(cells.size());
    for (const CellValue& cell : cells)
        changes_.push_back({cell, copy.Value(cell.slot, cell.column)});
}

void SetCellsCommand::Redo(WorkingCopy& copy)
{
    for (const Change& change : changes_)
        copy.SetValue(change.cell.slot, change.cell.column, change.cell.value);
}

void SetCellsCommand::Undo(WorkingCopy& copy)
{
    // Backwards, so that a cell set twice in one batch gets its first value.
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change)
        copy.SetValue(change->cell.slot, change->cell.column, change->before);
}

EditPlace SetCellsCommand::Place() const
{
    if (changes_.empty())
        return {};
    const int slot = changes_.front().cell.slot;
    const bool oneRecord
        = std::all_of(changes_.begin(), changes_.end(), [slot](const Change& change) { return change.cell.slot == slot; });
    return {slot, changes_.front().cell.column, false, oneRecord};
}

} // namespace zuninfo
