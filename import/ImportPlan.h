#pragma once

#include "data/NameLists.h"
#include "import/EditedTable.h"
#include "import/MonsterLayout.h"
#include "tools/ViewerRead.h"

#include <array>
#include <string>
#include <vector>

namespace zuninfo {

// What an import starts from: the monster file as the viewer reads it and as
// bytes, and which name lists were read.
struct ImportSource {
    std::string file; // as the user named it
    const std::vector<ShownRecord>& records;
    const MonsterLayout& layout;
    std::array<bool, kNameLists.size()> listsRead{}; // by NameList
};

// The new monster file an edited export asks for.
struct ImportPlan {
    // Its records in the viewer's store, and the row each comes from.
    std::vector<MonsterRecord> records;
    std::vector<const EditedRow*> rows;
    // Its bytes: the old file's with these changes.
    std::vector<Splice> splices;
    // How many records of the old file it changes or removes, and how many
    // it adds.
    std::size_t changed = 0;
    std::size_t removed = 0;
    std::size_t added = 0;
};

// Matches the rows to the records and works out the new file:
// - a row to the record of its Index where that Index stands once in the
//   file and once in the table; else to the record its "record" names
//   (JSON); a row whose Index the file lacks, or whose record another row
//   has taken, is a new record; any other row is refused;
// - a record that no row matches is removed with `deleteMissing`, and
//   otherwise refused;
// - an id field takes the id its row gives; where only the name changed, the
//   id of the one name in its list that is the same;
// - a changed field's token is replaced, a removed record's line taken out,
//   and new records written after the last record line, in the file's most
//   common separator, CR LF ended.
// Throws Refusal, naming the row and column (or the file's line) and why.
ImportPlan PlanImport(const EditedTable& table, const ImportSource& source, bool deleteMissing);

} // namespace zuninfo
