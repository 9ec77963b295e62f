// The entry of the module zuninfo-workbooks.so: the xlsx and ods code,
// which the Linux viewer loads when an xlsx or ods is first asked for.
#include "exchange/WorkbookCalls.h"

extern "C" __attribute__((visibility("default"))) const zuninfo::WorkbookCalls* zuninfo_workbook_calls()
{
    using namespace zuninfo;
    static const WorkbookCalls calls{kTheseWorkbookCalls.build, kTheseWorkbookCalls.tableSize,
                                     kTheseWorkbookCalls.recordSize, &WriteXlsx, &ReadXlsxTable, &ReadOdsTable};
    return &calls;
}
