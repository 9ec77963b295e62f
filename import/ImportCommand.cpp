#include "import/ImportCommand.h"

#include "checking/Message.h"
#include "checking/ViewerRead.h"
#include "exchange/EditedTable.h"
#include "exchange/ImportPlan.h"
#include "platform/Ascii.h"
#include "save/OutputFile.h"
#include "save/SaveMonsterFile.h"
#include "tools/CommandLine.h"
#include "tools/DataFiles.h"
#include "tools/FindingText.h"
#include "tools/RecordDiff.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <system_error>

namespace zuninfo {

namespace {

namespace fs = std::filesystem;

constexpr const char* kAbout = R"(
Writes an edited export of MONSTER_FILE back in the monster file's own
format. EDITED is what zuninfo-export wrote (CSV, TSV, xlsx or JSON), changed
in a spreadsheet and saved as it saves (xlsx, ods, CSV or text) or changed by
a script, or - for standard input. With neither -o nor --in-place nothing is
written: the changes the import would make are said, in the words of
zuninfo-diff.

A row is matched to its record by its Index where that stands once in
MONSTER_FILE and once in EDITED, else by the "record" number of the JSON
export; a row whose Index MONSTER_FILE lacks is a new record, written after
the last record line. For a skin, attack or skill the id column holds; a name
changed alone is looked up in its list. Numbers are read as the viewer reads
them, and nothing is guessed. A record that did not change keeps its bytes, a
changed one its line, with only the changed numbers replaced.

Before anything is written, the new file is read back with the viewer's own
loader and must give exactly the records asked for, and zuninfo-check must
find nothing in it that it does not find in MONSTER_FILE. Anything else
stops the import with exit status 2, naming the file, row and column, and
nothing is written. MONSTER_FILE must be one the viewer reads whole.

The name lists mons.txt, skills.txt and attacks.txt are found as the viewer
finds them: in the --lists FOLDER when it is given; else in the current
folder, and a list missing there beside MONSTER_FILE.
)";

constexpr OptionChoice kFormats[] = {
    {"csv", "RFC 4180 as zuninfo-export or a spreadsheet writes it: a header row of its columns, in any order, then a "
            "row a record, separated by commas, semicolons or tabs (the one under which the first row is the header, "
            "or the one a \"sep=\" first line names); also for .txt"},
    {"tsv", "the same columns separated by tabs, with its escapes"},
    {"json", "the array of objects zuninfo-export writes"},
    {"xlsx", "a workbook as zuninfo-export or a spreadsheet saves it: its first sheet, headed as csv; numbers as whole "
             "number cells, a formula's saved value"},
    {"ods", "the same as LibreOffice saves it"},
};
constexpr Option kOptions[] = {
    {"format", 0, "FORMAT", "the form of EDITED (by default the one its name ends in: .csv, .txt, .tsv, .json, .xlsx or .ods), one of:",
     kFormats},
    kJsonOption,
    {"encoding", 0, "CODEPAGE",
     "read csv and tsv text that is neither UTF-8 nor UTF-16 with its byte order mark in this Windows code page "
     "(1252, cp1251, windows-1250); by default in the ANSI code page of the locale, as the name lists are read"},
    {"output", 'o', "NEW",
     "write the new monster file to NEW, which takes that name only once it is complete and read back; never one "
     "of the files read"},
    {"in-place", 0, nullptr,
     "replace MONSTER_FILE the same way, keeping the old one beside it as MONSTER_FILE.bak, and its permissions"},
    {"backup", 0, "NAME", "with --in-place, keep the old file as NAME; the import stops where that name is taken"},
    {"delete-missing", 0, nullptr, "remove the records that no row of EDITED matches; without it the import stops at them"},
};

constexpr std::string_view kAboutParts[] = {kAbout};

const Tool kTool{"zuninfo-import", "[OPTION...] [-o NEW | --in-place] EDITED MONSTER_FILE", kAboutParts, kOptions,
                 "0 when nothing would change, or the new file is written as asked",
                 "1 when a run without -o or --in-place finds changes"};

// What one run is asked to do.
struct ImportRun {
    std::string edited;       // as named; "-" for standard input
    std::string editedName;   // as messages name it
    std::string monsterFile;  // as named
    RecordFormat format = RecordFormat::Csv;
    int codePage = 0;         // --encoding; 0: the locale's
    DataFiles files;          // the lists and the monster file
    std::optional<std::string> output;
    std::optional<std::string> backup; // with --in-place
    bool deleteMissing = false;
};

// The code page --encoding names: "1252", "cp1252", "windows-1252".
int CodePageNamed(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), AsciiLower<char>);
    for (const std::string_view prefix : {"windows-", "cp"}) {
        if (name.starts_with(prefix))
            name.erase(0, prefix.size());
    }
    int codePage = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), codePage);
    if (name.empty() || error != std::errc() || end != name.data() + name.size() || codePage <= 0 || codePage > 65535)
        throw UsageProblem("--encoding names a Windows code page by its number (1252, cp1251, windows-1250)");
    return codePage;
}

ImportRun ReadCommandLine(const ParsedOptions& parsed)
{
    ImportRun run;
    if (parsed.operands.size() != 2)
        throw UsageProblem("name EDITED and MONSTER_FILE (" + std::to_string(parsed.operands.size()) + " named)");
    run.edited = parsed.operands[0];
    run.editedName = run.edited == "-" ? "standard input" : run.edited;
    run.monsterFile = parsed.operands[1];
    if (run.monsterFile == "-")
        throw UsageProblem("MONSTER_FILE is read more than once, and cannot be standard input");

    const std::string chosen = ChosenFormat(parsed, "");
    std::optional<RecordFormat> format = chosen.empty() ? FormatOfName(run.edited) : FormatNamed(chosen);
    if (!format)
        throw UsageProblem("say which form EDITED has with --format: "
                           + (run.edited == "-" ? "standard input" : "'" + run.edited + "'")
                           + " does not end in .csv, .txt, .tsv, .json, .xlsx or .ods");
    run.format = *format;
    if (parsed.Has("encoding"))
        run.codePage = CodePageNamed(parsed.Value("encoding"));
    run.deleteMissing = parsed.Has("delete-missing");

    run.files.monsterInfo = run.monsterFile;
    ChooseLists(run.files, parsed.Optional("lists"), std::vector<std::string>{run.monsterFile});
    std::vector<std::string> inputs = DataFilePaths(run.files);
    if (run.edited != "-")
        inputs.push_back(run.edited);

    if (parsed.Has("output") && parsed.Has("in-place"))
        throw UsageProblem("-o and --in-place both say where to write: give one");
    if (parsed.Has("backup") && !parsed.Has("in-place"))
        throw UsageProblem("--backup names the old file kept by --in-place");
    if (parsed.Has("output")) {
        run.output = parsed.Value("output");
        if (*run.output == "-")
            throw UsageProblem("-o names a file: the new file is read back before it takes its name");
        RequireNoInput(*run.output, inputs);
    }
    if (parsed.Has("in-place")) {
        run.output = run.monsterFile;
        run.backup = parsed.Value("backup", run.monsterFile + ".bak");
        RequireNoInput(*run.backup, inputs);
        std::error_code error;
        if (fs::symlink_status(NamedPath(*run.backup), error).type() != fs::file_type::not_found)
            throw UsageProblem("'" + *run.backup + "' is taken: the old file is kept under a name of its own; "
                               "name another with --backup=NAME");
    }
    return run;
}

// The monster file as the viewer reads it, with every finding about a
// record's fields, and its layout; false, after saying why, where the import
// cannot start from it.
bool ReadStart(const ImportRun& run, std::optional<MonsterSource>& source, std::ostream& err)
{
    source = ReadSource(run.files);
    const ViewerRead& read = source->read;
    for (const Finding& finding : read.report.Findings()) {
        if (KeepsFromWriting(finding, run.files))
            err << FindingLine(finding) << '\n';
    }
    if (read.report.ExitCode() == kExitTrouble)
        return false;
    if (!read.startsUp) {
        err << kTool.name << ": the viewer would not start with these name lists, and so show no record: "
            << "fix the list first\n";
        return false;
    }
    if (read.readInPart) {
        err << kTool.name << ": the viewer reads " << run.monsterFile << " only in part: fix it first, so that "
            << "nothing the viewer does not show is carried along or lost unseen\n";
        return false;
    }
    return true;
}

// The new file's bytes into `file`, read back and checked; a fault is named
// by the row it comes from where there is one.
CheckedWrite WriteAndCheck(const ImportRun& run, const EditedTable& table, const ImportPlan& plan,
                           const MonsterSource& source, OutputFile& file, const std::string& shown)
{
    try {
        return WriteAndReadBack(source, plan.wanted, file, shown, "the import");
    } catch (const ReadBackRefusal& refusal) {
        if (refusal.slot && *refusal.slot < plan.rows.size())
            throw table.AtRow(*plan.rows[*refusal.slot], refusal.what());
        if (refusal.place.line != 0)
            throw Refusal(shown, refusal.place, refusal.what());
        throw Refusal(run.editedName, {0, 0}, refusal.what());
    }
}

int Import(const ImportRun& run, std::ostream& out, std::ostream& err)
{
    std::optional<MonsterSource> source;
    if (!ReadStart(run, source, err))
        return kExitTrouble;
    const EditedTable table = ReadEditedTable(ReadEditedBytes(run.edited, run.editedName), run.format, run.editedName, run.codePage);
    // A list the viewer does not read (it is missing, or one before it is)
    // gives no names to look up.
    const std::vector<ShownRecord>& old = source->read.records;
    const ImportSource from{run.monsterFile, old, source->read.listsRead};
    const ImportPlan plan = PlanImport(table, from, run.deleteMissing);

    if (!run.output) {
        // Into a file of its own that is never kept, so that a dry run says
        // exactly what -o would write or refuse.
        OutputFile scratch(NamedPathText(fs::temp_directory_path() / "zuninfo-import.qdf"));
        const std::string shown = "the new " + run.monsterFile;
        const CheckedWrite written = WriteAndCheck(run, table, plan, *source, scratch, shown);
        const RecordDiff diff = CompareRecords(old, written.read.records);
        for (const RecordChange& change : diff.changes)
            out << ChangeText(change) << '\n';
        const std::string counts[] = {std::to_string(old.size()), run.monsterFile,
                                      std::to_string(written.read.records.size()), run.editedName};
        out << kTool.name << ": "
            << FormatMessage("{0:# record|# records} in {1}, {2} after the import of {3}; ", counts)
            << DiffSummary(diff) << '\n';
        return written.changed + written.added + written.removed == 0 ? kExitDone : kExitFinding;
    }

    // With --in-place, the file a link names is replaced, and the link kept.
    std::string target = *run.output;
    if (run.backup) {
        std::error_code error;
        const fs::path real = fs::canonical(NamedPath(target), error);
        if (!error)
            target = NamedPathText(real);
    }
    OutputFile file(target);
    const CheckedWrite written = WriteAndCheck(run, table, plan, *source, file, *run.output);
    if (run.backup) {
        file.KeepPermissionsOf(NamedPath(target));
        file.CommitKeeping(*run.backup);
        out << kTool.name << ": replaced " << run.monsterFile << ", the old file kept as " << *run.backup;
    } else {
        file.Commit();
        out << kTool.name << ": wrote " << *run.output;
    }
    const std::string counts[] = {std::to_string(written.read.records.size()), std::to_string(written.changed),
                                  std::to_string(written.added), std::to_string(written.removed)};
    out << FormatMessage(": {0:# record|# records}; {1} changed, {2} added, {3} removed\n", counts);
    return kExitDone;
}

} // namespace

int RunImportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    ImportRun run;
    try {
        const ParsedOptions parsed = kTool.Parse(arguments);
        if (kTool.AnsweredHelpOrVersion(parsed, out))
            return kExitDone;
        run = ReadCommandLine(parsed);
    } catch (const UsageProblem& problem) {
        return kTool.UsageError(err, problem.what());
    }
    try {
        return Import(run, out, err);
    } catch (const Refusal& refusal) {
        err << refusal.Text() << '\n';
    } catch (const std::runtime_error& error) {
        err << kTool.name << ": " << error.what() << '\n';
    }
    return kExitTrouble;
}

} // namespace zuninfo
