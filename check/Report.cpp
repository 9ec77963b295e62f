#include "check/Report.h"

#include "check/Wording.h"
#include "platform/Conversions.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace {

const char* SeverityName(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

// A JSON string. Text that is not UTF-8 (a file name, say) is made visible
// first, so that the output is always valid JSON.
std::string JsonString(const std::string& text)
{
    const std::string utf8 = IsUtf8(text) ? text : VisibleBytes(text);
    std::string json = "\"";
    for (const char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            json += '\\';
            json += ch;
        } else if (byte < 0x20) {
            char escaped[7];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
            json += escaped;
        } else {
            json += ch;
        }
    }
    return json + "\"";
}

std::string JsonPlace(std::int64_t value)
{
    return value == 0 ? "null" : std::to_string(value);
}

} // namespace

void Report::BeginFile(const std::string& path)
{
    files_.push_back({path, {}, {}});
}

void Report::Add(FindingKind kind, FilePlace place, std::string message)
{
    FileFindings& file = files_.back();
    std::int64_t& count = file.counts[static_cast<std::size_t>(kind)];
    if (++count <= InfoOf(kind).listed)
        file.listed.push_back({file.path, place.line, place.column, kind, std::move(message)});
}

void Report::Add(FindingKind kind, std::string message)
{
    Add(kind, FilePlace{0, 0}, std::move(message));
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

std::vector<Report::Unlisted> Report::UnlistedFindings() const
{
    std::vector<Unlisted> unlisted;
    for (const FileFindings& file : files_) {
        for (std::size_t kind = 0; kind < kFindingKinds.size(); ++kind) {
            const std::int64_t count = file.counts[kind] - kFindingKinds[kind].listed;
            if (count > 0)
                unlisted.push_back({file.path, kFindingKinds[kind], count});
        }
    }
    return unlisted;
}

void Report::WriteText(std::ostream& out) const
{
    for (const Finding& finding : Findings()) {
        out << finding.file;
        if (finding.line != 0)
            out << ':' << finding.line << ':' << finding.column;
        out << ": " << SeverityName(InfoOf(finding.kind).severity) << ": " << finding.message << '\n';
    }
    for (const Unlisted& unlisted : UnlistedFindings())
        out << unlisted.path << ": " << SeverityName(unlisted.kind.severity) << ": " << unlisted.count << " more "
            << unlisted.kind.more << " (not listed)\n";
    const std::int64_t errors = Count(Severity::Error);
    out << "zuninfo-check: " << Counted(static_cast<std::int64_t>(files_.size()), "file", "files") << " checked, "
        << Counted(errors, "error", "errors") << ", " << Counted(Count(Severity::Warning), "warning", "warnings")
        << (errors > 0 ? ": the viewer would lose data or stop" : ": the viewer reads everything") << '\n';
}

void Report::WriteJson(std::ostream& out) const
{
    out << "{\n  \"files\": [";
    for (std::size_t i = 0; i < files_.size(); ++i)
        out << (i ? ", " : "") << JsonString(files_[i].path);
    out << "],\n  \"findings\": [";
    const char* separator = "\n";
    for (const Finding& finding : Findings()) {
        out << separator << "    {\"file\": " << JsonString(finding.file) << ", \"line\": " << JsonPlace(finding.line)
            << ", \"column\": " << JsonPlace(finding.column) << ", \"severity\": \""
            << SeverityName(InfoOf(finding.kind).severity) << "\", \"kind\": \"" << InfoOf(finding.kind).name
            << "\", \"message\": " << JsonString(finding.message) << "}";
        separator = ",\n";
    }
    out << (*separator == ',' ? "\n  " : "") << "],\n  \"unlisted\": [";
    separator = "\n";
    for (const Unlisted& unlisted : UnlistedFindings()) {
        out << separator << "    {\"file\": " << JsonString(unlisted.path) << ", \"severity\": \""
            << SeverityName(unlisted.kind.severity) << "\", \"kind\": \"" << unlisted.kind.name
            << "\", \"count\": " << unlisted.count << "}";
        separator = ",\n";
    }
    out << (*separator == ',' ? "\n  " : "") << "],\n  \"errors\": " << Count(Severity::Error)
        << ",\n  \"warnings\": " << Count(Severity::Warning) << ",\n  \"exit_code\": " << ExitCode() << "\n}\n";
}
