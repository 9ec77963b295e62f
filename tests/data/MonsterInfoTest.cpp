#include "data/MonsterInfo.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <string>
#include <vector>

using namespace zuninfo;

namespace {

using Fields = std::array<std::int32_t, kMonsterFieldCount>;

const std::string kPath = "C:\\projects\\bin\\Data\\Zun\\zuninfo.qdf";

// Fields first, first + 1, ... first + 22.
Fields Counting(std::int32_t first)
{
    Fields fields{};
    std::iota(fields.begin(), fields.end(), first);
    return fields;
}

// The fields with the ones from `from` on zeroed, as a slot looks after a
// bad token in field `from`.
Fields Upto(Fields fields, std::size_t from)
{
    for (std::size_t i = from; i < fields.size(); ++i)
        fields[i] = 0;
    return fields;
}

// A record line's fields joined by `gap`, without the line end.
std::string Line(const Fields& fields, const std::string& gap = " ")
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? gap : "") + std::to_string(fields[i]);
    return line;
}

class MonsterInfoTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    bool LoadFile(const std::string& bytes)
    {
        fake.files[kPath] = bytes;
        return LoadMonsterInfo(fake, fake);
    }

    RecordingFake fake;
};

struct GrammarCase {
    const char* what;
    std::string file;
    std::int32_t lastIndex;
    std::vector<Fields> slots; // the first slots; every later one must be all zero
};

TEST_F(MonsterInfoTest, Grammar)
{
    const Fields a = Counting(1), b = Counting(100), c = Counting(-30);
    const GrammarCase cases[] = {
        {"0-byte file", "", -1, {}},
        {"only comments and blank lines", "; Index Skin ...\r\n\r\n;x\r\n\r\n", -1, {}},
        {"a single record", Line(a) + "\r\n", 0, {a}},
        {"three records between comments", ";head\r\n" + Line(a) + "\r\n\r\n" + Line(b) + "\r\n;mid\r\n" + Line(c) + "\r\n",
         2, {a, b, c}},
        {"negative numbers in every field", Line(c) + "\r\n", 0, {c}},
        {"trailing names after a tab or a space", Line(a) + "\tGoblin\r\n" + Line(b) + " Orc Chief: 1 2\r\n", 1, {a, b}},
        {"mixed runs of spaces and tabs", Line(a, " \t \t") + "\r\n" + Line(b, "\t") + "\r\n", 1, {a, b}},
        {"last line without CR LF", Line(a) + "\r\n" + Line(b), 1, {a, b}},
        {"last line ending in a space", Line(a) + " ", 0, {a}},
        {"a ';' after the first byte is no comment", Line(a) + "\r\n1 2 ;3\r\n", 0, {a, {1, 2}}},
        {"';' as trailing text is ignored", Line(a) + " ;x\r\n", 0, {a}},
        {"malformed first line: a letter in field 5", "1 2 3 4 5 x 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23\r\n" + Line(b) + "\r\n",
         -1, {{1, 2, 3, 4, 5}}},
        {"malformed line in the middle", Line(a) + "\r\n" + Line(b).replace(0, 3, "1O0") + "\r\n" + Line(c) + "\r\n", 0, {a}},
        {"a record line starting with a space", Line(a) + "\r\n " + Line(b) + "\r\n", 0, {a}},
        {"a record line starting with a tab", "\t" + Line(a) + "\r\n", -1, {}},
        {"fewer than 23 fields: a token runs over CR LF", Line(a) + "\r\n7 8 9\r\n" + Line(b) + "\r\n", 0, {a, {7, 8}}},
        {"cut short by the end of the file", Line(a) + "\r\n5 6 7", 0, {a, {5, 6, 7}}},
        {"cut short after a separator", Line(a) + "\r\n5 6 ", 0, {a, {5, 6}}},
        {"LF-only file, field 22 then LF", Line(a) + "\n" + Line(b) + "\n", -1, {Upto(a, 22)}},
        {"LF-only file, field 22 then a space", Line(a) + " x\n" + Line(b) + "\n", 0, {a}},
        {"a value out of range", "2147483648" + Line(a).substr(1) + "\r\n", -1, {}},
        {"range ends", Line(Fields{-2147483647 - 1, 2147483647}) + "\r\n", 0, {{-2147483647 - 1, 2147483647}}},
        {"a lone CR line end swallows the next line's first byte", Line(a) + "\r" + "9" + Line(b) + "\r\n", 1, {a, b}},
    };
    for (const GrammarCase& gc : cases) {
        SCOPED_TRACE(gc.what);
        ResetProgramState();
        fake = RecordingFake();

        EXPECT_TRUE(LoadFile(gc.file));
        EXPECT_EQ(LastIndex, gc.lastIndex);
        for (std::size_t slot = 0; slot < Monsters.size(); ++slot) {
            const Fields expected = slot < gc.slots.size() ? gc.slots[slot] : Fields{};
            ASSERT_EQ(Monsters[slot].Fields, expected) << "slot " << slot;
        }
        EXPECT_TRUE(fake.CallsStartingWith("ShowMessage").empty());
    }
}

TEST_F(MonsterInfoTest, FinishStepRunsInOrderAfterEveryParse)
{
    for (const std::string& file : {Line(Counting(1)) + "\r\n", std::string("x\r\n"), std::string()}) {
        ResetProgramState();
        fake = RecordingFake();
        EXPECT_TRUE(LoadFile(file));
        const std::vector<std::string> expected = {
            "Open " + kPath,
            "SetCursor crHourGlass",
            "SetCursor crDefault",
            "Close " + kPath,
            "SetEnabled Button1 false",
        };
        EXPECT_EQ(fake.calls, expected);
    }
}

TEST_F(MonsterInfoTest, StoreHoldsFiveHundredRecordsAndStopsAtTheNext)
{
    std::string file;
    for (int record = 0; record < 501; ++record)
        file += Line(Counting(record)) + "\tMonster " + std::to_string(record) + "\r\n";
    file += "this line is never looked at\r\n";

    EXPECT_TRUE(LoadFile(file));
    EXPECT_EQ(LastIndex, 499);
    EXPECT_EQ(Monsters[0].Fields, Counting(0));
    EXPECT_EQ(Monsters[499].Fields, Counting(499));
    EXPECT_EQ(fake.calls.back(), "SetEnabled Button1 false");
}

TEST_F(MonsterInfoTest, ExactlyFiveHundredRecordsWithCommentsAfter)
{
    std::string file;
    for (int record = 0; record < 500; ++record)
        file += Line(Counting(record)) + "\r\n";
    file += ";end\r\n\r\n";

    EXPECT_TRUE(LoadFile(file));
    EXPECT_EQ(LastIndex, 499);
    EXPECT_EQ(Monsters[499].Fields, Counting(499));
}

TEST_F(MonsterInfoTest, OpenRuleTriesFiveHundredAndOneTimesThenOnce)
{
    // First Load: counter values 0 to 500, then the message; nothing else.
    EXPECT_FALSE(LoadMonsterInfo(fake, fake));
    EXPECT_EQ(fake.openAttempts, 501);
    EXPECT_EQ(OpenAttempt, 500);
    EXPECT_EQ(fake.calls.back(), "ShowMessage File not found");
    EXPECT_EQ(fake.calls.size(), 502u);
    EXPECT_EQ(LastIndex, 0);

    // A later failing Load tries once.
    fake.calls.clear();
    EXPECT_FALSE(LoadMonsterInfo(fake, fake));
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"Open " + kPath, "ShowMessage File not found"}));
    EXPECT_EQ(fake.openAttempts, 502);

    // Once the file is there, Load succeeds.
    fake.calls.clear();
    EXPECT_TRUE(LoadFile(Line(Counting(1)) + "\r\n"));
    EXPECT_EQ(LastIndex, 0);
    EXPECT_EQ(OpenAttempt, 500);
}

TEST_F(MonsterInfoTest, OpenSucceedingOnARetryKeepsTheCount)
{
    // A file system that fails a few opens, then finds the file.
    struct FlakyFiles : RecordingFake {
        int failuresLeft = 3;
        std::FILE* Open(const std::string& path) override
        {
            if (failuresLeft-- > 0) {
                ++openAttempts;
                return nullptr;
            }
            return RecordingFake::Open(path);
        }
    } flaky;
    flaky.files[kPath] = Line(Counting(1)) + "\r\n";

    EXPECT_TRUE(LoadMonsterInfo(flaky, flaky));
    EXPECT_EQ(OpenAttempt, 3);
    EXPECT_EQ(flaky.openAttempts, 4);
    EXPECT_EQ(LastIndex, 0);
}

TEST(MonsterInfoPath, IsTheTemplateWithSpacesAsZeros)
{
    EXPECT_EQ(MonsterInfoPath(0), kPath);
    EXPECT_EQ(MonsterInfoPath(500), kPath);
    EXPECT_EQ(std::string(MonsterInfoPathTemplate).size(), 36u);
}

} // namespace
