#include "tools/FindingText.h"

#include "tools/JsonText.h"

namespace zuninfo {

namespace {

std::string JsonPlace(std::int64_t value)
{
    return value == 0 ? "null" : std::to_string(value);
}

} // namespace

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

std::string FindingJson(const Finding& finding)
{
    const FindingKindInfo& kind = InfoOf(finding.kind);
    return "{\"file\": " + JsonString(finding.file) + ", \"line\": " + JsonPlace(finding.line) + ", \"column\": "
           + JsonPlace(finding.column) + ", \"severity\": \"" + SeverityName(kind.severity) + "\", \"kind\": \""
           + kind.name + "\", \"message\": " + JsonString(finding.message) + "}";
}

} // namespace zuninfo
