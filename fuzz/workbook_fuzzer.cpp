// Fuzz target for the xlsx and ods readers of zuninfo-import. The input's
// first byte chooses: 'z' the rest is the whole file, read as xlsx; 'o' or
// anything else, the rest is split at 0xFF bytes into the parts of a
// workbook that the fuzzer zips itself ('o': content.xml of an ods; else
// xl/workbook.xml, its relationships, the shared strings and the first
// sheet of an xlsx), so that the XML inside is reached. The reader gives
// rows or a refusal, nothing else; every row and cell place is a sheet's
// row and column, within what a table is read in, in order.
#include "fuzz/FuzzCheck.h"
#include "exchange/EditedTable.h"
#include "tests/support/ZipOfParts.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

using namespace zuninfo;

namespace {

// The fuzzer's scratch file, removed at its end.
struct Scratch {
    std::filesystem::path path
        = std::filesystem::temp_directory_path() / ("workbook_fuzzer." + std::to_string(getpid()) + ".zip");
    ~Scratch() { std::filesystem::remove(path); }
};

// The parts, stored (not compressed), as a zip file.
std::string Zipped(const std::vector<std::string>& names, const std::vector<std::string_view>& parts)
{
    static const Scratch scratch;
    std::vector<std::pair<std::string, std::string_view>> named;
    for (std::size_t i = 0; i < names.size() && i < parts.size(); ++i)
        named.emplace_back(names[i], parts[i]);
    return ZipOfParts(named, scratch.path.string(), true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char mode = static_cast<char>(data[0]);
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string bytes;
    RecordFormat format = mode == 'o' ? RecordFormat::Ods : RecordFormat::Xlsx;
    if (mode == 'z') {
        bytes = rest;
    } else {
        std::vector<std::string_view> parts;
        for (std::size_t at = 0;;) {
            const std::size_t split = rest.find('\xFF', at);
            parts.push_back(rest.substr(at, split == std::string_view::npos ? std::string_view::npos : split - at));
            if (split == std::string_view::npos)
                break;
            at = split + 1;
        }
        bytes = format == RecordFormat::Ods ? Zipped({"content.xml"}, parts)
                                            : Zipped({"xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                                                      "xl/sharedStrings.xml", "xl/worksheets/sheet1.xml"},
                                                     parts);
    }
    EditedTable table;
    try {
        table = ReadEditedTable(bytes, format, "edited");
    } catch (const Refusal& refusal) {
        FUZZ_CHECK(std::string(refusal.what()).size() > 0 && refusal.Text().starts_with("edited"), "a refusal");
        return 0;
    }
    FUZZ_CHECK(table.rows.size() <= kMostEditedRows, "more rows than are read");
    std::int64_t number = 1;
    for (const EditedRow& row : table.rows) {
        FUZZ_CHECK(row.number > number && row.place.line == row.number, "a row's number or place");
        number = row.number;
        for (const FilePlace& cell : row.cells)
            FUZZ_CHECK(cell.line == row.number && cell.column >= 1
                           && cell.column <= static_cast<std::int64_t>(4 * kRecordColumnCount),
                       "a cell's place");
    }
    return 0;
}
