// CSV and TSV as zuninfo-export writes them, read by hand.
#include "import/TableReaders.h"

#include "platform/Conversions.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <array>

namespace zuninfo {

namespace {

// Where the first byte that is not part of UTF-8 text stands; npos: none.
std::size_t FirstNonUtf8(std::string_view text)
{
    if (IsUtf8(text))
        return std::string_view::npos;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : lead >> 3 == 30 ? 4 : 0;
        if (length == 0 || !IsUtf8(text.substr(i, length)) || i + length > text.size())
            return i;
        i += length;
    }
    return std::string_view::npos;
}

// The bytes that end a run of plain bytes in a cell.
constexpr std::array<bool, 256> StopsAt(std::string_view bytes)
{
    std::array<bool, 256> stops{};
    for (const char c : bytes)
        stops[static_cast<unsigned char>(c)] = true;
    return stops;
}
constexpr std::array<bool, 256> kCsvStops = StopsAt(",\r\n\"");
constexpr std::array<bool, 256> kTsvStops = StopsAt("\t\r\n\\");

// CSV and TSV, as zuninfo-export writes them: cells, rows and their places.
class DelimitedText : public CellRows {
public:
    using Cell = TableCell;

    DelimitedText(std::string_view text, RecordFormat format, const std::string& file)
        : text_(text), file_(file), separator_(format == RecordFormat::Csv ? ',' : '\t'),
          quoted_(format == RecordFormat::Csv)
    {
        if (text_.starts_with("\xEF\xBB\xBF"))
            at_ = 3;
    }

    bool AtEnd() const { return at_ >= text_.size(); }
    FilePlace Here() const { return {line_, static_cast<std::int64_t>(at_ - lineStart_) + 1}; }

    bool Next(std::vector<Cell>& cells, std::size_t most, const std::string& tooMany) override
    {
        if (AtEnd())
            return false;
        start_ = Here();
        ReadRow(cells, most, tooMany);
        return true;
    }
    std::int64_t Row() const override { return row_; }
    FilePlace Start() const override { return start_; }
    std::size_t RowsHinted() const override
    {
        return static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n'));
    }

private:
    // The next row's cells, at most `most` of them; `tooMany` says what more
    // would be. The cells are read into those of the row before, which keep
    // their room.
    void ReadRow(std::vector<Cell>& cells, std::size_t most, const std::string& tooMany)
    {
        ++row_;
        for (std::size_t count = 0;;) {
            if (count == most)
                throw Refusal(file_, Here(), "row " + std::to_string(row_) + ": " + tooMany);
            if (count == cells.size())
                cells.emplace_back();
            ReadCell(cells[count++]);
            const bool ended = AtEnd() || Take() != separator_;
            if (ended) {
                cells.resize(count);
                // CR LF or LF, which ReadCell stopped at.
                if (!AtEnd() && text_[at_ - 1] == '\r')
                    Take();
                return;
            }
        }
    }

    char Peek(std::size_t ahead = 0) const { return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0'; }
    bool AtLineEnd() const { return Peek() == '\n' || (Peek() == '\r' && Peek(1) == '\n'); }

    char Take()
    {
        const char c = text_[at_++];
        if (c == '\n') {
            ++line_;
            lineStart_ = at_;
        }
        return c;
    }

    Refusal Problem(FilePlace place, const std::string& problem) const
    {
        return Refusal(file_, place, "row " + std::to_string(row_) + ": " + problem);
    }

    // Moves on to `end`, counting the LFs on the way.
    void MoveTo(std::size_t end)
    {
        const std::string_view passed = text_.substr(at_, end - at_);
        if (const std::size_t lf = passed.rfind('\n'); lf != std::string_view::npos) {
            line_ += std::count(passed.begin(), passed.end(), '\n');
            lineStart_ = at_ + lf + 1;
        }
        at_ = end;
    }

    void ReadCell(Cell& cell)
    {
        cell.text.clear();
        cell.place = Here();
        if (quoted_ && Peek() == '"') {
            Take();
            for (;;) {
                const std::size_t quote = text_.find('"', at_);
                if (quote == std::string_view::npos)
                    throw Problem(cell.place, "the quote that opens this cell is never closed");
                cell.text.append(text_.substr(at_, quote - at_));
                MoveTo(quote + 1);
                if (Peek() != '"')
                    break;
                cell.text += '"';
                Take();
            }
            if (!AtEnd() && Peek() != separator_ && !AtLineEnd())
                throw Problem(Here(), "after the quote that closes a cell, " + Quoted(std::string(1, Peek()))
                                          + " where a comma or the line's end belongs");
            return;
        }
        // Runs of plain bytes at once, up to a byte that ends the cell or
        // needs a look.
        const auto& stops = quoted_ ? kCsvStops : kTsvStops;
        for (;;) {
            std::size_t stop = at_;
            while (stop < text_.size() && !stops[static_cast<unsigned char>(text_[stop])])
                ++stop;
            cell.text.append(text_.substr(at_, stop - at_));
            at_ = stop;
            if (AtEnd() || Peek() == separator_ || AtLineEnd())
                return;
            if (Peek() == '\r')
                throw Problem(Here(), "a CR that ends no line: lines end with CR LF or with LF");
            if (Peek() == '"')
                throw Problem(Here(), "a quote inside a cell that does not begin with one: a cell that holds "
                                      "quotes is quoted whole, each of its quotes doubled");
            // TSV's escapes.
            Take();
            const char escaped = AtEnd() ? '\0' : Take();
            const std::string_view escapes = "\\\\t\tr\rn\n";
            const std::size_t found = escaped == '\0' ? std::string_view::npos : escapes.find(escaped);
            if (found == std::string_view::npos || found % 2 != 0)
                throw Problem(Here(), "a backslash that begins none of the escapes \\\\, \\t, \\r and \\n");
            cell.text += escapes[found + 1];
        }
    }

    std::string_view text_;
    const std::string& file_;
    char separator_;
    bool quoted_;
    std::size_t at_ = 0;
    std::int64_t line_ = 1;
    std::size_t lineStart_ = 0;
    std::int64_t row_ = 0;
    FilePlace start_;
};

} // namespace

void ReadDelimitedTable(std::string_view text, EditedTable& table)
{
    if (const std::size_t bad = FirstNonUtf8(text); bad != std::string_view::npos)
        throw Refusal(table.file, PlaceOf(text, bad),
                      "the byte " + VisibleBytes(text.substr(bad, 1))
                          + " is not UTF-8: save the table as UTF-8 text (\"CSV UTF-8\" in a spreadsheet)");
    DelimitedText in(text, table.format, table.file);
    ReadCellRows(in, table, false);
}

} // namespace zuninfo
