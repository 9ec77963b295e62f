// zuninfo-export: the records as the viewer shows them, as CSV, TSV or JSON
// (see --help).
#include "check/CommandLine.h"
#include "export/ExportCommand.h"

int main(int argc, char** argv)
{
    return zuninfo::ToolMain(argc, argv, "zuninfo-export", zuninfo::RunExportCommand, 2);
}
