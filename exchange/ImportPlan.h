#pragma once

#include "checking/ViewerRead.h"
#include "data/NameLists.h"
#include "exchange/EditedTable.h"
#include "save/SaveMonsterFile.h"

#include <array>
#include <string>
#include <vector>

namespace zuninfo {

// What an import starts from: the monster file's records as the viewer
// reads them, and which name lists were read.
struct ImportSource {
    std::string file; // as the user named it
    const std::vector<ShownRecord>& records;
    std::array<bool, kNameLists.size()> listsRead{}; // by NameList
};

// The new monster file an edited export asks for: its records as the
// viewer's store will hold them, each with the slot of the old file it
// comes from (the old file's first, in their order, then those added), and
// the row each comes from.
struct ImportPlan {
    std::vector<WantedRecord> wanted;
    std::vector<const EditedRow*> rows;
};

// Matches the rows to the records and works out the new file:
// - a row to the record of its Index where that Index stands once in the
//   file and once in the table; else to the record its "record" names
//   (JSON); a row whose Index the file lacks, or whose record another row
//   has taken, is a new record; any other row is refused;
// - a record that no row matches is removed with `deleteMissing`, and
//   otherwise refused;
// - an id field takes the id its row gives; where only the name changed, the
//   id of the one name in its list that is the same.
// Throws Refusal, naming the row and column (or the file's line) and why.
ImportPlan PlanImport(const EditedTable& table, const ImportSource& source, bool deleteMissing);

} // namespace zuninfo
