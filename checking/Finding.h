#pragma once

#include "data/LoadObserver.h"
#include "platform/FileAccess.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zuninfo {

// An error is something the viewer would lose (records, lines, bytes) or
// stop at; a warning is something it reads but shows empty or other than
// meant.
enum class Severity { Warning, Error };

// What a finding is about. Each kind has one row in kFindingKinds.
enum class FindingKind {
    Unreadable,
    BadToken,
    StoreFull,
    TrailingText,
    LfLineEnd,
    LoneCr,
    IdOutsideTable,
    IdWithoutName,
    IndexTwice,
    BadId,
    ListIdOutsideTable,
    IdSetTwice,
    EmptyName,
    NameRunsOn,
    OutOfMemory,
};

// Whether each row of a table keyed by an enum stands at its key's place, and
// there is one row for each key up to `last`.
template <typename Key, std::size_t N, typename Row>
constexpr bool KeyedInOrder(const std::array<Row, N>& rows, Key last)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (rows[i].key != static_cast<Key>(i))
            return false;
    }
    return N == static_cast<std::size_t>(last) + 1;
}

struct FindingKindInfo {
    FindingKind key;
    const char* name;        // the kind's id, as JSON and SARIF give it
    const char* description; // what the kind is about, in a few words (SARIF's rule)
    Severity severity;
    int listed;          // at most this many are listed per file; the rest are counted
    const char* message; // the message, as FormatMessage (Message.h) fills it
    const char* more;    // the line for the ones not listed; {0} is their count
};

// By FindingKind. Each message's arguments are listed after it.
// clang-format off
inline constexpr std::array<FindingKindInfo, 15> kFindingKinds{{
    {FindingKind::Unreadable, "unreadable", "A data file cannot be read", Severity::Error, 1,
     // why (kUnreadableReasons), what the viewer then does (kUnreadableEffects)
     "cannot be read: {0}{1}",
     "{0:# more file cannot|# more files cannot} be read"},
    {FindingKind::BadToken, "bad-token", "A field that is not a number ends the monster table", Severity::Error, 1,
     // caption, field, the token as shown, records read before it, record lines not shown from it on
     "{0} (field {1}): '{2}' is not a valid integer value; the viewer stops reading here, so it shows "
     "{3:\"Item 0 of -1\" with {1:zeros in every field|Index as read and zeros from {0} on|the fields before {0} as "
     "read and zeros from {0} on}, but|the # record before this line but|the # records before this line but} "
     "{4:not this record line|not the # record lines from this one on}",
     "{0:# more bad token|# more bad tokens}"},
    {FindingKind::StoreFull, "store-full", "A record line past the last the viewer holds is not read", Severity::Error, 1,
     // the store's slots, records read before it, record lines not shown from it on
     "record line past the {0}th, the most the viewer holds; the viewer stops reading here, so it shows "
     "{1:no record and|the # record before this line but|the # records before this line but} "
     "{2:not this record line|not the # record lines from this one on}",
     "{0:# more record line|# more record lines} past the store"},
    {FindingKind::TrailingText, "trailing-text", "A record line is read as the trailing text of the record before it", Severity::Error, 10,
     // the line of the record, how many record lines after this one it also takes in, the last of them
     "this record line is read as part of the trailing text of the record on line {0}, whose line ends with LF "
     "alone: the viewer skips on to the next CR and does not show this record line"
     "{1:| or the record line after it (line {2})| or the # record lines after it, up to line {2}}",
     "{0:# more run|# more runs} of record lines read as trailing text"},
    // Listed: the first in each part of a line it can stand in.
    {FindingKind::LfLineEnd, "lf-line-end", "A line ends with LF alone, not CR LF", Severity::Warning, 4,
     // what it does where it stands (kLfAloneEffects)
     "line ends with LF alone, not CR LF: {0}",
     "{0:# more line ends|# more lines end} with LF alone"},
    {FindingKind::LoneCr, "lone-cr", "A CR with no LF after it makes the viewer skip the next byte", Severity::Error, 10,
     // the skipped byte as shown
     "CR with no LF after it: the viewer skips the next byte ('{0}') unexamined, as if it were the LF, and reads "
     "on from the byte after it as a new line",
     "{0:# more CR has|# more CRs have} no LF after {0:it|them}"},
    {FindingKind::IdOutsideTable, "id-outside-table", "A skin, attack or skill id lies outside its name table", Severity::Warning, 10,
     // caption, field, id, the list's file, its largest id
     "{0} (field {1}): id {2} is outside {3}'s ids 0 to {4}; the viewer shows an empty {0}",
     "{0:# more id|# more ids} outside {0:its|their} table"},
    {FindingKind::IdWithoutName, "id-without-name", "A skin, attack or skill id has no name in its list", Severity::Warning, 10,
     // caption, field, id, the list's file
     "{0} (field {1}): id {2} has no name in {3}; the viewer shows an empty {0}",
     "{0:# more id has|# more ids have} no name"},
    {FindingKind::IndexTwice, "index-twice", "Two records use the same Index", Severity::Warning, 10,
     // Index, the line that first used it
     "Index {0} is used again (first on line {1}); the viewer shows both records",
     "{0:# more Index is|# more Indexes are} used again"},
    {FindingKind::BadId, "bad-id", "A name list id that is not a number stops the viewer at start-up", Severity::Error, 1,
     // the viewer's message
     "the id is not a number: the viewer stops at start-up with the message \"{0}\" and does not open its window",
     "{0:# more bad id|# more bad ids}"},
    {FindingKind::ListIdOutsideTable, "list-id-outside-table", "A name list id lies outside its table", Severity::Warning, 10,
     // id, the table's largest id, the name as shown
     "id {0} is outside the table's ids 0 to {1}: the viewer lists the name '{2}' in the drop-down list but "
     "shows it for no monster",
     "{0:# more id|# more ids} outside the table"},
    {FindingKind::IdSetTwice, "id-set-twice", "A name list sets an id again; the later name wins", Severity::Warning, 10,
     // id, the line that first set it, the later name as shown
     "id {0} is set again (first on line {1}): the viewer shows the later name '{2}' for it; both names stay in "
     "the drop-down list",
     "{0:# more id is|# more ids are} set again"},
    {FindingKind::EmptyName, "empty-name", "A name list gives an id an empty name", Severity::Warning, 10,
     // id
     "id {0} has an empty name: the viewer shows an empty field for it and lists an empty item",
     "{0:# more name is|# more names are} empty"},
    {FindingKind::NameRunsOn, "name-runs-on", "A name runs on over LF alone into the lines after it", Severity::Error, 10,
     // how many lines after the LF the name takes in, the last of them, id
     "line ends with LF alone, not CR LF: the viewer reads "
     "{0:the line after it (line {1})|the # lines after it (to line {1})} as part of the name of id {2}, not as "
     "lines of their own",
     "{0:# more name runs|# more names run} on over LF alone"},
    {FindingKind::OutOfMemory, "out-of-memory", "The checker ran out of memory", Severity::Error, 1,
     "the checker ran out of memory while checking this file and stopped: this file is checked only in part, "
     "and the files after it not at all",
     "{0:# more time|# more times} out of memory"},
}};
// clang-format on

static_assert(KeyedInOrder(kFindingKinds, FindingKind::OutOfMemory));

// Why a file cannot be read, in the system's words; for System, its own.
struct UnreadableReason {
    OpenFailure::Reason key;
    const char* words;
};
inline constexpr std::array<UnreadableReason, 9> kUnreadableReasons{{
    {OpenFailure::Reason::Missing, "it does not exist"},
    {OpenFailure::Reason::DanglingLink, "it is a link to a file that does not exist"},
    {OpenFailure::Reason::Folder, "it is a folder"},
    {OpenFailure::Reason::NoPermission, "permission denied"},
    {OpenFailure::Reason::Pipe, "it is a named pipe (FIFO), not a regular file"},
    {OpenFailure::Reason::Device, "it is a device, not a regular file"},
    {OpenFailure::Reason::Socket, "it is a socket, not a regular file"},
    {OpenFailure::Reason::NotRegular, "it is not a regular file"},
    {OpenFailure::Reason::System, nullptr},
}};
static_assert(KeyedInOrder(kUnreadableReasons, OpenFailure::Reason::System));

// What the viewer does when a file it finds itself cannot be read: nothing
// to tell for a file named, a message at Load for the monster file, one at
// start-up for a list, which leaves the lists after it unread ({0}: how many;
// {1}, {2}: their names).
enum class UnreadableEffect { Named, AtLoad, AtStartUp };
struct UnreadableEffectWords {
    UnreadableEffect key;
    const char* words;
};
inline constexpr std::array<UnreadableEffectWords, 3> kUnreadableEffects{{
    {UnreadableEffect::Named, ""},
    {UnreadableEffect::AtLoad,
     "; the viewer shows \"File not found\" when Load is pressed; press Load again once the file is there"},
    {UnreadableEffect::AtStartUp,
     "; the viewer shows \"File not found\" at start-up{0:| and does not read {1}| and does not read {1} or {2}}"},
}};
static_assert(KeyedInOrder(kUnreadableEffects, UnreadableEffect::AtStartUp));

// What an LF alone does, by what the viewer is doing where it stands ({0}:
// the id whose name it ends; {1}: that name as shown, without the LF).
struct LfAloneEffect {
    LfIn key;
    const char* words;
};
inline constexpr std::array<LfAloneEffect, 5> kLfAloneEffects{{
    {LfIn::ListLine, ""}, // worded by where the name is shown: kLfNameEffects
    {LfIn::Comment, "harmless on a comment line, which ends at its LF all the same"},
    {LfIn::Field, "on a record line the viewer reads the LF as part of a field, which then is not a number, and the "
                  "table ends there"},
    {LfIn::TrailingText, "the viewer reads on past it to the next CR as this record line's trailing text, and so "
                         "skips any lines up to there"},
    {LfIn::Unread, "the viewer has already stopped reading the file by here, so this LF is never read"},
}};
static_assert(KeyedInOrder(kLfAloneEffects, LfIn::Unread));

// Where the viewer shows a name that an LF alone ends, which it keeps as the
// name's last byte ({0}: the id; {1}: the name as shown, without the LF).
enum class LfNameShown {
    Everywhere,   // its id's name: in the drop-down lists, the fields and the table
    ListsOnly,    // a later line sets its id again, and that name wins
    NoMonster,    // its id lies outside the table
};
struct LfNameEffect {
    LfNameShown key;
    const char* words;
};
inline constexpr std::array<LfNameEffect, 3> kLfNameEffects{{
    {LfNameShown::Everywhere, "the name of id {0} ends with it, as the viewer keeps the LF as the name's last byte: "
                              "it shows '{1}' with a line break after it, in the drop-down lists and the table alike"},
    {LfNameShown::ListsOnly, "the name of id {0} ends with it, as the viewer keeps the LF as the name's last byte: "
                             "it lists '{1}' with a line break after it in the drop-down lists, but shows the later "
                             "name of id {0} in the fields and the table, as a later line sets it again"},
    {LfNameShown::NoMonster, "the name of id {0} ends with it, as the viewer keeps the LF as the name's last byte: "
                             "it lists '{1}' with a line break after it in the drop-down lists, and shows it for no "
                             "monster, as id {0} lies outside the table"},
}};
static_assert(KeyedInOrder(kLfNameEffects, LfNameShown::NoMonster));

inline const FindingKindInfo& InfoOf(FindingKind kind)
{
    return kFindingKinds[static_cast<std::size_t>(kind)];
}

struct Finding {
    std::string file;
    std::int64_t line = 0; // 0 (and column 0): the file as a whole
    std::int64_t column = 0;
    FindingKind kind = FindingKind::Unreadable;
    std::string message;
};

} // namespace zuninfo
