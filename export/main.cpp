// zuninfo-export: the records as the viewer shows them, as CSV, TSV or JSON
// (see --help).
#include "export/ExportCommand.h"
#include "tools/CommandLine.h"

int main(int argc, char** argv)
{
    return zuninfo::ToolMain(argc, argv, "zuninfo-export", zuninfo::RunExportCommand);
}
