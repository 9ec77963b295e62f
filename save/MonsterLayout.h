#pragma once

#include "data/MonsterInfo.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace zuninfo {

// The monster file as bytes: where each record line and each of its tokens
// stands, so that an import can replace a token, remove a line or add lines
// and leave every other byte as it is.

// One record line. Offsets count bytes from the file's start.
struct RecordLine {
    std::int64_t start = 0; // its first byte
    std::int64_t end = 0;   // past its CR and the byte after it; the file's end where that comes first
    bool crEnded = false;   // a CR ends its trailing text, not the end of the file
    std::array<std::int64_t, kMonsterFieldCount> tokenStart{};
    std::array<std::int64_t, kMonsterFieldCount> tokenEnd{};
};

struct MonsterLayout {
    std::int64_t size = 0;
    int lastByte = -1; // the file's last byte; -1 for an empty file
    std::vector<RecordLine> records;
    // The run of spaces and tabs that stands most often between two fields
    // (of those up to 8 bytes long, the first met of those as often); " "
    // in a file without records.
    std::string separator = " ";
};

// Reads the file as the viewer's loader parses it, a byte at a time,
// holding the places of the records' tokens and little else. For a file
// that the viewer reads whole (the tokens are not read as numbers): throws
// std::runtime_error when a field has no token or there are more records
// than the viewer holds (the file changed since it was checked), and when
// the file cannot be read.
MonsterLayout ScanMonsterFile(const std::string& path);

// A change of the file's bytes: those from `begin` to before `end` replaced
// by `text`.
struct Splice {
    std::int64_t begin = 0;
    std::int64_t end = 0;
    std::string text;
};

// Writes the file's bytes to `out` with the splices made (in the order of
// their places, none overlapping another). Throws std::runtime_error when
// the file cannot be read or is no longer `size` bytes long.
void WriteSpliced(const std::string& path, std::int64_t size, const std::vector<Splice>& splices, std::ostream& out);

} // namespace zuninfo
