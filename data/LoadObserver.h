#pragma once

#include <cstdint>

namespace zuninfo {

// Where a byte stands in a file: its line, counted by LF bytes, and its
// column, the bytes from the start of that line; both from 1. 64 bits: a
// file may hold more than 2^31 LF bytes (inside a name, say).
struct FilePlace {
    std::int64_t line = 1;
    std::int64_t column = 1;
};

// What both loaders tell an observer about line ends other than CR LF. The
// loaders take an observer as an option, for tools that check the files;
// without one they tell nothing and read as they always do.
class LoadObserver {
public:
    virtual ~LoadObserver() = default;

    // An LF with no CR before it.
    virtual void LfAlone(FilePlace /*lf*/) {}

    // A CR where the grammar steps over the LF of a CR LF, but the byte after
    // it is not LF: the loader skips that byte unexamined.
    virtual void LoneCr(FilePlace /*cr*/, unsigned char /*skipped*/) {}
};

} // namespace zuninfo
