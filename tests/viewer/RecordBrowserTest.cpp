#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"
#include "viewer/RecordBrowser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace zuninfo;

namespace {

const std::string kPath = "C:\\projects\\bin\\Data\\Zun\\zuninfo.qdf";

// A record line whose first field (Index) is `index`, every other field `index * 10 + field`.
std::string RecordLine(int index)
{
    std::string line = std::to_string(index);
    for (int field = 1; field < kMonsterFieldCount; ++field)
        line += " " + std::to_string(index * 10 + field);
    return line + "\r\n";
}

class RecordBrowserTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    void Load(const std::string& file)
    {
        fake.files[kPath] = file;
        LoadAndShow(fake, fake);
    }

    std::string Position() { return fake.texts["Label24"]; }

    RecordingFake fake;
};

TEST_F(RecordBrowserTest, ShowsEveryFieldInItsControlInFieldOrder)
{
    SkinNames[3] = "Orc Chief";
    AttackNames[8] = "Club Swing";
    AttackNames[9] = "Bite";
    SkillNames[10] = "Fire Bolt";
    SkillNames[11] = "Heal";
    Load("-1 3 -2 -3 -4 -5 -6 -7 8 9 10 11 -12 -13 -14 -15 -16 -17 -18 -19 -20 -21 -2147483648\tOrc Chief\r\n");

    const std::vector<std::string> expected = {
        "SetText Edit1 -1",        "SetText ComboBox1 Orc Chief", "SetText Edit2 -2",
        "SetText Edit3 -3",        "SetText Edit4 -4",            "SetText Edit5 -5",
        "SetText Edit6 -6",        "SetText Edit7 -7",            "SetText ComboBox4 Club Swing",
        "SetText ComboBox5 Bite",  "SetText ComboBox2 Fire Bolt", "SetText ComboBox3 Heal",
        "SetText Edit12 -12",      "SetText Edit13 -13",          "SetText Edit14 -14",
        "SetText Edit8 -15",       "SetText Edit9 -16",           "SetText Edit10 -17",
        "SetText Edit11 -18",      "SetText Edit15 -19",          "SetText Edit16 -20",
        "SetText Edit17 -21",      "SetText Edit18 -2147483648",  "SetText Label24 Item 0 of 0",
    };
    EXPECT_EQ(fake.CallsStartingWith("SetText"), expected);
    // The record is shown after the load has finished.
    EXPECT_EQ(fake.calls[4], "SetEnabled Button1 false");
    EXPECT_EQ(fake.calls[5], "SetText Edit1 -1");
}

TEST_F(RecordBrowserTest, IdsWithoutANameShowEmptyText)
{
    SkinNames[0] = "Blob";
    AttackNames[0] = "Tap";
    SkillNames[0] = "Rest";
    const struct {
        const char* what;
        int skin, attack1, attack2, skill1, skill2;
    } cases[] = {
        {"no line named the id", 5, 6, 7, 8, 9},
        {"negative ids", -1, -1, -2147483647 - 1, -1, -100},
        {"one past each table", 104, 95, 95, 382, 382},
        {"far past each table", 2147483647, 1000, 96, 383, 100000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        fake = RecordingFake();
        Load("1 " + std::to_string(c.skin) + " 2 3 4 5 6 7 " + std::to_string(c.attack1) + " "
             + std::to_string(c.attack2) + " " + std::to_string(c.skill1) + " " + std::to_string(c.skill2)
             + " 12 13 14 15 16 17 18 19 20 21 22\r\n");
        for (const char* combo : {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4", "ComboBox5"})
            EXPECT_EQ(fake.texts[combo], "") << combo;
        EXPECT_EQ(fake.texts["Edit1"], "1");
    }
}

// Next walks to the last record and Prev back to the first; a step past
// either end shows nothing.
TEST_F(RecordBrowserTest, PrevAndNextStayWithinTheLoadedRecords)
{
    const struct {
        const char* what;
        int records;
        std::string tail;
    } cases[] = {
        {"no record in an opened file", 0, ";only a comment\r\n\r\n"},
        {"one record", 1, ""},
        {"three records", 3, ""},
        {"a full store, and a line past it", kMonsterSlots, RecordLine(kMonsterSlots)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        fake = RecordingFake();
        std::string file;
        for (int index = 0; index < c.records; ++index)
            file += RecordLine(index);
        Load(file + c.tail);
        const std::string of = " of " + std::to_string(c.records - 1);
        EXPECT_EQ(Position(), "Item 0" + of);

        for (int i = 0; i < c.records; ++i)
            ShowNext(fake);
        const int last = std::max(c.records - 1, 0);
        EXPECT_EQ(Position(), "Item " + std::to_string(last) + of);
        EXPECT_EQ(fake.texts["Edit1"], std::to_string(last));
        const std::size_t callsAtTheEnd = fake.calls.size();
        ShowNext(fake);
        EXPECT_EQ(fake.calls.size(), callsAtTheEnd);

        for (int i = 0; i < c.records; ++i)
            ShowPrevious(fake);
        EXPECT_EQ(Position(), "Item 0" + of);
        const std::size_t callsAtTheStart = fake.calls.size();
        ShowPrevious(fake);
        EXPECT_EQ(fake.calls.size(), callsAtTheStart);
    }
}

TEST_F(RecordBrowserTest, AFileWithoutRecordsShowsTheEmptyFirstSlot)
{
    SkinNames[0] = "Blob";
    SkillNames[0] = "Rest";
    AttackNames[0] = "Tap";
    Load(";nothing here\r\n");

    EXPECT_EQ(fake.texts["Edit1"], "0");
    EXPECT_EQ(fake.texts["Edit18"], "0");
    EXPECT_EQ(fake.texts["ComboBox1"], "Blob");
    EXPECT_EQ(fake.texts["ComboBox3"], "Rest");
    EXPECT_EQ(fake.texts["ComboBox5"], "Tap");
}

TEST_F(RecordBrowserTest, NothingMovesBeforeALoadAndAFailedLoadShowsNothing)
{
    ShowNext(fake);
    ShowPrevious(fake);
    LoadAndShow(fake, fake); // the file is not there
    EXPECT_TRUE(fake.CallsStartingWith("SetText").empty());
    EXPECT_EQ(fake.calls.back(), "ShowMessage File not found");
    EXPECT_EQ(CurrentIndex, 0);
}

} // namespace
