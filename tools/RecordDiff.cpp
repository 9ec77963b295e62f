#include "tools/RecordDiff.h"

#include "data/MonsterFields.h"
#include "exchange/ShownJson.h"

#include <algorithm>
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

std::int32_t FieldOf(const ShownRecord& record, int field)
{
    return record.record.Fields[static_cast<std::size_t>(field)];
}

// "Index 12 (Goblin)", or for a record matched by its place, "Record 5,
// Index 7 (Imp)".
std::string RecordLabel(const RecordChange& change)
{
    const ShownRecord& record = change.Named();
    const std::string skin = ShownName(NameList::Skins, FieldOf(record, 1));
    std::string label = change.matchedBy == MatchedBy::Position ? "Record " + std::to_string(record.slot) + ", " : "";
    label += "Index " + std::to_string(FieldOf(record, 0));
    return skin.empty() ? label : label + " (" + skin + ")";
}

} // namespace

std::size_t RecordDiff::Changed() const
{
    return static_cast<std::size_t>(
        std::count_if(changes.begin(), changes.end(), [](const RecordChange& c) { return !c.Added() && !c.Removed(); }));
}

std::size_t RecordDiff::Added() const
{
    return static_cast<std::size_t>(
        std::count_if(changes.begin(), changes.end(), [](const RecordChange& c) { return c.Added(); }));
}

std::size_t RecordDiff::Removed() const
{
    return static_cast<std::size_t>(
        std::count_if(changes.begin(), changes.end(), [](const RecordChange& c) { return c.Removed(); }));
}

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
    const auto lookedForBy = [&](const ShownRecord& record) {
        return keyedByIndex(FieldOf(record, 0)) ? MatchedBy::Index : MatchedBy::Position;
    };
    std::map<std::int32_t, const ShownRecord*> afterByIndex;
    for (const ShownRecord& record : after) {
        if (lookedForBy(record) == MatchedBy::Index)
            afterByIndex[FieldOf(record, 0)] = &record;
    }

    RecordDiff diff;
    std::vector<bool> matched(after.size(), false);
    for (std::size_t slot = 0; slot < before.size(); ++slot) {
        const ShownRecord& old = before[slot];
        RecordChange change{lookedForBy(old), &old, nullptr, {}};
        if (change.matchedBy == MatchedBy::Index) {
            const auto found = afterByIndex.find(FieldOf(old, 0));
            if (found != afterByIndex.end())
                change.after = found->second;
        } else if (slot < after.size() && lookedForBy(after[slot]) == MatchedBy::Position) {
            change.after = &after[slot];
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
        if (!matched[slot])
            diff.changes.push_back({lookedForBy(after[slot]), nullptr, &after[slot], {}});
    }
    return diff;
}

std::string ChangeText(const RecordChange& change)
{
    std::string text = RecordLabel(change) + ", ";
    if (change.Added() || change.Removed())
        return text + (change.Removed() ? "old line " : "new line ") + std::to_string(change.Named().line) + ": "
               + (change.Removed() ? "removed" : "added");
    text += "line " + std::to_string(change.before->line) + " -> line " + std::to_string(change.after->line)
            + (change.matchedBy == MatchedBy::Position ? ", matched by position" : "") + ": ";
    for (std::size_t i = 0; i < change.fields.size(); ++i) {
        const int field = change.fields[i];
        text += (i ? "; " : "") + std::string(kMonsterFields[static_cast<std::size_t>(field)].caption) + ' '
                + ShownValue(field, FieldOf(*change.before, field)) + " -> "
                + ShownValue(field, FieldOf(*change.after, field));
    }
    return text;
}

std::string DiffSummary(const RecordDiff& diff)
{
    const std::string matched = std::to_string(diff.matchedByIndex) + " matched by Index, "
                                + std::to_string(diff.matchedByPosition) + " by position; ";
    if (diff.changes.empty())
        return matched + "the records are the same";
    return matched + std::to_string(diff.Changed()) + " changed, " + std::to_string(diff.Added()) + " added, "
           + std::to_string(diff.Removed()) + " removed";
}

void WriteChange(JsonWriter& json, const RecordChange& change)
{
    json.Member("change", change.Added() ? "added" : change.Removed() ? "removed" : "changed")
        .Member("matched_by", change.matchedBy == MatchedBy::Index ? "index" : "position")
        .Member("index", std::int64_t{FieldOf(change.Named(), 0)});
    for (const auto& [key, record] : {std::pair{"old", change.before}, std::pair{"new", change.after}}) {
        if (record != nullptr) {
            json.Key(key).Object();
            WriteRecordPlace(json, *record);
            json.End();
        }
    }
    if (change.Added() || change.Removed())
        return;
    json.Key("fields").Array();
    for (const int field : change.fields) {
        json.Object().Member("field", kMonsterFields[static_cast<std::size_t>(field)].caption).Key("old");
        WriteShownValue(json, field, FieldOf(*change.before, field));
        json.Key("new");
        WriteShownValue(json, field, FieldOf(*change.after, field));
        json.End();
    }
    json.End();
}

} // namespace zuninfo
