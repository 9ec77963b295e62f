#include "check/ReportWriters.h"
#include "exchange/JsonWriter.h"

namespace zuninfo {

void WriteJson(const Report& report, std::ostream& out)
{
    using Layout = JsonWriter::Layout;
    JsonWriter json(out);
    json.Object(Layout::Lines).Key("files").Array();
    for (const std::string& file : report.Files())
        json.String(file);
    json.End().Key("findings").Array(Layout::Lines);
    for (const Finding& finding : report.Findings())
        WriteFinding(json, finding);
    json.End().Key("unlisted").Array(Layout::Lines);
    for (const Report::Unlisted& unlisted : report.UnlistedFindings()) {
        const FindingKindInfo& kind = InfoOf(unlisted.kind);
        json.Object()
            .Member("file", unlisted.path)
            .Member("severity", SeverityName(kind.severity))
            .Member("kind", kind.name)
            .Member("count", unlisted.count)
            .End();
    }
    json.End()
        .Member("errors", report.Count(Severity::Error))
        .Member("warnings", report.Count(Severity::Warning))
        .Member("exit_code", std::int64_t{report.ExitCode()})
        .End();
    out << '\n';
}

} // namespace zuninfo
