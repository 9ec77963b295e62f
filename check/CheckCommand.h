#pragma once

#include "check/Report.h"
#include "data/NameLists.h"

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zuninfo {

// The files one run checks, each by the path it is shown by.
struct DataFiles {
    std::array<std::optional<std::string>, kNameLists.size()> lists; // by NameList
    std::optional<std::string> monsterInfo;
    // A list that is missing or ends start-up ends the lists, as it does in
    // the viewer.
    bool stopListsAsTheViewer = false;
};

// What the viewer reads: the three lists in the current folder and the
// monster info file at its fixed path, mapped onto this platform.
DataFiles ViewerDataFiles();

// The files named: mons.txt, skills.txt and attacks.txt by their names (ASCII
// case ignored), any other file as the monster info file. Throws
// std::invalid_argument when two paths name the same kind of file.
DataFiles NamedDataFiles(const std::vector<std::string>& paths);

// Reads the files through the viewer's own loaders, the lists first, and
// reports what the viewer would lose, stop at, or show oddly. Reads only.
// `recordLines`, when given, receives the line of each record stored.
Report CheckDataFiles(const DataFiles& files, std::vector<std::int64_t>* recordLines = nullptr);

// The command line: the arguments after the program's name; writes the
// report to `out` and usage errors to `err`; gives the exit code.
int RunCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace zuninfo
