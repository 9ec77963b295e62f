#include "import/EditedTable.h"

#include "platform/Conversions.h"
#include "platform/Exception.h"
#include "platform/TextEncoding.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>

namespace zuninfo {

namespace {

const char* CaptionOf(int field)
{
    return kMonsterFields[static_cast<std::size_t>(field)].caption;
}

bool HasNames(int field)
{
    return kMonsterFields[static_cast<std::size_t>(field)].names.has_value();
}

// "A" for the first column, "Z", "AA", ... as spreadsheets name them.
std::string ColumnLetters(std::size_t position)
{
    std::string letters;
    for (std::size_t n = position + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters;
}

// Where the byte at `offset` stands in `text`.
FilePlace PlaceOf(std::string_view text, std::size_t offset)
{
    offset = std::min(offset, text.size());
    const std::string_view before = text.substr(0, offset);
    const std::size_t lineStart = before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
    return {1 + std::count(before.begin(), before.end(), '\n'), static_cast<std::int64_t>(offset - lineStart) + 1};
}

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

// What a cell holds where a number belongs, and is none.
std::string NotANumber(const std::string& shown)
{
    return (shown.empty() ? "the cell is empty: it needs a number" : shown + " is not a number")
           + " as the viewer reads one (an optional sign and digits, from "
           + std::to_string(std::numeric_limits<std::int32_t>::min()) + " to "
           + std::to_string(std::numeric_limits<std::int32_t>::max()) + "); nothing is guessed";
}

// A cell's number, read as the viewer reads a field.
std::int32_t NumberIn(const EditedTable& table, const EditedRow& row, std::size_t column, std::string_view cell)
{
    try {
        return StrToInt(cell);
    } catch (const Exception&) {
        throw table.AtCell(row, column, NotANumber(cell.empty() ? std::string() : Quoted(cell)));
    }
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
class DelimitedText {
public:
    struct Cell {
        std::string text;
        FilePlace place;
    };

    DelimitedText(std::string_view text, RecordFormat format, const std::string& file)
        : text_(text), file_(file), separator_(format == RecordFormat::Csv ? ',' : '\t'),
          quoted_(format == RecordFormat::Csv)
    {
        if (text_.starts_with("\xEF\xBB\xBF"))
            at_ = 3;
    }

    bool AtEnd() const { return at_ >= text_.size(); }
    FilePlace Here() const { return {line_, static_cast<std::int64_t>(at_ - lineStart_) + 1}; }

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

    std::int64_t Row() const { return row_; }

private:
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
};

void ReadDelimited(std::string_view text, EditedTable& table)
{
    if (const std::size_t bad = FirstNonUtf8(text); bad != std::string_view::npos)
        throw Refusal(table.file, PlaceOf(text, bad),
                      "the byte " + VisibleBytes(text.substr(bad, 1))
                          + " is not UTF-8: save the table as UTF-8 text (\"CSV UTF-8\" in a spreadsheet)");
    DelimitedText in(text, table.format, table.file);
    std::string captions;
    for (const RecordColumn& column : kRecordColumns)
        captions += (captions.empty() ? "" : ", ") + ColumnCaption(column);
    if (in.AtEnd())
        throw Refusal(table.file, {0, 0}, "no header row: the export's is " + captions);

    std::vector<DelimitedText::Cell> cells;
    in.ReadRow(cells, 4 * kRecordColumnCount,
               "the header has more than " + std::to_string(4 * kRecordColumnCount) + " columns, the export "
                   + std::to_string(kRecordColumnCount));
    std::array<std::optional<std::size_t>, kRecordColumnCount> found;
    for (std::size_t position = 0; position < cells.size(); ++position) {
        const auto known = std::find_if(kRecordColumns.begin(), kRecordColumns.end(), [&](const RecordColumn& c) {
            return ColumnCaption(c) == cells[position].text;
        });
        const std::string named = "column " + ColumnLetters(position) + " of the header, " + Quoted(cells[position].text);
        if (known == kRecordColumns.end())
            throw Refusal(table.file, cells[position].place,
                          named + ", is not a column of the export; its columns are " + captions);
        auto& slot = found[static_cast<std::size_t>(known - kRecordColumns.begin())];
        if (slot)
            throw Refusal(table.file, cells[position].place,
                          named + ", stands twice: first in column " + ColumnLetters(*slot));
        slot = position;
    }
    std::string missing;
    for (std::size_t column = 0; column < kRecordColumnCount; ++column) {
        if (!found[column])
            missing += (missing.empty() ? "" : ", ") + ColumnCaption(kRecordColumns[column]);
        else
            table.positions[column] = *found[column];
    }
    if (!missing.empty())
        throw Refusal(table.file, cells.front().place, "the header lacks the export's columns " + missing);

    table.rows.reserve(std::min<std::size_t>(std::count(text.begin(), text.end(), '\n'), kMostEditedRows));
    const std::size_t width = cells.size();
    const std::string tooMany = "it has more cells than the header's " + std::to_string(width);
    while (!in.AtEnd()) {
        const FilePlace start = in.Here();
        in.ReadRow(cells, width, tooMany);
        if (std::all_of(cells.begin(), cells.end(), [](const DelimitedText::Cell& c) { return c.text.empty(); }))
            continue;
        if (table.rows.size() == kMostEditedRows)
            throw Refusal(table.file, start, "row " + std::to_string(in.Row()) + ": more than "
                                                 + std::to_string(kMostEditedRows) + " rows, and the viewer holds "
                                                 + std::to_string(kMonsterSlots) + " records");
        EditedRow& row = table.rows.emplace_back();
        row.number = in.Row();
        row.place = start;
        if (cells.size() != width)
            throw table.AtRow(row, "it has " + std::to_string(cells.size()) + " cells, the header "
                                       + std::to_string(width));
        for (std::size_t column = 0; column < kRecordColumnCount; ++column)
            row.cells[column] = cells[table.positions[column]].place;
        // The Index (column 0) first, so that the row is named by it.
        for (std::size_t column = 0; column < kRecordColumnCount; ++column) {
            const RecordColumn& c = kRecordColumns[column];
            const std::string& cell = cells[table.positions[column]].text;
            if (c.isName) {
                row.names[static_cast<std::size_t>(c.field)] = cell;
            } else {
                row.values[static_cast<std::size_t>(c.field)] = NumberIn(table, row, column, cell);
                row.indexRead = row.indexRead || c.field == 0;
            }
        }
    }
}

// An iterator over the text that tells how far the JSON parser has read.
class TrackedBytes {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackedBytes(const char* at, const char** read) : at_(at), read_(read) {}
    reference operator*() const { return *at_; }
    TrackedBytes& operator++()
    {
        *read_ = ++at_;
        return *this;
    }
    TrackedBytes operator++(int)
    {
        TrackedBytes before = *this;
        ++*this;
        return before;
    }
    bool operator==(const TrackedBytes& other) const { return at_ == other.at_; }

private:
    const char* at_;
    const char** read_;
};

// The JSON export, read event by event into rows: one array of objects, one
// a record, each field by its caption, an id field as {"id": 3, "name":
// "Orc"}, and "record" and "line".
class JsonRows {
public:
    using Json = nlohmann::json;

    JsonRows(std::string_view text, EditedTable& table) : text_(text), table_(table), read_(text.data()) {}

    void Read()
    {
        const char* begin = text_.data();
        Json::sax_parse(TrackedBytes(begin, &read_), TrackedBytes(begin + text_.size(), &read_), this);
        if (depth_ != 0 || !sawArray_)
            throw Refusal(table_.file, {0, 0}, "no array of records");
    }

    // The SAX events.
    bool null() { return Scalar("null"); }
    bool boolean(bool value) { return Scalar(value ? "true" : "false"); }
    bool number_integer(Json::number_integer_t value) { return Integer(value, std::to_string(value)); }
    bool number_unsigned(Json::number_unsigned_t value)
    {
        return Integer(value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())
                           ? std::numeric_limits<std::int64_t>::max()
                           : static_cast<std::int64_t>(value),
                       std::to_string(value));
    }
    bool number_float(Json::number_float_t, const std::string& text) { return Scalar(text); }
    bool string(std::string& text)
    {
        if (depth_ == 3 && member_ == kName) {
            row_.names[static_cast<std::size_t>(field_)] = std::move(text);
            return true;
        }
        return Scalar(JsonQuoted(text));
    }
    bool binary(Json::binary_t&) { return Scalar("binary"); }

    bool start_object(std::size_t)
    {
        const FilePlace place = PlaceRead(-1);
        if (depth_ == 1) {
            row_ = EditedRow{};
            row_.number = ++objects_;
            row_.place = place;
            seen_.fill(false);
            if (table_.rows.size() == kMostEditedRows)
                throw table_.AtRow(row_, "more than " + std::to_string(kMostEditedRows)
                                             + " objects, and the viewer holds " + std::to_string(kMonsterSlots)
                                             + " records");
        } else if (depth_ == 2 && member_ >= 0 && HasNames(member_)) {
            field_ = member_;
            idSeen_ = nameSeen_ = false;
            idObject_ = place;
        } else {
            Unexpected(place, "an object");
        }
        ++depth_;
        return true;
    }
    bool end_object()
    {
        if (depth_ == 3) {
            if (!idSeen_ || !nameSeen_)
                throw Refusal(table_.file, idObject_,
                              RowText() + ", \"" + CaptionOf(field_) + "\": the object has no "
                                  + (idSeen_ ? "\"name\"" : "\"id\"") + "; an id field is {\"id\": 3, \"name\": \"Orc\"}");
        } else {
            std::string missing;
            for (int field = 0; field < kMonsterFieldCount; ++field) {
                if (!seen_[static_cast<std::size_t>(field)])
                    missing += std::string(missing.empty() ? "" : ", ") + '"' + CaptionOf(field) + '"';
            }
            if (!missing.empty())
                throw table_.AtRow(row_, "the object lacks the fields " + missing);
            table_.rows.push_back(std::move(row_));
        }
        --depth_;
        return true;
    }
    bool start_array(std::size_t)
    {
        if (depth_ != 0)
            Unexpected(PlaceRead(-1), "an array");
        sawArray_ = true;
        ++depth_;
        return true;
    }
    bool end_array()
    {
        --depth_;
        return true;
    }

    bool key(std::string& key)
    {
        const FilePlace keyPlace = PlaceOfKey();
        const FilePlace valuePlace = PlaceOfValue();
        if (depth_ == 3) {
            member_ = key == "id" ? kId : key == "name" ? kName : kUnknown;
            bool& seen = member_ == kId ? idSeen_ : nameSeen_;
            if (member_ == kUnknown || seen)
                throw Refusal(table_.file, keyPlace,
                              RowText() + ", \"" + CaptionOf(field_) + "\": " + JsonQuoted(key)
                                  + (member_ == kUnknown ? " is neither \"id\" nor \"name\"" : " stands twice"));
            seen = true;
            row_.cells[ColumnOf(field_, member_ == kName)] = valuePlace;
            return true;
        }
        int member = kUnknown;
        for (int field = 0; field < kMonsterFieldCount; ++field) {
            if (key == CaptionOf(field))
                member = field;
        }
        if (key == "record" || key == "line")
            member = key == "record" ? kRecord : kLine;
        if (member == kUnknown)
            throw Refusal(table_.file, keyPlace,
                          RowText() + ": " + JsonQuoted(key) + " is not a field of the export, nor \"record\" or \"line\"");
        bool& seen = seen_[static_cast<std::size_t>(member >= 0 ? member : kMonsterFieldCount + kRecord - member)];
        if (seen)
            throw Refusal(table_.file, keyPlace, RowText() + ": " + JsonQuoted(key) + " stands twice");
        seen = true;
        member_ = member;
        if (member >= 0)
            row_.cells[ColumnOf(member, false)] = valuePlace;
        valuePlace_ = valuePlace;
        return true;
    }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& error)
    {
        // nlohmann's message after its own "[json.exception...] parse error at line L, column C: ".
        std::string what = error.what();
        if (const std::size_t words = what.find(": "); what.starts_with("[json.exception") && words != std::string::npos)
            what = what.substr(words + 2);
        throw Refusal(table_.file, PlaceOf(text_, position == 0 ? 0 : position - 1), "not JSON: " + what);
    }

private:
    // What a key names besides a field.
    static constexpr int kUnknown = -1, kRecord = -2, kLine = -3, kId = -4, kName = -5;

    std::string RowText() const { return table_.RowName(row_); }

    // Where the byte `back` bytes before the parser's reading point stands.
    FilePlace PlaceRead(std::ptrdiff_t back) const
    {
        return PlaceOf(text_, static_cast<std::size_t>(read_ - text_.data() + back));
    }
    // A key's opening quote: the parser has just read its closing one.
    FilePlace PlaceOfKey() const
    {
        std::size_t at = static_cast<std::size_t>(read_ - text_.data());
        at = at >= 2 ? at - 2 : 0;
        while (at > 0 && !(text_[at] == '"' && text_[at - 1] != '\\'))
            --at;
        return PlaceOf(text_, at);
    }
    // The value after the key just read: past the spaces and the colon.
    FilePlace PlaceOfValue() const
    {
        std::size_t at = static_cast<std::size_t>(read_ - text_.data());
        while (at < text_.size() && std::string_view(" \t\r\n:").find(text_[at]) != std::string_view::npos)
            ++at;
        return PlaceOf(text_, at);
    }

    static std::string JsonQuoted(const std::string& text)
    {
        const std::string quoted = Quoted(text);
        return '"' + quoted.substr(1, quoted.size() - 2) + '"';
    }

    [[noreturn]] void Unexpected(FilePlace place, const std::string& what) const
    {
        if (depth_ == 0)
            throw Refusal(table_.file, place, "the export is one array of records, not " + what);
        if (depth_ == 1)
            throw Refusal(table_.file, place,
                          "element " + std::to_string(objects_ + 1) + " of the array is " + what + ", not a record object");
        if (member_ >= 0)
            throw table_.AtCell(row_, ColumnOf(member_, false), what + " where a number belongs");
        throw Refusal(table_.file, place, RowText() + ": " + what + " where a number belongs");
    }

    // A value that is no whole number (or, for a name, no text).
    bool Scalar(const std::string& shown)
    {
        if (depth_ < 2)
            Unexpected(PlaceRead(-1), shown);
        if (depth_ == 3 && member_ == kName)
            throw table_.AtCell(row_, ColumnOf(field_, true), shown + " where the name's text belongs");
        const std::size_t column = depth_ == 3 ? ColumnOf(field_, false) : member_ >= 0 ? ColumnOf(member_, false) : 0;
        if (depth_ == 2 && member_ < 0)
            throw Refusal(table_.file, valuePlace_,
                          RowText() + ": \"" + (member_ == kRecord ? "record" : "line") + "\" is " + shown
                              + ", not a whole number");
        if (depth_ == 2 && HasNames(member_))
            throw table_.AtCell(row_, column, shown + " where {\"id\": 3, \"name\": \"Orc\"} belongs");
        throw table_.AtCell(row_, column, NotANumber(shown));
    }

    bool Integer(std::int64_t value, const std::string& shown)
    {
        if (depth_ < 2)
            return Scalar(shown);
        const bool inRange = value >= std::numeric_limits<std::int32_t>::min()
                             && value <= std::numeric_limits<std::int32_t>::max();
        if (depth_ == 2 && member_ == kLine)
            return true;
        if (depth_ == 2 && member_ == kRecord) {
            if (!inRange || value < 0)
                throw Refusal(table_.file, valuePlace_, RowText() + ": \"record\" " + shown + " is no record's number");
            row_.record = static_cast<std::int32_t>(value);
            return true;
        }
        if (!inRange || (depth_ == 2 && HasNames(member_)) || (depth_ == 3 && member_ != kId))
            return Scalar(shown);
        const int field = depth_ == 3 ? field_ : member_;
        row_.values[static_cast<std::size_t>(field)] = static_cast<std::int32_t>(value);
        row_.indexRead = row_.indexRead || field == 0;
        return true;
    }

    std::string_view text_;
    EditedTable& table_;
    const char* read_; // how far the parser has read
    int depth_ = 0;
    bool sawArray_ = false;
    std::int64_t objects_ = 0;
    EditedRow row_;
    // Which members the object has had: each field, then "record" and "line".
    std::array<bool, kMonsterFieldCount + 2> seen_{};
    int member_ = kUnknown; // what the last key named
    FilePlace valuePlace_;
    // Inside an id field's object.
    int field_ = 0;
    bool idSeen_ = false, nameSeen_ = false;
    FilePlace idObject_;
};

} // namespace

std::string Refusal::Text() const
{
    std::string text = file_;
    if (place_.line != 0)
        text += ':' + std::to_string(place_.line) + ':' + std::to_string(place_.column);
    return text + ": error: " + what();
}

std::size_t ColumnOf(int field, bool isName)
{
    for (std::size_t column = 0; column < kRecordColumnCount; ++column) {
        if (kRecordColumns[column].field == field && kRecordColumns[column].isName == isName)
            return column;
    }
    return 0;
}

std::string EditedTable::RowName(const EditedRow& row) const
{
    std::string name = (format == RecordFormat::Json ? "object " : "row ") + std::to_string(row.number);
    return row.indexRead ? name + " (Index " + std::to_string(row.values[0]) + ")" : name;
}

std::string EditedTable::ColumnName(std::size_t column) const
{
    const RecordColumn& c = kRecordColumns[column];
    if (format == RecordFormat::Json)
        return '"' + std::string(CaptionOf(c.field)) + '"' + (HasNames(c.field) ? (c.isName ? " name" : " id") : "");
    return "column " + ColumnLetters(positions[column]) + " (" + ColumnCaption(c) + ")";
}

Refusal EditedTable::AtRow(const EditedRow& row, const std::string& problem) const
{
    return Refusal(file, row.place, RowName(row) + ": " + problem);
}

Refusal EditedTable::AtCell(const EditedRow& row, std::size_t column, const std::string& problem) const
{
    return Refusal(file, row.cells[column], RowName(row) + ", " + ColumnName(column) + ": " + problem);
}

EditedTable ReadEditedTable(std::string_view text, RecordFormat format, const std::string& file)
{
    EditedTable table;
    table.file = file;
    table.format = format;
    if (format == RecordFormat::Json)
        JsonRows(text, table).Read();
    else
        ReadDelimited(text, table);
    return table;
}

std::string Quoted(std::string_view text)
{
    if (!IsUtf8(text))
        return "'" + VisibleStart(text.substr(0, kVisibleStartBytes), text.size()) + "'";
    std::string shown;
    std::size_t used = 0;
    for (; used < text.size() && shown.size() < kVisibleStartBytes; ++used) {
        const auto byte = static_cast<unsigned char>(text[used]);
        shown += byte < 0x20 || byte == 0x7F ? VisibleBytes(text.substr(used, 1)) : std::string(1, text[used]);
    }
    // Whole characters only.
    while (used < text.size() && (static_cast<unsigned char>(text[used]) & 0xC0) == 0x80)
        shown += text[used++];
    if (used < text.size())
        shown += "... (" + std::to_string(text.size()) + " bytes)";
    return "'" + shown + "'";
}

} // namespace zuninfo
