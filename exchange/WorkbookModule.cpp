// The entry of the modules zuninfo-xlsx-writer.so (ZUNINFO_MODULE_WRITES) and
// zuninfo-workbook-reader.so (ZUNINFO_MODULE_READS), which the Linux programs
// load when an xlsx is first written or a workbook first read.
#include "exchange/WorkbookCalls.h"

extern "C" __attribute__((visibility("default"))) const zuninfo::WorkbookCalls* zuninfo_workbook_calls()
{
    using namespace zuninfo;
    static const WorkbookCalls calls{kTheseWorkbookCalls.build, kTheseWorkbookCalls.tableSize,
                                     kTheseWorkbookCalls.recordSize,
#if defined(ZUNINFO_MODULE_WRITES)
                                     &WriteXlsx, nullptr, nullptr
#elif defined(ZUNINFO_MODULE_READS)
                                     nullptr, &ReadXlsxTable, &ReadOdsTable
#else
#error "a workbook module is built with ZUNINFO_MODULE_WRITES or ZUNINFO_MODULE_READS"
#endif
    };
    return &calls;
}
