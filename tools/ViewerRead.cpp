#include "tools/ViewerRead.h"

#include "data/MonsterFields.h"
#include "platform/NameUtf8.h"

#include <algorithm>

namespace zuninfo {

ViewerRead ReadAsTheViewer(const DataFiles& files, Listing listing)
{
    ViewerRead read;
    std::vector<std::int64_t> lines;
    read.report = CheckDataFiles(files, {ColumnUnit::Bytes, &lines, listing, true});
    const std::vector<Finding> findings = read.report.Findings();
    // A list's bad id ends the viewer's start-up: it shows no record at all.
    if (std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.kind == FindingKind::BadId; }))
        return read;
    for (std::size_t slot = 0; slot < lines.size(); ++slot)
        read.records.push_back({static_cast<std::int32_t>(slot), lines[slot], Monsters[slot]});
    return read;
}

std::string ShownName(NameList list, std::int32_t id)
{
    return NameAsUtf8(NameOfId(list, id), NameListEncoding(list));
}

std::string ShownValue(int field, std::int32_t value)
{
    const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(field)].names;
    return list ? IdWithName(ShownName(*list, value), value) : std::to_string(value);
}

void WriteShownValue(JsonWriter& json, int field, std::int32_t value)
{
    const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(field)].names;
    if (list)
        json.Object().Member("id", std::int64_t{value}).Member("name", ShownName(*list, value)).End();
    else
        json.Number(value);
}

void WriteRecordPlace(JsonWriter& json, const ShownRecord& record)
{
    json.Member("record", std::int64_t{record.slot}).Member("line", record.line);
}

} // namespace zuninfo
