#include "diff/RecordDiff.h"

#include <map>

namespace zuninfo {

namespace {

std::map<std::int32_t, int> IndexCounts(const std::vector<ShownRecord>& records)
{
    std::map<std::int32_t, int> counts;
    for (const ShownRecord& record : records)
        ++counts[record.record.Fields[0]];
    return counts;
}

std::vector<int> ChangedFields(const ShownRecord& before, const ShownRecord& after)
{
    std::vector<int> fields;
    for (int field = 0; field < kMonsterFieldCount; ++field) {
        if (before.record.Fields[static_cast<std::size_t>(field)] != after.record.Fields[static_cast<std::size_t>(field)])
            fields.push_back(field);
    }
    return fields;
}

} // namespace

RecordDiff CompareRecords(const std::vector<ShownRecord>& before, const std::vector<ShownRecord>& after)
{
    const std::map<std::int32_t, int> countsBefore = IndexCounts(before);
    const std::map<std::int32_t, int> countsAfter = IndexCounts(after);
    // An Index that stands at most once in each file names its record.
    const auto keyedByIndex = [&](std::int32_t index) {
        const auto inBefore = countsBefore.find(index), inAfter = countsAfter.find(index);
        return (inBefore == countsBefore.end() || inBefore->second == 1)
               && (inAfter == countsAfter.end() || inAfter->second == 1);
    };
    std::map<std::int32_t, const ShownRecord*> afterByIndex;
    for (const ShownRecord& record : after) {
        if (keyedByIndex(record.record.Fields[0]))
            afterByIndex[record.record.Fields[0]] = &record;
    }

    RecordDiff diff;
    std::vector<bool> matched(after.size(), false);
    for (std::size_t slot = 0; slot < before.size(); ++slot) {
        const ShownRecord& old = before[slot];
        RecordChange change{MatchedBy::Index, &old, nullptr, {}};
        if (keyedByIndex(old.record.Fields[0])) {
            const auto found = afterByIndex.find(old.record.Fields[0]);
            if (found != afterByIndex.end())
                change.after = found->second;
        } else if (slot < after.size() && !keyedByIndex(after[slot].record.Fields[0])) {
            change = {MatchedBy::Position, &old, &after[slot], {}};
        }
        if (change.after != nullptr) {
            matched[static_cast<std::size_t>(change.after - after.data())] = true;
            ++(change.matchedBy == MatchedBy::Index ? diff.matchedByIndex : diff.matchedByPosition);
            change.fields = ChangedFields(old, *change.after);
            if (change.fields.empty())
                continue;
        }
        diff.changes.push_back(std::move(change));
    }
    for (std::size_t slot = 0; slot < after.size(); ++slot) {
        if (!matched[slot]) {
            const bool byIndex = keyedByIndex(after[slot].record.Fields[0]);
            diff.changes.push_back({byIndex ? MatchedBy::Index : MatchedBy::Position, nullptr, &after[slot], {}});
        }
    }
    return diff;
}

} // namespace zuninfo
