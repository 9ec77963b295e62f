#pragma once

#include "checking/ViewerRead.h"
#include "exchange/JsonWriter.h"

#include <cstdint>

namespace zuninfo {

// The same in JSON: a number, or for an id {"id": 4, "name": "Orc Chief"}.
void WriteShownValue(JsonWriter& json, int field, std::int32_t value);

// Where a record stands, as members of a JSON object: "record" (its slot)
// and "line".
void WriteRecordPlace(JsonWriter& json, const ShownRecord& record);

} // namespace zuninfo
