#pragma once

#include "exchange/EditedTable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zuninfo {

// The readers of EDITED, one a form, behind one signature: each reads the
// whole text into `table` (whose file and format are set) or throws Refusal,
// naming the place.
using TableReader = void (*)(std::string_view text, EditedTable& table);

void ReadDelimitedTable(std::string_view text, EditedTable& table); // CSV and TSV
void ReadJsonTable(std::string_view text, EditedTable& table);
void ReadXlsxTable(std::string_view bytes, EditedTable& table);
void ReadOdsTable(std::string_view bytes, EditedTable& table);

// What the readers share.
const char* CaptionOf(int field);
bool HasNames(int field);
// "A" for the first column, "Z", "AA", ... as spreadsheets name them.
std::string ColumnLetters(std::size_t position);
// Where the byte at `offset` stands in `text`.
FilePlace PlaceOf(std::string_view text, std::size_t offset);
// What a cell holds where a number belongs, and is none.
std::string NotANumber(const std::string& shown);

// A table as rows of cells, as CSV, TSV and a spreadsheet's sheet hold it.
struct TableCell {
    std::string text;
    FilePlace place;
};

class CellRows {
public:
    virtual ~CellRows() = default;
    // The next row's cells into `cells` (whose strings keep their room), at
    // most `most` of them; throws Refusal with `tooMany` after "row N: "
    // where it has more. False at the end, where there is no row.
    virtual bool Next(std::vector<TableCell>& cells, std::size_t most, const std::string& tooMany) = 0;
    // The row last read as a spreadsheet numbers it (the first is 1), and
    // where it starts.
    virtual std::int64_t Row() const = 0;
    virtual FilePlace Start() const = 0;
    // How many rows there may be, to make room for.
    virtual std::size_t RowsHinted() const { return 0; }
};

// The header row of the export's captions, in any order, then a row a
// record; rows with every cell empty are passed over. With `shortRows`, a row
// may have fewer cells than the header, the rest empty (a spreadsheet's sheet
// leaves out the empty cells at a row's end).
void ReadCellRows(CellRows& in, EditedTable& table, bool shortRows);

} // namespace zuninfo
