#include "check/ReportWriters.h"
#include "checking/Message.h"

namespace zuninfo {

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
