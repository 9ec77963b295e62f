#pragma once

#include "checking/ViewerRead.h"

#include <ostream>
#include <vector>

namespace zuninfo {

// The records as an xlsx workbook, written with libxlsxwriter: the sheet
// "Monsters" with the CSV export's columns under its header row (bold,
// frozen, with an autofilter, each caption with its field's hint as a note),
// numbers and ids as number cells and names as text cells, always; each name
// column with a drop-down of its list's names, which the sheet "Lists"
// holds; columns wide enough for what they hold. Throws std::runtime_error
// where the workbook cannot be made.
void WriteXlsx(const std::vector<ShownRecord>& records, std::ostream& out);

} // namespace zuninfo
