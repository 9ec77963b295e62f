#pragma once

#include "checking/ViewerRead.h"
#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "save/MonsterLayout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
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

// The fingerprint of these bytes.
FileFingerprint FingerprintOfBytes(std::string_view bytes);

// One record of the file to write: the slot of the file as loaded that it
// comes from (none: a record added), and its fields.
struct WantedRecord {
    std::optional<std::size_t> origin;
    MonsterRecord record;
};

// The monster file as an editor starts from it: whether the viewer reads it
// whole, so that it may be edited (whyNot: none when it does; else why not,
// in the checker's words, with the place: "zuninfo.qdf:5:38: error: Pow
// (field 17): '12x' is not ..."), the line each record starts on, and which
// name lists the name tables hold (by NameList).
struct EditableRead {
    std::optional<std::string> whyNot;
    std::vector<std::int64_t> lines;
    std::array<bool, kNameLists.size()> listsRead{};
};
EditableRead ReadForEditing(const std::string& monsterFile);

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
    // The file's bytes as loaded, which the changes are made to; empty: the
    // file as it stands, which must still be as loaded.
    std::string loadedBytes;
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
    // Saved: the line each record of the new file starts on, as read back.
    std::vector<std::int64_t> lines;
};

SaveOutcome SaveMonsterFile(const SaveRequest& request);

// The steps of a save, for zuninfo-import, which names its faults by the
// rows of an edited export.

class OutputFile;

// A monster file about to be written again: its files, what the viewer made
// of them (every finding about a record's fields listed), its records in a
// store of their own, and where their bytes stand.
struct MonsterSource {
    DataFiles files;
    ViewerRead read;
    MonsterLayout layout;
};

// Reads the monster file of `files` (with the lists not held) as the
// viewer does, into a store of its own, and its layout. Throws
// std::runtime_error when it changed while it was read.
MonsterSource ReadSource(const DataFiles& files);

// Why new bytes are not written: the record (its slot in the new file) or
// the place in the new file the fault is at, and what is wrong.
class ReadBackRefusal : public std::runtime_error {
public:
    ReadBackRefusal(const std::string& problem, std::optional<std::size_t> slot, FilePlace place)
        : std::runtime_error(problem), slot(slot), place(place)
    {
    }
    std::optional<std::size_t> slot;
    FilePlace place;
};

// Writes the source's bytes with the changes that give `wanted` into
// `file`, reads them back with the viewer's loader into a store of its own,
// and checks that they give exactly the records asked for, field by field,
// and no finding that the source lacks. `shown` names the new file in
// messages, `doing` what writes it ("the import"). Gives the new file as
// read, with how many records changed, were added and removed; throws
// ReadBackRefusal, and std::runtime_error where the file cannot be
// written.
struct CheckedWrite {
    ViewerRead read;
    std::size_t changed = 0, added = 0, removed = 0;
};
CheckedWrite WriteAndReadBack(const MonsterSource& source, const std::vector<WantedRecord>& wanted, OutputFile& file,
                              const std::string& shown, const std::string& doing);

} // namespace zuninfo
