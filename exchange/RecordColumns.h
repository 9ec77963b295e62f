#pragma once

#include "data/MonsterFields.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zuninfo {

// The forms of the records for spreadsheets and scripts, as zuninfo-export
// writes them and zuninfo-import reads them back (ods: read only, as a
// spreadsheet saves it).
enum class RecordFormat { Csv, Tsv, Json, Xlsx, Ods };

// The format of that name ("csv", "tsv", "json", "xlsx", "ods"); none for
// another.
std::optional<RecordFormat> FormatNamed(std::string_view name);

// The format a file's name ends in, ASCII case ignored: ".csv", ".tsv",
// ".json", ".xlsx", ".ods", and ".txt" (what a spreadsheet saves as "Text"
// or "Unicode Text") as CSV; none for another ending.
std::optional<RecordFormat> FormatOfName(const std::string& path);

// The columns of a record in CSV and TSV: each field by its caption, and an
// id field as two columns, its name ("Skin") and then its number ("Skin
// id").
struct RecordColumn {
    int field;
    bool isName; // the name of an id field; else the field's number
};

inline constexpr std::size_t kRecordColumnCount = [] {
    std::size_t count = 0;
    for (const MonsterField& field : kMonsterFields)
        count += field.names ? 2 : 1;
    return count;
}();

inline constexpr std::array<RecordColumn, kRecordColumnCount> kRecordColumns = [] {
    std::array<RecordColumn, kRecordColumnCount> columns{};
    std::size_t column = 0;
    for (int field = 0; field < kMonsterFieldCount; ++field) {
        if (kMonsterFields[static_cast<std::size_t>(field)].names)
            columns[column++] = {field, true};
        columns[column++] = {field, false};
    }
    return columns;
}();

// The column's header: the field's caption, with " id" after it for the
// number of an id field.
std::string ColumnCaption(const RecordColumn& column);

// A name a spreadsheet would take for a formula: one that begins with '=',
// '+', '-' or '@', or with a tab or CR, which some spreadsheets skip before
// looking for one.
bool LooksLikeFormula(std::string_view name);

// The formula guard: a name that looks like a formula after a "'", which
// makes it text in a spreadsheet; any other name as it stands.
std::string GuardedName(std::string_view name);

// Whether a cell holds `name`, with or without the guard: a spreadsheet may
// keep the "'" or drop it.
bool CellHoldsName(std::string_view cell, std::string_view name);

} // namespace zuninfo
