#include "diff/DiffCommand.h"

#include "checking/Message.h"
#include "checking/ViewerRead.h"
#include "diff/UnreadRecords.h"
#include "tools/CommandLine.h"
#include "tools/DataFiles.h"
#include "tools/FindingText.h"
#include "tools/RecordDiff.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

namespace zuninfo {

namespace {

constexpr const char* kAbout = R"(
Compares two monster files as ZunInfo Viewer reads them, record by record,
and says which records the new file adds, removes or changes, naming each
changed field by its caption, with the names of skin, attack and skill ids
beside the numbers.

Records are matched by their Index where it stands at most once in each
file, and otherwise by their place in the viewer's store; the output says
which. A record is named by its Index in OLD (in NEW for one it adds). A
file the viewer reads only in part is flagged first, in the words of
zuninfo-check, and a record it loses that way is said to be unread.

The names come from the LISTs named (mons.txt, skills.txt, attacks.txt, by
their names); with none named, from the lists as the viewer finds them: in
the --lists FOLDER, else in the current folder, and a list missing there
beside OLD or else NEW. OLD, NEW and the LISTs named are read at their paths
as they stand. Nothing is written to any file.
)";

constexpr OptionChoice kFormats[] = {
    {"text", "a line a record (the default)"},
    {"json", "one JSON object"},
};
constexpr Option kOptions[] = {
    {"format", 0, "FORMAT", "the form of the comparison, one of:", kFormats},
    kJsonOption,
};

constexpr std::string_view kAboutParts[] = {kAbout};

const Tool kTool{"zuninfo-diff", "[--format text|json] [--lists FOLDER] [LIST...] OLD NEW", kAboutParts, kOptions,
                 "0 when the records are the same", "1 when they differ (or a name list cannot be found)"};

struct MonsterFile {
    std::string path;
    ViewerRead read;
};

MonsterFile ReadMonsterFile(const std::string& path)
{
    DataFiles files;
    files.monsterInfo = path;
    return {path, ReadAsTheViewer(files)};
}

// The records of `lacking` that `other` has and that lie, in the file the
// viewer reads only in part, on lines it leaves unread: by Index, the line.
std::map<std::int32_t, std::int64_t> UnreadIn(const MonsterFile& lacking, const RecordDiff& diff, bool removed)
{
    if (!lacking.read.readInPart)
        return {};
    std::set<std::int32_t> wanted;
    for (const RecordChange& change : diff.changes) {
        const ShownRecord* only = removed ? (change.after == nullptr ? change.before : nullptr)
                                          : (change.before == nullptr ? change.after : nullptr);
        if (only != nullptr)
            wanted.insert(only->record.Fields[0]);
    }
    std::set<std::int64_t> readLines;
    for (const ShownRecord& record : lacking.read.records)
        readLines.insert(record.line);
    return UnreadRecordLines(lacking.path, wanted, readLines);
}

struct Comparison {
    const MonsterFile& before;
    const MonsterFile& after;
    const Report& lists;
    RecordDiff diff;
    std::map<std::int32_t, std::int64_t> removedUnread; // in `after`, by Index
    std::map<std::int32_t, std::int64_t> addedUnread;   // in `before`, by Index
    int exitCode; // the process's

    // Where the record a change lacks lies unread in the other file; 0: nowhere.
    std::int64_t UnreadLine(const RecordChange& change) const
    {
        const auto& unread = change.Removed() ? removedUnread : addedUnread;
        const auto found = unread.find(change.Named().record.Fields[0]);
        return found == unread.end() ? 0 : found->second;
    }
    // What the viewer loses of the files, first in the output; a list that
    // cannot be read is said apart.
    std::vector<Finding> Flags() const
    {
        std::vector<Finding> flags;
        for (const Report* report : {&lists, &before.read.report, &after.read.report}) {
            for (const Finding& finding : report->Findings()) {
                if (InfoOf(finding.kind).severity == Severity::Error && finding.kind != FindingKind::Unreadable)
                    flags.push_back(finding);
            }
        }
        return flags;
    }
};

void WriteText(const Comparison& c, std::ostream& out)
{
    for (const Finding& flag : c.Flags())
        out << FindingLine(flag) << '\n';
    for (const RecordChange& change : c.diff.changes) {
        out << ChangeText(change);
        if (const std::int64_t line = c.UnreadLine(change))
            out << ", but only because the viewer does not read line " << line << " of "
                << (change.Removed() ? c.after : c.before).path << ", where the record stands";
        out << '\n';
    }
    const std::string counts[] = {std::to_string(c.before.read.records.size()), c.before.path,
                                  std::to_string(c.after.read.records.size()), c.after.path};
    out << kTool.name << ": " << FormatMessage("{0:# record|# records} in {1}, {2} in {3}; ", counts)
        << DiffSummary(c.diff) << '\n';
}

void WriteJson(const Comparison& c, std::ostream& out)
{
    using Layout = JsonWriter::Layout;
    JsonWriter json(out);
    json.Object(Layout::Lines);
    for (const auto& [key, file] : {std::pair{"old", &c.before}, std::pair{"new", &c.after}}) {
        json.Key(key)
            .Object()
            .Member("file", file->path)
            .Member("records", static_cast<std::int64_t>(file->read.records.size()))
            .Member("read_in_part", file->read.readInPart)
            .End();
    }
    json.Key("findings").Array(Layout::Lines);
    for (const Finding& flag : c.Flags())
        WriteFinding(json, flag);
    json.End().Key("changes").Array(Layout::Lines);
    for (const RecordChange& change : c.diff.changes) {
        json.Object();
        WriteChange(json, change);
        if (change.Added() || change.Removed()) {
            json.Key("unread_line");
            if (const std::int64_t line = c.UnreadLine(change))
                json.Number(line);
            else
                json.Null();
        }
        json.End();
    }
    json.End()
        .Member("matched_by_index", static_cast<std::int64_t>(c.diff.matchedByIndex))
        .Member("matched_by_position", static_cast<std::int64_t>(c.diff.matchedByPosition))
        .Member("changed", static_cast<std::int64_t>(c.diff.Changed()))
        .Member("added", static_cast<std::int64_t>(c.diff.Added()))
        .Member("removed", static_cast<std::int64_t>(c.diff.Removed()))
        .Member("exit_code", std::int64_t{c.exitCode})
        .End();
    out << '\n';
}

} // namespace

int RunDiffCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    ParsedOptions parsed;
    DataFiles lists;
    std::vector<std::string> monsterFiles;
    try {
        parsed = kTool.Parse(arguments);
        if (kTool.AnsweredHelpOrVersion(parsed, out))
            return kExitDone;
        std::vector<std::string> listPaths;
        for (const std::string& operand : parsed.operands)
            (ListNamedBy(operand) ? listPaths : monsterFiles).push_back(operand);
        if (monsterFiles.size() != 2)
            throw UsageProblem("name two monster files, OLD and NEW (" + std::to_string(monsterFiles.size())
                               + " named)");
        lists = NamedDataFiles(listPaths);
        ChooseLists(lists, parsed.Optional("lists"), monsterFiles);
    } catch (const UsageProblem& problem) {
        return kTool.UsageError(err, problem.what());
    }

    // The lists once, then each monster file on its own: a list that would
    // end the viewer's start-up costs names, not the comparison.
    const ViewerRead listsRead = ReadAsTheViewer(lists);
    const MonsterFile before = ReadMonsterFile(monsterFiles[0]);
    const MonsterFile after = ReadMonsterFile(monsterFiles[1]);
    int exitCode = kExitDone;
    for (const Report* report : {&listsRead.report, &before.read.report, &after.read.report}) {
        for (const Finding& finding : report->Findings()) {
            if (finding.kind == FindingKind::Unreadable || finding.kind == FindingKind::OutOfMemory)
                err << FindingLine(finding) << '\n';
        }
        if (report->ExitCode() == kExitTrouble)
            exitCode = kExitTrouble;
    }
    if (exitCode == kExitTrouble)
        return exitCode;
    // A list not found costs the output its names.
    const std::vector<Finding> listFindings = listsRead.report.Findings();
    const bool listMissing = std::any_of(listFindings.begin(), listFindings.end(),
                                         [](const Finding& f) { return f.kind == FindingKind::Unreadable; });

    RecordDiff diff = CompareRecords(before.read.records, after.read.records);
    exitCode = diff.changes.empty() && !listMissing ? kExitDone : kExitFinding;
    Comparison comparison{before, after, listsRead.report, std::move(diff), {}, {}, exitCode};
    comparison.removedUnread = UnreadIn(after, comparison.diff, true);
    comparison.addedUnread = UnreadIn(before, comparison.diff, false);
    if (ChosenFormat(parsed, "text") == "json")
        WriteJson(comparison, out);
    else
        WriteText(comparison, out);
    return exitCode;
}

} // namespace zuninfo
