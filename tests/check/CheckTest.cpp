// zuninfo-check run in-process on small files made in a temporary folder.
#include "check/CheckCommand.h"
#include "check/ReportWriters.h"
#include "tools/DataFiles.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

using namespace zuninfo;
using namespace std::string_view_literals;

namespace {

// A record line without its line end: Index, Skin, then 2 to 22 (ids that
// every table holds).
std::string Record(int index, int skin = 1, const std::string& field3 = "3")
{
    std::string line = std::to_string(index) + " " + std::to_string(skin) + " 2 " + field3;
    for (int field = 4; field < 23; ++field)
        line += " " + std::to_string(field);
    return line;
}

std::string Records(int count)
{
    std::string file;
    for (int index = 0; index < count; ++index)
        file += Record(index) + "\r\n";
    return file;
}

// What stands at the place of a case's last file instead of its bytes.
enum class Odd { None, Folder, Fifo, NoPermission };

struct CheckCase {
    FindingKind kind;
    std::map<std::string, std::optional<std::string>> files; // name -> bytes; nullopt: no such file
    std::int64_t line;
    std::int64_t column;
    Severity severity;
    int exitCode;
    std::size_t findings; // in all; with none, `kind` and the place are not looked for
    std::string_view says; // part of the message; a '\0' at its end stands for the message's end
    Odd odd = Odd::None;
    // The paths named; by default every file's name. None: the files the
    // viewer finds itself (the monster file at its fixed path).
    std::optional<std::vector<std::string>> named = std::nullopt;
};

TEST(Check, EachFindingWithItsPlaceSeverityAndExitCode)
{
    const auto w = Severity::Warning, e = Severity::Error;
    const std::string qdf = "zuninfo.qdf";
    const CheckCase cases[] = {
        {FindingKind::BadToken, {{qdf, Record(0) + "\r\n" + Record(1, 1, "3x") + "\r\n;x\r\n\r\n" + Record(2) + "\r\n"}},
         2, 7, e, 1, 1, "shows the 1 record before this line but not the 2 record lines from this one on"},
        {FindingKind::StoreFull, {{qdf, Records(502)}}, 501, 1, e, 1, 1, "not the 2 record lines from this one on"},
        {FindingKind::TrailingText, {{qdf, Record(0) + "\tGoblin\n" + Record(1) + "\r\n"}}, 2, 1, e, 1, 2,
         "trailing text of the record on line 1"},
        // What an LF alone does where it stands.
        {FindingKind::LfLineEnd, {{qdf, ";x\n" + Records(1)}}, 1, 3, w, 0, 1, "harmless on a comment line"},
        {FindingKind::LfLineEnd, {{qdf, Record(0) + "\n" + Record(1)}}, 1, 59, w, 1, 2, "as part of a field"},
        {FindingKind::LfLineEnd, {{qdf, Record(0) + " Orc\n"}}, 1, 63, w, 0, 1, "skips any lines up to there"},
        {FindingKind::LfLineEnd, {{"attacks.txt", "94 Stomp\n"}}, 1, 9, w, 0, 1,
         "the name of id 94 ends with it, as the viewer keeps the LF as the name's last byte: it shows 'Stomp' with a "
         "line break after it"},
        {FindingKind::LfLineEnd, {{"skills.txt", "355 Rmgob\n\r\n"}}, 1, 10, w, 0, 1, "shows 'Rmgob' with a line break"},
        {FindingKind::LfLineEnd, {{"mons.txt", "4 Orc\n\r\n4 Orc Chief\r\n"}}, 1, 6, w, 0, 2,
         "it lists 'Orc' with a line break after it in the drop-down lists, but shows the later name of id 4 in the "
         "fields and the table, as a later line sets it again"},
        {FindingKind::LfLineEnd, {{"attacks.txt", "4 Orc\r\n4 Bite\n\r\n"}}, 2, 7, w, 0, 2,
         "it shows 'Bite' with a line break after it, in the drop-down lists and the table alike"},
        {FindingKind::LfLineEnd, {{"skills.txt", "382 Rmgob\n\r\n"}}, 1, 10, w, 0, 2,
         "it lists 'Rmgob' with a line break after it in the drop-down lists, and shows it for no monster, as id 382 "
         "lies outside the table"},
        {FindingKind::LfLineEnd, {{qdf, "1 x 3\n"}}, 1, 6, w, 1, 2, "stopped reading the file by here, so this LF is never read"},
        {FindingKind::LfLineEnd, {{qdf, Records(500) + "\n"}}, 501, 1, w, 1, 2, "this LF is never read"},
        {FindingKind::LoneCr, {{qdf, Record(0) + "\r9" + Record(1) + "\r\n"}}, 1, 59, e, 1, 1, "('9')"},
        {FindingKind::IdOutsideTable, {{qdf, Record(0, 104) + "\r\n"}}, 1, 3, w, 0, 1,
         "id 104 is outside mons.txt's ids 0 to 103"},
        {FindingKind::IdWithoutName, {{"mons.txt", "0 Goblin\r\n"}, {qdf, Records(1)}}, 1, 3, w, 0, 1,
         "Skin (field 1): id 1 has no name in mons.txt"},
        {FindingKind::IndexTwice, {{qdf, Record(7) + "\r\n" + Record(7)}}, 2, 1, w, 0, 1, "first on line 1"},
        // Why a file cannot be read; what the viewer then does only for the
        // files it finds itself.
        {FindingKind::Unreadable, {{qdf, std::nullopt}}, 0, 0, e, 2, 1, "cannot be read: it does not exist\0"sv},
        {FindingKind::Unreadable, {{"mons.txt", ""}, {"skills.txt", ""}, {"attacks.txt", ""}}, 0, 0, e, 1, 1,
         "it does not exist; the viewer shows \"File not found\" when Load is pressed", Odd::None,
         std::vector<std::string>{}},
        {FindingKind::Unreadable, {{"mons.txt", ""}, {"skills.txt", std::nullopt}}, 0, 0, e, 1, 2,
         "it does not exist; the viewer shows \"File not found\" at start-up and does not read attacks.txt\0"sv,
         Odd::None, std::vector<std::string>{}},
        {FindingKind::Unreadable, {{"skills.txt", std::nullopt}}, 0, 0, e, 2, 1, "it is a folder\0"sv, Odd::Folder},
#ifndef _WIN32
        {FindingKind::Unreadable, {{qdf, std::nullopt}}, 0, 0, e, 2, 1, "it is a named pipe (FIFO)", Odd::Fifo},
        {FindingKind::Unreadable, {{qdf, Records(1)}}, 0, 0, e, 2, 1, "permission denied\0"sv, Odd::NoPermission},
        // A path named is read as it stands: no drive, no backslashes, no
        // other case.
        {FindingKind::Unreadable, {{"c:table.qdf", Records(1)}}, 0, 0, e, 0, 0, ""},
        {FindingKind::Unreadable, {{"ZUNINFO.QDF", Records(1)}}, 0, 0, e, 2, 1, "it does not exist", Odd::None,
         std::vector<std::string>{qdf}},
#endif
        {FindingKind::Unreadable, {{"my\\table.qdf", Records(1)}}, 0, 0, e, 0, 0, ""},
        {FindingKind::BadId, {{"mons.txt", "7\r\n8 Orc\r\n"}}, 1, 1, e, 1, 1, "\"mons.txt, line 1: '7\\r\\n8' is not"},
        {FindingKind::ListIdOutsideTable, {{"skills.txt", "382 Fire\r\n"}}, 1, 1, w, 0, 1, "ids 0 to 381"},
        {FindingKind::IdSetTwice, {{"Attacks.TXT", "3 Bite\r\n3:Claw\r\n"}}, 2, 1, w, 0, 1, "later name 'Claw'"},
        {FindingKind::IdSetTwice, {{"mons.txt", "1 A\r\n1 B\r\n1 C\r\n"}}, 3, 1, w, 0, 2, "(first on line 1)"},
        {FindingKind::EmptyName, {{"mons.txt", "5 Imp\r\n7:\r\n"}}, 2, 3, w, 0, 1, "id 7 has an empty name"},
        // The end of the file stands just past its last byte.
        {FindingKind::EmptyName, {{"mons.txt", "7"}}, 1, 2, w, 0, 1, "id 7 has an empty name"},
        {FindingKind::BadToken, {{qdf, "0 1 "}}, 1, 5, e, 1, 1, "(field 2): '' is not"},
        {FindingKind::BadToken, {{qdf, "1 x 3\r\n"}}, 1, 3, e, 1, 1,
         "shows \"Item 0 of -1\" with Index as read and zeros from Skin on, but not this record line\0"sv},
        {FindingKind::BadToken, {{qdf, " 1\r\n;\r\n2\r\n"}}, 1, 1, e, 1, 1,
         "shows \"Item 0 of -1\" with zeros in every field, but not the 2 record lines from this one on\0"sv},
        {FindingKind::NameRunsOn, {{"mons.txt", "1 Orc\n2 Imp\r\n"}}, 1, 6, e, 1, 1, "the line after it (line 2) as"},
        {FindingKind::NameRunsOn, {{"mons.txt", "1 Orc\n\n2 Imp\n"}}, 1, 6, e, 1, 1, "the 2 lines after it (to line 3)"},
        {FindingKind::NameRunsOn, {{"mons.txt", "2 Tr\n\n\r\n"}}, 1, 5, e, 1, 1, "the line after it (line 2) as"},
        {FindingKind::LoneCr, {{"mons.txt", "1 Orc\rX2 Imp\r\n"}}, 1, 6, e, 1, 1, "('X')"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(InfoOf(c.kind).name + std::string(" in ") + c.files.rbegin()->first);
#ifndef _WIN32
        if (c.odd == Odd::NoPermission && geteuid() == 0)
            continue; // root reads anything
#endif
        ResetProgramState();
        FileSandbox sandbox;
        std::vector<std::string> paths;
        for (const auto& [name, bytes] : c.files) {
            if (bytes)
                FileSandbox::Write(sandbox.Folder() / name, *bytes);
            paths.push_back(name);
        }
        const fs::path last = sandbox.Folder() / c.files.rbegin()->first;
        if (c.odd == Odd::Folder)
            fs::create_directory(last);
#ifndef _WIN32
        if (c.odd == Odd::Fifo) {
            ASSERT_EQ(::mkfifo(last.c_str(), 0600), 0);
        }
        if (c.odd == Odd::NoPermission)
            fs::permissions(last, fs::perms::none);
#endif

        const Report report = CheckDataFiles(!c.named ? NamedDataFiles(paths)
                                             : c.named->empty() ? ViewerDataFiles()
                                                                : NamedDataFiles(*c.named));
        EXPECT_EQ(report.ExitCode(), c.exitCode);
        const std::vector<Finding> findings = report.Findings();
        EXPECT_EQ(findings.size(), c.findings) << (findings.empty() ? "" : findings[0].message);
        if (c.findings == 0)
            continue;
        const auto found = std::find_if(findings.begin(), findings.end(), [&](const Finding& f) {
            return f.kind == c.kind && f.line == c.line && f.column == c.column;
        });
        ASSERT_NE(found, findings.end()) << (findings.empty() ? "no finding" : findings[0].message);
        EXPECT_EQ(InfoOf(found->kind).severity, c.severity);
        EXPECT_NE((found->message + '\0').find(c.says), std::string::npos) << found->message;
    }
    ResetProgramState();
}

TEST(Check, JsonHasTheSameFindings)
{
    ResetProgramState();
    FileSandbox sandbox;
    FileSandbox::Write(sandbox.Folder() / "mons.txt", "1 Imp\r\n1 \"Orc\"\\\r\n");
    std::ostringstream out, err;

    EXPECT_EQ(RunCheckCommand({"--json", "mons.txt"}, out, err), 0);
    EXPECT_EQ(out.str(), R"({
  "files": ["mons.txt"],
  "findings": [
    {"file": "mons.txt", "line": 2, "column": 1, "severity": "warning", "kind": "id-set-twice", "message": "id 1 is set again (first on line 1): the viewer shows the later name '\"Orc\"\\\\' for it; both names stay in the drop-down list"}
  ],
  "unlisted": [],
  "errors": 0,
  "warnings": 1,
  "exit_code": 0
}
)");
    EXPECT_EQ(err.str(), "");
    ResetProgramState();
}

// The command line: each option as it changes the report.
TEST(Check, EachOptionAsTheCommandLineGivesIt)
{
    struct Run {
        std::vector<std::string> arguments;
        int exitCode;
        const char* says; // a line of the output (or of the usage error)
    };
    const Run runs[] = {
        // A tab moves on to the next multiple of 8 in display columns; a
        // UTF-8 character is one.
        {{"--columns=display", "zuninfo.qdf"}, 1, "zuninfo.qdf:1:17: error: Line of Sight (field 2): 'x'"},
        {{"--columns", "bytes", "zuninfo.qdf"}, 1, "zuninfo.qdf:1:5: error: Line of Sight (field 2): 'x'"},
        {{"zuninfo.qdf"}, 1, "zuninfo.qdf:1:5: error:"},
        {{"--columns=display", "mons.txt"}, 1, "mons.txt:1:12: error: line ends with LF alone"},
        {{"mons.txt"}, 1, "mons.txt:1:9: error: line ends with LF alone"},
        {{"--lists=lists", "--", "-comments.qdf"}, 0,
         "-comments.qdf: warning: 1 more line ends with LF alone (not listed)\n"},
        {{"--version"}, 0, "zuninfo-check " ZUNINFO_VERSION "\n"},
        {{"-h"}, 0, "  -h, --help "},
        {{"--help"}, 0, "\n  --                 every argument after it is a file"},
        {{"--format=yaml"}, 2, "zuninfo-check: unknown value 'yaml' for --format; expected one of: text, json, sarif\n"},
        {{"--format", "sarif", "--columns=display"}, 2, "--columns is for text and json"},
        {{"--columns"}, 2, "--columns needs a unit"},
        // A usage error names the argument, on standard error alone.
        {{"--jsn"}, 2, "'--jsn'"},
        {{"-x", "mons.txt"}, 2, "'-x'"},
        {{"mons.txt", "sub/MONS.TXT"}, 2, "'sub/MONS.TXT'"},
        {{"--json", "a.qdf", "b.qdf"}, 2, "'b.qdf'"},
        // A list found in neither place is named at the first.
        {{"sub/none.qdf"}, 1, "\nskills.txt: error: cannot be read: it does not exist"},
#ifndef _WIN32
        // A monster file named is read at its path as it stands.
        {{"--lists=lists", "my\\table.qdf"}, 0, "zuninfo-check: 4 files checked, 0 errors, 0 warnings"},
        {{"--lists=lists", "Zuninfo.QDF"}, 2, "Zuninfo.QDF: error: cannot be read: it does not exist\n"},
#endif
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.arguments.front());
        ResetProgramState();
        FileSandbox sandbox;
        FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", "0\t1\tx 3\r\n");
        FileSandbox::Write(sandbox.Folder() / "mons.txt", "1 \xC3\x89\tOrc\n2 Imp\r\n");
        FileSandbox::Write(sandbox.Folder() / "-comments.qdf", ";a\n;b\n");
        FileSandbox::Write(sandbox.Folder() / "my\\table.qdf", ";\r\n");
        FileSandbox::Write(sandbox.Folder() / "sub" / "none.qdf", ";\r\n");
        for (const char* list : {"mons.txt", "skills.txt", "attacks.txt"})
            FileSandbox::Write(sandbox.Folder() / "lists" / list, "");
        std::ostringstream out, err;
        EXPECT_EQ(RunCheckCommand(run.arguments, out, err), run.exitCode);
        EXPECT_NE((out.str() + err.str()).find(run.says), std::string::npos) << out.str() << err.str();
        if (err.str().find("Try 'zuninfo-check --help'.") != std::string::npos) {
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(out.str(), "");
            EXPECT_TRUE(err.str().starts_with("zuninfo-check: ")) << err.str();
        }
    }
    ResetProgramState();
}

// The SARIF log: what code-scanning tools need of it, read by a JSON parser.
TEST(Check, SarifLogHasARuleForEachKindAndEachFindingWithItsPlace)
{
    ResetProgramState();
    FileSandbox sandbox;
    // The LF alone stands at byte 13, character 12; a list is missing.
    FileSandbox::Write(sandbox.Folder() / "lists/mons.txt", "1 \xC3\x89" "claireur\n2 Imp\r\n");
    // The monster file lies outside the current folder.
    FileSandbox::Write(sandbox.Folder() / "../zuninfo.qdf", Record(0, 104) + "\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunCheckCommand({"--format", "sarif", "lists/mons.txt", "skills.txt", "../zuninfo.qdf"}, out, err), 2);

    const auto log = nlohmann::json::parse(out.str(), nullptr, false);
    ASSERT_TRUE(log.is_object()) << out.str();
    EXPECT_EQ(log["version"], "2.1.0");
    EXPECT_TRUE(log["$schema"].get<std::string>().ends_with("sarif-schema-2.1.0.json"));
    ASSERT_EQ(log["runs"].size(), 1u);
    const auto& run = log["runs"][0];
    EXPECT_EQ(run["tool"]["driver"]["name"], "zuninfo-check");
    EXPECT_EQ(run["tool"]["driver"]["version"], ZUNINFO_VERSION);
    EXPECT_EQ(run["columnKind"], "unicodeCodePoints");
    const auto& rules = run["tool"]["driver"]["rules"];
    ASSERT_EQ(rules.size(), kFindingKinds.size());
    for (std::size_t kind = 0; kind < kFindingKinds.size(); ++kind) {
        EXPECT_EQ(rules[kind]["id"], kFindingKinds[kind].name);
        EXPECT_FALSE(rules[kind]["shortDescription"]["text"].get<std::string>().empty());
        EXPECT_EQ(rules[kind]["defaultConfiguration"]["level"], SeverityName(kFindingKinds[kind].severity));
    }
    EXPECT_EQ(run["originalUriBaseIds"]["SRCROOT"]["uri"].get<std::string>().back(), '/');

    // Each result by its rule: where it is.
    std::map<std::string, nlohmann::json> results;
    for (const auto& result : run["results"]) {
        const std::size_t index = result["ruleIndex"];
        ASSERT_LT(index, rules.size());
        EXPECT_EQ(result["ruleId"], rules[index]["id"]);
        EXPECT_EQ(result["level"], rules[index]["defaultConfiguration"]["level"]);
        EXPECT_FALSE(result["message"]["text"].get<std::string>().empty());
        ASSERT_EQ(result["locations"].size(), 1u);
        results[result["ruleId"]] = result["locations"][0]["physicalLocation"];
    }
    EXPECT_EQ(results.size(), 3u);
    const auto& runsOn = results["name-runs-on"];
    EXPECT_EQ(runsOn["artifactLocation"]["uri"], "lists/mons.txt");
    EXPECT_EQ(runsOn["artifactLocation"]["uriBaseId"], "SRCROOT");
    EXPECT_EQ(runsOn["region"]["startLine"], 1);
    EXPECT_EQ(runsOn["region"]["startColumn"], 12);
    const auto& outside = results["id-outside-table"];
    EXPECT_EQ(outside["region"]["startColumn"], 3);
    EXPECT_TRUE(outside["artifactLocation"]["uri"].get<std::string>().starts_with("file:///"));
    EXPECT_TRUE(outside["artifactLocation"]["uri"].get<std::string>().ends_with("/zuninfo.qdf"));
    EXPECT_FALSE(outside["artifactLocation"].contains("uriBaseId"));
    const auto& unreadable = results["unreadable"];
    EXPECT_EQ(unreadable["artifactLocation"]["uri"], "skills.txt");
    EXPECT_FALSE(unreadable.contains("region"));
    ResetProgramState();
}

// Every control byte, quotes and backslashes, in a name and in the name of
// a file: a JSON parser reads the same files and findings from the output.
TEST(Check, JsonOfAnyTextParsesToTheSameFindings)
{
    ResetProgramState();
    FileSandbox sandbox;
    std::string odd = "\"'\\";
    for (char byte = 1; byte < 0x20; ++byte)
        odd += byte;
    std::string name = odd;
    std::erase_if(name, [](char byte) { return byte == '\r' || byte == '\n'; });
    FileSandbox::Write(sandbox.Folder() / "mons.txt", "1 Imp\r\n1 " + name + "\r\n");
    const std::vector<std::string> paths = {"mons.txt", odd + ".qdf"};
    std::ostringstream out, err;

    EXPECT_EQ(RunCheckCommand({"--json", paths[0], paths[1]}, out, err), 2);
    const nlohmann::json json = nlohmann::json::parse(out.str());
    EXPECT_EQ(json["files"], paths);
    ResetProgramState();
    const std::vector<Finding> findings = CheckDataFiles(NamedDataFiles(paths)).Findings();
    ASSERT_EQ(json["findings"].size(), findings.size());
    for (std::size_t i = 0; i < findings.size(); ++i) {
        EXPECT_EQ(json["findings"][i]["file"], findings[i].file);
        EXPECT_EQ(json["findings"][i]["message"], findings[i].message);
    }
    ResetProgramState();
}

// With no file named, what the viewer reads. The sample data loses nothing;
// its warnings are the ids it holds on purpose: one set twice in each list,
// and a skin, an attack and a skill id with no name.
TEST(Check, WithNoFileNamedItReadsWhatTheViewerReads)
{
    ResetProgramState();
    FileSandbox sandbox;
    const std::filesystem::path examples = ZUNINFO_SOURCE_DIR "/examples";
    for (const char* list : {"mons.txt", "skills.txt", "attacks.txt"})
        std::filesystem::copy_file(examples / list, sandbox.Folder() / list);
    std::filesystem::create_directories(sandbox.MonsterInfoFile().parent_path());
    std::filesystem::copy_file(examples / "zuninfo.qdf", sandbox.MonsterInfoFile());
    std::ostringstream out, err;

    EXPECT_EQ(RunCheckCommand({}, out, err), 0);
    EXPECT_NE(out.str().find("zuninfo-check: 4 files checked, 0 errors, 6 warnings"), std::string::npos) << out.str();

    // As in the viewer, a missing list ends the lists: no later one is read.
    std::filesystem::remove(sandbox.Folder() / "mons.txt");
    ResetProgramState();
    std::ostringstream missing;
    EXPECT_EQ(RunCheckCommand({}, missing, err), 1);
    EXPECT_NE(missing.str().find("zuninfo-check: 2 files checked, 1 error, 0 warnings"), std::string::npos)
        << missing.str();
    ResetProgramState();
}

} // namespace
