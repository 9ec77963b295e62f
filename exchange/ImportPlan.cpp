#include "exchange/ImportPlan.h"

#include "data/MonsterFields.h"

#include <optional>
#include <unordered_map>

namespace zuninfo {

namespace {

// "once", "twice", "3 times".
std::string Times(int count)
{
    return count == 1 ? "once" : count == 2 ? "twice" : std::to_string(count) + " times";
}

// At most `most` of the items, then how many more.
std::string FewOf(const std::vector<std::string>& items, std::size_t most = 10)
{
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < most; ++i)
        text += (i ? ", " : "") + items[i];
    if (items.size() > most)
        text += " and " + std::to_string(items.size() - most) + " more";
    return text;
}

// Whether `cell` is `name` with a '?' for some of its letters that are not
// ASCII, as a code page that lacks them writes them.
bool QuestionMarksFor(std::string_view cell, std::string_view name)
{
    bool replaced = false;
    std::size_t at = 0;
    for (const char c : cell) {
        if (at == name.size())
            return false;
        if (c == '?' && static_cast<unsigned char>(name[at]) >= 0x80) {
            // One character: its lead byte and its continuation bytes.
            ++at;
            while (at < name.size() && (static_cast<unsigned char>(name[at]) & 0xC0) == 0x80)
                ++at;
            replaced = true;
        } else if (c == name[at]) {
            ++at;
        } else {
            return false;
        }
    }
    return replaced && at == name.size();
}

// A name that a spreadsheet opening a CSV takes for a number, a date, a time
// or a percentage: digits with at most signs, points, commas, colons,
// slashes, a '%', an exponent's E and spaces.
bool LooksLikeAValue(std::string_view name)
{
    return name.find_first_of("0123456789") != std::string_view::npos
           && name.find_first_not_of("0123456789.,:/%+-Ee ") == std::string_view::npos;
}

// What a spreadsheet did to a name, where `cell` shows it: "" where nothing
// it is known to do.
std::string WhatTheSpreadsheetDid(const std::string& cell, const std::string& name)
{
    if (QuestionMarksFor(cell, name))
        return "; a '?' stands where " + Quoted(name)
               + " has a letter that the code page the table was saved in lacks: save it as \"CSV UTF-8\" to keep "
                 "every letter";
    if (LooksLikeAValue(name) && cell != name)
        return "; a spreadsheet that opens a CSV makes a name such as " + Quoted(name)
               + " a number, a date, a time or a percentage: the xlsx export (zuninfo-export --format xlsx) keeps "
                 "names as text";
    return "";
}

// The names the viewer shows for each list's ids, decoded once.
using ShownNames = std::array<std::vector<std::string>, kNameLists.size()>;

ShownNames NamesOfEachId()
{
    ShownNames shown;
    for (const NameList list : kNameLists) {
        for (std::size_t id = 0; id < NameTable(list).size(); ++id)
            shown[static_cast<std::size_t>(list)].push_back(ShownName(list, static_cast<std::int32_t>(id)));
    }
    return shown;
}

class Planner {
public:
    Planner(const EditedTable& table, const ImportSource& source)
        : table_(table), source_(source), shown_(NamesOfEachId())
    {
    }

    ImportPlan Plan(bool deleteMissing)
    {
        Match();
        // Each row's record, in the rows' order, so that the fault told is
        // the first in EDITED, whether in matching a row or in its names.
        records_.resize(table_.rows.size());
        for (std::size_t at = 0; at < table_.rows.size(); ++at) {
            if (faultAt_ && *faultAt_ <= at)
                break;
            const std::optional<std::size_t> slot = slotOf_[at];
            if (!slot && !isNew_[at])
                continue;
            try {
                records_[at] = RecordOf(table_.rows[at], slot ? &source_.records[*slot].record : nullptr);
            } catch (const Refusal& refusal) {
                Fault(at, refusal);
            }
        }
        if (fault_)
            throw *fault_;
        std::vector<std::string> missing;
        std::optional<FilePlace> firstMissing;
        for (std::size_t slot = 0; slot < rowOf_.size(); ++slot) {
            if (rowOf_[slot] != nullptr)
                continue;
            const ShownRecord& record = source_.records[slot];
            missing.push_back("Index " + std::to_string(record.record.Fields[0]) + " (line "
                              + std::to_string(record.line) + ")");
            if (!firstMissing)
                firstMissing = FilePlace{record.line, 1};
        }
        if (!missing.empty() && !deleteMissing)
            throw Refusal(source_.file, *firstMissing,
                          (missing.size() == 1 ? "1 record has" : std::to_string(missing.size()) + " records have")
                              + " no row in " + table_.file + ": " + FewOf(missing)
                              + "; an export that was filtered or cut short must not delete records: import with "
                                "--delete-missing to remove them");
        const std::size_t kept = rowOf_.size() - missing.size();
        if (kept + added_.size() > static_cast<std::size_t>(kMonsterSlots)) {
            const EditedRow& first = *added_[static_cast<std::size_t>(kMonsterSlots) - kept];
            throw table_.AtRow(first, "the new file would hold " + std::to_string(kept + added_.size())
                                          + " records, and the viewer reads the first " + std::to_string(kMonsterSlots)
                                          + ": this row would be record " + std::to_string(kMonsterSlots + 1)
                                          + (kept + added_.size() > static_cast<std::size_t>(kMonsterSlots) + 1
                                                 ? ", and the rows added after it past that too"
                                                 : ""));
        }

        ImportPlan plan;
        for (std::size_t slot = 0; slot < rowOf_.size(); ++slot) {
            if (rowOf_[slot] != nullptr) {
                plan.wanted.push_back({slot, records_[At(*rowOf_[slot])]});
                plan.rows.push_back(rowOf_[slot]);
            }
        }
        for (const EditedRow* row : added_) {
            plan.wanted.push_back({std::nullopt, records_[At(*row)]});
            plan.rows.push_back(row);
        }
        return plan;
    }

private:
    // Each record's row (rowOf_), and the rows that are new records (added_).
    void Match()
    {
        // Each Index: how often it stands in the file and in the table, and
        // the slot of its last record.
        struct Uses {
            int inFile = 0;
            int inTable = 0;
            std::size_t slot = 0;
        };
        std::unordered_map<std::int32_t, Uses> uses(2 * (source_.records.size() + table_.rows.size()));
        for (std::size_t slot = 0; slot < source_.records.size(); ++slot) {
            Uses& index = uses[source_.records[slot].record.Fields[0]];
            ++index.inFile;
            index.slot = slot;
        }
        for (const EditedRow& row : table_.rows)
            ++uses[row.values[0]].inTable;
        rowOf_.assign(source_.records.size(), nullptr);
        slotOf_.assign(table_.rows.size(), std::nullopt);
        isNew_.assign(table_.rows.size(), false);
        std::vector<const EditedRow*> unmatched;
        for (const EditedRow& row : table_.rows) {
            const Uses& index = uses[row.values[0]];
            if (index.inFile == 1 && index.inTable == 1) {
                rowOf_[index.slot] = &row;
                slotOf_[At(row)] = index.slot;
            } else {
                unmatched.push_back(&row);
            }
        }
        for (const EditedRow* row : unmatched) {
            const std::int32_t index = row->values[0];
            const int inFile = uses[index].inFile, inTable = uses[index].inTable;
            if (row->record) {
                const auto slot = static_cast<std::size_t>(*row->record);
                if (slot < rowOf_.size() && rowOf_[slot] == nullptr) {
                    rowOf_[slot] = row;
                    slotOf_[At(*row)] = slot;
                    continue;
                }
                if (slot >= rowOf_.size() && inFile != 0) {
                    Fault(At(*row), table_.AtRow(*row, "\"record\" " + std::to_string(slot) + " is not a record of "
                                                          + source_.file + ", which has "
                                                          + std::to_string(rowOf_.size())));
                    continue;
                }
                if (inFile != 0) {
                    Fault(At(*row), table_.AtRow(*row, "it names record " + std::to_string(slot) + ", which "
                                                          + table_.RowName(*rowOf_[slot]) + " has taken"));
                    continue;
                }
            }
            if (inFile != 0) {
                Fault(At(*row), table_.AtRow(*row, "Index " + std::to_string(index) + " stands " + Times(inFile)
                                                      + " in " + source_.file + " and " + Times(inTable) + " in "
                                                      + table_.file
                                                      + ", so the row cannot be matched to its record: the JSON "
                                                        "export (zuninfo-export --format json) gives each row its "
                                                        "record's number"));
                continue;
            }
            added_.push_back(row);
            isNew_[At(*row)] = true;
        }
    }

    // A row's place in the table.
    std::size_t At(const EditedRow& row) const { return static_cast<std::size_t>(&row - table_.rows.data()); }

    // A fault at the row at `at`: the one told is the first row's.
    void Fault(std::size_t at, const Refusal& refusal)
    {
        if (!faultAt_ || at < *faultAt_) {
            faultAt_ = at;
            fault_ = refusal;
        }
    }

    // The record a row gives, `old` being the one it matches (null for a new
    // record).
    MonsterRecord RecordOf(const EditedRow& row, const MonsterRecord* old) const
    {
        MonsterRecord record;
        record.Fields = row.values;
        for (int field = 0; field < kMonsterFieldCount; ++field) {
            if (const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(field)].names) {
                const auto at = static_cast<std::size_t>(field);
                record.Fields[at] = IdOf(row, field, *list, old ? std::optional(old->Fields[at]) : std::nullopt);
            }
        }
        return record;
    }

    // An id field's id: the id column holds; where only the name changed, the
    // id of the one entry of its list with that name.
    std::int32_t IdOf(const EditedRow& row, int field, NameList list, std::optional<std::int32_t> oldId) const
    {
        const std::vector<std::string>& names = shown_[static_cast<std::size_t>(list)];
        const auto nameOf = [&](std::int32_t id) {
            return id >= 0 && static_cast<std::size_t>(id) < names.size() ? names[static_cast<std::size_t>(id)]
                                                                          : std::string();
        };
        const std::int32_t id = row.values[static_cast<std::size_t>(field)];
        const std::string& cell = row.names[static_cast<std::size_t>(field)];
        if (CellHoldsName(cell, nameOf(id)))
            return id;
        // The id changed and its name was left as it was.
        if (oldId && id != *oldId && CellHoldsName(cell, nameOf(*oldId)))
            return id;

        const std::size_t nameColumn = ColumnOf(field, true);
        const std::string idColumn = table_.ColumnName(ColumnOf(field, false));
        const std::string listFile = NameListFileName(list);
        if (!source_.listsRead[static_cast<std::size_t>(list)])
            throw table_.AtCell(row, nameColumn, Quoted(cell) + " cannot be looked up, as " + listFile
                                                     + " was not read: name the lists' folder with --lists, or empty "
                                                       "the name's cells to keep the ids as they stand");
        std::vector<std::int32_t> candidates;
        std::vector<std::string> shown;
        for (std::size_t other = 0; other < names.size(); ++other) {
            if (CellHoldsName(cell, names[other])) {
                candidates.push_back(static_cast<std::int32_t>(other));
                shown.push_back(std::to_string(other));
            }
        }
        const std::string which = candidates.empty() ? "no id in " + listFile + " has that name"
                                                      : (candidates.size() == 1 ? "it is the name of id "
                                                                                : "it is the name of ids ")
                                                            + FewOf(shown) + " in " + listFile;
        std::string done = WhatTheSpreadsheetDid(cell, nameOf(id));
        if (done.empty() && oldId)
            done = WhatTheSpreadsheetDid(cell, nameOf(*oldId));
        if (oldId && id == *oldId) {
            // The name changed alone.
            if (candidates.size() == 1)
                return candidates.front();
            throw table_.AtCell(row, nameColumn, "the name changed from " + Quoted(nameOf(id)) + " to " + Quoted(cell)
                                                     + ", but " + which + ": give the id meant in " + idColumn + done);
        }
        throw table_.AtCell(row, nameColumn, Quoted(cell) + " is not the name of id " + std::to_string(id) + " in "
                                                 + idColumn + ", which is " + Quoted(nameOf(id)) + "; " + which + done);
    }

    const EditedTable& table_;
    const ImportSource& source_;
    ShownNames shown_;
    std::vector<const EditedRow*> rowOf_; // by slot of the old file
    std::vector<std::optional<std::size_t>> slotOf_; // by row: the slot it matches
    std::vector<const EditedRow*> added_;
    std::vector<bool> isNew_; // by row: it is in added_
    std::vector<MonsterRecord> records_; // by row: the record it gives
    // The first fault in the rows' order, and its row.
    std::optional<std::size_t> faultAt_;
    std::optional<Refusal> fault_;
};

} // namespace

ImportPlan PlanImport(const EditedTable& table, const ImportSource& source, bool deleteMissing)
{
    return Planner(table, source).Plan(deleteMissing);
}

} // namespace zuninfo
