#pragma once

#include "checking/Report.h"
#include "tools/FindingText.h"

#include <ostream>

namespace zuninfo {

// The report in the forms the checker writes. Each is a writer over the
// collected findings; the words of each finding come from its kind.

// Each finding as a compiler writes it, FILE:LINE:COLUMN: error: MESSAGE,
// then one line for each kind with findings not listed, and a summary.
void WriteText(const Report& report, std::ostream& out);

// The same as one JSON object.
void WriteJson(const Report& report, std::ostream& out);

// The same as a SARIF 2.1.0 log of one run, for code-scanning tools: a rule
// for each finding kind, a result for each finding listed and one for each
// kind's findings not listed. Columns must have been counted in characters
// (ColumnUnit::Characters), as the log says SARIF's columns are.
void WriteSarif(const Report& report, std::ostream& out);

} // namespace zuninfo
