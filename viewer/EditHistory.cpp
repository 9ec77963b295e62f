#include "viewer/EditHistory.h"

namespace zuninfo {

EditPlace EditHistory::Push(std::unique_ptr<EditCommand> command, WorkingCopy& copy)
{
    command->Redo(copy);
    const EditPlace place = command->Place();
    commands_.resize(next_);
    if (clean_ && *clean_ > next_)
        clean_.reset();
    commands_.push_back(std::move(command));
    ++next_;
    return place;
}

std::optional<EditPlace> EditHistory::Undo(WorkingCopy& copy)
{
    if (!CanUndo())
        return std::nullopt;
    EditCommand& command = *commands_[--next_];
    command.Undo(copy);
    return command.Place();
}

std::optional<EditPlace> EditHistory::Redo(WorkingCopy& copy)
{
    if (!CanRedo())
        return std::nullopt;
    EditCommand& command = *commands_[next_++];
    command.Redo(copy);
    return command.Place();
}

std::string EditHistory::UndoText() const
{
    return CanUndo() ? commands_[next_ - 1]->Text() : std::string();
}

std::string EditHistory::RedoText() const
{
    return CanRedo() ? commands_[next_]->Text() : std::string();
}

void EditHistory::Rebase(const std::vector<std::optional<std::size_t>>& moved)
{
    for (const std::unique_ptr<EditCommand>& command : commands_)
        command->Rebase(moved);
}

void EditHistory::Clear()
{
    commands_.clear();
    next_ = 0;
    clean_ = 0;
}

} // namespace zuninfo
