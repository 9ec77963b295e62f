#include "checking/CheckFiles.h"

#include "checking/MonsterFileCheck.h"
#include "checking/NameListCheck.h"
#include "data/MonsterInfo.h"
#include "platform/Exception.h"
#include "platform/FileAccess.h"
#include "platform/NoWindow.h"

#include <map>
#include <new>

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

    if (options.listsRead)
        *options.listsRead = listsRead;
    if (files.monsterInfo) {
        checking = &*files.monsterInfo;
        report.BeginFile(*files.monsterInfo, !files.monsterFound);
        MonsterFileCheck check(report, listsRead, options.columns, options.recordLines);
        const MonsterStore store = options.store ? options.store->Store() : ViewerStore();
        if (LoadMonsterInfo(window, access, &check, store))
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
