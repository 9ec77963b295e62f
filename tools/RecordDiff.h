#pragma once

#include "checking/ViewerRead.h"
#include "exchange/JsonWriter.h"

#include <cstddef>
#include <ostream>
#include <vector>

namespace zuninfo {

// How a record was paired with, or looked for in, the other file: by its
// Index, where that stands at most once in each file, or else by its place
// in the store.
enum class MatchedBy { Index, Position };

// A record of the old file that the new one changes or lacks, or one the new
// file adds. `before` is null for an added record, `after` for a removed one.
struct RecordChange {
    MatchedBy matchedBy = MatchedBy::Index;
    const ShownRecord* before = nullptr;
    const ShownRecord* after = nullptr;
    std::vector<int> fields; // the fields whose values differ, in field order

    bool Added() const { return before == nullptr; }
    bool Removed() const { return after == nullptr; }
    // The record the change is about, as the old file has it (the new file
    // for an added one).
    const ShownRecord& Named() const { return before != nullptr ? *before : *after; }
};

struct RecordDiff {
    // Changed and removed records in the old file's order, then the added
    // ones in the new file's order.
    std::vector<RecordChange> changes;
    std::size_t matchedByIndex = 0;
    std::size_t matchedByPosition = 0;

    // How many changes are changed records, added records, removed records.
    std::size_t Changed() const;
    std::size_t Added() const;
    std::size_t Removed() const;
};

RecordDiff CompareRecords(const std::vector<ShownRecord>& before, const std::vector<ShownRecord>& after);

// A change as the tools say it, without a line end: "Index 5 (Goblin), line
// 2 -> line 3: Str 10 -> 15", "Record 1, Index 7 (Imp), line 2 -> line 2,
// matched by position: ...", "Index 9 (Orc), new line 4: added". Records are
// named by their Index and skin in the old file (in the new one for an added
// record).
std::string ChangeText(const RecordChange& change);

// "N matched by Index, M by position; the records are the same" or "...; 1
// changed, 0 added, 2 removed".
std::string DiffSummary(const RecordDiff& diff);

// The same as members of a JSON object: "change", "matched_by", "index",
// "old" and "new" (each {"record", "line"}), and for a changed record
// "fields", each with its "field", "old" and "new" value.
void WriteChange(JsonWriter& json, const RecordChange& change);

} // namespace zuninfo
