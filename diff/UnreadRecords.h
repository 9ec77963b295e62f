#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace zuninfo {

// Where in a monster file the viewer leaves records unread: the first line
// that looks like a record with one of the `wanted` Indexes (its first token
// is that number) and is not among the `readLines`. Reads the file once, a
// byte at a time, holding no more than the answer. Empty when the file
// cannot be opened.
std::map<std::int32_t, std::int64_t> UnreadRecordLines(const std::string& path, const std::set<std::int32_t>& wanted,
                                                       const std::set<std::int64_t>& readLines);

} // namespace zuninfo
