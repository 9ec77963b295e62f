#pragma once

#include "check/Report.h"

#include <ostream>

namespace zuninfo {

// The report in the forms the checker writes. Each is a writer over the
// collected findings; the words of each finding come from its kind.

// Each finding as a compiler writes it, FILE:LINE:COLUMN: error: MESSAGE,
// then one line for each kind with findings not listed, and a summary.
void WriteText(const Report& report, std::ostream& out);

// One finding as WriteText writes it, without the line end.
std::string FindingLine(const Finding& finding);

// One finding as WriteJson writes it: a JSON object.
std::string FindingJson(const Finding& finding);

// The same as one JSON object.
void WriteJson(const Report& report, std::ostream& out);

// "error" or "warning".
const char* SeverityName(Severity severity);

} // namespace zuninfo
