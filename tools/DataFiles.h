#pragma once

#include "checking/CheckFiles.h"
#include "data/FileFinding.h"
#include "data/NameLists.h"

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

// Throws UsageProblem when `output`, a path the user named for a tool to
// write, names one of the `inputs`: the same file by whatever path or link.
void RequireNoInput(const std::string& output, const std::vector<std::string>& inputs);

} // namespace zuninfo
