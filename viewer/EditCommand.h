#pragma once

#include "viewer/WorkingCopy.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zuninfo {

// Where an edit took place: the cell to make current after it is done or
// undone (its slot, and a column, or -1 for the row).
struct EditPlace {
    int slot = 0;
    int column = -1;
    // Records came or went: every row after `slot` moved.
    bool rowsMoved = false;
    // Only the record at `slot` changed: only its row is to be shown anew.
    bool oneRecord = false;
};

// One step of the history: done, undone, and done again.
class EditCommand {
public:
    virtual ~EditCommand() = default;
    virtual void Redo(WorkingCopy& copy) = 0;
    virtual void Undo(WorkingCopy& copy) = 0;
    // What the step did, for "Undo ..." and "Redo ...": "Str of record 3".
    virtual std::string Text() const = 0;
    virtual EditPlace Place() const = 0;
    // The file was saved: the slots of the file as it was moved to these
    // (none: not in the new file), see WorkingCopy::Rebase.
    virtual void Rebase(const std::vector<std::optional<std::size_t>>& moved) { (void)moved; }
};

} // namespace zuninfo
