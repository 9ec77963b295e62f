#include "exchange/XlsxWorkbook.h"

#include "data/MonsterFields.h"
#include "data/NameLists.h"
#include "exchange/RecordColumns.h"
#include "platform/FileAccess.h"
#include "save/NamedPath.h"
#include "save/OutputFile.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace zuninfo {

namespace {

// Characters, not bytes, of UTF-8 text: what a column's width is counted in.
std::size_t Characters(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void Check(lxw_error error, const char* doing)
{
    if (error != LXW_NO_ERROR)
        throw std::runtime_error(std::string("cannot make the xlsx workbook: ") + doing + ": " + lxw_strerror(error));
}

// A workbook that is closed (and so written) once, or freed where it is not.
class Workbook {
public:
    explicit Workbook(const std::string& path) : book_(New(path))
    {
        if (book_ == nullptr)
            throw std::runtime_error("cannot make the xlsx workbook in '" + path + "'");
    }
    ~Workbook()
    {
        if (book_ != nullptr)
            workbook_close(book_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* operator->() const { return book_; }
    lxw_workbook* get() const { return book_; }
    void Close()
    {
        lxw_workbook* book = book_;
        book_ = nullptr;
        Check(workbook_close(book), "writing it");
    }

private:
    static lxw_workbook* New(const std::string& path)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        return workbook_new_opt(path.c_str(), &options);
    }
    lxw_workbook* book_;
};

constexpr lxw_row_t kHeaderRow = 0;
// The last row with drop-downs: room for as many records as the viewer
// holds, so that rows a user adds have them too.
constexpr lxw_row_t kRowsWithDropDowns = static_cast<lxw_row_t>(kMonsterSlots);

// The sheet of the lists: a column a list, the names its ids have in the
// order of the ids (an id without a name left out); gives the formula of
// each list's range, empty for a list without names. Written a row at a
// time, as a workbook of constant memory needs.
std::array<std::string, kNameLists.size()> WriteLists(lxw_worksheet* sheet)
{
    std::array<std::vector<std::string>, kNameLists.size()> names;
    std::size_t rows = 0;
    for (const NameList list : kNameLists) {
        std::vector<std::string>& column = names[static_cast<std::size_t>(list)];
        const auto ids = static_cast<std::int32_t>(NameTable(list).size());
        for (std::int32_t id = 0; id < ids; ++id) {
            std::string name = ShownName(list, id);
            if (!name.empty())
                column.push_back(std::move(name));
        }
        rows = std::max(rows, column.size());
    }
    std::array<std::string, kNameLists.size()> ranges;
    for (const NameList list : kNameLists) {
        const auto column = static_cast<lxw_col_t>(list);
        const std::vector<std::string>& listNames = names[static_cast<std::size_t>(list)];
        std::size_t widest = 0;
        for (const std::string& name : listNames)
            widest = std::max(widest, Characters(name));
        worksheet_set_column(sheet, column, column, static_cast<double>(std::min<std::size_t>(widest + 2, 60)), nullptr);
        if (!listNames.empty()) {
            const std::string letter(1, static_cast<char>('A' + column));
            ranges[static_cast<std::size_t>(list)] =
                "=Lists!$" + letter + "$1:$" + letter + "$" + std::to_string(listNames.size());
        }
    }
    for (std::size_t row = 0; row < rows; ++row) {
        for (const NameList list : kNameLists) {
            const std::vector<std::string>& listNames = names[static_cast<std::size_t>(list)];
            if (row < listNames.size())
                Check(worksheet_write_string(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(list),
                                             listNames[row].c_str(), nullptr),
                      "a list's name");
        }
    }
    return ranges;
}

void WriteWorkbook(const std::vector<ShownRecord>& records, const std::string& path)
{
    Workbook book(path);
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), "Monsters");
    lxw_worksheet* lists = workbook_add_worksheet(book.get(), "Lists");
    if (sheet == nullptr || lists == nullptr)
        throw std::runtime_error("cannot make the xlsx workbook's sheets");
    lxw_format* bold = workbook_add_format(book.get());
    format_set_bold(bold);

    std::array<std::size_t, kRecordColumnCount> widths{};
    for (std::size_t column = 0; column < kRecordColumnCount; ++column) {
        const RecordColumn& c = kRecordColumns[column];
        const std::string caption = ColumnCaption(c);
        widths[column] = Characters(caption);
        const auto at = static_cast<lxw_col_t>(column);
        Check(worksheet_write_string(sheet, kHeaderRow, at, caption.c_str(), bold), "the header");
        if (const char* hint = kMonsterFields[static_cast<std::size_t>(c.field)].hint)
            Check(worksheet_write_comment(sheet, kHeaderRow, at, hint), "a note");
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto row = static_cast<lxw_row_t>(i + 1);
        for (std::size_t column = 0; column < kRecordColumnCount; ++column) {
            const RecordColumn& c = kRecordColumns[column];
            const std::int32_t value = records[i].record.Fields[static_cast<std::size_t>(c.field)];
            const auto at = static_cast<lxw_col_t>(column);
            if (c.isName) {
                const std::string name = ShownName(*kMonsterFields[static_cast<std::size_t>(c.field)].names, value);
                widths[column] = std::max(widths[column], Characters(name));
                Check(worksheet_write_string(sheet, row, at, name.c_str(), nullptr), "a name");
            } else {
                widths[column] = std::max(widths[column], std::to_string(value).size());
                Check(worksheet_write_number(sheet, row, at, value, nullptr), "a number");
            }
        }
    }

    const std::array<std::string, kNameLists.size()> ranges = WriteLists(lists);
    for (std::size_t column = 0; column < kRecordColumnCount; ++column) {
        const RecordColumn& c = kRecordColumns[column];
        const auto at = static_cast<lxw_col_t>(column);
        // Room for the autofilter's button beside the caption.
        worksheet_set_column(sheet, at, at, static_cast<double>(std::min<std::size_t>(widths[column] + 4, 60)), nullptr);
        const std::string& range = c.isName ? ranges[static_cast<std::size_t>(*kMonsterFields[static_cast<std::size_t>(c.field)].names)] : "";
        if (range.empty())
            continue;
        lxw_data_validation validation{};
        validation.validate = LXW_VALIDATION_TYPE_LIST_FORMULA;
        validation.value_formula = const_cast<char*>(range.c_str());
        Check(worksheet_data_validation_range(sheet, 1, at, kRowsWithDropDowns, at, &validation), "a drop-down");
    }
    worksheet_freeze_panes(sheet, 1, 0);
    Check(worksheet_autofilter(sheet, kHeaderRow, 0, static_cast<lxw_row_t>(records.size()),
                               static_cast<lxw_col_t>(kRecordColumnCount - 1)),
          "the autofilter");
    book.Close();
}

} // namespace

void WriteXlsx(const std::vector<ShownRecord>& records, std::ostream& out)
{
    // libxlsxwriter writes a file by its name: a scratch file of our own,
    // never kept, whose bytes then go out as any export's do.
    OutputFile scratch(NamedPathText(std::filesystem::temp_directory_path() / "zuninfo-export.xlsx"));
    const std::string path = NamedPathText(scratch.Temporary());
    WriteWorkbook(records, path);
    // (By its UTF-8 name, which Windows takes whatever the code page.)
    std::FILE* file = OpenNamedFile(path);
    if (file == nullptr)
        throw std::runtime_error("cannot read the xlsx workbook back from '" + path + "'");
    char buffer[64 * 1024];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        out.write(buffer, static_cast<std::streamsize>(got));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        throw std::runtime_error("cannot read the xlsx workbook back from '" + path + "'");
}

} // namespace zuninfo
