#include "tools/FindingText.h"

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

void WriteFinding(JsonWriter& json, const Finding& finding)
{
    const FindingKindInfo& kind = InfoOf(finding.kind);
    json.Object().Member("file", finding.file);
    for (const auto& [key, place] : {std::pair{"line", finding.line}, std::pair{"column", finding.column}}) {
        // 0: the file as a whole.
        if (place == 0)
            json.Key(key).Null();
        else
            json.Member(key, place);
    }
    json.Member("severity", SeverityName(kind.severity)).Member("kind", kind.name).Member("message", finding.message);
    json.End();
}

} // namespace zuninfo
