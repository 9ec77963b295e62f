#include "viewer/TableEditor.h"

#include "data/MonsterFields.h"
#include "platform/Conversions.h"
#include "viewer/AddRecordCommand.h"
#include "viewer/DeleteRecordsCommand.h"
#include "viewer/EditMessages.h"
#include "viewer/RecordBrowser.h"
#include "viewer/ReplaceRecordsCommand.h"

#include <cstdint>
#include <limits>
#include <set>

namespace zuninfo {

TableEditor::TableEditor(const RecordTable& table)
    : table_(table),
      choices_{NameChoices(table, NameList::Skins), NameChoices(table, NameList::Skills),
               NameChoices(table, NameList::Attacks)}
{
    static_assert(static_cast<int>(NameList::Skins) == 0 && static_cast<int>(NameList::Skills) == 1
                  && static_cast<int>(NameList::Attacks) == 2);
    Start();
}

void TableEditor::Start(std::optional<std::string> whyNot)
{
    copy_.Start();
    history_.Clear();
    whyNot_ = std::move(whyNot);
}

std::string TableEditor::Status(int shown) const
{
    std::string text = table_.Status(shown);
    if (table_.Loaded() && !Editable())
        text += ". " + WhyNotEditable();
    return text;
}

std::string TableEditor::WhyNotEditable() const
{
    return whyNot_ ? Worded(kNotEditable, {*whyNot_}) : std::string();
}

const NameChoices& TableEditor::ChoicesFor(int column) const
{
    return choices_[static_cast<std::size_t>(*kMonsterFields.at(static_cast<std::size_t>(column)).names)];
}

CellInput TableEditor::Check(int slot, int column, const std::string& text) const
{
    if (whyNot_)
        return CellInput::Refused(WhyNotEditable());
    if (RecordTable::IsNumber(column)) {
        CellInput input = ReadNumber(text);
        if (!input.value)
            input.refusal = std::string(RecordTable::Caption(column)) + ": " + input.refusal;
        return input;
    }
    CellInput input = ChoicesFor(column).Resolve(text, copy_.LoadedValue(slot, column));
    if (!input.value)
        input.refusal = std::string(RecordTable::Caption(column)) + ": " + input.refusal;
    return input;
}

EditOutcome TableEditor::Do(std::unique_ptr<EditCommand> command)
{
    return {true, {}, history_.Push(std::move(command), copy_)};
}

EditOutcome TableEditor::SetCell(int slot, int column, const std::string& text)
{
    if (slot < 0 || slot >= copy_.Count())
        return {};
    const CellInput input = Check(slot, column, text);
    if (!input.value)
        return {false, input.refusal, {slot, column, false}};
    if (*input.value == copy_.Value(slot, column))
        return {false, {}, {slot, column, false}};
    return SetCells({{slot, column, *input.value}},
                    std::string(RecordTable::Caption(column)) + " of record " + IntToStr(slot));
}

EditOutcome TableEditor::SetCells(std::vector<CellValue> cells, const std::string& text)
{
    if (whyNot_)
        return {false, WhyNotEditable(), {}};
    std::erase_if(cells, [&](const CellValue& cell) {
        return cell.slot < 0 || cell.slot >= copy_.Count() || cell.column < 0 || cell.column >= kMonsterFieldCount;
    });
    if (cells.empty())
        return {};
    return Do(std::make_unique<SetCellsCommand>(copy_, std::move(cells), text));
}

EditOutcome TableEditor::AddRecord(int from)
{
    if (whyNot_)
        return {false, WhyNotEditable(), {}};
    if (copy_.Count() >= kMonsterSlots)
        return {false, Worded(kTableFull, {IntToStr(kMonsterSlots)}), {}};
    if (from < 0 || from >= copy_.Count())
        return {false, kNothingToAddFrom, {}};
    std::set<std::int64_t> taken;
    for (int slot = 0; slot < copy_.Count(); ++slot)
        taken.insert(copy_.Value(slot, 0));
    // Upwards from the last record's Index; past the largest, from the
    // smallest (fewer records than values, so one is always free).
    std::int64_t index = static_cast<std::int64_t>(copy_.Value(copy_.Count() - 1, 0)) + 1;
    while (index > std::numeric_limits<std::int32_t>::max() || taken.count(index) != 0)
        index = index > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::min() : index + 1;
    MonsterRecord record = Monsters[static_cast<std::size_t>(from)];
    record.Fields[0] = static_cast<std::int32_t>(index);
    return Do(std::make_unique<AddRecordCommand>(record, copy_.Count()));
}

EditOutcome TableEditor::DeleteRecords(std::vector<int> chosen)
{
    if (whyNot_)
        return {false, WhyNotEditable(), {}};
    std::erase_if(chosen, [&](int slot) { return slot < 0 || slot >= copy_.Count(); });
    if (chosen.empty())
        return {false, kNothingToDelete, {}};
    EditOutcome outcome = Do(std::make_unique<DeleteRecordsCommand>(copy_, std::move(chosen)));
    KeepCurrentRecord();
    return outcome;
}

std::optional<EditPlace> TableEditor::Undo()
{
    const std::optional<EditPlace> place = history_.Undo(copy_);
    KeepCurrentRecord();
    return place;
}

std::optional<EditPlace> TableEditor::Redo()
{
    const std::optional<EditPlace> place = history_.Redo(copy_);
    KeepCurrentRecord();
    return place;
}

// The main window's record stays one there is, when records were deleted.
void TableEditor::KeepCurrentRecord()
{
    if (CurrentIndex > LastIndex)
        CurrentIndex = LastIndex < 0 ? 0 : LastIndex;
}

void TableEditor::Discard()
{
    copy_.Revert();
    history_.Clear();
    KeepCurrentRecord();
}

void TableEditor::Saved()
{
    const std::vector<std::optional<std::size_t>> moved = copy_.Rebase();
    history_.Rebase(moved);
    history_.MarkClean();
}

std::string TableEditor::ChangeText(int slot, int column) const
{
    if (!copy_.Differs(slot, column))
        return {};
    const std::optional<std::int32_t> loaded = copy_.LoadedValue(slot, column);
    if (!loaded)
        return kAddedRecord;
    return Worded(kChangedFrom, {table_.ValueText(column, *loaded)});
}

EditOutcome TableEditor::ReplaceRecords(const std::vector<WantedRecord>& records, const std::string& text)
{
    if (whyNot_)
        return {false, WhyNotEditable(), {}};
    if (records.size() > static_cast<std::size_t>(kMonsterSlots))
        return {false, Worded(kTableFull, {IntToStr(kMonsterSlots)}), {}};
    std::vector<WantedRecord> after;
    after.reserve(records.size());
    bool same = records.size() == static_cast<std::size_t>(copy_.Count());
    for (std::size_t at = 0; at < records.size(); ++at) {
        const WantedRecord& record = records[at];
        const bool known = record.origin && *record.origin < static_cast<std::size_t>(copy_.Count());
        after.push_back({known ? copy_.Origin(static_cast<int>(*record.origin)) : std::nullopt, record.record});
        same = same && known && *record.origin == at
               && record.record.Fields == Monsters[at].Fields;
    }
    if (same)
        return {};
    return Do(std::make_unique<ReplaceRecordsCommand>(copy_.Wanted(), std::move(after), text));
}

} // namespace zuninfo
