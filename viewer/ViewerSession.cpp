#include "viewer/ViewerSession.h"

#include "data/FileFinding.h"
#include "save/FileBytes.h"
#include "viewer/RecordBrowser.h"

#include <utility>

namespace zuninfo {

ViewerSession::ViewerSession(ViewerOptions options, std::string program)
    : files_(std::move(options)), program_(std::move(program))
{
}

bool ViewerSession::Load(WindowOps& window)
{
    if (LoadAndShow(window, files_)) {
        loaded_ = true;
        monsterFile_ = Options().monsterFile ? *Options().monsterFile : FixedMonsterFilePath();
        loadedBytes_ = FileBytes(monsterFile_);
    }
    return loaded_;
}

OpenOutcome ViewerSession::Open(WindowOps& window, const std::vector<std::string>& paths, ProcessStarter& starter)
{
    if (paths.empty())
        return OpenOutcome::Refused;
    if (paths.size() > 1) {
        window.ShowMessage("Only one monster file can be opened at a time: drop a single file.");
        return OpenOutcome::Refused;
    }
    const std::string path = AbsolutePath(paths.front());
    if (IsFolder(path)) {
        window.ShowMessage("'" + path + "' is a folder: drop a monster file.");
        return OpenOutcome::Refused;
    }

    if (!loaded_) {
        // Only this Load reads the dropped file; a later one reads the
        // chosen file again.
        ViewerOptions options = Options();
        options.monsterFile = path;
        ViewerFiles dropped(std::move(options));
        if (!LoadAndShow(window, dropped))
            return OpenOutcome::NotFound;
        loaded_ = true;
        monsterFile_ = path;
        loadedBytes_ = FileBytes(monsterFile_);
        return OpenOutcome::Loaded;
    }

    std::FILE* file = OpenNamedFile(path);
    if (file == nullptr) {
        window.ShowMessage("File not found");
        return OpenOutcome::NotFound;
    }
    files_.Close(file);
    if (!starter.Start(SecondViewerCommand(program_, Options(), path))) {
        window.ShowMessage("A second viewer could not be started for '" + path + "'.");
        return OpenOutcome::NotStarted;
    }
    return OpenOutcome::Started;
}

std::vector<std::string> ViewerSession::NameListFiles() const
{
    std::span<const std::string> monsterFiles;
    if (Options().monsterFile)
        monsterFiles = {&*Options().monsterFile, 1};
    std::vector<std::string> paths;
    for (const NameList list : kNameLists)
        paths.push_back(NameListPath(list, Options().listsFolder, monsterFiles));
    return paths;
}

} // namespace zuninfo
