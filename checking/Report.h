#pragma once

#include "checking/Finding.h"
#include "data/LoadObserver.h"

#include <array>
#include <concepts>
#include <cstdint>
#include <string>
#include <vector>

namespace zuninfo {

// How many findings of a kind a report lists. A few, or, for a tool that
// compares two files' findings, every finding about a stored record's fields
// (an id outside its table or without a name, an Index used twice): at most
// six a record, and the store holds 500.
enum class Listing { AFew, EveryRecordFinding };

// The findings of one run, file by file. Holds at most a few of each kind
// per file, whatever the files hold, and counts the rest.
class Report {
public:
    explicit Report(Listing listing = Listing::AFew) : listing_(listing) {}

    // Findings added from now on are about the file at `path`; `named`: the
    // user named it (rather than the tool finding it where the viewer does),
    // so that its not being readable is trouble.
    void BeginFile(const std::string& path, bool named = true);

    // A finding at a place in the current file, or about the file as a
    // whole: its kind's message filled with the arguments (numbers or texts).
    template <typename... Arguments>
    void Add(FindingKind kind, FilePlace place, const Arguments&... arguments)
    {
        AddWithArguments(kind, place, {Argument(arguments)...});
    }
    template <typename... Arguments>
    void AddForFile(FindingKind kind, const Arguments&... arguments)
    {
        AddWithArguments(kind, FilePlace{0, 0}, {Argument(arguments)...});
    }
    void AddWithArguments(FindingKind kind, FilePlace place, std::vector<std::string> arguments);
    // A finding that is only counted, where one like it is listed already.
    void AddUnlisted(FindingKind kind);
    // The current file could not be opened, and why; `effect`: what the
    // viewer then does, with the names of the lists it then leaves unread.
    void AddUnreadable(const OpenFailure& failure, UnreadableEffect effect,
                       const std::vector<std::string>& listsNotRead = {});
    // The check of the file at `path` (begun or not) ran out of memory.
    void AddOutOfMemory(const std::string& path);

    // The paths of the files, in the order they were begun.
    std::vector<std::string> Files() const;
    // The findings listed, file by file in the order they were begun, and by
    // line and column within a file.
    std::vector<Finding> Findings() const;

    // Findings of one kind in one file beyond those listed.
    struct Unlisted {
        std::string path;
        FindingKind kind;
        std::int64_t count;
    };
    std::vector<Unlisted> UnlistedFindings() const;

    // How many findings there are, listed or not.
    std::int64_t Count(Severity severity) const;
    // 2 when memory ran out or a file named cannot be read, else 1 when
    // there is an error, else 0.
    int ExitCode() const;

private:
    static std::string Argument(const std::string& text) { return text; }
    static std::string Argument(const char* text) { return text; }
    static std::string Argument(std::integral auto number) { return std::to_string(number); }

    struct FileFindings {
        std::string path;
        bool named;
        std::vector<Finding> listed;
        std::array<std::int64_t, kFindingKinds.size()> counts{};       // listed or not
        std::array<std::int64_t, kFindingKinds.size()> listedCounts{}; // listed
    };

    Listing listing_;
    std::vector<FileFindings> files_;
};

// "error" or "warning".
const char* SeverityName(Severity severity);

// FILE:LINE:COLUMN: error: MESSAGE (FILE: error: MESSAGE for a file as a
// whole), without the line end.
std::string FindingLine(const Finding& finding);

} // namespace zuninfo
