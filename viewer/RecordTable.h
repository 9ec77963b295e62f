#pragma once

#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "platform/TextEncoding.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The table of all monsters: what each cell shows, how rows sort and which
// ones a filter keeps, and the text copied from it. Both front ends show it
// from here; neither copies the records.

namespace zuninfo {

// The order of the rows: by a column, or store order (column -1).
struct TableSort {
    int column = -1;
    bool descending = false;

    bool operator==(const TableSort&) const = default;
};

// A click on a column's header: sorts by that column ascending, or, when the
// rows are sorted by it already, reverses the order.
TableSort SortAfterClick(TableSort sort, int column);

class RecordTable {
public:
    // Takes the names as the name tables hold them now (they are read at
    // start-up, before the table can be opened).
    explicit RecordTable(const TextRules& rules);

    // One column a field of the record, in file order, headed by its caption.
    static constexpr int ColumnCount() { return kMonsterFieldCount; }
    static const char* Caption(int column);
    // A number (right-aligned), or an id shown as its name and the id.
    static bool IsNumber(int column);

    // Whether Load has read the monster file: until then the table has no row.
    void SetLoaded(bool loaded) { loaded_ = loaded; }
    bool Loaded() const { return loaded_; }
    // One row for each record Load read, in store order: the record's slot
    // of Monsters is its row.
    int RecordCount() const;

    // A number as decimal text; an id as the name the main window shows for
    // it, then the id in parentheses: "Orc Chief (3)", "(99)" for an id
    // without a name.
    std::string CellText(int record, int column) const;
    // The same for a value the column's cell could hold.
    std::string ValueText(int column, std::int32_t value) const;

    // Whether record `a` comes before record `b` when sorted: numbers as
    // numbers, names in the order of the drop-down lists (then by id), in
    // either direction; records that sort alike stay in store order, also
    // when the order is reversed.
    bool Before(const TableSort& sort, int a, int b) const;

    // The filter: a record is kept when the text of one of its cells holds
    // the typed text, case ignored. Empty text keeps every record.
    void SetFilter(const std::string& typed);
    bool Matches(int record) const;

    // The records shown, in the order shown: the ones the filter keeps,
    // sorted.
    std::vector<int> ShownRecords(const TableSort& sort) const;

    // The records' rows as tab-separated text under a row of the captions,
    // each line ending in `lineEnd`, for a spreadsheet to take. A tab, CR or
    // LF inside a name is copied as a space, so each row stays one line.
    std::string CopyText(const std::vector<int>& records, std::string_view lineEnd) const;

    // What the line under the table says: that nothing has been loaded yet,
    // or how many records there are and how many of them are shown.
    std::string Status(int shown) const;

    // The ids of a list that have a name, in the order the drop-down lists
    // show their names (ids that share a name by id), and the name shown for
    // an id (empty for one without a name). The editor offers these.
    std::vector<std::int32_t> NamedIdsInListOrder(NameList list) const;
    const std::string& ShownName(NameList list, std::int32_t id) const;
    const TextRules& Rules() const { return rules_; }

private:
    // Per name list, per id of its table: the shown name, the folded cell
    // text and the place of the name in the lists' order. The entry past
    // the table stands for every id outside it, whose name is empty.
    struct ListNames {
        std::vector<std::string> shown;
        std::vector<std::string> foldedCells;
        std::vector<int> rank;
    };

    const ListNames& NamesOf(int column) const;
    std::size_t Entry(const ListNames& names, std::int32_t id) const;
    int Compare(int column, int a, int b) const;

    const TextRules& rules_;
    std::array<ListNames, kNameLists.size()> names_;
    std::string foldedFilter_;
    bool loaded_ = false;
};

} // namespace zuninfo
