#pragma once

#include "exchange/TableReaders.h"
#include "exchange/XlsxWorkbook.h"

#include <cstddef>

namespace zuninfo {

// The xlsx and ods code as a module hands it to the program that loads it:
// zuninfo-xlsx-writer.so its writer, zuninfo-workbook-reader.so its readers,
// the other calls null. A module is built with the program, of the same
// sources, and shares its types: `build` and the sizes tell a module of
// another build, which is never called.
struct WorkbookCalls {
    const char* build;
    std::size_t tableSize;
    std::size_t recordSize;
    void (*writeXlsx)(const std::vector<ShownRecord>& records, std::ostream& out);
    TableReader readXlsx;
    TableReader readOds;
};

inline constexpr WorkbookCalls kTheseWorkbookCalls{ZUNINFO_VERSION, sizeof(EditedTable), sizeof(ShownRecord),
                                                   nullptr, nullptr, nullptr};

} // namespace zuninfo

// A module's one entry.
extern "C" const zuninfo::WorkbookCalls* zuninfo_workbook_calls();
