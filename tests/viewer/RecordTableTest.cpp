// The table of all monsters without a toolkit: its cells, sorting,
// filtering, choosing a row and copying, with text rules that fold and
// collate ASCII only and the recording fake as the main window.
#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "tests/support/AsciiRules.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"
#include "viewer/RecordBrowser.h"
#include "viewer/RecordTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace zuninfo;

namespace {

constexpr int kSkin = 1, kSkill1 = 10, kStr = 14;

// Eight records: Index 100 + record, the given skin, Str and 1st skill; every
// other field 0.
const struct {
    int skin, str, skill;
} kRecords[] = {
    {4, 5, 1}, {200, -3, 2}, {1, 5, 0}, {2, 2147483647, 1}, {-1, -2147483647 - 1, 7}, {3, 12, 3}, {5, 12, 0}, {0, 5, 2},
};

class RecordTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramState();
        SkinNames[0] = "";
        SkinNames[1] = "goblin";
        SkinNames[2] = "Orc Chief";
        SkinNames[3] = "Bat";
        SkinNames[4] = "Goblin";
        SkinNames[5] = "bat";
        SkillNames[1] = "Fire\tBolt";
        SkillNames[2] = "Heal";
        SkillNames[3] = "Caf\xE9"; // read as Windows-1252
        SkillNamesEncoding = TextEncoding::Ansi;
        std::string file;
        for (std::size_t i = 0; i < std::size(kRecords); ++i) {
            std::vector<int> fields(kMonsterFieldCount, 0);
            fields[0] = 100 + static_cast<int>(i);
            fields[kSkin] = kRecords[i].skin;
            fields[kStr] = kRecords[i].str;
            fields[kSkill1] = kRecords[i].skill;
            for (const int field : fields)
                file += std::to_string(field) + " ";
            file.back() = '\r';
            file += "\n";
        }
        window.files[MonsterInfoPath(0)] = file;
        ASSERT_TRUE(LoadMonsterInfo(window, window));
        // As the window makes it: after the lists have been read.
        table = std::make_unique<RecordTable>(rules);
        table->SetLoaded(true);
    }
    void TearDown() override { ResetProgramState(); }

    RecordingFake window;
    AsciiRules rules;
    std::unique_ptr<RecordTable> table;
};

TEST_F(RecordTableTest, CellsShowNumbersAndNamesWithTheirIds)
{
    ASSERT_EQ(table->RecordCount(), 8);

    const struct {
        int record, column;
        const char* text;
    } cells[] = {
        {0, kSkin, "Goblin (4)"}, {1, kSkin, "(200)"},      {4, kSkin, "(-1)"}, {7, kSkin, "(0)"},
        {4, kStr, "-2147483648"}, {5, kSkill1, "Caf\xC3\xA9 (3)"}, {0, 8, "(0)"},
    };
    for (const auto& cell : cells)
        EXPECT_EQ(table->CellText(cell.record, cell.column), cell.text) << cell.record << "," << cell.column;
}

TEST_F(RecordTableTest, SortingByAColumnAndReversingIt)
{
    const struct {
        const char* what;
        TableSort sort;
        std::vector<int> order;
    } cases[] = {
        {"store order", {}, {0, 1, 2, 3, 4, 5, 6, 7}},
        // Numbers as numbers; equal ones in store order, either way.
        {"Str", {kStr, false}, {4, 1, 0, 2, 7, 5, 6, 3}},
        {"Str reversed", {kStr, true}, {3, 5, 6, 0, 2, 7, 1, 4}},
        // Names in the lists' order: case ignored, then bytes; one name for
        // several ids by id; no name ((-1), (0), (200)) first.
        {"Skin", {kSkin, false}, {4, 7, 1, 5, 6, 0, 2, 3}},
        {"Skin reversed", {kSkin, true}, {3, 2, 0, 6, 5, 1, 7, 4}},
        {"Skill 1", {kSkill1, false}, {2, 6, 4, 5, 0, 3, 1, 7}},
        {"a column of equal values", {0 + 22, true}, {0, 1, 2, 3, 4, 5, 6, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(table->ShownRecords(c.sort), c.order);
    }

    // A click sorts ascending; a click on the same column reverses.
    TableSort sort;
    sort = SortAfterClick(sort, kStr);
    EXPECT_EQ(sort, (TableSort{kStr, false}));
    sort = SortAfterClick(sort, kStr);
    EXPECT_EQ(sort, (TableSort{kStr, true}));
    sort = SortAfterClick(sort, kStr);
    EXPECT_EQ(sort, (TableSort{kStr, false}));
    sort = SortAfterClick(SortAfterClick(sort, kStr), kSkin);
    EXPECT_EQ(sort, (TableSort{kSkin, false}));
}

TEST_F(RecordTableTest, TheFilterKeepsRowsWithACellHoldingTheTextCaseIgnored)
{
    const struct {
        const char* typed;
        std::vector<int> kept;
    } cases[] = {
        {"", {0, 1, 2, 3, 4, 5, 6, 7}},
        {"GOBLIN", {0, 2}},
        {"bat (", {5, 6}},
        {"(200)", {1}},
        {"-2147483648", {4}},
        {"12", {5, 6}},
        {"107", {7}},
        {"CAF\xC3\xA9", {5}},
        {"fire\tbolt", {0, 3}},
        {"dragon", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        table->SetFilter(c.typed);
        EXPECT_EQ(table->ShownRecords({}), c.kept);
    }
    // Sorting keeps to the rows kept.
    table->SetFilter("12");
    EXPECT_EQ(table->ShownRecords({0, true}), (std::vector<int>{6, 5}));
}

TEST_F(RecordTableTest, AChosenRowIsShownExactlyAsNextWouldShowIt)
{
    for (const int slot : {5, 0, 7}) {
        SCOPED_TRACE(slot);
        RecordingFake stepped, chosen;
        CurrentIndex = slot == 0 ? 1 : slot - 1;
        if (slot == 0)
            ShowPrevious(stepped);
        else
            ShowNext(stepped);

        CurrentIndex = 3;
        ShowChosenRecord(chosen, slot);
        EXPECT_EQ(chosen.calls, stepped.calls);
        EXPECT_EQ(chosen.texts["Label24"], "Item " + std::to_string(slot) + " of 7");
        EXPECT_EQ(CurrentIndex, slot);
    }
    // No record there: nothing shown, nothing moved.
    RecordingFake outside;
    ShowChosenRecord(outside, 8);
    ShowChosenRecord(outside, -1);
    EXPECT_TRUE(outside.calls.empty());
    EXPECT_EQ(CurrentIndex, 7);
}

TEST_F(RecordTableTest, CopiedRowsAreTabSeparatedUnderTheCaptions)
{
    const std::string header =
        "Index\tSkin\tLine of Sight\tWalk Speed\t1st Attack Range\t2nd Attack Range\t1st Attack wait time\t"
        "2nd Attack wait time\t1st Attack Animation\t2nd Attack Animation\tSkill 1\tSkill 2\t1st Skill wait time\t"
        "2nd Skill wait time\tStr\tSpr\tDex\tPow\tExperience\tDirection1\tDirection2\tHonor\tFly";
    const std::string record3 = "103\tOrc Chief (2)\t0\t0\t0\t0\t0\t0\t(0)\t(0)\tFire Bolt (1)\t(0)\t0\t0\t2147483647"
                                "\t0\t0\t0\t0\t0\t0\t0\t0";
    const std::string record1 = "101\t(200)\t0\t0\t0\t0\t0\t0\t(0)\t(0)\tHeal (2)\t(0)\t0\t0\t-3\t0\t0\t0\t0\t0\t0\t0\t0";
    EXPECT_EQ(table->CopyText({3, 1}, "\r\n"), header + "\r\n" + record3 + "\r\n" + record1 + "\r\n");
    EXPECT_EQ(table->CopyText({}, "\n"), header + "\n");
}

TEST_F(RecordTableTest, BeforeLoadTheTableIsEmptyAndSaysSo)
{
    const struct {
        bool loaded;
        int lastIndex;
        const char* filter;
        int records;
        const char* status;
    } cases[] = {
        {false, 7, "", 0, "Nothing has been loaded yet: press Load in the main window, or drop a monster file on it."},
        {true, -1, "", 0, "The monster file holds no monster."},
        {true, 7, "goblin", 8, "2 of 8 monsters shown"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        LastIndex = c.lastIndex;
        table->SetLoaded(c.loaded);
        table->SetFilter(c.filter);
        EXPECT_EQ(table->RecordCount(), c.records);
        const std::vector<int> shown = table->ShownRecords({kStr, false});
        EXPECT_EQ(table->Status(static_cast<int>(shown.size())), c.status);
    }
}

} // namespace
