// Fuzz target for the reader of edited exports, what zuninfo-import reads
// as EDITED. The input's first byte chooses the form ('j' JSON, 't' TSV,
// anything else CSV), the rest is the text. The reader gives rows or a
// refusal, nothing else, and:
//  - a refusal's place, and each row's and cell's, lies in the text; rows
//    are numbered in their order, and there are no more than it reads;
//  - CSV and TSV: the rows, written again as zuninfo-export writes them
//    (the header in the export's order, names quoted or escaped), read back
//    to the same rows;
//  - JSON: nlohmann's own parser reads the text too where the reader gives
//    rows, and each object's members hold the rows' values, names and record
//    numbers.
#include "fuzz/FuzzCheck.h"
#include "exchange/EditedTable.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace zuninfo;

namespace {

bool InText(std::string_view text, FilePlace place)
{
    const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
    return place.line >= 1 && place.line <= lines && place.column >= 1
           && place.column <= static_cast<std::int64_t>(text.size()) + 1;
}

// The rows as zuninfo-export writes them.
std::string Written(const EditedTable& table)
{
    const bool csv = table.format == RecordFormat::Csv;
    const auto append = [&](std::string& out, std::string_view cell) {
        if (!csv) {
            for (const char c : cell)
                out += c == '\\' ? "\\\\" : c == '\t' ? "\\t" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
        } else if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
            out += cell;
        } else {
            out += '"';
            for (const char c : cell)
                out += c == '"' ? std::string("\"\"") : std::string(1, c);
            out += '"';
        }
    };
    std::string out;
    for (std::size_t column = 0; column < kRecordColumnCount; ++column) {
        out += column ? (csv ? "," : "\t") : "";
        append(out, ColumnCaption(kRecordColumns[column]));
    }
    out += csv ? "\r\n" : "\n";
    for (const EditedRow& row : table.rows) {
        for (std::size_t column = 0; column < kRecordColumnCount; ++column) {
            const RecordColumn& c = kRecordColumns[column];
            out += column ? (csv ? "," : "\t") : "";
            append(out, c.isName ? row.names[static_cast<std::size_t>(c.field)]
                                 : std::to_string(row.values[static_cast<std::size_t>(c.field)]));
        }
        out += csv ? "\r\n" : "\n";
    }
    return out;
}

void CheckJson(std::string_view text, const EditedTable& table)
{
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    FUZZ_CHECK(json.is_array() && json.size() == table.rows.size(), "JSON rows that nlohmann does not read so");
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const EditedRow& row = table.rows[i];
        const nlohmann::json& object = json[i];
        for (int field = 0; field < kMonsterFieldCount; ++field) {
            const auto at = static_cast<std::size_t>(field);
            const nlohmann::json& member = object.at(kMonsterFields[at].caption);
            if (kMonsterFields[at].names) {
                FUZZ_CHECK(member.at("id") == row.values[at] && member.at("name") == row.names[at], "an id field");
            } else {
                FUZZ_CHECK(member == row.values[at], "a number field");
            }
        }
        FUZZ_CHECK(object.contains("record") == row.record.has_value()
                       && (!row.record || object["record"] == *row.record),
                   "a record number");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const RecordFormat format = data[0] == 'j' ? RecordFormat::Json : data[0] == 't' ? RecordFormat::Tsv : RecordFormat::Csv;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    EditedTable table;
    try {
        table = ReadEditedTable(text, format, "edited");
    } catch (const Refusal& refusal) {
        FUZZ_CHECK(std::string(refusal.what()).size() > 0 && refusal.Text().starts_with("edited"), "a refusal");
        return 0;
    }
    FUZZ_CHECK(table.rows.size() <= kMostEditedRows, "more rows than are read");
    std::int64_t number = 0;
    for (const EditedRow& row : table.rows) {
        FUZZ_CHECK(row.number > number && InText(text, row.place), "a row's number or place");
        number = row.number;
        for (const FilePlace& cell : row.cells)
            FUZZ_CHECK(InText(text, cell), "a cell's place");
    }
    if (format == RecordFormat::Json) {
        CheckJson(text, table);
        return 0;
    }
    const std::string again = Written(table);
    const EditedTable back = ReadEditedTable(again, format, "again");
    FUZZ_CHECK(back.rows.size() == table.rows.size(), "rows written again");
    for (std::size_t i = 0; i < table.rows.size(); ++i)
        FUZZ_CHECK(back.rows[i].values == table.rows[i].values && back.rows[i].names == table.rows[i].names,
                   "a row written again");
    return 0;
}
