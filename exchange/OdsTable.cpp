// ods as LibreOffice and others save it: the first table of content.xml,
// its rows and cells with their repeat counts, which are counted and never
// spread out past what a table of the records can hold.
#include "exchange/SpreadsheetParts.h"

#include <charconv>

namespace zuninfo {

namespace {

class ContentPart : public XmlEvents {
public:
    explicit ContentPart(SheetCells& cells) : cells_(cells) {}

    void Start(std::string_view name, const char** attributes) override
    {
        if (name == "table") {
            ++tables_;
            return;
        }
        if (tables_ != 1 || annotation_ > 0) {
            annotation_ += name == "annotation" && tables_ == 1 ? 1 : 0;
            return;
        }
        if (name == "annotation") {
            ++annotation_;
        } else if (name == "table-row") {
            ++row_;
            rowRepeated_ = Repeated(attributes, "number-rows-repeated");
            column_ = 1;
        } else if (name == "table-cell" || name == "covered-table-cell") {
            inCell_ = true;
            columnRepeated_ = Repeated(attributes, "number-columns-repeated");
            text_.clear();
            paragraphs_ = 0;
            const char* type = AttributeOf(attributes, "value-type");
            const char* formula = AttributeOf(attributes, "formula");
            if (type == nullptr && formula != nullptr)
                throw cells_.At(row_, column_, "a formula with no saved value: save the workbook in the spreadsheet "
                                               "program, which saves each formula's value with it");
            const std::string_view kind = type ? type : "";
            const char* value = AttributeOf(attributes, "value");
            // A number's value, not as it is shown (a percentage, a currency);
            // a date's or time's as shown, which is never a number either.
            number_ = (kind == "float" || kind == "percentage" || kind == "currency") && value != nullptr;
            if (number_)
                text_ = SavedNumber(value);
            const char* string = AttributeOf(attributes, "string-value");
            if (kind == "string" && string != nullptr) {
                number_ = true; // the attribute holds it all
                text_ = string;
            }
        } else if (name == "p" && inCell_) {
            if (paragraphs_++ > 0 && !number_)
                text_ += '\n';
        } else if (name == "s" && inCell_ && !number_) {
            const char* count = AttributeOf(attributes, "c");
            text_.append(static_cast<std::size_t>(std::min<std::int64_t>(Count(count), 1024)), ' ');
        } else if (name == "tab" && inCell_ && !number_) {
            text_ += '\t';
        } else if (name == "line-break" && inCell_ && !number_) {
            text_ += '\n';
        }
    }
    void End(std::string_view name) override
    {
        if (name == "table") {
            if (--tables_ == 0)
                done = true;
            return;
        }
        if (tables_ != 1)
            return;
        if (annotation_ > 0) {
            annotation_ -= name == "annotation" ? 1 : 0;
            return;
        }
        if (name == "table-cell" || name == "covered-table-cell") {
            cells_.Add(row_, column_, text_, columnRepeated_);
            column_ = std::min(column_ + columnRepeated_, kMostSheetColumns + 1);
            inCell_ = false;
        } else if (name == "table-row") {
            cells_.RepeatRow(row_, rowRepeated_);
            row_ = std::min(row_ + rowRepeated_ - 1, kMostSheetRows * 1024);
            if (cells_.Full())
                done = true;
        }
    }
    void Text(std::string_view text) override
    {
        if (inCell_ && !number_ && annotation_ == 0 && paragraphs_ > 0)
            text_ += text;
    }

private:
    static std::int64_t Count(const char* digits)
    {
        std::int64_t count = 1;
        if (digits != nullptr) {
            const std::string_view text(digits);
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
            if (error == std::errc::result_out_of_range)
                count = kMostSheetRows * 1024;
            else if (error != std::errc() || count < 1)
                count = 1;
        }
        return count;
    }
    static std::int64_t Repeated(const char** attributes, std::string_view name)
    {
        return std::min(Count(AttributeOf(attributes, name)), kMostSheetRows * 1024);
    }

    SheetCells& cells_;
    int tables_ = 0;
    int annotation_ = 0;
    std::int64_t row_ = 0, column_ = 1;
    std::int64_t rowRepeated_ = 1, columnRepeated_ = 1;
    bool inCell_ = false, number_ = false;
    int paragraphs_ = 0;
    std::string text_;
};

} // namespace

void ReadOdsTable(std::string_view bytes, EditedTable& table)
{
    const ZipParts zip(bytes, table.file);
    SheetCells cells(table.file);
    ContentPart content(cells);
    ReadXml(zip, "content.xml", content, table.file);
    ReadCellRows(cells, table, true);
}

} // namespace zuninfo
