#pragma once

#include "data/MonsterInfo.h"
#include "data/NameLists.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Writing a monster file: the one way the viewer's table window and
// zuninfo-import write one. The new bytes are the old file's with only what
// changed replaced; they are read back with the viewer's own loader into a
// store of their own and checked before anything is replaced; the old file
// is kept as a backup; the new file takes its name by a rename.

namespace zuninfo {

// A file's bytes as they were when read, to tell later whether it changed.
struct FileFingerprint {
    std::uintmax_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const FileFingerprint&) const = default;
};

// The fingerprint of the file at `path` as it stands now; none when it
// cannot be read.
std::optional<FileFingerprint> FingerprintOf(const std::string& path);

// One record of the file to write: the slot of the file as loaded that it
// comes from (none: a record added), and its fields.
struct WantedRecord {
    std::optional<std::size_t> origin;
    MonsterRecord record;
};

// Whether the viewer reads the file whole, so that it may be edited: none
// when it does; else why not, in the checker's words, with the place
// ("zuninfo.qdf:5:38: error: Pow (field 17): '12x' is not ...").
std::optional<std::string> WhyNotEditable(const std::string& monsterFile);

struct SaveRequest {
    std::string source;             // the monster file loaded, its path as opened
    FileFingerprint loaded;         // its bytes when loaded
    std::string target;             // where to write: `source`, or another file
    std::vector<WantedRecord> records; // in store order
    // Which name lists the name tables hold (by NameList): the read-back
    // looks names up in them as the viewer would.
    std::array<bool, kNameLists.size()> listsRead{};
    // Where to keep the old target first (the first save of a session);
    // none: keep none.
    std::optional<std::string> backup;
    bool overwriteChanged = false; // write even though `source` changed since it was loaded
    bool replaceBackup = false;    // an existing backup with other bytes may be replaced
};

enum class SaveStatus {
    Saved,         // written, read back and renamed into place
    SourceChanged, // `source` changed on disk since it was loaded: ask, then set overwriteChanged
    BackupTaken,   // the backup's name holds other bytes: ask, then set replaceBackup
    Refused,       // the read-back or the checker found the new bytes other than asked; nothing written
    Failed,        // the system refused (disk full, read-only folder, file locked); the old file as it was
};

struct SaveOutcome {
    SaveStatus status = SaveStatus::Failed;
    std::string message; // what to tell the user, whole
};

SaveOutcome SaveMonsterFile(const SaveRequest& request);

} // namespace zuninfo
