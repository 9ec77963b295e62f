#pragma once

#include "tools/ViewerRead.h"

#include <cstddef>
#include <vector>

namespace zuninfo {

// How two records were paired: by their Index, where it stands at most once
// in each file, or else by their place in the store.
enum class MatchedBy { Index, Position };

// A record of the old file that the new one changes or lacks, or one the new
// file adds. `before` is null for an added record, `after` for a removed one.
struct RecordChange {
    MatchedBy matchedBy = MatchedBy::Index;
    const ShownRecord* before = nullptr;
    const ShownRecord* after = nullptr;
    std::vector<int> fields; // the fields whose values differ, in field order
};

struct RecordDiff {
    // Changed and removed records in the old file's order, then the added
    // ones in the new file's order.
    std::vector<RecordChange> changes;
    std::size_t matchedByIndex = 0;
    std::size_t matchedByPosition = 0;
};

RecordDiff CompareRecords(const std::vector<ShownRecord>& before, const std::vector<ShownRecord>& after);

} // namespace zuninfo
