#pragma once

#include "checking/Report.h"
#include "checking/ViewerRead.h"
#include "data/MonsterInfo.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zuninfo {

// What a monster file's new bytes, read back with the viewer's loader, are
// checked for before they replace the old file.

// The first slot whose record, read back, is other than asked for, field by
// field; the first slot past the shorter of the two where they differ in
// count; nothing where they are the same.
std::optional<std::size_t> FirstRecordOtherThanAsked(const std::vector<MonsterRecord>& asked,
                                                     const std::vector<ShownRecord>& read);

// The first finding about `freshFile` in `fresh` that `old` has no like of
// about `oldFile`. Two findings are alike when their kind and message are,
// the lines the message names left out: a record that only moved keeps its
// findings.
std::optional<Finding> FirstNewFinding(const Report& old, const std::string& oldFile, const Report& fresh,
                                       const std::string& freshFile);

} // namespace zuninfo
