#pragma once

#include "platform/WindowOps.h"
#include "viewer/CommandLine.h"
#include "viewer/ViewerFiles.h"

#include <optional>
#include <string>
#include <vector>

namespace zuninfo {

// Starts a program as a process of its own, which is left to run.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // False when the process could not be started.
    virtual bool Start(const ProcessCommand& command) = 0;
};

// What became of files dropped on the window.
enum class OpenOutcome {
    Refused,    // several files, a folder, or none: a message said why
    NotFound,   // "File not found"
    Loaded,     // read as Load reads its file
    Started,    // opened in a second viewer
    NotStarted, // the second viewer could not be started: a message said so
};

// One run of the viewer: the files it reads, whether Load has read the
// monster file, and what it does with a file dropped on its window.
class ViewerSession {
public:
    // `program`: this program's executable, from which a second viewer is
    // started.
    explicit ViewerSession(ViewerOptions options = {}, std::string program = {});

    FileAccess& Files() { return files_; }
    const ViewerOptions& Options() const { return files_.Options(); }
    // Whether Load has read a monster file; Load is disabled from then on.
    bool Loaded() const { return loaded_; }
    // The monster file Load read, its path as opened (a file dropped, the
    // one named, or the fixed path mapped); empty before Load.
    const std::string& MonsterFile() const { return monsterFile_; }
    // The monster file's bytes as Load read them (read once more right
    // after), for a save to change; none before Load, or for a file too
    // large to keep.
    const std::optional<std::string>& LoadedBytes() const { return loadedBytes_; }
    // Where the name lists are read from, in the lists' order.
    std::vector<std::string> NameListFiles() const;

    // Load: reads the chosen monster file and shows the current record.
    // True when the file was read.
    bool Load(WindowOps& window);

    // Files dropped on the window, or chosen with "Open monster file...". One
    // file: before Load it is loaded as Load loads its own, and counts as
    // that Load; after Load it is opened in a second viewer
    // (SecondViewerCommand) when it can be read. Several files, or a folder,
    // are refused with a message.
    OpenOutcome Open(WindowOps& window, const std::vector<std::string>& paths, ProcessStarter& starter);

private:
    ViewerFiles files_;
    std::string program_;
    bool loaded_ = false;
    std::string monsterFile_;
    std::optional<std::string> loadedBytes_;
};

} // namespace zuninfo
