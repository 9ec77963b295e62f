#pragma once

#include "data/MonsterInfo.h"
#include "save/SaveMonsterFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zuninfo {

// The records being edited. They are the record store itself (Monsters,
// slots 0 to LastIndex), so that the main window's Prev, Next and a row
// chosen in the table show them as edited; the records as Load read them
// are kept apart, and each record remembers the slot of the loaded file it
// came from (none for one added).
class WorkingCopy {
public:
    // Takes the records Load has just read as the file's.
    void Start();

    int Count() const { return LastIndex + 1; }
    std::int32_t Value(int slot, int field) const;
    void SetValue(int slot, int field, std::int32_t value);

    // A record put in at `slot`, the later ones moving down one slot; there
    // must be room for it.
    void Insert(int slot, const MonsterRecord& record, std::optional<std::size_t> origin);
    // The record at `slot` taken out, the later ones moving up; the slot
    // freed at the end is all zeros again, as the store's unused slots are.
    void Remove(int slot);

    // Every record replaced by these, in store order (at most the store's
    // slots); the slots freed at the end all zeros again.
    void Replace(const std::vector<WantedRecord>& records);
    std::optional<std::size_t> Origin(int slot) const;
    // The value the cell had in the file as loaded: none for a record added.
    std::optional<std::int32_t> LoadedValue(int slot, int field) const;
    // Whether the cell shows other than the loaded file: every cell of a
    // record added does.
    bool Differs(int slot, int field) const;

    // The store as the file was loaded (or last saved) again.
    void Revert();

    // The records as they stand became the file's (they were saved, in
    // store order). Gives, for each slot of the file as it was, the slot of
    // the new file that holds its record, if one does.
    std::vector<std::optional<std::size_t>> Rebase();

    // The records in store order, for a save.
    std::vector<WantedRecord> Wanted() const;

private:
    std::vector<MonsterRecord> loaded_;
    std::vector<std::optional<std::size_t>> origins_; // one per slot in use
};

} // namespace zuninfo
