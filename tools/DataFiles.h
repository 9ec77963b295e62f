#pragma once

#include "data/FileFinding.h"
#include "data/NameLists.h"
#include "tools/Report.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zuninfo {

// How a tool that takes FILEs finds the files it reads, for its --help.
inline constexpr const char* kDataFilesHelp = R"(The name lists mons.txt, skills.txt and attacks.txt are found as the viewer
finds them: in the --lists FOLDER when it is given; else in the current
folder, and a list missing there beside the monster file named. The monster
file is the FILE named, else C:\projects\bin\Data\Zun\zuninfo.qdf (elsewhere
than on Windows, drive C: is ~/.wine/drive_c and each backslash a '/').
Where no file or folder has exactly the name the viewer looks for, one whose
name differs only in ASCII case is read.

A FILE named mons.txt, skills.txt or attacks.txt (ASCII case ignored) is
that list: where lists are named, those are read and no others. Each FILE is
read at its path as it stands: no drive mapped, no backslash turned into
'/', no other case tried.
)";

// The files one run reads, each by its path on this system, which is
// opened as it stands and shown in the report.
struct DataFiles {
    std::array<std::optional<std::string>, kNameLists.size()> lists; // by NameList
    std::optional<std::string> monsterInfo;
    // Which of them the viewer's rule found, where the user named none: a
    // list found so that is missing or ends start-up ends the lists, as it
    // does in the viewer, and a file found so that cannot be read is told
    // with what the viewer then does. A file named that cannot be read is
    // trouble.
    std::array<bool, kNameLists.size()> listFound{};
    bool monsterFound = false;
    // The lists whose names the name tables hold already, read earlier in
    // the run: taken as read, and not read again.
    std::array<bool, kNameLists.size()> listHeld{};
};

// The paths of the files, the lists first.
std::vector<std::string> DataFilePaths(const DataFiles& files);

// The list a file is by its name: mons.txt, skills.txt or attacks.txt, ASCII
// case ignored; nothing for another name.
std::optional<NameList> ListNamedBy(const std::string& path);

// The files named, each path as it stands: mons.txt, skills.txt and
// attacks.txt known by their names (ASCII case ignored), any other file as
// the monster info file. Throws UsageProblem when two paths name the same
// kind of file.
DataFiles NamedDataFiles(const std::vector<std::string>& paths);

// What the viewer reads, found as the viewer finds it: the three lists in the
// current folder and the monster info file at its fixed path, mapped onto
// this platform, each name's ASCII case matched where needed.
DataFiles ViewerDataFiles();

// The name lists a run reads: where it names none, the three found as the
// viewer finds them (NameListPath), in `listsFolder` or else in the current
// folder or beside the first of `monsterFiles` that has them. Throws
// UsageProblem when `listsFolder` is no folder, or is given where lists are
// named.
void ChooseLists(DataFiles& files, const std::optional<std::string>& listsFolder,
                 std::span<const std::string> monsterFiles);

// The files a tool reads, given the FILEs named on its command line and its
// --lists folder: the lists named, each at its path as it stands, or, where
// none is named, the three found as the viewer finds them; the monster file
// named, or, where no FILE is named, the one at the viewer's fixed path.
// Throws UsageProblem as NamedDataFiles and ChooseLists do.
DataFiles ToolDataFiles(const std::vector<std::string>& named, const std::optional<std::string>& listsFolder);

// How CheckDataFiles reads.
struct CheckOptions {
    ColumnUnit columns = ColumnUnit::Bytes; // how findings count columns
    // When given, receives the line of each record stored.
    std::vector<std::int64_t>* recordLines = nullptr;
    Listing listing = Listing::AFew;
    // The names kept whole in the name tables, as the viewer keeps them, for
    // showing them; a check alone keeps the start of each, enough to say
    // which it is, so that a name of any length costs it no memory.
    bool wholeNames = false;
};

// Reads the files through the viewer's own loaders, the lists first, and
// reports what the viewer would lose, stop at, or show oddly. Reads only.
// Memory running out ends the check with a finding of its own; a file named
// that cannot be read, and memory running out, make its exit code 2.
Report CheckDataFiles(const DataFiles& files, const CheckOptions& options = {});

} // namespace zuninfo
