#pragma once

#include "viewer/EditCommand.h"

#include <cstdint>
#include <vector>

namespace zuninfo {

// A cell's new value.
struct CellValue {
    int slot = 0;
    int column = 0;
    std::int32_t value = 0;
};

// Cells set to new values as one step: a cell typed, or a batch of pending
// edits.
class SetCellsCommand final : public EditCommand {
public:
    // The values the cells hold now are taken as their old ones.
    SetCellsCommand(const WorkingCopy& copy, std::vector<CellValue> cells, std::string text);

    void Redo(WorkingCopy& copy) override;
    void Undo(WorkingCopy& copy) override;
    std::string Text() const override { return text_; }
    EditPlace Place() const override;

private:
    struct Change {
        CellValue cell;
        std::int32_t before = 0;
    };
    std::vector<Change> changes_;
    std::string text_;
};

} // namespace zuninfo
