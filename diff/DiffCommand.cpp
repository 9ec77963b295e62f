#include "diff/DiffCommand.h"

#include "data/MonsterFields.h"
#include "diff/RecordDiff.h"
#include "diff/UnreadRecords.h"
#include "tools/CommandLine.h"
#include "tools/FindingText.h"
#include "tools/JsonText.h"
#include "tools/ViewerRead.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

namespace zuninfo {

namespace {

constexpr std::string_view kTool = "zuninfo-diff";

constexpr const char* kHelp = R"(Usage: zuninfo-diff [--json] [LIST...] OLD NEW

Compares two monster files as ZunInfo Viewer reads them, record by record,
and says which records the new file adds, removes or changes, naming each
changed field by its caption, with the names of skin, attack and skill ids
beside the numbers.

Records are matched by their Index where it stands at most once in each
file, and otherwise by their place in the viewer's store; the output says
which. A file the viewer reads only in part is flagged first, in the words
of zuninfo-check, and a record it loses that way is said to be unread.

The names come from the LISTs named (mons.txt, skills.txt, attacks.txt, by
their names); with none named, from mons.txt, skills.txt and attacks.txt in
the current folder, as the viewer reads them. OLD, NEW and the LISTs named
are read at their paths as they stand.

Options:
  --json      the same as one JSON object
  -h, --help  this text
  --version   the version
  --          the arguments after it are files, also when they begin with '-'

Exit status: 0 when the records are the same, 1 when they differ, 2 for
trouble (a usage error, or a file that cannot be read). Nothing is written
to any file.
)";

constexpr std::array<Option, 3> kOptions{{
    {"json", 0, false},
    {"help", 'h', false},
    {"version", 0, false},
}};

struct MonsterFile {
    std::string path;
    ViewerRead read;
    bool readInPart = false; // the viewer loses record lines of it
};

MonsterFile ReadMonsterFile(const std::string& path)
{
    DataFiles files;
    files.monsterInfo = path;
    MonsterFile file{path, ReadAsTheViewer(files)};
    for (const Finding& finding : file.read.report.Findings()) {
        file.readInPart = file.readInPart || finding.kind == FindingKind::BadToken
                          || finding.kind == FindingKind::StoreFull || finding.kind == FindingKind::TrailingText;
    }
    return file;
}

// The records of `lacking` that `other` has and that lie, in the file the
// viewer reads only in part, on lines it leaves unread: by Index, the line.
std::map<std::int32_t, std::int64_t> UnreadIn(const MonsterFile& lacking, const RecordDiff& diff, bool removed)
{
    if (!lacking.readInPart)
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

std::string IdText(NameList list, std::int32_t id)
{
    const std::string name = ShownName(list, id);
    return (name.empty() ? "" : name + " ") + "(" + std::to_string(id) + ")";
}

std::string ValueText(int field, std::int32_t value)
{
    const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(field)].names;
    return list ? IdText(*list, value) : std::to_string(value);
}

std::string ValueJson(int field, std::int32_t value)
{
    const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(field)].names;
    return list ? "{\"id\": " + std::to_string(value) + ", \"name\": " + JsonString(ShownName(*list, value)) + "}"
                : std::to_string(value);
}

// "Index 12 (Goblin)", or for a record matched by its place, "Record 5,
// Index 7 (Imp)".
std::string RecordLabel(const RecordChange& change)
{
    const ShownRecord& record = change.after != nullptr ? *change.after : *change.before;
    const std::string skin = ShownName(NameList::Skins, record.record.Fields[1]);
    std::string label = change.matchedBy == MatchedBy::Position ? "Record " + std::to_string(record.slot) + ", " : "";
    label += "Index " + std::to_string(record.record.Fields[0]);
    return skin.empty() ? label : label + " (" + skin + ")";
}

struct Comparison {
    const MonsterFile& before;
    const MonsterFile& after;
    const Report& lists;
    RecordDiff diff;
    std::map<std::int32_t, std::int64_t> removedUnread; // in `after`, by Index
    std::map<std::int32_t, std::int64_t> addedUnread;   // in `before`, by Index

    std::size_t Count(bool added, bool removed) const
    {
        return static_cast<std::size_t>(std::count_if(diff.changes.begin(), diff.changes.end(), [&](const RecordChange& c) {
            return (c.before == nullptr) == added && (c.after == nullptr) == removed;
        }));
    }
    // Where the record a change lacks lies unread in the other file; 0: nowhere.
    std::int64_t UnreadLine(const RecordChange& change) const
    {
        const auto& unread = change.after == nullptr ? removedUnread : addedUnread;
        const ShownRecord& only = change.after == nullptr ? *change.before : *change.after;
        const auto found = unread.find(only.record.Fields[0]);
        return found == unread.end() ? 0 : found->second;
    }
    std::vector<Finding> Flags() const
    {
        std::vector<Finding> flags;
        for (const Report* report : {&lists, &before.read.report, &after.read.report}) {
            for (const Finding& finding : report->Findings()) {
                if (InfoOf(finding.kind).severity == Severity::Error)
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
        out << RecordLabel(change) << ", ";
        if (change.before != nullptr && change.after != nullptr) {
            out << "line " << change.before->line << " -> line " << change.after->line
                << (change.matchedBy == MatchedBy::Position ? ", matched by position" : "") << ": ";
            for (std::size_t i = 0; i < change.fields.size(); ++i) {
                const int field = change.fields[i];
                out << (i ? "; " : "") << kMonsterFields[static_cast<std::size_t>(field)].caption << ' '
                    << ValueText(field, change.before->record.Fields[static_cast<std::size_t>(field)]) << " -> "
                    << ValueText(field, change.after->record.Fields[static_cast<std::size_t>(field)]);
            }
        } else {
            const bool removed = change.after == nullptr;
            const MonsterFile& other = removed ? c.after : c.before;
            out << (removed ? "old line " : "new line ") << (removed ? change.before : change.after)->line << ": "
                << (removed ? "removed" : "added");
            if (const std::int64_t line = c.UnreadLine(change))
                out << ", but only because the viewer does not read line " << line << " of " << other.path
                    << ", where the record stands";
        }
        out << '\n';
    }
    out << kTool << ": " << c.before.read.records.size() << " records in " << c.before.path << ", "
        << c.after.read.records.size() << " in " << c.after.path << "; " << c.diff.matchedByIndex
        << " matched by Index, " << c.diff.matchedByPosition << " by position; ";
    if (c.diff.changes.empty())
        out << "the records are the same\n";
    else
        out << c.Count(false, false) << " changed, " << c.Count(true, false) << " added, " << c.Count(false, true)
            << " removed\n";
}

std::string PlaceJson(const ShownRecord* record)
{
    return "{\"record\": " + std::to_string(record->slot) + ", \"line\": " + std::to_string(record->line) + "}";
}

void WriteJson(const Comparison& c, std::ostream& out)
{
    const auto fileJson = [](const MonsterFile& file) {
        return "{\"file\": " + JsonString(file.path) + ", \"records\": " + std::to_string(file.read.records.size())
               + ", \"read_in_part\": " + (file.readInPart ? "true" : "false") + "}";
    };
    out << "{\n  \"old\": " << fileJson(c.before) << ",\n  \"new\": " << fileJson(c.after) << ",\n  \"findings\": [";
    const char* separator = "\n    ";
    for (const Finding& flag : c.Flags()) {
        out << separator << FindingJson(flag);
        separator = ",\n    ";
    }
    out << (*separator == ',' ? "\n  " : "") << "],\n  \"changes\": [";
    separator = "\n    ";
    for (const RecordChange& change : c.diff.changes) {
        const bool added = change.before == nullptr, removed = change.after == nullptr;
        out << separator << "{\"change\": \"" << (added ? "added" : removed ? "removed" : "changed")
            << "\", \"matched_by\": \"" << (change.matchedBy == MatchedBy::Index ? "index" : "position")
            << "\", \"index\": " << (added ? change.after : change.before)->record.Fields[0];
        if (!added)
            out << ", \"old\": " << PlaceJson(change.before);
        if (!removed)
            out << ", \"new\": " << PlaceJson(change.after);
        if (added || removed) {
            const std::int64_t line = c.UnreadLine(change);
            out << ", \"unread_line\": " << (line == 0 ? "null" : std::to_string(line));
        } else {
            out << ", \"fields\": [";
            for (std::size_t i = 0; i < change.fields.size(); ++i) {
                const int field = change.fields[i];
                const auto slot = static_cast<std::size_t>(field);
                out << (i ? ", " : "") << "{\"field\": " << JsonString(kMonsterFields[slot].caption)
                    << ", \"old\": " << ValueJson(field, change.before->record.Fields[slot])
                    << ", \"new\": " << ValueJson(field, change.after->record.Fields[slot]) << "}";
            }
            out << "]";
        }
        out << "}";
        separator = ",\n    ";
    }
    out << (*separator == ',' ? "\n  " : "") << "],\n  \"matched_by_index\": " << c.diff.matchedByIndex
        << ",\n  \"matched_by_position\": " << c.diff.matchedByPosition << ",\n  \"changed\": " << c.Count(false, false)
        << ",\n  \"added\": " << c.Count(true, false) << ",\n  \"removed\": " << c.Count(false, true)
        << ",\n  \"exit_code\": " << (c.diff.changes.empty() ? 0 : 1) << "\n}\n";
}

} // namespace

int RunDiffCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    Arguments parsed;
    DataFiles lists;
    std::vector<std::string> monsterFiles;
    try {
        parsed = ParseArguments(arguments, kOptions);
        if (AnswerHelpOrVersion(parsed, kTool, kHelp, out))
            return 0;
        std::vector<std::string> listPaths;
        for (const std::string& operand : parsed.operands)
            (ListNamedBy(operand) ? listPaths : monsterFiles).push_back(operand);
        if (monsterFiles.size() != 2)
            throw std::invalid_argument("name two monster files, OLD and NEW (" + std::to_string(monsterFiles.size())
                                        + " named)");
        lists = listPaths.empty() ? ViewerDataFiles() : NamedDataFiles(listPaths);
        lists.monsterInfo.reset();
    } catch (const std::invalid_argument& error) {
        return UsageError(err, kTool, error.what());
    }

    // The lists once, then each monster file on its own: a list that would
    // end the viewer's start-up costs names, not the comparison.
    const ViewerRead listsRead = ReadAsTheViewer(lists);
    const bool listsNamed = !lists.viewersOwn;
    const MonsterFile before = ReadMonsterFile(monsterFiles[0]);
    const MonsterFile after = ReadMonsterFile(monsterFiles[1]);
    bool trouble = false;
    for (const Report* report : {listsNamed ? &listsRead.report : nullptr, &before.read.report, &after.read.report}) {
        if (report == nullptr)
            continue;
        for (const Finding& finding : report->Findings()) {
            if (finding.kind == FindingKind::Unreadable || finding.kind == FindingKind::OutOfMemory) {
                err << FindingLine(finding) << '\n';
                trouble = true;
            }
        }
    }
    if (trouble)
        return 2;

    Comparison comparison{before, after, listsRead.report, CompareRecords(before.read.records, after.read.records), {}, {}};
    comparison.removedUnread = UnreadIn(after, comparison.diff, true);
    comparison.addedUnread = UnreadIn(before, comparison.diff, false);
    if (parsed.Has("json"))
        WriteJson(comparison, out);
    else
        WriteText(comparison, out);
    return comparison.diff.changes.empty() ? 0 : 1;
}

} // namespace zuninfo
