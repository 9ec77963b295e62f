#include "viewer/RecordTable.h"

#include "data/MonsterFields.h"
#include "platform/Conversions.h"

#include <algorithm>
#include <numeric>

namespace zuninfo {

namespace {

std::string OneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

} // namespace

TableSort SortAfterClick(TableSort sort, int column)
{
    if (sort.column == column)
        return {column, !sort.descending};
    return {column, false};
}

RecordTable::RecordTable(const TextRules& rules) : rules_(rules)
{
    for (const NameList list : kNameLists) {
        ListNames& names = names_[static_cast<std::size_t>(list)];
        const std::span<const std::string> table = NameTable(list);
        const TextEncoding encoding = NameListEncoding(list);
        const std::size_t count = table.size() + 1;
        names.shown.reserve(count);
        names.foldedCells.reserve(count);
        for (std::size_t id = 0; id < table.size(); ++id) {
            names.shown.push_back(rules_.Shown(table[id], encoding));
            names.foldedCells.push_back(rules_.Folded(IdWithName(names.shown.back(), static_cast<std::int32_t>(id))));
        }
        names.shown.emplace_back();
        names.foldedCells.emplace_back();

        // The lists' order; equal names share a place.
        const auto bytesOf = [&](std::size_t entry) -> std::string_view {
            return entry < table.size() ? std::string_view(table[entry]) : std::string_view();
        };
        std::vector<std::size_t> order(count);
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return ListOrderLess(rules_.Collate(names.shown[a], names.shown[b]), bytesOf(a), bytesOf(b));
        });
        names.rank.assign(count, 0);
        int rank = 0;
        for (std::size_t i = 1; i < count; ++i) {
            const std::size_t previous = order[i - 1], entry = order[i];
            if (rules_.Collate(names.shown[previous], names.shown[entry]) != 0 || bytesOf(previous) != bytesOf(entry))
                ++rank;
            names.rank[entry] = rank;
        }
    }
}

const char* RecordTable::Caption(int column)
{
    return kMonsterFields.at(static_cast<std::size_t>(column)).caption;
}

bool RecordTable::IsNumber(int column)
{
    return !kMonsterFields.at(static_cast<std::size_t>(column)).names;
}

int RecordTable::RecordCount() const
{
    return loaded_ ? LastIndex + 1 : 0;
}

const RecordTable::ListNames& RecordTable::NamesOf(int column) const
{
    return names_[static_cast<std::size_t>(*kMonsterFields[static_cast<std::size_t>(column)].names)];
}

std::size_t RecordTable::Entry(const ListNames& names, std::int32_t id) const
{
    const std::size_t outside = names.shown.size() - 1;
    return id >= 0 && static_cast<std::size_t>(id) < outside ? static_cast<std::size_t>(id) : outside;
}

std::string RecordTable::CellText(int record, int column) const
{
    return ValueText(column, Monsters.at(static_cast<std::size_t>(record)).Fields.at(static_cast<std::size_t>(column)));
}

std::string RecordTable::ValueText(int column, std::int32_t value) const
{
    if (IsNumber(column))
        return IntToStr(value);
    const ListNames& names = NamesOf(column);
    return IdWithName(names.shown[Entry(names, value)], value);
}

int RecordTable::Compare(int column, int a, int b) const
{
    const std::int32_t x = Monsters[static_cast<std::size_t>(a)].Fields[static_cast<std::size_t>(column)];
    const std::int32_t y = Monsters[static_cast<std::size_t>(b)].Fields[static_cast<std::size_t>(column)];
    if (!IsNumber(column)) {
        const ListNames& names = NamesOf(column);
        const int rankX = names.rank[Entry(names, x)], rankY = names.rank[Entry(names, y)];
        if (rankX != rankY)
            return rankX < rankY ? -1 : 1;
    }
    return x < y ? -1 : (x > y ? 1 : 0);
}

bool RecordTable::Before(const TableSort& sort, int a, int b) const
{
    if (sort.column >= 0 && sort.column < ColumnCount()) {
        const int compared = Compare(sort.column, a, b);
        if (compared != 0)
            return sort.descending ? compared > 0 : compared < 0;
    }
    return a < b;
}

void RecordTable::SetFilter(const std::string& typed)
{
    foldedFilter_ = rules_.Folded(typed);
}

bool RecordTable::Matches(int record) const
{
    if (foldedFilter_.empty())
        return true;
    const MonsterRecord& fields = Monsters.at(static_cast<std::size_t>(record));
    for (int column = 0; column < ColumnCount(); ++column) {
        const std::int32_t value = fields.Fields[static_cast<std::size_t>(column)];
        if (IsNumber(column)) {
            // Digits and '-' fold to themselves.
            if (IntToStr(value).find(foldedFilter_) != std::string::npos)
                return true;
            continue;
        }
        const ListNames& names = NamesOf(column);
        const std::size_t entry = Entry(names, value);
        // An id outside the table shows as the id alone, which folds to itself.
        const bool found = entry + 1 < names.shown.size()
            ? names.foldedCells[entry].find(foldedFilter_) != std::string::npos
            : IdWithName({}, value).find(foldedFilter_) != std::string::npos;
        if (found)
            return true;
    }
    return false;
}

std::vector<int> RecordTable::ShownRecords(const TableSort& sort) const
{
    std::vector<int> records;
    const int count = RecordCount();
    records.reserve(static_cast<std::size_t>(count));
    for (int record = 0; record < count; ++record) {
        if (Matches(record))
            records.push_back(record);
    }
    std::sort(records.begin(), records.end(), [&](int a, int b) { return Before(sort, a, b); });
    return records;
}

std::string RecordTable::CopyText(const std::vector<int>& records, std::string_view lineEnd) const
{
    std::string text;
    for (int column = 0; column < ColumnCount(); ++column) {
        text += column == 0 ? "" : "\t";
        text += Caption(column);
    }
    text += lineEnd;
    for (const int record : records) {
        for (int column = 0; column < ColumnCount(); ++column) {
            text += column == 0 ? "" : "\t";
            text += OneLine(CellText(record, column));
        }
        text += lineEnd;
    }
    return text;
}

std::string RecordTable::Status(int shown) const
{
    if (!loaded_)
        return "Nothing has been loaded yet: press Load in the main window, or drop a monster file on it.";
    const int count = RecordCount();
    if (count == 0)
        return "The monster file holds no monster.";
    const std::string monsters = IntToStr(count) + (count == 1 ? " monster" : " monsters");
    return shown == count ? monsters : IntToStr(shown) + " of " + monsters + " shown";
}

std::vector<std::int32_t> RecordTable::NamedIdsInListOrder(NameList list) const
{
    const ListNames& names = names_[static_cast<std::size_t>(list)];
    std::vector<std::int32_t> ids;
    for (std::size_t id = 0; id + 1 < names.shown.size(); ++id) {
        if (!names.shown[id].empty())
            ids.push_back(static_cast<std::int32_t>(id));
    }
    std::stable_sort(ids.begin(), ids.end(), [&](std::int32_t a, std::int32_t b) {
        return names.rank[static_cast<std::size_t>(a)] < names.rank[static_cast<std::size_t>(b)];
    });
    return ids;
}

const std::string& RecordTable::ShownName(NameList list, std::int32_t id) const
{
    const ListNames& names = names_[static_cast<std::size_t>(list)];
    return names.shown[Entry(names, id)];
}

} // namespace zuninfo
