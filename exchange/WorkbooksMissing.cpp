// The xlsx and ods readers in a build without minizip and expat
// (ZUNINFO_WORKBOOKS off).
#include "exchange/TableReaders.h"

namespace zuninfo {

namespace {

[[noreturn]] void NoWorkbooks(const EditedTable& table)
{
    throw Refusal(table.file, {0, 0}, "this build reads no xlsx or ods: save the sheet as \"CSV UTF-8\"");
}

} // namespace

void ReadXlsxTable(std::string_view, EditedTable& table)
{
    NoWorkbooks(table);
}

void ReadOdsTable(std::string_view, EditedTable& table)
{
    NoWorkbooks(table);
}

} // namespace zuninfo
