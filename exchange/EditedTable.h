#pragma once

#include "data/LoadObserver.h"
#include "data/MonsterInfo.h"
#include "exchange/RecordColumns.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zuninfo {

// Why an import stops: the file, the place in it (line 0: the file as a
// whole), and what is wrong there.
class Refusal : public std::runtime_error {
public:
    Refusal(std::string file, FilePlace place, const std::string& problem)
        : std::runtime_error(problem), file_(std::move(file)), place_(place)
    {
    }

    // "FILE:LINE:COLUMN: error: PROBLEM", or "FILE: error: PROBLEM".
    std::string Text() const;

private:
    std::string file_;
    FilePlace place_;
};

// The most bytes of an edited export that are read: an export of the 500
// records the viewer holds is well under 1 MiB, even with every name a run
// of escapes.
inline constexpr std::size_t kMostEditedBytes = std::size_t{4} << 20;

// The most rows read: twice as many as the viewer holds records.
inline constexpr std::size_t kMostEditedRows = 2 * kMonsterSlots;

// One row of an edited export, as its text gives it.
struct EditedRow {
    // CSV and TSV: the row as a spreadsheet numbers it (the header is row
    // 1); JSON: the object's place in the array, from 1.
    std::int64_t number = 0;
    FilePlace place;                    // where it starts
    std::optional<std::int32_t> record; // JSON: the "record" it names
    bool indexRead = false;             // values[0] holds its Index
    std::array<std::int32_t, kMonsterFieldCount> values{}; // each field's number (an id field's id)
    // An id field's name as its cell holds it (with the formula guard's "'"
    // where it was kept); empty for other fields.
    std::array<std::string, kMonsterFieldCount> names;
    std::array<FilePlace, kRecordColumnCount> cells{}; // where each of kRecordColumns stands
};

// An export of the records, possibly edited, as read.
struct EditedTable {
    std::string file; // as the user named it
    RecordFormat format = RecordFormat::Csv;
    // CSV and TSV not in UTF-8: the code page to read them in (0: the ANSI
    // code page of the user's locale, as the name lists are read); what they
    // were read as where not UTF-8 ("UTF-16LE", "code page 1252").
    int codePage = 0;
    std::string decodedFrom;
    // CSV and TSV: where each of kRecordColumns stands in the header, from 0.
    std::array<std::size_t, kRecordColumnCount> positions{};
    std::vector<EditedRow> rows;

    // "row 7 (Index 12)"; "object 6 (Index 12)" in JSON.
    std::string RowName(const EditedRow& row) const;
    // "column T (Str)"; "\"Str\"" in JSON, "\"Skin\" name" for an id's name.
    std::string ColumnName(std::size_t column) const;
    // A refusal at a row, or at one of its cells (an index of kRecordColumns).
    Refusal AtRow(const EditedRow& row, const std::string& problem) const;
    Refusal AtCell(const EditedRow& row, std::size_t column, const std::string& problem) const;
};

// The index in kRecordColumns of a field's column: its number, or an id
// field's name.
std::size_t ColumnOf(int field, bool isName = false);

// Reads an export of the records, possibly edited: CSV or TSV as
// zuninfo-export or a spreadsheet writes them, in any column order, its lines
// ended by CR LF or LF, in UTF-8 with or without a byte order mark, UTF-16
// after its mark, or else in `codePage` (see EditedTable); a CSV's cells
// separated by a comma, a semicolon or a tab, the one under which the first
// row is the header, or the one an Excel "sep=" line names; or JSON as
// zuninfo-export writes it. Rows with every cell empty are passed over.
// Numbers are read as the viewer reads them. Throws Refusal, naming the
// place, at anything else.
EditedTable ReadEditedTable(std::string_view text, RecordFormat format, const std::string& file, int codePage = 0);

// The bytes of an edited export: the file at `path` ("-": standard input),
// named `name` in messages. Throws Refusal where it cannot be read, or holds
// more than kMostEditedBytes.
std::string ReadEditedBytes(const std::string& path, const std::string& name);

// `text` as a message quotes it: control bytes made visible, and all of it
// as \xNN escapes where it is not UTF-8; a long text cut short.
std::string Quoted(std::string_view text);

} // namespace zuninfo
