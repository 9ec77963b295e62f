#pragma once

#include "save/SaveMonsterFile.h"
#include "viewer/CellInput.h"
#include "viewer/EditHistory.h"
#include "viewer/NameChoices.h"
#include "viewer/RecordTable.h"
#include "viewer/SetCellsCommand.h"
#include "viewer/WorkingCopy.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zuninfo {

// What became of an edit asked for.
struct EditOutcome {
    bool done = false;   // a step was done (and can be undone)
    std::string refusal; // when refused, why; empty when done, or when nothing needed doing
    EditPlace place;
};

// The editing of the table of all monsters, as every front end shows it:
// the records being edited (the record store itself), what a cell's typed
// text means, the name choices, one history to undo and redo, what differs
// from the file as loaded, and the records to save.
class TableEditor {
public:
    // Made once the name lists are read and the table exists; the records
    // Load has read (if any) become the file's.
    explicit TableEditor(const RecordTable& table);

    // Load has read a file: its records become the file's, the history
    // starts empty. `whyNot`: why the file may not be edited, if it may not.
    void Start(std::optional<std::string> whyNot = std::nullopt);
    bool Editable() const { return !whyNot_; }
    std::string WhyNotEditable() const;
    // The table window's status line with `shown` rows showing: the table's
    // own, and where the file loaded may not be edited, why.
    std::string Status(int shown) const;

    // What the text typed into a cell means there.
    CellInput Check(int slot, int column, const std::string& text) const;
    const NameChoices& ChoicesFor(int column) const;

    EditOutcome SetCell(int slot, int column, const std::string& text);
    // Several cells as one step (pending edits); `text` names the step.
    EditOutcome SetCells(std::vector<CellValue> cells, const std::string& text);
    // A copy of the record at `from` after the last record, with the next
    // Index after the last record's that no record has.
    EditOutcome AddRecord(int from);
    EditOutcome DeleteRecords(std::vector<int> chosen);
    // Every record replaced by these as one step named `text`: each with
    // the slot of the store it comes from (none: a record added). Nothing
    // is done where they are the records as they stand.
    EditOutcome ReplaceRecords(const std::vector<WantedRecord>& records, const std::string& text);

    std::optional<EditPlace> Undo();
    std::optional<EditPlace> Redo();
    const EditHistory& History() const { return history_; }

    // Whether there are changes not saved.
    bool Modified() const { return !history_.Clean(); }
    // The changes not saved dropped: the records as loaded (or last saved)
    // again, and nothing to undo.
    void Discard();
    // The records as they stand were saved: the file now holds them (in
    // store order), and what differs is told against it.
    void Saved();

    // Whether a cell differs from the file, and for a screen reader and a
    // tooltip, how: "changed from 12", "added record"; empty when it does
    // not differ.
    bool Differs(int slot, int column) const { return copy_.Differs(slot, column); }
    std::string ChangeText(int slot, int column) const;

    // The records in store order, each with the slot of the file it came
    // from, for a save.
    std::vector<WantedRecord> Wanted() const { return copy_.Wanted(); }

private:
    EditOutcome Do(std::unique_ptr<EditCommand> command);
    void KeepCurrentRecord();

    const RecordTable& table_;
    std::array<NameChoices, kNameLists.size()> choices_;
    WorkingCopy copy_;
    EditHistory history_;
    std::optional<std::string> whyNot_;
};

} // namespace zuninfo
