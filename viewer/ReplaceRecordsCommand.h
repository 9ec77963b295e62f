#pragma once

#include "viewer/EditCommand.h"

#include <string>
#include <vector>

namespace zuninfo {

// Every record replaced as one step, as when an edited export is taken in:
// the records before and after, each with the slot of the loaded file it
// comes from.
class ReplaceRecordsCommand final : public EditCommand {
public:
    ReplaceRecordsCommand(std::vector<WantedRecord> before, std::vector<WantedRecord> after, std::string text)
        : before_(std::move(before)), after_(std::move(after)), text_(std::move(text))
    {
    }
    void Redo(WorkingCopy& copy) override { copy.Replace(after_); }
    void Undo(WorkingCopy& copy) override { copy.Replace(before_); }
    std::string Text() const override { return text_; }
    EditPlace Place() const override { return {0, -1, true}; }
    void Rebase(const std::vector<std::optional<std::size_t>>& moved) override;

private:
    std::vector<WantedRecord> before_;
    std::vector<WantedRecord> after_;
    std::string text_;
};

} // namespace zuninfo
