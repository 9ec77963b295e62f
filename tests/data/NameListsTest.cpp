#include "data/NameLists.h"
#include "platform/Exception.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using Names = std::map<int, std::string>;
using Items = std::vector<std::string>;

class NameListsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    // Loads the lists and gives the message of the Exception that came out,
    // or nothing.
    std::optional<std::string> Load()
    {
        try {
            LoadNameLists(fake, fake);
        } catch (const Exception& error) {
            return error.what();
        }
        return std::nullopt;
    }

    // The entries of a table that are not empty.
    template <typename Table>
    static Names Defined(const Table& table)
    {
        Names names;
        for (std::size_t id = 0; id < table.size(); ++id) {
            if (!table[id].empty())
                names[static_cast<int>(id)] = table[id];
        }
        return names;
    }

    RecordingFake fake;
};

// One mons.txt and what it must give (skills.txt and attacks.txt are empty).
struct SkinCase {
    const char* what;
    std::string mons;
    Names skins;
    Items comboBox1;
};

TEST_F(NameListsTest, SkinListGrammar)
{
    const SkinCase cases[] = {
        {"space and colon separators", "12 Goblin\r\n13:Goblin Chief\r\n",
         {{12, "Goblin"}, {13, "Goblin Chief"}}, {"Goblin", "Goblin Chief"}},
        {"only the first separator counts", "12: Goblin\r\n14  Orc: Chief:\r\n5 a\tb\r\n",
         {{12, " Goblin"}, {14, " Orc: Chief:"}, {5, "a\tb"}}, {" Goblin", " Orc: Chief:", "a\tb"}},
        {"same id twice: the later name wins, both are listed", "3 Rat\r\n3 Giant Rat\r\n",
         {{3, "Giant Rat"}}, {"Giant Rat", "Rat"}},
        {"last line without CR LF", "1 Bat\r\n2 Cave Bat", {{1, "Bat"}, {2, "Cave Bat"}},
         {"Bat", "Cave Bat"}},
        {"empty name after a colon", "7:\r\n8 Orc\r\n", {{8, "Orc"}}, {"", "Orc"}},
        {"an id alone at the very end", "8 Orc\r\n7", {{8, "Orc"}}, {"", "Orc"}},
        {"0-byte file", "", {}, {}},
        {"LF-only lines: the first name runs to the end", "1 Bat\n2 Orc\n3 Imp\n",
         {{1, "Bat\n2 Orc\n3 Imp\n"}}, {"Bat\n2 Orc\n3 Imp\n"}},
        {"a lone CR swallows the next line's first byte", "1 Bat\r12 Orc\r\n",
         {{1, "Bat"}, {2, "Orc"}}, {"Bat", "Orc"}},
        {"ids outside the table are listed, not stored", "-1 Ghost\r\n104 Wraith\r\n103 Imp\r\n",
         {{103, "Imp"}}, {"Ghost", "Imp", "Wraith"}},
        {"signs and leading zeros", "+0010 Slime\r\n-0 Blob\r\n", {{10, "Slime"}, {0, "Blob"}},
         {"Blob", "Slime"}},
    };
    for (const SkinCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        fake = RecordingFake();
        fake.files = {{"mons.txt", c.mons}, {"skills.txt", ""}, {"attacks.txt", ""}};

        EXPECT_EQ(Load(), std::nullopt);
        EXPECT_EQ(Defined(SkinNames), c.skins);
        EXPECT_EQ(fake.items["ComboBox1"], c.comboBox1);
        EXPECT_TRUE(fake.CallsStartingWith("ShowMessage").empty());
    }
}

struct BadCase {
    const char* what;
    std::string mons;
    std::string message;
};

TEST_F(NameListsTest, MalformedIdsRaiseAnExceptionNamingFileAndLine)
{
    const BadCase cases[] = {
        {"an id alone on a line runs into the next", "1 Bat\r\n7\r\n8 Orc\r\n",
         "mons.txt, line 2: '7\\r\\n8' is not a valid integer value"},
        {"an id alone on the last line", "1 Bat\r\n7\r\n",
         "mons.txt, line 2: '7\\r\\n' is not a valid integer value"},
        {"an empty line at the end", "1 Bat\r\n\r\n", "mons.txt, line 2: '\\r\\n' is not a valid integer value"},
        {"an empty line in the middle", "1 Bat\r\n\r\n2 Orc\r\n",
         "mons.txt, line 2: '\\r\\n2' is not a valid integer value"},
        {"a tab after the id", "1\tBat\r\n", "mons.txt, line 1: '1\\tBat\\r\\n' is not a valid integer value"},
        {"a line starting with a space", "1 Bat\r\n 2 Orc\r\n", "mons.txt, line 2: '' is not a valid integer value"},
        {"a name where the id belongs", "Goblin 1\r\n", "mons.txt, line 1: 'Goblin' is not a valid integer value"},
        {"an id out of the 32-bit range", "4294967296 Orc\r\n",
         "mons.txt, line 1: '4294967296' is not a valid integer value"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        fake = RecordingFake();
        fake.files = {{"mons.txt", c.mons}, {"skills.txt", "1 Heal\r\n"}, {"attacks.txt", "1 Bite\r\n"}};

        EXPECT_EQ(Load(), c.message);
        // Nothing after the failing list is read; the failing file is still
        // closed and its item lists' updates ended.
        EXPECT_EQ(fake.CallsStartingWith("Open"), std::vector<std::string>{"Open mons.txt"});
        EXPECT_EQ(fake.CallsStartingWith("Close"), std::vector<std::string>{"Close mons.txt"});
        EXPECT_EQ(fake.CallsStartingWith("EndUpdate"), std::vector<std::string>{"EndUpdate ComboBox1"});
    }
}

TEST_F(NameListsTest, LinesAreCountedAcrossListsIndependently)
{
    fake.files = {{"mons.txt", "1 Bat\r\n"}, {"skills.txt", "1 Heal\r\n2 Cure\r\nx Oops\r\n"},
                  {"attacks.txt", ""}};
    EXPECT_EQ(Load(), "skills.txt, line 3: 'x' is not a valid integer value");
    EXPECT_EQ(SkinNames[1], "Bat");
    EXPECT_EQ(SkillNames[2], "Cure");
}

TEST_F(NameListsTest, FillsAllThreeListsInOrderWithBracketedUpdates)
{
    fake.files = {{"mons.txt", "2 Orc\r\n"}, {"skills.txt", "5 Heal\r\n"}, {"attacks.txt", "9 Bite\r\n"}};
    EXPECT_EQ(Load(), std::nullopt);

    const std::vector<std::string> expected = {
        "Open mons.txt",
        "BeginUpdate ComboBox1",
        "AddItem ComboBox1 Orc",
        "Close mons.txt",
        "EndUpdate ComboBox1",
        "Open skills.txt",
        "BeginUpdate ComboBox2",
        "BeginUpdate ComboBox3",
        "AddItem ComboBox2 Heal",
        "AddItem ComboBox3 Heal",
        "Close skills.txt",
        "EndUpdate ComboBox2",
        "EndUpdate ComboBox3",
        "Open attacks.txt",
        "BeginUpdate ComboBox4",
        "BeginUpdate ComboBox5",
        "AddItem ComboBox4 Bite",
        "AddItem ComboBox5 Bite",
        "Close attacks.txt",
        "EndUpdate ComboBox4",
        "EndUpdate ComboBox5",
    };
    EXPECT_EQ(fake.calls, expected);
    EXPECT_EQ(SkinNames[2], "Orc");
    EXPECT_EQ(SkillNames[5], "Heal");
    EXPECT_EQ(AttackNames[9], "Bite");
}

TEST_F(NameListsTest, IdsAtTheEndsOfEachTable)
{
    fake.files = {{"mons.txt", "0 A\r\n103 B\r\n104 C\r\n"},
                  {"skills.txt", "0 A\r\n381 B\r\n382 C\r\n"},
                  {"attacks.txt", "0 A\r\n94 B\r\n95 C\r\n"}};
    EXPECT_EQ(Load(), std::nullopt);
    EXPECT_EQ(Defined(SkinNames), (Names{{0, "A"}, {103, "B"}}));
    EXPECT_EQ(Defined(SkillNames), (Names{{0, "A"}, {381, "B"}}));
    EXPECT_EQ(Defined(AttackNames), (Names{{0, "A"}, {94, "B"}}));
    for (const char* combo : {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4", "ComboBox5"})
        EXPECT_EQ(fake.items[combo], (Items{"A", "B", "C"})) << combo;
}

TEST_F(NameListsTest, AMissingFileStopsTheLoadAfterOneMessage)
{
    const struct {
        const char* missing;
        std::vector<std::string> opened;
        bool skins, skills;
    } cases[] = {
        {"mons.txt", {"Open mons.txt"}, false, false},
        {"skills.txt", {"Open mons.txt", "Open skills.txt"}, true, false},
        {"attacks.txt", {"Open mons.txt", "Open skills.txt", "Open attacks.txt"}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.missing);
        ResetProgramState();
        fake = RecordingFake();
        fake.files = {{"mons.txt", "1 Bat\r\n"}, {"skills.txt", "1 Heal\r\n"}, {"attacks.txt", "1 Bite\r\n"}};
        fake.files.erase(c.missing);

        EXPECT_EQ(Load(), std::nullopt);
        EXPECT_EQ(fake.CallsStartingWith("ShowMessage"), std::vector<std::string>{"ShowMessage File not found"});
        EXPECT_EQ(fake.CallsStartingWith("Open"), c.opened);
        EXPECT_EQ(SkinNames[1], c.skins ? "Bat" : "");
        EXPECT_EQ(SkillNames[1], c.skills ? "Heal" : "");
        EXPECT_EQ(AttackNames[1], "");
        EXPECT_EQ(fake.items["ComboBox2"].size(), c.skills ? 1u : 0u);
        EXPECT_TRUE(fake.items["ComboBox4"].empty());
        EXPECT_TRUE(fake.items["ComboBox5"].empty());
        // A file that was never opened gets no update bracket.
        EXPECT_EQ(fake.CallsStartingWith("BeginUpdate").size(), fake.CallsStartingWith("EndUpdate").size());
    }
}

TEST_F(NameListsTest, NamesKeepEveryByte)
{
    const std::string name = std::string("Z\0\xE9\xFF:;", 6);
    fake.files = {{"mons.txt", "4 " + name + "\r\n"}, {"skills.txt", ""}, {"attacks.txt", ""}};
    EXPECT_EQ(Load(), std::nullopt);
    EXPECT_EQ(SkinNames[4], name);
    EXPECT_EQ(fake.items["ComboBox1"], Items{name});
}

} // namespace
