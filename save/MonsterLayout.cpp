#include "save/MonsterLayout.h"

#include "data/MonsterGrammar.h"
#include "platform/Exception.h"
#include "platform/FileAccess.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>
#include <stdexcept>

namespace zuninfo {

namespace {

std::runtime_error Changed(const std::string& path)
{
    return std::runtime_error("'" + path + "' changed while it was read; try again");
}

// The file's bytes one at a time, read a block at a time, with how many have
// been read.
class CountedBytes {
public:
    explicit CountedBytes(std::FILE* file) : file_(file) {}

    int Next()
    {
        if (at_ == size_ && !Refill())
            return c_ = EOF;
        ++read_;
        return c_ = static_cast<unsigned char>(block_[at_++]);
    }
    // Where the current byte stands; the file's size at its end.
    std::int64_t Here() const { return c_ == EOF ? read_ : read_ - 1; }
    int Current() const { return c_; }
    std::int64_t Read() const { return read_; }
    // The file's last byte; -1 for an empty file. At the file's end.
    int Last() const { return size_ == 0 ? -1 : static_cast<unsigned char>(block_[size_ - 1]); }

private:
    bool Refill()
    {
        const std::size_t got = std::fread(block_, 1, sizeof block_, file_);
        if (got == 0)
            return false;
        size_ = got;
        at_ = 0;
        return true;
    }

    std::FILE* file_;
    char block_[64 * 1024];
    std::size_t size_ = 0;
    std::size_t at_ = 0;
    int c_ = EOF;
    std::int64_t read_ = 0;
};

// How often each run of spaces and tabs stands between two fields, in the
// order first met.
using Separators = std::vector<std::pair<std::string, std::int64_t>>;

// The grammar's input for the layout: the bytes with their offsets, each
// record line's and token's place, the runs between fields. The tokens are
// not read as numbers: the file is one the viewer has read whole.
class LayoutInput {
public:
    LayoutInput(CountedBytes& in, MonsterLayout& layout, Separators& separators)
        : in_(in), layout_(layout), separators_(separators)
    {
    }

    int Next()
    {
        const int c = in_.Next();
        if (inGap_ && IsSpaceOrTab(c))
            AddToGap(c);
        else if (inGap_)
            CountGap();
        return c;
    }
    int NextLine() { return in_.Next(); }
    int StepOverLf()
    {
        // The CR that ends a record line's trailing text, or its end.
        line_.crEnded = in_.Current() == '\r';
        const int c = in_.Next();
        line_.end = in_.Read();
        return c;
    }
    void RecordStarts()
    {
        line_ = RecordLine();
        line_.start = in_.Here();
    }
    void TokenStarts() { token_ = in_.Here(); }
    std::int32_t Convert(const IntToken& /*token*/, int field)
    {
        const auto at = static_cast<std::size_t>(field);
        line_.tokenStart[at] = token_;
        line_.tokenEnd[at] = in_.Here();
        if (line_.tokenEnd[at] == line_.tokenStart[at])
            throw Exception("a field without a token");
        // The run after it begins at the byte read already.
        inGap_ = field < kMonsterFieldCount - 1;
        gapLength_ = 0;
        if (inGap_ && IsSpaceOrTab(in_.Current()))
            AddToGap(in_.Current());
        return 0;
    }
    void RecordStored(std::int32_t /*slot*/) { layout_.records.push_back(line_); }
    void StoreFull() { throw Exception("more records than the store holds"); }

private:
    void AddToGap(int c)
    {
        if (gapLength_ < sizeof gap_)
            gap_[gapLength_] = static_cast<char>(c);
        ++gapLength_;
    }
    void CountGap()
    {
        inGap_ = false;
        if (gapLength_ >= sizeof gap_)
            return;
        const std::string_view gap(gap_, gapLength_);
        const auto seen = std::find_if(separators_.begin(), separators_.end(),
                                       [&](const auto& separator) { return separator.first == gap; });
        if (seen == separators_.end())
            separators_.emplace_back(gap, 1);
        else
            ++seen->second;
    }

    CountedBytes& in_;
    MonsterLayout& layout_;
    Separators& separators_;
    RecordLine line_;
    std::int64_t token_ = 0;
    bool inGap_ = false;
    char gap_[9];
    std::size_t gapLength_ = 0;
};

} // namespace

MonsterLayout ScanMonsterFile(const std::string& path)
{
    std::FILE* file = OpenNamedFile(path);
    if (file == nullptr)
        throw std::runtime_error("cannot read '" + path + "' again");
    MonsterLayout layout;
    Separators separators;
    bool scanned = true;
    {
        CountedBytes in(file);
        auto store = std::make_unique<OwnMonsterStore>();
        try {
            LayoutInput input(in, layout, separators);
            ParseRecords(input, store->Store());
        } catch (const Exception&) {
            scanned = false;
        }
        layout.size = in.Read();
        layout.lastByte = in.Last();
    }
    std::fclose(file);
    if (!scanned)
        throw Changed(path);
    const auto most = std::max_element(separators.begin(), separators.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    if (most != separators.end())
        layout.separator = most->first;
    return layout;
}

void WriteSpliced(const std::string& path, std::int64_t size, const std::vector<Splice>& splices, std::ostream& out)
{
    std::FILE* file = OpenNamedFile(path);
    if (file == nullptr)
        throw std::runtime_error("cannot read '" + path + "' again");
    char buffer[64 * 1024];
    std::int64_t at = 0;
    bool whole = true;
    // Reads on to `end`, writing what it reads when `keep`.
    const auto readTo = [&](std::int64_t end, bool keep) {
        while (whole && at < end) {
            const auto want = static_cast<std::size_t>(std::min<std::int64_t>(sizeof buffer, end - at));
            const std::size_t got = std::fread(buffer, 1, want, file);
            if (keep)
                out.write(buffer, static_cast<std::streamsize>(got));
            at += static_cast<std::int64_t>(got);
            whole = got == want;
        }
    };
    for (const Splice& splice : splices) {
        readTo(splice.begin, true);
        readTo(splice.end, false);
        out << splice.text;
    }
    readTo(size, true);
    whole = whole && std::fgetc(file) == EOF;
    std::fclose(file);
    if (!whole)
        throw Changed(path);
}

} // namespace zuninfo
