#include "tools/FindingText.h"

namespace zuninfo {

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
