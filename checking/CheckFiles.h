#pragma once

#include "checking/Report.h"
#include "data/MonsterInfo.h"
#include "data/NameLists.h"

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
    // Where the monster file's records go; by default the viewer's store.
    OwnMonsterStore* store = nullptr;
    // When given, receives which lists the name tables hold once the
    // lists have been read as the viewer reads them (by NameList).
    std::array<bool, kNameLists.size()>* listsRead = nullptr;
};

// Reads the files through the viewer's own loaders, the lists first, and
// reports what the viewer would lose, stop at, or show oddly. Reads only.
// Memory running out ends the check with a finding of its own; a file named
// that cannot be read, and memory running out, make its exit code 2.
Report CheckDataFiles(const DataFiles& files, const CheckOptions& options = {});

} // namespace zuninfo
