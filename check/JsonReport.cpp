#include "check/ReportWriters.h"
#include "tools/JsonText.h"

namespace zuninfo {

void WriteJson(const Report& report, std::ostream& out)
{
    const std::vector<std::string> files = report.Files();
    out << "{\n  \"files\": [";
    for (std::size_t i = 0; i < files.size(); ++i)
        out << (i ? ", " : "") << JsonString(files[i]);
    out << "],\n  \"findings\": [";
    const char* separator = "\n";
    for (const Finding& finding : report.Findings()) {
        out << separator << "    " << FindingJson(finding);
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
