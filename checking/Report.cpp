#include "checking/Report.h"

#include "checking/ExitCodes.h"
#include "checking/Message.h"

#include <algorithm>
#include <tuple>

namespace zuninfo {

void Report::BeginFile(const std::string& path, bool named)
{
    files_.push_back({path, named, {}, {}, {}});
}

void Report::AddWithArguments(FindingKind kind, FilePlace place, std::vector<std::string> arguments)
{
    FileFindings& file = files_.back();
    const auto index = static_cast<std::size_t>(kind);
    const bool everyOne = listing_ == Listing::EveryRecordFinding
                          && (kind == FindingKind::IdOutsideTable || kind == FindingKind::IdWithoutName
                              || kind == FindingKind::IndexTwice);
    if (!everyOne && file.listedCounts[index] >= InfoOf(kind).listed) {
        AddUnlisted(kind);
        return;
    }
    file.listed.push_back({file.path, place.line, place.column, kind, FormatMessage(InfoOf(kind).message, arguments)});
    ++file.listedCounts[index];
    ++file.counts[index];
}

void Report::AddUnreadable(const OpenFailure& failure, UnreadableEffect effect,
                           const std::vector<std::string>& listsNotRead)
{
    const char* reason = kUnreadableReasons[static_cast<std::size_t>(failure.reason)].words;
    std::vector<std::string> effectArguments{std::to_string(listsNotRead.size())};
    effectArguments.insert(effectArguments.end(), listsNotRead.begin(), listsNotRead.end());
    AddForFile(FindingKind::Unreadable, reason != nullptr ? reason : failure.systemText,
               FormatMessage(kUnreadableEffects[static_cast<std::size_t>(effect)].words, effectArguments));
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
    for (const FileFindings& file : files_) {
        const auto count = [&file](FindingKind kind) { return file.counts[static_cast<std::size_t>(kind)]; };
        if (count(FindingKind::OutOfMemory) > 0 || (file.named && count(FindingKind::Unreadable) > 0))
            return kExitTrouble;
    }
    return Count(Severity::Error) > 0 ? kExitFinding : kExitDone;
}

const char* SeverityName(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

std::string FindingLine(const Finding& finding)
{
    std::string line = finding.file;
    if (finding.line != 0)
        line += ':' + std::to_string(finding.line) + ':' + std::to_string(finding.column);
    return line + ": " + SeverityName(InfoOf(finding.kind).severity) + ": " + finding.message;
}

} // namespace zuninfo
