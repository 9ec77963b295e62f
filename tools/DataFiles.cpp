#include "tools/DataFiles.h"

#include "data/FileFinding.h"
#include "data/MonsterInfo.h"
#include "platform/Ascii.h"
#include "platform/Exception.h"
#include "platform/FileAccess.h"
#include "platform/NoWindow.h"
#include "tools/CommandLine.h"
#include "tools/MonsterFileCheck.h"
#include "tools/NameListCheck.h"

#include <filesystem>
#include <map>
#include <new>
#include <stdexcept>

namespace zuninfo {

namespace {

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

} // namespace

std::vector<std::string> DataFilePaths(const DataFiles& files)
{
    std::vector<std::string> paths;
    for (const std::optional<std::string>& list : files.lists) {
        if (list)
            paths.push_back(*list);
    }
    if (files.monsterInfo)
        paths.push_back(*files.monsterInfo);
    return paths;
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
            throw UsageProblem("'" + **slot + "' and '" + path + "' are the same kind of file; name one");
        *slot = path;
    }
    return files;
}

void ChooseLists(DataFiles& files, const std::optional<std::string>& listsFolder,
                 std::span<const std::string> monsterFiles)
{
    if (listsFolder)
        RequireListsFolder(*listsFolder);
    for (const std::optional<std::string>& list : files.lists) {
        if (list && listsFolder)
            throw UsageProblem("'" + *list + "' is a name list and --lists names their folder: give one or the other");
        if (list)
            return;
    }
    for (const NameList list : kNameLists) {
        files.lists[static_cast<std::size_t>(list)] = NameListPath(list, listsFolder, monsterFiles);
        files.listFound[static_cast<std::size_t>(list)] = true;
    }
}

DataFiles ViewerDataFiles()
{
    return ToolDataFiles({}, std::nullopt);
}

DataFiles ToolDataFiles(const std::vector<std::string>& named, const std::optional<std::string>& listsFolder)
{
    DataFiles files = NamedDataFiles(named);
    std::vector<std::string> monsterFiles;
    if (files.monsterInfo)
        monsterFiles.push_back(*files.monsterInfo);
    ChooseLists(files, listsFolder, monsterFiles);
    if (named.empty()) {
        files.monsterInfo = FixedMonsterFilePath();
        files.monsterFound = true;
    }
    return files;
}

namespace {

// The check of each file in turn; `checking` follows the file being checked.
void CheckEachFile(const DataFiles& files, const CheckOptions& options, Report& report, const std::string*& checking)
{
    NamedFiles access(files);
    NoWindow window;
    std::array<bool, kNameLists.size()> listsRead{};
    for (const NameList list : kNameLists) {
        const std::optional<std::string>& path = files.lists[static_cast<std::size_t>(list)];
        listsRead[static_cast<std::size_t>(list)] = files.listHeld[static_cast<std::size_t>(list)];
        if (!path || files.listHeld[static_cast<std::size_t>(list)])
            continue;
        const bool found = files.listFound[static_cast<std::size_t>(list)];
        checking = &*path;
        report.BeginFile(*path, !found);
        NameListCheck check(report, list, options.columns, options.wholeNames);
        bool opened = true;
        try {
            opened = LoadNameList(list, window, access, {}, &check);
        } catch (const Exception&) {
            // The id that ends the load has been told to the check; the
            // names before it stay in the table.
            check.Finish();
            if (found)
                break;
        }
        check.Finish();
        if (!opened) {
            check.NotOpened(access.LastFailure(), found);
            if (found)
                break;
        }
        listsRead[static_cast<std::size_t>(list)] = opened;
    }

    if (files.monsterInfo) {
        checking = &*files.monsterInfo;
        report.BeginFile(*files.monsterInfo, !files.monsterFound);
        MonsterFileCheck check(report, listsRead, options.columns, options.recordLines);
        if (LoadMonsterInfo(window, access, &check))
            check.Finish();
        else
            check.NotOpened(access.LastFailure(), files.monsterFound);
    }
}

} // namespace

Report CheckDataFiles(const DataFiles& files, const CheckOptions& options)
{
    Report report(options.listing);
    const std::string* checking = nullptr;
    for (const auto& path : files.lists) {
        if (path && checking == nullptr)
            checking = &*path;
    }
    if (checking == nullptr && files.monsterInfo)
        checking = &*files.monsterInfo;
    try {
        CheckEachFile(files, options, report, checking);
    } catch (const std::bad_alloc&) {
        // What the check took is given back by now; telling it takes little.
        if (checking != nullptr)
            report.AddOutOfMemory(*checking);
    }
    return report;
}

} // namespace zuninfo
