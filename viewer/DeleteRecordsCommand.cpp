#include "viewer/DeleteRecordsCommand.h"

#include "platform/Conversions.h"

#include <algorithm>

namespace zuninfo {

DeleteRecordsCommand::DeleteRecordsCommand(const WorkingCopy& copy, std::vector<int> chosen)
{
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    for (const int slot : chosen) {
        if (slot < 0 || slot >= copy.Count())
            continue;
        Deleted deleted{slot, Monsters[static_cast<std::size_t>(slot)], copy.Origin(slot)};
        deleted_.push_back(deleted);
    }
}

void DeleteRecordsCommand::Redo(WorkingCopy& copy)
{
    // From the last, so that the chosen before it stay where they were.
    for (auto deleted = deleted_.rbegin(); deleted != deleted_.rend(); ++deleted)
        copy.Remove(deleted->slot);
}

void DeleteRecordsCommand::Undo(WorkingCopy& copy)
{
    for (const Deleted& deleted : deleted_)
        copy.Insert(deleted.slot, deleted.record, deleted.origin);
}

std::string DeleteRecordsCommand::Text() const
{
    if (deleted_.size() == 1)
        return "deleting record " + IntToStr(deleted_.front().slot);
    return "deleting " + IntToStr(static_cast<std::int32_t>(deleted_.size())) + " records";
}

void DeleteRecordsCommand::Rebase(const std::vector<std::optional<std::size_t>>& moved)
{
    for (Deleted& deleted : deleted_) {
        if (deleted.origin)
            deleted.origin = *deleted.origin < moved.size() ? moved[*deleted.origin] : std::nullopt;
    }
}

EditPlace DeleteRecordsCommand::Place() const
{
    return {deleted_.empty() ? 0 : deleted_.front().slot, -1, true};
}

} // namespace zuninfo
