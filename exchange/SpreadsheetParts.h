#pragma once

#include "exchange/TableReaders.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zuninfo {

// What the xlsx and ods readers share: the parts of a zip file (minizip), XML
// read event by event (expat), and the sheet's cells gathered within bounds.

// The most parts a workbook may have, and the most bytes of one inflated:
// what an export of the records takes is a small part of either, and a zip
// or XML bomb meets them long before memory runs short.
inline constexpr std::size_t kMostParts = 10000;
inline constexpr std::size_t kMostPartBytes = std::size_t{4} << 20;

// A zip file held in memory; one part read at a time.
class ZipParts {
public:
    // Throws Refusal where `bytes` is no zip file, or one of too many parts.
    ZipParts(std::string_view bytes, const std::string& file);
    ~ZipParts();
    ZipParts(const ZipParts&) = delete;
    ZipParts& operator=(const ZipParts&) = delete;

    bool Has(const std::string& name) const;
    // The part's bytes, inflated; throws Refusal where it is missing,
    // cannot be read, or inflates to more than kMostPartBytes.
    std::string Read(const std::string& name) const;

    // The part, inflated a piece at a time, within the same bounds.
    class Part {
    public:
        Part(const ZipParts& zip, const std::string& name);
        ~Part();
        Part(const Part&) = delete;
        Part& operator=(const Part&) = delete;
        // Up to `most` bytes more into `into`; 0 at the part's end, where
        // a part shorter than the zip says, or whose bytes fail their
        // checksum, is refused.
        std::size_t Read(char* into, std::size_t most);

    private:
        Refusal Unreadable(const std::string& why) const;
        const ZipParts& zip_;
        std::string name_;
        std::uint64_t size_ = 0;
        std::uint64_t read_ = 0;
    };

private:
    struct Archive;
    std::unique_ptr<Archive> archive_;
    std::string file_;
};

// XML read event by event; an element's name and attributes by their local
// names, prefixes dropped.
class XmlEvents {
public:
    virtual ~XmlEvents() = default;
    // `attributes`: name, value, name, value, ..., null.
    virtual void Start(std::string_view name, const char** attributes) = 0;
    virtual void End(std::string_view name) = 0;
    virtual void Text(std::string_view text) = 0;
    // True once the rest of the part is of no use: reading stops.
    bool done = false;
};

// The value of the attribute of that local name; null where it has none.
const char* AttributeOf(const char** attributes, std::string_view name);

// Reads the workbook's part into `events` as it inflates, never holding
// more of it than a piece; throws Refusal at XML that is not well formed and
// at any DTD, which is never read, so that no entity is ever declared or
// followed. An exception from `events` stops the reading and leaves it.
void ReadXml(const ZipParts& zip, const std::string& part, XmlEvents& events, const std::string& file);

// The first sheet's cells, gathered within bounds: the rows that hold a cell
// that is not empty, in order, each cell at its place (its row and column
// number, from 1). Past the most rows a table is read in, rows are counted
// no more, as ReadCellRows refuses them. A cell past the header's most
// columns, a count of rows or columns past what a sheet can hold, or more
// text than kMostEditedBytes four times over, is refused.
class SheetCells : public CellRows {
public:
    SheetCells(const std::string& file) : file_(file) {}

    // A cell of `row`, `column` (from 1), the same `repeated` times to the
    // right; empty cells only move the column on.
    void Add(std::int64_t row, std::int64_t column, const std::string& text, std::int64_t repeated = 1);
    // The row, the same `repeated` times below it: the last row added, where it
    // is `row`; else only rows counted.
    void RepeatRow(std::int64_t row, std::int64_t repeated);
    // No more rows are needed.
    bool Full() const { return rows_.size() > kMostEditedRows + 1; }

    bool Next(std::vector<TableCell>& cells, std::size_t most, const std::string& tooMany) override;
    std::int64_t Row() const override { return row_; }
    FilePlace Start() const override { return {row_, 1}; }
    std::size_t RowsHinted() const override { return rows_.size(); }

    // A refusal at a cell.
    Refusal At(std::int64_t row, std::int64_t column, const std::string& problem) const;

private:
    struct SheetRow {
        std::int64_t number;
        std::vector<TableCell> cells;
    };
    std::string file_;
    std::vector<SheetRow> rows_;
    std::size_t bytes_ = 0;
    std::size_t next_ = 0;
    std::int64_t row_ = 0;
};

// The number a spreadsheet saved ("15", "1.5E1", "-3"): a whole number in
// the signed 32-bit range in its digits, anything else as it stands (and
// then refused where a number belongs).
std::string SavedNumber(std::string_view saved);

// The most rows and columns a sheet holds (xlsx's and ods's alike).
inline constexpr std::int64_t kMostSheetRows = 1 << 20;
inline constexpr std::int64_t kMostSheetColumns = 1 << 14;

} // namespace zuninfo
