// The JSON export, read event by event with nlohmann's parser.
#include "exchange/TableReaders.h"

#include "platform/TextEncoding.h"

#include <nlohmann/json.hpp>

#include <iterator>
#include <limits>

namespace zuninfo {

namespace {

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

void ReadJsonTable(std::string_view text, EditedTable& table)
{
    JsonRows(text, table).Read();
}

} // namespace zuninfo
