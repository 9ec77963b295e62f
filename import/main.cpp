// zuninfo-import: an edited export written back into the monster file's own
// format (see --help).
#include "import/ImportCommand.h"
#include "tools/CommandLine.h"

int main(int argc, char** argv)
{
    return zuninfo::ToolMain(argc, argv, "zuninfo-import", zuninfo::RunImportCommand);
}
