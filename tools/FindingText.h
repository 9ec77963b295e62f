#pragma once

#include "checking/Finding.h"
#include "checking/Report.h"
#include "exchange/JsonWriter.h"

#include <string>

namespace zuninfo {

// One finding as every tool writes it in JSON (its text: FindingLine): file, line, column (null, null for the file as
// a whole), severity, kind and message.
void WriteFinding(JsonWriter& json, const Finding& finding);

} // namespace zuninfo
