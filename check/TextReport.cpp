#include "check/Message.h"
#include "check/ReportWriters.h"

namespace zuninfo {

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

void WriteText(const Report& report, std::ostream& out)
{
    for (const Finding& finding : report.Findings())
        out << FindingLine(finding) << '\n';
    for (const Report::Unlisted& unlisted : report.UnlistedFindings()) {
        const FindingKindInfo& kind = InfoOf(unlisted.kind);
        out << unlisted.path << ": " << SeverityName(kind.severity) << ": "
            << FormatMessage(kind.more, {{std::to_string(unlisted.count)}}) << " (not listed)\n";
    }
    const std::int64_t errors = report.Count(Severity::Error);
    const std::string counts[] = {std::to_string(report.Files().size()), std::to_string(errors),
                                  std::to_string(report.Count(Severity::Warning))};
    out << "zuninfo-check: " << FormatMessage("{0:# file|# files} checked, {1:# error|# errors}, {2:# warning|# warnings}", counts)
        << (errors > 0 ? ": the viewer would lose data or stop" : ": the viewer reads everything") << '\n';
}

} // namespace zuninfo
