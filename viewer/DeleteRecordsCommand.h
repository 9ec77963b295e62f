#pragma once

#include "viewer/EditCommand.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace zuninfo {

// Records deleted as one step; undone, each comes back to its slot with the
// place in the loaded file it came from.
class DeleteRecordsCommand final : public EditCommand {
public:
    // `chosen`: each a record's slot, in any order, each once.
    DeleteRecordsCommand(const WorkingCopy& copy, std::vector<int> chosen);

    void Redo(WorkingCopy& copy) override;
    void Undo(WorkingCopy& copy) override;
    std::string Text() const override;
    EditPlace Place() const override;
    void Rebase(const std::vector<std::optional<std::size_t>>& moved) override;

private:
    struct Deleted {
        int slot = 0;
        MonsterRecord record;
        std::optional<std::size_t> origin;
    };
    std::vector<Deleted> deleted_; // by slot, ascending
};

} // namespace zuninfo
