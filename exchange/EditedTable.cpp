#include "exchange/EditedTable.h"

#include "checking/Finding.h"
#include "exchange/TableReaders.h"
#include "platform/Conversions.h"
#include "platform/Exception.h"
#include "platform/FileAccess.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <limits>

namespace zuninfo {

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

// What a cell holds where a number belongs, and is none.
std::string NotANumber(const std::string& shown)
{
    return (shown.empty() ? "the cell is empty: it needs a number" : shown + " is not a number")
           + " as the viewer reads one (an optional sign and digits, from "
           + std::to_string(std::numeric_limits<std::int32_t>::min()) + " to "
           + std::to_string(std::numeric_limits<std::int32_t>::max()) + "); nothing is guessed";
}

namespace {

// A cell's number, read as the viewer reads a field.
std::int32_t NumberIn(const EditedTable& table, const EditedRow& row, std::size_t column, std::string_view cell)
{
    try {
        return StrToInt(cell);
    } catch (const Exception&) {
        throw table.AtCell(row, column, NotANumber(cell.empty() ? std::string() : Quoted(cell)));
    }
}

} // namespace

void ReadCellRows(CellRows& in, EditedTable& table, bool shortRows)
{
    std::string captions;
    for (const RecordColumn& column : kRecordColumns)
        captions += (captions.empty() ? "" : ", ") + ColumnCaption(column);
    std::vector<TableCell> cells;
    if (!in.Next(cells, 4 * kRecordColumnCount,
                 "the header has more than " + std::to_string(4 * kRecordColumnCount) + " columns, the export "
                     + std::to_string(kRecordColumnCount)))
        throw Refusal(table.file, {0, 0}, "no header row: the export's is " + captions);
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

    table.rows.reserve(std::min<std::size_t>(in.RowsHinted(), kMostEditedRows));
    const std::size_t width = cells.size();
    const std::string tooMany = "it has more cells than the header's " + std::to_string(width);
    while (in.Next(cells, width, tooMany)) {
        const FilePlace start = in.Start();
        if (std::all_of(cells.begin(), cells.end(), [](const TableCell& c) { return c.text.empty(); }))
            continue;
        if (table.rows.size() == kMostEditedRows)
            throw Refusal(table.file, start, "row " + std::to_string(in.Row()) + ": more than "
                                                 + std::to_string(kMostEditedRows) + " rows, and the viewer holds "
                                                 + std::to_string(kMonsterSlots) + " records");
        EditedRow& row = table.rows.emplace_back();
        row.number = in.Row();
        row.place = start;
        if (shortRows) {
            for (std::size_t at = cells.size(); at < width; ++at) {
                if (at == cells.size())
                    cells.emplace_back();
                cells[at].text.clear();
                cells[at].place = {row.number, static_cast<std::int64_t>(at) + 1};
            }
            cells.resize(width);
        }
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

EditedTable ReadEditedTable(std::string_view text, RecordFormat format, const std::string& file, int codePage)
{
    EditedTable table;
    table.file = file;
    table.format = format;
    table.codePage = codePage;
    const TableReader read = format == RecordFormat::Json   ? ReadJsonTable
                             : format == RecordFormat::Xlsx ? ReadXlsxTable
                             : format == RecordFormat::Ods  ? ReadOdsTable
                                                            : ReadDelimitedTable;
    read(text, table);
    return table;
}

std::string Quoted(std::string_view text)
{
    if (!IsUtf8(text)) {
        std::string quoted(1, '\'');
        quoted += VisibleStart(text.substr(0, kVisibleStartBytes), text.size());
        quoted += '\'';
        return quoted;
    }
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

std::string ReadEditedBytes(const std::string& path, const std::string& name)
{
    // Room for all that is read, so that the text never moves and is held
    // once; pages that nothing is read into cost no memory.
    std::string text;
    char buffer[64 * 1024];
    text.reserve(kMostEditedBytes + sizeof buffer);
    const auto tooLarge = [&] {
        return Refusal(name, {0, 0},
                       "larger than " + std::to_string(kMostEditedBytes >> 20) + " MiB, and an export of the "
                           + std::to_string(kMonsterSlots) + " records the viewer holds is well under 1 MiB");
    };
    if (path == "-") {
        std::streambuf& in = *std::cin.rdbuf();
        for (std::streamsize got; (got = in.sgetn(buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(got));
            if (text.size() > kMostEditedBytes)
                throw tooLarge();
        }
        return text;
    }
    OpenFailure failure;
    std::FILE* file = OpenNamedFile(path, &failure);
    if (file == nullptr) {
        const char* reason = kUnreadableReasons[static_cast<std::size_t>(failure.reason)].words;
        throw Refusal(name, {0, 0}, std::string("cannot be read: ") + (reason ? reason : failure.systemText));
    }
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text.append(buffer, got);
        if (text.size() > kMostEditedBytes) {
            std::fclose(file);
            throw tooLarge();
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        throw Refusal(name, {0, 0}, "cannot be read to its end");
    return text;
}

} // namespace zuninfo
