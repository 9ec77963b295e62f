// zuninfo-findings-page: writes docs/findings.md, every kind of finding
// zuninfo-check reports, with its id, level, an example and what to do. Each
// example is a few bytes written into a temporary folder and checked by the
// checker's own command, so the page shows exactly what the checker prints.
//
// Usage: zuninfo-findings-page [FILE]    (standard output without FILE)
// The build's target findings-page (docgen/CMakeLists.txt) writes
// docs/findings.md with it.
#include "check/CheckCommand.h"
#include "check/ReportWriters.h"
#include "checking/Finding.h"
#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "tools/DataFiles.h"

#include <stdlib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;
using namespace zuninfo;

namespace {

struct ExampleFile {
    const char* name = nullptr; // nullptr: no file
    const char* bytes = nullptr; // nullptr: named, but not there
    int times = 1; // the bytes this many times, each time after its count from 0 ("0 ", "1 ", ...)
};

// A kind's example and what to do about it. The files are named to
// zuninfo-check in this order; a kind without files (memory running out)
// is added to a report as the checker adds it.
struct FindingExample {
    FindingKind key;
    std::array<ExampleFile, 2> files;
    const char* toDo;
};

// By FindingKind.
// clang-format off
constexpr std::array<FindingExample, 15> kExamples{{
    {FindingKind::Unreadable, {{{"zuninfo.qdf", nullptr}}},
     "Check the path, and that it is a regular file (or a link to one) that you may read. For a file the tool "
     "finds itself, see [where the viewer looks for its files](viewer.md#where-the-files-are-looked-for). The "
     "finding also says what the viewer does then: a list missing at start-up leaves the lists after it unread."},
    {FindingKind::BadToken, {{{"zuninfo.qdf",
      "0 0 0 0 1 0 1000 0 0 0 0 0 0 0 1 1 1 1 0 0 -1 0 0 Training Dummy\r\n"
      "1 1 8 4 1 0 1200 0 4 0 0 0 0 0 12 4 10 3x 15 0 4 -2 0 Goblin\r\n"
      "2 4 9 5 1 0 1100 0 4 0 0 0 0 0 20 5 8 6 40 0 4 -3 0 Orc Chief\r\n"}}},
     "Correct the token at the place given: each of a record's 23 fields is a whole number, an optional sign and "
     "digits from -2147483648 to 2147483647. A line that is no record starts with `;` (a comment) or is empty. "
     "The records after the token come back once it is a number."},
    {FindingKind::StoreFull, {{{"zuninfo.qdf", "1 8 4 1 0 1200 0 4 0 0 0 0 0 12 4 10 3 15 0 4 -2 0 Goblin\r\n", 502}}},
     "The viewer holds 500 records. Remove records (or move them into another monster file) until at most 500 "
     "record lines are left; comment lines and empty lines do not count."},
    {FindingKind::TrailingText, {{{"zuninfo.qdf",
      "0 1 8 4 1 0 1200 0 4 0 0 0 0 0 12 4 10 3 15 0 4 -2 0 Goblin\n"
      "1 4 9 5 1 0 1100 0 4 0 0 0 0 0 20 5 8 6 40 0 4 -3 0 Orc Chief\r\n"}}},
     "End the line of the record named with CR LF, not LF alone: save the file with Windows (CR LF) line ends. "
     "The record lines after it are then read as records of their own."},
    {FindingKind::LfLineEnd, {{{"mons.txt", "0 Training Dummy\r\n1 Goblin\n"}, {"zuninfo.qdf",
      "; Goblins\n"
      "0 1 8 4 1 0 1200 0 4 0 0 0 0 0 12 4 10 3 15 0 4 -2 0\n"
      "1 4 9 5 1 0 1100 0 4 0 0 0 0 0 20 5 8 6 40 0 4 -3 0 Orc Chief\r\n"}}},
     "Save the file with Windows (CR LF) line ends, as the game's own files have them; most editors have a "
     "setting for it. Where the finding says the LF alone is harmless, nothing is lost, but the next editor may "
     "well change the other lines too."},
    {FindingKind::LoneCr, {{{"zuninfo.qdf",
      "0 1 8 4 1 0 1200 0 4 0 0 0 0 0 12 4 10 3 15 0 4 -2 0 Goblin\r"
      "1 4 9 5 1 0 1100 0 4 0 0 0 0 0 20 5 8 6 40 0 4 -3 0 Orc Chief\r\n"}}},
     "Remove the CR, or put the LF after it that it lacks: a line ends with CR LF, and a CR anywhere else takes "
     "the byte after it with it."},
    {FindingKind::IdOutsideTable, {{{"zuninfo.qdf",
      "0 104 8 4 1 0 1200 0 4 0 0 0 0 0 12 4 10 3 15 0 4 -2 0 Goblin\r\n"}}},
     "Use an id inside the list's table (the message gives its ids), or leave it where an empty field is what "
     "you mean."},
    {FindingKind::IdWithoutName, {{{"mons.txt", "0 Training Dummy\r\n1 Goblin\r\n"}, {"zuninfo.qdf",
      "0 4 8 4 1 0 1200 0 4 0 0 0 0 0 12 4 10 3 15 0 4 -2 0 Orc Chief\r\n"}}},
     "Give the id a name in its list, or use an id that has one. Check that the tool read the list you meant: "
     "the finding names the list's file."},
    {FindingKind::IndexTwice, {{{"zuninfo.qdf",
      "7 1 8 4 1 0 1200 0 4 0 0 0 0 0 12 4 10 3 15 0 4 -2 0 Goblin\r\n"
      "7 4 9 5 1 0 1100 0 4 0 0 0 0 0 20 5 8 6 40 0 4 -3 0 Orc Chief\r\n"}}},
     "Give each record an Index of its own, where the game expects one. `zuninfo-diff` matches records by an "
     "Index only where it stands once in each file, and else by their place; `zuninfo-import` refuses a CSV or "
     "TSV row whose Index stands twice (its JSON export carries each record's number)."},
    {FindingKind::BadId, {{{"mons.txt", "0 Training Dummy\r\n1\r\n2 Orc Chief\r\n"}}},
     "Every line of a name list is an id, then its name. Remove the empty line or give the id its name: the "
     "usual causes are an empty line (also one at the end of the file) and a line with an id but no name."},
    {FindingKind::ListIdOutsideTable, {{{"skills.txt", "0 None\r\n382 Fireball\r\n"}}},
     "Use an id inside the table (the message gives its ids), or remove the line: no monster can show the name."},
    {FindingKind::IdSetTwice, {{{"attacks.txt", "0 None\r\n3 Bite\r\n3 Claw\r\n"}}},
     "Remove the line you do not mean, or give it an id of its own."},
    {FindingKind::EmptyName, {{{"mons.txt", "0 Training Dummy\r\n7:\r\n"}}},
     "Give the id its name, or remove the line."},
    {FindingKind::NameRunsOn, {{{"mons.txt", "0 Training Dummy\r\n1 Goblin\n2 Orc Chief\r\n3 Rat\r\n"}}},
     "Save the list with Windows (CR LF) line ends, as the game's own files have them; the lines after it then "
     "are names of their own."},
    {FindingKind::OutOfMemory, {},
     "Free some memory and run the check again. The checker keeps a few MiB whatever the size of the files, so "
     "this happens only where the machine has almost none left."},
}};
// clang-format on
static_assert(KeyedInOrder(kExamples, FindingKind::OutOfMemory));

// The name lists beside an example that names no list, as the viewer would
// find them there: each id the examples' records use has its name.
constexpr ExampleFile kListsBeside[] = {
    {"mons.txt", "0 Training Dummy\r\n1 Goblin\r\n4 Orc Chief\r\n"},
    {"skills.txt", "0 None\r\n"},
    {"attacks.txt", "0 None\r\n4 Bite\r\n"},
};

// The viewer's tables as at start, so that no example sees another's names.
void ForgetWhatWasRead()
{
    Monsters = {};
    LastIndex = 0;
    SkinNames = {};
    SkillNames = {};
    AttackNames = {};
    SkinNamesEncoding = SkillNamesEncoding = AttackNamesEncoding = TextEncoding::Utf8;
}

std::string BytesOf(const ExampleFile& file)
{
    if (file.times == 1)
        return file.bytes;
    std::string bytes;
    for (int count = 0; count < file.times; ++count)
        bytes += std::to_string(count) + " " + file.bytes;
    return bytes;
}

// The bytes as text, a line a line, control bytes as \r, \n, \t or \xNN; a
// long file as its first two lines, "...", and its last.
std::string Shown(const std::string& bytes)
{
    std::vector<std::string> lines(1);
    for (const unsigned char c : bytes) {
        std::string& line = lines.back();
        if (c == '\r' || c == '\n' || c == '\t') {
            line += c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            line += hex;
        } else {
            line += static_cast<char>(c);
        }
        if (c == '\n')
            lines.emplace_back();
    }
    if (lines.back().empty())
        lines.pop_back();
    if (lines.size() > 6) {
        lines.erase(lines.begin() + 2, lines.end() - 1);
        lines.insert(lines.begin() + 2, "...");
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// What the checker prints for the example, and its exit code, from a folder
// of its own under `scratch`.
std::string Session(const FindingExample& example, const fs::path& scratch)
{
    ForgetWhatWasRead();
    std::ostringstream out;
    std::string command = "zuninfo-check";
    int exitCode = 0;
    if (example.files[0].name == nullptr) {
        Report report;
        report.AddOutOfMemory("zuninfo.qdf");
        WriteText(report, out);
        command += " zuninfo.qdf";
        exitCode = report.ExitCode();
    } else {
        const fs::path folder = scratch / InfoOf(example.key).name;
        fs::create_directory(folder);
        const fs::path previous = fs::current_path();
        fs::current_path(folder);
        std::vector<std::string> named;
        bool listNamed = false;
        for (const ExampleFile& file : example.files) {
            if (file.name == nullptr)
                continue;
            if (file.bytes != nullptr)
                std::ofstream(file.name, std::ios::binary) << BytesOf(file);
            named.emplace_back(file.name);
            command += std::string(" ") + file.name;
            listNamed = listNamed || ListNamedBy(file.name);
        }
        if (!listNamed) {
            for (const ExampleFile& list : kListsBeside)
                std::ofstream(list.name, std::ios::binary) << list.bytes;
        }
        std::ostringstream err;
        exitCode = RunCheckCommand(named, out, err);
        fs::current_path(previous);
    }
    return "```console\n$ " + command + "\n" + out.str() + "$ echo $?\n" + std::to_string(exitCode) + "\n```\n";
}

constexpr std::string_view kIntroduction = R"(# What zuninfo-check finds

<!-- Made by the build from the checker's table of findings: do not edit.
     After a change to the table, make it again with
     cmake --build build --target findings-page -->

`zuninfo-check` reports each place in the four data files where the viewer
would stop, skip something, or show an empty field or a name other than
meant. This page lists every kind of finding: its id (as `--format json`
gives it in `kind` and SARIF as the rule's id), its level, an example made
of a few bytes with what the checker prints for them, and what to do.
[The command-line tools](tools.md#zuninfo-check) says how to run the
checker and what its exit codes mean.

An **error** is something the viewer would lose (records, lines, bytes) or
stop at; a **warning** is something it reads but shows empty or other than
meant. A file has at most a few findings of each kind listed (the number
each kind says), and the rest are counted in one line.

In the examples, `\r` stands for a CR byte, `\n` for an LF and `\t` for a
tab; a line of the file ends after each `\n`. Where an example names no
name list, the folder it runs in holds these three, which the checker then
reads as the viewer would:
)";

std::string Page(const fs::path& scratch)
{
    std::string page(kIntroduction);
    for (const ExampleFile& list : kListsBeside)
        page += std::string("\n`") + list.name + "`:\n\n```text\n" + Shown(list.bytes) + "```\n";
    page += "\n| Id | Level | About |\n|---|---|---|\n";
    for (const FindingKindInfo& info : kFindingKinds) {
        page += std::string("| [") + info.name + "](#" + info.name + ") | " + SeverityName(info.severity) + " | "
                + info.description + " |\n";
    }
    for (const FindingExample& example : kExamples) {
        const FindingKindInfo& info = InfoOf(example.key);
        page += std::string("\n## ") + info.name + "\n\n" + (info.severity == Severity::Error ? "Error" : "Warning")
                + ": " + info.description + ". A file lists at most " + std::to_string(info.listed)
                + (info.listed == 1 ? " such finding" : " such findings") + "; the rest are counted.\n\n";
        for (const ExampleFile& file : example.files) {
            if (file.name == nullptr)
                continue;
            if (file.bytes == nullptr) {
                page += std::string("With no file `") + file.name + "`:\n\n";
                continue;
            }
            page += std::string("`") + file.name + "`"
                    + (file.times > 1 ? " (" + std::to_string(file.times) + " record lines, Index 0 to "
                                            + std::to_string(file.times - 1) + ")"
                                      : "")
                    + ":\n\n```text\n" + Shown(BytesOf(file)) + "```\n\n";
        }
        page += Session(example, scratch) + "\n**What to do:** " + example.toDo + "\n";
    }
    return page;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "Usage: zuninfo-findings-page [FILE]\n";
        return 2;
    }
    std::string scratchName = (fs::temp_directory_path() / "zuninfo-findings-page-XXXXXX").string();
    if (::mkdtemp(scratchName.data()) == nullptr) {
        std::perror("zuninfo-findings-page: a temporary folder");
        return 2;
    }
    const fs::path scratch(scratchName);
    const std::string page = Page(scratch);
    fs::remove_all(scratch);
    if (argc == 1) {
        std::cout << page;
        return std::cout.flush() ? 0 : 2;
    }
    std::ofstream file(argv[1], std::ios::binary);
    file << page;
    file.close();
    if (!file) {
        std::cerr << "zuninfo-findings-page: cannot write " << argv[1] << "\n";
        return 2;
    }
    return 0;
}
