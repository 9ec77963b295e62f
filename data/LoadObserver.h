#pragma once

#include <cstdint>

namespace zuninfo {

// Where a byte stands in a file: its line, counted by LF bytes, and its
// column within that line, counted in a ColumnUnit; both from 1. 64 bits: a
// file may hold more than 2^31 LF bytes (inside a name, say).
struct FilePlace {
    std::int64_t line = 1;
    std::int64_t column = 1;
};

// How columns are counted, for the editor or tool that goes to a place.
enum class ColumnUnit {
    Bytes,      // each byte one column (as Clang and Vim count)
    Characters, // a UTF-8 sequence one column, any other byte one (Unicode code points in UTF-8 text)
    Display,    // as Characters, a tab moving on past the next multiple of 8 (as GCC and Emacs count)
};

// The part of a line an LF alone stands in, as the loader reads it: that
// decides what the LF does there.
enum class LfIn {
    ListLine,     // a name list's line: its name, which runs on over it (or its id, which it makes invalid)
    Comment,      // a monster file's comment line, which it ends all the same
    Field,        // a record's field, which it makes invalid
    TrailingText, // the text after a record's last field, which runs on to the next CR
    Unread,       // where the parse has ended (or ends, the store being full), which the viewer never reads
};

// What both loaders tell an observer about line ends other than CR LF. The
// loaders take an observer as an option, for tools that check the files;
// without one they tell nothing and read as they always do.
class LoadObserver {
public:
    virtual ~LoadObserver() = default;

    // How the places the observer is told count their columns.
    virtual ColumnUnit Columns() const { return ColumnUnit::Bytes; }

    // An LF with no CR before it, and what it stands in.
    virtual void LfAlone(FilePlace /*lf*/, LfIn /*in*/) {}

    // A CR where the grammar steps over the LF of a CR LF, but the byte after
    // it is not LF: the loader skips that byte unexamined.
    virtual void LoneCr(FilePlace /*cr*/, unsigned char /*skipped*/) {}
};

} // namespace zuninfo
