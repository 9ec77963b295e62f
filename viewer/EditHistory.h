#pragma once

#include "viewer/EditCommand.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace zuninfo {

// Every step done since the file was loaded, to undo and redo without
// limit, and the step at which the records are as last saved (the clean
// point).
class EditHistory {
public:
    // Does the step and keeps it; the steps undone before it can no longer
    // be redone.
    EditPlace Push(std::unique_ptr<EditCommand> command, WorkingCopy& copy);
    std::optional<EditPlace> Undo(WorkingCopy& copy);
    std::optional<EditPlace> Redo(WorkingCopy& copy);

    bool CanUndo() const { return next_ > 0; }
    bool CanRedo() const { return next_ < commands_.size(); }
    // What Undo and Redo would do, for their menu items: empty when nothing.
    std::string UndoText() const;
    std::string RedoText() const;

    // Whether the records are as last saved (or as loaded).
    bool Clean() const { return clean_ == next_; }
    void MarkClean() { clean_ = next_; }
    // The file was saved: see EditCommand::Rebase.
    void Rebase(const std::vector<std::optional<std::size_t>>& moved);
    // Everything forgotten: a file loaded anew.
    void Clear();

private:
    std::vector<std::unique_ptr<EditCommand>> commands_;
    std::size_t next_ = 0; // the steps before it are done
    // The step count at the clean point; none when that state was undone
    // and then replaced by another step.
    std::optional<std::size_t> clean_ = 0;
};

} // namespace zuninfo
