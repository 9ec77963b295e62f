#pragma once

#include "tools/Finding.h"
#include "tools/JsonWriter.h"

#include <string>

namespace zuninfo {

// One finding as every tool writes it. The words of each finding come from
// its kind.

// "error" or "warning".
const char* SeverityName(Severity severity);

// FILE:LINE:COLUMN: error: MESSAGE (FILE: error: MESSAGE for a file as a
// whole), without the line end.
std::string FindingLine(const Finding& finding);

// The same as a JSON object: file, line, column (null, null for the file as
// a whole), severity, kind and message.
void WriteFinding(JsonWriter& json, const Finding& finding);

} // namespace zuninfo
