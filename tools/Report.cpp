#include "tools/Report.h"

#include "tools/Message.h"

#include <algorithm>
#include <tuple>

namespace zuninfo {

void Report::BeginFile(const std::string& path)
{
    files_.push_back({path, {}, {}, {}});
}

void Report::AddWithArguments(FindingKind kind, FilePlace place, std::vector<std::string> arguments)
{
    FileFindings& file = files_.back();
    const auto index = static_cast<std::size_t>(kind);
    if (file.listedCounts[index] >= InfoOf(kind).listed) {
        AddUnlisted(kind);
        return;
    }
    file.listed.push_back({file.path, place.line, place.column, kind, FormatMessage(InfoOf(kind).message, arguments)});
    ++file.listedCounts[index];
    ++file.counts[index];
}

void Report::AddOutOfMemory(const std::string& path)
{
    if (files_.empty() || files_.back().path != path)
        BeginFile(path);
    AddForFile(FindingKind::OutOfMemory);
}

void Report::AddUnlisted(FindingKind kind)
{
    ++files_.back().counts[static_cast<std::size_t>(kind)];
}

std::vector<std::string> Report::Files() const
{
    std::vector<std::string> paths;
    for (const FileFindings& file : files_)
        paths.push_back(file.path);
    return paths;
}

std::vector<Finding> Report::Findings() const
{
    std::vector<Finding> all;
    for (const FileFindings& file : files_) {
        std::vector<Finding> listed = file.listed;
        std::stable_sort(listed.begin(), listed.end(), [](const Finding& a, const Finding& b) {
            return std::tie(a.line, a.column) < std::tie(b.line, b.column);
        });
        all.insert(all.end(), listed.begin(), listed.end());
    }
    return all;
}

std::vector<Report::Unlisted> Report::UnlistedFindings() const
{
    std::vector<Unlisted> unlisted;
    for (const FileFindings& file : files_) {
        for (std::size_t kind = 0; kind < kFindingKinds.size(); ++kind) {
            const std::int64_t count = file.counts[kind] - file.listedCounts[kind];
            if (count > 0)
                unlisted.push_back({file.path, static_cast<FindingKind>(kind), count});
        }
    }
    return unlisted;
}

std::int64_t Report::Count(Severity severity) const
{
    std::int64_t total = 0;
    for (const FileFindings& file : files_) {
        for (std::size_t kind = 0; kind < kFindingKinds.size(); ++kind) {
            if (kFindingKinds[kind].severity == severity)
                total += file.counts[kind];
        }
    }
    return total;
}

int Report::ExitCode() const
{
    return Count(Severity::Error) > 0 ? 1 : 0;
}

} // namespace zuninfo
