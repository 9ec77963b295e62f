// The table's editor without a window: what a typed cell means, the name
// choices, and one history of edits over the record store, with what
// differs from the file as loaded and the records to save.
#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "tests/support/AsciiRules.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"
#include "viewer/RecordBrowser.h"
#include "viewer/RecordTable.h"
#include "viewer/TableEditor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

using namespace zuninfo;

namespace {

constexpr int kIndex = 0, kSkin = 1, kSkill1 = 10, kStr = 14;

class TableEditorTest : public ::testing::Test {
protected:
    // Four records, Index 10, 11, 13, 12: skin 1, 2, 3, 99; Str 5, 6, 7, 8.
    void SetUp() override
    {
        ResetProgramState();
        SkinNames[1] = "Goblin";
        SkinNames[2] = "Orc Chief";
        SkinNames[3] = "Bat";
        SkinNames[4] = "orc";
        SkinNames[7] = "bat";
        SkinNames[8] = "Orc";
        SkillNames[2] = "Heal";
        const int indexes[] = {10, 11, 13, 12}, skins[] = {1, 2, 3, 99};
        std::string file;
        for (int i = 0; i < 4; ++i) {
            std::vector<int> fields(kMonsterFieldCount, 0);
            fields[kIndex] = indexes[i];
            fields[kSkin] = skins[i];
            fields[kStr] = 5 + i;
            for (const int field : fields)
                file += std::to_string(field) + " ";
            file.back() = '\r';
            file += "\n";
        }
        window.files[MonsterInfoPath(0)] = file;
        ASSERT_TRUE(LoadMonsterInfo(window, window));
        table = std::make_unique<RecordTable>(rules);
        table->SetLoaded(true);
        editor = std::make_unique<TableEditor>(*table);
    }
    void TearDown() override { ResetProgramState(); }

    std::vector<int> Column(int column) const
    {
        std::vector<int> values;
        for (int slot = 0; slot <= LastIndex; ++slot)
            values.push_back(Monsters[static_cast<std::size_t>(slot)].Fields[static_cast<std::size_t>(column)]);
        return values;
    }

    RecordingFake window;
    AsciiRules rules;
    std::unique_ptr<RecordTable> table;
    std::unique_ptr<TableEditor> editor;
};

TEST_F(TableEditorTest, ANumberCellTakesWhatTheViewerReadsAsANumber)
{
    const std::string huge(1 << 20, '7');
    const struct {
        std::string typed;
        std::optional<int> value;
        std::string refusal;
    } cases[] = {
        {"777", 777, ""},
        {"+12", 12, ""},
        {"-2147483648", -2147483647 - 1, ""},
        {"0007", 7, ""},
        {"2147483648", std::nullopt, "Str: '2147483648' is not a valid integer value"},
        {"12x", std::nullopt, "Str: '12x' is not a valid integer value"},
        {" 1", std::nullopt, "Str: ' 1' is not a valid integer value"},
        {"1\r\n", std::nullopt, "Str: '1\\r\\n' is not a valid integer value"},
        {"", std::nullopt, "Str: '' is not a valid integer value"},
        {"-", std::nullopt, "Str: '-' is not a valid integer value"},
        {std::string("1\0", 2), std::nullopt, "Str: '1\\x00' is not a valid integer value"},
        {huge, std::nullopt, "Str: '" + std::string(48, '7') + "... (1048576 bytes)' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.substr(0, 20));
        const CellInput input = editor->Check(0, kStr, c.typed);
        EXPECT_EQ(input.value, c.value);
        EXPECT_EQ(input.refusal, c.refusal);
        const EditOutcome outcome = editor->SetCell(0, kStr, c.typed);
        EXPECT_EQ(outcome.done, c.value.has_value() && *c.value != 5);
        EXPECT_EQ(outcome.refusal, c.refusal);
        editor->Undo();
        EXPECT_EQ(Column(kStr), (std::vector<int>{5, 6, 7, 8}));
    }
}

TEST_F(TableEditorTest, ANameCellOffersTheListInItsOrderAndTakesANameOrAnId)
{
    std::vector<std::string> offered;
    for (const NameChoice& choice : editor->ChoicesFor(kSkin).All())
        offered.push_back(choice.text);
    EXPECT_EQ(offered, (std::vector<std::string>{"Bat (3)", "bat (7)", "Goblin (1)", "Orc (8)", "orc (4)",
                                                 "Orc Chief (2)"}));
    std::vector<std::size_t> completed = editor->ChoicesFor(kSkin).Completions("ORC");
    EXPECT_EQ(completed, (std::vector<std::size_t>{3, 4, 5}));
    EXPECT_TRUE(editor->ChoicesFor(kSkin).Completions("orc chief (3").empty());

    const std::string huge(1 << 20, 'a');
    const struct {
        std::string typed;
        int slot;
        std::optional<int> id;
        std::string refusal;
    } cases[] = {
        {"Orc Chief (2)", 0, 2, ""},
        {"orc chief", 0, 2, ""},
        {"GOBLIN", 1, 1, ""},
        {"2", 0, 2, ""},
        {"(4)", 0, 4, ""},
        {"orc (8)", 0, 8, ""},
        {"Bat", 0, std::nullopt, "Skin: 'Bat' is the name of ids 3 and 7 in mons.txt: type the one you mean with its id, as in 'Bat (3)'"},
        {"orc", 0, std::nullopt, "Skin: 'orc' is the name of ids 4 and 8 in mons.txt: type the one you mean with its id, as in 'orc (4)'"},
        {"99", 0, std::nullopt, "Skin: Id 99 has no name in mons.txt: give it one in mons.txt first, or choose a name"},
        {"(5)", 0, std::nullopt, "Skin: Id 5 has no name in mons.txt: give it one in mons.txt first, or choose a name"},
        // The id the file gave the cell stays possible.
        {"(99)", 3, 99, ""},
        {"Dragon", 0, std::nullopt, "Skin: 'Dragon' is no name in mons.txt: choose one from the list, or type its id"},
        {"", 0, std::nullopt, "Skin: '' is no name in mons.txt: choose one from the list, or type its id"},
        {"Orc\nChief", 0, std::nullopt, "Skin: 'Orc\\nChief' is no name in mons.txt: choose one from the list, or type its id"},
        {huge, 0, std::nullopt, "Skin: '" + std::string(48, 'a') + "... (1048576 bytes)' is no name in mons.txt: choose one from the list, or type its id"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.substr(0, 20));
        const CellInput input = editor->Check(c.slot, kSkin, c.typed);
        EXPECT_EQ(input.value, c.id);
        EXPECT_EQ(input.refusal, c.refusal);
    }
    // A skill: its own list.
    EXPECT_EQ(editor->Check(0, kSkill1, "heal").value, 2);
    EXPECT_EQ(editor->Check(0, kSkill1, "Goblin").value, std::nullopt);
}

// One step of a scripted session, and what the Str column, the Index column
// and the modified marker are after it.
enum class Step { Set, Add, Delete, Batch, Undo, Redo, Save };

TEST_F(TableEditorTest, OneHistoryUndoesAndRedoesEveryKindOfStep)
{
    const struct {
        Step step;
        std::vector<int> slots; // the cell's or record's slot, the records to delete
        std::vector<int> str, index;
        bool modified;
        std::vector<int> origins; // -1: added
    } script[] = {
        {Step::Set, {1}, {5, 777, 7, 8}, {10, 11, 13, 12}, true, {0, 1, 2, 3}},
        // A copy of record 1 after the last, with the Index after the last
        // record's that no record has (13 is taken).
        {Step::Add, {1}, {5, 777, 7, 8, 777}, {10, 11, 13, 12, 14}, true, {0, 1, 2, 3, -1}},
        {Step::Delete, {2, 0}, {777, 8, 777}, {11, 12, 14}, true, {1, 3, -1}},
        {Step::Batch, {0, 2}, {1, 8, 2}, {11, 12, 14}, true, {1, 3, -1}},
        {Step::Undo, {}, {777, 8, 777}, {11, 12, 14}, true, {1, 3, -1}},
        {Step::Undo, {}, {5, 777, 7, 8, 777}, {10, 11, 13, 12, 14}, true, {0, 1, 2, 3, -1}},
        {Step::Undo, {}, {5, 777, 7, 8}, {10, 11, 13, 12}, true, {0, 1, 2, 3}},
        {Step::Undo, {}, {5, 6, 7, 8}, {10, 11, 13, 12}, false, {0, 1, 2, 3}},
        {Step::Undo, {}, {5, 6, 7, 8}, {10, 11, 13, 12}, false, {0, 1, 2, 3}},
        {Step::Redo, {}, {5, 777, 7, 8}, {10, 11, 13, 12}, true, {0, 1, 2, 3}},
        {Step::Redo, {}, {5, 777, 7, 8, 777}, {10, 11, 13, 12, 14}, true, {0, 1, 2, 3, -1}},
        {Step::Redo, {}, {777, 8, 777}, {11, 12, 14}, true, {1, 3, -1}},
        // Saved: the file now holds these three, and nothing differs.
        {Step::Save, {}, {777, 8, 777}, {11, 12, 14}, false, {0, 1, 2}},
        // Undone past the save: the deleted records are new to the saved file.
        {Step::Undo, {}, {5, 777, 7, 8, 777}, {10, 11, 13, 12, 14}, true, {-1, 0, -1, 1, 2}},
        {Step::Redo, {}, {777, 8, 777}, {11, 12, 14}, false, {0, 1, 2}},
        // A new step after an undo drops the steps undone.
        {Step::Undo, {}, {5, 777, 7, 8, 777}, {10, 11, 13, 12, 14}, true, {-1, 0, -1, 1, 2}},
        {Step::Set, {4}, {5, 777, 7, 8, 6}, {10, 11, 13, 12, 14}, true, {-1, 0, -1, 1, 2}},
        {Step::Redo, {}, {5, 777, 7, 8, 6}, {10, 11, 13, 12, 14}, true, {-1, 0, -1, 1, 2}},
    };
    int line = 0;
    for (const auto& s : script) {
        SCOPED_TRACE("step " + std::to_string(line++));
        switch (s.step) {
        case Step::Set:
            EXPECT_TRUE(editor->SetCell(s.slots[0], kStr, line == 1 ? "777" : "6").done);
            break;
        case Step::Add:
            EXPECT_TRUE(editor->AddRecord(s.slots[0]).done);
            break;
        case Step::Delete:
            EXPECT_TRUE(editor->DeleteRecords(s.slots).done);
            break;
        case Step::Batch:
            EXPECT_TRUE(editor->SetCells({{s.slots[0], kStr, 1}, {s.slots[1], kStr, 2}}, "import").done);
            break;
        case Step::Undo:
            editor->Undo();
            break;
        case Step::Redo:
            editor->Redo();
            break;
        case Step::Save:
            editor->Saved();
            break;
        }
        EXPECT_EQ(Column(kStr), s.str);
        EXPECT_EQ(Column(kIndex), s.index);
        EXPECT_EQ(editor->Modified(), s.modified);
        const std::vector<WantedRecord> wanted = editor->Wanted();
        std::vector<int> origins;
        for (const WantedRecord& record : wanted)
            origins.push_back(record.origin ? static_cast<int>(*record.origin) : -1);
        EXPECT_EQ(origins, s.origins);
        // Slots past the records stay empty, as after a load.
        EXPECT_EQ(Monsters[static_cast<std::size_t>(LastIndex + 1)].Fields, MonsterRecord{}.Fields);
    }
}

TEST_F(TableEditorTest, AStepThatChangedOneRecordSaysSoThatOnlyItsRowIsShownAnew)
{
    const auto one = [](const std::optional<EditPlace>& place) { return place && place->oneRecord; };
    EXPECT_TRUE(one(editor->SetCell(1, kStr, "777").place));
    EXPECT_TRUE(one(editor->SetCells({{2, kStr, 1}, {2, kIndex, 40}}, "two cells").place));
    EXPECT_FALSE(one(editor->SetCells({{0, kStr, 1}, {2, kStr, 2}}, "two records").place));
    EXPECT_FALSE(one(editor->Undo()));
    EXPECT_TRUE(one(editor->Undo()));
    EXPECT_TRUE(one(editor->Redo()));
    EXPECT_FALSE(one(editor->AddRecord(1).place));
}

TEST_F(TableEditorTest, ChangedCellsAreToldWithWhatTheyWere)
{
    editor->SetCell(1, kStr, "777");
    editor->SetCell(0, kSkin, "Bat (3)");
    editor->SetCell(2, kStr, "70");
    editor->SetCell(2, kStr, "7");
    editor->AddRecord(0);
    const struct {
        int slot, column;
        std::string change;
    } cells[] = {
        {1, kStr, "changed from 6"},   {0, kSkin, "changed from Goblin (1)"}, {0, kStr, ""},
        {2, kStr, ""},                 {4, kIndex, "added record"},           {4, kStr, "added record"},
    };
    for (const auto& cell : cells) {
        SCOPED_TRACE(std::to_string(cell.slot) + "," + std::to_string(cell.column));
        EXPECT_EQ(editor->ChangeText(cell.slot, cell.column), cell.change);
        EXPECT_EQ(editor->Differs(cell.slot, cell.column), !cell.change.empty());
    }
    EXPECT_EQ(editor->History().UndoText(), "adding record 4 (Index 14)");
    editor->Undo();
    EXPECT_EQ(editor->History().RedoText(), "adding record 4 (Index 14)");
    EXPECT_EQ(editor->History().UndoText(), "Str of record 2");
}

TEST_F(TableEditorTest, TheStoreHoldsAtMost500RecordsAndTheMainWindowKeepsARecord)
{
    CurrentIndex = 3;
    EXPECT_TRUE(editor->DeleteRecords({3, 1}).done);
    EXPECT_EQ(CurrentIndex, 1);
    EXPECT_EQ(editor->DeleteRecords({}).refusal, "Choose the records to delete first");
    EXPECT_EQ(editor->DeleteRecords({7}).refusal, "Choose the records to delete first");
    while (LastIndex + 1 < kMonsterSlots)
        ASSERT_TRUE(editor->AddRecord(LastIndex).done);
    const EditOutcome full = editor->AddRecord(0);
    EXPECT_FALSE(full.done);
    EXPECT_EQ(full.refusal, "The table holds 500 records, as many as the monster file can: delete one before adding another");
    EXPECT_EQ(LastIndex, kMonsterSlots - 1);
    // Each added record took an Index no other has.
    std::vector<int> indexes = Column(kIndex);
    std::sort(indexes.begin(), indexes.end());
    EXPECT_EQ(std::adjacent_find(indexes.begin(), indexes.end()), indexes.end());
    // Every record deleted at once, and back.
    std::vector<int> all(kMonsterSlots);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_TRUE(editor->DeleteRecords(all).done);
    EXPECT_EQ(LastIndex, -1);
    EXPECT_EQ(CurrentIndex, 0);
    EXPECT_EQ(editor->AddRecord(0).refusal, "Choose the record to copy first");
    editor->Undo();
    EXPECT_EQ(LastIndex, kMonsterSlots - 1);
}

TEST_F(TableEditorTest, DiscardingGoesBackToTheFileAsLoadedOrLastSaved)
{
    const struct {
        const char* what;
        bool saveFirst;
        std::vector<int> str, index;
    } cases[] = {
        {"as loaded", false, {5, 6, 7, 8}, {10, 11, 13, 12}},
        {"as saved", true, {6, 7, 8}, {11, 13, 12}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        editor->Start();
        if (c.saveFirst) {
            editor->DeleteRecords({0});
            editor->Saved();
        }
        editor->SetCell(0, kStr, "777");
        editor->AddRecord(1);
        editor->DeleteRecords({1, 2});
        CurrentIndex = LastIndex;
        editor->Discard();
        EXPECT_EQ(Column(kStr), c.str);
        EXPECT_EQ(Column(kIndex), c.index);
        EXPECT_FALSE(editor->Modified());
        EXPECT_FALSE(editor->History().CanUndo());
        EXPECT_FALSE(editor->Differs(0, kStr));
        EXPECT_EQ(Monsters[static_cast<std::size_t>(LastIndex + 1)].Fields, MonsterRecord{}.Fields);
        EXPECT_LE(CurrentIndex, LastIndex);
        // The next case starts from the file as loaded.
        Monsters = {};
        ASSERT_TRUE(LoadMonsterInfo(window, window));
    }
}

TEST_F(TableEditorTest, AFileReadInPartIsNotEdited)
{
    editor->Start("zuninfo.qdf:5:38: error: Pow (field 17): '12x' is not a valid integer value");
    EXPECT_FALSE(editor->Editable());
    const std::string why =
        "Editing is off for this file: zuninfo.qdf:5:38: error: Pow (field 17): '12x' is not a valid integer value";
    EXPECT_EQ(editor->Check(0, kStr, "1").refusal, why);
    EXPECT_EQ(editor->SetCell(0, kStr, "1").refusal, why);
    EXPECT_EQ(editor->AddRecord(0).refusal, why);
    EXPECT_EQ(editor->DeleteRecords({0}).refusal, why);
    EXPECT_EQ(Column(kStr), (std::vector<int>{5, 6, 7, 8}));
    EXPECT_FALSE(editor->Modified());
}

} // namespace
