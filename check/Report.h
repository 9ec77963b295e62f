#pragma once

#include "check/Finding.h"
#include "data/LoadObserver.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// The findings of one run, file by file. Holds at most a few of each kind
// per file, whatever the files hold, and counts the rest.
class Report {
public:
    // Findings added from now on are about the file at `path`.
    void BeginFile(const std::string& path);
    // A finding at a place in the current file, or about the file as a whole.
    void Add(FindingKind kind, FilePlace place, std::string message);
    void Add(FindingKind kind, std::string message);

    // The findings listed, file by file in the order they were begun, and by
    // line and column within a file.
    std::vector<Finding> Findings() const;
    // How many findings there are, listed or not.
    std::int64_t Count(Severity severity) const;
    // 1 when there is an error, else 0.
    int ExitCode() const;

    // Each finding as a compiler writes it, FILE:LINE:COLUMN: error: MESSAGE,
    // then one line for each kind with findings not listed and a summary.
    void WriteText(std::ostream& out) const;
    // The same as one JSON object.
    void WriteJson(std::ostream& out) const;

private:
    // Findings of one kind in one file beyond those listed.
    struct Unlisted {
        const std::string& path;
        const FindingKindInfo& kind;
        std::int64_t count;
    };
    std::vector<Unlisted> UnlistedFindings() const;

    struct FileFindings {
        std::string path;
        std::vector<Finding> listed;
        std::array<std::int64_t, kFindingKinds.size()> counts{};
    };

    std::vector<FileFindings> files_;
};
