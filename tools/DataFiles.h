#pragma once

#include "data/NameLists.h"
#include "tools/Report.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zuninfo {

// The files one run reads, each by its path on this system, which is
// opened as it stands and shown in the report.
struct DataFiles {
    std::array<std::optional<std::string>, kNameLists.size()> lists; // by NameList
    std::optional<std::string> monsterInfo;
    // The files the viewer finds itself: a list that is missing or ends
    // start-up ends the lists, as it does in the viewer, and a file that
    // cannot be read is told with what the viewer then does.
    bool viewersOwn = false;
};

// What the viewer reads, found as the viewer finds it: the three lists in the
// current folder and the monster info file at its fixed path, mapped onto
// this platform, each name's ASCII case matched where needed.
DataFiles ViewerDataFiles();

// The list a file is by its name: mons.txt, skills.txt or attacks.txt, ASCII
// case ignored; nothing for another name.
std::optional<NameList> ListNamedBy(const std::string& path);

// The files named, each path as it stands: mons.txt, skills.txt and
// attacks.txt known by their names (ASCII case ignored), any other file as
// the monster info file. Throws std::invalid_argument when two paths name the
// same kind of file.
DataFiles NamedDataFiles(const std::vector<std::string>& paths);

// Reads the files through the viewer's own loaders, the lists first, and
// reports what the viewer would lose, stop at, or show oddly. Reads only.
// Memory running out ends the check with a finding of its own. Columns are
// counted in `columns`. `recordLines`, when given, receives the line of each
// record stored.
Report CheckDataFiles(const DataFiles& files, ColumnUnit columns = ColumnUnit::Bytes,
                      std::vector<std::int64_t>* recordLines = nullptr);

} // namespace zuninfo
