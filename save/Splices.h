#pragma once

#include "save/MonsterLayout.h"
#include "save/SaveMonsterFile.h"

#include <cstddef>
#include <vector>

namespace zuninfo {

// The changes of a monster file's bytes that give the records wanted, each
// from the slot of the old file it names or added:
// - a record that keeps its slot's fields keeps its bytes, and a changed one
//   its line with only the changed numbers' tokens replaced;
// - the line of a slot that no record wants is taken out;
// - the records added are written after the last record line, each field
//   after the file's most common run of spaces and tabs, CR LF ended.
// Everything else (comments, blank lines, trailing text) stays. The wanted
// records that come from the old file stand in their slots' order, and the
// added ones after them.
struct SplicedRecords {
    std::vector<Splice> splices;
    std::vector<MonsterRecord> records; // as the new file holds them: the old slots' in order, then those added
    std::size_t changed = 0; // records of the old file whose fields change
    std::size_t removed = 0;
    std::size_t added = 0;
};
SplicedRecords SpliceRecords(const MonsterLayout& layout, const std::vector<MonsterRecord>& old,
                             const std::vector<WantedRecord>& wanted);

} // namespace zuninfo
