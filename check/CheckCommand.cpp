#include "check/CheckCommand.h"

#include "check/CommandLine.h"
#include "check/MonsterFileCheck.h"
#include "check/NameListCheck.h"
#include "check/ReportWriters.h"
#include "data/MonsterInfo.h"
#include "platform/Ascii.h"
#include "platform/Exception.h"
#include "platform/FileAccess.h"
#include "platform/NoWindow.h"
#include "platform/PathMapping.h"

#include <filesystem>
#include <map>
#include <new>
#include <stdexcept>

namespace zuninfo {

namespace {

constexpr const char* kHelp = R"(Usage: zuninfo-check [OPTION...] [--] [FILE...]

Checks the data files of ZunInfo Viewer for what the viewer would silently
skip, stop at, or show empty, and says where, as compilers do.

With no FILE it checks what the viewer reads, found as the viewer finds it:
mons.txt, skills.txt and attacks.txt in the current folder, then the monster
file C:\projects\bin\Data\Zun\zuninfo.qdf (elsewhere than on Windows, drive
C: is ~/.wine/drive_c and each backslash a '/'). Where no file or folder of
exactly that name exists, one whose name differs only in ASCII case is read.

Otherwise it checks each FILE named, at its path as it stands: no drive
mapped, no backslash turned into '/', no other case tried. mons.txt,
skills.txt and attacks.txt are known by their names (ASCII case ignored);
any other file is a monster file.

Each finding is one line:
  FILE:LINE:COLUMN: error: MESSAGE    the viewer would lose data or stop
  FILE:LINE:COLUMN: warning: MESSAGE  the viewer reads it, but shows it empty
                                      or other than meant
  FILE: error: MESSAGE                about the file as a whole
Lines are counted by LF bytes, from 1. A few findings of each kind are
listed per file and the rest counted. A summary line ends the report.

Options:
  --format=FORMAT  the report as text (the default), json (one JSON object)
                   or sarif (a SARIF 2.1.0 log, for code-scanning tools)
  --json           the same as --format=json
  --columns=UNIT   how text and json count columns, from 1:
                     bytes    each byte one (the default; as Clang and Vim)
                     display  each UTF-8 character one, a tab on to the
                              next multiple of 8 (as GCC and Emacs)
                   sarif counts each UTF-8 character one, as SARIF's
                   columnKind "unicodeCodePoints" says.
  -h, --help       this text
  --version        the name and version of the program
  --               every argument after it is a FILE, even one that starts
                   with '-'

Exit status: 0 when nothing would be lost or stop the viewer (warnings at
most), 1 when something would, 2 for a usage error. Nothing is written to
any file.
)";

// Opens each of the loaders' fixed names at the path given for it, as it
// stands, and keeps why the last file that could not be opened could not.
class NamedFiles final : public FileAccess {
public:
    explicit NamedFiles(const DataFiles& files)
    {
        for (const NameList list : kNameLists) {
            if (const auto& path = files.lists[static_cast<std::size_t>(list)])
                paths_[NameListFileName(list)] = *path;
        }
        if (files.monsterInfo)
            paths_[MonsterInfoPath(0)] = *files.monsterInfo;
    }

    std::FILE* Open(const std::string& path) override
    {
        const auto named = paths_.find(path);
        if (named == paths_.end()) {
            failure_ = {};
            return nullptr;
        }
        return OpenNamedFile(named->second, &failure_);
    }
    void Close(std::FILE* file) override { std::fclose(file); }

    const OpenFailure& LastFailure() const { return failure_; }

private:
    std::map<std::string, std::string> paths_;
    OpenFailure failure_;
};

constexpr std::array<Option, 5> kOptions{{
    {"json", 0, false},
    {"format", 0, true},
    {"columns", 0, true},
    {"help", 'h', false},
    {"version", 0, false},
}};

} // namespace

DataFiles ViewerDataFiles()
{
    DataFiles files;
    for (const NameList list : kNameLists)
        files.lists[static_cast<std::size_t>(list)] = LocalDataPath(NameListFileName(list)).string();
    files.monsterInfo = LocalDataPath(MonsterInfoPath(0)).string();
    files.viewersOwn = true;
    return files;
}

std::optional<NameList> ListNamedBy(const std::string& path)
{
    const std::filesystem::path name = NamedPath(path).filename();
    for (const NameList list : kNameLists) {
        if (AsciiCaseEqual(name.native(), std::filesystem::path(NameListFileName(list)).native()))
            return list;
    }
    return std::nullopt;
}

DataFiles NamedDataFiles(const std::vector<std::string>& paths)
{
    DataFiles files;
    for (const std::string& path : paths) {
        const std::optional<NameList> list = ListNamedBy(path);
        std::optional<std::string>* slot = list ? &files.lists[static_cast<std::size_t>(*list)] : &files.monsterInfo;
        if (*slot)
            throw std::invalid_argument("'" + **slot + "' and '" + path + "' are the same kind of file; name one");
        *slot = path;
    }
    return files;
}

namespace {

// The check of each file in turn; `checking` follows the file being checked.
void CheckEachFile(const DataFiles& files, ColumnUnit columns, std::vector<std::int64_t>* recordLines, Report& report,
                   const std::string*& checking)
{
    NamedFiles access(files);
    NoWindow window;
    std::array<bool, kNameLists.size()> listsRead{};
    for (const NameList list : kNameLists) {
        const std::optional<std::string>& path = files.lists[static_cast<std::size_t>(list)];
        if (!path)
            continue;
        checking = &*path;
        report.BeginFile(*path);
        NameListCheck check(report, list, columns);
        bool opened = true;
        try {
            opened = LoadNameList(list, window, access, {}, &check);
        } catch (const Exception&) {
            // The id that ends the load has been told to the check; the
            // names before it stay in the table.
            if (files.viewersOwn)
                break;
        }
        if (!opened) {
            check.NotOpened(access.LastFailure(), files.viewersOwn);
            if (files.viewersOwn)
                break;
        }
        listsRead[static_cast<std::size_t>(list)] = opened;
    }

    if (files.monsterInfo) {
        checking = &*files.monsterInfo;
        report.BeginFile(*files.monsterInfo);
        MonsterFileCheck check(report, listsRead, columns, recordLines);
        if (LoadMonsterInfo(window, access, &check))
            check.Finish();
        else
            check.NotOpened(access.LastFailure(), files.viewersOwn);
    }
}

} // namespace

Report CheckDataFiles(const DataFiles& files, ColumnUnit columns, std::vector<std::int64_t>* recordLines)
{
    Report report;
    const std::string* checking = nullptr;
    for (const auto& path : files.lists) {
        if (path && checking == nullptr)
            checking = &*path;
    }
    if (checking == nullptr && files.monsterInfo)
        checking = &*files.monsterInfo;
    try {
        CheckEachFile(files, columns, recordLines, report, checking);
    } catch (const std::bad_alloc&) {
        // What the check took is given back by now; telling it takes little.
        if (checking != nullptr)
            report.AddOutOfMemory(*checking);
    }
    return report;
}

namespace {

enum class Format { Text, Json, Sarif };


} // namespace

int RunCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    constexpr std::string_view kTool = "zuninfo-check";
    Format format = Format::Text;
    std::optional<ColumnUnit> columns;
    DataFiles files;
    try {
        const Arguments parsed = ParseArguments(arguments, kOptions);
        if (AnswerHelpOrVersion(parsed, kTool, kHelp, out))
            return 0;
        if (parsed.Has("json"))
            format = Format::Json;
        if (const auto value = parsed.options.find("format"); value != parsed.options.end()) {
            if (value->second == "text")
                format = Format::Text;
            else if (value->second == "json")
                format = Format::Json;
            else if (value->second == "sarif")
                format = Format::Sarif;
            else
                throw std::invalid_argument("unknown format '" + value->second + "' (text, json or sarif)");
        }
        if (const auto unit = parsed.options.find("columns"); unit != parsed.options.end()) {
            if (unit->second == "bytes")
                columns = ColumnUnit::Bytes;
            else if (unit->second == "display")
                columns = ColumnUnit::Display;
            else
                throw std::invalid_argument("unknown column unit '" + unit->second + "' (bytes or display)");
        }
        if (format == Format::Sarif && columns)
            throw std::invalid_argument("--columns is for text and json: SARIF counts columns in characters");
        files = parsed.operands.empty() ? ViewerDataFiles() : NamedDataFiles(parsed.operands);
    } catch (const std::invalid_argument& error) {
        return UsageError(err, kTool, error.what());
    }

    const Report report
        = CheckDataFiles(files, format == Format::Sarif ? ColumnUnit::Characters : columns.value_or(ColumnUnit::Bytes));
    switch (format) {
    case Format::Text: WriteText(report, out); break;
    case Format::Json: WriteJson(report, out); break;
    case Format::Sarif: WriteSarif(report, out); break;
    }
    return report.ExitCode();
}

} // namespace zuninfo
