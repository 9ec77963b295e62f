// zuninfo-import run in-process on small files made in a temporary folder:
// edits and the bytes they give, refusals, and --in-place.
#include "data/MonsterFields.h"
#include "diff/DiffCommand.h"
#include "export/ExportCommand.h"
#include "exchange/EditedTable.h"
#include "import/ImportCommand.h"
#include "save/ReadBack.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using namespace zuninfo;
namespace fs = std::filesystem;

namespace {

struct Ran {
    int code;
    std::string out, err;
};

Ran Command(int (*command)(const std::vector<std::string>&, std::ostream&, std::ostream&), std::vector<std::string> arguments)
{
    ResetProgramState();
    std::ostringstream out, err;
    const int code = command(arguments, out, err);
    return {code, out.str(), err.str()};
}

// A record line: Index, Skin, Str (field 14) as given, every other field 0.
std::string Line(const std::string& index, const std::string& skin, const std::string& str, const std::string& gap = " ")
{
    std::string line = index + gap + skin;
    for (int field = 2; field < 23; ++field)
        line += gap + (field == 14 ? str : "0");
    return line;
}

const std::string kMons = "0 Dummy\r\n1 Goblin\r\n2 Orc\r\n3 Orc \"Chief\", the\nTall\r\n4 =Imp\r\n5 Twin\r\n6 Twin\r\n";
const std::string kQdf = "; monsters\r\n" + Line("007", "+1", "0010", "\t") + "\tscout\r\n\r\n" + Line("8", "2", "20")
                         + "\r\n" + Line("9", "4", "30") + " Imp\r\n";

// CSV text without quoted cells as rows of cells, and back.
using Cells = std::vector<std::vector<std::string>>;

std::function<std::string(const std::string&)> OnCells(std::function<void(Cells&)> edit, const char* lineEnd = "\r\n")
{
    return [=](const std::string& csv) {
        Cells rows;
        std::istringstream lines(csv);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream cells(line.substr(0, line.size() - 1) + ",");
            rows.emplace_back();
            for (std::string cell; std::getline(cells, cell, ',');)
                rows.back().push_back(cell);
        }
        edit(rows);
        std::string text;
        for (const auto& row : rows) {
            for (std::size_t c = 0; c < row.size(); ++c)
                text += (c ? "," : "") + row[c];
            text += lineEnd;
        }
        return text;
    };
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to);
}

struct EditCase {
    const char* what;
    std::function<std::string(const std::string&)> edit; // of the export
    std::string newQdf;                                  // empty: refused, nothing written
    std::string err;                                     // part of standard error
    std::vector<std::string> options = {};
    std::string format = "csv";
    std::string qdf = kQdf;
    std::string edited = "";             // EDITED's name; by default edited.FORMAT
    std::string monster = "zuninfo.qdf"; // MONSTER_FILE as the import names it
};

// A JSON object of the export for a record whose fields are all `value`,
// with `place` before its fields; the skin's name is `skin`, every other
// id's empty.
std::string JsonObject(const std::string& place, int value, const std::string& skin)
{
    std::string object = "{" + place;
    for (const MonsterField& field : kMonsterFields) {
        object += std::string(&field == kMonsterFields.data() ? "" : ", ") + "\"" + field.caption + "\": ";
        const std::string name = field.names == NameList::Skins ? skin : "";
        object += field.names ? "{\"id\": " + std::to_string(value) + ", \"name\": \"" + name + "\"}"
                              : std::to_string(value);
    }
    return object + "}";
}

// The JSON export, an object a line, without the object of the record on
// `line` (not the last).
std::string WithoutObjectOfLine(std::string json, int line)
{
    const std::size_t begin = json.rfind('\n', json.find("\"line\": " + std::to_string(line) + ",")) + 1;
    return json.erase(begin, json.find('\n', begin) + 1 - begin);
}

TEST(Import, EditsGiveTheirBytesAndRefusalsNameThePlace)
{
    const auto same = [](const std::string& text) { return text; };
    const std::string qdf500 = [] {
        std::string lines;
        for (int i = 0; i < 500; ++i)
            lines += Line(std::to_string(i), "1", "5") + "\r\n";
        return lines;
    }();
    const EditCase cases[] = {
        {"a changed value keeps the line's tabs, zeros, signs and text", OnCells([](Cells& t) { t[1][19] = "15"; }),
         Replaced(kQdf, "\t0010\t", "\t15\t"), ""},
        {"a name changed alone takes its id", OnCells([](Cells& t) { t[2][1] = "Goblin"; }),
         Replaced(kQdf, "8 2 0", "8 1 0"), ""},
        {"the formula guard's ' kept or dropped", OnCells([](Cells& t) { t[3][1] = "=Imp"; }), kQdf, ""},
        {"rows sorted, columns reordered, a BOM, LF line ends and none at the end",
         [](const std::string& csv) {
             const std::string text = OnCells([](Cells& t) {
                 std::swap(t[1], t[3]);
                 for (auto& row : t)
                     std::rotate(row.begin(), row.begin() + 19, row.begin() + 20);
             }, "\n")(csv);
             return "\xEF\xBB\xBF" + text.substr(0, text.size() - 1);
         },
         kQdf, ""},
        {"quoted cells with commas, quotes and line breaks",
         OnCells([](Cells& t) { t[2][1] = "\"Orc \"\"Chief\"\", the\nTall\""; }), Replaced(kQdf, "8 2 0", "8 3 0"), ""},
        {"an added row, in the file's own style", OnCells([](Cells& t) { t.insert(t.begin() + 1, t[3]), t[1][0] = "12"; }),
         kQdf + Line("12", "4", "30") + "\r\n", ""},
        {"--delete-missing removes a record that has no row", OnCells([](Cells& t) { t.erase(t.begin() + 2); }),
         Replaced(kQdf, Line("8", "2", "20") + "\r\n", ""), "", {"--delete-missing"}},
        {"json: a record matched by its number where its Index stands twice",
         [](auto t) { return Replaced(t, "\"Str\": 21", "\"Str\": 22"); },
         kQdf + Line("7", "1", "22") + "\r\n", "", {}, "json", kQdf + Line("7", "1", "21") + "\r\n"},
        {"tsv with its escapes", [](auto t) { return Replaced(t, "8\tOrc\t2", "8\tOrc \"Chief\", the\\nTall\t2"); },
         Replaced(kQdf, "8 2 0", "8 3 0"), "", {}, "tsv"},
        {"a record without its row", OnCells([](Cells& t) { t.resize(2); }), "",
         "zuninfo.qdf:4:1: error: 2 records have no row in edited.csv: Index 8 (line 4), Index 9 (line 5)"},
        {"a number as a spreadsheet writes it", OnCells([](Cells& t) { t[1][19] = "\"1,200\""; }), "",
         "edited.csv:2:"},
        {"a number in scientific form", OnCells([](Cells& t) { t[1][19] = "1.2E+3"; }), "",
         "edited.csv:2:40: error: row 2 (Index 7), column T (Str): '1.2E+3' is not a number"},
        {"an empty cell", OnCells([](Cells& t) { t[1][19] = ""; }), "", "column T (Str): the cell is empty"},
        {"a name no id has", OnCells([](Cells& t) { t[1][1] = "Goblim"; }), "",
         "column B (Skin): the name changed from 'Goblin' to 'Goblim', but no id in mons.txt has that name"},
        {"a name two ids have", OnCells([](Cells& t) { t[1][1] = "Twin"; }), "", "it is the name of ids 5, 6"},
        {"a name and an id that disagree", OnCells([](Cells& t) { t[1][1] = "Orc", t[1][2] = "4"; }), "",
         "'Orc' is not the name of id 4 in column C (Skin id), which is '=Imp'; it is the name of id 2"},
        {"an Index twice cannot be matched in csv", same, "",
         "row 2 (Index 7): Index 7 stands twice in zuninfo.qdf and twice in edited.csv, so the row cannot be matched",
         {}, "csv", kQdf + Line("7", "1", "21") + "\r\n"},
        {"a record past the 500th", OnCells([](Cells& t) { t.push_back(t[1]), t.back()[0] = "900"; }), "",
         "row 502 (Index 900): the new file would hold 501 records, and the viewer reads the first 500", {}, "csv",
         qdf500},
        {"a file the viewer reads in part", same, "",
         "zuninfo.qdf:6:1: error: Index (field 0): 'x\\r\\n' is not a valid integer value", {}, "csv", kQdf + "x\r\n"},
        {"a column not in the export", OnCells([](Cells& t) { t[0].push_back("Notes"); }), "",
         "column AC of the header, 'Notes', is not a column of the export"},
        {"a column missing", OnCells([](Cells& t) { t[0].pop_back(); }), "", "the header lacks the export's columns Fly"},
        {"a column twice", OnCells([](Cells& t) { t[0][27] = "Str"; }), "",
         "column AB of the header, 'Str', stands twice: first in column T"},
        {"a quote never closed", OnCells([](Cells& t) { t[2][1] = "\"Orc"; }), "",
         "edited.csv:3:3: error: row 3: the quote that opens this cell is never closed"},
        {"json that is not an export", [](auto) { return "{\"Index\": 1}"; }, "",
         "edited.json:1:1: error: the export is one array of records, not an object", {}, "json"},
        {"an id changed alone, its name left as exported", OnCells([](Cells& t) { t[1][2] = "2"; }),
         Replaced(kQdf, "007\t+1", "007\t2"), ""},
        {"a change of the last field, Fly", OnCells([](Cells& t) { t[1][27] = "5"; }),
         Replaced(kQdf, "\t0\tscout", "\t5\tscout"), ""},
        {"an edit that gives the file a finding it lacks", OnCells([](Cells& t) { t[1][2] = "2000000"; }), "",
         "edited.csv:2:1: error: row 2 (Index 7): the import would give new.qdf a finding that zuninfo.qdf does not "
         "have, and stops: warning: Skin (field 1): id 2000000 is outside mons.txt's ids 0 to 103"},
        {"a finding that only moved is not new: an Index used twice, after --delete-missing",
         [](auto t) { return WithoutObjectOfLine(t, 4); },
         Replaced(kQdf, Line("8", "2", "20") + "\r\n", "") + Line("10", "1", "5") + "\r\n" + Line("10", "1", "6"), "",
         {"--delete-missing"}, "json", kQdf + Line("10", "1", "5") + "\r\n" + Line("10", "1", "6")},
        {"an Index once in the file and twice in EDITED", OnCells([](Cells& t) { t.push_back(t[2]), t[4][19] = "9"; }),
         "", "row 3 (Index 8): Index 8 stands once in zuninfo.qdf and twice in edited.csv"},
        {"of several faults, the first in EDITED",
         OnCells([](Cells& t) { t[1][1] = "Goblim", t.push_back(t[3]); }), "", "edited.csv:2:"},
        {"json: of several faults, the first in EDITED",
         [](auto t) { return Replaced(Replaced(t, "\"record\": 3", "\"record\": 0"), "\"Orc\"", "\"Orcs\""); },
         "", "object 2 (Index 8), \"Skin\" name: the name changed from 'Orc' to 'Orcs'", {}, "json",
         kQdf + Line("7", "1", "21") + "\r\n"},
        {"json: an object without \"record\" and \"line\" is matched by its Index",
         [](auto t) { return Replaced(Replaced(t, "\"record\": 1, \"line\": 4, ", ""), "\"Str\": 20", "\"Str\": 21"); },
         Replaced(kQdf, "8 2 0 0 0 0 0 0 0 0 0 0 0 0 20", "8 2 0 0 0 0 0 0 0 0 0 0 0 0 21"), "", {}, "json"},
        {"json: an object added to a file without records", [](auto) { return "[" + JsonObject("\"record\": 0, \"line\": 1, ", 1, "Goblin") + "]"; },
         "; none\r\n1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n", "", {}, "json", "; none\r\n"},
        {"a new record in the file's most common separator", OnCells([](Cells& t) { t.push_back(t[1]), t[3][0] = "3"; }),
         Line("1", "1", "5", "\t") + "\r\n" + Line("2", "1", "5", "\t") + "\r\n" + Line("3", "1", "5", "\t") + "\r\n", "",
         {}, "csv", Line("1", "1", "5", "\t") + "\r\n" + Line("2", "1", "5", "\t") + "\r\n"},
        {"a new record after a last line without CR LF", OnCells([](Cells& t) { t.push_back(t[3]), t[4][0] = "12"; }),
         kQdf.substr(0, kQdf.size() - 2) + "\r\n" + Line("12", "4", "30") + "\r\n", "", {}, "csv",
         kQdf.substr(0, kQdf.size() - 2)},
        {"a blank row and a row of empty cells after the table are passed over",
         [](auto t) { return t + "\r\n" + std::string(27, ',') + "\r\n"; }, kQdf, ""},
        {"an ending in capitals is the format's", OnCells([](Cells& t) { t[1][19] = "15"; }),
         Replaced(kQdf, "\t0010\t", "\t15\t"), "", {}, "csv", kQdf, "EDITED.CSV"},
#ifndef _WIN32 // a backslash in a name, names that differ only in case
        {"the monster file named is read as it stands, a backslash too", same, "",
         ".\\zuninfo.qdf: error: cannot be read: it does not exist", {}, "csv", kQdf, "", ".\\zuninfo.qdf"},
        {"the monster file named is read as it stands, its case too", same, "",
         "Zuninfo.QDF: error: cannot be read: it does not exist", {}, "csv", kQdf, "", "Zuninfo.QDF"},
        {"the monster file named is read as it stands, not as the viewer maps its own path", same, "",
         "C:\\Data\\zuninfo.qdf: error: cannot be read: it does not exist", {}, "csv", kQdf, "", "C:\\Data\\zuninfo.qdf"},
#endif
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.what);
        FileSandbox sandbox;
        FileSandbox::Write(sandbox.Folder() / "mons.txt", kMons);
        FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", c.qdf);
        // Where the viewer's mapping of its own path would find C:\Data\zuninfo.qdf.
        FileSandbox::Write(sandbox.Home() / ".wine" / "drive_c" / "data" / "zuninfo.qdf", c.qdf);
        const Ran exported = Command(RunExportCommand, {"--format", c.format, "mons.txt", "zuninfo.qdf"});
        const std::string edited = c.edited.empty() ? "edited." + c.format : c.edited;
        FileSandbox::Write(sandbox.Folder() / edited, c.edit(exported.out));
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"--lists", ".", "-o", "new.qdf", edited, c.monster});
        const Ran imported = Command(RunImportCommand, arguments);
        EXPECT_EQ(imported.code, c.newQdf.empty() ? 2 : 0) << imported.err;
        EXPECT_NE(imported.err.find(c.err), std::string::npos) << imported.err;
        if (c.newQdf.empty()) {
            EXPECT_FALSE(fs::exists(sandbox.Folder() / "new.qdf"));
        } else {
            EXPECT_EQ(FileSandbox::Read(sandbox.Folder() / "new.qdf"), c.newQdf);
        }
        EXPECT_EQ(FileSandbox::Read(sandbox.Folder() / "zuninfo.qdf"), c.qdf);
    }
    ResetProgramState();
}

} // namespace

namespace {

// --in-place keeps the old file as its backup, with its bytes and mode; a
// write that fails leaves the old file as it was, and nothing beside it.
TEST(Import, InPlaceKeepsTheOldFileAsItsBackup)
{
    FileSandbox sandbox;
    const fs::path qdf = FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", kQdf);
    FileSandbox::Write(sandbox.Folder() / "mons.txt", kMons);
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(qdf, mode);
    const std::string csv = OnCells([](Cells& t) { t[1][19] = "15"; })(Command(RunExportCommand, {"zuninfo.qdf"}).out);
    FileSandbox::Write(sandbox.Folder() / "edited.csv", csv);

    const Ran failed = Command(RunImportCommand, {"--in-place", "--backup=gone/old.qdf", "edited.csv", "zuninfo.qdf"});
    EXPECT_EQ(failed.code, 2);
    EXPECT_NE(failed.err.find("cannot keep the old file as 'gone/old.qdf'"), std::string::npos) << failed.err;
    EXPECT_EQ(FileSandbox::Read(qdf), kQdf);
    EXPECT_EQ(std::distance(fs::directory_iterator(sandbox.Folder()), fs::directory_iterator()), 3);

    const Ran replaced = Command(RunImportCommand, {"--in-place", "edited.csv", "zuninfo.qdf"});
    EXPECT_EQ(replaced.code, 0) << replaced.err;
    EXPECT_EQ(FileSandbox::Read(qdf), Replaced(kQdf, "\t0010\t", "\t15\t"));
    EXPECT_EQ(FileSandbox::Read(sandbox.Folder() / "zuninfo.qdf.bak"), kQdf);
#ifndef _WIN32
    EXPECT_EQ(fs::status(qdf).permissions(), mode);
    EXPECT_EQ(fs::status(sandbox.Folder() / "zuninfo.qdf.bak").permissions(), mode);
#endif
    const Ran again = Command(RunImportCommand, {"--in-place", "edited.csv", "zuninfo.qdf"});
    EXPECT_EQ(again.code, 2);
    EXPECT_NE(again.err.find("'zuninfo.qdf.bak' is taken"), std::string::npos) << again.err;
    ResetProgramState();
}

// On the sample data: an export with one monster's Str and skin name changed
// gives a file that differs in those two numbers alone; the dry run says so
// in zuninfo-diff's words and exits 1, and then zuninfo-diff says the same.
TEST(Import, TheSampleWithTwoValuesChanged)
{
    FileSandbox sandbox;
    for (const char* name : {"mons.txt", "skills.txt", "attacks.txt", "zuninfo.qdf"})
        fs::copy_file(fs::path(ZUNINFO_SOURCE_DIR) / "examples" / name, sandbox.Folder() / name);
    const std::string csv = OnCells([](Cells& t) { t[3][1] = "Orc Chief", t[3][19] = "15"; })(
        Command(RunExportCommand, {"zuninfo.qdf"}).out);
    FileSandbox::Write(sandbox.Folder() / "edited.csv", csv);
    const std::string change = "Index 2 (Goblin \xC3\x89" "claireur), line 39 -> line 39: Skin Goblin \xC3\x89"
                               "claireur (1) -> Orc Chief (4); Str 12 -> 15\n";

    const Ran dry = Command(RunImportCommand, {"edited.csv", "zuninfo.qdf"});
    EXPECT_EQ(dry.code, 1) << dry.err;
    EXPECT_EQ(dry.out.substr(0, change.size()), change);
    EXPECT_EQ(Command(RunImportCommand, {"-o", "new.qdf", "edited.csv", "zuninfo.qdf"}).code, 0);
    const std::string before = FileSandbox::Read(sandbox.Folder() / "zuninfo.qdf");
    std::string after = FileSandbox::Read(sandbox.Folder() / "new.qdf");
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.replace(before.find("\n2  1 ") + 4, 1, "1").replace(before.find("0 0\t12 ") + 4, 2, "12"), before);
    const Ran diff = Command(RunDiffCommand, {"zuninfo.qdf", "new.qdf"});
    EXPECT_EQ(diff.out.substr(0, change.size()), change);
    EXPECT_EQ(diff.out.find('\n'), change.size() - 1);
    ResetProgramState();
}

// EDITED "-" is standard input. Past kMostEditedBytes it is read no further.
TEST(Import, StandardInputIsReadUpToABound)
{
    FileSandbox sandbox;
    FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", kQdf);
    for (const std::string& input : {Command(RunExportCommand, {"zuninfo.qdf"}).out, std::string(kMostEditedBytes + 1, ',')}) {
        std::istringstream in(input);
        std::streambuf* standardInput = std::cin.rdbuf(in.rdbuf());
        const Ran ran = Command(RunImportCommand, {"--format=csv", "-", "zuninfo.qdf"});
        std::cin.rdbuf(standardInput);
        const bool junk = input.size() > kMostEditedBytes;
        EXPECT_EQ(ran.code, junk ? 2 : 0) << ran.err;
        EXPECT_NE((junk ? ran.err : ran.out).find(junk ? "standard input: error: larger than 4 MiB" : "the records are the same"),
                  std::string::npos)
            << ran.out << ran.err;
    }
    ResetProgramState();
}

} // namespace

namespace {

// The read-back's two checks: the records field by field, and the findings
// with the lines they name left out.
TEST(ReadBack, RecordsComparedFieldByFieldAndFindingsWithoutTheirLines)
{
    MonsterRecord goblin;
    goblin.Fields.fill(1);
    MonsterRecord flying = goblin;
    flying.Fields.back() = 2; // Fly, the last field
    const auto read = [](std::vector<MonsterRecord> records) {
        std::vector<ShownRecord> shown;
        for (const MonsterRecord& record : records)
            shown.push_back({static_cast<std::int32_t>(shown.size()), static_cast<std::int64_t>(shown.size()) + 1, record});
        return shown;
    };
    const struct {
        const char* what;
        std::vector<MonsterRecord> asked, read;
        std::optional<std::size_t> slot;
    } records[] = {
        {"the same", {goblin, flying}, {goblin, flying}, std::nullopt},
        {"the last field other", {goblin, goblin}, {goblin, flying}, 1},
        {"one fewer", {goblin, flying}, {goblin}, 1},
        {"one more", {goblin}, {goblin, flying}, 1},
    };
    for (const auto& c : records) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FirstRecordOtherThanAsked(c.asked, read(c.read)), c.slot);
    }

    struct Found {
        FindingKind kind;
        FilePlace place;
        std::vector<std::string> arguments;
    };
    const struct {
        const char* what;
        std::vector<Found> old, fresh;
        bool isNew;
    } findings[] = {
        {"an Index used twice that only moved", {{FindingKind::IndexTwice, {6, 1}, {"10", "5"}}},
         {{FindingKind::IndexTwice, {4, 1}, {"10", "3"}}}, false},
        {"an Index used twice anew", {{FindingKind::IndexTwice, {6, 1}, {"10", "5"}}},
         {{FindingKind::IndexTwice, {6, 1}, {"11", "5"}}}, true},
        {"the same id without a name in another field", {{FindingKind::IdWithoutName, {2, 3}, {"Skin", "1", "7", "mons.txt"}}},
         {{FindingKind::IdWithoutName, {2, 9}, {"Skill 1", "9", "7", "skills.txt"}}}, true},
    };
    for (const auto& c : findings) {
        SCOPED_TRACE(c.what);
        Report old, fresh;
        old.BeginFile("old.qdf");
        for (const Found& f : c.old)
            old.AddWithArguments(f.kind, f.place, f.arguments);
        fresh.BeginFile("new.qdf");
        for (const Found& f : c.fresh)
            fresh.AddWithArguments(f.kind, f.place, f.arguments);
        EXPECT_EQ(FirstNewFinding(old, "old.qdf", fresh, "new.qdf").has_value(), c.isNew);
        EXPECT_FALSE(FirstNewFinding(old, "old.qdf", old, "old.qdf").has_value());
    }
}

} // namespace
