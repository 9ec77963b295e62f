#include "exchange/ShownJson.h"

#include "data/MonsterFields.h"

namespace zuninfo {

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
