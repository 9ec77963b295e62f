// zuninfo-diff run in-process on small files made in a temporary folder.
#include "diff/DiffCommand.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

using namespace zuninfo;

namespace {

// A record line: Index, Str (field 14) and the 1st Attack Animation (field
// 8) as given, every other field 1; `end` ends it.
std::string Record(int index, int str = 10, int attack = 1, const char* end = "\r\n")
{
    std::string line = std::to_string(index);
    for (int field = 1; field < 23; ++field)
        line += " " + std::to_string(field == 14 ? str : field == 8 ? attack : 1);
    return line + end;
}

const std::string kMons = "1 Goblin\r\n";
const std::string kAttacks = "1 Claw\r\n2 Savage Bite\r\n";

struct DiffCase {
    const char* what;
    std::string before;
    std::string after;
    int exitCode;
    std::vector<std::string> lines; // each must stand in the output
    std::vector<std::string> json = {}; // each must stand in the JSON output
    std::vector<std::string> lists = {"mons.txt", "attacks.txt"}; // named; none: found as the viewer finds them
};

TEST(Diff, RecordsMatchedAndTheirChangesNamed)
{
    const std::string three = Record(4) + Record(5) + Record(6);
    const DiffCase cases[] = {
        {"the same records", three, three, 0, {"3 matched by Index, 0 by position; the records are the same"}},
        {"a field and an id changed", three, Record(4) + Record(5, 15, 2) + Record(6), 1,
         {"Index 5 (Goblin), line 2 -> line 2: 1st Attack Animation Claw (1) -> Savage Bite (2); Str 10 -> 15"}},
        {"matched by Index wherever it moved", three, Record(6) + Record(4) + Record(5), 0,
         {"the records are the same"}},
        {"an Index used twice is matched by position", Record(7) + Record(7), Record(7) + Record(7, 12), 1,
         {"Record 1, Index 7 (Goblin), line 2 -> line 2, matched by position: Str 10 -> 12", "0 matched by Index, 2 by position"}},
        {"twice in the old file only: looked for by position, also when removed", Record(7) + Record(7), Record(7, 12), 1,
         {"Record 0, Index 7 (Goblin), line 1 -> line 1, matched by position: Str 10 -> 12",
          "Record 1, Index 7 (Goblin), old line 2: removed", "2 records in old.qdf, 1 in new.qdf; 0 matched by Index, 1 by position"},
         {R"({"change": "removed", "matched_by": "position", "index": 7,)"}},
        {"a record matched by position whose Index changed is named by its old Index", Record(7) + Record(7) + Record(9) + Record(9),
         Record(7) + Record(9) + Record(9) + Record(7), 1,
         {"Record 1, Index 7 (Goblin), line 2 -> line 2, matched by position: Index 7 -> 9"},
         {R"({"change": "changed", "matched_by": "position", "index": 7, "old": {"record": 1, "line": 2})"}},
        {"one record: counted so", Record(4), Record(4), 0, {"zuninfo-diff: 1 record in old.qdf, 1 in new.qdf; 1 matched by Index"}},
        {"added and removed", three, Record(4) + Record(6) + Record(9), 1,
         {"Index 5 (Goblin), old line 2: removed", "Index 9 (Goblin), new line 3: added"}},
        {"a record lost behind a bad token", three, Record(4) + "5x\r\n" + Record(6), 1,
         {"new.qdf:2:1: error: Index (field 0): '5x",
          "Index 6 (Goblin), old line 3: removed, but only because the viewer does not read line 3 of new.qdf"}},
        {"a file that cannot be read", three, "", 2, {}},
        {"a list not found: the records the same, but the names lost", three, three, 1, {"the records are the same"},
         {R"("exit_code": 1)"}, {}},
        {"a CR without LF: read in part", three, Record(4) + Record(5, 10, 1, " Orc\rc\r\n") + Record(6), 0,
         {"new.qdf:2:51: error: CR with no LF after it"},
         {R"("file": "new.qdf", "records": 3, "read_in_part": true})"}},
    };
    for (const DiffCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        FileSandbox sandbox;
        FileSandbox::Write(sandbox.Folder() / "mons.txt", kMons);
        FileSandbox::Write(sandbox.Folder() / "attacks.txt", kAttacks);
        FileSandbox::Write(sandbox.Folder() / "old.qdf", c.before);
        if (!c.after.empty())
            FileSandbox::Write(sandbox.Folder() / "new.qdf", c.after);
        std::ostringstream out, err;
        std::vector<std::string> arguments = c.lists;
        arguments.insert(arguments.end(), {"old.qdf", "new.qdf"});
        EXPECT_EQ(RunDiffCommand(arguments, out, err), c.exitCode) << out.str() << err.str();
        for (const std::string& line : c.lines)
            EXPECT_NE(out.str().find(line), std::string::npos) << out.str();

        std::ostringstream json;
        arguments.insert(arguments.begin(), "--format=json");
        EXPECT_EQ(RunDiffCommand(arguments, json, err), c.exitCode);
        if (c.exitCode != 2) {
            EXPECT_EQ(nlohmann::json::parse(json.str())["exit_code"], c.exitCode);
        }
        for (const std::string& part : c.json)
            EXPECT_NE(json.str().find(part), std::string::npos) << json.str();
    }
    ResetProgramState();
}

TEST(Diff, UsageErrors)
{
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"old.qdf"}, {"a.qdf", "b.qdf", "c.qdf"}, {"--columns", "a.qdf", "b.qdf"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(RunDiffCommand(arguments, out, err), 2);
        EXPECT_EQ(out.str(), "");
        EXPECT_NE(err.str().find("Try 'zuninfo-diff --help'"), std::string::npos);
    }
}

} // namespace
