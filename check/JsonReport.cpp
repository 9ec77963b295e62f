#include "check/ReportWriters.h"

#include "platform/Conversions.h"
#include "platform/TextEncoding.h"

#include <cstdio>

namespace zuninfo {

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

namespace {

std::string JsonPlace(std::int64_t value)
{
    return value == 0 ? "null" : std::to_string(value);
}

} // namespace

void WriteJson(const Report& report, std::ostream& out)
{
    const std::vector<std::string> files = report.Files();
    out << "{\n  \"files\": [";
    for (std::size_t i = 0; i < files.size(); ++i)
        out << (i ? ", " : "") << JsonString(files[i]);
    out << "],\n  \"findings\": [";
    const char* separator = "\n";
    for (const Finding& finding : report.Findings()) {
        const FindingKindInfo& kind = InfoOf(finding.kind);
        out << separator << "    {\"file\": " << JsonString(finding.file) << ", \"line\": " << JsonPlace(finding.line)
            << ", \"column\": " << JsonPlace(finding.column) << ", \"severity\": \"" << SeverityName(kind.severity)
            << "\", \"kind\": \"" << kind.name << "\", \"message\": " << JsonString(finding.message) << "}";
        separator = ",\n";
    }
    out << (*separator == ',' ? "\n  " : "") << "],\n  \"unlisted\": [";
    separator = "\n";
    for (const Report::Unlisted& unlisted : report.UnlistedFindings()) {
        const FindingKindInfo& kind = InfoOf(unlisted.kind);
        out << separator << "    {\"file\": " << JsonString(unlisted.path) << ", \"severity\": \""
            << SeverityName(kind.severity) << "\", \"kind\": \"" << kind.name << "\", \"count\": " << unlisted.count
            << "}";
        separator = ",\n";
    }
    out << (*separator == ',' ? "\n  " : "") << "],\n  \"errors\": " << report.Count(Severity::Error)
        << ",\n  \"warnings\": " << report.Count(Severity::Warning) << ",\n  \"exit_code\": " << report.ExitCode()
        << "\n}\n";
}

} // namespace zuninfo
