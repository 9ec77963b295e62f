#pragma once

#include "checking/CheckFiles.h"
#include "checking/Report.h"
#include "data/MonsterInfo.h"
#include "data/NameLists.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zuninfo {

// A record as the viewer shows it: its slot in the store, the line of the
// monster file it starts on, and its fields.
struct ShownRecord {
    std::int32_t slot = 0;
    std::int64_t line = 0;
    MonsterRecord record;
};

// What the viewer's loaders make of the files: the checker's findings, and
// the records the viewer would show. None when a list's id would end its
// start-up or the monster file cannot be read.
struct ViewerRead {
    Report report;
    std::vector<ShownRecord> records;
    // The viewer starts: no list's id ends its start-up.
    bool startsUp = true;
    // The viewer reads the monster file only in part (ReadsInPart).
    bool readInPart = false;
    // Which lists the name tables hold names of (by NameList).
    std::array<bool, kNameLists.size()> listsRead{};
};

// Whether a finding about the monster file means that the viewer reads it
// other than it stands: it stops before the end, leaves record lines unread
// or skips bytes. Every error about the file but its not being read at all.
bool ReadsInPart(const Finding& finding, const DataFiles& files);

// Whether a finding ends the viewer's start-up, so that it shows no record.
bool EndsStartUp(const Finding& finding);

// Whether a finding keeps the monster file from being written again: the
// viewer would not start, or reads it only in part, or it (or a file before
// it) cannot be read.
bool KeepsFromWriting(const Finding& finding, const DataFiles& files);

// Reads the files as zuninfo-check does (see CheckDataFiles). The name
// tables keep what the lists gave, for ShownName.
// `store`: where the records go; by default the viewer's.
ViewerRead ReadAsTheViewer(const DataFiles& files, Listing listing = Listing::AFew, OwnMonsterStore* store = nullptr);

// The name an id field shows, as UTF-8 text, decoded as the viewer decodes
// its list's names.
std::string ShownName(NameList list, std::int32_t id);

// A field's value as the tools write it in text: a number, or for an id its
// name and the id, "Orc Chief (4)".
std::string ShownValue(int field, std::int32_t value);

} // namespace zuninfo
