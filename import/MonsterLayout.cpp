#include "import/MonsterLayout.h"

#include "platform/Exception.h"
#include "platform/FileAccess.h"

#include <algorithm>
#include <cstdio>
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

bool IsSpaceOrTab(int c)
{
    return c == ' ' || c == '\t';
}

// How often each run of spaces and tabs stands between two fields, in the
// order first met.
using Separators = std::vector<std::pair<std::string, std::int64_t>>;

// The loader's grammar (data/MonsterInfo.cpp, ParseRecords), with places.
void Scan(CountedBytes& in, MonsterLayout& layout, Separators& separators)
{
    int c = in.Next();
    while (c != EOF) {
        if (c == '\r') {
            c = in.Next(); // the LF of a blank line
        } else if (c == ';') {
            while (c != '\n' && c != EOF)
                c = in.Next();
        } else {
            if (layout.records.size() >= static_cast<std::size_t>(kMonsterSlots))
                throw Exception("more records than the store holds");
            RecordLine line;
            line.start = in.Here();
            for (int field = 0; field < kMonsterFieldCount; ++field) {
                const bool last = field == kMonsterFieldCount - 1;
                const auto at = static_cast<std::size_t>(field);
                line.tokenStart[at] = in.Here();
                while (c != EOF && !IsSpaceOrTab(c) && !(last && c == '\r'))
                    c = in.Next();
                line.tokenEnd[at] = in.Here();
                if (line.tokenEnd[at] == line.tokenStart[at])
                    throw Exception("a field without a token");
                if (last)
                    break;
                char run[9];
                std::size_t length = 0;
                for (; IsSpaceOrTab(c); c = in.Next()) {
                    if (length < sizeof run)
                        run[length] = static_cast<char>(c);
                    ++length;
                }
                if (length < sizeof run) {
                    const std::string_view gap(run, length);
                    const auto seen = std::find_if(separators.begin(), separators.end(),
                                                   [&](const auto& separator) { return separator.first == gap; });
                    if (seen == separators.end())
                        separators.emplace_back(gap, 1);
                    else
                        ++seen->second;
                }
            }
            // The trailing text, up to the CR; then the byte after the CR.
            while (c != '\r' && c != EOF)
                c = in.Next();
            line.crEnded = c == '\r';
            if (c == '\r')
                c = in.Next();
            line.end = in.Read();
            layout.records.push_back(line);
        }
        c = in.Next();
    }
}

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
        try {
            Scan(in, layout, separators);
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
