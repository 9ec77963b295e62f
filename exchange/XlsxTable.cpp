// xlsx as Excel, LibreOffice and zuninfo-export save it: the first sheet of
// the workbook, its shared strings, and its cells.
#include "exchange/SpreadsheetParts.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace zuninfo {

namespace {

// Text as xlsx escapes what XML cannot hold: "_x000D_" for CR.
std::string Unescaped(const std::string& text)
{
    if (text.find("_x") == std::string::npos)
        return text;
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        unsigned code = 0;
        bool escape = text.compare(at, 2, "_x") == 0 && at + 7 <= text.size() && text[at + 6] == '_';
        for (std::size_t k = 2; escape && k < 6; ++k) {
            const char c = text[at + k];
            const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            escape = digit >= 0;
            code = code * 16 + static_cast<unsigned>(digit);
        }
        if (!escape) {
            out += text[at++];
            continue;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
        at += 7;
    }
    return out;
}

// The first sheet's part, and the shared strings', from the workbook and its
// relationships.
class WorkbookParts : public XmlEvents {
public:
    void Start(std::string_view name, const char** attributes) override
    {
        if (name == "sheet" && !sheetId_) {
            const char* id = AttributeOf(attributes, "id");
            sheetId_ = id ? id : "";
        } else if (name == "Relationship") {
            const char* id = AttributeOf(attributes, "Id");
            const char* target = AttributeOf(attributes, "Target");
            const char* type = AttributeOf(attributes, "Type");
            if (id == nullptr || target == nullptr)
                return;
            std::string path = target[0] == '/' ? std::string(target + 1) : "xl/" + std::string(target);
            if (sheetId_ && id == *sheetId_)
                sheet = path;
            if (type != nullptr && std::string_view(type).ends_with("/sharedStrings"))
                sharedStrings = path;
        }
    }
    void End(std::string_view) override {}
    void Text(std::string_view) override {}

    std::optional<std::string> sheetId_;
    std::string sheet;
    std::string sharedStrings;
};

// The shared strings: each <si>'s text, its runs' <t> joined, the phonetic
// runs left out.
class SharedStrings : public XmlEvents {
public:
    explicit SharedStrings(const std::string& file) : file_(file) {}

    void Start(std::string_view name, const char**) override
    {
        if (name == "si") {
            if (strings.size() >= kMostStrings)
                throw Refusal(file_, {0, 0}, "more than " + std::to_string(kMostStrings) + " shared strings in the workbook");
            strings.emplace_back();
        } else if (name == "rPh") {
            phonetic_ = true;
        } else if (name == "t") {
            inText_ = !phonetic_ && !strings.empty();
        }
    }
    void End(std::string_view name) override
    {
        if (name == "rPh")
            phonetic_ = false;
        else if (name == "t")
            inText_ = false;
        else if (name == "si")
            strings.back() = Unescaped(strings.back());
    }
    void Text(std::string_view text) override
    {
        if (inText_)
            strings.back() += text;
    }

    static constexpr std::size_t kMostStrings = 4 * kMostEditedRows * kRecordColumnCount;
    std::vector<std::string> strings;

private:
    const std::string& file_;
    bool phonetic_ = false;
    bool inText_ = false;
};

// The sheet's cells: <row r="N"> of <c r="B2" t="..."> with a <v>, an <f> and
// <is><t> inline text.
class SheetPart : public XmlEvents {
public:
    SheetPart(SheetCells& cells, const std::vector<std::string>& strings) : cells_(cells), strings_(strings) {}

    void Start(std::string_view name, const char** attributes) override
    {
        if (name == "row") {
            const char* r = AttributeOf(attributes, "r");
            row_ = r ? Bounded(r, kMostSheetRows, row_ + 1) : row_ + 1;
            column_ = 0;
        } else if (name == "c") {
            const char* r = AttributeOf(attributes, "r");
            const char* t = AttributeOf(attributes, "t");
            column_ = r ? ColumnOf(r) : column_ + 1;
            type_ = t ? t : "n";
            value_.clear();
            inline_.clear();
            formula_ = hasValue_ = false;
        } else if (name == "v") {
            hasValue_ = inValue_ = true;
        } else if (name == "f") {
            formula_ = true;
        } else if (name == "t") {
            inInline_ = true;
        }
        if (cells_.Full())
            done = true;
    }
    void End(std::string_view name) override
    {
        if (name == "v")
            inValue_ = false;
        else if (name == "t")
            inInline_ = false;
        else if (name == "c")
            cells_.Add(row_, column_, CellText());
    }
    void Text(std::string_view text) override
    {
        if (inValue_)
            value_ += text;
        else if (inInline_)
            inline_ += text;
    }

private:
    std::int64_t Bounded(const char* digits, std::int64_t most, std::int64_t otherwise) const
    {
        std::int64_t value = 0;
        for (const char* c = digits; *c >= '0' && *c <= '9'; ++c)
            value = std::min(value * 10 + (*c - '0'), most + 1);
        if (value < 1 || value > most)
            throw cells_.At(otherwise, 1, "a row or column number past what a sheet holds");
        return value;
    }

    // "B2" -> 2.
    std::int64_t ColumnOf(const char* reference) const
    {
        std::int64_t column = 0;
        for (const char* c = reference; *c >= 'A' && *c <= 'Z'; ++c)
            column = std::min<std::int64_t>(column * 26 + (*c - 'A' + 1), kMostSheetColumns + 1);
        if (column < 1 || column > kMostSheetColumns)
            throw cells_.At(row_, 1, "a cell reference past what a sheet holds");
        return column;
    }

    std::string CellText() const
    {
        if (type_ == "inlineStr")
            return Unescaped(inline_);
        if (formula_ && !hasValue_)
            throw cells_.At(row_, column_, "a formula with no saved value: save the workbook in the spreadsheet "
                                           "program, which saves each formula's value with it");
        if (!hasValue_)
            return {}; // a cell with a style alone
        if (type_ == "s") {
            std::size_t index = 0;
            const auto [end, error] = std::from_chars(value_.data(), value_.data() + value_.size(), index);
            if (error != std::errc() || end != value_.data() + value_.size() || index >= strings_.size())
                throw cells_.At(row_, column_, "a shared string " + Quoted(value_) + " that the workbook does not have");
            return strings_[index];
        }
        if (type_ == "str" || type_ == "e")
            return Unescaped(value_);
        if (type_ == "b")
            return value_ == "1" ? "TRUE" : "FALSE";
        return SavedNumber(value_);
    }

    SheetCells& cells_;
    const std::vector<std::string>& strings_;
    std::int64_t row_ = 0, column_ = 0;
    std::string type_, value_, inline_;
    bool formula_ = false, hasValue_ = false, inValue_ = false, inInline_ = false;
};

} // namespace

void ReadXlsxTable(std::string_view bytes, EditedTable& table)
{
    const ZipParts zip(bytes, table.file);
    WorkbookParts parts;
    ReadXml(zip, "xl/workbook.xml", parts, table.file);
    ReadXml(zip, "xl/_rels/workbook.xml.rels", parts, table.file);
    if (parts.sheet.empty())
        throw Refusal(table.file, {0, 0}, "the workbook names no sheet that it holds");
    SharedStrings strings(table.file);
    if (!parts.sharedStrings.empty() && zip.Has(parts.sharedStrings))
        ReadXml(zip, parts.sharedStrings, strings, table.file);
    SheetCells cells(table.file);
    SheetPart sheet(cells, strings.strings);
    ReadXml(zip, parts.sheet, sheet, table.file);
    ReadCellRows(cells, table, true);
}

} // namespace zuninfo
