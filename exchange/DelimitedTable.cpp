// CSV and TSV as zuninfo-export and spreadsheets write them, read by hand:
// the text's encoding and the CSV's separator found, then its cells.
#include "exchange/TableReaders.h"

#include "platform/Conversions.h"
#include "platform/NameUtf8.h"
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
constexpr std::array<bool, 256> kSemicolonStops = StopsAt(";\r\n\"");
constexpr std::array<bool, 256> kTabStops = StopsAt("\t\r\n\"");
constexpr std::array<bool, 256> kTsvStops = StopsAt("\t\r\n\\");

// "a comma", "a semicolon", "a tab".
std::string SeparatorName(char separator)
{
    return separator == ',' ? "a comma" : separator == ';' ? "a semicolon" : "a tab";
}

// CSV and TSV, as zuninfo-export writes them: cells, rows and their places.
class DelimitedText : public CellRows {
public:
    using Cell = TableCell;

    // CSV (`quoted`) or TSV, its first row at the line `from` begins.
    DelimitedText(std::string_view text, char separator, bool quoted, const std::string& file, std::size_t from = 0)
        : text_(text), file_(file), separator_(separator), quoted_(quoted)
    {
        MoveTo(from);
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
                                          + " where " + SeparatorName(separator_) + " or the line's end belongs");
            return;
        }
        // Runs of plain bytes at once, up to a byte that ends the cell or
        // needs a look.
        const auto& stops = !quoted_ ? kTsvStops : separator_ == ',' ? kCsvStops : separator_ == ';' ? kSemicolonStops : kTabStops;
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

// UTF-16 text, little or big endian after its byte order mark, as UTF-8;
// npos where it is all UTF-16, else the offset of the first unit that is not.
std::size_t FromUtf16(std::string_view bytes, bool bigEndian, std::string& text)
{
    const auto unit = [&](std::size_t at) {
        const auto a = static_cast<unsigned char>(bytes[at]), b = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(bigEndian ? a << 8 | b : b << 8 | a);
    };
    text.reserve(bytes.size() * 3 / 2);
    for (std::size_t at = 2; at < bytes.size(); at += 2) {
        if (at + 1 == bytes.size())
            return at;
        char32_t c = unit(at);
        if (c >= 0xDC00 && c < 0xE000)
            return at;
        if (c >= 0xD800 && c < 0xDC00) {
            if (at + 3 >= bytes.size() || unit(at + 2) < 0xDC00 || unit(at + 2) >= 0xE000)
                return at;
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
            at += 2;
        }
        const int more = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
        text += static_cast<char>(kLead[more] | (c >> (6 * more)));
        for (int k = more - 1; k >= 0; --k)
            text += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return std::string_view::npos;
}

// EDITED as UTF-8 text: UTF-8 with or without its byte order mark (which is
// dropped), UTF-16 after its mark, and any other bytes in the table's code
// page. `held` keeps the text where it had to be decoded.
std::string_view AsUtf8(std::string_view text, EditedTable& table, std::string& held)
{
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
        if (const std::size_t bad = FirstNonUtf8(text); bad != std::string_view::npos)
            throw Refusal(table.file, PlaceOf(text, bad),
                          "the byte " + VisibleBytes(text.substr(bad, 1))
                              + " is not UTF-8, which the byte order mark at the start says the text is");
        return text;
    }
    const bool littleEndian = text.starts_with("\xFF\xFE"), bigEndian = text.starts_with("\xFE\xFF");
    if (littleEndian || bigEndian) {
        table.decodedFrom = bigEndian ? "UTF-16BE" : "UTF-16LE";
        if (const std::size_t bad = FromUtf16(text, bigEndian, held); bad != std::string_view::npos)
            throw Refusal(table.file, {0, 0}, "the bytes at offset " + std::to_string(bad) + " are not " + table.decodedFrom
                                                  + ", which the byte order mark at the start says the text is");
        return held;
    }
    if (IsUtf8(text))
        return text;
    const std::optional<std::string> decoded = CodePageAsUtf8(text, table.codePage);
    if (!decoded)
        throw Refusal(table.file, {0, 0}, "this system cannot read code page " + std::to_string(table.codePage));
    table.decodedFrom = "code page " + std::to_string(table.codePage == 0 ? UserCodePage() : table.codePage);
    held = *decoded;
    return held;
}

// The separator of a CSV: the one an Excel "sep=" first line names, else the
// one (a comma, a semicolon or a tab) that splits the first row into the
// most of the export's captions, a comma where none does better. `from`: where
// the header's line begins.
char SeparatorOf(std::string_view text, const std::string& file, std::size_t& from)
{
    from = 0;
    if (text.starts_with("sep=") && text.size() > 4 && std::string_view(",;\t").find(text[4]) != std::string_view::npos
        && (text.size() == 5 || text[5] == '\n' || text.substr(5, 2) == "\r\n")) {
        from = text.size() == 5 ? 5 : text[5] == '\n' ? 6 : 7;
        return text[4];
    }
    char best = ',';
    std::size_t most = 0;
    for (const char separator : {',', ';', '\t'}) {
        DelimitedText first(text, separator, true, file);
        std::vector<TableCell> cells;
        try {
            first.Next(cells, 4 * kRecordColumnCount, "");
        } catch (const Refusal&) {
            continue;
        }
        const auto captions = static_cast<std::size_t>(std::count_if(cells.begin(), cells.end(), [](const TableCell& cell) {
            return std::any_of(kRecordColumns.begin(), kRecordColumns.end(),
                               [&](const RecordColumn& column) { return ColumnCaption(column) == cell.text; });
        }));
        if (captions > most) {
            most = captions;
            best = separator;
        }
    }
    return best;
}

} // namespace

void ReadDelimitedTable(std::string_view bytes, EditedTable& table)
{
    std::string held;
    const std::string_view text = AsUtf8(bytes, table, held);
    std::size_t from = 0;
    const bool csv = table.format == RecordFormat::Csv;
    const char separator = csv ? SeparatorOf(text, table.file, from) : '\t';
    DelimitedText in(text, separator, csv, table.file, from);
    ReadCellRows(in, table, false);
}

} // namespace zuninfo
