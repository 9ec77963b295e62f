// zuninfo-check: checks the viewer's data files (see --help).
#include "check/CheckCommand.h"
#include "tools/CommandLine.h"

int main(int argc, char** argv)
{
    return zuninfo::ToolMain(argc, argv, "zuninfo-check", zuninfo::RunCheckCommand);
}
