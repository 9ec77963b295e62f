// zuninfo-diff: two monster files compared record by record, as the viewer
// reads them (see --help).
#include "diff/DiffCommand.h"
#include "tools/CommandLine.h"

int main(int argc, char** argv)
{
    return zuninfo::ToolMain(argc, argv, "zuninfo-diff", zuninfo::RunDiffCommand);
}
