#pragma once

#include <array>
#include <cstdint>
#include <string>

// An error is something the viewer would lose (records, lines, bytes) or
// stop at; a warning is something it reads but shows empty or other than
// meant.
enum class Severity { Warning, Error };

// What a finding is about. Each kind has one severity.
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
};

struct FindingKindInfo {
    const char* name; // for JSON
    Severity severity;
    int listed;       // at most this many are listed per file; the rest are counted
    const char* more; // "<count> more <this>" for the ones not listed
};

// By FindingKind.
inline constexpr std::array<FindingKindInfo, 14> kFindingKinds{{
    {"unreadable", Severity::Error, 1, "unreadable files"},
    {"bad-token", Severity::Error, 1, "bad tokens"},
    {"store-full", Severity::Error, 1, "record lines past the store"},
    {"trailing-text", Severity::Error, 10, "runs of record lines read as trailing text"},
    {"lf-line-end", Severity::Warning, 1, "lines end with LF alone"},
    {"lone-cr", Severity::Error, 10, "CRs have no LF after them"},
    {"id-outside-table", Severity::Warning, 10, "ids outside their table"},
    {"id-without-name", Severity::Warning, 10, "ids have no name"},
    {"index-twice", Severity::Warning, 10, "Indexes are used again"},
    {"bad-id", Severity::Error, 1, "bad ids"},
    {"list-id-outside-table", Severity::Warning, 10, "ids outside the table"},
    {"id-set-twice", Severity::Warning, 10, "ids are set again"},
    {"empty-name", Severity::Warning, 10, "names are empty"},
    {"name-runs-on", Severity::Error, 10, "names run on over LF alone"},
}};

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
