#pragma once

#include "data/LoadObserver.h"
#include "platform/ByteReader.h"

#include <cstdio>

namespace zuninfo {

// Reads an open stream one byte at a time, as ByteReader does, and knows
// where the byte last read stands: its column counted in bytes, or with
// kObserverColumns as the observer asks (which costs the byte-counting
// reader nothing). Tells the observer, when there is one, of line ends other
// than CR LF.
template <bool kObserverColumns = false>
class PlacedReader {
public:
    PlacedReader(std::FILE* file, LoadObserver* observer)
        : in_(file), observer_(observer),
          columns_(kObserverColumns && observer != nullptr ? observer->Columns() : ColumnUnit::Bytes)
    {
    }

    // The next byte (0 to 255) or EOF.
    int Next()
    {
        const int c = in_.Next();
        if (c == EOF) {
            // The end of the file stands just past its last byte, on that
            // byte's line, however often it is read: after a final LF, at
            // that LF, so that no place names a line the file does not have.
            if (previous_ != EOF && previous_ != '\n')
                StepPastPrevious();
            else if (place_.line == 0)
                place_ = {1, 1};
            previous_ = EOF;
            return EOF;
        }
        if (previous_ == '\n') {
            ++place_.line;
            place_.column = 1;
            continuations_ = 0;
        } else {
            StepPastPrevious();
        }
        if (c == '\n' && previous_ != '\r' && observer_ != nullptr)
            observer_->LfAlone(place_, lfIn_);
        previous_ = c;
        return c;
    }

    // Next(), where the grammar steps over the LF after a CR without looking
    // at the byte: a byte other than LF there is a lone CR.
    int StepOverLf()
    {
        const FilePlace cr = place_;
        const bool afterCr = previous_ == '\r';
        const int c = Next();
        if (afterCr && c != '\n' && c != EOF && observer_ != nullptr)
            observer_->LoneCr(cr, static_cast<unsigned char>(c));
        return c;
    }

    // What the LF alone read from now on stand in, as the observer is told.
    void ReadingIn(LfIn in) { lfIn_ = in; }

    // The place of the byte last read.
    FilePlace Place() const { return place_; }
    // Whether the byte last read is the first of its line.
    bool StartsLine() const { return place_.column == 1; }

private:
    // Moves the column on past the byte read before the last, which is on
    // the same line.
    void StepPastPrevious()
    {
        if (!kObserverColumns || columns_ == ColumnUnit::Bytes) {
            ++place_.column;
        } else {
            const auto byte = static_cast<unsigned>(previous_);
            // The bytes after a UTF-8 lead byte share its column.
            if (continuations_ > 0 && (byte & 0xC0) == 0x80) {
                --continuations_;
                return;
            }
            continuations_ = byte >= 0xC2 && byte <= 0xDF ? 1 : byte >= 0xE0 && byte <= 0xEF ? 2
                           : byte >= 0xF0 && byte <= 0xF4 ? 3 : 0;
            if (columns_ == ColumnUnit::Display && byte == '\t')
                place_.column = (place_.column - 1) / 8 * 8 + 9;
            else
                ++place_.column;
        }
    }

    ByteReader in_;
    LoadObserver* observer_;
    ColumnUnit columns_;
    // Before the first byte: as if just after an LF that ends line 0.
    FilePlace place_{0, 0};
    int previous_ = '\n';
    LfIn lfIn_ = LfIn::ListLine;
    int continuations_ = 0; // UTF-8 continuation bytes still to come
};

} // namespace zuninfo
