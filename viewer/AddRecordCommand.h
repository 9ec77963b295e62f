#pragma once

#include "viewer/EditCommand.h"

namespace zuninfo {

// A record added after the last one: a copy of another record with an
// Index of its own.
class AddRecordCommand final : public EditCommand {
public:
    AddRecordCommand(const MonsterRecord& record, int slot) : record_(record), slot_(slot) {}

    void Redo(WorkingCopy& copy) override { copy.Insert(slot_, record_, std::nullopt); }
    void Undo(WorkingCopy& copy) override { copy.Remove(slot_); }
    std::string Text() const override;
    EditPlace Place() const override { return {slot_, 0, true}; }

private:
    MonsterRecord record_;
    int slot_;
};

} // namespace zuninfo
